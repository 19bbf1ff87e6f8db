#include "journal/JournalSums.h"

#include "platform/QtText.h"
#include "tariff/Format.h"
#include "tariff/TariffTables.h"

#include <unordered_map>

namespace tarvis {

LogSummen SummenVon(const JournalDaten& daten, const std::vector<std::uint32_t>& zeilen) {
    LogSummen summen;
    for (const std::uint32_t i : zeilen) {
        const JournalSatz& satz = daten[i];
        summen.Dazu(satz.Monat(), satz.zone, satz.einheiten, satz.kostenPfennig);
    }
    return summen;
}

std::optional<std::vector<SummenZeile>> SummenZeilen(const LogSummen& summen) {
    const std::optional<LogSumme> gesamt = summen.Gesamt();
    if (summen.ZuGross() || !gesamt) {
        return std::nullopt;
    }
    std::vector<SummenZeile> zeilen;
    for (const auto& [monat, zonen] : summen.Monate()) {
        for (int zone : AlleZonen) {
            if (zonen[zone].anrufe > 0) {
                zeilen.push_back({monat, zone, zonen[zone]});
            }
        }
    }
    zeilen.push_back({std::nullopt, 0, *gesamt});
    return zeilen;
}

std::string Ziffern(std::string_view nummer) {
    std::string ziffern;
    for (const char c : nummer) {
        if (c >= '0' && c <= '9') {
            ziffern += c;
        }
    }
    return ziffern;
}

std::optional<TelefonSummen> SummenJeTelefon(const JournalDaten& daten,
                                             const std::vector<std::uint32_t>& zeilen) {
    TelefonSummen summen;
    std::unordered_map<std::string, std::size_t> stelleVon;
    for (const std::uint32_t i : zeilen) {
        const JournalSatz& satz = daten[i];
        const std::string_view nummer = daten.Telefon(satz);
        std::string ziffern = Ziffern(nummer);
        const auto [stelle, neu] = stelleVon.emplace(ziffern, summen.nummern.size());
        if (neu) {
            summen.nummern.push_back({std::string(nummer), std::move(ziffern), {}});
        }
        const Gespraech gespraech = daten.FuerSumme(satz);
        if (!summen.nummern[stelle->second].summe.Dazu(gespraech) ||
            !summen.gesamt.Dazu(gespraech)) {
            return std::nullopt;
        }
    }
    return summen;
}

QString Gruppiert(const QString& zahl, const QLocale& locale) {
    if (locale.numberOptions().testFlag(QLocale::OmitGroupSeparator)) {
        return zahl;
    }
    qsizetype ende = zahl.indexOf(locale.decimalPoint());
    if (ende < 0) {
        ende = zahl.size();
    }
    qsizetype anfang = 0;
    while (anfang < ende && !zahl[anfang].isDigit()) {
        ++anfang;
    }
    QString text = zahl;
    for (qsizetype stelle = ende - 3; stelle > anfang; stelle -= 3) {
        text.insert(stelle, locale.groupSeparator());
    }
    return text;
}

SummenTexte TexteVon(const LogSumme& summe, const QLocale& locale) {
    return {ZahlText(std::to_string(summe.anrufe), locale),
            ZahlText(std::to_string(summe.einheiten), locale),
            ZahlText(BetragText(summe.kostenPfennig, FesterTrenner), locale)};
}

SummenTexte GruppierteTexteVon(const LogSumme& summe, const QLocale& locale) {
    const SummenTexte texte = TexteVon(summe, locale);
    return {Gruppiert(texte.gespraeche, locale), Gruppiert(texte.einheiten, locale),
            Gruppiert(texte.gebuehren, locale)};
}

} // namespace tarvis
