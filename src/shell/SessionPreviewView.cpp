#include "shell/SessionPreviewView.h"

#include "datamodel/DataSet.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiConstants.h"

namespace {

constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kDetail = RGB(80, 80, 80);
constexpr int kMargin = 16;
constexpr const char* kTimeFormat = "%Y-%m-%d %H:%M:%S";

} // namespace

BOOL CSessionPreviewView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CSessionPreviewView::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, kBackground);
    CDataSet* dataSet = m_session();
    if (!dataSet)
        return;

    dc.SetBkMode(TRANSPARENT);
    CFont title;
    title.CreateFont(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Sans");
    CFont body;
    body.CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Sans");

    CFont* old = dc.SelectObject(&title);
    dc.SetTextColor(kText);
    int y = kMargin;
    dc.TextOut(kMargin, y, dataSet->GetName());
    y += dc.GetTextExtent(dataSet->GetName()).cy + kMargin / 2;

    dc.SelectObject(&body);
    dc.SetTextColor(kDetail);
    const CString lines[] = {
        dataSet->GetMeasurementConfig().GetDescription(),
        dataSet->GetFirstRecordTime().Format(kTimeFormat) + " - " + dataSet->GetLastRecordTime().Format(kTimeFormat),
        m_document.GetPathName(),
    };
    for (const CString& line : lines) {
        if (line.IsEmpty())
            continue;
        dc.TextOut(kMargin, y, line);
        y += dc.GetTextExtent(line).cy + 4;
    }
    dc.SelectObject(old);
}
