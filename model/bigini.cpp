#include "model/bigini.h"

#include "model/cp1252.h"
#include "model/dateizugriff.h"

#include <QDir>
#include <QRandomGenerator>

#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <unordered_map>

namespace {

constexpr quint32 kKeinSchluessel = 0xFFFFFFFFu;

// A piece of the store's text buffer: a section name or an entry line.
struct Stueck
{
    quint32 anfang = 0;
    quint32 laenge = 0;
    // Entry lines: length of the key, the text before the first '=' (kKeinSchluessel when
    // the line has none). Key searches compare it before touching the text.
    quint32 schluessel = kKeinSchluessel;
};

struct Abschnitt
{
    Stueck name;
    std::vector<Stueck> zeilen;
};

// Sections with at least this many lines get a key index on their first key search; below
// it a linear scan is cheaper than the index.
constexpr size_t kSchluesselindexAb = 48;
// Offsets are 32 bits; the buffer never grows beyond this many characters.
constexpr qsizetype kGroessterPuffer = qsizetype(1) << 30;

constexpr char16_t kDateiende = 26;

// The first position from `i` on whose block of eight characters holds one at or below CR
// (or the last full block's end): lines are found without a comparison per character.
inline qsizetype ueberCr(const char16_t* p, qsizetype i, qsizetype n)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi16(u'\r');
    const __m128i null = _mm_setzero_si128();
    while (i + 8 <= n) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        // Characters at or below CR become 0 when CR is taken off without going below 0.
        const __m128i tief = _mm_cmpeq_epi16(_mm_subs_epu16(block, cr), null);
        if (_mm_movemask_epi8(tief) != 0)
            break;
        i += 8;
    }
#else
    (void)p;
    (void)n;
#endif
    return i;
}

inline char16_t falten(char16_t c)
{
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
    return QChar(c).toCaseFolded().unicode();
}

// Case-insensitive by simple case folding of each UTF-16 unit, the same folding as the hash.
bool gleichOhneFall(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    const char16_t* pa = a.utf16();
    const char16_t* pb = b.utf16();
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (pa[i] != pb[i] && falten(pa[i]) != falten(pb[i]))
            return false;
    }
    return true;
}

// FNV-1a over the folded units with a random start per process, so a hostile file cannot
// line up collisions, and a final mix for the low bits the table uses. Qt's own string hash
// costs over 100 ns even for a short name in the Qt build we run on.
size_t hashOhneFall(QStringView text)
{
    static const quint64 saat = QRandomGenerator::system()->generate64();
    quint64 h = 0xcbf29ce484222325ull ^ saat;
    for (const QChar c : text)
        h = (h ^ falten(c.unicode())) * 0x100000001b3ull;
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ull;
    h ^= h >> 33;
    return static_cast<size_t>(h);
}

