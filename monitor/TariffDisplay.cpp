#include "monitor/TariffDisplay.h"

#include "platform/QtCalendar.h"
#include "tariff/Format.h"
#include "tariff/TariffBand.h"

namespace tarvis {

TagesMarker MarkerVon(TagesArt art) {
    switch (art) {
    case TagesArt::JahresendWerktag:
        return {QStringLiteral("W"), QColor(192, 192, 255)};
    case TagesArt::Feiertag:
        return {QStringLiteral("FT"), QColor(192, 0, 0)};
    case TagesArt::Wochenende:
        return {QStringLiteral("S"), QColor(255, 192, 192)};
    case TagesArt::Werktag:
        break;
    }
    return {QString(), QColor(192, 192, 192)};
}

QString KurzesDatumVierstellig(Datum datum, const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy"))) {
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    }
    return locale.toString(QDateAus(datum), format);
}

TarifAnzeige NeuAnzeigeInhalt(Moment jetzt, Datum heute, const ZonenArray<int>& zonenTarif,
                              FeiertagKalender& kalender, const QLocale& locale) {
    TarifAnzeige anzeige;
    anzeige.datum = QString::fromUtf8(WochentagName[WochentagNummer(heute)]) +
                    QStringLiteral(", ") + KurzesDatumVierstellig(heute, locale);
    const TagesMarker marker = MarkerVon(TagesArtVon(DatumVon(jetzt), kalender));
    anzeige.ftText = marker.text;
    anzeige.ftFarbe = marker.farbe;
    anzeige.tarif = QString::fromUtf8(TarifName[TarifNr(jetzt, kalender)]);
    const std::string trenner = DezimalTrenner(locale);
    for (int zone : AlleZonen) {
        const std::int32_t laenge = TaktLaenge(zonenTarif[zone], zone);
        anzeige.sek[zone] =
            QString::fromStdString(FestkommaText(SekundenProEinheit(laenge), 1, trenner));
        anzeige.dmMin[zone] =
            QString::fromStdString(FestkommaText(DMProMinute(laenge), 2, trenner));
    }
    return anzeige;
}

} // namespace tarvis
