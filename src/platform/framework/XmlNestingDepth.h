#pragma once
// The XML parser descends recursively, one stack frame chain per element level, so a document
// is measured before it is parsed: a cheap scan of its tags, good enough to bound the depth.
#include <string_view>

// The deepest element nesting of the text, counted up to limit + 1 (the scan stops there).
// Comments, CDATA sections, processing instructions and declarations do not count; quoted
// attribute values are skipped.
int MeasureXmlNestingDepth(std::string_view text, int limit);