int hexZiffer(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

bool hatZeilenumbruch(QStringView text)
{
    if (text.size() > 32) // long values: Qt's vectorised search
        return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    for (const QChar q : text) {
        const char16_t c = q.unicode();
        if (c <= u'\r' && (c == u'\r' || c == u'\n'))
            return true;
    }
    return false;
}

bool enthaelt(QStringView text, char16_t zeichen)
{
    for (const QChar c : text) {
        if (c.unicode() == zeichen)
            return true;
    }
    return false;
}

// Open addressing over indices; keys live elsewhere and are compared through a callback.
class Indextabelle final
{
public:
    template <typename Gleich> qint64 suchen(size_t hash, Gleich gleich) const
    {
        if (m_plaetze.empty())
            return -1;
        const size_t maske = m_plaetze.size() - 1;
        const auto kurz = static_cast<quint32>(hash);
        for (size_t i = hash & maske;; i = (i + 1) & maske) {
            const Platz& p = m_plaetze[i];
            if (p.wert == kLeer)
                return -1;
            if (p.hash == kurz && gleich(p.wert))
                return p.wert;
        }
    }

    // The caller makes sure the key is not there yet.
    void einfuegen(size_t hash, quint32 wert)
    {
        if ((m_anzahl + 1) * 2 > m_plaetze.size())
            wachsen();
        platzieren(static_cast<quint32>(hash), hash, wert);
        ++m_anzahl;
    }

private:
    static constexpr quint32 kLeer = 0xFFFFFFFFu;
    struct Platz
    {
        quint32 hash = 0;
        quint32 wert = kLeer;
    };

    void platzieren(quint32 kurz, size_t hash, quint32 wert)
    {
        const size_t maske = m_plaetze.size() - 1;
        size_t i = hash & maske;
        while (m_plaetze[i].wert != kLeer)
            i = (i + 1) & maske;
        m_plaetze[i] = Platz{kurz, wert};
    }

    // Only the low 32 bits of a hash are kept; they pick the slot in tables of up to 2^32.
    void wachsen()
    {
        std::vector<Platz> alt;
        alt.swap(m_plaetze);
        m_plaetze.assign(alt.empty() ? 16 : alt.size() * 2, Platz{});
        for (const Platz& p : alt) {
            if (p.wert != kLeer)
                platzieren(p.hash, p.hash, p.wert);
        }
    }

    std::vector<Platz> m_plaetze;
    size_t m_anzahl = 0;
};

// Hashes are cut to 32 bits everywhere, so growing the table can rehash from the stored part.
inline size_t hash32(QStringView text)
{
    return static_cast<quint32>(hashOhneFall(text));
}

} // namespace

struct TBigIniFile::Daten
{
    // All names and lines live in one buffer: no allocation per line, and a file of many tiny
    // lines costs little more than its own size. Replaced lines leave garbage behind, which
    // verdichten() removes once it outweighs the rest.
    QString text;
    qsizetype muell = 0;
    std::vector<Abschnitt> abschnitte;
    Indextabelle namen;
    std::unordered_map<quint32, Indextabelle> schluessel;
    quint32 letzter = 0; // the section found last

    QStringView sicht(Stueck s) const { return QStringView(text.constData() + s.anfang, s.laenge); }

    qint64 abschnittSuchen(QStringView name)
    {
        const size_t n = abschnitte.size();
        if (n == 0)
            return -1;
        // The section found last and then its successor: reading a file section by section
        // finds each one at the first or second comparison.
        for (const size_t k : {size_t(letzter), (size_t(letzter) + 1) % n}) {
            if (k < n && gleichOhneFall(sicht(abschnitte[k].name), name)) {
                letzter = static_cast<quint32>(k);
                return static_cast<qint64>(k);
            }
        }
        const qint64 i = namen.suchen(hash32(name), [&](quint32 w) {
            return gleichOhneFall(sicht(abschnitte[w].name), name);
        });
        if (i >= 0)
            letzter = static_cast<quint32>(i);
        return i;
    }

    Indextabelle& schluesselindex(quint32 a)
    {
        auto [it, neu] = schluessel.try_emplace(a);
        if (neu) {
            const std::vector<Stueck>& zeilen = abschnitte[a].zeilen;
            for (size_t i = 0; i < zeilen.size(); ++i) {
                if (zeilen[i].schluessel == kKeinSchluessel)
                    continue;
                const QStringView key = sicht(zeilen[i]).left(zeilen[i].schluessel);
                const size_t h = hash32(key);
                if (it->second.suchen(h, [&](quint32 w) { return keyPasst(a, w, key); }) < 0)
                    it->second.einfuegen(h, static_cast<quint32>(i));
            }
        }
        return it->second;
    }

    bool keyPasst(quint32 a, quint32 zeilenIndex, QStringView key) const
    {
        const Stueck s = abschnitte[a].zeilen[zeilenIndex];
        if (s.schluessel != static_cast<quint32>(key.size()))
            return false;
        const QStringView name(text.constData() + s.anfang, s.schluessel);
        // Keys of equal length mostly differ in their first letter.
        return (name.isEmpty() ||
                falten(name.front().unicode()) == falten(key.front().unicode())) &&
               gleichOhneFall(name, key);
    }

