#pragma once
// The string table of the chosen user-interface language: one text file per language under
// resources/strings, looked up by the numeric ids the program uses.
#include "platform/framework/CString.h"

#include <optional>
#include <string>
#include <unordered_map>

class CStringTable
{
public:
    static CStringTable& Instance();

    // Replaces the table by the texts of the language file (e.g. "ENG"); false when it cannot be read.
    bool LoadLanguage(const std::string& language);
    bool LoadFile(const std::string& path);
    // Texts are stored without their translation prefix and length mark.
    void Set(unsigned id, const CString& text);
    std::optional<CString> Find(unsigned id) const;
    bool IsEmpty() const { return m_texts.empty(); }

    // The folder holding strings/<language>.txt: $ORN_RESOURCE_DIR, else beside the program.
    static std::string ResourceDir();

private:
    std::unordered_map<unsigned, CString> m_texts;
};

// Removes a translation prefix ("##" and one marker character) and a leading length mark of
// underscores closed by '|'; neither is ever shown.
CString StripResourceMarks(const CString& raw);
