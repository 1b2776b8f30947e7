// Text output of the device context: TextOut, ExtTextOut, DrawText and text measurement.
#include "platform/framework/windows/CDC.h"

#include "platform/framework/windows/DcPainting.h"
#include "platform/framework/windows/FittedText.h"

#include <QFontMetrics>

namespace
{
int LineHeight(const QFontMetrics& fm, UINT format)
{
    return fm.ascent() + fm.descent() + ((format & DT_EXTERNALLEADING) ? std::max(0, fm.leading()) : 0);
}

// Draws one run of text with its cell's top-left corner at a device point.
void DrawRun(const DcState& s, QPoint deviceTopLeft, const QString& text, const QRegion& clip, const int* dx)
{
    if (!s.HasPixels()) return;
    const GdiData& font = dc::FontOf(s);
    const QFontMetrics fm(font.qfont);
    QPainter p(&s.surface->image);
    p.translate(-s.surface->origin);
    p.setClipRegion(clip);
    p.setFont(font.qfont);
    p.setPen(ToQColor(s.attr.textColor));
    if (font.font.lfEscapement != 0)
    {
        p.translate(deviceTopLeft);
        p.rotate(-font.font.lfEscapement / 10.0);
        deviceTopLeft = QPoint(0, 0);
    }
    if (!dx)
    {
        p.drawText(deviceTopLeft + QPoint(0, fm.ascent()), text);
    }
    else
    {
        int x = deviceTopLeft.x();
        for (int i = 0; i < text.size(); ++i)
        {
            p.drawText(QPoint(x, deviceTopLeft.y() + fm.ascent()), QString(text[i]));
            x += dx[i];
        }
    }
    s.Touched(clip.boundingRect());
}

// Removes mnemonic prefixes: "&&" shows one ampersand, a single '&' disappears.
QString StripPrefixes(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i)
    {
        if (text[i] == u'&')
        {
            if (i + 1 < text.size()) out += text[++i];
            continue;
        }
        out += text[i];
    }
    return out;
}

QStringList SplitLines(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t.split(u'\n');
}

// Breaks a line between words so that each piece fits the width; a word wider than the width
// stays whole on its own line.
// The width of a text in a font, measured once: layouts measure the same labels, units, dates and
// wrapped lines again and again, and each measurement shapes the text anew. Texts measured once in
// a while (every value of a scrolled table) do not pile up.
int Advance(const GdiData& font, const QFontMetrics& fm, const QString& text)
{
    constexpr qsizetype kMostWidths = 4096;
    if (const auto known = font.widths.constFind(text); known != font.widths.cend()) return *known;
    if (font.widths.size() >= kMostWidths) font.widths.clear();
    const int width = fm.horizontalAdvance(text);
    font.widths.insert(text, width);
    return width;
}

QStringList WrapLine(const QString& line, const GdiData& font, const QFontMetrics& fm, int width)
{
    // A line that fits whole breaks nowhere (no part of it is wider): one measurement rather than
    // one of every longer beginning of it.
    if (Advance(font, fm, line) <= width) return {line};
    QStringList out;
    QString current;
    // Blanks that begin the line are kept, as the words between them are.
    bool first = true;
    int i = 0;
    while (i < line.size())
    {
        int j = i;
        while (j < line.size() && line[j] != u' ') ++j;
        const QString word = line.mid(i, j - i);
        const QString candidate = first ? word : current + u' ' + word;
        first = false;
        if (!current.isEmpty() && Advance(font, fm, candidate) > width)
        {
            out << current;
            current = word;
        }
        else
        {
            current = candidate;
        }
        i = j + 1;
    }
    out << current;
    return out;
}

QString Ellipsize(const QString& line, const QFontMetrics& fm, int width)
{
    return FitTextIntoRoom(line, fm, QRect(0, 0, width, fm.height()), false);
}
} // namespace

BOOL CDC::TextOut(int x, int y, const CString& text) { return TextOut(x, y, text.GetString(), text.GetLength()); }

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count)
{
    return ExtTextOut(x, y, 0, nullptr, text, UINT(std::max(count, 0)), nullptr);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const int* dx)
{
    return ExtTextOut(x, y, options, rect, text.GetString(), UINT(text.GetLength()), dx);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, const int* dx)
{
    DcState& s = *m_state;
    if (!s.surface) return FALSE;
    if (s.attr.textAlign & TA_UPDATECP)
    {
        x = s.attr.position.x();
        y = s.attr.position.y();
    }
    if (rect && (options & ETO_OPAQUE)) dc::Fill(s, dc::Clipped(s, s.ToDevice(*rect)), s.attr.bkColor);
    const QString q = QString::fromUtf8(text ? text : "", int(count));
    if (q.isEmpty()) return TRUE;
    const GdiData& font = dc::FontOf(s);
    const QFontMetrics fm(font.qfont);
    int width = 0;
    if (dx)
        for (int i = 0; i < q.size(); ++i) width += dx[i];
    else
        width = Advance(font, fm, q);
    const UINT align = s.attr.textAlign;
    int left = x;
    if ((align & TA_CENTER) == TA_CENTER) left = x - width / 2;
    else if (align & TA_RIGHT) left = x - width;
    int top = y;
    if ((align & TA_BASELINE) == TA_BASELINE) top = y - fm.ascent();
    else if (align & TA_BOTTOM) top = y - fm.height();
    if (align & TA_UPDATECP) s.attr.position.rx() = (align & TA_RIGHT) ? left : left + width;

    const QPoint deviceTopLeft = s.ToDevice(left, top);
    QRegion clip = s.EffectiveClip();
    if (rect && (options & ETO_CLIPPED)) clip &= s.ToDevice(*rect);
    if (s.attr.bkMode == OPAQUE) dc::Fill(s, clip & QRect(deviceTopLeft, QSize(width, fm.height())), s.attr.bkColor);
    DrawRun(s, deviceTopLeft, q, clip, dx);
    return TRUE;
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format)
{
    return DrawText(text.GetString(), text.GetLength(), rect, format);
}

