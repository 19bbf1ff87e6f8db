#pragma once

#include "calculation/CalculationInput.h"
#include "calculation/IntervalCost.h"
#include "tariff/HolidayCalendar.h"
#include "tariff/Moment.h"
#include "tariff/Zone.h"

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tarvis {

class CalendarClock;
class FileChooser;
class Logbuchdatei;
class WertLabel;
class Ansage;

// The calculation window: prices a call after the fact from its start date, start time and
// duration, for all four zones, and can hand the result to the save dialog.
class frmBerechnung : public QDialog {
    Q_OBJECT

public:
    // `heute` is the main window's today, shown in both date fields; the clock gives the start
    // time shown at opening.
    frmBerechnung(CalendarClock& uhr, Datum heute, Logbuchdatei& logbuchdatei,
                  FileChooser& dateiWahl, QWidget* parent = nullptr);
    ~frmBerechnung() override;

Q_SIGNALS:
    // A call was saved to the log with this number and zone.
    void Gespeichert(const QString& telefon, int zone);

private:
    struct Berechnung {
        BerechnungsEingabe eingabe;
        IntervallKosten kosten;
    };

    void BaueFenster();
    void BaueStatus();
    void BaueEingaben();
    void BaueKnoepfe();
    void BaueZonen();
    void SetzeTabFolge();

    void SchieberBewegt(int minuten);
    std::optional<Berechnung> Berechnen();
    void Speichern();
    // Runs the input check and shows its message; the values when all inputs are valid.
    std::optional<BerechnungsEingabe> EingabenPruefen(bool fokusZumFehler = false);
    void ZeigeStop(Moment stop);

    Logbuchdatei& logbuchdatei_;
    FileChooser& dateiWahl_;
    FeiertagKalender kalender_;

    WertLabel* lblStatus_ = nullptr;
    Ansage* ansage_ = nullptr;
    QLineEdit* txtStartDat_ = nullptr;
    QLineEdit* txtStartUhr_ = nullptr;
    QLineEdit* txtDauer_ = nullptr;
    QLineEdit* txtStopDat_ = nullptr;
    QLineEdit* txtStopUhr_ = nullptr;
    QScrollBar* zeitScroll_ = nullptr;
    ZonenArray<QLabel*> lblEinheiten_{nullptr};
    ZonenArray<QLabel*> lblKosten_{nullptr};
    QPushButton* cmdBerechne_ = nullptr;
    QPushButton* cmdSpeichern_ = nullptr;
    QPushButton* cmdZurueck_ = nullptr;
};

} // namespace tarvis
