#pragma once

class QCoreApplication;
class QGuiApplication;
class QString;

namespace tarvis {

// The launcher's id: the name of the .desktop file and of the icon, and the application's
// desktop file name, so a task bar puts the window under its launcher.
extern const char* const DesktopId;

// What the desktop learns of the program before the first window: its name (which is also the
// class of its windows, WM_CLASS "Tarvis32"), its launcher and its icon, compiled in from the
// SVG that is installed with it.
void StelleProgrammVor(QGuiApplication& app);

// Qt's own texts (the file dialog, the buttons of message boxes, the context menu of an edit
// field) in German under any language of the desktop, as the program's own texts are. False
// when Qt's German translation is not installed; Qt then speaks English.
bool LadeQtTexte(QCoreApplication& app);

// Where Qt's translations are looked for.
QString QtUebersetzungen();

} // namespace tarvis
