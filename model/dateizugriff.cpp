#include "model/dateizugriff.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

bool Ersetzen(const QString& pfad, QByteArrayView inhalt, QString* fehler, Dateistand* stand)
{
    auto scheitern = [&](const QString& text) {
        if (fehler)
            *fehler = text;
        return false;
    };
    auto systemfehler = [&](int nummer) { return scheitern(Systemfehler(nummer)); };
    if (pfad.isEmpty())
        return scheitern(QStringLiteral("Es ist keine Datei angegeben."));

    // A link is followed: its target is replaced, the link stays.
    QString ziel = pfad;
    const QFileInfo info(pfad);
    if (info.isSymLink() && info.exists())
        ziel = info.canonicalFilePath();
    const QByteArray zielName = QFile::encodeName(ziel);
    struct stat st
    {
    };
    bool vorhanden = false;
    if (::stat(zielName.constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return scheitern(keineDateiGrund(st.st_mode));
        vorhanden = true;
    } else if (errno != ENOENT) {
        return systemfehler(errno);
    }

    static constexpr char kZeichen[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray zwischen;
    int fd = -1;
    for (int versuch = 0; versuch < 100 && fd < 0; ++versuch) {
        zwischen = zielName + '.';
        for (int i = 0; i < 6; ++i)
            zwischen += kZeichen[QRandomGenerator::global()->bounded(int(sizeof kZeichen) - 1)];
        fd = ::open(zwischen.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return systemfehler(errno);
    }
    if (fd < 0)
        return systemfehler(EEXIST);
    Deskriptor datei(fd);
    auto abbrechen = [&](int nummer) {
        ::unlink(zwischen.constData());
        return systemfehler(nummer);
    };
    if (vorhanden && ::fchmod(fd, st.st_mode & 07777) != 0)
        return abbrechen(errno);

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
    struct stat neu
    {
    };
    if (::fstat(fd, &neu) != 0)
        return abbrechen(errno);
    if (datei.schliessen() != 0)
        return abbrechen(errno);
    if (::rename(zwischen.constData(), zielName.constData()) != 0)
        return abbrechen(errno);
    // The rename itself reaches the disk with the folder.
    const QByteArray ordner = QFile::encodeName(QFileInfo(ziel).absolutePath());
    const int ordnerFd = ::open(ordner.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (ordnerFd >= 0) {
        ::fsync(ordnerFd);
        ::close(ordnerFd);
    }
    if (stand)
        *stand = Dateistand{true, inhalt.size(), zeitVon(neu), Pruefsumme(inhalt)};
    return true;
}

Dateistand StandJetzt(const QString& pfad, const Dateistand& bekannt)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(pfad).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    Dateistand jetzt{true, qint64(st.st_size), zeitVon(st), 0};
    if (jetzt.groesse == bekannt.groesse && jetzt.zeit == bekannt.zeit) {
        jetzt.pruefsumme = bekannt.pruefsumme;
        return jetzt;
    }
    // Touched or rewritten: the content decides. A file too big to be a plan differs anyway.
    QByteArray inhalt;
    Dateistand gelesen;
    if (Lesen(pfad, qint64{64} * 1024 * 1024, &inhalt, nullptr, &gelesen) != Ergebnis::Gelesen)
        return Dateistand{true, jetzt.groesse, jetzt.zeit, ~bekannt.pruefsumme};
    return gelesen;
}

int ZwischendateienEntfernen(const QString& ordner, const QString& name, qint64 sekunden)
{
    const QDir dir(ordner);
    const QDateTime grenze = QDateTime::currentDateTimeUtc().addSecs(-sekunden);
    int entfernt = 0;
    const QFileInfoList kandidaten = dir.entryInfoList(
        {name + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& f : kandidaten) {
        const QString dateiname = f.fileName();
        const QStringView endung = QStringView(dateiname).right(6);
        const bool eigene = dateiname.size() == name.size() + 7 &&
                            std::all_of(endung.begin(), endung.end(), [](QChar c) {
                                return c.unicode() < 0x80 && c.isLetterOrNumber();
                            });
        if (eigene && f.lastModified().toUTC() < grenze && QFile::remove(f.absoluteFilePath()))
            ++entfernt;
    }
    return entfernt;
}

} // namespace Dateizugriff
