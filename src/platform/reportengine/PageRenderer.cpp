#include "platform/reportengine/PageRenderer.h"

#include "platform/reportengine/MemoText.h"
#include "platform/reportengine/ReportScript.h"

#include <QPainter>

#include <cmath>

namespace
{
QRectF ToReference(const QRectF& mm)
{
    return QRectF(MmToReference(mm.left()), MmToReference(mm.top()), MmToReference(mm.width()),
                  MmToReference(mm.height()));
}

void DrawFrame(QPainter& painter, const QRectF& r, unsigned frame)
{
    if (frame == kFrameNone)
        return;
    painter.setPen(QPen(Qt::black, MmToReference(0.2)));
    if (frame & kFrameLeft)
        painter.drawLine(r.topLeft(), r.bottomLeft());
    if (frame & kFrameTop)
        painter.drawLine(r.topLeft(), r.topRight());
    if (frame & kFrameRight)
        painter.drawLine(r.topRight(), r.bottomRight());
    if (frame & kFrameBottom)
        painter.drawLine(r.bottomLeft(), r.bottomRight());
}
} // namespace

QRectF FittedPictureRect(const QRectF& rect, const QImage& picture)
{
    if (picture.isNull() || picture.width() == 0 || picture.height() == 0)
        return rect;
    double scale = std::min(rect.width() / picture.width(), rect.height() / picture.height());
    QSizeF size(picture.width() * scale, picture.height() * scale);
    return QRectF(QPointF(rect.center().x() - size.width() / 2, rect.center().y() - size.height() / 2), size);
}

void RenderPreparedPage(QPainter& painter, const SPreparedPage& page, int pageNumber, int pageCount, double deviceDpi)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(deviceDpi / kReferenceDpi, deviceDpi / kReferenceDpi);
    for (const auto& band : page.bands)
    {
        for (const auto& item : band.items)
        {
            QRectF r = ToReference(item.rect);
            if (item.fill.isValid())
                painter.fillRect(r, item.fill);
            switch (item.kind)
            {
            case CReportComponent::EKind::kMemo:
                DrawMemoText(painter, item, ResolvePageMarkers(item.text, pageNumber, pageCount));
                break;
            case CReportComponent::EKind::kPicture:
                r = ToReference(FittedPictureRect(item.rect, item.picture));
                if (!item.picture.isNull())
                    painter.drawImage(r, item.picture);
                break;
            case CReportComponent::EKind::kLine:
                painter.setPen(QPen(item.color, std::max(MmToReference(0.2), r.height())));
                painter.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
                break;
            }
            DrawFrame(painter, r, item.frame);
        }
    }
    painter.restore();
}

QImage RenderPageImage(const SPreparedPage& page, int pageNumber, int pageCount, double dpi)
{
    QSize size(int(std::lround(page.setup.width / 25.4 * dpi)), int(std::lround(page.setup.height / 25.4 * dpi)));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    int dotsPerMetre = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    RenderPreparedPage(painter, page, pageNumber, pageCount, dpi);
    return image;
}
