#pragma once
// Constants and little-endian field access of the compound file format.
#include <array>
#include <cstdint>
#include <cstring>

namespace cfb {

constexpr std::array<std::uint8_t, 8> kSignature{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

constexpr std::uint32_t kMaxRegSect = 0xFFFFFFFA;
constexpr std::uint32_t kDifSect = 0xFFFFFFFC;
constexpr std::uint32_t kFatSect = 0xFFFFFFFD;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSect = 0xFFFFFFFF;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;

constexpr std::uint32_t kHeaderSize = 512;
constexpr std::uint32_t kHeaderDifatCount = 109;
constexpr std::uint32_t kDirEntrySize = 128;
constexpr std::uint32_t kMiniSectorShift = 6;
constexpr std::uint32_t kMiniSectorSize = 1u << kMiniSectorShift;
constexpr std::uint32_t kMiniStreamCutoff = 4096;
constexpr std::uint32_t kMaxNameUnits = 31;

// Header field offsets.
constexpr std::size_t kOffMinorVersion = 24;
constexpr std::size_t kOffMajorVersion = 26;
constexpr std::size_t kOffByteOrder = 28;
constexpr std::size_t kOffSectorShift = 30;
constexpr std::size_t kOffMiniSectorShift = 32;
constexpr std::size_t kOffDirSectorCount = 40;
constexpr std::size_t kOffFatSectorCount = 44;
constexpr std::size_t kOffFirstDirSector = 48;
constexpr std::size_t kOffMiniCutoff = 56;
constexpr std::size_t kOffFirstMiniFatSector = 60;
constexpr std::size_t kOffMiniFatSectorCount = 64;
constexpr std::size_t kOffFirstDifatSector = 68;
constexpr std::size_t kOffDifatSectorCount = 72;
constexpr std::size_t kOffHeaderDifat = 76;

// Directory entry object types.
constexpr std::uint8_t kTypeUnused = 0;
constexpr std::uint8_t kTypeStorage = 1;
constexpr std::uint8_t kTypeStream = 2;
constexpr std::uint8_t kTypeRoot = 5;
constexpr std::uint8_t kColorBlack = 1;

// The version-3 limit: sizes are 32-bit and the file stays below 2 GB.
constexpr std::uint64_t kMaxFileSize = 0x80000000ull;

inline std::uint16_t Get16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline std::uint32_t Get32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
inline std::uint64_t Get64(const std::uint8_t* p) { return Get32(p) | (std::uint64_t(Get32(p + 4)) << 32); }
inline void Put16(std::uint8_t* p, std::uint16_t v) { p[0] = std::uint8_t(v); p[1] = std::uint8_t(v >> 8); }
inline void Put32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = std::uint8_t(v >> (8 * i));
}
inline void Put64(std::uint8_t* p, std::uint64_t v) { Put32(p, std::uint32_t(v)); Put32(p + 4, std::uint32_t(v >> 32)); }

} // namespace cfb
