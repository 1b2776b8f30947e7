#include "project/UniqueStreamName.h"

#include <cstdio>

namespace {

constexpr std::size_t kMaxNameUnits = 31;
constexpr std::size_t kMaxExtensionUnits = 14;
constexpr std::size_t kCounterUnits = 4;
constexpr unsigned kCounterLimit = 0x10000;

// The first `count` units, not splitting a surrogate pair.
std::u16string CutUnits(const std::u16string& text, std::size_t count)
{
    if (text.size() <= count)
        return text;
    if (count > 0 && text[count - 1] >= 0xD800 && text[count - 1] <= 0xDBFF)
        --count;
    return text.substr(0, count);
}

std::u16string Counter(unsigned n)
{
    char digits[kCounterUnits + 1];
    std::snprintf(digits, sizeof digits, "%.4X", n);
    return std::u16string(digits, digits + kCounterUnits);
}

} // namespace

CString GetFileNameOnly(const CString& path)
{
    return path.Mid(path.ReverseFind('/') + 1);
}

void RemoveFileExtension(CString& path)
{
    const int dot = path.ReverseFind('.');
    if (dot > path.ReverseFind('/'))
        path = path.Left(dot);
}

std::u16string CleanStreamName(std::u16string name)
{
    for (char16_t& unit : name) {
        if (unit == u'/' || unit == u'\\' || unit == u':' || unit == u'!' || unit == u'\0')
            unit = u'_';
    }
    return name;
}

CString MakeUniqueStreamName(const CString& pathOrName, const std::function<bool(const std::u16string&)>& isFree)
{
    const std::u16string name = CleanStreamName(GetFileNameOnly(pathOrName).ToUtf16());
    if (!name.empty() && name.size() <= kMaxNameUnits && isFree(name))
        return CString::FromUtf16(name);

    const std::size_t dot = name.rfind(u'.');
    const std::u16string ext = dot == std::u16string::npos ? std::u16string() : CutUnits(name.substr(dot), kMaxExtensionUnits);
    const std::u16string stem = CutUnits(name.substr(0, dot), kMaxNameUnits - kCounterUnits - ext.size());
    for (unsigned n = 0; n < kCounterLimit; ++n) {
        const std::u16string candidate = stem + Counter(n) + ext;
        if (isFree(candidate))
            return CString::FromUtf16(candidate);
    }
    return CString();
}
