// Solving on screen and the link between the grid and the clue list.
#include "TKatalog.h"

void TKatalog::RAnzeigenClick() {}

void TKatalog::LAnzeigenClick() {}

void TKatalog::AusgabeKeyPress(char& key) { (void)key; }

void TKatalog::AusgabeDblClick() {}

void TKatalog::AusgabeMouseDown(Qt::MouseButton button, int x, int y) {
    (void)button, (void)x, (void)y;
}
