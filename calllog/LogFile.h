#pragma once

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QString>

namespace tarvis {

// The path of the current log file. The program owns one and hands it to every window that
// saves calls; the save dialog may change it for the rest of the run, and the main window
// follows the change in its title.
class Logbuchdatei : public QObject {
    Q_OBJECT

public:
    explicit Logbuchdatei(QString pfad, QObject* parent = nullptr)
        : QObject(parent), pfad_(std::move(pfad)) {}

    const QString& Pfad() const { return pfad_; }
    void SetzePfad(const QString& pfad) {
        if (pfad != pfad_) {
            pfad_ = pfad;
            Q_EMIT PfadGeaendert(pfad_);
        }
    }

    // A folder the program may make when it saves into it (the user's documents folder, which a
    // fresh account may lack). It is made at the first save there, never at start-up.
    void SetzeAnzulegendenOrdner(const QString& ordner) { ordner_ = QDir::cleanPath(ordner); }
    void LegeOrdnerAn() const {
        if (!ordner_.isEmpty() && QFileInfo(pfad_).absolutePath() == ordner_ &&
            !QFileInfo::exists(ordner_)) {
            QDir().mkpath(ordner_);
        }
    }

Q_SIGNALS:
    void PfadGeaendert(const QString& pfad);

private:
    QString pfad_;
    QString ordner_;
};

} // namespace tarvis
