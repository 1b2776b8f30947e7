#pragma once
// The application object: one per process. It names the profile ("Zelko Power Quality" /
// "Zelko Ampelon") and answers the application-wide settings and facts.
#include "platform/framework/CString.h"
#include "platform/framework/Profile.h"

class COrnApp
{
public:
    static constexpr const char* kRegistryKey = "Zelko Power Quality";
    static constexpr const char* kAppName = "Zelko Ampelon";

    static COrnApp& Instance();

    CProfile& GetProfile() { return m_profile; }

    // Fraction 0..1 of the expected samples that must be valid for an aggregated value. The
    // profile keeps it as a whole percentage (Settings/CalculationValidRatio), 95 when unset;
    // values outside 0..100 are held to that range.
    double GetCalculationValidRatio();
    // The program's version: the whole version, or with `shortForm` only the part before the
    // second point ("1.2.3" -> "1.2"); "???" when the build carries none.
    CString GetAppVersion(bool shortForm) const;

    COrnApp(const COrnApp&) = delete;
    COrnApp& operator=(const COrnApp&) = delete;

private:
    COrnApp();

    CProfile& m_profile;
};
