// The study graphs draw text, which needs the application object before the first test, and
// show texts of the English string table.
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"

#include <gtest/gtest.h>

namespace {

class ChartEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        CFrameworkApp::EnsureInitialized();
        ASSERT_TRUE(CStringTable::Instance().LoadLanguage("ENG"));
    }
};

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ChartEnvironment);

} // namespace
