// German texts of file error numbers.
#include "platform/file_errors.h"

#include <cerrno>

namespace kardo {

std::string FileErrorText(int err) {
    switch (err) {
    case EACCES:
    case EPERM:
        return "Zugriff verweigert";
    case ENOENT:
        return "Ordner oder Datei nicht gefunden";
    case ENOTDIR:
        return "ein Teil des Pfades ist kein Ordner";
    case ENOSPC:
        return "kein Platz mehr auf dem Datenträger";
    case EDQUOT:
        return "der zugeteilte Speicherplatz ist erschöpft";
    case EROFS:
        return "der Datenträger ist schreibgeschützt";
    case EISDIR:
    case ENOTEMPTY:
    case EEXIST:
        return "an dieser Stelle steht ein Ordner";
    case EFBIG:
    case EOVERFLOW:
        return "die Datei ist zu groß";
    case EIO:
        return "Ein-/Ausgabefehler";
    case ENAMETOOLONG:
        return "der Dateiname oder der Pfad ist zu lang";
    case ELOOP:
        return "die symbolischen Verknüpfungen bilden eine Schleife";
    case EMLINK:
        return "zu viele Verknüpfungen";
    case ETXTBSY:
    case EBUSY:
        return "die Datei wird gerade benutzt";
    case EXDEV:
        return "Quelle und Ziel liegen auf verschiedenen Datenträgern";
    case EINVAL:
        return "ungültiger Dateiname";
    case EAGAIN:
        return "die Datei ist gerade nicht verfügbar";
    case ENOMEM:
        return "nicht genug Arbeitsspeicher";
    case EMFILE:
    case ENFILE:
        return "zu viele offene Dateien";
    case EINTR:
        return "der Vorgang wurde unterbrochen";
    case ESTALE:
    case ENOTCONN:
    case ETIMEDOUT:
        return "die Verbindung zum Speicherort ist unterbrochen";
    case ENXIO:
    case ENODEV:
        return "das Gerät ist nicht verfügbar";
    case EOPNOTSUPP:
        return "das Dateisystem unterstützt den Vorgang nicht";
    case ENOLCK:
        return "die Datei kann nicht gesperrt werden";
    case EBADF:
    case EFAULT:
        return "interner Fehler beim Dateizugriff";
    default:
        return "unbekannter Systemfehler (Nummer " + std::to_string(err) + ")";
    }
}

} // namespace kardo
