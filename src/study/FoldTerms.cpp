#include "study/FoldTerms.h"

#include "datamodel/NonFiniteResult.h"
#include "datamodel/SeriesPass.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

// Zeros in place of a missing series: a phase or voltage that is not there adds nothing.
constexpr std::array<float, CSeriesPass::kChunk> kZeros{};

bool AllFinite(const float* values, int count)
{
    std::uint32_t nonFinite = 0;
    for (int i = 0; i < count; ++i)
        nonFinite |= (std::bit_cast<std::uint32_t>(values[i]) & 0x7f800000u) == 0x7f800000u ? 1u : 0u;
    return nonFinite == 0;
}

void CountNonFinite(SDerivedSummary& summary, float v)
{
    if (v == kInf)
        ++summary.plusInfinityCount;
    else if (v == -kInf)
        ++summary.minusInfinityCount;
    else
        ++summary.nanCount;
}

void Clear(double* terms, int from, int count)
{
    std::fill(terms + from, terms + std::max(from, count), 0.0);
}

// The loops of finite chunks, vectorised; the same operations in the same order at every width.
[[gnu::always_inline]] inline void FiniteProductTerms(const float* __restrict thd, const float* __restrict weight,
                                                      int n, double* __restrict products, double* __restrict weights)
{
    for (int i = 0; i < n; ++i) {
        products[i] = double(thd[i]) * weight[i];
        weights[i] = double(weight[i]);
    }
}

[[gnu::always_inline]] inline void FiniteMagnitudeTerms(const float* __restrict values,
                                                        const float* __restrict a, const float* __restrict b,
                                                        const float* __restrict c, int n, double* __restrict terms)
{
    for (int i = 0; i < n; ++i) {
        const double sum = ((0.0 + double(a[i])) + double(b[i])) + double(c[i]);
        const double cancelled = ((0.0 + double(std::fabs(a[i]))) + double(std::fabs(b[i]))) + double(std::fabs(c[i]));
        terms[i] = double(std::fabs(values[i])) + (cancelled - std::fabs(sum));
    }
}

[[gnu::always_inline]] inline void FiniteEffectiveTerms(const float* __restrict s,
                                                        const std::array<const float*, 6>& u, int n,
                                                        double* __restrict squares, double* __restrict ratios)
{
    const float* __restrict u0 = u[0];
    const float* __restrict u1 = u[1];
    const float* __restrict u2 = u[2];
    const float* __restrict u3 = u[3];
    const float* __restrict u4 = u[4];
    const float* __restrict u5 = u[5];
    for (int i = 0; i < n; ++i) {
        const double ue2 = (3.0 * (double(u0[i]) * u0[i] + double(u1[i]) * u1[i] + double(u2[i]) * u2[i]) +
                            double(u3[i]) * u3[i] + double(u4[i]) * u4[i] + double(u5[i]) * u5[i]) /
                           18.0;
        const bool taken = ue2 != 0.0;
        const double ratio = double(s[i]) * s[i] / (9.0 * ue2);
        squares[i] = taken ? ue2 : 0.0;
        ratios[i] = taken ? ratio : 0.0;
    }
}

// Bit by bit, so that the records go side by side in vectors: a float negated is its sign bit
// flipped.
[[gnu::always_inline]] inline void SignedExtremes(const float* __restrict min, const float* __restrict max,
                                                  const float* __restrict avg, int n, float* __restrict highest,
                                                  float* __restrict lowest)
{
    constexpr std::uint32_t kSign = 0x80000000u;
    constexpr std::uint32_t kExponent = 0x7f800000u;
    for (int i = 0; i < n; ++i) {
        const std::uint32_t a = std::bit_cast<std::uint32_t>(avg[i]);
        const std::uint32_t low = std::bit_cast<std::uint32_t>(min[i]);
        const std::uint32_t high = std::bit_cast<std::uint32_t>(max[i]);
        const std::uint32_t known = 0u - std::uint32_t((a & kExponent) != kExponent);
        const std::uint32_t reverse = 0u - (a >> 31);
        const std::uint32_t top = (reverse & (low ^ kSign)) | (~reverse & high);
        const std::uint32_t bottom = (reverse & (high ^ kSign)) | (~reverse & low);
        highest[i] = std::bit_cast<float>((known & top) | (~known & a));
        lowest[i] = std::bit_cast<float>((known & bottom) | (~known & a));
    }
}

