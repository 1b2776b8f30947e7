#pragma once
// CRecordFormView: the base of the study views that show a view id's stored settings. It tells
// the document which settings it shows, and keeps a copy of its settings in the project when
// asked and when its window goes.
#include "project/IRecordFormView.h"
#include "views/MyFormView.h"

class CiPlotX;
class CViewSettings;

class CRecordFormView : public CMyFormView, public IRecordFormView
{
public:
    static constexpr UINT kTemplateId = 1138;

    explicit CRecordFormView(int settingsKind);

    int GetSettingsKind() const override { return m_settingsKind; }
    // Stores a clone of the view's settings at its view id in the project (the document's when
    // null); nothing while the view has no settings of its own.
    void SaveViewSettings(CProjectSettings* project) override;
    // The settings the project keeps for the view's id; null when there are none.
    CViewSettings* GetStoredViewSettings() const;
    // Set once the view has laid itself out; layouts before that are skipped.
    bool IsReady() const { return m_ready; }
    void SetReady(bool ready) { m_ready = ready; }
    // Lays the view's own windows out for its client size; skipped until the view is ready.
    virtual void RecalcLayout() {}

    void OnSize(UINT type, int cx, int cy) override;

protected:
    // The settings the view works on; the derived views hold them.
    virtual const CViewSettings* GetViewSettings() const { return nullptr; }
    // The view's chart; null for views without one.
    virtual CiPlotX* GetPlot() { return nullptr; }
    // A Y axis the user has ranged by hand no longer follows the data: its entries are made manual.
    virtual void ClearYAxisAutoFlag(int /*axis*/) {}

    // A click on a channel's data point: the channels are drawn again.
    void OnPlotChannelPointEvent(int channel, int point);
    // The user moved or zoomed a Y axis of the chart (old minimum and span, new minimum and span).
    // Only a change made while the chart has the focus is the user's; the view's own range
    // changes leave the automatic flags alone.
    void OnPlotYAxisUserChange(int axis, double oldMin, double oldSpan, double newMin, double newSpan);
    void OnDestroy() override;

private:
    int m_settingsKind;
    bool m_ready = false;
};
