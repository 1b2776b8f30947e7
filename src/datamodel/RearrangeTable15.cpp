#include "datamodel/RearrangeTable15.h"

#include <array>
#include <cstring>

namespace {

// One harmonic array: eight channels (four voltage, four current phase slots) of 51 orders, each
// order an 8-byte entry of two floats.
constexpr int kGroups = 8;
constexpr int kOrders = 51;
constexpr std::size_t kEntryBytes = 8;
constexpr std::size_t kArrayBytes = kGroups * kOrders * kEntryBytes;
constexpr std::array<std::size_t, 3> kArrayOffsets = {20, 3284, 6548};
// The fields between the last harmonic array and the first voltage triple, which the firmware
// that writes the packed arrays leaves undefined.
constexpr std::size_t kTrailingBegin = 9812;
constexpr std::size_t kTrailingEnd = 9844;

unsigned char* Entry(unsigned char* array, int group, int order)
{
    return array + (std::size_t(group) * kOrders + std::size_t(order)) * kEntryBytes;
}

// Group g of the packed form holds orders g..50 in its first 51 - g entries; the orders below g
// are the mirror entries (order g of group k < g).
void Unpack(unsigned char* array)
{
    for (int group = 1; group < kGroups; ++group) {
        for (int order = kOrders - 1; order >= group; --order)
            std::memmove(Entry(array, group, order), Entry(array, group, order - group), kEntryBytes);
        for (int order = 0; order < group; ++order)
            std::memcpy(Entry(array, group, order), Entry(array, order, group), kEntryBytes);
    }
}

} // namespace

int RearrangeTable15(Umbo_table_header_t* table)
{
    if (!table || table->table_type != 15 || table->table_lth < kTrailingEnd)
        return -1;
    auto* bytes = reinterpret_cast<unsigned char*>(table);
    for (const std::size_t offset : kArrayOffsets) {
        static_assert(kArrayBytes == 3264);
        Unpack(bytes + offset);
    }
    std::memset(bytes + kTrailingBegin, 0, kTrailingEnd - kTrailingBegin);
    return 0;
}
