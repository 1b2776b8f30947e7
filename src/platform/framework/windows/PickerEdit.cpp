#include "platform/framework/windows/PickerEdit.h"

#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"
#include "platform/framework/windows/FieldRefusal.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSet>
#include <QSignalBlocker>

#include <algorithm>
#include <utility>

namespace {

// The texts of the refusals (string table).
constexpr UINT kNotADateText = 61723;
constexpr UINT kNotATimeText = 61724;
constexpr UINT kDateOutOfRangeText = 61725;

CString Refusal(UINT id, const QString& typed, const QString& first = {}, const QString& last = {})
{
    CString format;
    format.LoadString(id);
    return CString::Formatted(format.GetString(), typed.toStdString(), first.toStdString(), last.toStdString());
}

bool IsSeparator(QChar c) { return c.isPrint() && !c.isLetterOrNumber(); }

} // namespace

CPickerEdit::CPickerEdit(bool time, const QString& format, QWidget* parent) : QDateTimeEdit(parent), m_time(time)
{
    // The logger's clock times are wall-clock fields: no time zone shifts or refuses one (a day
    // whose midnight a change of summer time skips), and none is looked up as they are parsed.
    setTimeSpec(Qt::UTC);
    setDisplayFormat(format);
    // What is typed shows as typed (the base would correct "02/30" to "02/29" as it is shown);
    // it is checked when it is taken.
    lineEdit()->setValidator(nullptr);
}

void CPickerEdit::ReadFormat()
{
    m_format = displayFormat();
    m_tokens.clear();
    const QString& f = m_format;
    for (int i = 0; i < f.size();) {
        const QChar c = f[i];
        if (c == u'\'') {
            // Quoted literal text; '' is an apostrophe.
            QString literal;
            ++i;
            while (i < f.size()) {
                if (f[i] == u'\'' && i + 1 < f.size() && f[i + 1] == u'\'') {
                    literal += u'\'';
                    i += 2;
                } else if (f[i] == u'\'') {
                    ++i;
                    break;
                } else {
                    literal += f[i++];
                }
            }
            m_tokens.push_back({EField::Literal, literal});
            continue;
        }
        int run = 1;
        while (i + run < f.size() && f[i + run] == c)
            ++run;
        const QString letters = f.mid(i, run);
        EField field = EField::Literal;
        switch (c.unicode()) {
        case u'd': field = run <= 2 ? EField::Day : EField::Other; break;
        case u'M': field = run <= 2 ? EField::Month : EField::Other; break;
        case u'y': field = EField::Year; break;
        case u'H': field = EField::Hour; break;
        case u'h': field = EField::Hour12; break;
        case u'm': field = EField::Minute; break;
        case u's': field = EField::Second; break;
        case u'z': field = EField::Other; break;
        case u'A':
        case u'a':
            field = EField::AmPm;
            if (i + run < f.size() && (f[i + run] == u'P' || f[i + run] == u'p'))
                ++run;
            break;
        default: break;
        }
        m_tokens.push_back({field, f.mid(i, run)});
        i += run;
    }
}

std::vector<int> CPickerEdit::FieldTokens() const
{
    std::vector<int> fields;
    for (int i = 0; i < int(m_tokens.size()); ++i)
        if (m_tokens[std::size_t(i)].field != EField::Literal)
            fields.push_back(i);
    return fields;
}

int CPickerEdit::CurrentField() const { return std::max(0, currentSectionIndex()); }

void CPickerEdit::TypeDigit(QChar digit)
{
    const std::vector<int> fields = FieldTokens();
    if (!IsTyping())
        m_field = CurrentField();
    if (m_field < 0 || m_field >= int(fields.size()))
        return;
    const SToken& token = m_tokens[std::size_t(fields[std::size_t(m_field)])];
    int maxDigits = 2;
    int maxValue = 0;
    switch (token.field) {
    case EField::Day: maxValue = 31; break;
    case EField::Month: maxValue = 12; break;
    case EField::Year: maxDigits = token.text.size() == 2 ? 2 : 4; maxValue = 9999; break;
    case EField::Hour: maxValue = 23; break;
    case EField::Hour12: maxValue = 12; break;
    case EField::Minute:
    case EField::Second: maxValue = 59; break;
    default: return; // names and AM/PM take no digits
    }
    QString& typed = m_typed[m_field];
    if (typed.size() >= maxDigits)
        typed.clear(); // a full field typed into again starts over, as in the last field
    typed += digit;
    // Full: all its digits, or one that no further digit can follow ("4" of a month).
    if (typed.size() >= maxDigits || typed.toInt() * 10 > maxValue) {
        if (m_field + 1 < int(fields.size())) {
            ++m_field;
            m_justFilled = true;
        }
    }
    ShowTyped();
}

void CPickerEdit::MoveOn()
{
    if (m_field + 1 < int(FieldTokens().size()))
        ++m_field;
    ShowTyped();
}

