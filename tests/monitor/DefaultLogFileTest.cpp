#include "monitor/DefaultLogFile.h"

#include <QDir>
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
    const auto nieProgramm = [](const QString& dir) { return dir != QLatin1String("/usr/bin"); };
    EXPECT_EQ(
        StandardLogbuchdatei(year{1996} / 12 / 7, "/usr/bin", "/home/u/Dokumente", nieProgramm),
        QStringLiteral("/home/u/Dokumente/Tarvis 12-1996.Rep"));
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
