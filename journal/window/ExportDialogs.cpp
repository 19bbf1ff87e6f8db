#include "journal/window/ExportDialogs.h"

#include "platform/FileChooser.h"

#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace tarvis {

std::optional<QString> FrageExportZiel(QWidget* fenster, FileChooser& dateiWahl,
                                       const QString& titel, const QString& anfang,
                                       const QStringList& logDateien) {
    const std::optional<QString> ziel = dateiWahl.chooseFile(
        fenster, titel, anfang,
        {QStringLiteral("CSV-Dateien (*.csv)"), QStringLiteral("Alle Dateien (*)")});
    if (!ziel) {
        return std::nullopt;
    }
    switch (PruefeExportZiel(*ziel, logDateien)) {
    case ExportZielStand::Log:
        QMessageBox::warning(fenster, fenster->windowTitle(), LogZielText(*ziel));
        return std::nullopt;
    case ExportZielStand::Vorhanden: {
        QMessageBox frage(QMessageBox::Question, fenster->windowTitle(), UeberschreibenFrage(*ziel),
                          QMessageBox::NoButton, fenster);
        frage.setObjectName(QStringLiteral("msgUeberschreiben"));
        QPushButton* ja = frage.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        QPushButton* nein = frage.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        frage.setDefaultButton(nein);
        frage.setEscapeButton(nein);
        frage.exec();
        if (frage.clickedButton() != ja) {
            return std::nullopt;
        }
        break;
    }
    case ExportZielStand::Frei:
        break;
    }
    return ziel;
}

bool SchreibeExportMitMeldung(QWidget* fenster, const QString& ziel,
                              const ExportSchreiber& schreibe) {
    const ExportErgebnis ergebnis = SchreibeExport(ziel, schreibe);
    if (!ergebnis.geschrieben) {
        QMessageBox::warning(fenster, fenster->windowTitle(), ergebnis.meldung);
    }
    return ergebnis.geschrieben;
}

} // namespace tarvis