QString CPickerEdit::TypedText(int* start, int* length) const
{
    QString text;
    int field = 0;
    const QDateTime value = dateTime();
    for (const SToken& token : m_tokens) {
        if (token.field == EField::Literal) {
            text += token.text;
            continue;
        }
        const auto typed = m_typed.find(field);
        const QString shown = typed != m_typed.end() ? typed->second : locale().toString(value, token.text);
        if (field == m_field && start && length) {
            *start = int(text.size());
            *length = int(shown.size());
        }
        text += shown;
        ++field;
    }
    return text;
}

void CPickerEdit::ShowTyped()
{
    int start = 0;
    int length = 0;
    const QString text = TypedText(&start, &length);
    const QSignalBlocker block(lineEdit());
    lineEdit()->setText(text);
    lineEdit()->setSelection(start, length);
}

void CPickerEdit::ShowValue()
{
    {
        const QSignalBlocker block(lineEdit());
        lineEdit()->setText(textFromDateTime(dateTime()));
    }
    if (m_field >= 0 && m_field < sectionCount())
        setCurrentSectionIndex(m_field);
}

void CPickerEdit::SelectField()
{
    if (m_field >= 0 && m_field < sectionCount())
        setSelectedSection(sectionAt(m_field));
}

bool CPickerEdit::TakeTyped()
{
    if (!IsTyping())
        return true;
    const std::vector<int> fields = FieldTokens();
    const QDateTime value = dateTime();
    int year = value.date().year();
    int month = value.date().month();
    int day = value.date().day();
    int hour = value.time().hour();
    int minute = value.time().minute();
    int second = value.time().second();
    int hour12 = -1;
    bool pm = hour >= 12;
    bool fieldFaulty = false;
    for (const auto& [field, typed] : m_typed) {
        if (typed.isEmpty() || field >= int(fields.size()))
            continue;
        const SToken& token = m_tokens[std::size_t(fields[std::size_t(field)])];
        const int n = typed.toInt();
        switch (token.field) {
        case EField::Day: day = n; break;
        case EField::Month: month = n; break;
        case EField::Year:
            // Two digits are a year of this century; a year is otherwise written in full.
            if (typed.size() == 2)
                year = 2000 + n;
            else if (typed.size() == 4)
                year = n;
            else
                fieldFaulty = true;
            break;
        case EField::Hour: hour = n; break;
        case EField::Hour12: hour12 = n; break;
        case EField::Minute: minute = n; break;
        case EField::Second: second = n; break;
        case EField::AmPm: pm = typed == QStringLiteral("PM"); break;
        default: break;
        }
    }
    const bool twelveHours = std::any_of(fields.begin(), fields.end(),
                                         [this](int t) { return m_tokens[std::size_t(t)].field == EField::Hour12; });
    if (twelveHours) {
        const int clock = hour12 >= 0 ? hour12 : (hour % 12 == 0 ? 12 : hour % 12);
        fieldFaulty = fieldFaulty || clock < 1 || clock > 12;
        hour = clock % 12 + (pm ? 12 : 0);
    }
    const QString typedText = TypedText();
    m_typed.clear();
    m_justFilled = false;
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    CString refusal;
    if (m_time && (fieldFaulty || !time.isValid()))
        refusal = Refusal(kNotATimeText, typedText, locale().toString(QTime(0, 0), displayFormat()),
                          locale().toString(QTime(23, 59, 59), displayFormat()));
    else if (!m_time && (fieldFaulty || !date.isValid()))
        refusal = Refusal(kNotADateText, typedText);
    else if (!m_time && (date < minimumDate() || date > maximumDate()))
        refusal = Refusal(kDateOutOfRangeText, typedText, locale().toString(minimumDate(), displayFormat()),
                          locale().toString(maximumDate(), displayFormat()));
    if (!refusal.IsEmpty()) {
        // What is typed next starts the value over from its first field: digits going on into the
        // field last typed would change the value without a word.
        m_field = 0;
        ShowValue();
        SelectField();
        TellRefusalLater(refusal, this);
        return false;
    }
    if (m_time)
        setTime(time);
    else
        setDate(date);
    ShowValue();
    return true;
}

void CPickerEdit::stepBy(int steps)
{
    if (!TakeTyped())
        return;
    QDateTime value = dateTime();
    switch (currentSection()) {
    case SecondSection: value = value.addSecs(steps); break;
    case MinuteSection: value = value.addSecs(60LL * steps); break;
    case HourSection: value = value.addSecs(3600LL * steps); break;
    case AmPmSection: value = value.addSecs(12LL * 3600 * steps); break;
    case DaySection: value = value.addDays(steps); break;
    case MonthSection: value = value.addMonths(steps); break;
    case YearSection: value = value.addYears(steps); break;
    default: QDateTimeEdit::stepBy(steps); return;
    }
    if (m_time)
        setTime(value.time());
    else
        setDate(std::clamp(value.date(), minimumDate(), maximumDate()));
}

