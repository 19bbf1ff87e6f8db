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
    return WestlicheZiffern(locale.toString(QDateAus(datum), format), locale);
}

TarifAnzeige NeuAnzeigeInhalt(Moment jetzt, Datum heute, const ZonenArray<int>& zonenTarif,
                              FeiertagKalender& kalender, const QLocale& locale) {
    TarifAnzeige anzeige;
    anzeige.datum = AlsQString(WochentagName[WochentagNummer(heute)]) + QStringLiteral(", ") +
                    KurzesDatumVierstellig(heute, locale);
    const TagesMarker marker = MarkerVon(TagesArtVon(DatumVon(jetzt), kalender));
    anzeige.ftText = marker.text;
    anzeige.ftFarbe = marker.farbe;
    anzeige.tarif = AlsQString(TarifName[TarifNr(jetzt, kalender)]);
    for (int zone : AlleZonen) {
        const TaktTexte texte = TaktTexteVon(TaktLaenge(zonenTarif[zone], zone), FesterTrenner);
        anzeige.sek[zone] = ZahlText(texte.sekunden, locale);
        anzeige.dmMin[zone] = ZahlText(texte.dmProMinute, locale);
    }
    return anzeige;
}

} // namespace tarvis
