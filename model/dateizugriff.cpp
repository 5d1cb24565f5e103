#include "model/dateizugriff.h"

#include "model/uhr.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace Dateizugriff {

namespace {

QString anzeigename(const QString& pfad)
{
    return QDir::toNativeSeparators(pfad);
}

// What a path of this type is, for "… keine gewöhnliche Datei, sondern %1"; empty for a
// regular file.
QString artText(mode_t art)
{
    if (S_ISREG(art))
        return {};
    if (S_ISDIR(art))
        return QStringLiteral("ein Ordner");
    if (S_ISCHR(art) || S_ISBLK(art))
        return QStringLiteral("eine Gerätedatei");
    if (S_ISFIFO(art))
        return QStringLiteral("eine Pipe (FIFO)");
    if (S_ISSOCK(art))
        return QStringLiteral("ein Socket");
    return QStringLiteral("etwas anderes");
}

QString keineDateiGrund(mode_t art)
{
    return QStringLiteral("Das ist keine gewöhnliche Datei, sondern %1.").arg(artText(art));
}

// How old an unlocked temporary file must be before it counts as left over where the file
// system has no locks.
constexpr qint64 kStunde = 3600;

qint64 zeitVon(const struct stat& st)
{
    return qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

class Deskriptor final
{
public:
    explicit Deskriptor(int fd) : m_fd(fd) {}
    ~Deskriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Deskriptor(const Deskriptor&) = delete;
    Deskriptor& operator=(const Deskriptor&) = delete;
    int fd() const { return m_fd; }
    // close() with its result: a delayed write error shows here.
    int schliessen()
    {
        const int r = ::close(m_fd);
        m_fd = -1;
        return r;
    }

private:
    int m_fd;
};

constexpr quint64 kP1 = 0x9E3779B185EBCA87ull;
constexpr quint64 kP2 = 0xC2B2AE3D27D4EB4Full;

inline quint64 drehen(quint64 x, int n)
{
    return (x << n) | (x >> (64 - n));
}

inline quint64 runde(quint64 h, quint64 w)
{
    return drehen(h + w * kP2, 31) * kP1;
}

} // namespace

quint64 Pruefsumme(QByteArrayView inhalt)
{
    // Four independent lanes over 8-byte words: several gigabytes a second, so a checksum of
    // every plan read or written costs next to nothing.
    const auto* p = reinterpret_cast<const unsigned char*>(inhalt.data());
    const qsizetype n = inhalt.size();
    quint64 h[4] = {kP1 + kP2, kP2, 0, 0 - kP1};
    qsizetype i = 0;
    for (; i + 32 <= n; i += 32) {
        for (qsizetype k = 0; k < 4; ++k) {
            quint64 w = 0;
            std::memcpy(&w, p + i + 8 * k, 8);
            h[k] = runde(h[k], w);
        }
    }
    quint64 s = drehen(h[0], 1) + drehen(h[1], 7) + drehen(h[2], 12) + drehen(h[3], 18);
    s ^= static_cast<quint64>(n);
    for (; i < n; ++i)
        s = drehen(s ^ (p[i] * kP1), 11) * kP2;
    s ^= s >> 33;
    s *= kP2;
    s ^= s >> 29;
    s *= kP1;
    s ^= s >> 32;
    return s;
}

QString Systemfehler(int nummer)
{
    switch (nummer) {
    case ENOSPC:
        return QStringLiteral("Auf dem Datenträger ist kein Platz mehr frei.");
    case EDQUOT:
        return QStringLiteral("Das Speicherkontingent ist erschöpft.");
    case EFBIG:
        return QStringLiteral("Die Datei würde zu groß.");
    case EACCES:
        return QStringLiteral("Keine Berechtigung.");
    case EPERM:
        return QStringLiteral("Der Vorgang ist nicht erlaubt.");
    case EROFS:
        return QStringLiteral("Das Dateisystem ist schreibgeschützt.");
    case ENOENT:
        return QStringLiteral("Die Datei oder der Ordner existiert nicht.");
    case ENOTDIR:
        return QStringLiteral("Ein Teil des Pfades ist kein Ordner.");
    case EISDIR:
        return QStringLiteral("Das ist ein Ordner.");
    case ENAMETOOLONG:
        return QStringLiteral("Der Dateiname ist zu lang.");
    case EIO:
        return QStringLiteral("Ein- oder Ausgabefehler des Datenträgers.");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Es sind zu viele Dateien geöffnet.");
    case ELOOP:
        return QStringLiteral("Zu viele Ebenen symbolischer Verknüpfungen.");
    case EXDEV:
        return QStringLiteral(
            "Die Datei kann nicht über Dateisystemgrenzen hinweg ersetzt werden.");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("Die Datei ist belegt.");
    case ENOMEM:
        return QStringLiteral("Nicht genug Arbeitsspeicher.");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("Das Gerät gibt es nicht.");
    case EINVAL:
        return QStringLiteral("Ungültiges Argument.");
    default:
        return QStringLiteral("Systemfehler Nummer %1.").arg(nummer);
    }
}

QString KeineDatei(const QString& pfad)
{
    struct stat st
    {
    };
    if (pfad.isEmpty() || ::stat(QFile::encodeName(pfad).constData(), &st) != 0 ||
        S_ISREG(st.st_mode))
        return {};
    return QStringLiteral("„%1“ ist keine gewöhnliche Datei, sondern %2.")
        .arg(anzeigename(pfad), artText(st.st_mode));
}

Ergebnis Lesen(const QString& pfad, qint64 grenze, QByteArray* inhalt, QString* fehler,
               Dateistand* stand)
{
    inhalt->clear();
    const QByteArray name = QFile::encodeName(pfad);
    auto scheitern = [&](const QString& text) {
        if (fehler)
            *fehler = text;
        return Ergebnis::Fehler;
    };
    auto systemfehler = [&](int nummer) {
        return scheitern(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: %2")
                             .arg(anzeigename(pfad), Systemfehler(nummer)));
    };
    // The type is checked before opening: opening a pipe waits for a writer, opening a device
    // may have effects of its own.
    struct stat st
    {
    };
    if (pfad.isEmpty() || ::stat(name.constData(), &st) != 0) {
        if (pfad.isEmpty() || errno == ENOENT)
            return Ergebnis::Fehlt;
        return systemfehler(errno);
    }
    auto keineDatei = [&] {
        return scheitern(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: %2")
                             .arg(anzeigename(pfad), keineDateiGrund(st.st_mode)));
    };
    if (!S_ISREG(st.st_mode))
        return keineDatei();
    Deskriptor datei(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (datei.fd() < 0)
        return errno == ENOENT ? Ergebnis::Fehlt : systemfehler(errno);
    // The path may have been replaced in between.
    if (::fstat(datei.fd(), &st) != 0)
        return systemfehler(errno);
    if (!S_ISREG(st.st_mode))
        return keineDatei();

    const auto zuGross = [&] {
        return scheitern(QStringLiteral("Die Datei „%1“ ist zu groß (mehr als %2 MB).")
                             .arg(anzeigename(pfad))
                             .arg(grenze / 1024 / 1024));
    };
    if (st.st_size > grenze)
        return zuGross();
    // One read for the whole file; files that report no size (/proc) are read to their end.
    QByteArray daten(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype gelesen = 0;
    for (;;) {
        if (gelesen == daten.size()) {
            if (gelesen > grenze)
                return zuGross();
            daten.resize(std::min<qsizetype>(std::max<qsizetype>(2 * gelesen, 4096), grenze + 1));
        }
        const ssize_t n =
            ::read(datei.fd(), daten.data() + gelesen, size_t(daten.size() - gelesen));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return systemfehler(errno);
        if (n == 0)
            break;
        gelesen += n;
    }
    if (gelesen > grenze)
        return zuGross();
    daten.truncate(gelesen);
    if (stand)
        *stand = Dateistand{true, gelesen, zeitVon(st), Pruefsumme(daten)};
    *inhalt = std::move(daten);
    return Ergebnis::Gelesen;
}

namespace {

// Temporary files are named ".kistenlotse-XXXXXX.tmp" (six letters or digits) beside their
// target: a name no user gives a file, so the clean-up can never take one of the user's.
const QString kZwischenAnfang = QStringLiteral(".kistenlotse-");
const QString kZwischenEnde = QStringLiteral(".tmp");
constexpr int kZufallszeichen = 6;

// Follows a chain of symbolic links to the path it ends at, which need not exist (a dangling
// link names the file to create). False with errno set for a loop or an unreadable link.
bool linkZiel(const QString& pfad, QString* ziel)
{
    const QFileInfo info(pfad);
    if (info.exists()) {
        *ziel = info.isSymLink() ? info.canonicalFilePath() : info.absoluteFilePath();
        return true;
    }
    QString jetzt = info.absoluteFilePath();
    for (int ebene = 0; ebene < 40; ++ebene) {
        const QByteArray name = QFile::encodeName(jetzt);
        struct stat st
        {
        };
        if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            *ziel = jetzt;
            return true;
        }
        QByteArray verweis(PATH_MAX, Qt::Uninitialized);
        const ssize_t n = ::readlink(name.constData(), verweis.data(), size_t(verweis.size()));
        if (n < 0)
            return false;
        verweis.truncate(n);
        jetzt =
            QDir::cleanPath(QFileInfo(jetzt).dir().absoluteFilePath(QFile::decodeName(verweis)));
    }
    errno = ELOOP;
    return false;
}

// Copies the extended attributes (the ACL among them, "system.posix_acl_access") of the file
// `von` to the open file `fd`. The security attributes are the system's to set for a new file,
// so a refusal to copy them is no failure; any other is.
bool attributeUebertragen(const QByteArray& von, int fd)
{
    QByteArray namen(1024, Qt::Uninitialized);
    ssize_t laenge = 0;
    for (;;) {
        laenge = ::listxattr(von.constData(), namen.data(), size_t(namen.size()));
        if (laenge >= 0)
            break;
        if (errno == ENOTSUP)
            return true;
        if (errno != ERANGE)
            return false;
        namen.resize(namen.size() * 4);
    }
    for (const QByteArray& name : namen.left(laenge).split('\0')) {
        if (name.isEmpty())
            continue;
        QByteArray wert(256, Qt::Uninitialized);
        ssize_t n = 0;
        for (;;) {
            n = ::getxattr(von.constData(), name.constData(), wert.data(), size_t(wert.size()));
            if (n >= 0 || errno != ERANGE)
                break;
            wert.resize(wert.size() * 4);
        }
        const bool sicherheit = name.startsWith("security.");
        if (n < 0) {
            if (errno == ENODATA || sicherheit)
                continue;
            return false;
        }
        if (::fsetxattr(fd, name.constData(), wert.constData(), size_t(n), 0) != 0 && !sicherheit)
            return false;
    }
    return true;
}

// Creates a new temporary file beside `ziel`, locked for as long as it is open so that the
// clean-up of another process leaves it alone.
int zwischendateiAnlegen(const QByteArray& ziel, int rechte, QByteArray* zwischen)
{
    static constexpr char kZeichen[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const QByteArray ordner = QFile::encodeName(QFileInfo(QFile::decodeName(ziel)).absolutePath());
    for (int versuch = 0; versuch < 100; ++versuch) {
        QByteArray name = ordner + '/' + QFile::encodeName(kZwischenAnfang);
        for (int i = 0; i < kZufallszeichen; ++i)
            name += kZeichen[QRandomGenerator::global()->bounded(int(sizeof kZeichen) - 1)];
        name += QFile::encodeName(kZwischenEnde);
        const int fd = ::open(name.constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode_t(rechte));
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return -1;
        // Where the file system has no locks, the clean-up waits for the file's age instead.
        while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        // A clean-up may have taken the name between its creation and the lock: a new one.
        struct stat st
        {
        };
        if (::fstat(fd, &st) == 0 && st.st_nlink == 0) {
            ::close(fd);
            continue;
        }
        *zwischen = name;
        return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

bool Ersetzen(const QString& pfad, QByteArrayView inhalt, QString* fehler, Dateistand* stand,
              Neu neu)
{
    auto scheitern = [&](const QString& text) {
        if (fehler)
            *fehler = text;
        return false;
    };
    auto systemfehler = [&](int nummer) { return scheitern(Systemfehler(nummer)); };
    if (pfad.isEmpty())
        return scheitern(QStringLiteral("Es ist keine Datei angegeben."));

    // A link is followed, also one whose target does not exist yet: its target is written,
    // the link stays.
    QString ziel;
    if (!linkZiel(pfad, &ziel))
        return systemfehler(errno);
    const QByteArray zielName = QFile::encodeName(ziel);
    struct stat st
    {
    };
    bool vorhanden = false;
    if (::stat(zielName.constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return scheitern(keineDateiGrund(st.st_mode));
        if ((st.st_mode & S_IWUSR) == 0)
            return scheitern(QStringLiteral(
                "Die Datei ist schreibgeschützt. Heben Sie den Schreibschutz auf oder speichern "
                "Sie unter einem anderen Namen."));
        // Replacing one name of several would leave the others with the old content, and
        // writing in place is not atomic.
        if (st.st_nlink > 1)
            return scheitern(QStringLiteral(
                "Die Datei hat weitere Namen (harte Verknüpfungen), die den alten Inhalt "
                "behielten. Speichern Sie unter einem anderen Namen."));
        vorhanden = true;
    } else if (errno != ENOENT) {
        return systemfehler(errno);
    }

    QByteArray zwischen;
    // A replacement is made private first and then given the old file's owner and mode.
    const int fd =
        zwischendateiAnlegen(zielName, vorhanden || neu == Neu::Privat ? 0600 : 0666, &zwischen);
    if (fd < 0)
        return systemfehler(errno);
    Deskriptor datei(fd);
    // The lock lasts until the file has its final name.
    const Deskriptor sperre(::dup(fd));
    auto abbrechen = [&](int nummer) {
        ::unlink(zwischen.constData());
        return systemfehler(nummer);
    };
    if (vorhanden) {
        // Only root may give a file away; anyone may keep a group of theirs.
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
            ::fchown(fd, st.st_uid, st.st_gid) != 0 && errno == EPERM)
            ::fchown(fd, uid_t(-1), st.st_gid);
        if (::fchmod(fd, st.st_mode & 07777) != 0 || !attributeUebertragen(zielName, fd))
            return abbrechen(errno);
    }

    const char* p = inhalt.data();
    qsizetype rest = inhalt.size();
    while (rest > 0) {
        const ssize_t n = ::write(fd, p, size_t(rest));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return abbrechen(n < 0 ? errno : EIO);
        p += n;
        rest -= n;
    }
    if (::fsync(fd) != 0)
        return abbrechen(errno);
    struct stat neuerStand
    {
    };
    if (::fstat(fd, &neuerStand) != 0)
        return abbrechen(errno);
    if (datei.schliessen() != 0)
        return abbrechen(errno);
    if (::rename(zwischen.constData(), zielName.constData()) != 0)
        return abbrechen(errno);
    // The rename itself reaches the disk with the folder.
    const QString ordner = QFileInfo(ziel).absolutePath();
    const int ordnerFd =
        ::open(QFile::encodeName(ordner).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (ordnerFd >= 0) {
        ::fsync(ordnerFd);
        ::close(ordnerFd);
    }
    if (stand)
        *stand = Dateistand{true, inhalt.size(), zeitVon(neuerStand), Pruefsumme(inhalt)};
    ZwischendateienEntfernen(ordner, kStunde);
    return true;
}

Dateistand StandJetzt(const QString& pfad, const Dateistand& bekannt)
{
    // Read whole every time: a change of the same size within the file system's time
    // resolution, or with a copied time, shows only in the content. A plan is small.
    QByteArray inhalt;
    Dateistand jetzt;
    switch (Lesen(pfad, qint64{64} * 1024 * 1024, &inhalt, nullptr, &jetzt)) {
    case Ergebnis::Gelesen:
        break;
    case Ergebnis::Fehlt:
        return {};
    case Ergebnis::Fehler: {
        // Not readable now (or too big to be a plan): it differs, when it is a file at all.
        if (!KeineDatei(pfad).isEmpty())
            return {};
        struct stat st
        {
        };
        if (::stat(QFile::encodeName(pfad).constData(), &st) != 0)
            return {};
        return Dateistand{true, qint64(st.st_size), zeitVon(st), ~bekannt.pruefsumme};
    }
    }
    // Touched but not changed: the same content is the same file.
    if (jetzt.groesse == bekannt.groesse && jetzt.pruefsumme == bekannt.pruefsumme)
        return bekannt;
    return jetzt;
}

bool IstZwischendatei(QStringView name)
{
    if (name.size() != kZwischenAnfang.size() + kZufallszeichen + kZwischenEnde.size() ||
        !name.startsWith(kZwischenAnfang) || !name.endsWith(kZwischenEnde))
        return false;
    const QStringView zufall = name.mid(kZwischenAnfang.size(), kZufallszeichen);
    return std::all_of(zufall.begin(), zufall.end(), [](QChar c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
    });
}

int ZwischendateienEntfernen(const QString& ordner, qint64 sekunden)
{
    if (ordner.isEmpty())
        return 0;
    const qint64 grenze = Uhr::JetztUtc().addSecs(-sekunden).toSecsSinceEpoch();
    int entfernt = 0;
    const QStringList namen =
        QDir(ordner).entryList({kZwischenAnfang + u'*' + kZwischenEnde},
                               QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString& name : namen) {
        if (!IstZwischendatei(name))
            continue;
        const QByteArray pfad = QFile::encodeName(QDir(ordner).filePath(name));
        const Deskriptor datei(
            ::open(pfad.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat st
        {
        };
        if (datei.fd() < 0 || ::fstat(datei.fd(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        // A writer holds the lock until its file has the target's name; a free lock means the
        // writer is gone. Without locks on this file system only the age tells.
        if (::flock(datei.fd(), LOCK_EX | LOCK_NB) != 0 &&
            (errno == EWOULDBLOCK || errno == EINTR || st.st_mtim.tv_sec >= grenze))
            continue;
        // Still the file that was checked (held locked, so no writer can take it meanwhile).
        struct stat jetzt
        {
        };
        if (::lstat(pfad.constData(), &jetzt) == 0 && jetzt.st_dev == st.st_dev &&
            jetzt.st_ino == st.st_ino && ::unlink(pfad.constData()) == 0)
            ++entfernt;
    }
    return entfernt;
}

int ZwischendateienNeben(const QString& pfad)
{
    QString ziel;
    if (pfad.isEmpty() || !linkZiel(pfad, &ziel))
        return 0;
    return ZwischendateienEntfernen(QFileInfo(ziel).absolutePath(), kStunde);
}

} // namespace Dateizugriff
