#pragma once
// The user-interface languages by index, as the profile stores the choice.
#include <cstddef>

inline constexpr const char* kLanguageAbbreviations[] = {"ENG", "FRA", "DEU", "ITA", "ESP", "CHS", "RUS",
                                                         "KOR", "CSY", "PLK", "TRK", "PTB", "JPN"};

// The abbreviation of language 0..12 ("ENG" ...); null for any other index.
inline const char* GetLanguageAbbreviation(int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < std::size(kLanguageAbbreviations) ? kLanguageAbbreviations[index]
                                                                                              : nullptr;
}
