#include "platform/chart/CiPlotX.h"

#include "platform/chart/PlotPicture.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/PaintedControl.h"
#include "platform/framework/windows/QtBridge.h"

#include <QFile>
#include <QFontMetrics>
#include <QCoreApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <limits>

namespace {

constexpr char kClassName[] = "OrnPlotX";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kFocusInset = 1;

// The painted control behind a chart window: it shows the chart's picture.
class CPlotControl : public CPaintedControl
{
public:
    void Paint(QPainter& painter, const QRect& clientRect) override
    {
        auto* chart = dynamic_cast<CiPlotX*>(GetWindow());
        if (!chart) {
            painter.fillRect(clientRect, Qt::white);
            return;
        }
        // Drawn at the screen's resolution: curves as fine as the text.
        painter.drawImage(QPoint(0, 0), chart->Picture(painter.device()->devicePixelRatioF()).image);
        // Where the keyboard is: a dotted frame inside the edge, over the picture.
        if (CWnd::GetFocus() == chart) {
            painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(clientRect.adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
        }
    }
};

template <typename T>
int FindByName(const std::vector<T>& items, const CString& name)
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].GetName() == name)
            return int(i);
    return -1;
}

template <typename T>
int FindObject(const std::vector<T>& items, const CString& name)
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].name == name)
            return int(i);
    return -1;
}

template <typename T>
T* At(std::vector<T>& items, int index)
{
    return index >= 0 && index < int(items.size()) ? &items[std::size_t(index)] : nullptr;
}

template <typename T>
const T* At(const std::vector<T>& items, int index)
{
    return index >= 0 && index < int(items.size()) ? &items[std::size_t(index)] : nullptr;
}

} // namespace

CiPlotX::CiPlotX() : m_picture(std::make_unique<SPlotPicture>())
{
    for (int i = 0; i < kCursorCount; ++i)
        m_cursors[std::size_t(i)].name.Format("Cursor%d", i + 1);
    RecalcLayout();
}

CiPlotX::~CiPlotX() = default;

BOOL CiPlotX::Create(const RECT& rect, CWnd* parent, UINT id)
{
    static const bool registered = RegisterPaintedControl(kClassName, [] { return std::make_unique<CPlotControl>(); });
    (void)registered;
    return CWnd::Create(kClassName, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, parent, id);
}

void CiPlotX::SetPictureSize(int width, int height)
{
    m_size = CSize(std::max(width, 1), std::max(height, 1));
    RecalcLayout();
}

// ---- axes

int CiPlotX::AddXAxis(const CString& name)
{
    m_xAxes.emplace_back(name);
    return int(m_xAxes.size()) - 1;
}

CPlotXAxis* CiPlotX::GetXAxis(int index) { return At(m_xAxes, index); }
const CPlotXAxis* CiPlotX::GetXAxis(int index) const { return At(m_xAxes, index); }
int CiPlotX::FindXAxis(const CString& name) const { return FindByName(m_xAxes, name); }

bool CiPlotX::SetXAxisRange(int index, double minimum, double span)
{
    CPlotXAxis* axis = GetXAxis(index);
    return axis && axis->SetMinSpan(minimum, span);
}

CString CiPlotX::GetShownYAxisTitle(int index) const
{
    const CPlotYAxis* axis = GetYAxis(index);
    if (!axis || std::size_t(index) >= m_layout.yAxisBands.size())
        return axis ? axis->GetTitle() : CString();
    return FitAxisTitle(axis->GetTitle(), m_layout.yAxisBands[std::size_t(index)].Height());
}

int CiPlotX::AddYAxis(const CString& name)
{
    m_yAxes.emplace_back(name);
    return int(m_yAxes.size()) - 1;
}

CPlotYAxis* CiPlotX::GetYAxis(int index) { return At(m_yAxes, index); }
const CPlotYAxis* CiPlotX::GetYAxis(int index) const { return At(m_yAxes, index); }
int CiPlotX::FindYAxis(const CString& name) const { return FindByName(m_yAxes, name); }

bool CiPlotX::SetYAxisRange(int index, double minimum, double span)
{
    CPlotYAxis* axis = GetYAxis(index);
    return axis && axis->SetMinSpan(minimum, span);
}

void CiPlotX::AutoScaleYAxes()
{
    for (auto& axis : m_yAxes) {
        if (axis.IsManual())
            continue;
        double low = std::numeric_limits<double>::infinity(), high = -low;
        for (const auto& channel : m_channels) {
            double a = 0, b = 0;
            if (channel.IsVisible() && channel.IsEnabled() && channel.GetYAxisName() == axis.GetName() &&
                channel.GetDataRange(a, b)) {
                low = std::min(low, a);
                high = std::max(high, b);
            }
        }
        if (!(low <= high))
            continue; // no data: the last range stays
        double margin = (high - low) * 0.05;
        if (!(margin > 0.0))
            margin = std::max(std::fabs(low) * 0.1, 1.0);
        axis.SetMinSpan(low - margin, high - low + 2 * margin);
    }
}

