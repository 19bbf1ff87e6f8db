#pragma once

#include <QStringList>

namespace tarvis {

// Qt takes options of its own from the command line of a window (-platform offscreen,
// --style=Fusion, -reverse), with one dash or two and, where they take a value, the value after
// "=" or as the next argument. The command line passes over them, so that they reach the window
// and are neither refused as unknown nor taken for the command line's own.

// The arguments without Qt's window options and their values; the program name (the first
// argument) always stays.
QStringList OhneQtOptionen(const QStringList& argumente);

} // namespace tarvis
