// Which program follows the router, and the hand-over of its open calls to the next.
#include "callmonitor/MonitorOwner.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

using namespace tarvis;
using namespace std::chrono;

namespace {

const Moment Beginn = MomentAus(year{1996} / 12 / 7, 14, 5, 33);

// Two programs: the second waits and names the first; it takes over as soon as the first lets
// go, which its end does by itself.
TEST(MonitorBesitz, OneFollowsTheOtherWaitsAndTakesOver) {
    QTemporaryDir ordner;
    const QString pfad = MonitorBesitz::PfadZu(ordner.filePath(QStringLiteral("Tarvis32.conf")));
    EXPECT_EQ(pfad, ordner.filePath(QStringLiteral("Tarvis32.anrufmonitor.lock")));
    auto erster = std::make_unique<MonitorBesitz>(pfad);
    MonitorBesitz zweiter(pfad);
    EXPECT_TRUE(erster->Versuche());
    EXPECT_FALSE(zweiter.Versuche());
    EXPECT_EQ(zweiter.WarteText(),
              QStringLiteral("Anrufmonitor: folgt bereits in Tarvis32 (PID %1)").arg(::getpid()));
    EXPECT_FALSE(zweiter.Versuche());
    erster.reset();
    EXPECT_TRUE(zweiter.Versuche());
    MonitorBesitz dritter(pfad);
    EXPECT_FALSE(dritter.Versuche());
}

// The calls open at a holder's end go to the next holder once, their CONNECT moved onto its
// counter by the time passed; a hand-over older than the limit is given up with the length
// known, and a clock set back counts as no time passed.
TEST(MonitorBesitz, OpenCallsAreHandedToTheNextHolderOnce) {
    QTemporaryDir ordner;
    const QString pfad = MonitorBesitz::PfadZu(ordner.filePath(QStringLiteral("Tarvis32.conf")));
    const Moment abgabe = Beginn + seconds{60};
    const struct {
        std::int64_t luecke; // seconds from the hand-over to the take-over
        AnrufMeldung::Art art;
        std::int64_t beginnMs; // on the next holder's counter, at 500 000 ms
    } faelle[] = {{1, AnrufMeldung::Art::Begonnen, 500'000 - 60'000 - 1000},
                  {600, AnrufMeldung::Art::Begonnen, 500'000 - 60'000 - 600'000},
                  {601, AnrufMeldung::Art::Offen, 500'000 - 60'000 - 601'000},
                  {-5, AnrufMeldung::Art::Begonnen, 500'000 - 60'000}};
    for (const auto& fall : faelle) {
        auto alter = std::make_unique<MonitorBesitz>(pfad);
        ASSERT_TRUE(alter->Versuche());
        AnrufMeldung offen{AnrufMeldung::Art::Offen, "3", "0711 5", Beginn, 1000, 60};
        offen.nummerGekuerzt = true;
        ASSERT_EQ(alter->Uebergib({offen}, abgabe, 61'000), QString());
        alter.reset();
        MonitorBesitz neuer(pfad);
        ASSERT_TRUE(neuer.Versuche());
        const auto anrufe = neuer.Uebernimm(abgabe + seconds{fall.luecke}, 500'000);
        ASSERT_EQ(anrufe.size(), 1u) << fall.luecke;
        EXPECT_EQ(anrufe[0].art, fall.art) << fall.luecke;
        EXPECT_EQ(anrufe[0].id, "3");
        EXPECT_EQ(anrufe[0].nummer, "0711 5");
        EXPECT_TRUE(anrufe[0].nummerGekuerzt);
        EXPECT_EQ(anrufe[0].beginn, Beginn);
        EXPECT_EQ(anrufe[0].beginnMs, fall.beginnMs) << fall.luecke;
        EXPECT_EQ(anrufe[0].dauerSekunden, fall.art == AnrufMeldung::Art::Offen ? 60 : 0);
        EXPECT_TRUE(neuer.Uebernimm(abgabe, 500'000).empty()) << "taken twice";
    }
}

} // namespace
