#include "journal/JournalRead.h"

#include "calllog/LogFormat.h"
#include "calllog/LogWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <limits>

namespace tarvis {

QString Meldung(const DateiBericht& bericht) {
    const QString datei = QDir::toNativeSeparators(bericht.pfad);
    switch (bericht.stand) {
    case DateiBericht::Stand::Gelesen:
        return {};
    case DateiBericht::Stand::Leer:
        return QStringLiteral("Die Datei \"%1\" ist leer.").arg(datei);
    case DateiBericht::Stand::OhneGespraeche:
        return QStringLiteral("Die Datei \"%1\" enthält keine Anrufe.").arg(datei);
    case DateiBericht::Stand::NichtLesbar:
        return QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden: %2.")
            .arg(datei, bericht.grund);
    }
    return {};
}

namespace {

class Empfaenger final : public LogEmpfaenger {
public:
    Empfaenger(Journal& journal, DateiBericht& bericht, std::uint16_t datei,
               const std::function<void(const LogFehler&)>& melde)
        : journal_(journal), bericht_(bericht), datei_(datei), melde_(melde) {}

    void Datensatz(const Gespraech& gespraech, std::int64_t) override {
        if (!voll && !journal_.daten.Dazu(gespraech)) {
            voll = true;
        }
        ++bericht_.gespraeche;
    }
    void Unlesbar(const LogFehler& fehler) override {
        ++bericht_.unlesbar;
        ++journal_.fehlerAnzahl;
        if (journal_.fehler.size() < MaxGemerkteFehler) {
            journal_.fehler.push_back({datei_, fehler.zeile, fehler.grund});
        }
        if (melde_) {
            melde_(fehler);
        }
    }

    bool voll = false;

private:
    Journal& journal_;
    DateiBericht& bericht_;
    std::uint16_t datei_;
    const std::function<void(const LogFehler&)>& melde_;
};

} // namespace

bool JournalSammler::Lies(QIODevice& quelle, const QString& pfad,
                          const std::function<bool(std::int64_t)>& weiter,
                          const std::function<void(const LogFehler&)>& melde) {
    if (journal_.dateien.size() >= std::numeric_limits<std::uint16_t>::max()) {
        journal_.zuGross = true;
        return false;
    }
    const auto datei = static_cast<std::uint16_t>(journal_.dateien.size());
    DateiBericht& bericht = journal_.dateien.emplace_back();
    bericht.pfad = pfad;
    const std::size_t vorher = journal_.daten.Anzahl();
    Empfaenger empfaenger(journal_, bericht, datei, melde);
    bool gestoppt = false;
    const LeseErgebnis lesen = LiesLog(quelle, empfaenger, [&](std::int64_t bytes) {
        gestoppt = empfaenger.voll || (weiter && !weiter(bytes));
        return !gestoppt;
    });
    if (lesen.gelesen && !empfaenger.voll) {
        bericht.stand = lesen.bytes == 0          ? DateiBericht::Stand::Leer
                        : bericht.gespraeche == 0 ? DateiBericht::Stand::OhneGespraeche
                                                  : DateiBericht::Stand::Gelesen;
        return true;
    }
    // None of this file, so that no sum holds a part of it.
    journal_.daten.Kuerzen(vorher);
    journal_.fehlerAnzahl -= bericht.unlesbar;
    std::erase_if(journal_.fehler, [datei](const JournalFehler& f) { return f.datei == datei; });
    bericht.stand = DateiBericht::Stand::NichtLesbar;
    if (empfaenger.voll) {
        journal_.zuGross = true;
        bericht.grund = QStringLiteral("Zu viele Anrufe für eine Auswertung");
    } else if (gestoppt) {
        journal_.abgebrochen = true;
        bericht.grund = QStringLiteral("Das Lesen wurde abgebrochen");
    } else {
        bericht.grund = lesen.fehler;
    }
    bericht.gespraeche = 0;
    bericht.unlesbar = 0;
    return false;
}

// Every record the writer writes takes a line of its full width, so logs of `bytes` hold at most
// this many of its calls: the calls' vector is made once, not doubled again and again (which
// for a moment holds the old copy beside a new one twice its size).
void JournalSammler::Reservieren(std::int64_t bytes) {
    journal_.daten.Reservieren(std::size_t(std::max<std::int64_t>(bytes, 0)) /
                               (LogSatz::Breite + 1));
}

void JournalSammler::NichtGeoeffnet(const QString& pfad, const QString& grund) {
    DateiBericht& bericht = journal_.dateien.emplace_back();
    bericht.pfad = pfad;
    bericht.stand = DateiBericht::Stand::NichtLesbar;
    bericht.grund = grund;
}

Journal LiesJournal(const QStringList& pfade,
                    const std::function<bool(std::int64_t, std::int64_t)>& fortschritt) {
    std::int64_t gesamt = 0;
    for (const QString& pfad : pfade) {
        gesamt += std::max<qint64>(0, QFileInfo(pfad).size());
    }
    JournalSammler sammler;
    sammler.Reservieren(gesamt);
    std::int64_t bisher = 0;
    for (const QString& pfad : pfade) {
        QFile datei;
        if (const std::optional<QString> grund = OeffneLog(datei, pfad, true)) {
            sammler.NichtGeoeffnet(pfad, *grund);
            continue;
        }
        std::int64_t dieseDatei = 0;
        sammler.Lies(datei, pfad, [&](std::int64_t bytes) {
            dieseDatei = bytes;
            return !fortschritt || fortschritt(bisher + bytes, std::max(gesamt, bisher + bytes));
        });
        bisher += dieseDatei;
        if (sammler.Stand().abgebrochen || sammler.Stand().zuGross) {
            break;
        }
    }
    return std::move(sammler).Ergebnis();
}

Journal LeseFortschritt::Lies(const QStringList& pfade) {
    return LiesJournal(pfade, [this](std::int64_t gelesen, std::int64_t gesamt) {
        gelesen_ = gelesen;
        gesamt_ = gesamt;
        return !gestoppt_;
    });
}

void LeseFortschritt::Neu() {
    gestoppt_ = false;
    gelesen_ = 0;
    gesamt_ = 0;
}

int LeseFortschritt::Promille() const {
    const std::int64_t gesamt = gesamt_;
    return gesamt > 0 ? int(gelesen_ * 1000 / gesamt) : 0;
}

} // namespace tarvis
