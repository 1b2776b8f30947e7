#pragma once
// Where to ask for the cache lines of a record's float fields ahead of reading them.
#include <cstddef>
#include <span>
#include <vector>

// Offsets within a record, one in each cache line the fields may lie in, whatever the record's
// alignment: fields closer than a line to each other share the lines between them, and the lines
// between fields farther apart are left out.
std::vector<std::size_t> FieldLineOffsets(std::span<const std::size_t> fieldOffsets);
