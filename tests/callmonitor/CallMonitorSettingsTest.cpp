// The call monitor's settings and the memory of numbers in the settings file.
#include "callmonitor/CallMonitorSettings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tarvis;

namespace {

// The settings file of `ordner` holding these bytes.
QString Einstellungsdatei(const QTemporaryDir& ordner, const QByteArray& inhalt) {
    const QString pfad = ordner.filePath(QStringLiteral("Tarvis32.conf"));
    QFile datei(pfad);
    EXPECT_TRUE(datei.open(QIODevice::WriteOnly));
    EXPECT_EQ(datei.write(inhalt), inhalt.size());
    return pfad;
}

// The settings file as the user or a damaged disk may leave it.
struct DateiFall {
    const char* name;
    QByteArray inhalt;
    AnrufmonitorEinstellungen erwartet;
    const char* gesagt = ""; // what the title or standard error says about it
};

class CallMonitorSettings : public ::testing::TestWithParam<DateiFall> {};

TEST_P(CallMonitorSettings, ReadsValuesAndFallsBackToDefaults) {
    QTemporaryDir ordner;
    const QString pfad = Einstellungsdatei(ordner, GetParam().inhalt);
    QSettings einstellungen(pfad, QSettings::IniFormat);
    EXPECT_EQ(LiesAnrufmonitor(&einstellungen), GetParam().erwartet) << GetParam().name;
    const QString gesagt = AnrufmonitorFehler(&einstellungen);
    EXPECT_EQ(gesagt.isEmpty(), *GetParam().gesagt == 0) << gesagt.toStdString();
    EXPECT_TRUE(gesagt.isEmpty() || gesagt.endsWith(QString::fromUtf8(GetParam().gesagt)))
        << gesagt.toStdString();
}

// A folder where the settings file should be: the defaults, and said why.
TEST(CallMonitorSettings, AFolderInsteadOfTheFileIsSaid) {
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("Tarvis32.conf"));
    ASSERT_TRUE(QDir().mkpath(pfad));
    QSettings einstellungen(pfad, QSettings::IniFormat);
    EXPECT_EQ(LiesAnrufmonitor(&einstellungen), AnrufmonitorEinstellungen{});
    EXPECT_EQ(AnrufmonitorFehler(&einstellungen), QStringLiteral("Einstellungen nicht lesbar: ") +
                                                      pfad + QStringLiteral(" ist ein Ordner"));
}

AnrufmonitorEinstellungen Mit(bool aktiv, const char* adresse, int port, NachDemGespraech nach,
                              const char* vorwahl) {
    return {aktiv, QString::fromUtf8(adresse), port, nach, QString::fromUtf8(vorwahl)};
}

INSTANTIATE_TEST_SUITE_P(
    Anrufmonitor, CallMonitorSettings,
    ::testing::Values(DateiFall{"leer", "", {}},
                      DateiFall{
                          "vollstaendig",
                          "[Anrufmonitor]\nAktiv=true\nAdresse=192.168.178.1\nPort=1013\n"
                          "NachDemGespraech=speichern\nEigeneVorwahl=0711\n",
                          Mit(true, "192.168.178.1", 1013, NachDemGespraech::Speichern, "0711")},
                      DateiFall{"beschaedigt",
                                "[Anrufmonitor]\nAktiv=vielleicht\nAdresse=\nPort=70000\n"
                                "NachDemGespraech=irgendwas\nEigeneVorwahl=07x1\n",
                                {},
                                "Port „70000“ ungültig (1 bis 65535), es gilt 1012"},
                      DateiFall{"Port Text",
                                "[Anrufmonitor]\nPort=abc\n",
                                {},
                                "Port „abc“ ungültig (1 bis 65535), es gilt 1012"},
                      DateiFall{"Muell",
                                QByteArray("\0\xff[[[=\n\x01=\x02\n[Anrufmonitor\nPort=-1\n", 30),
                                {},
                                " ist beschädigt"}));

