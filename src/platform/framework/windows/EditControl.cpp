// The native edit control: QLineEdit for single-line edits, QPlainTextEdit for multi-line ones.
#include "platform/framework/OneLineText.h"
#include "platform/framework/windows/CEdit.h"
#include "platform/framework/windows/NativeControls.h"
#include "platform/framework/windows/WindowBridge.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextBlock>

#include <cstring>

namespace
{
struct EditState
{
    int limit = 0; // characters; 0 = none
};

QLineEdit* Line(WndImpl& impl) { return qobject_cast<QLineEdit*>(impl.widget.data()); }
QPlainTextEdit* Multi(WndImpl& impl) { return qobject_cast<QPlainTextEdit*>(impl.widget.data()); }

// The text as the platform shows it: multi-line texts break lines with CR LF.
QString PlatformText(WndImpl& impl)
{
    if (QLineEdit* l = Line(impl)) return l->text();
    QString t = Multi(impl)->toPlainText();
    t.replace(u'\n', QStringLiteral("\r\n"));
    return t;
}

// Qt positions count UTF-16 units of the text without CRs; platform positions count UTF-8 bytes
// of the text with CR LF.
int ToBytes(WndImpl& impl, int qtPos)
{
    QString plain = Line(impl) ? Line(impl)->text() : Multi(impl)->toPlainText();
    QString prefix = plain.left(qtPos);
    if (Multi(impl)) prefix.replace(u'\n', QStringLiteral("\r\n"));
    return int(prefix.toUtf8().size());
}

int FromBytes(WndImpl& impl, int bytes)
{
    const QString plain = Line(impl) ? Line(impl)->text() : Multi(impl)->toPlainText();
    const bool crlf = Multi(impl) != nullptr;
    if (bytes < 0) return int(plain.size());
    int used = 0;
    for (int i = 0; i < plain.size(); ++i)
    {
        if (used >= bytes) return i;
        const QChar c = plain[i];
        if (crlf && c == u'\n') used += 2;
        else if (c.isHighSurrogate()) used += 4, ++i;
        else used += int(QString(c).toUtf8().size());
    }
    return int(plain.size());
}

std::pair<int, int> Selection(WndImpl& impl)
{
    if (QLineEdit* l = Line(impl))
    {
        if (!l->hasSelectedText()) return {l->cursorPosition(), l->cursorPosition()};
        return {l->selectionStart(), l->selectionStart() + int(l->selectedText().size())};
    }
    const QTextCursor c = Multi(impl)->textCursor();
    return {c.selectionStart(), c.selectionEnd()};
}

void Select(WndImpl& impl, int start, int end)
{
    if (QLineEdit* l = Line(impl))
    {
        l->setSelection(start, end - start);
        if (start == end) l->setCursorPosition(start);
        return;
    }
    QTextCursor c = Multi(impl)->textCursor();
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    Multi(impl)->setTextCursor(c);
}

void SetText(WndImpl& impl, const QString& text)
{
    if (QLineEdit* l = Line(impl)) l->setText(text);
    else Multi(impl)->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

QStringList Lines(WndImpl& impl)
{
    if (QLineEdit* l = Line(impl)) return {l->text()};
    return Multi(impl)->toPlainText().split(u'\n');
}

int LineOfPos(WndImpl& impl, int qtPos)
{
    if (Line(impl)) return 0;
    return Multi(impl)->document()->findBlock(qtPos).blockNumber();
}

int LineStart(WndImpl& impl, int line)
{
    if (Line(impl)) return line == 0 ? 0 : -1;
    const QTextBlock b = Multi(impl)->document()->findBlockByNumber(line);
    return b.isValid() ? b.position() : -1;
}

// An edit without a border (a grid's in-place editor lies over its cell) shows that it has the
// focus with a frame in the highlight colour, as a bordered one does.
void PaintFocusFrame(QWidget& surface, const QWidget& edit)
{
    QPainter painter(&surface);
    painter.setPen(edit.palette().color(QPalette::Highlight));
    painter.drawRect(surface.rect().adjusted(0, 0, -1, -1));
}

class CLineField : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLineEdit::paintEvent(event);
        if (!hasFrame() && hasFocus()) PaintFocusFrame(*this, *this);
    }
};

class CTextField : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPlainTextEdit::paintEvent(event);
        if (frameShape() == QFrame::NoFrame && hasFocus()) PaintFocusFrame(*viewport(), *this);
    }
    void focusInEvent(QFocusEvent* event) override
    {
        QPlainTextEdit::focusInEvent(event);
        viewport()->update();
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        QPlainTextEdit::focusOutEvent(event);
        viewport()->update();
    }
};

