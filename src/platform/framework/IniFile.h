#pragma once
// An INI text of named sections holding named string values, kept in the order they were met.
// The profile stores its registry-like tree in one; values may hold any text (escaped on
// writing), so a round trip gives back exactly what was stored.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CIniFile
{
public:
    // Section and entry names compare case-insensitively for ASCII letters, as registry names do.
    std::optional<std::string> Get(std::string_view section, std::string_view entry) const;
    void Set(std::string_view section, std::string_view entry, std::string value);
    // False when there was nothing to remove.
    bool Remove(std::string_view section, std::string_view entry);
    bool RemoveSection(std::string_view section);
    std::vector<std::string> Entries(std::string_view section) const;
    bool IsEmpty() const { return m_sections.empty(); }

    void Parse(std::string_view text);
    std::string Serialize() const;

    // Reads a file; a missing file gives an empty INI (true), an unreadable one false.
    bool Load(const std::filesystem::path& path);
    // Writes a temporary file beside the target, flushes it to disk and renames it over the
    // target, so a crash leaves either the old or the new file, never a truncated one.
    bool SaveAtomically(const std::filesystem::path& path) const;

private:
    struct Section
    {
        std::string name;
        std::vector<std::pair<std::string, std::string>> values;
    };
    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;

    std::vector<Section> m_sections;
};