// ---- channels

int CiPlotX::AddChannel(const CString& name, const CString& xAxisName, const CString& yAxisName)
{
    CPlotChannel channel(name);
    channel.SetXAxisName(xAxisName);
    channel.SetYAxisName(yAxisName);
    m_channels.push_back(std::move(channel));
    return int(m_channels.size()) - 1;
}

CPlotChannel* CiPlotX::GetChannel(int index) { return At(m_channels, index); }
const CPlotChannel* CiPlotX::GetChannel(int index) const { return At(m_channels, index); }
int CiPlotX::FindChannel(const CString& name) const { return FindByName(m_channels, name); }

void CiPlotX::RemoveAllChannels()
{
    m_channels.clear();
}

bool CiPlotX::HasVisibleChannel() const
{
    for (const auto& channel : m_channels)
        if (channel.IsVisible() && channel.IsEnabled())
            return true;
    return false;
}

// ---- cursors

int CiPlotX::FindCursor(const CString& name) const
{
    for (int i = 0; i < kCursorCount; ++i)
        if (m_cursors[std::size_t(i)].name == name)
            return i;
    return -1;
}

void CiPlotX::SetCursorPosition(int index, double x)
{
    if (index < 0 || index >= kCursorCount || !std::isfinite(x))
        return;
    SPlotDataCursor& cursor = m_cursors[std::size_t(index)];
    if (const CPlotChannel* channel = GetChannel(FindChannel(cursor.channelName)); channel && channel->GetCount() > 0) {
        const int point = std::max(0, channel->GetIndexOfX(x));
        x = channel->GetXValue(point);
    }
    cursor.position = x;
    SPlotEvent event;
    event.index = index;
    cursor.readout = Fire(PlotEvent::CursorReadout, event).text;
}

bool CiPlotX::IsCursorInSight(int index) const
{
    if (index < 0 || index >= kCursorCount)
        return false;
    // A cursor on a hidden curve, or beyond what its axis shows, is not drawn: its readout would
    // stand at the plot's edge for a value the user cannot see.
    const SPlotDataCursor& cursor = m_cursors[std::size_t(index)];
    const CPlotChannel* channel = GetChannel(FindChannel(cursor.channelName));
    const CPlotXAxis* axis = channel ? GetXAxis(FindXAxis(channel->GetXAxisName())) : nullptr;
    return cursor.IsShown() && channel && channel->IsVisible() && axis && cursor.position >= axis->GetMin() &&
           cursor.position <= axis->GetMax();
}

void CiPlotX::RefreshCursorReadouts()
{
    for (int i = 0; i < kCursorCount; ++i)
        if (m_cursors[std::size_t(i)].IsShown()) {
            SPlotEvent event;
            event.index = i;
            m_cursors[std::size_t(i)].readout = Fire(PlotEvent::CursorReadout, event).text;
        }
}

namespace {

// The box of a text drawn in the plot's font: its lines with that margin around them.
CRect TextBox(const CString& text, int marginX, int marginY)
{
    const QRect lines = QFontMetrics(PlotAxisFont()).boundingRect(QRect(0, 0, 400, 200), Qt::AlignLeft, ToQString(text));
    return CRect(0, 0, lines.width() + 2 * marginX, lines.height() + 2 * marginY);
}

// A box of text moved into the plot, which the picture clips it to: on a plot a large scale
// makes low, one near an edge would lose its first line or its end.
CRect KeptInside(CRect box, const CRect& plot)
{
    box.OffsetRect(std::min(0, int(plot.right - box.right)), std::min(0, int(plot.bottom - box.bottom)));
    box.OffsetRect(std::max(0, int(plot.left - box.left)), std::max(0, int(plot.top - box.top)));
    return box;
}

// The pixel of a coordinate, bounded so that far-off values stay integers.
int PixelNear(double value)
{
    return int(std::lround(std::clamp(value, -1e6, 1e6)));
}

} // namespace

CRect CiPlotX::GetCursorReadoutBox(int index) const
{
    if (index < 0 || index >= kCursorCount)
        return {};
    const SPlotDataCursor& cursor = m_cursors[std::size_t(index)];
    const int channel = FindChannel(cursor.channelName);
    if (!IsCursorInSight(index) || cursor.readout.IsEmpty())
        return {};
    const double x = XValueToPixel(FindXAxis(m_channels[std::size_t(channel)].GetXAxisName()), cursor.position);
    const CRect& plot = m_layout.plot;
    CRect box = TextBox(cursor.readout, 3, 2);
    // Right of the line, or left of it where the plot ends; centred on the readout position.
    const int line = PixelNear(x);
    const int middle = PixelNear(plot.bottom - 1 - cursor.readoutPosition / 100.0 * (plot.Height() - 1));
    box.OffsetRect(line + 1, middle - box.Height() / 2);
    if (box.right > plot.right - 2)
        box.OffsetRect(line - box.right, 0);
    return KeptInside(box, plot);
}

