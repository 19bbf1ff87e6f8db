#include "journal/JournalStatus.h"

#include "platform/QtText.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace tarvis {

QString Mehrzahl(std::int64_t anzahl, const char* eins, const char* mehr, const QLocale& locale) {
    return GanzzahlText(anzahl, locale) + QLatin1Char(' ') +
           QString::fromUtf8(anzahl == 1 ? eins : mehr);
}

std::int64_t GeleseneDateien(const Journal& journal) {
    return std::count_if(journal.dateien.begin(), journal.dateien.end(), [](const DateiBericht& d) {
        return d.stand != DateiBericht::Stand::NichtLesbar;
    });
}

QString AnzahlText(std::int64_t gezeigt, std::int64_t alle, std::int64_t dateien,
                   const QLocale& locale) {
    if (gezeigt == alle) {
        return Mehrzahl(alle, "Anruf", "Anrufe", locale) + QStringLiteral(" aus ") +
               Mehrzahl(dateien, "Datei", "Dateien", locale);
    }
    return GanzzahlText(gezeigt, locale) + QStringLiteral(" von ") +
           Mehrzahl(alle, "Anruf", "Anrufen", locale);
}

QString MeldungenText(const Journal& journal, const QString& ordnerOhneLog, bool zuGross) {
    QStringList meldungen;
    bool ausgelassen = false;
    for (const DateiBericht& bericht : journal.dateien) {
        const QString meldung = Meldung(bericht);
        if (!meldung.isEmpty()) {
            meldungen << meldung;
        }
        ausgelassen = ausgelassen || bericht.stand == DateiBericht::Stand::NichtLesbar;
    }
    if (ausgelassen) {
        meldungen << QStringLiteral("Die Summen enthalten keinen Anruf der Dateien, die nicht "
                                    "gelesen werden können.");
    }
    if (!ordnerOhneLog.isEmpty()) {
        meldungen << QStringLiteral("Im Ordner \"%1\" liegt noch kein Logbuch. \"Dateien…\" wählt "
                                    "Logbücher an anderer Stelle.")
                         .arg(QDir::toNativeSeparators(ordnerOhneLog));
    }
    if (zuGross) {
        meldungen << QStringLiteral("Die Summen übersteigen den Zahlenbereich und werden nicht "
                                    "gezeigt.");
    }
    return meldungen.join(QLatin1Char('\n'));
}

QString UnlesbarText(std::int64_t anzahl, const QLocale& locale) {
    if (anzahl == 0) {
        return {};
    }
    return Mehrzahl(anzahl, "Zeile", "Zeilen", locale) + QStringLiteral(" nicht lesbar");
}

QString UnlesbareZeilenText(const Journal& journal, const QLocale& locale) {
    QStringList zeilen;
    for (const JournalFehler& fehler : journal.fehler) {
        zeilen << QStringLiteral("%1, Zeile %2: %3")
                      .arg(QDir::toNativeSeparators(journal.dateien[fehler.datei].pfad))
                      .arg(fehler.zeile)
                      .arg(AlsQString(fehler.grund));
    }
    const std::int64_t weitere = journal.fehlerAnzahl - std::int64_t(journal.fehler.size());
    if (weitere > 0) {
        zeilen << QStringLiteral("… und %1 weitere").arg(locale.toString(qlonglong(weitere)));
    }
    return zeilen.join(QLatin1Char('\n'));
}

QString GespraecheExportiertText(std::int64_t anzahl, const QString& ziel, const QLocale& locale) {
    return Mehrzahl(anzahl, "Anruf", "Anrufe", locale) +
           QStringLiteral(" nach \"%1\" exportiert.").arg(QFileInfo(ziel).fileName());
}

QString SummenExportiertText(const QString& ziel) {
    return QStringLiteral("Summen nach \"%1\" exportiert.").arg(QFileInfo(ziel).fileName());
}

} // namespace tarvis
