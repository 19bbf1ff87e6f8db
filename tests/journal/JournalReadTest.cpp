// The reading of the logs for the journal: how far it has got, and stopped.
#include "journal/JournalRead.h"

#include "journal/JournalLogs.h"

#include <gtest/gtest.h>

namespace tarvis {
namespace {

using test::JournalLogs;

// How far a reading has got, and a reading stopped before it began.
TEST(LeseFortschritt, CountsTheBytesAndStops) {
    JournalLogs logs;
    LeseFortschritt fortschritt;
    EXPECT_EQ(fortschritt.Promille(), 0);
    const Journal journal = fortschritt.Lies(logs.Alle());
    EXPECT_FALSE(journal.abgebrochen);
    EXPECT_EQ(fortschritt.Promille(), 1000);
    EXPECT_EQ(journal.daten.Anzahl(), 7u);

    fortschritt.Stoppe();
    EXPECT_TRUE(fortschritt.Lies(logs.Alle()).abgebrochen);
    fortschritt.Neu();
    EXPECT_FALSE(fortschritt.Gestoppt());
    EXPECT_EQ(fortschritt.Promille(), 0);
    EXPECT_EQ(fortschritt.Lies(logs.Alle()).daten.Anzahl(), 7u);
}

} // namespace
} // namespace tarvis
