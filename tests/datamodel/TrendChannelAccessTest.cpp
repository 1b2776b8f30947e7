#include "datamodel/TrendChannel.h"
#include "datamodel/TrendChannelAccess.h"
#include "datamodel/TrendSeries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
const float kValues[] = {1.0f, -2.0f, 3.5f, 0.25f};
const float kSigns[] = {-5.0f, 7.0f, -0.0f, 1.0f};
constexpr float kInf = std::numeric_limits<float>::infinity();

float Negate(float v) { return -v; }
float AddTen(float v) { return v + 10.0f; }

std::unique_ptr<ITrendChannelAccess> Copy() { return std::make_unique<TrendChannelAccessCopy>(kValues); }
} // namespace

TEST(TrendChannelAccess, ScaleThenScaleOffsetFoldsIntoOneRatioOffset)
{
    auto access = ScaleOffset(Scale(Copy(), 2.0f), 3.0f, 1.0f);
    const auto* ro = dynamic_cast<const TrendChannelAccessRatioOffset*>(access.get());
    ASSERT_NE(ro, nullptr);
    EXPECT_FLOAT_EQ(ro->GetRatio(), 6.0f);
    EXPECT_FLOAT_EQ(ro->GetOffset(), 1.0f);
    EXPECT_FLOAT_EQ(access->GetValue(0), 7.0f);
    EXPECT_FLOAT_EQ(access->GetValue(1), -11.0f);

    // Scaling after an offset scales the offset too: (x*6 + 1)*2 - 4.
    access = ScaleOffset(std::move(access), 2.0f, -4.0f);
    ro = dynamic_cast<const TrendChannelAccessRatioOffset*>(access.get());
    ASSERT_NE(ro, nullptr);
    EXPECT_FLOAT_EQ(ro->GetRatio(), 12.0f);
    EXPECT_FLOAT_EQ(ro->GetOffset(), -2.0f);
    EXPECT_FLOAT_EQ(access->GetValue(2), 40.0f);
}

TEST(TrendChannelAccess, FilterWrapsAScaledSeriesAndSeesScaledValues)
{
    auto filtered = ApplyFilter(Scale(Copy(), 2.0f), Negate);
    const auto* generic = dynamic_cast<const TrendChannelAccessGenericFilter*>(filtered.get());
    ASSERT_NE(generic, nullptr);
    EXPECT_NE(dynamic_cast<const TrendChannelAccessRatio*>(generic->GetInner()), nullptr);
    EXPECT_FLOAT_EQ(filtered->GetValue(0), -2.0f);

    // A filter on a plain copy stays one accessor deep.
    auto direct = ApplyFilter(Copy(), AddTen);
    EXPECT_NE(dynamic_cast<const TrendChannelAccessFilter*>(direct.get()), nullptr);
    EXPECT_FLOAT_EQ(direct->GetValue(1), 8.0f);

    // Scaling a filtered series wraps it in a generic ratio; a second scale folds into it.
    auto scaled = Scale(Scale(std::move(filtered), 3.0f), 0.5f);
    const auto* ratio = dynamic_cast<const TrendChannelAccessGenericRatio*>(scaled.get());
    ASSERT_NE(ratio, nullptr);
    EXPECT_FLOAT_EQ(ratio->GetRatio(), 1.5f);
    EXPECT_FLOAT_EQ(scaled->GetValue(2), -10.5f);
}

TEST(TrendChannelAccess, GenericFormsHandTheirInnerAccessOver)
{
    auto wrapped = Scale(std::make_unique<TrendChannelAccessCopySign>(kValues, kSigns), 2.0f);
    const ITrendChannelAccess* inner = dynamic_cast<const TrendChannelAccessGenericRatio&>(*wrapped).GetInner();

    auto rescaled = Scale(std::move(wrapped), 5.0f);
    const auto& ratio = dynamic_cast<const TrendChannelAccessGenericRatio&>(*rescaled);
    EXPECT_EQ(ratio.GetInner(), inner);
    EXPECT_FLOAT_EQ(ratio.GetRatio(), 10.0f);
    EXPECT_FLOAT_EQ(rescaled->GetValue(0), -10.0f);

    auto withOffset = ScaleOffset(std::move(rescaled), 0.5f, 1.0f);
    const auto& gro = dynamic_cast<const TrendChannelAccessGenericRatioOffset&>(*withOffset);
    EXPECT_EQ(gro.GetInner(), inner);
    EXPECT_FLOAT_EQ(gro.GetRatio(), 5.0f);
    EXPECT_FLOAT_EQ(gro.GetOffset(), 1.0f);

    auto again = Scale(std::move(withOffset), 2.0f);
    const auto& gro2 = dynamic_cast<const TrendChannelAccessGenericRatioOffset&>(*again);
    EXPECT_EQ(gro2.GetInner(), inner);
    EXPECT_FLOAT_EQ(gro2.GetRatio(), 10.0f);
    EXPECT_FLOAT_EQ(gro2.GetOffset(), 2.0f);
    EXPECT_FLOAT_EQ(again->GetValue(1), 22.0f); // |-2| signed by +7, x10 + 2
}

