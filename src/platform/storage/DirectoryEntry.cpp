#include "platform/storage/DirectoryEntry.h"

#include <algorithm>
#include <cstring>

SDirectoryEntry SDirectoryEntry::Parse(const std::uint8_t* in, bool version3)
{
    SDirectoryEntry entry;
    const std::uint16_t nameBytes = cfb::Get16(in + 64);
    const std::size_t units = std::min<std::size_t>(nameBytes >= 2 ? nameBytes / 2 - 1 : 0, cfb::kMaxNameUnits);
    for (std::size_t i = 0; i < units; ++i)
        entry.name.push_back(char16_t(cfb::Get16(in + 2 * i)));
    entry.type = in[66];
    entry.color = in[67];
    entry.left = cfb::Get32(in + 68);
    entry.right = cfb::Get32(in + 72);
    entry.child = cfb::Get32(in + 76);
    std::memcpy(entry.clsid.data(), in + 80, entry.clsid.size());
    entry.stateBits = cfb::Get32(in + 96);
    entry.created = cfb::Get64(in + 100);
    entry.modified = cfb::Get64(in + 108);
    entry.start = cfb::Get32(in + 116);
    entry.size = version3 ? cfb::Get32(in + 120) : cfb::Get64(in + 120);
    return entry;
}

void SDirectoryEntry::Serialize(std::uint8_t* out) const
{
    std::memset(out, 0, cfb::kDirEntrySize);
    for (std::size_t i = 0; i < name.size(); ++i)
        cfb::Put16(out + 2 * i, name[i]);
    cfb::Put16(out + 64, std::uint16_t(name.empty() ? 0 : 2 * (name.size() + 1)));
    out[66] = type;
    out[67] = color;
    cfb::Put32(out + 68, left);
    cfb::Put32(out + 72, right);
    cfb::Put32(out + 76, child);
    std::memcpy(out + 80, clsid.data(), clsid.size());
    cfb::Put32(out + 96, stateBits);
    cfb::Put64(out + 100, created);
    cfb::Put64(out + 108, modified);
    cfb::Put32(out + 116, start);
    cfb::Put64(out + 120, size);
}
