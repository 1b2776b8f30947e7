#include "views/RecordFormView.h"

#include "platform/chart/CiPlotX.h"
#include "project/ProjectSettings.h"
#include "project/RecDoc.h"

CRecordFormView::CRecordFormView(int settingsKind) : CMyFormView(kTemplateId), m_settingsKind(settingsKind) {}

CViewSettings* CRecordFormView::GetStoredViewSettings() const
{
    const CProjectSettings* project = GetDocument() ? GetDocument()->GetProjectSettings() : nullptr;
    return project ? project->GetViewSettings(m_settingsKind) : nullptr;
}

void CRecordFormView::SaveViewSettings(CProjectSettings* project)
{
    if (!project && GetDocument())
        project = GetDocument()->GetProjectSettings();
    if (const CViewSettings* settings = GetViewSettings(); settings && project)
        project->SetViewSettings(m_settingsKind, settings);
}

void CRecordFormView::OnDestroy()
{
    SaveViewSettings(nullptr);
    CMyFormView::OnDestroy();
}

void CRecordFormView::OnSize(UINT type, int cx, int cy)
{
    CMyFormView::OnSize(type, cx, cy);
    if (m_ready && cx > 0 && cy > 0)
        RecalcLayout();
}

void CRecordFormView::OnPlotChannelPointEvent(int channel, int point)
{
    CiPlotX* plot = GetPlot();
    if (plot && plot->GetChannel(channel) && point >= 0)
        plot->Repaint();
}

void CRecordFormView::OnPlotYAxisUserChange(int axis, double oldMin, double oldSpan, double newMin, double newSpan)
{
    CiPlotX* plot = GetPlot();
    if (!plot || !plot->GetYAxis(axis) || (oldMin == newMin && oldSpan == newSpan))
        return;
    if (plot->GetSafeHwnd() && CWnd::GetFocus() == plot)
        ClearYAxisAutoFlag(axis);
}
