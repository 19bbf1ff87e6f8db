#include "monitor/DefaultLogFile.h"

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
    EXPECT_EQ(LogbuchDateiname(year{1996} / 5 / 20), QStringLiteral("Tarvis 05-1996.Rep"));
}

TEST(StandardLogbuchdatei, FallsBackToTheDocumentsWhenTheProgramsDirectoryIsReadOnly) {
    QTemporaryDir home;
    const auto nieProgramm = [](const QString& dir) { return dir != QLatin1String("/usr/bin"); };
    EXPECT_EQ(StandardLogbuchdatei(year{1996} / 12 / 7, "/usr/bin", home.path(), nieProgramm),
              QDir(home.path()).filePath(QStringLiteral("Tarvis 12-1996.Rep")));
}

// A fresh account may have no documents directory yet: it is made, so the first save does not
// fail for it.
TEST(StandardLogbuchdatei, MakesAMissingDocumentsDirectory) {
    QTemporaryDir home;
    const QString dokumente = home.filePath(QStringLiteral("Dokumente/Privat"));
    const auto nie = [](const QString&) { return false; };
    const QString pfad = StandardLogbuchdatei(year{1996} / 12 / 7,
                                              home.filePath(QStringLiteral("bin")), dokumente, nie);
    EXPECT_EQ(pfad, QDir(dokumente).filePath(QStringLiteral("Tarvis 12-1996.Rep")));
    EXPECT_TRUE(QFileInfo(dokumente).isDir());
    QFile datei(pfad);
    EXPECT_TRUE(datei.open(QIODevice::WriteOnly));
    // The program's own directory, when writable, is used as it is and nothing is made.
    const auto immer = [](const QString&) { return true; };
    StandardLogbuchdatei(year{1996} / 12 / 7, home.path(), home.filePath(QStringLiteral("nie")),
                         immer);
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("nie"))));
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
