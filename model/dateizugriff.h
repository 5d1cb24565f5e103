#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Reading and replacing whole files, with the reasons for a failure in German.
//
// Only regular files are read or replaced: a folder, a device, a pipe or a socket at the path
// is refused before it is opened, so a pipe never blocks and a device node is never replaced
// by a plan. Links are followed.

// What a file held when it was read or written last: enough to notice that someone else has
// written it since.
struct Dateistand
{
    bool vorhanden = false;
    qint64 groesse = 0;
    qint64 zeit = 0; // last modification, nanoseconds since 1970
    quint64 pruefsumme = 0;

    bool operator==(const Dateistand&) const = default;
};

namespace Dateizugriff {

enum class Ergebnis
{
    Gelesen,
    Fehlt,
    Fehler
};

// Reads the regular file at `pfad` whole. On Ergebnis::Fehler *fehler holds the whole message
// ("Die Datei „…“ kann nicht gelesen werden: …", or "… ist zu groß" for more than `grenze`
// bytes). `stand` (if given) gets the file's state.
Ergebnis Lesen(const QString& pfad, qint64 grenze, QByteArray* inhalt, QString* fehler,
               Dateistand* stand = nullptr);

// Replaces the file at `pfad` atomically: a temporary file beside it ("name.XXXXXX") gets the
// content, is flushed to disk and renamed over the old file, which keeps its permissions; a
// new file gets those of the umask. On failure the old file is as it was, no temporary file
// is left and *fehler gets the reason, one sentence for "… kann nicht geschrieben werden: %1"
// ("Keine Berechtigung."). `stand` (if given) gets the new file's state.
bool Ersetzen(const QString& pfad, QByteArrayView inhalt, QString* fehler,
              Dateistand* stand = nullptr);

// Empty when nothing is at `pfad` or a regular file is; otherwise a sentence saying what is
// there instead ("„/dev/sda“ ist keine gewöhnliche Datei, sondern eine Gerätedatei.").
QString KeineDatei(const QString& pfad);

// The state of the file at `pfad` now; its content is read only when size or time differ
// from `bekannt`.
Dateistand StandJetzt(const QString& pfad, const Dateistand& bekannt);

quint64 Pruefsumme(QByteArrayView inhalt);

// The reason for a system error number, in German.
QString Systemfehler(int nummer);

// Removes the temporary files that an interrupted Ersetzen of `name` left in `ordner`
// ("name.XXXXXX") once they are older than `sekunden`.
int ZwischendateienEntfernen(const QString& ordner, const QString& name, qint64 sekunden);

} // namespace Dateizugriff
