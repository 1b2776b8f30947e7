#pragma once
// The rule that names a new archive stream after a file: the file's name when it fits the
// format's 31 units and is free, else a shortened stem with a four-digit hexadecimal counter.
#include <functional>
#include <string>

#include "platform/framework/CString.h"

// The last component of a path.
CString GetFileNameOnly(const CString& path);
// Removes the extension (from the last point of the last component) in place.
void RemoveFileExtension(CString& path);

// The characters the format reserves in element names (/ \ : ! and NUL) become "_".
std::u16string CleanStreamName(std::u16string name);

// The first free candidate for the last component of pathOrName; empty when none is free.
// isFree receives candidates of 1 to 31 units without reserved characters.
CString MakeUniqueStreamName(const CString& pathOrName, const std::function<bool(const std::u16string&)>& isFree);
