#pragma once

#include "calllog/Call.h"
#include "tariff/Zone.h"

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvis {

class FileChooser;
class Logbuchdatei;

// The save dialog: the user picks the zone actually dialled, may add number and comment, and
// the call is appended to the current log file. A double click on the file name lets the user
// pick another log file.
class frmSpeichern : public QDialog {
    Q_OBJECT

public:
    frmSpeichern(const GespraechVorZonenwahl& daten, Logbuchdatei& logbuchdatei,
                 FileChooser& dateiWahl, QWidget* parent = nullptr);
    ~frmSpeichern() override;

    // Whether the call was written to the log file.
    bool Gespeichert() const { return gespeichert_; }

    // Wider than this, the log file's path is shown shortened after a change of file.
    static constexpr int MaxDateiBreite = 358;

    // Fills in the number and, when known, the zone (1..4) of a call the router reported.
    void Vorbelegen(const QString& telefon, int zone);
    // The zone and the number of the call as the user left them.
    int Zone() const { return GewaehlteZone(); }
    QString Telefon() const;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void BaueFenster();
    void BaueDateiAnzeige();
    void BaueZonenwahl();
    void BaueAngaben();
    void BaueKnoepfe();
    void SetzeTabFolge();

    int GewaehlteZone() const;
    void Speichern();
    void WechsleLogbuchdatei();
    void ZeigeDatei(bool kuerzen);

    GespraechVorZonenwahl daten_;
    Logbuchdatei& logbuchdatei_;
    FileChooser& dateiWahl_;
    bool gespeichert_ = false;

    QFrame* rahmenDatei_ = nullptr;
    QLabel* lblDatei_ = nullptr;
    ZonenArray<QRadioButton*> optZone_{nullptr};
    ZonenArray<QLabel*> lblZone_{nullptr};
    QLabel* lblTelefon_ = nullptr;
    QLabel* lblKommentar_ = nullptr;
    QLineEdit* txtTelefon_ = nullptr;
    QLineEdit* txtKommentar_ = nullptr;
    QPushButton* cmdOk_ = nullptr;
    QPushButton* cmdAbbruch_ = nullptr;
};

} // namespace tarvis
