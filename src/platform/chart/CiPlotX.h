#pragma once
// CiPlotX: the time-series chart of the study graphs, a window control drawn by the chart itself.
// It holds up to four X axes of dates and any number of Y axes, the data channels, two X-axis
// data cursors, limits and labels, and fires its events (PlotEvents.h) at the owner's sink in
// the order the user's mouse and keys cause them. Everything is reached by index or by name; an
// index of -1 (a name not found) makes an operation a no-op.
//
// The picture is drawn again when the window paints, after EndUpdate, and on Repaint; between
// BeginUpdate and EndUpdate nothing is drawn. Channels with more points than the plot has pixel
// columns are drawn from each column's first, lowest, highest and last point, which gives the
// same pixels as drawing every point.
#include "platform/chart/PlotAxis.h"
#include "platform/chart/PlotChannel.h"
#include "platform/chart/PlotEvents.h"
#include "platform/chart/PlotLayout.h"
#include "platform/chart/PlotObjects.h"
#include "platform/framework/windows/CWnd.h"

#include <array>
#include <memory>
#include <vector>

class CBitmap;
struct SPlotPicture; // the rendered image, private to the chart

// What lies under a point of the chart.
struct SPlotHit
{
    enum Kind { None, Plot, XAxis, YAxis, Cursor, Limit, Label, ChannelPoint };
    Kind kind = None;
    int index = -1; // axis, cursor, limit, label or channel index
    int point = -1; // the channel's point
};

// The picture of one thumbnail: only the visible channels of one X axis over [start,
// start + span], against a common Y range, without axes, cursors, limits or labels.
struct SPlotThumbnailRequest
{
    int xAxis = 0;
    double start = 0.0;
    double span = 1.0;
    double yMin = 0.0;
    double yMax = 1.0;
    int width = 195;
    int height = 130;
};

class CiPlotX : public CWnd
{
public:
    static constexpr int kCursorCount = 2;
    static constexpr COLORREF kDefaultBackground = RGB(255, 255, 255);

    CiPlotX();
    ~CiPlotX() override;

    // ---- window
    using CWnd::Create;
    BOOL Create(const RECT& rect, CWnd* parent, UINT id);
    // The picture size used without a window (and set by the window's size).
    void SetPictureSize(int width, int height);
    CSize GetPictureSize() const { return m_size; }
    void SetEventSink(IPlotEventSink* sink) { m_sink = sink; }
    const CString& GetText() const { return m_text; }
    void SetText(const CString& text) { m_text = text; }

    // ---- X axes
    int GetXAxisCount() const { return int(m_xAxes.size()); }
    int AddXAxis(const CString& name);
    CPlotXAxis* GetXAxis(int index);
    const CPlotXAxis* GetXAxis(int index) const;
    int FindXAxis(const CString& name) const;
    void RemoveAllXAxes() { m_xAxes.clear(); }
    // Both false when the range is not showable; the axis keeps its last valid range.
    bool SetXAxisRange(int index, double minimum, double span);

    // ---- Y axes
    int GetYAxisCount() const { return int(m_yAxes.size()); }
    int AddYAxis(const CString& name);
    CPlotYAxis* GetYAxis(int index);
    // The axis's title as the chart draws it along its band: whole, or cut to end with "…"
    // where the band is shorter than the title.
    CString GetShownYAxisTitle(int index) const;
    const CPlotYAxis* GetYAxis(int index) const;
    int FindYAxis(const CString& name) const;
    void RemoveAllYAxes() { m_yAxes.clear(); }
    bool SetYAxisRange(int index, double minimum, double span);
    // Every automatic Y axis takes the range of its visible, enabled channels (a flat range is
    // widened to a showable one; an axis without data keeps its range).
    void AutoScaleYAxes();

    // ---- channels
    int GetChannelCount() const { return int(m_channels.size()); }
    int AddChannel(const CString& name, const CString& xAxisName, const CString& yAxisName);
    CPlotChannel* GetChannel(int index);
    const CPlotChannel* GetChannel(int index) const;
    int FindChannel(const CString& name) const;
    void RemoveAllChannels();
    bool HasVisibleChannel() const;

    // ---- data cursors
    SPlotDataCursor& GetCursor(int index) { return m_cursors[std::size_t(index)]; }
    const SPlotDataCursor& GetCursor(int index) const { return m_cursors[std::size_t(index)]; }
    int FindCursor(const CString& name) const;
    // Puts the cursor on the point of its channel at or before x (the first point before it),
    // then asks the owner for its readout (event 49).
    void SetCursorPosition(int index, double x);
    // The cursor the user clicked last; -1 before any was.
    int GetActiveCursor() const { return m_activeCursor; }
    void RefreshCursorReadouts();
    // Whether a cursor is drawn: shown, on a visible channel, within what the channel's axis shows.
    bool IsCursorInSight(int index) const;
    // Where the readout box of a shown cursor is drawn (empty when none is): beside its line at
    // its readout position, kept inside the plot.
    CRect GetCursorReadoutBox(int index) const;