int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format)
{
    DcState& s = *m_state;
    if (!rect) return 0;
    QString q = QString::fromUtf8(text ? text : "", count);
    if (!(format & DT_NOPREFIX)) q = StripPrefixes(q);
    if (format & DT_EXPANDTABS) q.replace(u'\t', QStringLiteral("        "));
    if (q.isEmpty())
    {
        if (format & DT_CALCRECT) rect->right = rect->left, rect->bottom = rect->top;
        return 0;
    }
    const GdiData& font = dc::FontOf(s);
    const QFontMetrics fm(font.qfont);
    const int lineHeight = LineHeight(fm, format);
    CRect r(rect);
    QStringList lines;
    if (format & DT_SINGLELINE)
    {
        q.remove(u'\r');
        q.remove(u'\n');
        lines << q;
    }
    else
    {
        for (const QString& line : SplitLines(q))
            lines << ((format & DT_WORDBREAK) ? WrapLine(line, font, fm, r.Width()) : QStringList{line});
    }
    if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS))
        for (QString& line : lines) line = Ellipsize(line, fm, r.Width());

    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, Advance(font, fm, line));
    const int textHeight = lineHeight * int(lines.size());
    if (format & DT_CALCRECT)
    {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + textHeight;
        return textHeight;
    }

    int y = r.top;
    if (format & DT_SINGLELINE)
    {
        if (format & DT_BOTTOM) y = r.bottom - lineHeight;
        else if (format & DT_VCENTER) y = r.top + (r.Height() - lineHeight) / 2;
    }
    QRegion clip = s.EffectiveClip();
    if (!(format & DT_NOCLIP)) clip &= s.ToDevice(r);
    for (const QString& line : lines)
    {
        const int w = Advance(font, fm, line);
        int x = r.left;
        if (format & DT_CENTER) x = r.left + (r.Width() - w) / 2;
        else if (format & DT_RIGHT) x = r.right - w;
        const QPoint topLeft = s.ToDevice(x, y);
        if (s.attr.bkMode == OPAQUE) dc::Fill(s, clip & QRect(topLeft, QSize(w, lineHeight)), s.attr.bkColor);
        if (!line.isEmpty()) DrawRun(s, topLeft, line, clip, nullptr);
        y += lineHeight;
    }
    return (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)) ? y - r.top : textHeight;
}

CSize CDC::GetTextExtent(const CString& text) const { return GetTextExtent(text.GetString(), text.GetLength()); }

CSize CDC::GetTextExtent(LPCTSTR text, int count) const
{
    const GdiData& font = dc::FontOf(*m_state);
    const QFontMetrics fm(font.qfont);
    return {Advance(font, fm, QString::fromUtf8(text ? text : "", count)), fm.height()};
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC metrics) const
{
    if (!metrics) return FALSE;
    const GdiData& font = dc::FontOf(*m_state);
    const QFontMetrics fm(font.qfont);
    *metrics = TEXTMETRIC{};
    metrics->tmAscent = fm.ascent();
    metrics->tmDescent = fm.descent();
    metrics->tmHeight = fm.ascent() + fm.descent();
    metrics->tmInternalLeading = std::max(0, metrics->tmHeight - font.qfont.pixelSize());
    metrics->tmExternalLeading = std::max(0, fm.leading());
    metrics->tmAveCharWidth = fm.averageCharWidth();
    metrics->tmMaxCharWidth = fm.maxWidth();
    metrics->tmWeight = font.font.lfWeight ? font.font.lfWeight : FW_NORMAL;
    metrics->tmItalic = font.font.lfItalic;
    metrics->tmUnderlined = font.font.lfUnderline;
    metrics->tmStruckOut = font.font.lfStrikeOut;
    metrics->tmPitchAndFamily = font.font.lfPitchAndFamily;
    metrics->tmCharSet = font.font.lfCharSet;
    return TRUE;
}
