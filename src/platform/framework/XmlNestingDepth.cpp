#include "platform/framework/XmlNestingDepth.h"

#include <algorithm>

namespace
{
// Position after the first occurrence of `terminator` at or after `from`; the end when absent.
std::size_t After(std::string_view text, std::size_t from, std::string_view terminator)
{
    const std::size_t at = text.find(terminator, from);
    return at == std::string_view::npos ? text.size() : at + terminator.size();
}

// Position after the '>' that closes a start tag opened before `from`, skipping quoted values;
// sets selfClosing when the tag ends with "/>".
std::size_t AfterStartTag(std::string_view text, std::size_t from, bool& selfClosing)
{
    char quote = 0;
    for (std::size_t i = from; i < text.size(); ++i)
    {
        const char c = text[i];
        if (quote)
        {
            if (c == quote)
                quote = 0;
        }
        else if (c == '"' || c == '\'')
        {
            quote = c;
        }
        else if (c == '>')
        {
            selfClosing = i > from && text[i - 1] == '/';
            return i + 1;
        }
    }
    selfClosing = false;
    return text.size();
}
} // namespace

int MeasureXmlNestingDepth(std::string_view text, int limit)
{
    int depth = 0;
    int deepest = 0;
    std::size_t i = 0;
    while (deepest <= limit)
    {
        i = text.find('<', i);
        if (i == std::string_view::npos)
            break;
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("<!--"))
            i = After(text, i + 4, "-->");
        else if (rest.starts_with("<![CDATA["))
            i = After(text, i + 9, "]]>");
        else if (rest.starts_with("<?"))
            i = After(text, i + 2, "?>");
        else if (rest.starts_with("<!"))
            i = After(text, i + 2, ">");
        else if (rest.starts_with("</"))
        {
            depth = std::max(depth - 1, 0);
            i = After(text, i + 2, ">");
        }
        else
        {
            bool selfClosing = false;
            i = AfterStartTag(text, i + 1, selfClosing);
            if (!selfClosing)
                deepest = std::max(deepest, ++depth);
        }
    }
    return deepest;
}
