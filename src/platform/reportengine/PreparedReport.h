#pragma once
// Prepared pages: what every band instance printed, placed on its page. Texts are final except
// for the page markers of ReportScript.h, which the output numbers. Lengths are millimetres from
// the page's top left corner.
#include "platform/reportengine/ReportObjects.h"

#include <vector>

struct SPreparedItem
{
    CReportComponent::EKind kind = CReportComponent::EKind::kMemo;
    QRectF rect;
    CString text;
    SReportFont font;
    EReportAlign align = EReportAlign::kLeft;
    bool centerVertically = false;
    unsigned frame = kFrameNone;
    QColor fill;
    QColor color = Qt::black;
    QImage picture;
};

struct SPreparedBand
{
    QRectF rect;
    std::vector<SPreparedItem> items;
    // The page footer: flowing outputs repeat it at the bottom of their own pages.
    bool pageFooter = false;
};

struct SPreparedPage
{
    SReportPageSetup setup;
    std::vector<SPreparedBand> bands;
};
