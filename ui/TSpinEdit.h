#pragma once

#include <QSpinBox>

// A spin edit whose limits may be raised above its value without changing the
// value at once: the value comes into range when it is next stepped or when the
// control loses the focus. The text cannot be typed, only stepped.
class TSpinEdit : public QSpinBox {
    Q_OBJECT

public:
    TSpinEdit(int minValue, int maxValue, int value, QWidget* parent = nullptr);

    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }
    void SetMinValue(int minValue);
    int Value() const { return value(); }

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int Clamp(int value) const;

    int minValue_;
    int maxValue_;
};