// ---- limits and labels

int CiPlotX::AddLimit(const SPlotLimit& limit)
{
    m_limits.push_back(limit);
    return int(m_limits.size()) - 1;
}

SPlotLimit* CiPlotX::GetLimit(int index) { return At(m_limits, index); }
const SPlotLimit* CiPlotX::GetLimit(int index) const { return At(m_limits, index); }
int CiPlotX::FindLimit(const CString& name) const { return FindObject(m_limits, name); }

int CiPlotX::AddLabel(const SPlotLabel& label)
{
    m_labels.push_back(label);
    return int(m_labels.size()) - 1;
}

SPlotLabel* CiPlotX::GetLabel(int index) { return At(m_labels, index); }
const SPlotLabel* CiPlotX::GetLabel(int index) const { return At(m_labels, index); }
int CiPlotX::FindLabel(const CString& name) const { return FindObject(m_labels, name); }

CRect CiPlotX::GetLabelBox(int index) const
{
    // From the label's point rightwards; none while the point lies beside the plot (a note whose
    // sample scrolled out of view goes with it rather than standing cut at the edge).
    const SPlotLabel* label = GetLabel(index);
    if (!label || !label->visible || label->kind != EPlotLabelKind::Text || label->text.IsEmpty())
        return {};
    const CRect& plot = m_layout.plot;
    int axis = FindXAxis(label->xAxisName);
    if (axis < 0 && GetXAxisCount() > 0)
        axis = 0;
    const double x = XValueToPixel(axis, label->x);
    if (!std::isfinite(x) || x < plot.left - 0.5 || x > plot.right - 0.5)
        return {};
    const QRect text = QFontMetrics(PlotAxisFont())
                           .boundingRect(QRect(0, 0, 400, 200), Qt::AlignLeft, QString::fromUtf8(label->text.GetString()));
    const int left = int(std::lround(x));
    const int middle = int(std::lround(plot.bottom - 1 - label->y / 100.0 * (plot.Height() - 1)));
    CRect box(left - 2, middle - text.height() / 2 - 1, left + text.width() + 2, middle - text.height() / 2 + text.height() + 1);
    if (label->filled) {
        // A text box (a note, a date) reads whole: leftwards of its point at the right edge,
        // inside the plot's height at the top and the bottom.
        if (box.right > plot.right)
            box.OffsetRect(left - box.right, 0);
        if (box.left < plot.left)
            box.OffsetRect(plot.left - box.left, 0);
        if (box.top < plot.top)
            box.OffsetRect(0, plot.top - box.top);
        else if (box.bottom > plot.bottom)
            box.OffsetRect(0, plot.bottom - box.bottom);
    }
    return box;
}

void CiPlotX::DeleteLabels(const CString& name)
{
    std::erase_if(m_labels, [&](const SPlotLabel& label) { return label.name == name; });
}

void CiPlotX::BringLabelToFront(int index)
{
    if (index < 0 || index >= int(m_labels.size()))
        return;
    std::rotate(m_labels.begin() + index, m_labels.begin() + index + 1, m_labels.end());
    // A press on a label keeps holding the label it pressed.
    const int last = int(m_labels.size()) - 1;
    const auto follow = [index, last](int& held) {
        if (held == index)
            held = last;
        else if (held > index)
            --held;
    };
    if (m_drag.hit.kind == SPlotHit::Label)
        follow(m_drag.hit.index);
    if (m_drag.kind == EDrag::Label)
        follow(m_drag.index);
}

// ---- geometry

void CiPlotX::RecalcLayout()
{
    m_layout = SPlotLayout::Compute(m_size.cx, m_size.cy, m_xAxes, m_yAxes);
}

double CiPlotX::XValueToPixel(int axis, double value) const
{
    const CPlotXAxis* a = GetXAxis(axis);
    if (!a)
        return kNaN;
    return m_layout.plot.left + a->ValueToFraction(value) * (m_layout.plot.Width() - 1);
}

double CiPlotX::XPixelToValue(int axis, double pixel) const
{
    const CPlotXAxis* a = GetXAxis(axis);
    if (!a)
        return kNaN;
    return a->FractionToValue((pixel - m_layout.plot.left) / std::max(1, m_layout.plot.Width() - 1));
}

double CiPlotX::YValueToPixel(int axis, double value) const
{
    const CPlotYAxis* a = GetYAxis(axis);
    if (!a)
        return kNaN;
    return (m_layout.plot.bottom - 1) - a->ValueToFraction(value) * (m_layout.plot.Height() - 1);
}

