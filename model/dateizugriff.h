#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Reading and replacing whole files, with the reasons for a failure in German.
//
// Ersetzen is the one way the program writes its own files (plans, settings, calendar files):
// atomic, with the old file's owner, mode, ACL and extended attributes, and refusing what it
// must not replace. Printing to a PDF file still uses QSaveFile, because QPdfWriter streams
// into a QIODevice while it draws; QSaveFile is atomic too but keeps neither owner nor ACL nor
// attributes and replaces a special file. To share these rules, printing should draw into a
// QBuffer and hand the finished bytes to Ersetzen (a printout is a few megabytes at most).
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

// What mode a file gets that did not exist before.
enum class Neu
{
    WieUmask, // 0666 less the umask, as any program makes a file
    Privat    // 0600 (less the umask): for copies of the user's notes
};

// Replaces the file at `pfad` atomically: a temporary file beside it (see
// ZwischendateienEntfernen) gets the content, is flushed to disk and renamed over the old file.
// The replacement keeps the old file's mode, group, extended attributes and ACL, and its owner
// when root saves; a new file gets the mode of `neu`. A link is followed, also a dangling one
// (its target is made). Refused: a file without the owner's write permission ("Die Datei ist
// schreibgeschützt. …") and one with further hard links, whose other names would keep the old
// content. On failure the old file is as it was, no temporary file is left and *fehler gets
// the reason, for "… kann nicht geschrieben werden: %1" ("Keine Berechtigung."). `stand` (if
// given) gets the new file's state. Afterwards the leftovers in the folder are removed.
bool Ersetzen(const QString& pfad, QByteArrayView inhalt, QString* fehler,
              Dateistand* stand = nullptr, Neu neu = Neu::WieUmask);

// Empty when nothing is at `pfad` or a regular file is; otherwise a sentence saying what is
// there instead ("„/dev/sda“ ist keine gewöhnliche Datei, sondern eine Gerätedatei.").
QString KeineDatei(const QString& pfad);

// The state of the file at `pfad` now, its content read whole; `bekannt` itself when only the
// time changed. Not `vorhanden` when nothing or no regular file is there.
Dateistand StandJetzt(const QString& pfad, const Dateistand& bekannt);

quint64 Pruefsumme(QByteArrayView inhalt);

// The reason for a system error number, in German.
QString Systemfehler(int nummer);

// Temporary files of Ersetzen are named ".kistenlotse-XXXXXX.tmp" (X a letter or digit); no
// other name is ever removed.
bool IstZwischendatei(QStringView name);

// Removes the temporary files in `ordner` that an interrupted Ersetzen left, in any process.
// A writer holds a lock on its file (flock) until the file has its final name, so a file whose
// lock is free is a leftover at any age; where the file system has no locks, one older than
// `sekunden`. Returns how many went.
int ZwischendateienEntfernen(const QString& ordner, qint64 sekunden);

// The same beside the file at `pfad` (beside its target, for a link), with an hour as the age:
// when a plan is opened.
int ZwischendateienNeben(const QString& pfad);

} // namespace Dateizugriff
