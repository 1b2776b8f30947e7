#pragma once
// Element names as the compound file format orders them: shorter names first, names of equal
// length by their upper-cased UTF-16 units.
#include <string>
#include <string_view>

#include "platform/framework/CString.h"

namespace StorageName {

char16_t ToUpper(char16_t unit);
// Negative, zero or positive, in the order of the directory tree.
int Compare(std::u16string_view a, std::u16string_view b);
// The upper-cased form; two names are the same element when their keys are equal.
std::u16string Key(std::u16string_view name);
// A name an element may carry: 1 to 31 UTF-16 units, none of / \ : !
bool IsValid(std::u16string_view name);

} // namespace StorageName
