#include "platform/reportengine/ReportScript.h"

CString EvaluateVariableText(const CString& expression)
{
    const std::string& text = expression.str();
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return expression;
    std::string value;
    for (std::size_t i = 1; i + 1 < text.size(); ++i)
    {
        char c = text[i];
        if (c == '"')
            return expression; // more than one literal: not a plain string
        if (c == '\\' && i + 2 >= text.size())
            return expression; // the closing quote is escaped: no complete literal
        if (c != '\\')
        {
            value += c;
            continue;
        }
        char next = text[i + 1];
        switch (next)
        {
        case '\\':
        case '"':
            value += next;
            ++i;
            break;
        case 'n':
            value += '\n';
            ++i;
            break;
        case 'r':
            value += '\r';
            ++i;
            break;
        case 't':
            value += '\t';
            ++i;
            break;
        default:
            value += c;
        }
    }
    return CString(std::move(value));
}

CString ExpandBracketedReferences(const CString& text, const std::function<CString(const CString&)>& resolve)
{
    const std::string& source = text.str();
    std::string result;
    std::size_t position = 0;
    while (position < source.size())
    {
        std::size_t open = source.find('[', position);
        std::size_t close = open == std::string::npos ? std::string::npos : source.find(']', open + 1);
        if (close == std::string::npos)
        {
            result.append(source, position, std::string::npos);
            break;
        }
        result.append(source, position, open - position);
        result += resolve(CString(source.substr(open + 1, close - open - 1))).str();
        position = close + 1;
    }
    return CString(std::move(result));
}

CString ResolvePageMarkers(const CString& text, int pageNumber, int pageCount)
{
    if (text.Find('\x01') < 0)
        return text;
    CString result = text;
    result.Replace(kPageNumberMarker, CString::Formatted("%d", pageNumber));
    result.Replace(kPageCountMarker, CString::Formatted("%d", pageCount));
    return result;
}
