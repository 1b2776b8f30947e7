#include "platform/framework/IniFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <strings.h>
#include <unistd.h>

namespace {

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

// Backslash escapes keep line breaks, the separator and blanks at either end intact, so a text
// comes back exactly; `special` lists the further characters that must not appear bare.
std::string Escape(std::string_view text, std::string_view special)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const bool atEdge = i == 0 || i + 1 == text.size();
        if (ch == '\n')
            out += "\\n";
        else if (ch == '\r')
            out += "\\r";
        else if (ch == '\\' || special.find(ch) != std::string_view::npos || (atEdge && IsBlank(ch)))
            (out += '\\') += ch;
        else if (i == 0 && (ch == ';' || ch == '#' || ch == '['))
            (out += '\\') += ch;
        else
            out += ch;
    }
    return out;
}

// Trims unescaped blanks at both ends, then resolves the escapes.
std::string Unescape(std::string_view raw)
{
    std::size_t first = 0;
    while (first < raw.size() && IsBlank(raw[first]))
        ++first;
    std::size_t last = first;
    for (std::size_t i = first; i < raw.size(); ++i) {
        if (raw[i] == '\\')
            last = ++i + 1;
        else if (!IsBlank(raw[i]))
            last = i + 1;
    }
    last = std::min(last, raw.size());
    std::string out;
    for (std::size_t i = first; i < last; ++i) {
        if (raw[i] == '\\' && i + 1 < last) {
            const char next = raw[++i];
            out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        } else {
            out += raw[i];
        }
    }
    return out;
}

// Position of the first character `ch` that is not escaped.
std::size_t FindUnescaped(std::string_view text, char ch)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\')
            ++i;
        else if (text[i] == ch)
            return i;
    }
    return std::string_view::npos;
}

} // namespace

CIniFile::Section* CIniFile::FindSection(std::string_view name)
{
    const auto it = std::find_if(m_sections.begin(), m_sections.end(), [&](const Section& s) { return SameName(s.name, name); });
    return it == m_sections.end() ? nullptr : &*it;
}

const CIniFile::Section* CIniFile::FindSection(std::string_view name) const
{
    return const_cast<CIniFile*>(this)->FindSection(name);
}

std::optional<std::string> CIniFile::Get(std::string_view section, std::string_view entry) const
{
    if (const Section* s = FindSection(section))
        for (const auto& [name, value] : s->values)
            if (SameName(name, entry))
                return value;
    return std::nullopt;
}

void CIniFile::Set(std::string_view section, std::string_view entry, std::string value)
{
    Section* s = FindSection(section);
    if (!s)
        s = &m_sections.emplace_back(Section{std::string(section), {}});
    for (auto& [name, old] : s->values) {
        if (SameName(name, entry)) {
            old = std::move(value);
            return;
        }
    }
    s->values.emplace_back(std::string(entry), std::move(value));
}

bool CIniFile::Remove(std::string_view section, std::string_view entry)
{
    Section* s = FindSection(section);
    if (!s)
        return false;
    const auto it = std::find_if(s->values.begin(), s->values.end(), [&](const auto& v) { return SameName(v.first, entry); });
    if (it == s->values.end())
        return false;
    s->values.erase(it);
    return true;
}

bool CIniFile::RemoveSection(std::string_view section)
{
    const auto it = std::find_if(m_sections.begin(), m_sections.end(), [&](const Section& s) { return SameName(s.name, section); });
    if (it == m_sections.end())
        return false;
    m_sections.erase(it);
    return true;
}

std::vector<std::string> CIniFile::Entries(std::string_view section) const
{
    std::vector<std::string> names;
    if (const Section* s = FindSection(section))
        for (const auto& value : s->values)
            names.push_back(value.first);
    return names;
}

void CIniFile::Parse(std::string_view text)
{
    m_sections.clear();
    Section* current = nullptr;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        while (!line.empty() && IsBlank(line.front()))
            line.remove_prefix(1);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const auto close = FindUnescaped(line.substr(1), ']');
            if (close == std::string_view::npos)
                continue;
            const std::string name = Unescape(line.substr(1, close));
            current = FindSection(name);
            if (!current)
                current = &m_sections.emplace_back(Section{name, {}});
            continue;
        }
        const auto eq = FindUnescaped(line, '=');
        if (!current || eq == std::string_view::npos)
            continue;
        Set(current->name, Unescape(line.substr(0, eq)), Unescape(line.substr(eq + 1)));
    }
}

std::string CIniFile::Serialize() const
{
    std::string out;
    for (const Section& s : m_sections) {
        if (!out.empty())
            out += '\n';
        out += '[' + Escape(s.name, "]") + "]\n";
        for (const auto& [name, value] : s.values)
            out += Escape(name, "=") + '=' + Escape(value, "") + '\n';
    }
    return out;
}

bool CIniFile::Load(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        m_sections.clear();
        std::error_code ec;
        return !std::filesystem::exists(path, ec);
    }
    std::ostringstream text;
    text << in.rdbuf();
    Parse(text.str());
    return true;
}

bool CIniFile::SaveAtomically(const std::filesystem::path& path) const
{
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::string temp = path.string() + ".tmp-" + std::to_string(::getpid()) + "-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    const std::string text = Serialize();
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += std::size_t(n);
    }
    const bool ok = written == text.size() && ::fsync(fd) == 0;
    ::close(fd);
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself must reach the disk too.
    if (const int dir = ::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}
