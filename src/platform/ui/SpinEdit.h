#pragma once

#include <QAbstractSpinBox>

// A whole-number spin box. A value set by the program, or reached with the arrows, is brought into
// [MinValue, MaxValue]; a value the user types is used as typed while the box has the focus (a
// text that is not a number counts as MinValue) and is brought into the range when the box loses
// the focus. Equal minimum and maximum (0 and 0 by default) set no range at all.
class TSpinEdit : public QAbstractSpinBox
{
    Q_OBJECT

public:
    explicit TSpinEdit(QWidget *parent = nullptr);

    int Value() const;
    void SetValue(int value);
    int MinValue() const { return m_minValue; }
    void SetMinValue(int value);
    int MaxValue() const { return m_maxValue; }
    void SetMaxValue(int value);
    int Increment() const { return m_increment; }
    void SetIncrement(int increment) { m_increment = increment; }

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    QSize sizeHint() const override;

signals:
    // The text changed, by typing or by the program.
    void changed();

protected:
    void focusOutEvent(QFocusEvent *event) override;
    StepEnabled stepEnabled() const override;

private:
    bool limited() const { return m_minValue != m_maxValue; }
    int clamped(qint64 value) const;

    int m_minValue = 0;
    int m_maxValue = 0;
    int m_increment = 1;
};
