#pragma once
// Sessions that vary what the loader's paths depend on, drawn from a few bytes (a fuzzer's input
// or a seeded generator's): records one after another or between indexed tables of up to 65,000
// bytes (read blocks that hold little that is kept); tables of 20 or 24 bytes that move the
// records after them off the 8-byte boundary or leave them where they are; a cut (type 36) and a
// clock set back by 1 to 100 intervals at and around the edges of the loader's read blocks and
// the start of the last one; either byte order; the body length known or not.
#include "SessionWriter.h"

#include <span>
#include <vector>

SSessionSpec VariedSessionSpec(std::span<const BYTE> choices);

// The trend record that each read block of the loader begins in, the first block's and the last
// one's included: a block begins near every multiple of the blocks' size in the file.
std::vector<int> RecordsAtBlockEdges(const CSessionWriter& writer);
