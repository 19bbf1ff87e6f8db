// Which files the journal takes for logs.
#include "journal/LogFiles.h"

#include "calllog/LogRecord.h"
#include "journal/JournalLogs.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace tarvis {
namespace {

using test::JournalLogs;

// What counts as a log, whatever its name or the links on the way to it.
TEST(LogZiel, ALogIsRecognisedByItsNameItsHeadingOrThroughLinks) {
    JournalLogs logs;
    const QString eigenerName = logs.Pfad("Anrufe.txt");
    ASSERT_TRUE(QFile::copy(logs.Dezember(), eigenerName));
    const QString nurKopf = logs.Pfad("kopf.csv");
    {
        QFile datei(nurKopf);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(KopfZeilen().left(KopfZeilen().indexOf('\n') + 1));
    }
    const QString fremd = logs.Pfad("fremd.csv");
    {
        QFile datei(fremd);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write("Datum;Start\r\n" + KopfZeilen());
    }
    ASSERT_TRUE(QFile::link(eigenerName, logs.Pfad("verweis.csv")));
    ASSERT_TRUE(QFile::link(logs.Pfad("verweis.csv"), logs.Pfad("verweis2.csv")));
    ASSERT_TRUE(QFile::link(logs.Pfad("Tarvis 05-1997.Rep"), logs.Pfad("ins-leere.csv")));
    ASSERT_TRUE(QFile::link(fremd, logs.Pfad("zu-fremd.csv")));
    const QString fifo = logs.Pfad("fifo.csv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    const std::vector<std::pair<QString, bool>> faelle{
        {logs.Dezember(), true},
        {logs.Pfad("Tarvis 07-1997.Rep"), true}, // not there yet: by its name
        {eigenerName, true},                     // by its heading
        {nurKopf, true},
        {logs.Pfad("verweis.csv"), true},
        {logs.Pfad("verweis2.csv"), true},
        {logs.Pfad("ins-leere.csv"), true}, // a link to a log not yet written
        {fremd, false},                     // the heading, but not at the start
        {logs.Pfad("zu-fremd.csv"), false},
        {logs.Pfad("neu.csv"), false},
        {fifo, false}, // looked at without waiting for a writer
    };
    for (const auto& [pfad, istLog] : faelle) {
        EXPECT_EQ(IstLogDatei(pfad), istLog) << pfad.toStdString();
    }
}

} // namespace
} // namespace tarvis
