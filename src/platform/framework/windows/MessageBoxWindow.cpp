#include "platform/framework/windows/MessageBoxWindow.h"

#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/FocusReturn.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/ModalLoop.h"
#include "platform/framework/windows/QtBridge.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace
{
CString& Caption()
{
    static CString caption;
    return caption;
}

struct ButtonSet
{
    UINT type;
    std::initializer_list<int> answers;
};
// The buttons of each MB_ type, left to right.
constexpr ButtonSet kButtonSets[] = {
    {MB_OK, {IDOK}},
    {MB_OKCANCEL, {IDOK, IDCANCEL}},
    {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}},
    {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
    {MB_YESNO, {IDYES, IDNO}},
    {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}},
};

QMessageBox::StandardButton QtButton(int answer)
{
    switch (answer)
    {
    case IDCANCEL: return QMessageBox::Cancel;
    case IDABORT: return QMessageBox::Abort;
    case IDRETRY: return QMessageBox::Retry;
    case IDIGNORE: return QMessageBox::Ignore;
    case IDYES: return QMessageBox::Yes;
    case IDNO: return QMessageBox::No;
    default: return QMessageBox::Ok;
    }
}

// A path keeps to its line: no line breaks after the slashes within it (a word joiner follows
// each), so that "/tmp/kem_log" never shows as "/" and "tmp/kem_log".
QString WithWholePaths(const QString& text)
{
    QString shown = text;
    shown.replace(u'/', QStringLiteral("/\u2060"));
    return shown;
}

// The box is at least as wide as its title with the frame's buttons beside it: a short message
// would otherwise have the window's frame cut the title.
void FitTheTitle(QMessageBox& box)
{
    constexpr int kFrameButtons = 120;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kFrameButtons;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

QMessageBox::Icon QtIcon(UINT type)
{
    switch (type & MB_ICONMASK)
    {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}
} // namespace

CMessageBoxCaption::CMessageBoxCaption(const CString& caption) : m_previous(std::exchange(Caption(), caption)) {}
CMessageBoxCaption::~CMessageBoxCaption() { Caption() = m_previous; }
const CString& CMessageBoxCaption::Current() { return Caption(); }

int ShowMessageBoxWindow(const CString& text, const CString& caption, UINT type)
{
    CFrameworkApp::EnsureInitialized();
    const CFocusReturn focusBack;
    QMessageBox box(QtIcon(type), caption.IsEmpty() ? QCoreApplication::applicationName() : ToQString(caption),
                    WithWholePaths(ToQString(text)), QMessageBox::NoButton, OwnerWidget(nullptr));
    FitTheTitle(box);
    const auto set = std::find_if(std::begin(kButtonSets), std::end(kButtonSets),
                                  [type](const ButtonSet& s) { return s.type == (type & MB_TYPEMASK); });
    const auto answers = set == std::end(kButtonSets) ? kButtonSets[0].answers : set->answers;
    std::vector<std::pair<QAbstractButton*, int>> buttons;
    for (const int answer : answers) buttons.emplace_back(box.addButton(QtButton(answer)), answer);
    const std::size_t defaultIndex = std::min<std::size_t>((type & MB_DEFMASK) >> 8, buttons.size() - 1);
    box.setDefaultButton(static_cast<QPushButton*>(buttons[defaultIndex].first));
    // Escape answers Cancel where there is one, else the only button.
    for (const auto& [button, answer] : buttons)
        if (answer == IDCANCEL || buttons.size() == 1) box.setEscapeButton(button);
    const CModalLoop running([&box] { box.reject(); });
    if (!running.Ended()) box.exec();
    for (const auto& [button, answer] : buttons)
        if (box.clickedButton() == button) return answer;
    // Ended without a click (the program ends): Cancel where the box has it, else its last
    // button (No of a question, the only OK).
    const bool cancel = std::find(answers.begin(), answers.end(), IDCANCEL) != answers.end();
    return cancel ? IDCANCEL : *std::prev(answers.end());
}

void InstallWindowMessageBox()
{
    SetMessageBoxHandler([](const CString& text, UINT type) { return ShowMessageBoxWindow(text, CMessageBoxCaption::Current(), type); });
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    const CMessageBoxCaption scoped(caption ? CString(caption) : CString());
    return AfxMessageBox(text, type);
}
