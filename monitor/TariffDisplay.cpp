#include "monitor/TariffDisplay.h"

#include "platform/QtCalendar.h"
#include "platform/QtText.h"
#include "tariff/Format.h"
#include "tariff/TariffBand.h"

namespace tarvis {

QString MarkerText(TagesArt art) {
    switch (art) {
    case TagesArt::JahresendWerktag:
        return QStringLiteral("W");
    case TagesArt::Feiertag:
        return QStringLiteral("FT");
    case TagesArt::Wochenende:
        return QStringLiteral("S");
    case TagesArt::Werktag:
        break;
    }
    return QString();
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
    anzeige.tagesArt = TagesArtVon(DatumVon(jetzt), kalender);
    anzeige.ftText = MarkerText(anzeige.tagesArt);
    anzeige.tarif = AlsQString(TarifName[TarifNr(jetzt, kalender)]);
    for (int zone : AlleZonen) {
        const TaktTexte texte = TaktTexteVon(TaktLaenge(zonenTarif[zone], zone), FesterTrenner);
        anzeige.sek[zone] = ZahlText(texte.sekunden, locale);
        anzeige.dmMin[zone] = ZahlText(texte.dmProMinute, locale);
    }
    return anzeige;
}

} // namespace tarvis
