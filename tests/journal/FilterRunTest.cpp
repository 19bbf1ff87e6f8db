#include "journal/FilterRun.h"

#include "journal/JournalLogs.h"
#include "journal/JournalRead.h"

#include <QTest>
#include <gtest/gtest.h>

namespace tarvis {
namespace {

using test::JournalLogs;

// The filters worked out on the worker thread, counted by how often the controls were read.
// Whether a run is still working when the next change comes does not change what these tests
// expect: only how the work is shared out.
class FilterLaufTest : public ::testing::Test {
protected:
    FilterLaufTest() {
        modell.SetzeDaten(LiesJournal(logs.Alle()).daten);
        lauf = std::make_unique<FilterLauf>(
            modell, FilterLauf::Rueckrufe{
                        [this] {
                            ++auftraege;
                            return modell.Auftrag(filter);
                        },
                        [this](const LogSummen&, std::optional<TelefonSummen>) { ++uebernommen; },
                        [this] { ++fertig; }});
    }

    void Warte() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !lauf->Laeuft(); }, 10'000));
    }

    JournalLogs logs;
    JournalModell modell;
    JournalFilter filter;
    std::unique_ptr<FilterLauf> lauf;
    int auftraege = 0;
    int uebernommen = 0;
    int fertig = 0;
};

// Three keys in a row are one search, once the typing pauses.
TEST_F(FilterLaufTest, TypingIsWorkedOutOnceItPauses) {
    for (const char* text : {"m", "mu", "mut"}) {
        filter.suche = text;
        lauf->NachTippPause();
    }
    EXPECT_TRUE(lauf->Laeuft());
    EXPECT_EQ(auftraege, 0);
    Warte();
    EXPECT_EQ(auftraege, 1);
    EXPECT_EQ(fertig, 1);
    EXPECT_EQ(modell.Filter().suche, "mut");
    EXPECT_EQ(modell.Zeilen().size(), 1u);
}

// A change while a run works is worked out after it; what shows in the end is the last one.
TEST_F(FilterLaufTest, AChangeWhileOneRunsIsWorkedOutAfterIt) {
    filter.zone = 1;
    lauf->Jetzt();
    filter.zone = 4;
    lauf->Jetzt();
    EXPECT_TRUE(lauf->Laeuft());
    Warte();
    EXPECT_EQ(auftraege, 2);
    EXPECT_GE(uebernommen, 1);
    EXPECT_EQ(fertig, 1);
    EXPECT_EQ(modell.Filter().zone, 4);
    EXPECT_EQ(modell.Zeilen().size(), 2u); // the calls to Fern
}

// A choice made while the typing pauses is worked out at once, with the text typed so far.
TEST_F(FilterLaufTest, AChoiceDoesNotWaitForTheTyping) {
    filter.suche = "089";
    lauf->NachTippPause();
    filter.zone = 4;
    lauf->Jetzt();
    EXPECT_EQ(auftraege, 1);
    Warte();
    EXPECT_EQ(auftraege, 1);
    EXPECT_EQ(modell.Filter().suche, "089");
    EXPECT_EQ(modell.Zeilen().size(), 2u);
}

} // namespace
} // namespace tarvis
