#pragma once

#include "calllog/CallData.h"

#include <chrono>

namespace tarvis::test {

// The call of the log's record example: Saturday 07.12.1996 from 14:05:33 to 14:09:12, shown
// as 00:03:39,2; units 2, 5, 10 and 11 in City, Region 50, Region 200 and Fern (what the
// calculation gives for it).
inline GespraechsDaten BeispielAnruf() {
    using namespace std::chrono;
    const Datum tag = year{1996} / 12 / 7;
    return GespraechMit(MomentAus(tag, 14, 5, 33), MomentAus(tag, 14, 9, 12), 219'200,
                        {2, 5, 10, 11});
}

} // namespace tarvis::test