    // Index of the key's first entry line in section a, or -1.
    qint64 zeileSuchen(quint32 a, QStringView key)
    {
        const std::vector<Stueck>& zeilen = abschnitte[a].zeilen;
        if (zeilen.size() >= kSchluesselindexAb) {
            return schluesselindex(a).suchen(hash32(key),
                                             [&](quint32 w) { return keyPasst(a, w, key); });
        }
        for (size_t i = 0; i < zeilen.size(); ++i) {
            if (keyPasst(a, static_cast<quint32>(i), key))
                return static_cast<qint64>(i);
        }
        return -1;
    }

    bool platzFuer(qsizetype n)
    {
        if (text.size() + n <= kGroessterPuffer)
            return true;
        verdichten();
        return text.size() + n <= kGroessterPuffer;
    }

    Stueck anhaengen(std::initializer_list<QStringView> teile)
    {
        qsizetype laenge = 0;
        for (const QStringView t : teile)
            laenge += t.size();
        const qsizetype anfang = text.size();
        text.resize(anfang + laenge); // grows geometrically
        auto* ziel = reinterpret_cast<char16_t*>(text.data()) + anfang;
        for (const QStringView t : teile) {
            std::copy_n(t.utf16(), t.size(), ziel);
            ziel += t.size();
        }
        return Stueck{static_cast<quint32>(anfang), static_cast<quint32>(laenge)};
    }

    void ersetzt(Stueck alt)
    {
        muell += alt.laenge;
        if (muell > (qsizetype(1) << 20) && muell * 2 > text.size())
            verdichten();
    }

    void verdichten()
    {
        QString neu;
        neu.reserve(text.size() - muell);
        auto umziehen = [&](Stueck& s) {
            const auto anfang = static_cast<quint32>(neu.size());
            neu.append(sicht(s));
            s.anfang = anfang;
        };
        for (Abschnitt& a : abschnitte) {
            umziehen(a.name);
            for (Stueck& z : a.zeilen)
                umziehen(z);
        }
        text = std::move(neu);
        muell = 0;
    }
};

TBigIniFile::TBigIniFile() : d(std::make_unique<Daten>()) {}

TBigIniFile::TBigIniFile(const QString& pfad) : TBigIniFile()
{
    m_pfad = pfad;
    QByteArray daten;
    if (Dateizugriff::Lesen(pfad, GroessteDatei, &daten, &m_lesefehler, &m_stand) ==
            Dateizugriff::Ergebnis::Gelesen &&
        !einlesen(daten))
        m_lesefehler = QStringLiteral("Die Datei „%1“ hat zu viele Zeilen (mehr als %2 Millionen).")
                           .arg(QDir::toNativeSeparators(pfad))
                           .arg(GroessteZeilenzahl / 1000000);
}

TBigIniFile TBigIniFile::Neu(const QString& pfad)
{
    TBigIniFile ini;
    ini.m_pfad = pfad;
    ini.m_geaendert = true;
    return ini;
}

TBigIniFile TBigIniFile::ausBytes(const QByteArray& daten)
{
    TBigIniFile ini;
    if (daten.size() > GroessteDatei)
        ini.m_lesefehler = QStringLiteral("Die Daten sind zu groß (mehr als %1 MB).")
                               .arg(GroessteDatei / 1024 / 1024);
    else if (!ini.einlesen(daten))
        ini.m_lesefehler =
            QStringLiteral("Die Daten haben zu viele Zeilen (mehr als %1 Millionen).")
                .arg(GroessteZeilenzahl / 1000000);
    return ini;
}

TBigIniFile::TBigIniFile(TBigIniFile&&) noexcept = default;
TBigIniFile& TBigIniFile::operator=(TBigIniFile&&) noexcept = default;
TBigIniFile::~TBigIniFile() = default;

