// The waits between connection attempts.
#include "callmonitor/Reconnect.h"

#include <gtest/gtest.h>

using namespace tarvis;

namespace {

TEST(Wiederverbindung, DoublesFromOneSecondUpToSixtyAndStartsAgainAfterAConnection) {
    Wiederverbindung w;
    std::vector<std::int64_t> wartezeiten;
    for (int i = 0; i < 9; ++i) {
        wartezeiten.push_back(w.NaechsteWartezeitMs());
    }
    EXPECT_EQ(wartezeiten, (std::vector<std::int64_t>{1000, 2000, 4000, 8000, 16000, 32000, 60000,
                                                      60000, 60000}));
    w.Verbunden();
    EXPECT_EQ(w.NaechsteWartezeitMs(), 1000);
}

} // namespace
