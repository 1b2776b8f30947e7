#include "study/WalkShares.h"

#include <algorithm>
#include <thread>

std::size_t MachineWalks()
{
    // Unknown counts as two, as does a single processor: a second walk still has records on their
    // way while the first waits.
    return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 2, kMostWalks);
}
