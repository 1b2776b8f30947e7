#include "shell/OrnApp.h"

#include "BuildStampValues.h"

#include <algorithm>

namespace {

constexpr int kDefaultValidPercent = 95;

} // namespace

COrnApp::COrnApp() : m_profile(CProfile::Instance())
{
    m_profile.SetRegistryKey(kRegistryKey);
    m_profile.SetAppName(kAppName);
}

COrnApp& COrnApp::Instance()
{
    static COrnApp app;
    return app;
}

double COrnApp::GetCalculationValidRatio()
{
    const int percent = m_profile.GetProfileInt("Settings", "CalculationValidRatio", kDefaultValidPercent);
    return std::clamp(percent, 0, 100) / 100.0;
}

CString COrnApp::GetAppVersion(bool shortForm) const
{
    CString version(kBuildAppVersion);
    if (version.IsEmpty())
        return "???";
    if (shortForm) {
        const int first = version.Find('.');
        const int second = first < 0 ? -1 : version.Find('.', first + 1);
        if (second >= 0)
            version = version.Left(second);
    }
    return version;
}
