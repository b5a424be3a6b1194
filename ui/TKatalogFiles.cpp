// Saving and loading puzzles, export and printing.
#include "TKatalog.h"

void TKatalog::RSpeichernClick() {}

void TKatalog::RLadenClick() {}

void TKatalog::RExportierenClick() {}

void TKatalog::LExportierenClick() {}

void TKatalog::RDruckenClick() {}

void TKatalog::LDruckenClick() {}
