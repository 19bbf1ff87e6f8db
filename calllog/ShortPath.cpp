#include "calllog/ShortPath.h"

namespace tarvis {

namespace {

// The marker uses the path's own separator. A path with any "/" is one of this system's;
// a backslash may then be part of a file name and is left alone.
QChar TrennerVon(const QString& pfad) {
    return pfad.contains(QLatin1Char('/')) ? QLatin1Char('/') : QLatin1Char('\\');
}

} // namespace

// The head is cut after the first separator found from the third character on. That keeps
// the root of a drive path ("C:\"), the server of a network path ("\\SERVER\") and, for a
// path of this system, the top directory with both its slashes ("/home/", "/media/"): the
// part that says which disk or which user the file belongs to. Counting from the third
// character also makes a file directly in a root ("C:\LOG.REP", "/x.Rep") come out
// unchanged.
QString DirKurzName(const QString& pLongFileName) {
    const QChar trenner = TrennerVon(pLongFileName);
    const qsizetype letzter = pLongFileName.lastIndexOf(trenner); // -1 when none
    const QString tail = pLongFileName.mid(letzter + 1);
    qsizetype ersterAb3 = pLongFileName.indexOf(trenner, 2); // -1 when none
    if (ersterAb3 < 0) {
        ersterAb3 = letzter;
    }
    const QString head = pLongFileName.left(ersterAb3 + 1);
    if (head + tail == pLongFileName) {
        return pLongFileName;
    }
    return head + QStringLiteral("...") + trenner + tail;
}

} // namespace tarvis
