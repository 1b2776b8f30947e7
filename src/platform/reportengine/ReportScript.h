#pragma once
// The little of a report script that templates and variables use: string literals as variable
// values, and bracketed references inside memo texts.
#include "platform/framework/CString.h"

#include <functional>

// A variable's value text as the template prints it: a double-quoted string literal is
// evaluated (\\ gives \, \" gives ", \r, \n and \t their characters, any other backslash stays);
// any other text is taken as it is.
CString EvaluateVariableText(const CString& expression);

// The memo text with every "[...]" replaced by what the resolver gives for the text between
// the brackets; a "[" without its "]" stays as it is.
CString ExpandBracketedReferences(const CString& text, const std::function<CString(const CString&)>& resolve);

// Markers that stand for the page number and page count in prepared texts until the pages are
// numbered at output time.
inline constexpr char kPageNumberMarker[] = "\x01P";
inline constexpr char kPageCountMarker[] = "\x01T";
CString ResolvePageMarkers(const CString& text, int pageNumber, int pageCount);
