#pragma once

#include <QByteArray>
#include <QString>

namespace tarvis {

// The log file is read by people with Windows editors, so it is written in code page 1252,
// one byte per character. A character the code page cannot hold becomes one "?", counted by
// code point (a character outside the basic plane is one "?", not two), and so are control
// characters: a line break typed or pasted into a comment must not split a record line.
QByteArray Cp1252Text(const QString& text);

// The code page's own table, used when the system's converter does not know code page 1252.
// Returns -1 for a code point the code page cannot hold.
int Cp1252Byte(char32_t codepunkt);

} // namespace tarvis
