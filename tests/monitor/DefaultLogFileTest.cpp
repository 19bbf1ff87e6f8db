#include "monitor/DefaultLogFile.h"

#include "calllog/LogFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tarvis;
using namespace std::chrono;

TEST(StandardLogbuchdatei, OneFilePerMonthOfTheStart) {
    const auto immer = [](const QString&) { return true; };
    EXPECT_EQ(StandardLogbuchdatei(year{1996} / 12 / 31, "/opt/tarvis", "/home/u/Dokumente", immer),
              QStringLiteral("/opt/tarvis/Tarvis 12-1996.Rep"));
    EXPECT_EQ(StandardLogbuchdatei(year{1997} / 1 / 1, "/opt/tarvis", "/home/u/Dokumente", immer),
              QStringLiteral("/opt/tarvis/Tarvis 01-1997.Rep"));
    EXPECT_EQ(StandardLogbuchdatei(year{1996} / 5 / 20, "/opt/tarvis", "/home/u/Dokumente", immer),
              QStringLiteral("/opt/tarvis/Tarvis 05-1996.Rep"));
}

TEST(StandardLogbuchdatei, FallsBackToTheDocumentsWhenTheProgramsDirectoryIsReadOnly) {
    QTemporaryDir home;
    const auto nieProgramm = [](const QString& dir) { return dir != QLatin1String("/usr/bin"); };
    EXPECT_EQ(StandardLogbuchdatei(year{1996} / 12 / 7, "/usr/bin", home.path(), nieProgramm),
              QDir(home.path()).filePath(QStringLiteral("Tarvis 12-1996.Rep")));
}

// Start-up makes nothing, not even a missing documents directory: the first save into it does
// (through the log's folder to make); a log chosen elsewhere makes nothing.
TEST(StandardLogbuchdatei, MakesNothingTheFirstSaveMakesTheDocumentsDirectory) {
    QTemporaryDir home;
    const QString dokumente = home.filePath(QStringLiteral("Dokumente/Privat"));
    const auto nie = [](const QString&) { return false; };
    Logbuchdatei logbuchdatei(StandardLogbuchdatei(
        year{1996} / 12 / 7, home.filePath(QStringLiteral("bin")), dokumente, nie));
    logbuchdatei.SetzeAnzulegendenOrdner(dokumente);
    EXPECT_EQ(logbuchdatei.Pfad(), QDir(dokumente).filePath(QStringLiteral("Tarvis 12-1996.Rep")));
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("Dokumente"))));

    const QString anderswo = home.filePath(QStringLiteral("anderswo/x.Rep"));
    logbuchdatei.SetzePfad(anderswo);
    logbuchdatei.LegeOrdnerAn();
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("Dokumente"))));
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("anderswo"))));

    logbuchdatei.SetzePfad(QDir(dokumente).filePath(QStringLiteral("Tarvis 12-1996.Rep")));
    logbuchdatei.LegeOrdnerAn();
    EXPECT_TRUE(QFileInfo(dokumente).isDir());
}

TEST(VerzeichnisBeschreibbar, RealDirectories) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    EXPECT_TRUE(VerzeichnisBeschreibbar(tmp.path()));
    EXPECT_FALSE(VerzeichnisBeschreibbar(tmp.filePath(QStringLiteral("fehlt"))));
    // A missing program directory sends the log to the documents.
    EXPECT_EQ(StandardLogbuchdatei(year{1996} / 12 / 7, tmp.filePath(QStringLiteral("fehlt")),
                                   tmp.path(), VerzeichnisBeschreibbar),
              QDir(tmp.path()).filePath(QStringLiteral("Tarvis 12-1996.Rep")));
}
