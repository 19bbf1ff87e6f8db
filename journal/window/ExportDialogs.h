#pragma once

#include "journal/JournalExport.h"

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace tarvis {

class FileChooser;

// Asks for the target of an export, starting at `anfang`. The file dialog asks nothing about a
// file already there: a log (one of `logDateien` or any file the program's logs are known by)
// is refused with a warning first, and only a file that may be replaced brings the question,
// which Enter and Escape answer "Nein". Nothing when the user cancelled or the target was
// refused.
std::optional<QString> FrageExportZiel(QWidget* fenster, FileChooser& dateiWahl,
                                       const QString& titel, const QString& anfang,
                                       const QStringList& logDateien);

// Writes the export; when it could not be written, the user is told where and why.
bool SchreibeExportMitMeldung(QWidget* fenster, const QString& ziel,
                              const ExportSchreiber& schreibe);

} // namespace tarvis
