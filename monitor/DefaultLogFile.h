#pragma once

#include "tariff/Moment.h"

#include <QString>
#include <functional>

namespace tarvis {

// The default log file, "Tarvis MM-YYYY.Rep" of the month of the program start: in the program's
// own directory, or in the user's documents directory when the program's directory cannot be
// written to (as when it is installed under /usr/bin). Nothing is created or written here: a
// missing documents directory is made by the first save.
QString StandardLogbuchdatei(Datum heute, const QString& programmVerzeichnis,
                             const QString& dokumentenVerzeichnis,
                             const std::function<bool(const QString&)>& beschreibbar);

// Whether files can be created in a directory.
bool VerzeichnisBeschreibbar(const QString& verzeichnis);

} // namespace tarvis
