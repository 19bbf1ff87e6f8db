#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace tarvis {

// The log file is read by people with Windows editors, so it is written in code page 1252,
// one byte per character. A character the code page cannot hold becomes one "?", counted by
// code point (a character outside the basic plane is one "?", not two), and so are control
// characters: a line break typed or pasted into a comment must not split a record line.
QByteArray Cp1252Text(const QString& text);

// Text for a terminal: every control character that the log would not take either becomes "?",
// so that a file name or a line from a crafted log cannot move the cursor, clear the screen or
// retitle the window.
QString OhneSteuerzeichen(const QString& text);

// Bytes of code page 1252 as UTF-8. The five bytes the code page leaves undefined become
// U+FFFD, the replacement character.
std::string Utf8AusCp1252(std::string_view bytes);
// The same into `utf8`, which keeps its memory: how the reader fills the texts of each line.
void Utf8AusCp1252(std::string_view bytes, std::string& utf8);

// The code page's own table, used when the system's converter does not know code page 1252.
// Returns -1 for a code point the code page cannot hold.
int Cp1252Byte(char32_t codepunkt);

} // namespace tarvis
