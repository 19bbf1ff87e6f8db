#include "calllog/LogReader.h"

#include "calllog/Cp1252.h"
#include "calllog/LogFormat.h"
#include "platform/SystemReason.h"
#include "tariff/Parse.h"
#include "tariff/TariffTables.h"

#include <QFile>
#include <QIODevice>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvis {

namespace {

// Longer than any line the writer produces by far; a longer line is no record.
constexpr std::size_t MaxZeilenLaenge = 4096;
// Digits a units or cost field may have; more would not be a real call and could overflow sums.
constexpr std::size_t MaxZiffern = 12;
constexpr qint64 BlockGroesse = 64 * 1024;

bool IstZiffer(char c) {
    return c >= '0' && c <= '9';
}

bool BeginntMitDatum(std::string_view zeile) {
    return zeile.size() >= 8 && IstZiffer(zeile[0]) && IstZiffer(zeile[1]) && zeile[2] == '.' &&
           IstZiffer(zeile[3]) && IstZiffer(zeile[4]) && zeile[5] == '.' && IstZiffer(zeile[6]) &&
           IstZiffer(zeile[7]);
}

bool IstKommentar(std::string_view zeile) {
    return zeile.size() > KommentarEinzug && zeile.find_first_not_of(' ') >= KommentarEinzug;
}

bool IstLeer(char c) {
    return c == ' ' || c == '\t';
}

std::string_view OhneLeerzeichenRechts(std::string_view text) {
    while (!text.empty() && IstLeer(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view OhneLeerzeichenLinks(std::string_view text) {
    while (!text.empty() && IstLeer(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

// Takes the last blank-separated word off the text.
std::string_view LetztesWort(std::string_view& text) {
    text = OhneLeerzeichenRechts(text);
    std::size_t beginn = text.size();
    while (beginn > 0 && !IstLeer(text[beginn - 1])) {
        --beginn;
    }
    const std::string_view wort = text.substr(beginn);
    text = text.substr(0, beginn);
    return wort;
}

// Takes the first blank-separated word off the text, if `passt` accepts it.
template <class Leser> auto ErstesWort(std::string_view& text, Leser leser) {
    const std::string_view rest = OhneLeerzeichenLinks(text);
    std::size_t ende = 0;
    while (ende < rest.size() && !IstLeer(rest[ende])) {
        ++ende;
    }
    auto wert = leser(rest.substr(0, ende));
    if (wert) {
        text = rest.substr(ende);
    }
    return wert;
}

std::optional<std::int64_t> LiesGanzzahl(std::string_view text) {
    return LiesZiffern(text, 1, MaxZiffern);
}

// "0,24" in Pfennig. Earlier versions wrote the cost with the decimal separator of the user's
// settings: "0.24", or "0?24" where code page 1252 has no byte for it (Arabic and Persian
// settings). All of them are read.
std::optional<std::int64_t> LiesBetrag(std::string_view text) {
    if (text.size() < 4) {
        return std::nullopt;
    }
    const char trenner = text[text.size() - 3];
    if (trenner != ',' && trenner != '.' && trenner != '?') {
        return std::nullopt;
    }
    const auto mark = LiesGanzzahl(text.substr(0, text.size() - 3));
    const auto pfennig = LiesZiffern(text.substr(text.size() - 2), 2, 2);
    if (!mark || !pfennig) {
        return std::nullopt;
    }
    return *mark * 100 + *pfennig;
}

// The zone whose name ends the text, standing on its own (a blank or nothing before it).
int ZoneAmEnde(std::string_view& text) {
    text = OhneLeerzeichenRechts(text);
    // The longer names first, so that no name is taken for the end of another.
    for (int zone : {3, 2, 1, 4}) {
        const std::string_view name = ZonenName[zone];
        if (text.size() < name.size() || text.substr(text.size() - name.size()) != name) {
            continue;
        }
        const std::size_t beginn = text.size() - name.size();
        if (beginn == 0 || IstLeer(text[beginn - 1])) {
            text = text.substr(0, beginn);
            return zone;
        }
    }
    return 0;
}

GelesenesZeile Unlesbar(std::string grund) {
    GelesenesZeile ergebnis;
    ergebnis.art = ZeilenArt::Unlesbar;
    ergebnis.grund = std::move(grund);
    return ergebnis;
}

// The fields between the start date and the zone: start time, stop date, stop time, duration,
// each taken when it can be read, and the telephone number, which is the rest.
void LiesMitte(std::string_view mitte, LogDatensatz& satz) {
    satz.startSekunde = ErstesWort(mitte, UhrzeitAusText);
    satz.stopDatum = ErstesWort(mitte, DatumAusText);
    satz.stopSekunde = ErstesWort(mitte, UhrzeitAusText);
    satz.dauerMs = ErstesWort(mitte, DauerAusText);
    satz.telefon = Utf8AusCp1252(OhneLeerzeichenRechts(OhneLeerzeichenLinks(mitte)));
}

// A field where the writer puts it when every field has its nominal width.
std::string_view Feld(std::string_view zeile, const LogFeld& feld) {
    return zeile.substr(feld.spalte, feld.breite);
}

bool NurLeerzeichen(std::string_view zeile, std::size_t von, std::size_t bis) {
    for (std::size_t i = von; i < bis; ++i) {
        if (zeile[i] != ' ') {
            return false;
        }
    }
    return true;
}

int FesteZone(std::string_view feld) {
    const std::string_view name = feld.substr(0, feld.find_last_not_of(' ') + 1);
    for (int zone : AlleZonen) {
        if (name == ZonenName[zone]) {
            return zone;
        }
    }
    return 0;
}

// Almost every line of a log is the writer's own, every field at its nominal width; such a line
// is read by position, which is several times faster than word by word. Each field is read by
// the same rule as word by word, and only when the blanks around it make it the very word that
// reading would take, so the result is the one LiesLogZeileWortweise gives. Any line this does
// not take (a longer duration or figure, a short typed time, a hand-written or damaged line) is
// read word by word.
bool LiesFesteSpalten(std::string_view z, LogDatensatz& satz) {
    if (z.size() != LogSatz::Breite || !BeginntMitDatum(z) ||
        !IstLeer(z[LogSatz::Zone.spalte - 1]) ||
        Feld(z, LogSatz::Waehrung) != LogSatz::WaehrungText) {
        return false;
    }
    for (const LogFeld& feld : LogSatz::Felder) {
        if (!NurLeerzeichen(z, feld.spalte - feld.luecke, feld.spalte)) {
            return false;
        }
    }
    const auto start = DatumAusText(Feld(z, LogSatz::StartDatum));
    const auto startSekunde = UhrzeitAusText(Feld(z, LogSatz::StartZeit));
    const auto stop = DatumAusText(Feld(z, LogSatz::StopDatum));
    const auto stopSekunde = UhrzeitAusText(Feld(z, LogSatz::StopZeit));
    const auto dauer = DauerAusText(Feld(z, LogSatz::Dauer));
    const int zone = FesteZone(Feld(z, LogSatz::Zone));
    const auto einheiten = LiesGanzzahl(OhneLeerzeichenLinks(Feld(z, LogSatz::Einheiten)));
    const auto kosten = LiesBetrag(OhneLeerzeichenLinks(Feld(z, LogSatz::Kosten)));
    if (!start || !startSekunde || !stop || !stopSekunde || !dauer || zone == 0 || !einheiten ||
        !kosten) {
        return false;
    }
    satz.startDatum = *start;
    satz.startSekunde = startSekunde;
    satz.stopDatum = stop;
    satz.stopSekunde = stopSekunde;
    satz.dauerMs = dauer;
    satz.telefon =
        Utf8AusCp1252(OhneLeerzeichenRechts(OhneLeerzeichenLinks(Feld(z, LogSatz::Telefon))));
    satz.zone = zone;
    satz.einheiten = *einheiten;
    satz.kostenPfennig = *kosten;
    return true;
}

} // namespace

GelesenesZeile LiesLogZeile(std::string_view zeile) {
    GelesenesZeile ergebnis;
    if (LiesFesteSpalten(zeile, ergebnis.datensatz)) {
        ergebnis.art = ZeilenArt::Datensatz;
        return ergebnis;
    }
    return LiesLogZeileWortweise(zeile);
}

GelesenesZeile LiesLogZeileWortweise(std::string_view zeile) {
    if (IstKommentar(zeile)) {
        GelesenesZeile kommentar;
        kommentar.art = ZeilenArt::Kommentar;
        kommentar.kommentar = Utf8AusCp1252(zeile.substr(KommentarEinzug));
        return kommentar;
    }
    if (!BeginntMitDatum(zeile)) {
        return {};
    }
    const auto datum = DatumAusText(zeile.substr(0, 8));
    if (!datum) {
        return Unlesbar("kein gültiges Datum");
    }
    std::string_view rest = OhneLeerzeichenRechts(zeile);
    if (LetztesWort(rest) != LogSatz::WaehrungText) {
        return Unlesbar("\"DM\" fehlt am Zeilenende");
    }
    const auto kosten = LiesBetrag(LetztesWort(rest));
    if (!kosten) {
        return Unlesbar("Gebühren nicht lesbar");
    }
    const auto einheiten = LiesGanzzahl(LetztesWort(rest));
    if (!einheiten) {
        return Unlesbar("Einheiten nicht lesbar");
    }
    const int zone = ZoneAmEnde(rest);
    if (zone == 0) {
        return Unlesbar("Tarifbereich nicht lesbar");
    }
    GelesenesZeile ergebnis;
    ergebnis.art = ZeilenArt::Datensatz;
    LogDatensatz& satz = ergebnis.datensatz;
    satz.startDatum = *datum;
    satz.zone = zone;
    satz.einheiten = *einheiten;
    satz.kostenPfennig = *kosten;
    LiesMitte(rest.substr(8), satz);
    return ergebnis;
}

namespace {

// Cuts the bytes of a device into lines and hands each on; knows which line came before.
class ZeilenLeser {
public:
    explicit ZeilenLeser(LogEmpfaenger& empfaenger) : empfaenger_(empfaenger) {}

    void Bytes(std::string_view block) {
        while (!block.empty()) {
            const std::size_t ende = block.find('\n');
            const std::string_view stueck = block.substr(0, ende);
            // A line wholly inside the block is read where it stands, without a copy.
            if (zeile_.empty() && !zuLang_ && ende != std::string_view::npos &&
                stueck.size() <= MaxZeilenLaenge) {
                ZeileFertig(stueck);
                block.remove_prefix(ende + 1);
                continue;
            }
            if (!zuLang_) {
                if (zeile_.size() + stueck.size() > MaxZeilenLaenge) {
                    zuLang_ = true;
                    zuLangWieSatz_ = BeginntMitDatum(zeile_ + std::string(stueck.substr(0, 8)));
                    zeile_.clear();
                } else {
                    zeile_.append(stueck);
                }
            }
            if (ende == std::string_view::npos) {
                return;
            }
            ZeileFertig(zeile_);
            zeile_.clear();
            block.remove_prefix(ende + 1);
        }
    }

    // The last line needs no line end.
    void Ende() {
        if (!zeile_.empty() || zuLang_) {
            ZeileFertig(zeile_);
            zeile_.clear();
        }
    }

    std::int64_t Zeilen() const { return nummer_; }

private:
    void ZeileFertig(std::string_view zeile) {
        ++nummer_;
        if (zuLang_) {
            if (zuLangWieSatz_) {
                empfaenger_.Unlesbar({nummer_, "Zeile zu lang"});
            }
            zuLang_ = false;
            letzteWarSatz_ = false;
            return;
        }
        while (!zeile.empty() && zeile.back() == '\r') {
            zeile.remove_suffix(1);
        }
        const GelesenesZeile gelesen = LiesLogZeile(zeile);
        switch (gelesen.art) {
        case ZeilenArt::Datensatz:
            empfaenger_.Datensatz(gelesen.datensatz, nummer_);
            break;
        case ZeilenArt::Kommentar:
            if (letzteWarSatz_) {
                empfaenger_.Kommentar(gelesen.kommentar, nummer_);
            }
            break;
        case ZeilenArt::Unlesbar:
            empfaenger_.Unlesbar({nummer_, gelesen.grund});
            break;
        case ZeilenArt::KeinDatensatz:
            break;
        }
        letzteWarSatz_ = gelesen.art == ZeilenArt::Datensatz;
    }

    LogEmpfaenger& empfaenger_;
    std::string zeile_;
    std::int64_t nummer_ = 0;
    bool zuLang_ = false;
    bool zuLangWieSatz_ = false;
    bool letzteWarSatz_ = false;
};

class Summierer final : public LogEmpfaenger {
public:
    Summierer(LogAuswertung& auswertung, const std::function<void(const LogFehler&)>& melde)
        : auswertung_(auswertung), melde_(melde) {}

    void Datensatz(const LogDatensatz& satz, std::int64_t) override {
        auswertung_.summen.Dazu(satz);
    }
    void Kommentar(std::string_view, std::int64_t) override {}
    void Unlesbar(const LogFehler& fehler) override {
        ++auswertung_.fehlerAnzahl;
        if (auswertung_.fehler.size() < MaxGemerkteFehler) {
            auswertung_.fehler.push_back(fehler);
        }
        if (melde_) {
            melde_(fehler);
        }
    }

private:
    LogAuswertung& auswertung_;
    const std::function<void(const LogFehler&)>& melde_;
};

} // namespace

LeseErgebnis LiesLog(QIODevice& quelle, LogEmpfaenger& empfaenger,
                     const std::function<bool(std::int64_t)>& weiter) {
    LeseErgebnis ergebnis;
    ZeilenLeser leser(empfaenger);
    std::array<char, BlockGroesse> block{};
    for (;;) {
        errno = 0;
        const qint64 n = quelle.read(block.data(), BlockGroesse);
        if (n < 0) {
            const int fehlernummer = errno;
            ergebnis.gelesen = false;
            ergebnis.fehler = fehlernummer != 0 ? SystemGrund(fehlernummer) : quelle.errorString();
            break;
        }
        if (n == 0 && (!quelle.isSequential() || !quelle.waitForReadyRead(-1))) {
            break;
        }
        ergebnis.bytes += n;
        leser.Bytes(std::string_view(block.data(), static_cast<std::size_t>(n)));
        if (weiter && !weiter(ergebnis.bytes)) {
            ergebnis.gelesen = false;
            break;
        }
    }
    leser.Ende();
    ergebnis.zeilen = leser.Zeilen();
    return ergebnis;
}

bool LogSumme::Dazu(const LogSumme& summe) {
    LogSumme neu;
    if (__builtin_add_overflow(anrufe, summe.anrufe, &neu.anrufe) ||
        __builtin_add_overflow(einheiten, summe.einheiten, &neu.einheiten) ||
        __builtin_add_overflow(kostenPfennig, summe.kostenPfennig, &neu.kostenPfennig)) {
        return false;
    }
    *this = neu;
    return true;
}

bool LogSumme::Dazu(const LogDatensatz& satz) {
    return Dazu(LogSumme{1, satz.einheiten, satz.kostenPfennig});
}

bool LogSummen::Dazu(const LogDatensatz& satz) {
    const std::pair<int, int> monat{int(satz.startDatum.year()),
                                    int(unsigned(satz.startDatum.month()))};
    ZonenArray<LogSumme>& zonen = monate_[monat];
    LogSumme imMonat = zonen[satz.zone];
    LogSumme insgesamt = gesamt_[satz.zone];
    if (!imMonat.Dazu(satz) || !insgesamt.Dazu(satz)) {
        zuGross_ = true;
        return false;
    }
    zonen[satz.zone] = imMonat;
    gesamt_[satz.zone] = insgesamt;
    return true;
}

std::optional<LogSumme> LogSummen::Gesamt() const {
    LogSumme summe;
    for (int zone : AlleZonen) {
        if (!summe.Dazu(gesamt_[zone])) {
            return std::nullopt;
        }
    }
    return summe;
}

std::optional<QString> OeffneLog(QFile& datei, const QString& pfad, bool nurDateien) {
    const int fd = ::open(QFile::encodeName(pfad).constData(),
                          O_RDONLY | O_CLOEXEC | (nurDateien ? O_NONBLOCK : 0));
    if (fd < 0) {
        return SystemGrund(errno);
    }
    struct stat info {};
    int fehlernummer = ::fstat(fd, &info) == 0 ? 0 : errno;
    if (fehlernummer == 0 && S_ISDIR(info.st_mode)) {
        fehlernummer = EISDIR;
    }
    if (fehlernummer == 0 && nurDateien && !S_ISREG(info.st_mode)) {
        ::close(fd);
        return QStringLiteral("Es ist keine gewöhnliche Datei");
    }
    if (nurDateien) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    if (fehlernummer == 0 && datei.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        return std::nullopt;
    }
    ::close(fd);
    return SystemGrund(fehlernummer != 0 ? fehlernummer : EIO);
}

void WerteLogAus(QIODevice& datei, LogAuswertung& auswertung,
                 const std::function<void(const LogFehler&)>& melde) {
    Summierer summierer(auswertung, melde);
    const LeseErgebnis lesen = LiesLog(datei, summierer);
    auswertung.lesen.bytes += lesen.bytes;
    auswertung.lesen.zeilen += lesen.zeilen;
    if (!lesen.gelesen) {
        auswertung.lesen.gelesen = false;
        auswertung.lesen.fehler = lesen.fehler;
    }
}

LogAuswertung WerteLogAus(QIODevice& datei, const std::function<void(const LogFehler&)>& melde) {
    LogAuswertung auswertung;
    WerteLogAus(datei, auswertung, melde);
    return auswertung;
}

} // namespace tarvis
