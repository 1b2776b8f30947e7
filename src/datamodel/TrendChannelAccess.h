#pragma once
// The accessor family of trend channels. Value arrays belong to the trend item and are never
// owned here; the generic forms own exactly one inner accessor.
#include "datamodel/ITrendChannelAccess.h"

class CTrendSeries;

class TrendChannelAccessCopy final : public ITrendChannelAccess
{
public:
    explicit TrendChannelAccessCopy(const float* values) : m_values(values) {}
    float GetValue(int index) const override { return m_values[index]; }
    void ReadValues(int first, int count, float* values) const override;
    std::unique_ptr<ITrendChannelAccess> Clone() const override;
    const float* GetValues() const { return m_values; }

private:
    const float* m_values;
};

// Power factors are stored as magnitudes; the sign comes from another series (active power).
class TrendChannelAccessCopySign final : public ITrendChannelAccess
{
public:
    TrendChannelAccessCopySign(const float* values, const float* signs) : m_values(values), m_signs(signs) {}
    float GetValue(int index) const override;
    void ReadValues(int first, int count, float* values) const override;
    std::unique_ptr<ITrendChannelAccess> Clone() const override;

private:
    const float* m_values;
    const float* m_signs;
};

// A series that is read from the records or is constant; with a sign series, a finite value takes
// its sign from it (power factors signed by the active power).
class TrendChannelAccessSeries final : public ITrendChannelAccess
{
public:
    explicit TrendChannelAccessSeries(const CTrendSeries* values, const CTrendSeries* signs = nullptr)
        : m_values(values), m_signs(signs) {}
    float GetValue(int index) const override;
    void ReadValues(int first, int count, float* values) const override;
    const CTrendSeries* GetUnchangedSeries() const override { return m_signs ? nullptr : m_values; }
    bool GetSignedSeries(const CTrendSeries*& values, const CTrendSeries*& signs) const override
    {
        values = m_values;
        signs = m_signs;
        return m_signs != nullptr;
    }
    std::unique_ptr<ITrendChannelAccess> Clone() const override;

private:
    const CTrendSeries* m_values;
    const CTrendSeries* m_signs;
};

class TrendChannelAccessRatio final : public ITrendChannelAccess
{
public:
    TrendChannelAccessRatio(const float* values, float ratio) : m_values(values), m_ratio(ratio) {}
    float GetValue(int index) const override { return m_values[index] * m_ratio; }
    void ReadValues(int first, int count, float* values) const override;
    std::unique_ptr<ITrendChannelAccess> Clone() const override;
    const float* GetValues() const { return m_values; }
    float GetRatio() const { return m_ratio; }

private:
    const float* m_values;
    float m_ratio;
};

class TrendChannelAccessGenericRatio final : public ITrendChannelAccess
{
public:
    TrendChannelAccessGenericRatio(std::unique_ptr<ITrendChannelAccess> inner, float ratio)
        : m_inner(std::move(inner)), m_ratio(ratio) {}
    float GetValue(int index) const override { return m_inner->GetValue(index) * m_ratio; }
    void ReadValues(int first, int count, float* values) const override;
    std::unique_ptr<ITrendChannelAccess> Clone() const override;
    float GetRatio() const { return m_ratio; }
    const ITrendChannelAccess* GetInner() const { return m_inner.get(); }
    // Hands the inner accessor to a composed replacement.
    std::unique_ptr<ITrendChannelAccess> ReleaseInner() { return std::move(m_inner); }

private:
    std::unique_ptr<ITrendChannelAccess> m_inner;
    float m_ratio;
};

class TrendChannelAccessFilter final : public ITrendChannelAccess
{
public:
    TrendChannelAccessFilter(const float* values, TrendValueFilter filter) : m_values(values), m_filter(filter) {}
    float GetValue(int index) const override { return m_filter(m_values[index]); }
    void ReadValues(int first, int count, float* values) const override;
    std::unique_ptr<ITrendChannelAccess> Clone() const override;

private:
    const float* m_values;
    TrendValueFilter m_filter;
};

class TrendChannelAccessGenericFilter final : public ITrendChannelAccess
{
public:
    TrendChannelAccessGenericFilter(std::unique_ptr<ITrendChannelAccess> inner, TrendValueFilter filter)
        : m_inner(std::move(inner)), m_filter(filter) {}
    float GetValue(int index) const override { return m_filter(m_inner->GetValue(index)); }
    void ReadValues(int first, int count, float* values) const override;
    std::unique_ptr<ITrendChannelAccess> Clone() const override;
    const ITrendChannelAccess* GetInner() const { return m_inner.get(); }

private:
    std::unique_ptr<ITrendChannelAccess> m_inner;
    TrendValueFilter m_filter;
};

class TrendChannelAccessRatioOffset final : public ITrendChannelAccess
{
public:
    TrendChannelAccessRatioOffset(const float* values, float ratio, float offset)
        : m_values(values), m_ratio(ratio), m_offset(offset) {}
    float GetValue(int index) const override { return m_values[index] * m_ratio + m_offset; }
    void ReadValues(int first, int count, float* values) const override;
    std::unique_ptr<ITrendChannelAccess> Clone() const override;
    const float* GetValues() const { return m_values; }
    float GetRatio() const { return m_ratio; }
    float GetOffset() const { return m_offset; }

private:
    const float* m_values;
    float m_ratio;
    float m_offset;
};

class TrendChannelAccessGenericRatioOffset final : public ITrendChannelAccess
{
public:
    TrendChannelAccessGenericRatioOffset(std::unique_ptr<ITrendChannelAccess> inner, float ratio, float offset)
        : m_inner(std::move(inner)), m_ratio(ratio), m_offset(offset) {}
    float GetValue(int index) const override { return m_inner->GetValue(index) * m_ratio + m_offset; }
    void ReadValues(int first, int count, float* values) const override;
    std::unique_ptr<ITrendChannelAccess> Clone() const override;
    float GetRatio() const { return m_ratio; }
    float GetOffset() const { return m_offset; }
    const ITrendChannelAccess* GetInner() const { return m_inner.get(); }
    std::unique_ptr<ITrendChannelAccess> ReleaseInner() { return std::move(m_inner); }

private:
    std::unique_ptr<ITrendChannelAccess> m_inner;
    float m_ratio;
    float m_offset;
};

// Composition: each function takes ownership of its input and returns the accessor that
// replaces it (null when it cannot be allocated). Ratios and offsets fold into the existing
// parameters so a series stays one accessor deep; a filter or a sign access forces a wrapper.
std::unique_ptr<ITrendChannelAccess> ApplyFilter(std::unique_ptr<ITrendChannelAccess> input, TrendValueFilter filter);
std::unique_ptr<ITrendChannelAccess> Scale(std::unique_ptr<ITrendChannelAccess> input, float k);
// (x * r + o) * k + c = x * (r * k) + (o * k + c)
std::unique_ptr<ITrendChannelAccess> ScaleOffset(std::unique_ptr<ITrendChannelAccess> input, float k, float c);
