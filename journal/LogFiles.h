#pragma once

#include <QString>
#include <QStringList>

namespace tarvis {

// Which files are logs: by the name the program gives its logs (MonatAusLogDateiname of
// calllog/LogFormat.h), or by a log's heading.

// Whether a file may hold a log, so that nothing but a log's own writer may write it: its name,
// or the name of any link on the way to it, is of the log form, or it is an ordinary file
// whose first line is the heading of the program's logs. A link that leads nowhere is judged
// by its names alone.
bool IstLogDatei(const QString& pfad);

// The logs beside the current one: every ordinary file of its folder named as the program
// names its logs, in calendar order, and the current log itself when it exists under another
// name (the user may have chosen one in the save dialog).
QStringList LogDateienImOrdner(const QString& logPfad);

} // namespace tarvis
