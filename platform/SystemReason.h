#pragma once

#include <QString>

namespace tarvis {

// Why the system refused a file operation, in German: the C library of most systems has no
// German messages, and a German message box should not give its reason in English. The common
// reasons have words of the program's own; the rare rest keep the system's text.
QString SystemGrund(int fehlernummer);

} // namespace tarvis