// A field of one line takes no line break: lines pasted into it are joined by spaces.
bool JoinedLines(QLineEdit& edit, const QString& text)
{
    if (!text.contains(u'\n') && !text.contains(u'\r')) return false;
    const int caret = int(ToQString(OneLineText(FromQString(text.left(edit.cursorPosition())))).size());
    edit.setText(ToQString(OneLineText(FromQString(text))));
    edit.setCursorPosition(caret);
    return true;
}

LRESULT EditProc(WndImpl& impl, EditState* state, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (message)
    {
    case WM_SETTEXT:
        SetText(impl, QString::fromUtf8(lParam ? reinterpret_cast<const char*>(lParam) : ""));
        return TRUE;
    case WM_GETTEXT:
    {
        if (wParam == 0 || !lParam) return 0;
        const QByteArray bytes = PlatformText(impl).toUtf8();
        const std::size_t n = std::min<std::size_t>(wParam - 1, std::size_t(bytes.size()));
        std::memcpy(reinterpret_cast<char*>(lParam), bytes.constData(), n);
        reinterpret_cast<char*>(lParam)[n] = 0;
        return LRESULT(n);
    }
    case WM_GETTEXTLENGTH: return LRESULT(PlatformText(impl).toUtf8().size());
    case WM_SETFOCUS:
        PassEventToControl(impl, message);
        NotifyParent(impl, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        PassEventToControl(impl, message);
        NotifyParent(impl, EN_KILLFOCUS);
        return 0;
    case WM_CHAR:
    {
        const bool printable = wParam >= 0x20 && wParam != 0x7F;
        const auto [s, e] = Selection(impl);
        const int length = int((Line(impl) ? Line(impl)->text() : Multi(impl)->toPlainText()).size());
        if (printable && state->limit > 0 && length - (e - s) >= state->limit)
        {
            NotifyParent(impl, EN_MAXTEXT);
            return 0;
        }
        handled = false;
        return 0;
    }
    case EM_GETSEL:
    {
        const auto [s, e] = Selection(impl);
        const int bs = ToBytes(impl, s), be = ToBytes(impl, e);
        if (wParam) *reinterpret_cast<DWORD*>(wParam) = DWORD(bs);
        if (lParam) *reinterpret_cast<DWORD*>(lParam) = DWORD(be);
        return MAKELONG(WORD(bs), WORD(be));
    }
    case EM_SETSEL:
    {
        const int start = int(LPARAM(std::intptr_t(wParam)));
        const int end = int(lParam);
        if (start == -1)
        {
            const int caret = Selection(impl).second;
            Select(impl, caret, caret);
        }
        else
        {
            const int a = FromBytes(impl, start), b = FromBytes(impl, end);
            Select(impl, std::min(a, b), std::max(a, b));
        }
        return 0;
    }
    case EM_REPLACESEL:
    {
        const QString text = QString::fromUtf8(lParam ? reinterpret_cast<const char*>(lParam) : "");
        if (QLineEdit* l = Line(impl)) l->insert(text);
        else Multi(impl)->insertPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        return 0;
    }
    case WM_CLEAR:
        if (QLineEdit* l = Line(impl)) l->del();
        else Multi(impl)->textCursor().removeSelectedText();
        return 0;
    case WM_CUT:
        if (QLineEdit* l = Line(impl)) l->cut();
        else Multi(impl)->cut();
        return 0;
    case WM_COPY:
        if (QLineEdit* l = Line(impl)) l->copy();
        else Multi(impl)->copy();
        return 0;
    case WM_PASTE:
        if (QLineEdit* l = Line(impl)) l->paste();
        else Multi(impl)->paste();
        return 0;
    case WM_UNDO:
    case EM_UNDO:
        if (QLineEdit* l = Line(impl)) l->undo();
        else Multi(impl)->undo();
        return TRUE;
    case EM_CANUNDO:
        return Line(impl) ? Line(impl)->isUndoAvailable() : Multi(impl)->document()->isUndoAvailable();
    case EM_LIMITTEXT:
        state->limit = int(wParam);
        if (QLineEdit* l = Line(impl)) l->setMaxLength(wParam ? int(wParam) : 32767);
        return 0;
    case EM_GETLIMITTEXT: return state->limit ? state->limit : 30000;
    case EM_SETREADONLY:
        if (QLineEdit* l = Line(impl)) l->setReadOnly(wParam != 0);
        else Multi(impl)->setReadOnly(wParam != 0);
        if (wParam) impl.style |= ES_READONLY;
        else impl.style &= ~ES_READONLY;
        return TRUE;
    case EM_GETMODIFY: return Line(impl) ? Line(impl)->isModified() : Multi(impl)->document()->isModified();
    case EM_SETMODIFY:
        if (QLineEdit* l = Line(impl)) l->setModified(wParam != 0);
        else Multi(impl)->document()->setModified(wParam != 0);
        return 0;
    case EM_SETMARGINS:
        if (QLineEdit* l = Line(impl)) l->setTextMargins(LOWORD(lParam), 0, HIWORD(lParam), 0);
        return 0;
    case EM_GETRECT:
    {
        const QRect r = Line(impl) ? Line(impl)->rect() : Multi(impl)->viewport()->geometry();
        *reinterpret_cast<RECT*>(lParam) = FromQRect(r);
        return 0;
    }
    case EM_GETLINECOUNT: return Lines(impl).size();
    case EM_GETFIRSTVISIBLELINE:
        return Line(impl) ? 0 : Multi(impl)->cursorForPosition(QPoint(0, 0)).blockNumber();
    case EM_LINEINDEX:
    {
        const int line = int(LPARAM(std::intptr_t(wParam))) < 0 ? LineOfPos(impl, Selection(impl).second) : int(wParam);
        const int start = LineStart(impl, line);
        return start < 0 ? -1 : ToBytes(impl, start);
    }
    case EM_LINEFROMCHAR:
    {
        const int pos = int(LPARAM(std::intptr_t(wParam))) < 0 ? Selection(impl).first : FromBytes(impl, int(wParam));
        return LineOfPos(impl, pos);
    }
    case EM_LINELENGTH:
    {
        const int pos = int(LPARAM(std::intptr_t(wParam))) < 0 ? Selection(impl).first : FromBytes(impl, int(wParam));
        return Lines(impl).value(LineOfPos(impl, pos)).toUtf8().size();
    }
    case EM_GETLINE:
    {
        // The first WORD of the buffer holds its size, as the platform passes it.
        auto* buffer = reinterpret_cast<char*>(lParam);
        WORD size = 0;
        std::memcpy(&size, buffer, sizeof(size));
        const QByteArray line = Lines(impl).value(int(wParam)).toUtf8();
        const int n = std::min(int(size), int(line.size()));
        std::memcpy(buffer, line.constData(), std::size_t(n));
        return n;
    }
    case EM_POSFROMCHAR:
    {
        const int pos = FromBytes(impl, int(wParam));
        QRect r;
        if (QLineEdit* l = Line(impl))
        {
            const QFontMetrics fm(l->font());
            const QMargins m = l->textMargins();
            r = QRect(m.left() + 2 + fm.horizontalAdvance(l->text().left(pos)), 0, 1, l->height());
        }
        else
        {
            QTextCursor c(Multi(impl)->document());
            c.setPosition(pos);
            r = Multi(impl)->cursorRect(c);
        }
        return MAKELONG(WORD(r.left()), WORD(r.top()));
    }
    case EM_CHARFROMPOS:
    {
        const QPoint p(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        int pos = 0;
        if (QLineEdit* l = Line(impl)) pos = l->cursorPositionAt(p);
        else pos = Multi(impl)->cursorForPosition(p).position();
        return MAKELONG(WORD(ToBytes(impl, pos)), WORD(LineOfPos(impl, pos)));
    }
    case WM_STYLECHANGED:
        if (QLineEdit* l = Line(impl)) l->setEchoMode((impl.style & ES_PASSWORD) ? QLineEdit::Password : QLineEdit::Normal);
        return 0;
    default: handled = false; return 0;
    }
}
} // namespace

QWidget* CreateEditControl(WndImpl& impl, QWidget* parent)
{
    QWidget* widget = nullptr;
    auto* self = &impl;
    if (impl.style & ES_MULTILINE)
    {
        auto* edit = new CTextField(parent);
        edit->setLineWrapMode((impl.style & ES_AUTOHSCROLL) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        edit->setReadOnly(impl.style & ES_READONLY);
        edit->setFrameShape((impl.style & WS_BORDER) || (impl.exStyle & WS_EX_CLIENTEDGE) ? QFrame::StyledPanel : QFrame::NoFrame);
        // Scroll bars only with their styles, and the platform's narrow margin: an edit one line
        // high shows its line whole, with no arrows of a scroll bar squeezed beside it.
        edit->setVerticalScrollBarPolicy((impl.style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy((impl.style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        edit->document()->setDocumentMargin(1);
        QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [self] {
            NotifyParent(*self, EN_UPDATE);
            NotifyParent(*self, EN_CHANGE);
        });
        BridgeWidget(impl, edit->viewport());
        widget = edit;
    }
    else
    {
        auto* edit = new CLineField(parent);
        edit->setFrame((impl.style & WS_BORDER) || (impl.exStyle & WS_EX_CLIENTEDGE));
        edit->setReadOnly(impl.style & ES_READONLY);
        if (impl.style & ES_PASSWORD) edit->setEchoMode(QLineEdit::Password);
        if (impl.style & ES_RIGHT) edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        else if (impl.style & ES_CENTER) edit->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        QObject::connect(edit, &QLineEdit::textChanged, edit, [self, edit](const QString& text) {
            if (JoinedLines(*edit, text)) return; // told as the joined text
            NotifyParent(*self, EN_UPDATE);
            NotifyParent(*self, EN_CHANGE);
        });
        widget = edit;
    }
    auto state = std::make_shared<EditState>();
    impl.controlProc = [state](WndImpl& i, UINT m, WPARAM w, LPARAM l, bool& h) { return EditProc(i, state.get(), m, w, l, h); };
    return widget;
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("EDIT", nullptr, style, rect, parent, id);
}

void CEdit::SetSel(int start, int end, BOOL) { SendMessage(EM_SETSEL, WPARAM(std::intptr_t(start)), LPARAM(end)); }
void CEdit::SetSel(DWORD selection, BOOL noScroll) { SetSel(LOWORD(selection), HIWORD(selection), noScroll); }

void CEdit::GetSel(int& start, int& end) const
{
    DWORD s = 0, e = 0;
    const_cast<CEdit*>(this)->SendMessage(EM_GETSEL, WPARAM(&s), LPARAM(&e));
    start = int(s);
    end = int(e);
}

DWORD CEdit::GetSel() const { return DWORD(const_cast<CEdit*>(this)->SendMessage(EM_GETSEL)); }
void CEdit::ReplaceSel(LPCTSTR text, BOOL canUndo) { SendMessage(EM_REPLACESEL, canUndo, LPARAM(text)); }
void CEdit::Clear() { SendMessage(WM_CLEAR); }
void CEdit::Copy() { SendMessage(WM_COPY); }
void CEdit::Cut() { SendMessage(WM_CUT); }
void CEdit::Paste() { SendMessage(WM_PASTE); }
BOOL CEdit::Undo() { return BOOL(SendMessage(EM_UNDO)); }
BOOL CEdit::CanUndo() const { return BOOL(const_cast<CEdit*>(this)->SendMessage(EM_CANUNDO)); }
void CEdit::SetLimitText(UINT maxChars) { SendMessage(EM_LIMITTEXT, maxChars); }
UINT CEdit::GetLimitText() const { return UINT(const_cast<CEdit*>(this)->SendMessage(EM_GETLIMITTEXT)); }
BOOL CEdit::SetReadOnly(BOOL readOnly) { return BOOL(SendMessage(EM_SETREADONLY, readOnly)); }
BOOL CEdit::GetModify() const { return BOOL(const_cast<CEdit*>(this)->SendMessage(EM_GETMODIFY)); }
void CEdit::SetModify(BOOL modified) { SendMessage(EM_SETMODIFY, modified); }
void CEdit::SetMargins(UINT left, UINT right) { SendMessage(EM_SETMARGINS, 3, MAKELPARAM(int(left), int(right))); }
void CEdit::GetRect(LPRECT rect) const { const_cast<CEdit*>(this)->SendMessage(EM_GETRECT, 0, LPARAM(rect)); }
int CEdit::GetLineCount() const { return int(const_cast<CEdit*>(this)->SendMessage(EM_GETLINECOUNT)); }
int CEdit::GetFirstVisibleLine() const { return int(const_cast<CEdit*>(this)->SendMessage(EM_GETFIRSTVISIBLELINE)); }
int CEdit::LineIndex(int line) const { return int(const_cast<CEdit*>(this)->SendMessage(EM_LINEINDEX, WPARAM(std::intptr_t(line)))); }
int CEdit::LineFromChar(int charIndex) const
{
    return int(const_cast<CEdit*>(this)->SendMessage(EM_LINEFROMCHAR, WPARAM(std::intptr_t(charIndex))));
}
int CEdit::LineLength(int charIndex) const
{
    return int(const_cast<CEdit*>(this)->SendMessage(EM_LINELENGTH, WPARAM(std::intptr_t(charIndex))));
}

int CEdit::GetLine(int index, LPTSTR buffer, int maxLength) const
{
    if (!buffer || maxLength < int(sizeof(WORD))) return 0;
    const WORD size = WORD(maxLength);
    std::memcpy(buffer, &size, sizeof(size));
    return int(const_cast<CEdit*>(this)->SendMessage(EM_GETLINE, WPARAM(index), LPARAM(buffer)));
}

CPoint CEdit::PosFromChar(UINT charIndex) const
{
    const LRESULT r = const_cast<CEdit*>(this)->SendMessage(EM_POSFROMCHAR, charIndex);
    return {short(LOWORD(WPARAM(r))), short(HIWORD(WPARAM(r)))};
}

int CEdit::CharFromPos(CPoint point) const
{
    return int(const_cast<CEdit*>(this)->SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(point.x, point.y)));
}