bool TBigIniFile::einlesen(const QByteArray& daten)
{
    if (daten.startsWith("\xEF\xBB\xBF"))
        d->text = QString::fromUtf8(QByteArrayView(daten).sliced(3));
    else
        d->text = Cp1252::dekodieren(daten);

    const auto* p = reinterpret_cast<const char16_t*>(d->text.utf16());
    const qsizetype n = d->text.size();
    qint64 aktuell = -1; // -1: before the first section or inside a dropped duplicate
    // The lines of the current section gather here and move into it in one allocation when
    // the section ends: a plan has thousands of sections of a dozen lines each.
    std::vector<Stueck> sammlung;
    auto abschliessen = [&] {
        if (aktuell >= 0 && !sammlung.empty()) {
            std::vector<Stueck>& zeilen = d->abschnitte[static_cast<size_t>(aktuell)].zeilen;
            if (sammlung.size() > 4096)
                zeilen.swap(sammlung); // a huge section is not copied once more
            else
                zeilen.assign(sammlung.begin(), sammlung.end());
        }
        sammlung.clear();
    };
    qsizetype zeilen = 0;
    qsizetype i = 0;
    while (i < n) {
        qsizetype ende = i;
        for (;;) {
            // Nearly every character lies above CR: eight at a time, then one by one.
            ende = ueberCr(p, ende, n);
            while (ende < n && p[ende] > u'\r')
                ++ende;
            if (ende == n || p[ende] == u'\r' || p[ende] == u'\n')
                break;
            ++ende;
        }
        const qsizetype laenge = ende - i;
        qsizetype weiter = ende;
        if (ende < n)
            weiter =
                (p[ende] == u'\r' && ende + 1 < n && p[ende + 1] == u'\n') ? ende + 2 : ende + 1;

        if (laenge == 0 || (laenge == 1 && p[i] == kDateiende)) {
            // skipped
        } else if (++zeilen > GroessteZeilenzahl) {
            // Each line costs its index entry: millions of one-letter lines would cost more
            // than the file many times over.
            *d = Daten();
            m_geaendert = false;
            return false;
        } else if (laenge >= 2 && p[i] == u'[' && p[ende - 1] == u']') {
            const Stueck name{static_cast<quint32>(i + 1), static_cast<quint32>(laenge - 2)};
            const QStringView sicht = d->sicht(name);
            const size_t h = hash32(sicht);
            const qint64 vorhanden = d->namen.suchen(h, [&](quint32 w) {
                return gleichOhneFall(d->sicht(d->abschnitte[w].name), sicht);
            });
            abschliessen();
            if (vorhanden >= 0) {
                aktuell = -1;
                m_geaendert = true; // releasing the store writes the file without the duplicate
            } else {
                aktuell = static_cast<qint64>(d->abschnitte.size());
                d->abschnitte.push_back(Abschnitt{name, {}});
                d->namen.einfuegen(h, static_cast<quint32>(aktuell));
            }
        } else if (aktuell >= 0) {
            qsizetype gleich = i;
            while (gleich < ende && p[gleich] != u'=')
                ++gleich;
            sammlung.push_back(
                Stueck{static_cast<quint32>(i), static_cast<quint32>(laenge),
                       gleich == ende ? kKeinSchluessel : static_cast<quint32>(gleich - i)});
        }
        i = weiter;
    }
    abschliessen();
    return true;
}

bool TBigIniFile::WertLesen(QStringView section, QStringView key, QStringView* wert) const
{
    const qint64 a = d->abschnittSuchen(section);
    if (a < 0)
        return false;
    const qint64 z = d->zeileSuchen(static_cast<quint32>(a), key);
    if (z < 0)
        return false;
    const Stueck s = d->abschnitte[static_cast<size_t>(a)].zeilen[static_cast<size_t>(z)];
    *wert = d->sicht(s).sliced(key.size() + 1);
    return true;
}

QString TBigIniFile::ReadString(QStringView section, QStringView key, const QString& vorgabe) const
{
    QStringView wert;
    return WertLesen(section, key, &wert) ? wert.toString() : vorgabe;
}

qint32 TBigIniFile::ReadInteger(QStringView section, QStringView key, qint32 vorgabe) const
{
    QStringView text;
    qint32 wert = 0;
    return WertLesen(section, key, &text) && ZahlLesen(text, &wert) ? wert : vorgabe;
}

bool TBigIniFile::ReadBool(QStringView section, QStringView key, bool vorgabe) const
{
    return ReadInteger(section, key, vorgabe ? 1 : 0) != 0;
}

