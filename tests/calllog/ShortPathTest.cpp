#include "calllog/ShortPath.h"

#include <gtest/gtest.h>

namespace tarvis {
namespace {

TEST(DirKurzName, KeepsHeadAndFileName) {
    struct Fall {
        const char* pfad;
        const char* kurz;
    };
    const std::vector<Fall> faelle = {
        // Windows paths, as the log files of the old installations were named.
        {"", ""},
        {"LOG.REP", "LOG.REP"},
        {"C:\\LOG.REP", "C:\\LOG.REP"},
        {"C:\\DIR\\", "C:\\...\\"},
        {"C:\\PROGRAMME\\TELEFON\\LOG.REP", "C:\\...\\LOG.REP"},
        {"C:\\PROGRAMME\\TELEFON\\GESPRAECHSAUSWERTUNG\\PRIVAT\\1996\\DEZEMBER\\WEIHNACHTEN\\"
         "LOG.REP",
         "C:\\...\\LOG.REP"},
        {"\\\\SERVER\\DATEN\\LOG.REP", "\\\\SERVER\\...\\LOG.REP"},
        {"\\\\SERVER\\LOG.REP", "\\\\SERVER\\LOG.REP"},
        // Paths of this system keep their top directory.
        {"/home/user/x.Rep", "/home/.../x.Rep"},
        {"/home/user/Tarvis/Tarvis 05-1996.Rep", "/home/.../Tarvis 05-1996.Rep"},
        {"/home/x.Rep", "/home/x.Rep"},
        {"/x.Rep", "/x.Rep"},
        {"/home/user/", "/home/.../"},
        {"//server/daten/x.Rep", "//server/.../x.Rep"},
        {"relativ/unter/x.Rep", "relativ/.../x.Rep"},
        // A backslash in a file name of this system is part of the name.
        {"/media/stick/logs/a\\b.Rep", "/media/.../a\\b.Rep"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.pfad);
        EXPECT_EQ(DirKurzName(QString::fromUtf8(fall.pfad)), QString::fromUtf8(fall.kurz));
    }
}

} // namespace
} // namespace tarvis