void SignedExtremesPlain(const float* min, const float* max, const float* avg, int n, float* highest, float* lowest)
{
    SignedExtremes(min, max, avg, n, highest, lowest);
}

void FiniteProductTermsPlain(const float* thd, const float* weight, int n, double* products, double* weights)
{
    FiniteProductTerms(thd, weight, n, products, weights);
}
void FiniteMagnitudeTermsPlain(const float* values, const float* a, const float* b, const float* c, int n,
                               double* terms)
{
    FiniteMagnitudeTerms(values, a, b, c, n, terms);
}
void FiniteEffectiveTermsPlain(const float* s, const std::array<const float*, 6>& u, int n, double* squares,
                               double* ratios)
{
    FiniteEffectiveTerms(s, u, n, squares, ratios);
}

// The wider vectors where the processor has them.
#if defined(__x86_64__) || defined(__i386__)
#define ORN_WIDER_VECTORS [[gnu::target("avx2")]]
bool HasWiderVectors()
{
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}
#else
#define ORN_WIDER_VECTORS
bool HasWiderVectors()
{
    return false;
}
#endif

ORN_WIDER_VECTORS void SignedExtremesWide(const float* min, const float* max, const float* avg, int n, float* highest,
                                          float* lowest)
{
    SignedExtremes(min, max, avg, n, highest, lowest);
}
ORN_WIDER_VECTORS void FiniteProductTermsWide(const float* thd, const float* weight, int n, double* products,
                                              double* weights)
{
    FiniteProductTerms(thd, weight, n, products, weights);
}
ORN_WIDER_VECTORS void FiniteMagnitudeTermsWide(const float* values, const float* a, const float* b, const float* c,
                                                int n, double* terms)
{
    FiniteMagnitudeTerms(values, a, b, c, n, terms);
}
ORN_WIDER_VECTORS void FiniteEffectiveTermsWide(const float* s, const std::array<const float*, 6>& u, int n,
                                                double* squares, double* ratios)
{
    FiniteEffectiveTerms(s, u, n, squares, ratios);
}

} // namespace

void ProductTerms(const float* thd, const float* weight, int n, int count, double* products, double* weights,
                  SDerivedSummary& summary)
{
    n = std::max(n, 0);
    if (AllFinite(thd, n) && AllFinite(weight, n)) {
        (HasWiderVectors() ? FiniteProductTermsWide : FiniteProductTermsPlain)(thd, weight, n, products, weights);
        summary.count += n;
    } else {
        for (int i = 0; i < n; ++i) {
            const float a = thd[i];
            const float b = weight[i];
            const bool finite = std::isfinite(a) && std::isfinite(b);
            products[i] = finite ? double(a) * b : 0.0;
            weights[i] = finite ? double(b) : 0.0;
            if (finite)
                ++summary.count;
            else
                CountNonFinite(summary, NonFiniteResult(a, b));
        }
    }
    Clear(products, n, count);
    Clear(weights, n, count);
}

