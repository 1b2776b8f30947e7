#include "platform/framework/UserLocale.h"

#include <langinfo.h>
#include <locale.h>

namespace {

constexpr int kMostCurrencyDigits = 4;

std::optional<CUserLocale>& Override()
{
    static std::optional<CUserLocale> locale;
    return locale;
}

// Letters that carry meaning in a picture; literal text holding any of them is quoted.
constexpr std::string_view kPictureLetters = "dMyHhmstg'";

void AppendLiteral(std::string& picture, const std::string& literal)
{
    if (literal.find_first_of(kPictureLetters) == std::string::npos) {
        picture += literal;
        return;
    }
    picture += '\'';
    for (const char ch : literal)
        picture += ch == '\'' ? std::string("''") : std::string(1, ch);
    picture += '\'';
}

// Picture of one strftime conversion; `unpadded` stands for glibc's "-" and "_" flags.
std::string PictureOf(char conversion, bool unpadded, std::string_view twelveHourFormat)
{
    switch (conversion) {
    case 'd': return unpadded ? "d" : "dd";
    case 'e': return "d";
    case 'm': return unpadded ? "M" : "MM";
    case 'y': return "yy";
    case 'Y': return "yyyy";
    case 'H': return unpadded ? "H" : "HH";
    case 'k': return "H";
    case 'I': return unpadded ? "h" : "hh";
    case 'l': return "h";
    case 'M': return unpadded ? "m" : "mm";
    case 'S': return unpadded ? "s" : "ss";
    case 'p':
    case 'P': return "tt";
    case 'b':
    case 'h': return "MMM";
    case 'B': return "MMMM";
    case 'a': return "ddd";
    case 'A': return "dddd";
    case 'D': return "MM/dd/yy";
    case 'F': return "yyyy-MM-dd";
    case 'T': return "HH:mm:ss";
    case 'R': return "HH:mm";
    case 'r':
        // A 12-hour format that itself names %r would never end.
        return twelveHourFormat.find("%r") == std::string_view::npos
                   ? CUserLocale::PictureFromStrftime(twelveHourFormat).str()
                   : CUserLocale::PictureFromStrftime("%I:%M:%S %p").str();
    default: return {};
    }
}

CString LangInfo(nl_item item, locale_t locale)
{
    const char* text = ::nl_langinfo_l(item, locale);
    return CString(text ? text : "");
}

} // namespace

CString CUserLocale::PictureFromStrftime(std::string_view format, std::string_view twelveHourFormat)
{
    std::string picture;
    std::string literal;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char ch = format[i];
        if (ch != '%' || i + 1 >= format.size()) {
            literal += ch;
            continue;
        }
        bool unpadded = false;
        ++i;
        for (; i < format.size() && std::string_view("-_0^#").find(format[i]) != std::string_view::npos; ++i)
            unpadded = unpadded || format[i] == '-' || format[i] == '_';
        while (i < format.size() && format[i] >= '0' && format[i] <= '9')
            ++i;
        if (i < format.size() && (format[i] == 'E' || format[i] == 'O'))
            ++i;
        if (i >= format.size())
            break;
        const char conversion = format[i];
        if (conversion == '%' || conversion == 'n' || conversion == 't') {
            literal += conversion == '%' ? '%' : ' ';
            continue;
        }
        AppendLiteral(picture, literal);
        literal.clear();
        picture += PictureOf(conversion, unpadded, twelveHourFormat);
    }
    AppendLiteral(picture, literal);
    return CString(std::move(picture));
}

std::optional<CUserLocale> CUserLocale::FromPosixLocale(const char* name)
{
    const locale_t locale = ::newlocale(LC_ALL_MASK, name ? name : "", locale_t(0));
    if (locale == locale_t(0))
        return std::nullopt;
    CUserLocale result;
    const CString twelveHour = LangInfo(T_FMT_AMPM, locale);
    CString timeFormat = LangInfo(T_FMT, locale);
    if (timeFormat.IsEmpty())
        timeFormat = twelveHour.IsEmpty() ? CString("%H:%M:%S") : twelveHour;
    result.shortDatePicture = PictureFromStrftime(LangInfo(D_FMT, locale).view());
    result.timePicture = PictureFromStrftime(timeFormat.view(), twelveHour.IsEmpty() ? "%I:%M:%S %p" : twelveHour.view());
    result.decimalSeparator = LangInfo(RADIXCHAR, locale);
    if (result.decimalSeparator.IsEmpty())
        result.decimalSeparator = ".";
    result.thousandsSeparator = LangInfo(THOUSEP, locale);
    // The first character tells where the symbol stands ('-' before, '+' after, '.' for the point).
    const CString currency = LangInfo(CRNCYSTR, locale);
    result.currencySymbol = currency.IsEmpty() ? CString() : currency.Mid(1);
    // A single byte; CHAR_MAX (or -1) where the locale leaves it open, as "C" does.
    const char* digits = ::nl_langinfo_l(FRAC_DIGITS, locale);
    if (digits && digits[0] >= 0 && digits[0] <= kMostCurrencyDigits)
        result.currencyDigits = digits[0];
    // Where the symbol stands with a positive amount (CHAR_MAX where the locale leaves it open).
    const char* precedes = ::nl_langinfo_l(P_CS_PRECEDES, locale);
    const char* spaced = ::nl_langinfo_l(P_SEP_BY_SPACE, locale);
    result.currencyFirst = !precedes || precedes[0] != 0;
    result.currencySpaced = spaced && spaced[0] == 1;
    ::freelocale(locale);
    // POSIX locales have no setting for these; every one of them writes "-0.5".
    result.negativeNumberMode = 1;
    result.leadingZero = true;
    return result;
}

const CUserLocale& CUserLocale::Current()
{
    if (Override())
        return *Override();
    static const CUserLocale environment = FromPosixLocale("").value_or(FromPosixLocale("C").value_or(EnUs()));
    return environment;
}

void CUserLocale::SetForTesting(const CUserLocale& locale)
{
    Override() = locale;
}

void CUserLocale::ResetForTesting()
{
    Override().reset();
}

CUserLocale CUserLocale::EnUs()
{
    return CUserLocale{"M/d/yyyy", "h:mm:ss tt", ".", ",", "$", 1, true, 2, true, false};
}

CUserLocale CUserLocale::DeDe()
{
    return CUserLocale{"dd.MM.yyyy", "HH:mm:ss", ",", ".", "\xE2\x82\xAC", 1, true, 2, false, true};
}
