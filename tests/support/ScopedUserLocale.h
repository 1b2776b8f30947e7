#pragma once
// Pins the user locale settings (e.g. CUserLocale::DeDe()) for the life of the object.
#include "platform/framework/UserLocale.h"

class CScopedUserLocale
{
public:
    explicit CScopedUserLocale(const CUserLocale& locale) { CUserLocale::SetForTesting(locale); }
    ~CScopedUserLocale() { CUserLocale::ResetForTesting(); }
    CScopedUserLocale(const CScopedUserLocale&) = delete;
    CScopedUserLocale& operator=(const CScopedUserLocale&) = delete;
};
