#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <string_view>

namespace tarvis {

// Whether two paths name one file: the same file of the same device, through whatever links
// or other names, or, where either is not there yet, the same absolute path.
bool GleicheDatei(const QString& a, const QString& b);

// A log is never written to: neither one of `logDateien` (those read and the current one),
// nor any file that is, or leads to, a file named as the program names its logs or starting
// with a log's heading.
bool IstLog(const QString& pfad, const QStringList& logDateien);

// What a chosen export target allows: writing, writing once the user agrees to replace the
// file there, or nothing, as it is a log.
enum class ExportZielStand { Frei, Vorhanden, Log };
ExportZielStand PruefeExportZiel(const QString& ziel, const QStringList& logDateien);

// What the window says of a target: that it is a log, or the question whether to replace it.
QString LogZielText(const QString& ziel);
QString UeberschreibenFrage(const QString& ziel);

// Hands the export's bytes piece by piece to the function it is given, which gives false when
// a piece could not be taken.
using ExportSchreiber = std::function<bool(const std::function<bool(std::string_view)>&)>;

// Whether the export was written; if not, the message that says where and why.
struct ExportErgebnis {
    bool geschrieben = false;
    QString meldung;
};

// Writes the export beside the target and puts it in its place whole, so a failed export
// leaves an earlier file of that name as it was.
ExportErgebnis SchreibeExport(const QString& ziel, const ExportSchreiber& schreibe);

} // namespace tarvis
