// The chart draws text, which needs the application object before the first test.
#include "platform/framework/windows/FrameworkApp.h"

#include <gtest/gtest.h>

namespace {

class ChartEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { CFrameworkApp::EnsureInitialized(); }
};

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ChartEnvironment);

} // namespace