    // ---- limits (bands) and labels (annotations)
    int GetLimitCount() const { return int(m_limits.size()); }
    int AddLimit(const SPlotLimit& limit);
    SPlotLimit* GetLimit(int index);
    const SPlotLimit* GetLimit(int index) const;
    int FindLimit(const CString& name) const;
    void RemoveAllLimits() { m_limits.clear(); }
    int GetLabelCount() const { return int(m_labels.size()); }
    int AddLabel(const SPlotLabel& label);
    SPlotLabel* GetLabel(int index);
    const SPlotLabel* GetLabel(int index) const;
    int FindLabel(const CString& name) const;
    // The box a text label's text is drawn in (chart pixels, in the current layout): a filled
    // one (a text box) whole inside the plot; empty for a label that is not drawn.
    CRect GetLabelBox(int index) const;
    // Removes every label of that name.
    void DeleteLabels(const CString& name);
    void RemoveAllLabels() { m_labels.clear(); }
    // The label is drawn last (over the others) and so takes a click first.
    void BringLabelToFront(int index);

    // ---- user interaction
    // Whether the user may scroll and zoom the axes by dragging them.
    void EnableAxisDrag(bool xAxes, bool yAxes)
    {
        m_xAxisDrag = xAxes;
        m_yAxisDrag = yAxes;
    }

    // ---- plot area
    COLORREF GetPlotBackground() const { return m_plotBackground; }
    void SetPlotBackground(COLORREF color) { m_plotBackground = color; }
    // A dotted rectangle over the plot (the zoom rectangle being drawn); an empty one hides it.
    void SetZoomRect(const CRect& rect) { m_zoomRect = rect; }
    const CRect& GetZoomRect() const { return m_zoomRect; }
    const SPlotLayout& GetLayout() const { return m_layout; }
    // The chart's height less the plot area's: the room the axes and margins take.
    int GetReservedHeight() const { return m_size.cy - m_layout.plot.Height(); }
    void RecalcLayout();

    // ---- value <-> pixel (in the current layout); NaN for a missing axis
    double XValueToPixel(int axis, double value) const;
    double XPixelToValue(int axis, double pixel) const;
    double YValueToPixel(int axis, double value) const;
    double YPixelToValue(int axis, double pixel) const;
    SPlotHit HitTest(int x, int y) const;

    // ---- drawing
    void BeginUpdate() { ++m_updateDepth; }
    void EndUpdate();
    bool IsUpdating() const { return m_updateDepth > 0; }
    // Draws the picture again now (nothing while updating).
    void Repaint();
    int GetRenderCount() const { return m_renderCount; }
    // Draws every point (tests compare this with the decimated picture).
    void SetDecimation(bool on) { m_decimate = on; }
    // The current picture as a 24-bit uncompressed Windows bitmap (file and information header).
    std::vector<BYTE> GetBitmapBytes();
    bool SaveImageToBitmap(const CString& path);
    bool CopyToBitmap(CBitmap& bitmap);
    // One thumbnail as a bitmap file (uncompressed, with a colour table when its few colours
    // allow); the chart's own state is not changed.
    bool SaveThumbnail(const SPlotThumbnailRequest& request, const CString& path);

    // ---- user input (the window's messages arrive here; tests call them directly)
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
    void DoubleClick(int button, int shift, int x, int y);
    void KeyDown(int key, int shift);
    void KeyUp(int key, int shift);

    // The rendered picture at a device pixel ratio (private to the chart's drawing code and its
    // tests).
    const SPlotPicture& Picture(double ratio = 1.0);

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnKeyDown(UINT nChar, UINT repeatCount, UINT flags) override;
    void OnKeyUp(UINT nChar, UINT repeatCount, UINT flags) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    UINT OnGetDlgCode() override;

private:
    friend class CPlotRenderer;

    enum class EDrag { None, XAxis, YAxis, Cursor, Limit, Label, Press };
    struct SDrag
    {
        EDrag kind = EDrag::None;
        int index = -1;
        int startX = 0, startY = 0;
        double startMin = 0.0, startSpan = 0.0; // axis drags
        double startPos = 0.0, startPos2 = 0.0; // object drags
        bool moved = false;
        bool zoom = false;
        SPlotHit hit;
    };

    SPlotEvent Fire(int id, SPlotEvent event);
    void Render(double ratio);
    void DragTo(int shift, int x, int y);
    void EndDrag(int button, int shift, int x, int y);
    void ContextMenu(const SPlotHit& hit, int x, int y);
    void MoveActiveCursorByKey(int key);
    double XAxisValueAt(const CString& axisName, int x) const;
    double YValueForChannel(const CPlotChannel& channel, int point) const;

    std::vector<CPlotXAxis> m_xAxes;
    std::vector<CPlotYAxis> m_yAxes;
    std::vector<CPlotChannel> m_channels;
    std::array<SPlotDataCursor, kCursorCount> m_cursors;
    std::vector<SPlotLimit> m_limits;
    std::vector<SPlotLabel> m_labels;
    COLORREF m_plotBackground = kDefaultBackground;
    CString m_text;
    CRect m_zoomRect;
    CSize m_size{640, 400};
    SPlotLayout m_layout;
    IPlotEventSink* m_sink = nullptr;
    int m_updateDepth = 0;
    int m_renderCount = 0;
    bool m_decimate = true;
    bool m_xAxisDrag = true;
    bool m_yAxisDrag = true;
    bool m_dirty = true;
    int m_activeCursor = -1; // none clicked yet
    int m_buttons = 0;
    SDrag m_drag;
    std::unique_ptr<SPlotPicture> m_picture;
};
