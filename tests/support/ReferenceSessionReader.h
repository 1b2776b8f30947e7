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
// Loads the sessions one after another, all kept open, then closes each in turn and loads it
// again: after every load each open session must hold every record of its reference. `result`
// is that of the first load that failed (a session that fails to load is left out); the
// difference names the session and the load it followed.
SLoadCheck LoadSeveralAndCompare(const std::vector<std::string>& paths);
