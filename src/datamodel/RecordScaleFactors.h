#pragma once
// The measurement's current scale factors (phases A, B, C, N and G), applied in place to the
// current-based fields of the trend and demand records while a session loads. A factor of 0 or
// one that is not finite means "not set" and scales like 1.0, in the flag and in Apply alike.
#include "datamodel/UmboFraming.h"
#include "platform/framework/WinTypes.h"

#include <array>

class CRecordScaleFactors
{
public:
    static constexpr int kFactorCount = 5;

    void Set(const std::array<float, kFactorCount>& factors);
    const std::array<float, kFactorCount>& GetFactors() const { return m_factors; }
    // Some factor actually changes values.
    bool IsSet() const { return m_flag; }

    // Scales a record of type 15, 61, 64 or 65 (host order, header included); each phase's
    // fields by that phase's factor, totals by the mean factor of phases A, B and C. Fields
    // beyond the table's length are left alone; other table types are not touched.
    void Apply(Umbo_table_header_t* table) const;

    // The factor that multiplies the fields of phase 0..4 (A, B, C, N, G).
    float EffectiveFactor(int phase) const;
    // The factor of totals and system values, which mix the three phases.
    float TotalFactor() const;

private:
    bool m_flag = false;
    std::array<float, kFactorCount> m_factors{1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
};