bool TBigIniFile::WriteString(QStringView section, QStringView key, QStringView value)
{
    // Only what could break the line structure is refused: a line break anywhere, a '=' in a
    // key (it would end the key early) and a line that would read back as a section header.
    // A section or key already in the store has passed these checks.
    if (hatZeilenumbruch(value) ||
        (key.startsWith(QLatin1Char('[')) && value.endsWith(QLatin1Char(']'))))
        return false;
    if (!d->platzFuer(section.size() + key.size() + 1 + value.size()))
        return false;

    qint64 a = d->abschnittSuchen(section);
    const qint64 z = a >= 0 ? d->zeileSuchen(static_cast<quint32>(a), key) : -1;
    if (z < 0 && (hatZeilenumbruch(key) || enthaelt(key, u'=')))
        return false;
    if (a < 0) {
        if (hatZeilenumbruch(section))
            return false;
        a = static_cast<qint64>(d->abschnitte.size());
        const Stueck name = d->anhaengen({section});
        d->abschnitte.push_back(Abschnitt{name, {}});
        d->namen.einfuegen(hash32(section), static_cast<quint32>(a));
        d->letzter = static_cast<quint32>(a);
    }
    const auto ai = static_cast<quint32>(a);
    if (z >= 0) {
        Stueck& alt = d->abschnitte[ai].zeilen[static_cast<size_t>(z)];
        const QStringView zeile = d->sicht(alt);
        if (zeile.size() == key.size() + 1 + value.size() && zeile.startsWith(key) &&
            zeile.sliced(key.size() + 1) == value)
            return true;
        Stueck neu = d->anhaengen({key, u"=", value});
        neu.schluessel = static_cast<quint32>(key.size());
        const Stueck vorher = alt;
        d->abschnitte[ai].zeilen[static_cast<size_t>(z)] = neu;
        d->ersetzt(vorher);
    } else {
        std::vector<Stueck>& zeilen = d->abschnitte[ai].zeilen;
        zeilen.push_back(d->anhaengen({key, u"=", value}));
        zeilen.back().schluessel = static_cast<quint32>(key.size());
        if (zeilen.size() > kSchluesselindexAb) {
            const auto index = d->schluessel.find(ai);
            if (index != d->schluessel.end())
                index->second.einfuegen(hash32(key), static_cast<quint32>(zeilen.size() - 1));
        }
    }
    m_geaendert = true;
    return true;
}

bool TBigIniFile::WriteInteger(QStringView section, QStringView key, qint32 value)
{
    // Formatted on the stack: plans write several integers per task.
    char16_t puffer[12];
    char16_t* ende = puffer + 12;
    char16_t* p = ende;
    quint32 betrag = value < 0 ? 0u - static_cast<quint32>(value) : static_cast<quint32>(value);
    do {
        *--p = char16_t(u'0' + betrag % 10);
        betrag /= 10;
    } while (betrag != 0);
    if (value < 0)
        *--p = u'-';
    return WriteString(section, key, QStringView(p, ende));
}

bool TBigIniFile::WriteBool(QStringView section, QStringView key, bool value)
{
    return WriteString(section, key, value ? u"1" : u"0");
}

QStringList TBigIniFile::ReadSections() const
{
    QStringList namen;
    namen.reserve(static_cast<qsizetype>(d->abschnitte.size()));
    for (const Abschnitt& a : d->abschnitte)
        namen.append(d->sicht(a.name).toString());
    return namen;
}

qsizetype TBigIniFile::AnzahlAbschnitte() const
{
    return static_cast<qsizetype>(d->abschnitte.size());
}

QString TBigIniFile::AbschnittName(qsizetype index) const
{
    if (index < 0 || index >= AnzahlAbschnitte())
        return {};
    return d->sicht(d->abschnitte[static_cast<size_t>(index)].name).toString();
}

bool TBigIniFile::SectionExists(QStringView section) const
{
    return d->abschnittSuchen(section) >= 0;
}

QStringView TBigIniFile::AbschnittSicht(qsizetype index) const
{
    return d->sicht(d->abschnitte[static_cast<size_t>(index)].name);
}

qsizetype TBigIniFile::AbschnittIndex(QStringView name) const
{
    return d->abschnittSuchen(name);
}

