#include "BenchPlainPass.h"

#include <algorithm>
#include <limits>

namespace {

[[gnu::always_inline]] inline double PlainPassLoop(const CDataTable& records, const std::vector<SFieldRange>& fields,
                                                   std::size_t first, std::size_t last)
{
    std::size_t values = 0;
    for (const SFieldRange& range : fields)
        values += (range.last - range.first) / sizeof(float);
    std::vector<float> minimum(values, std::numeric_limits<float>::max());
    std::vector<float> maximum(values, -std::numeric_limits<float>::max());
    std::vector<double> sum(values, 0.0);
    for (std::size_t i = first; i <= last; ++i) {
        const BYTE* record = records.GetRecordBytes(i);
        std::size_t at = 0;
        for (const SFieldRange& range : fields) {
            const std::size_t n = (range.last - range.first) / sizeof(float);
            const float* __restrict field = reinterpret_cast<const float*>(record + range.first);
            float* __restrict low = minimum.data() + at;
            float* __restrict high = maximum.data() + at;
            double* __restrict total = sum.data() + at;
            for (std::size_t k = 0; k < n; ++k) {
                low[k] = std::min(low[k], field[k]);
                high[k] = std::max(high[k], field[k]);
                total[k] += double(field[k]);
            }
            at += n;
        }
    }
    double total = 0.0;
    for (std::size_t k = 0; k < values; ++k)
        total += double(minimum[k]) + double(maximum[k]) + sum[k];
    return total;
}

[[gnu::target("avx2")]] double PlainPassAvx2(const CDataTable& records, const std::vector<SFieldRange>& fields,
                                             std::size_t first, std::size_t last)
{
    return PlainPassLoop(records, fields, first, last);
}

} // namespace

double PlainPass(const CDataTable& records, const std::vector<SFieldRange>& fields, std::size_t first, std::size_t last)
{
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2 ? PlainPassAvx2(records, fields, first, last) : PlainPassLoop(records, fields, first, last);
}
