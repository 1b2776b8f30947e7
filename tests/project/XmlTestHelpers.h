#pragma once
// An element printed on one line, for comparing small fragments.
#include <rapidxml/rapidxml_print.hpp>

#include <iterator>
#include <string>

#include "project/XmlValue.h"

inline std::string PrintCompact(const XmlNode& node)
{
    std::string text;
    rapidxml::print(std::back_inserter(text), node, rapidxml::print_no_indenting);
    return text;
}
