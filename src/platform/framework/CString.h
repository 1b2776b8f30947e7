#pragma once
// CString: the framework's text type. The text is held as UTF-8; positions and lengths count
// bytes. Texts from files arrive as UTF-16 or as Windows-1252 and are converted on reading.
#include <compare>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

class CString
{
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(std::string text) : m_text(std::move(text)) {}
    CString(std::string_view text) : m_text(text) {}
    CString(const char* text, int length) : m_text(text, text ? std::size_t(length) : 0) {}
    CString(char ch, int repeat) : m_text(std::size_t(repeat > 0 ? repeat : 0), ch) {}

    // Conversions from the encodings found in files.
    static CString FromUtf16(const char16_t* units, std::size_t count);
    static CString FromUtf16(std::u16string_view units) { return FromUtf16(units.data(), units.size()); }
    static CString FromWindows1252(const char* bytes, std::size_t count);
    std::u16string ToUtf16() const;
    // Windows-1252 form for 8-bit file fields; characters outside it become '?'.
    std::string ToWindows1252() const;

    int GetLength() const { return int(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    char GetAt(int index) const { return m_text.at(std::size_t(index)); }
    void SetAt(int index, char ch) { m_text.at(std::size_t(index)) = ch; }
    char operator[](int index) const { return GetAt(index); }

    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }
    std::string_view view() const { return m_text; }

    CString& operator=(const char* text) { m_text = text ? text : ""; return *this; }
    CString& operator+=(const CString& other) { m_text += other.m_text; return *this; }
    CString& operator+=(const char* text) { if (text) m_text += text; return *this; }
    CString& operator+=(char ch) { m_text += ch; return *this; }
    void Append(const CString& other) { m_text += other.m_text; }
    void AppendChar(char ch) { m_text += ch; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
    friend CString operator+(const CString& a, const char* b) { return a + CString(b); }
    friend CString operator+(const char* a, const CString& b) { return CString(a) + b; }
    friend CString operator+(const CString& a, char b) { return CString(a.m_text + b); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b) { return a.m_text <=> b.m_text; }

    // Ordinal comparison: negative, zero or positive.
    int Compare(const char* other) const;
    // Case-insensitive for ASCII letters, as the file formats compare names.
    int CompareNoCase(const char* other) const;

    int Find(const char* sub, int start = 0) const;
    int Find(char ch, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* chars) const;

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString SpanIncluding(const char* chars) const;
    CString SpanExcluding(const char* chars) const;
    // Next token after position `start` (advanced past it); empty text and start -1 at the end.
    CString Tokenize(const char* delimiters, int& start) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& Trim();
    CString& Trim(char ch);
    CString& Trim(const char* chars);
    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(const char* chars);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(const char* chars);

    int Replace(const char* oldText, const char* newText);
    int Replace(char oldCh, char newCh);
    int Remove(char ch);
    int Insert(int index, const char* text);
    int Insert(int index, char ch);
    int Delete(int index, int count = 1);

    // printf-style formatting; CString arguments may be passed directly. Numbers follow the
    // process locale, so texts meant for files must not be built with it.
    template <typename... Args>
    void Format(const char* format, const Args&... args)
    {
        m_text = FormatRaw(format, Arg(args)...);
    }
    template <typename... Args>
    void AppendFormat(const char* format, const Args&... args)
    {
        m_text += FormatRaw(format, Arg(args)...);
    }
    template <typename... Args>
    static CString Formatted(const char* format, const Args&... args)
    {
        return CString(FormatRaw(format, Arg(args)...));
    }

    // Loads a text of the string table; false (and an empty text) when the id has none.
    bool LoadString(unsigned id);

private:
    template <typename T>
    static decltype(auto) Arg(const T& value)
    {
        if constexpr (std::is_same_v<T, CString>)
            return value.GetString();
        else if constexpr (std::is_same_v<T, std::string>)
            return value.c_str();
        else
            return value;
    }
    static std::string FormatRaw(const char* format, ...);

    std::string m_text;
};

using CStringW = CString;
using CStringA = CString;

template <>
struct std::hash<CString>
{
    std::size_t operator()(const CString& s) const noexcept { return std::hash<std::string>{}(s.str()); }
};
