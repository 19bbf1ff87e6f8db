#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

namespace tarvis {

// How a log looks: the fields of a record line, the comment line, the heading of a new log and
// the names of the logs. The writer, both ways of reading a line back, the save dialog and
// whoever looks for logs by their names take it from here.
//
// Each field is placed after the one before it, so that widening a field or the blanks before
// it moves everything to its right: the later fields, the heading words above them and, for the
// telephone number, the comment lines.

// Every line of a log ends in CR LF, whoever writes it.
inline constexpr char LogZeilenende[] = "\r\n";

enum class Ausrichtung { Links, Rechts };

// Columns count from 0. A field's text is padded to its width, never cut: a figure too wide
// for its column pushes the rest of the line to the right instead of losing digits.
struct LogFeld {
    std::size_t luecke = 0; // blanks between the end of the field before and this one
    std::size_t spalte = 0;
    std::size_t breite = 0;
    Ausrichtung ausrichtung = Ausrichtung::Links;

    constexpr std::size_t Ende() const { return spalte + breite; }
};

constexpr LogFeld FeldNach(const LogFeld& vorher, std::size_t luecke, std::size_t breite,
                           Ausrichtung ausrichtung = Ausrichtung::Links) {
    return {luecke, vorher.Ende() + luecke, breite, ausrichtung};
}

namespace LogSatz {

// Dates "dd.mm.yy", times "hh:mm:ss" and the duration "hh:mm:ss,t" are always at least as
// wide as their fields; a duration of 100 hours and more is wider.
inline constexpr LogFeld StartDatum{0, 0, 8, Ausrichtung::Links};
inline constexpr LogFeld StartZeit = FeldNach(StartDatum, 3, 8);
inline constexpr LogFeld StopDatum = FeldNach(StartZeit, 3, 8);
inline constexpr LogFeld StopZeit = FeldNach(StopDatum, 3, 8);
inline constexpr LogFeld Dauer = FeldNach(StopZeit, 3, 10);
// The number as typed. It always keeps a blank after it, so that a reader finds the zone name
// standing on its own even after a number longer than the field.
inline constexpr LogFeld Telefon = FeldNach(Dauer, 3, 18);
inline constexpr LogFeld Zone = FeldNach(Telefon, 0, 13);
inline constexpr LogFeld Einheiten = FeldNach(Zone, 0, 6, Ausrichtung::Rechts);
inline constexpr LogFeld Kosten = FeldNach(Einheiten, 3, 9, Ausrichtung::Rechts);
inline constexpr LogFeld Waehrung = FeldNach(Kosten, 1, 2);
inline constexpr std::string_view WaehrungText = "DM";

// In the order of the line.
inline constexpr std::array<LogFeld, 10> Felder{
    StartDatum, StartZeit, StopDatum, StopZeit, Dauer, Telefon, Zone, Einheiten, Kosten, Waehrung};

// A record line whose fields all have their nominal width.
inline constexpr std::size_t Breite = Waehrung.Ende();

} // namespace LogSatz

// A comment stands in the line under its record, below the telephone number.
inline constexpr std::size_t KommentarEinzug = LogSatz::Telefon.spalte;

// What the save dialog lets the user type. The longest number leaves three blanks before the
// zone name, so that the two never read as one.
inline constexpr int TelefonMaxLaenge = static_cast<int>(LogSatz::Telefon.breite) - 3;
inline constexpr int KommentarMaxLaenge = 28;

// The heading of a new log: two lines of words, each word at its column above the fields, then
// a line of minus signs as wide as a record and an empty line. Words are UTF-8; the file has
// them in code page 1252.
struct LogKopfWort {
    std::size_t spalte;
    std::string_view wort;
};

inline constexpr std::array<LogKopfWort, 7> LogKopfZeile1{{
    {LogSatz::StartDatum.spalte + 5, "Beginn"},
    {LogSatz::StopDatum.spalte + 6, "Ende"},
    {LogSatz::Dauer.spalte, "Gesprächs-"},
    {LogSatz::Telefon.spalte, "angerufene"},
    {LogSatz::Zone.spalte, "Tarif-"},
    {LogSatz::Einheiten.spalte, "Ein-"},
    {LogSatz::Kosten.spalte + 2, "Gesprächs-"},
}};

inline constexpr std::array<LogKopfWort, 9> LogKopfZeile2{{
    {LogSatz::StartDatum.spalte, "Datum"},
    {LogSatz::StartZeit.spalte, "Uhr"},
    {LogSatz::StopDatum.spalte, "Datum"},
    {LogSatz::StopZeit.spalte, "Uhr"},
    {LogSatz::Dauer.spalte, "Dauer"},
    {LogSatz::Telefon.spalte, "Telefonnummer"},
    {LogSatz::Zone.spalte, "bereich"},
    {LogSatz::Einheiten.spalte, "heiten"},
    {LogSatz::Kosten.spalte + 2, "Gebühren"},
}};

inline constexpr char LogKopfStrich = '-';

// "Tarvis MM-YYYY.Rep": the program keeps one log per calendar month.
QString LogDateiname(int jahr, unsigned monat);

// (year, month) of a file name of that form; nothing for any other name.
std::optional<std::pair<int, int>> MonatAusLogDateiname(QStringView dateiname);

// The logs' type of file, as the file dialogs offer it.
inline QString LogDateiTyp() {
    return QStringLiteral("Reportdateien (*.Rep)");
}

} // namespace tarvis