void MagnitudeTerms(const float* values, const std::array<const float*, 3>& phases, int n, int count, double* terms,
                    SDerivedSummary& summary)
{
    n = std::max(n, 0);
    const bool total = phases[0] || phases[1] || phases[2];
    bool finite = AllFinite(values, n);
    for (const float* phase : phases)
        finite = finite && (!phase || AllFinite(phase, n));
    if (finite) {
        if (total) {
            const auto column = [](const float* phase) { return phase ? phase : kZeros.data(); };
            (HasWiderVectors() ? FiniteMagnitudeTermsWide : FiniteMagnitudeTermsPlain)(values, column(phases[0]), column(phases[1]),
                                                                          column(phases[2]), n, terms);
        } else {
            for (int i = 0; i < n; ++i)
                terms[i] = double(std::fabs(values[i]));
        }
        summary.count += n;
        Clear(terms, n, count);
        return;
    }
    for (int i = 0; i < n; ++i) {
        const float v = values[i];
        if (!std::isfinite(v)) {
            CountNonFinite(summary, v);
            terms[i] = 0.0;
            continue;
        }
        // A total adds what its phases flowing against each other cancelled in it: the
        // magnitudes of the phases less that of their sum, 0 to the bit when they flow one way.
        double cancelled = 0.0;
        double sum = 0.0;
        bool phasesFinite = true;
        for (const float* phase : phases)
            if (phase) {
                phasesFinite = phasesFinite && std::isfinite(phase[i]);
                sum += double(phase[i]);
                cancelled += double(std::fabs(phase[i]));
            }
        terms[i] = double(std::fabs(v)) + (phasesFinite ? cancelled - std::fabs(sum) : 0.0);
        ++summary.count;
    }
    Clear(terms, n, count);
}

void EffectiveApparentPowerTerms(const float* apparent, const std::array<const float*, 6>& voltages, int n, int count,
                                 double* squares, double* ratios, SDerivedSummary& summary)
{
    n = std::max(n, 0);
    bool finite = AllFinite(apparent, n);
    std::array<const float*, 6> columns{};
    for (std::size_t k = 0; k < columns.size(); ++k) {
        finite = finite && (!voltages[k] || AllFinite(voltages[k], n));
        columns[k] = voltages[k] ? voltages[k] : kZeros.data();
    }
    if (finite) {
        (HasWiderVectors() ? FiniteEffectiveTermsWide : FiniteEffectiveTermsPlain)(apparent, columns, n, squares, ratios);
        summary.count += n;
    } else {
        const auto square = [&](std::size_t k, int i) {
            const float v = columns[k][i];
            return std::isfinite(v) ? double(v) * v : 0.0;
        };
        for (int i = 0; i < n; ++i) {
            const float value = apparent[i];
            squares[i] = ratios[i] = 0.0;
            if (!std::isfinite(value)) {
                CountNonFinite(summary, value);
                continue;
            }
            ++summary.count;
            const double ue2 = (3.0 * (square(0, i) + square(1, i) + square(2, i)) + square(3, i) + square(4, i) +
                                square(5, i)) / 18.0;
            if (ue2 != 0.0 && !std::isnan(ue2)) {
                squares[i] = ue2;
                ratios[i] = double(value) * value / (9.0 * ue2);
            }
        }
    }
    Clear(squares, n, count);
    Clear(ratios, n, count);
}

void SignedExtremeValues(const float* min, const float* max, const float* avg, int n, float* highest, float* lowest)
{
    (HasWiderVectors() ? SignedExtremesWide : SignedExtremesPlain)(min, max, avg, std::max(n, 0), highest, lowest);
}

void AddSideBySide(std::span<double* const> sums, std::span<const double* const> terms, int count)
{
    constexpr std::size_t kSideBySide = 4;
    for (std::size_t k = 0; k < sums.size(); k += kSideBySide) {
        if (sums.size() - k < kSideBySide) {
            // The last few, each on its own.
            for (std::size_t j = k; j < sums.size(); ++j) {
                double sum = *sums[j];
                for (int i = 0; i < count; ++i)
                    sum += terms[j][i];
                *sums[j] = sum;
            }
            break;
        }
        double a = *sums[k], b = *sums[k + 1], c = *sums[k + 2], d = *sums[k + 3];
        const double* ta = terms[k];
        const double* tb = terms[k + 1];
        const double* tc = terms[k + 2];
        const double* td = terms[k + 3];
        for (int i = 0; i < count; ++i) {
            a += ta[i];
            b += tb[i];
            c += tc[i];
            d += td[i];
        }
        *sums[k] = a;
        *sums[k + 1] = b;
        *sums[k + 2] = c;
        *sums[k + 3] = d;
    }
}
