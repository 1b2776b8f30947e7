#pragma once
// Paints a prepared page: on a PDF page, into the preview, into an image.
#include "platform/reportengine/PreparedReport.h"

#include <QImage>

class QPainter;

// Where a picture is drawn in its rectangle: scaled to fit, keeping its proportions, centred (the
// whole rectangle when there is no picture). Its frame goes around this.
QRectF FittedPictureRect(const QRectF& rect, const QImage& picture);

// The painter's device shows the whole page; `deviceDpi` is the device's resolution.
void RenderPreparedPage(QPainter& painter, const SPreparedPage& page, int pageNumber, int pageCount, double deviceDpi);
// The page as a white image at that resolution.
QImage RenderPageImage(const SPreparedPage& page, int pageNumber, int pageCount, double dpi);
