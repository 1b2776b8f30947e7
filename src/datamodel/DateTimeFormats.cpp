#include "datamodel/DateTimeFormats.h"

#include "platform/framework/UserLocale.h"

#include <string_view>

namespace
{
struct SRunForms
{
    char letter;
    // Forms for a run of length 1, 2 and 3 or longer.
    const char* strftimeForm[3];
    const char* chartForm[3];
};

// Month names (MMM, MMMM) stay numeric in both forms.
constexpr SRunForms kRunForms[] = {
    {'d', {"%#d", "%d", "%d"}, {"d", "dd", "dd"}},
    {'M', {"%#m", "%m", "%m"}, {"m", "mm", "mm"}},
    {'y', {"%#y", "%y", "%Y"}, {"yy", "yy", "yyyy"}},
    {'H', {"%#H", "%H", "%H"}, {"h", "hh", "hh"}},
    {'h', {"%#I", "%I", "%I"}, {"h", "hh", "hh"}},
    {'m', {"%#M", "%M", "%M"}, {"n", "nn", "nn"}},
    {'s', {"%#S", "%S", "%S"}, {"s", "ss", "ss"}},
    {'t', {"%p", "%p", "%p"}, {"ampm", "ampm", "ampm"}},
};

const SRunForms* FindRun(char ch)
{
    for (const auto& run : kRunForms)
        if (run.letter == ch)
            return &run;
    return nullptr;
}

// Reads a literal that starts at the apostrophe at `pos`; returns its text (a doubled
// apostrophe inside gives one) and leaves `pos` after the closing apostrophe.
std::string ReadLiteral(std::string_view picture, std::size_t& pos)
{
    std::string text;
    ++pos;
    while (pos < picture.size())
    {
        if (picture[pos] == '\'')
        {
            if (pos + 1 < picture.size() && picture[pos + 1] == '\'')
            {
                text += '\'';
                pos += 2;
                continue;
            }
            ++pos;
            return text;
        }
        text += picture[pos++];
    }
    return text;
}

std::size_t RunLength(std::string_view picture, std::size_t pos)
{
    std::size_t end = pos;
    while (end < picture.size() && picture[end] == picture[pos])
        ++end;
    return end - pos;
}

// strftime must see a literal percent sign doubled.
std::string EscapePercent(std::string_view text)
{
    std::string escaped;
    for (char ch : text)
    {
        escaped += ch;
        if (ch == '%')
            escaped += '%';
    }
    return escaped;
}

template <bool chart>
CString ConvertPicture(const CString& picture)
{
    const std::string_view in = picture.view();
    std::string out;
    std::size_t pos = 0;
    while (pos < in.size())
    {
        const char ch = in[pos];
        if (ch == '\'')
        {
            const std::string literal = ReadLiteral(in, pos);
            if (literal.empty())
                continue;
            if constexpr (chart)
            {
                if (literal.find('\'') == std::string::npos)
                    out += "'" + literal + "'";
                else if (literal.find('"') == std::string::npos)
                    out += "\"" + literal + "\"";
            }
            else
            {
                out += EscapePercent(literal);
            }
            continue;
        }
        if (const SRunForms* run = FindRun(ch))
        {
            const std::size_t length = RunLength(in, pos);
            const std::size_t form = length >= 3 ? 2 : length - 1;
            out += chart ? run->chartForm[form] : run->strftimeForm[form];
            pos += length;
            continue;
        }
        if constexpr (chart)
            out += ch;
        else
            out += EscapePercent(std::string_view(&ch, 1));
        ++pos;
    }
    return CString(std::move(out));
}
} // namespace

CString PictureToStrftimeFormat(const CString& picture)
{
    return ConvertPicture<false>(picture);
}

CString PictureToChartFormat(const CString& picture)
{
    return ConvertPicture<true>(picture);
}

CString RemoveSecondsFromPicture(const CString& picture)
{
    const std::string_view in = picture.view();
    std::string out;
    std::string pending; // separator text since the last time letter
    std::size_t pos = 0;
    while (pos < in.size())
    {
        const char ch = in[pos];
        if (ch == 'H' || ch == 'h' || ch == 'm' || ch == 't')
        {
            const std::size_t length = RunLength(in, pos);
            out += pending;
            pending.clear();
            out.append(in.substr(pos, length));
            pos += length;
        }
        else if (ch == 's')
        {
            pending.clear();
            pos += RunLength(in, pos);
        }
        else if (ch == '\'')
        {
            // The literal is kept with its apostrophes.
            const std::size_t start = pos;
            ReadLiteral(in, pos);
            pending.append(in.substr(start, pos - start));
        }
        else
        {
            pending += ch;
            ++pos;
        }
    }
    out += pending;
    return CString(std::move(out));
}

CString GetLocaleTimePicture(bool withoutSeconds)
{
    const CString& picture = CUserLocale::Current().timePicture;
    return withoutSeconds ? RemoveSecondsFromPicture(picture) : picture;
}

CString GetShortDateStrftimeFormat()
{
    return PictureToStrftimeFormat(CUserLocale::Current().shortDatePicture);
}

CString GetTimeStrftimeFormat()
{
    return PictureToStrftimeFormat(GetLocaleTimePicture(false));
}

CString GetLocaleTimeFormat()
{
    return PictureToStrftimeFormat(GetLocaleTimePicture(true));
}

CString GetShortDateChartFormat()
{
    return PictureToChartFormat(CUserLocale::Current().shortDatePicture);
}

CString GetTimeChartFormat()
{
    return PictureToChartFormat(GetLocaleTimePicture(false));
}

CString ExpandDateTimeFormat(unsigned stringId)
{
    CString text;
    text.LoadString(stringId);
    // Replaced in this order; a placeholder that does not occur is skipped.
    if (text.Find("dtFmt1") >= 0)
        text.Replace("dtFmt1", GetShortDateStrftimeFormat());
    if (text.Find("tmFmt1") >= 0)
        text.Replace("tmFmt1", GetTimeStrftimeFormat());
    if (text.Find("dtFmt2") >= 0)
        text.Replace("dtFmt2", GetShortDateChartFormat());
    if (text.Find("tmFmt2") >= 0)
        text.Replace("tmFmt2", GetTimeChartFormat());
    return text;
}
