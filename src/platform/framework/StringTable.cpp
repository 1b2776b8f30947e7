#include "platform/framework/StringTable.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

// Lines read "<id><TAB><text>"; backslash escapes \n, \t and \\ stand for themselves in the text.
CString Unescape(std::string_view raw)
{
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            const char next = raw[++i];
            out += next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : next;
        } else {
            out += raw[i];
        }
    }
    return CString(std::move(out));
}

// The running program's folder, read once: it stays while the program runs, and every bitmap,
// dialog and string table a page loads asks for the resources beside it.
const std::string& ExecutableDir()
{
    static const std::string dir = [] {
        std::error_code ec;
        const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
        return ec ? std::string(".") : exe.parent_path().string();
    }();
    return dir;
}

} // namespace

CStringTable& CStringTable::Instance()
{
    static CStringTable table;
    return table;
}

std::string CStringTable::ResourceDir()
{
    if (const char* dir = std::getenv("ORN_RESOURCE_DIR"); dir && *dir)
        return dir;
    // Installed layout first, then the build tree's copy.
    for (const auto& candidate : {ExecutableDir() + "/resources", ExecutableDir() + "/../share/ampelon/resources"})
        if (std::filesystem::is_directory(candidate))
            return candidate;
    return ExecutableDir() + "/resources";
}

bool CStringTable::LoadLanguage(const std::string& language)
{
    return LoadFile(ResourceDir() + "/strings/" + language + ".txt");
}

bool CStringTable::LoadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::unordered_map<unsigned, CString> texts;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto tab = line.find('\t');
        if (line.empty() || line[0] < '0' || line[0] > '9' || tab == std::string::npos)
            continue;
        char* end = nullptr;
        const unsigned long id = std::strtoul(line.c_str(), &end, 10);
        if (end != line.c_str() + tab)
            continue;
        texts[unsigned(id)] = StripResourceMarks(Unescape(std::string_view(line).substr(tab + 1)));
    }
    m_texts = std::move(texts);
    return true;
}

void CStringTable::Set(unsigned id, const CString& text)
{
    m_texts[id] = StripResourceMarks(text);
}

std::optional<CString> CStringTable::Find(unsigned id) const
{
    const auto it = m_texts.find(id);
    if (it == m_texts.end())
        return std::nullopt;
    return it->second;
}

CString StripResourceMarks(const CString& raw)
{
    CString text = raw;
    if (text.GetLength() >= 3 && text.Left(2) == "##")
        text = text.Mid(3);
    if (!text.IsEmpty() && text[0] == '_') {
        const int bar = text.Find('|');
        if (bar > 0 && text.Left(bar).SpanIncluding("_").GetLength() == bar)
            text = text.Mid(bar + 1);
    }
    return text;
}

bool CString::LoadString(unsigned id)
{
    const auto text = CStringTable::Instance().Find(id);
    m_text = text ? text->str() : std::string();
    return text.has_value();
}