qsizetype TBigIniFile::ZeilenAnzahl(qsizetype abschnitt) const
{
    return static_cast<qsizetype>(d->abschnitte[static_cast<size_t>(abschnitt)].zeilen.size());
}

QStringView TBigIniFile::Zeile(qsizetype abschnitt, qsizetype zeile, qsizetype* schluessel) const
{
    const Stueck s =
        d->abschnitte[static_cast<size_t>(abschnitt)].zeilen[static_cast<size_t>(zeile)];
    *schluessel = s.schluessel == kKeinSchluessel ? -1 : qsizetype(s.schluessel);
    return d->sicht(s);
}

bool TBigIniFile::GleichOhneFall(QStringView a, QStringView b)
{
    return gleichOhneFall(a, b);
}

QByteArray TBigIniFile::Inhalt() const
{
    // Walks the file's text piece by piece; `stueck` returns false to stop.
    auto durchlaufen = [this](auto stueck) {
        static constexpr QStringView kZeilenende = u"\r\n";
        for (const Abschnitt& a : d->abschnitte) {
            if (a.zeilen.empty())
                continue;
            if (!stueck(u"[") || !stueck(d->sicht(a.name)) || !stueck(u"]") || !stueck(kZeilenende))
                return false;
            for (const Stueck& z : a.zeilen) {
                if (!stueck(d->sicht(z)) || !stueck(kZeilenende))
                    return false;
            }
            if (!stueck(kZeilenende))
                return false;
        }
        return true;
    };

    qsizetype groesse = 0;
    durchlaufen([&](QStringView t) {
        groesse += t.size();
        return true;
    });
    // Straight into Windows-1252 bytes; only a character outside it makes the UTF-8 round.
    QByteArray bytes(groesse, Qt::Uninitialized);
    char* ziel = bytes.data();
    if (durchlaufen([&](QStringView t) {
            if (!Cp1252::kodierenNach(t, ziel))
                return false;
            ziel += t.size();
            return true;
        }))
        return bytes;

    QString text;
    text.reserve(groesse);
    durchlaufen([&](QStringView t) {
        text.append(t);
        return true;
    });
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool TBigIniFile::Speichern(QString* fehler)
{
    if (!m_geaendert)
        return true;
    auto melden = [&](const QString& text) {
        if (fehler)
            *fehler = text;
        return false;
    };
    if (m_pfad.isEmpty())
        return melden(QStringLiteral("Es ist keine Datei zum Schreiben angegeben."));
    // A file we could not read would lose everything we did not understand.
    if (!m_lesefehler.isEmpty())
        return melden(m_lesefehler);

    QString grund;
    if (!Dateizugriff::Ersetzen(m_pfad, Inhalt(), &grund, &m_stand))
        return melden(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2")
                          .arg(QDir::toNativeSeparators(m_pfad), grund));
    m_geaendert = false;
    return true;
}

bool TBigIniFile::ZahlLesen(QStringView text, qint32* wert)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    bool negativ = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negativ = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == n)
        return false;
    qint64 betrag = 0;
    if (n - i >= 2 && text[i] == QLatin1Char('0') &&
        (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        i += 2;
        if (i == n)
            return false;
        quint64 bits = 0;
        for (; i < n; ++i) {
            const int ziffer = hexZiffer(text[i].unicode());
            if (ziffer < 0)
                return false;
            bits = bits * 16 + static_cast<quint64>(ziffer);
            if (bits > 0xFFFFFFFFu)
                return false;
        }
        // Eight hex digits are a 32-bit pattern: 0xFFFFFFFF is -1.
        betrag = static_cast<qint32>(static_cast<quint32>(bits));
    } else {
        for (; i < n; ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9')
                return false;
            betrag = betrag * 10 + (c - u'0');
            if (betrag > 2147483648LL)
                return false;
        }
    }
    const qint64 ergebnis = negativ ? -betrag : betrag;
    if (ergebnis < -2147483648LL || ergebnis > 2147483647LL)
        return false;
    *wert = static_cast<qint32>(ergebnis);
    return true;
}
