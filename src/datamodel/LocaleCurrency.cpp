#include "datamodel/LocaleCurrency.h"

#include "platform/framework/UserLocale.h"

namespace {

constexpr int kMaxCurrencyCharacters = 6;

int CountCharacters(const CString& text)
{
    int count = 0;
    for (const char ch : text.view())
        count += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

} // namespace

CString GetLocaleCurrencySymbol()
{
    const CString& symbol = CUserLocale::Current().currencySymbol;
    return CountCharacters(symbol) <= kMaxCurrencyCharacters ? symbol : CString();
}
