#pragma once
// Private: the field of the date and time picker. Digits typed into it make the date or time
// field by field, as the user writes it ("02/15/2024", "2152024", "9:05"): a field is full after
// its digits (or one digit no other can follow), a separator moves on unless the field just
// filled, and what was typed is taken as a whole when the user leaves the field, presses Enter
// or steps it. A date that is not in the calendar or outside the picker's range, or a time that
// is no time of day, is refused with a message and the picker keeps its value, its first field
// selected for the value to be typed again: nothing is clamped to another day or year. The arrows, the wheel and the spin buttons step the value across the
// fields (a second before 14:35:00 is 14:34:59).
#include <QDateTimeEdit>

#include <map>
#include <vector>

class CPickerEdit : public QDateTimeEdit
{
public:
    // Shows the date or time in the format given (a picture of date or time alone, as the kind).
    CPickerEdit(bool time, const QString& format, QWidget* parent);

    // Takes what was typed; false when it was refused (its message follows).
    bool TakeTyped();
    bool IsTyping() const { return !m_typed.empty(); }

    void stepBy(int steps) override;

    // The widest text its format writes (the longest month and weekday names, AM and PM, the
    // widest digits), and the room its field gives a text, in pixels: every text of the picker
    // shows whole while the widest fits the room.
    QString WidestText() const;
    int TextRoom() const;

protected:
    // A field at its end steps on into the next larger one: both ways are always open.
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Come to by the keyboard, the picker starts at its first field: a date is typed from its start.
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Tab leaves the picker, as on the original platform; the arrows move between its fields.
    bool focusNextPrevChild(bool next) override;

private:
    enum class EField { Literal, Day, Month, Year, Hour, Hour12, Minute, Second, AmPm, Other };
    struct SToken
    {
        EField field;
        QString text; // the format letters, or the literal text
    };
    void ReadFormat();
    std::vector<int> FieldTokens() const;
    void TypeDigit(QChar digit);
    void MoveOn();
    // The field's text with what was typed in place of the fields' values; where the field being
    // typed into stands in it.
    QString TypedText(int* start = nullptr, int* length = nullptr) const;
    void ShowTyped();
    void ShowValue();
    // The field being typed into, selected: what is typed next replaces it.
    void SelectField();
    int CurrentField() const;
    // Dates are typed into the field itself: the dropped calendar's own typing box stays off (it
    // was not freed when the calendar closed within the box's time).
    void KeepCalendarFromTyping();

    bool m_time;
    std::vector<SToken> m_tokens;
    QString m_format;
    std::map<int, QString> m_typed; // field (the index among the fields) -> what was typed
    int m_field = -1;               // the field being typed into
    bool m_justFilled = false;      // the last digit filled its field and moved on
};
