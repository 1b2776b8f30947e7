#include "platform/reportengine/MemoText.h"

#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace
{
// A device with the reference resolution: fonts are measured against it.
const QPaintDevice& ReferenceDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        int dotsPerMetre = int(std::lround(kReferenceDpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

Qt::Alignment HorizontalAlignment(EReportAlign align)
{
    switch (align)
    {
    case EReportAlign::kCenter:
        return Qt::AlignHCenter;
    case EReportAlign::kRight:
        return Qt::AlignRight;
    case EReportAlign::kLeft:
        break;
    }
    return Qt::AlignLeft;
}

// Lays the text out in the memo's width; returns the height of all lines (reference units).
double LayOut(QTextLayout& layout, const SPreparedItem& item)
{
    QTextOption option(HorizontalAlignment(item.align));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    double width = std::max(1.0, MmToReference(item.rect.width() - 2 * kMemoPaddingX));
    double y = 0.0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
    {
        line.setLineWidth(width);
        line.setPosition(QPointF(0.0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}

QString ShownText(const CString& text)
{
    QString shown = QString::fromUtf8(text.GetString(), text.GetLength());
    shown.remove(QChar('\r'));
    shown.replace(QChar('\n'), QChar::LineSeparator);
    return shown;
}
} // namespace

QFont MakeReportFont(const SReportFont& font)
{
    QFont result(QString::fromUtf8(font.family.GetString()));
    result.setPointSizeF(font.size);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setHintingPreference(QFont::PreferNoHinting);
    // No ligatures: a PDF reader finds "fi" in "Configured" only when it is written as two letters.
    result.setStyleStrategy(QFont::StyleStrategy(QFont::ForceOutline | QFont::PreferNoShaping));
    return result;
}

double MeasureMemoHeight(const SPreparedItem& item)
{
    if (item.text.IsEmpty())
        return 0.0;
    QTextLayout layout(ShownText(item.text), MakeReportFont(item.font), &ReferenceDevice());
    return ReferenceToMm(LayOut(layout, item)) + 2 * kMemoPaddingY;
}

void DrawMemoText(QPainter& painter, const SPreparedItem& item, const CString& text)
{
    if (text.IsEmpty())
        return;
    QTextLayout layout(ShownText(text), MakeReportFont(item.font), &ReferenceDevice());
    double height = LayOut(layout, item);
    double top = MmToReference(item.rect.top() + kMemoPaddingY);
    if (item.centerVertically)
        top = MmToReference(item.rect.center().y()) - height / 2.0;
    painter.setPen(item.color);
    layout.draw(&painter, QPointF(MmToReference(item.rect.left() + kMemoPaddingX), top));
}
