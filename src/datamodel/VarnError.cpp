#include "datamodel/VarnError.h"

#include "platform/framework/MessageBoxService.h"

#include <glog/logging.h>

#include <string_view>

namespace {

constexpr unsigned kCodeTextBase = 5500;
constexpr unsigned kGenericTextBase = 5690;

unsigned GenericTextId(int code)
{
    if (code < 20)
        return kGenericTextBase;
    if (code < 40)
        return kGenericTextBase + 1;
    if (code < 60)
        return kGenericTextBase + 2;
    return kGenericTextBase + 3;
}

// True when every conversion of the printf format is one of `allowed` and there is at most one:
// a translated text with another conversion must not be handed an argument of the wrong type.
bool TakesAtMostOne(std::string_view format, std::string_view allowed)
{
    int conversions = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (++i < format.size() && format[i] == '%')
            continue;
        while (i < format.size() && std::string_view("-+ #0123456789.").find(format[i]) != std::string_view::npos)
            ++i;
        if (i >= format.size() || allowed.find(format[i]) == std::string_view::npos)
            return false;
        ++conversions;
    }
    return conversions <= 1;
}

} // namespace

int ShowVarnError(int code, const char* argument)
{
    CString format;
    CString text;
    if (code >= 0 && format.LoadString(kCodeTextBase + unsigned(code))) {
        if (TakesAtMostOne(format.view(), "s"))
            text.Format(format, argument ? argument : "");
        else
            text = format;
    } else if (format.LoadString(GenericTextId(code)) && TakesAtMostOne(format.view(), "di")) {
        text.Format(format, code);
    } else {
        text.Format("Error %d", code);
    }
    LOG(INFO) << "ShowVarnError: code " << code;
    return AfxMessageBox(text, MB_ICONEXCLAMATION);
}
