#pragma once

#include <QStringList>

class QTextStream;

namespace tarvis {

// Exit codes of the command line.
constexpr int ExitOk = 0;
constexpr int ExitDatei = 1;   // the log file could not be read
constexpr int ExitEingabe = 2; // wrong options or invalid input

// Whether the arguments ask for the command line rather than the window. Such calls run
// without a window system.
bool IstKommandozeilenAufruf(const QStringList& argumente);

// Runs the command line; `argumente` includes the program name first. Results go to `aus`,
// messages to `fehler`.
int FuehreKommandozeileAus(const QStringList& argumente, QTextStream& aus, QTextStream& fehler);

// Ends the output of a run that returned `code`: flushes it and, when it could not be written
// (a full disk, a closed or broken output), says so on `fehler` and turns success into status
// 1, as the standard tools do. A failure the run already reported keeps its own status.
int BeendeAusgabe(QTextStream& aus, QTextStream& fehler, int code);

} // namespace tarvis
