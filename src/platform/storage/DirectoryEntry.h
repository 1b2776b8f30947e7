#pragma once
// One 128-byte entry of the directory of a compound file, and the content of a stream element.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/storage/CompoundFileFormat.h"

// Where a stream's bytes are: a chain of sectors, or of mini sectors for a small stream.
// Shared between the directory and the streams that read it, so that destroying an open stream
// can leave its sectors allocated until the last reader lets go.
struct SStreamContent
{
    bool mini = true;
    std::vector<std::uint32_t> units;
    std::uint64_t size = 0;
};

struct SDirectoryEntry
{
    std::u16string name;
    std::uint8_t type = cfb::kTypeUnused;
    std::uint8_t color = cfb::kColorBlack;
    std::uint32_t left = cfb::kNoStream;
    std::uint32_t right = cfb::kNoStream;
    std::uint32_t child = cfb::kNoStream;
    std::array<std::uint8_t, 16> clsid{};
    std::uint32_t stateBits = 0;
    std::uint64_t created = 0;
    std::uint64_t modified = 0;
    std::uint32_t start = cfb::kEndOfChain;
    std::uint64_t size = 0;
    std::shared_ptr<SStreamContent> content; // streams only

    // Version 3 keeps only the low 32 bits of the size meaningful.
    static SDirectoryEntry Parse(const std::uint8_t* in, bool version3);
    void Serialize(std::uint8_t* out) const;
};
