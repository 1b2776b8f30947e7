#pragma once
// CReportPageView: what the two report pages share: a scrolled stack of grids on the
// page colour, the rebuild from the project after every document update (deferred to the message
// loop, as an update may come from inside one of the grids the rebuild replaces), and the
// report view settings read from and stored into the project.
#include "project/ReportViewSettings.h"
#include "views/ScrolledGridPage.h"

class CReportPageView : public CScrolledGridPage
{
public:
    static constexpr UINT kTemplateId = 1137;
    // Posted to the page itself: rebuild from the project.
    static constexpr UINT WM_REPORT_REBUILD = WM_USER + 38;

    CReportPageView();

    void OnInitialUpdate() override;
    void UpdateScrollSizes() override;
    // Rebuilds the page from the project now.
    virtual void Rebuild() = 0;

    // A copy of the project's report view settings (defaults when it keeps none).
    CReportViewSettings ReadReportSettings() const;
    // The settings become the project's report view settings.
    void StoreReportSettings(const CReportViewSettings& settings) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;

    // The size of the page's content.
    virtual int ContentHeight() const = 0;
    virtual int ContentWidth() const { return 0; }
    bool IsScrolledToBottom() const;
    void RequestRebuild();

private:
    bool m_rebuildPosted = false;
};
