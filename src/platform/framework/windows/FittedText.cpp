#include "platform/framework/windows/FittedText.h"

#include <QEvent>
#include <QFontMetrics>
#include <QWidget>

#include <algorithm>
#include <climits>

namespace
{
const QChar kEllipsis(0x2026);

bool Fits(const QString& text, const QFontMetrics& metrics, const QRect& room, bool wraps, bool mnemonics)
{
    if (!wraps)
    {
        for (const QString& line : text.split(u'\n'))
            if (metrics.size(mnemonics ? Qt::TextShowMnemonic : 0, line).width() > room.width())
                return false;
        return true;
    }
    // A room lower than a line still holds one: the text is cut only where a line does not fit.
    const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), INT_MAX / 2), Qt::TextWordWrap, text);
    return needed.width() <= room.width() && needed.height() <= std::max(room.height(), metrics.height());
}
} // namespace

QString WithoutMnemonics(const QString& text)
{
    QString out;
    for (int i = 0; i < text.size(); ++i)
    {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        else if (text[i] == u'&')
            continue;
        out += text[i];
    }
    return out;
}

QString FitTextIntoRoom(const QString& whole, const QFontMetrics& metrics, const QRect& room, bool wraps, bool mnemonics)
{
    if (whole.isEmpty() || Fits(whole, metrics, room, wraps, mnemonics))
        return whole;
    const QString text = mnemonics ? WithoutMnemonics(whole) : whole;
    // The longest beginning that fits with the ellipsis after it; nothing but the ellipsis when
    // even one character does not.
    int fitting = 0;
    int tooLong = int(text.size());
    while (tooLong - fitting > 1)
    {
        const int middle = (fitting + tooLong) / 2;
        if (Fits(text.left(middle).trimmed() + kEllipsis, metrics, room, wraps, false))
            fitting = middle;
        else
            tooLong = middle;
    }
    if (fitting > 0 && text[fitting - 1].isHighSurrogate())
        --fitting;
    const QString shown = text.left(fitting).trimmed() + kEllipsis;
    return mnemonics ? QString(shown).replace(u'&', QStringLiteral("&&")) : shown;
}

CFittedText::CFittedText(QWidget& widget, bool wraps, bool mnemonics, Room room, Show show)
    : QObject(&widget), m_widget(widget), m_wraps(wraps), m_mnemonics(mnemonics), m_room(std::move(room)),
      m_show(std::move(show))
{
    widget.installEventFilter(this);
}

void CFittedText::SetText(const QString& text)
{
    m_text = text;
    Fit();
}

bool CFittedText::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type())
    {
    case QEvent::Resize:
        // Only a new room needs a new fit: a window shown for the first time hears of the size
        // it was given while hidden, which its text was fitted to then.
        if (watched == &m_widget && m_room(m_widget) != m_fittedRoom)
            Fit();
        break;
    case QEvent::FontChange:
    case QEvent::StyleChange:
        if (watched == &m_widget)
            Fit();
        break;
    default: break;
    }
    return false;
}

void CFittedText::Fit()
{
    m_fittedRoom = m_room(m_widget);
    const QString shown = FitTextIntoRoom(m_text, m_widget.fontMetrics(), m_fittedRoom, m_wraps, m_mnemonics);
    m_show(shown);
    const bool cut = shown != m_text;
    if (cut)
        m_widget.setToolTip(m_mnemonics ? WithoutMnemonics(m_text) : m_text);
    else if (m_cut)
        m_widget.setToolTip(QString());
    m_cut = cut;
}
