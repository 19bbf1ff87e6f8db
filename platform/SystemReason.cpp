#include "platform/SystemReason.h"

#include <cerrno>

namespace tarvis {

QString SystemGrund(int fehlernummer) {
    switch (fehlernummer) {
    case ENOENT:
        return QStringLiteral("Datei oder Verzeichnis nicht gefunden");
    case EACCES:
    case EPERM:
        return QStringLiteral("Keine Berechtigung");
    case EROFS:
        return QStringLiteral("Das Dateisystem ist schreibgeschützt");
    case ENOSPC:
        return QStringLiteral("Kein Platz mehr auf dem Datenträger");
    case EDQUOT:
        return QStringLiteral("Das Speicherkontingent ist erschöpft");
    case EISDIR:
        return QStringLiteral("Es ist ein Verzeichnis");
    case ENOTDIR:
        return QStringLiteral("Ein Teil des Pfades ist kein Verzeichnis");
    case ENAMETOOLONG:
        return QStringLiteral("Der Dateiname ist zu lang");
    case EFBIG:
        return QStringLiteral("Die Datei ist zu groß");
    case EIO:
        return QStringLiteral("Ein-/Ausgabefehler");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("Kein solches Gerät");
    case ELOOP:
        return QStringLiteral("Zu viele symbolische Verknüpfungen");
    case EBADF:
        return QStringLiteral("Die Datei ist nicht geöffnet");
    case EPIPE:
        return QStringLiteral("Der Empfänger hat die Verbindung geschlossen");
    case EINTR:
        return QStringLiteral("Der Vorgang wurde unterbrochen");
    case EAGAIN:
        return QStringLiteral("Die Ressource ist zur Zeit nicht verfügbar");
    case ENOLCK:
        return QStringLiteral("Es sind keine Sperren mehr verfügbar");
    case EMFILE:
        return QStringLiteral("Zu viele offene Dateien");
    case ENFILE:
        return QStringLiteral("Zu viele offene Dateien im System");
    case ENOMEM:
        return QStringLiteral("Nicht genügend Hauptspeicher");
    case ESTALE:
        return QStringLiteral("Die Datei ist auf dem Server nicht mehr vorhanden");
    case EEXIST:
        return QStringLiteral("Die Datei existiert bereits");
    default:
        return qt_error_string(fehlernummer);
    }
}

} // namespace tarvis