TEST(TrendChannelAccess, CopySignKeepsNonFiniteValuesAndSignsFiniteOnes)
{
    const float values[] = {0.9f, std::nanf(""), kInf, -kInf, 0.5f};
    const float signs[] = {-1.0f, -1.0f, -1.0f, 1.0f, 0.0f};
    TrendChannelAccessCopySign access(values, signs);
    EXPECT_FLOAT_EQ(access.GetValue(0), -0.9f);
    EXPECT_TRUE(std::isnan(access.GetValue(1)));
    EXPECT_EQ(access.GetValue(2), kInf);
    EXPECT_EQ(access.GetValue(3), -kInf);
    EXPECT_FLOAT_EQ(access.GetValue(4), 0.5f);
}

TEST(TrendChannelAccess, CloneOfAGenericAccessIsDeep)
{
    auto source = ApplyFilter(ScaleOffset(Scale(Copy(), 2.0f), 1.0f, 3.0f), Negate);
    {
        auto clone = source->Clone();
        const auto& cloned = dynamic_cast<const TrendChannelAccessGenericFilter&>(*clone);
        EXPECT_NE(cloned.GetInner(), dynamic_cast<const TrendChannelAccessGenericFilter&>(*source).GetInner());
        EXPECT_FLOAT_EQ(clone->GetValue(0), -5.0f);
    }
    EXPECT_FLOAT_EQ(source->GetValue(3), -3.5f);
}

TEST(TrendChannel, ConstructsCopyOrSignAccessPerPresentSeries)
{
    CTrendSeries pf, p;
    ASSERT_TRUE(pf.Allocate(2) && p.Allocate(2));
    pf.Data()[0] = 0.8f;
    pf.Data()[1] = 0.9f;
    p.Data()[0] = -3.0f;
    p.Data()[1] = 2.0f;
    CTrendChannel channel({&pf, &pf, nullptr}, {nullptr, &p, nullptr}, 2, 8, 1, nullptr);
    EXPECT_NE(dynamic_cast<const TrendChannelAccessCopy*>(channel.GetAccess(0)), nullptr);
    EXPECT_NE(dynamic_cast<const TrendChannelAccessCopySign*>(channel.GetAccess(1)), nullptr);
    EXPECT_EQ(channel.GetAccess(2), nullptr);
    EXPECT_FLOAT_EQ(channel.GetAccess(1)->GetValue(0), -0.8f);

    channel.Scale(2.0f);
    channel.ScaleOffset(10.0f, 1.0f);
    EXPECT_FLOAT_EQ(channel.GetAccess(0)->GetValue(1), 19.0f);
    EXPECT_FLOAT_EQ(channel.GetAccess(1)->GetValue(0), -15.0f);
    EXPECT_EQ(channel.GetAccess(2), nullptr);
    EXPECT_EQ(channel.GetRecordCount(), 2u);
    EXPECT_EQ(channel.GetQuantity(), 8u);

    CTrendChannel empty;
    EXPECT_EQ(empty.GetQuantity(), 121u);
    EXPECT_EQ(empty.GetPhase(), 6u);
    EXPECT_EQ(empty.GetItem(), nullptr);
    EXPECT_EQ(empty.m_viewState1, -1);
    EXPECT_TRUE(empty.m_viewTime.IsZero());
    empty.ApplyFilter(Negate);
    EXPECT_EQ(empty.GetAccess(0), nullptr);
}
