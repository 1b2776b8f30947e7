#include "platform/framework/CString.h"
#include "platform/framework/Utf8.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <strings.h>

namespace {

constexpr const char* kWhitespace = " \t\r\n\v\f";

// Windows-1252 bytes 0x80..0x9F; the five undefined ones map to themselves as C1 controls.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Decodes one code point; malformed sequences yield U+FFFD and consume one byte.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + std::size_t(extra) >= text.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i <= extra; ++i) {
        const unsigned char c = byte(pos + std::size_t(i));
        if ((c & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    pos += std::size_t(extra) + 1;
    return cp;
}

bool IsIn(char ch, const char* chars)
{
    return ch != '\0' && std::strchr(chars, ch) != nullptr;
}

} // namespace

CString CString::FromUtf16(const char16_t* units, std::size_t count)
{
    std::string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        char32_t cp = units[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (char32_t(units[i + 1]) - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD; // lone surrogate
        }
        AppendUtf8(out, cp);
    }
    return CString(std::move(out));
}

CString CString::FromWindows1252(const char* bytes, std::size_t count)
{
    std::string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80 && b < 0xA0)
            AppendUtf8(out, kCp1252High[b - 0x80]);
        else
            AppendUtf8(out, b);
    }
    return CString(std::move(out));
}

std::u16string CString::ToUtf16() const
{
    std::u16string out;
    out.reserve(m_text.size());
    for (std::size_t pos = 0; pos < m_text.size();) {
        const char32_t cp = DecodeUtf8(m_text, pos);
        if (cp >= 0x10000) {
            out += char16_t(0xD800 + ((cp - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += char16_t(cp);
        }
    }
    return out;
}

std::string CString::ToWindows1252() const
{
    std::string out;
    out.reserve(m_text.size());
    for (std::size_t pos = 0; pos < m_text.size();) {
        const char32_t cp = DecodeUtf8(m_text, pos);
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += char(cp);
            continue;
        }
        const auto it = std::find(kCp1252High.begin(), kCp1252High.end(), char16_t(cp));
        out += (cp <= 0xFFFF && it != kCp1252High.end()) ? char(0x80 + (it - kCp1252High.begin())) : '?';
    }
    return out;
}

int CString::Compare(const char* other) const
{
    const int r = m_text.compare(other ? other : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* other) const
{
    const int r = strcasecmp(m_text.c_str(), other ? other : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::Find(const char* sub, int start) const
{
    if (start < 0 || std::size_t(start) > m_text.size() || !sub)
        return -1;
    const auto pos = m_text.find(sub, std::size_t(start));
    return pos == std::string::npos ? -1 : int(pos);
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || std::size_t(start) > m_text.size())
        return -1;
    const auto pos = m_text.find(ch, std::size_t(start));
    return pos == std::string::npos ? -1 : int(pos);
}

int CString::ReverseFind(char ch) const
{
    const auto pos = m_text.rfind(ch);
    return pos == std::string::npos ? -1 : int(pos);
}

int CString::FindOneOf(const char* chars) const
{
    const auto pos = m_text.find_first_of(chars ? chars : "");
    return pos == std::string::npos ? -1 : int(pos);
}

CString CString::Left(int count) const
{
    return CString(m_text.substr(0, std::size_t(std::clamp(count, 0, GetLength()))));
}

CString CString::Right(int count) const
{
    const int n = std::clamp(count, 0, GetLength());
    return CString(m_text.substr(m_text.size() - std::size_t(n)));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_text.substr(std::size_t(first), std::size_t(count)));
}

CString CString::SpanIncluding(const char* chars) const
{
    const auto pos = m_text.find_first_not_of(chars ? chars : "");
    return CString(m_text.substr(0, pos));
}

CString CString::SpanExcluding(const char* chars) const
{
    const auto pos = m_text.find_first_of(chars ? chars : "");
    return CString(m_text.substr(0, pos));
}

CString CString::Tokenize(const char* delimiters, int& start) const
{
    if (start < 0 || std::size_t(start) >= m_text.size()) {
        start = -1;
        return {};
    }
    const auto first = m_text.find_first_not_of(delimiters, std::size_t(start));
    if (first == std::string::npos) {
        start = -1;
        return {};
    }
    auto end = m_text.find_first_of(delimiters, first);
    if (end == std::string::npos)
        end = m_text.size();
    start = int(std::min(end + 1, m_text.size()));
    return CString(m_text.substr(first, end - first));
}

CString& CString::MakeUpper()
{
    for (auto& c : m_text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return *this;
}

CString& CString::MakeLower()
{
    for (auto& c : m_text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(const char* chars) { return TrimRight(chars).TrimLeft(chars); }
CString& CString::TrimLeft() { return TrimLeft(kWhitespace); }
CString& CString::TrimRight() { return TrimRight(kWhitespace); }

CString& CString::TrimLeft(char ch)
{
    const char chars[2] = {ch, '\0'};
    return TrimLeft(chars);
}

CString& CString::TrimRight(char ch)
{
    const char chars[2] = {ch, '\0'};
    return TrimRight(chars);
}

CString& CString::TrimLeft(const char* chars)
{
    std::size_t n = 0;
    while (n < m_text.size() && IsIn(m_text[n], chars))
        ++n;
    m_text.erase(0, n);
    return *this;
}

CString& CString::TrimRight(const char* chars)
{
    std::size_t n = m_text.size();
    while (n > 0 && IsIn(m_text[n - 1], chars))
        --n;
    m_text.resize(n);
    return *this;
}

int CString::Replace(const char* oldText, const char* newText)
{
    if (!oldText || !*oldText)
        return 0;
    const std::string_view from(oldText);
    const std::string_view to(newText ? newText : "");
    int count = 0;
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        const auto hit = m_text.find(from, pos);
        if (hit == std::string::npos)
            break;
        out.append(m_text, pos, hit - pos);
        out.append(to);
        pos = hit + from.size();
        ++count;
    }
    if (count) {
        out.append(m_text, pos);
        m_text = std::move(out);
    }
    return count;
}

int CString::Replace(char oldCh, char newCh)
{
    int count = 0;
    for (auto& c : m_text)
        if (c == oldCh) {
            c = newCh;
            ++count;
        }
    return count;
}

int CString::Remove(char ch)
{
    const auto before = m_text.size();
    std::erase(m_text, ch);
    return int(before - m_text.size());
}

int CString::Insert(int index, const char* text)
{
    // Rebuilt rather than inserted in place: the text may point into this string.
    const auto at = std::size_t(std::clamp(index, 0, GetLength()));
    std::string out = m_text.substr(0, at);
    out += text ? text : "";
    out.append(m_text, at);
    m_text = std::move(out);
    return GetLength();
}

int CString::Insert(int index, char ch)
{
    const char text[2] = {ch, '\0'};
    return Insert(index, text);
}

int CString::Delete(int index, int count)
{
    if (index >= 0 && index < GetLength() && count > 0)
        m_text.erase(std::size_t(index), std::size_t(count));
    return GetLength();
}

std::string CString::FormatRaw(const char* format, ...)
{
    if (!format)
        return {};
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (needed > 0) {
        out.resize(std::size_t(needed));
        std::vsnprintf(out.data(), out.size() + 1, format, args);
    }
#pragma GCC diagnostic pop
    va_end(args);
    return out;
}