TEST(CallMonitorSettings, WrittenValuesAndRememberedZonesReadBack) {
    QTemporaryDir ordner;
    QSettings einstellungen(ordner.filePath(QStringLiteral("Tarvis32.conf")), QSettings::IniFormat);
    const auto werte = Mit(true, "fritz.box", 1012, NachDemGespraech::Nichts, "089");
    SchreibeAnrufmonitor(&einstellungen, werte);
    EXPECT_EQ(LiesAnrufmonitor(&einstellungen), werte);
    MerkeZone(&einstellungen, QStringLiteral("071112345"), 2);
    MerkeZone(&einstellungen, QStringLiteral("0711"), 9); // no zone: not kept
    EXPECT_EQ(GemerkteZone(&einstellungen, QStringLiteral("071112345")), 2);
    EXPECT_EQ(GemerkteZone(&einstellungen, QStringLiteral("0711")), std::nullopt);
    EXPECT_EQ(LiesAnrufmonitor(nullptr), AnrufmonitorEinstellungen{});
}

// The memory of numbers bounded (here at 3): the most recently saved are kept.
struct MerkFall {
    const char* name;
    QByteArray vorher; // the settings file before, numbers remembered by an older Tarvis32
    std::vector<const char*> gespeichert;
    std::vector<const char*> behalten;
    std::vector<const char*> vergessen;
};

class Gedaechtnis : public ::testing::TestWithParam<MerkFall> {};

TEST_P(Gedaechtnis, KeepsTheMostRecentlySavedNumbers) {
    QTemporaryDir ordner;
    const QString pfad = Einstellungsdatei(ordner, GetParam().vorher);
    QSettings einstellungen(pfad, QSettings::IniFormat);
    for (const char* nummer : GetParam().gespeichert) {
        EXPECT_EQ(MerkeZone(&einstellungen, QString::fromUtf8(nummer), 2, 3), QString());
    }
    QSettings gelesen(pfad, QSettings::IniFormat);
    for (const char* nummer : GetParam().behalten) {
        EXPECT_TRUE(GemerkteZone(&gelesen, QString::fromUtf8(nummer))) << nummer;
    }
    for (const char* nummer : GetParam().vergessen) {
        EXPECT_FALSE(GemerkteZone(&gelesen, QString::fromUtf8(nummer))) << nummer;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Gedaechtnis,
    ::testing::Values(
        MerkFall{"unter der Grenze", {}, {"01", "02"}, {"01", "02"}, {}},
        MerkFall{"aeltester faellt", {}, {"01", "02", "03", "04"}, {"02", "03", "04"}, {"01"}},
        MerkFall{"wieder gespeichert ist neu",
                 {},
                 {"01", "02", "03", "01", "04"},
                 {"01", "03", "04"},
                 {"02"}},
        MerkFall{"von frueher zuerst",
                 "[Rufnummern]\n0301=3\n",
                 {"01", "02", "03"},
                 {"01", "02", "03"},
                 {"0301"}},
        MerkFall{"von frueher behalten unter der Grenze",
                 "[Rufnummern]\n0301=3\n",
                 {"01", "02"},
                 {"0301", "01", "02"},
                 {}}));

// Settings that cannot be written (their folder cannot be made): the zone is not remembered, and
// the caller is told why.
TEST(Gedaechtnis, AFailedWriteIsSaid) {
    QTemporaryDir ordner;
    QFile kein(ordner.filePath(QStringLiteral("kein Ordner")));
    ASSERT_TRUE(kein.open(QIODevice::WriteOnly));
    const QString pfad = kein.fileName() + QStringLiteral("/Tarvis32.conf");
    QSettings einstellungen(pfad, QSettings::IniFormat);
    EXPECT_EQ(MerkeZone(&einstellungen, QStringLiteral("0301"), 3),
              QStringLiteral("Zonen der Rufnummern nicht gespeichert: ") + pfad +
                  QStringLiteral(" nicht beschreibbar"));
}

} // namespace
