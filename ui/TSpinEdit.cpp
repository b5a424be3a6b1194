#include "ui/TSpinEdit.h"

#include <QLineEdit>
#include <algorithm>

TSpinEdit::TSpinEdit(int minValue, int maxValue, int value, QWidget* parent)
    : QSpinBox(parent), minValue_(minValue), maxValue_(maxValue) {
    // The spin box itself accepts anything the two-character field can show;
    // this control keeps its own limits.
    setRange(0, 99);
    setValue(value);
    lineEdit()->setReadOnly(true);
    lineEdit()->setCursor(Qt::PointingHandCursor); // nothing to type, so no text cursor
    lineEdit()->setMaxLength(2);
    setKeyboardTracking(false);
}

void TSpinEdit::SetMinValue(int minValue) {
    minValue_ = minValue;
    update();
}

int TSpinEdit::Clamp(int value) const {
    return std::clamp(value, minValue_, std::max(minValue_, maxValue_));
}

void TSpinEdit::stepBy(int steps) {
    setValue(Clamp(value() + steps));
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (value() < maxValue_ || value() < minValue_)
        enabled |= StepUpEnabled;
    if (value() > minValue_)
        enabled |= StepDownEnabled;
    return enabled;
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    QSpinBox::focusOutEvent(event);
    if (Clamp(value()) != value())
        setValue(Clamp(value()));
}