QAbstractSpinBox::StepEnabled CPickerEdit::stepEnabled() const
{
    return isReadOnly() ? StepNone : StepUpEnabled | StepDownEnabled;
}

void CPickerEdit::keyPressEvent(QKeyEvent* event)
{
    if (m_format != displayFormat())
        ReadFormat();
    // Shift on its own (for the ":" of a time) goes with the next key: it takes nothing.
    const int key = event->key();
    if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta) {
        QDateTimeEdit::keyPressEvent(event);
        return;
    }
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    const QChar typed = text.size() == 1 ? text[0] : QChar();
    if (plain && typed.isDigit()) {
        TypeDigit(typed);
        event->accept();
        return;
    }
    const int field = IsTyping() ? m_field : CurrentField();
    const std::vector<int> fields = FieldTokens();
    const bool amPm = field >= 0 && field < int(fields.size()) && m_tokens[std::size_t(fields[std::size_t(field)])].field == EField::AmPm;
    if (plain && amPm && (typed.toUpper() == u'A' || typed.toUpper() == u'P')) {
        m_field = field;
        m_typed[field] = typed.toUpper() == u'A' ? QStringLiteral("AM") : QStringLiteral("PM");
        m_justFilled = false;
        ShowTyped();
        event->accept();
        return;
    }
    if (plain && IsSeparator(typed) && IsTyping()) {
        // The separator the user writes between fields moves on, unless the field just filled.
        const auto digits = m_typed.find(m_field);
        if (!std::exchange(m_justFilled, false) && digits != m_typed.end() && !digits->second.isEmpty())
            MoveOn();
        event->accept();
        return;
    }
    if (IsTyping() && key == Qt::Key_Backspace) {
        QString& digits = m_typed[m_field];
        digits.chop(1);
        m_justFilled = false;
        ShowTyped();
        event->accept();
        return;
    }
    if (IsTyping() && key == Qt::Key_Escape) {
        m_typed.clear();
        ShowValue();
        event->accept();
        return;
    }
    m_justFilled = false;
    if (!TakeTyped()) {
        event->accept();
        return;
    }
    KeepCalendarFromTyping();
    QDateTimeEdit::keyPressEvent(event);
}

void CPickerEdit::focusOutEvent(QFocusEvent* event)
{
    TakeTyped();
    QDateTimeEdit::focusOutEvent(event);
}

void CPickerEdit::focusInEvent(QFocusEvent* event)
{
    QDateTimeEdit::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        setCurrentSectionIndex(0);
}

void CPickerEdit::mousePressEvent(QMouseEvent* event)
{
    TakeTyped();
    KeepCalendarFromTyping();
    QDateTimeEdit::mousePressEvent(event);
}

void CPickerEdit::KeepCalendarFromTyping()
{
    if (!calendarPopup())
        return;
    if (QCalendarWidget* calendar = calendarWidget())
        calendar->setDateEditEnabled(false);
}

bool CPickerEdit::focusNextPrevChild(bool next)
{
    TakeTyped();
    return QWidget::focusNextPrevChild(next);
}

QString CPickerEdit::WidestText() const
{
    const QFontMetrics metrics = fontMetrics();
    QString widest;
    int widestWidth = -1;
    // A week of every month (the names of months and weekdays), a morning and an evening. Taken
    // at UTC: the same texts (a picture names no zone) without asking the system's zone for each,
    // and each text measured once (a time picture writes two of them): a page's first show
    // measures its pickers.
    QSet<QString> measured;
    // A format of the time alone writes the same texts on every day, one of the date alone at
    // every hour: those are not written again.
    const bool dates = displayedSections() & DateSections_Mask;
    const std::vector<int> hours = displayedSections() & TimeSections_Mask ? std::vector<int>{10, 22} : std::vector<int>{10};
    for (int month = 1; month <= (dates ? 12 : 1); ++month)
        for (int day = 22; day <= (dates ? 28 : 22); ++day)
            for (const int hour : hours) {
                const QString text =
                    locale().toString(QDateTime(QDate(2028, month, day), QTime(hour, 58, 58), Qt::UTC), displayFormat());
                if (measured.contains(text))
                    continue;
                measured.insert(text);
                if (const int width = metrics.horizontalAdvance(text); width > widestWidth) {
                    widest = text;
                    widestWidth = width;
                }
            }
    return widest;
}

int CPickerEdit::TextRoom() const
{
    // As the field lays its text out: inside its margins, 2 px on either side, and the cursor's
    // pixel after the text.
    const QLineEdit* edit = lineEdit();
    const QMargins margins = edit->textMargins();
    return edit->contentsRect().width() - margins.left() - margins.right() - 2 * 2 - 1;
}
