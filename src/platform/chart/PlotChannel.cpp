#include "platform/chart/PlotChannel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// A year of points is tens of megabytes of fresh memory: its pages are made in one call rather
// than one fault at a time as the points are copied in (a fault costs more than the copy).
template <typename T>
void Prefault(const std::vector<T>& values)
{
    constexpr std::size_t kLeast = std::size_t(1) << 20;
    const std::size_t bytes = (values.capacity() - values.size()) * sizeof(T);
    if (bytes < kLeast)
        return;
    const std::uintptr_t page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t from = (std::uintptr_t(values.data() + values.size()) + page - 1) / page * page;
    const std::uintptr_t to = std::uintptr_t(values.data() + values.capacity()) / page * page;
    if (to > from)
        ::madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
}

} // namespace

void CPlotChannel::Clear()
{
    m_x.clear();
    m_y.clear();
    m_gaps.clear();
    m_hasData = false;
}

void CPlotChannel::Reserve(std::size_t count)
{
    m_x.reserve(count);
    m_y.reserve(count);
    Prefault(m_x);
    Prefault(m_y);
}

bool CPlotChannel::AddXY(double x, float y)
{
    if (!std::isfinite(x) || (!m_x.empty() && x < m_x.back()))
        return false;
    m_x.push_back(x);
    m_y.push_back(y);
    if (std::isfinite(y)) {
        m_dataMin = m_hasData ? std::min(m_dataMin, y) : y;
        m_dataMax = m_hasData ? std::max(m_dataMax, y) : y;
        m_hasData = true;
    } else {
        m_gaps.push_back(int(m_x.size()) - 1);
    }
    return true;
}

void CPlotChannel::AddPoints(const double* x, const float* y, std::size_t count)
{
    double last = m_x.empty() ? -std::numeric_limits<double>::infinity() : m_x.back();
    for (std::size_t i = 0; i < count; ++i) {
        if (!std::isfinite(x[i]) || x[i] < last) {
            for (std::size_t j = 0; j < count; ++j)
                AddXY(x[j], y[j]);
            return;
        }
        last = x[i];
    }
    const std::size_t first = m_x.size();
    m_x.insert(m_x.end(), x, x + count);
    m_y.insert(m_y.end(), y, y + count);
    for (std::size_t i = 0; i < count; ++i) {
        const float value = y[i];
        if (!std::isfinite(value)) {
            m_gaps.push_back(int(first + i));
            continue;
        }
        m_dataMin = m_hasData ? std::min(m_dataMin, value) : value;
        m_dataMax = m_hasData ? std::max(m_dataMax, value) : value;
        m_hasData = true;
    }
}

bool CPlotChannel::AddGap(double x)
{
    return AddXY(x, std::numeric_limits<float>::quiet_NaN());
}

int CPlotChannel::GetIndexOfX(double x) const
{
    return int(std::upper_bound(m_x.begin(), m_x.end(), x) - m_x.begin()) - 1;
}

bool CPlotChannel::GetDataRange(double& minimum, double& maximum) const
{
    if (!m_hasData)
        return false;
    minimum = m_dataMin;
    maximum = m_dataMax;
    return true;
}

void CPlotChannel::SetDataRange(float minimum, float maximum)
{
    m_dataMin = minimum;
    m_dataMax = maximum;
    m_hasData = true;
}

double CPlotChannel::GetDataMin() const
{
    return m_hasData ? m_dataMin : std::numeric_limits<double>::quiet_NaN();
}

double CPlotChannel::GetDataMax() const
{
    return m_hasData ? m_dataMax : std::numeric_limits<double>::quiet_NaN();
}
