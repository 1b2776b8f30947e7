#pragma once
// A plain reading of a session file for the loading checks: one table at a time from the file,
// each kept table in a vector of its own, filed by the loader's rules (restarts, cuts, tables a
// set-back clock replaces, padding, ignored lengths). No blocks, nothing shared, nothing reused:
// what the data set holds after any load is compared with it.
#include "platform/framework/WinTypes.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class CDataSet;
class CRecordScaleFactors;

struct SReferenceSession
{
    // The body was read to its end without a failure.
    bool complete = false;
    // The tables of each list of the data set, by its list kind (type 15, 61, 64, 65, others,
    // versions), in host order.
    std::array<std::vector<std::vector<BYTE>>, 6> lists;
    // The indexed tables of type 10 and 66: time ticks and stream offset of each.
    std::array<std::vector<std::pair<std::int64_t, std::uint64_t>>, 2> indexes;
};

// Reads a session file, or the same bytes from an archive stream, as the loader would, with the
// scale factors it applied.
SReferenceSession ReadReferenceSession(const std::string& path, const CRecordScaleFactors& factors);
SReferenceSession ReadReferenceSession(const std::vector<BYTE>& bytes, const CRecordScaleFactors& factors);

// Empty when the data set holds every table of the reference, byte for byte, in the same place of
// the same list, and the same index entries; otherwise the first difference.
std::string DifferenceFromReference(CDataSet& set, const SReferenceSession& reference);

struct SLoadCheck
{
    int result = 0;          // of the load
    std::string difference;  // empty when the data set and the reference agree
};
// Loads the session at `path` (plain file, no owner) and compares it with its reference, then
// loads the session at `nextPath`, closes it and compares the first again: a later load in the
// same process must leave every record of an open session as it was. Nothing is compared when
// the first load fails.
SLoadCheck LoadAndCompare(const std::string& path, const std::string& nextPath);