double CiPlotX::YPixelToValue(int axis, double pixel) const
{
    const CPlotYAxis* a = GetYAxis(axis);
    if (!a)
        return kNaN;
    return a->FractionToValue((m_layout.plot.bottom - 1 - pixel) / std::max(1, m_layout.plot.Height() - 1));
}

// ---- drawing

void CiPlotX::EndUpdate()
{
    if (m_updateDepth > 0 && --m_updateDepth == 0)
        Repaint();
}

void CiPlotX::Repaint()
{
    if (IsUpdating())
        return;
    // At the ratio of the screen the window shows on, so that showing it draws nothing again.
    Render(GetSafeHwnd() ? DevicePixelRatioOf(this) : m_picture->image.isNull() ? 1.0 : m_picture->image.devicePixelRatio());
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void CiPlotX::Render(double ratio)
{
    AutoScaleYAxes();
    RecalcLayout();
    // The picture before is painted over when it has the size: a new one of a wide chart at a
    // high ratio is megabytes of pages to map anew for every drawing (painted whole: the
    // background covers it).
    QImage image = std::move(m_picture->image);
    const QSize size = QSize(m_size.cx, m_size.cy) * ratio;
    if (image.size() != size || image.format() != QImage::Format_RGB32)
        image = QImage(size, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    SPlotRenderOptions options;
    options.decimate = m_decimate;
    options.ratio = ratio;
    const CPlotRenderer renderer(*this, m_layout, options);
    renderer.Paint(painter);
    painter.end();
    m_picture->image = std::move(image);
    m_dirty = false;
    ++m_renderCount;
}

const SPlotPicture& CiPlotX::Picture(double ratio)
{
    const QImage& image = m_picture->image;
    const bool stale = m_dirty || image.deviceIndependentSize().toSize() != QSize(m_size.cx, m_size.cy) ||
                       image.devicePixelRatio() != ratio;
    if (stale && !IsUpdating())
        Render(ratio);
    return *m_picture;
}

std::vector<BYTE> CiPlotX::GetBitmapBytes()
{
    // A bitmap file has the chart's size in pixels.
    Render(1.0);
    return EncodeBitmap24(m_picture->image);
}

bool CiPlotX::SaveImageToBitmap(const CString& path)
{
    const std::vector<BYTE> bytes = GetBitmapBytes();
    QFile file(QString::fromUtf8(path.GetString()));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) == qint64(bytes.size());
}

bool CiPlotX::CopyToBitmap(CBitmap& bitmap)
{
    const std::vector<BYTE> bytes = GetBitmapBytes();
    bitmap.DeleteObject();
    return bitmap.LoadFromMemory(bytes.data(), bytes.size()) != FALSE;
}

bool CiPlotX::SaveThumbnail(const SPlotThumbnailRequest& request, const CString& path)
{
    if (!GetXAxis(request.xAxis) || !CPlotAxis::IsValidRange(request.start, request.span) ||
        !CPlotAxis::IsValidRange(request.yMin, request.yMax - request.yMin) || request.width < 1 || request.height < 1)
        return false;
    // The axis range is lent for the picture and given back: the chart's own state stays.
    CPlotXAxis& axis = m_xAxes[std::size_t(request.xAxis)];
    const double min = axis.GetMin(), span = axis.GetSpan();
    axis.SetMinSpan(request.start, request.span);
    const SPlotLayout layout = SPlotLayout::Compute(request.width, request.height, m_xAxes, m_yAxes, false);
    QImage image(request.width, request.height, QImage::Format_RGB32);
    QPainter painter(&image);
    SPlotRenderOptions options;
    options.thumbnail = true;
    options.xAxis = request.xAxis;
    options.yMin = request.yMin;
    options.yMax = request.yMax;
    CPlotRenderer(*this, layout, options).Paint(painter);
    painter.end();
    axis.SetMinSpan(min, span);
    const std::vector<BYTE> bytes = EncodeBitmapIndexed(image);
    // Written aside and renamed over the old file: a reader (another view, another running
    // program) never meets half a picture. A scratch picture is not worth waiting for the disk.
    const std::string aside = std::string(path.GetString()) + "." + std::to_string(QCoreApplication::applicationPid()) + ".part";
    QFile file(QString::fromStdString(aside));
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) == qint64(bytes.size());
    file.close();
    if (written && std::rename(aside.c_str(), path.GetString()) == 0)
        return true;
    file.remove();
    return false;
}

// ---- window messages

void CiPlotX::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (cx > 0 && cy > 0) {
        SetPictureSize(cx, cy);
        m_dirty = true;
    }
}

SPlotEvent CiPlotX::Fire(int id, SPlotEvent event)
{
    event.id = id;
    if (m_sink)
        m_sink->OnPlotEvent(event);
    return event;
}
