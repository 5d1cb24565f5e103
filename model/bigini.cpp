#include "model/bigini.h"

#include "model/cp1252.h"
#include "model/dateizugriff.h"

#include <QDir>
#include <QHash>
#include <QList>

namespace {

// A piece of the store's text: a section name or an entry line. 32-bit fields keep a file
// of millions of short lines small in memory.
struct Stueck
{
    qint32 anfang = 0;
    qint32 laenge = 0;
    qint32 schluessel = -1; // entry lines: length of the key before the first '=', or -1
};

struct Abschnitt
{
    Stueck name;
    QList<Stueck> zeilen;
};

// Offsets are 32 bits; the text never grows beyond this many characters.
constexpr qsizetype kGroessterText = qsizetype(1) << 30;

constexpr char16_t kDateiende = 26;

bool gleichOhneFall(QStringView a, QStringView b)
{
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

bool hatZeilenumbruch(QStringView text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
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

// The name of a Unicode encoding the store does not read, from the file's byte-order mark.
QString fremdeKodierung(const QByteArray& daten)
{
    if (daten.startsWith(QByteArray("\xFF\xFE\x00\x00", 4)) ||
        daten.startsWith(QByteArray("\x00\x00\xFE\xFF", 4)))
        return QStringLiteral("UTF-32");
    if (daten.startsWith("\xFF\xFE") || daten.startsWith("\xFE\xFF"))
        return QStringLiteral("UTF-16");
    return {};
}

} // namespace

struct TBigIniFile::Daten
{
    // Names and lines are pieces of one text: a file of millions of tiny lines costs little
    // more than its own size. A replaced line stays behind in the text until the store goes.
    QString text;
    QList<Abschnitt> abschnitte;
    QHash<QString, qint32> namen; // case-folded section name -> index

    QStringView sicht(Stueck s) const { return QStringView(text).sliced(s.anfang, s.laenge); }

    qsizetype abschnittSuchen(QStringView name) const
    {
        return namen.value(name.toString().toCaseFolded(), -1);
    }

    // Index of the key's first entry line in section a, or -1.
    qsizetype zeileSuchen(qsizetype a, QStringView key) const
    {
        const QList<Stueck>& zeilen = abschnitte[a].zeilen;
        for (qsizetype i = 0; i < zeilen.size(); ++i) {
            const Stueck& z = zeilen[i];
            if (z.schluessel == key.size() &&
                gleichOhneFall(QStringView(text).sliced(z.anfang, z.schluessel), key))
                return i;
        }
        return -1;
    }

    Stueck anhaengen(QStringView key, QStringView wert = {}, bool mitGleich = false)
    {
        Stueck s{static_cast<qint32>(text.size()), 0, -1};
        text.append(key);
        if (mitGleich) {
            s.schluessel = static_cast<qint32>(key.size());
            text.append(QLatin1Char('='));
            text.append(wert);
        }
        s.laenge = static_cast<qint32>(text.size() - s.anfang);
        return s;
    }

    qsizetype abschnittAnlegen(Stueck name)
    {
        const qsizetype index = abschnitte.size();
        abschnitte.append(Abschnitt{name, {}});
        namen.insert(sicht(name).toString().toCaseFolded(), static_cast<qint32>(index));
        return index;
    }
};

TBigIniFile::TBigIniFile() : d(std::make_unique<Daten>()) {}

TBigIniFile::TBigIniFile(const QString& pfad) : TBigIniFile()
{
    m_pfad = pfad;
    QByteArray daten;
    if (Dateizugriff::Lesen(pfad, GroessteDatei, &daten, &m_lesefehler, &m_stand) !=
        Dateizugriff::Ergebnis::Gelesen)
        return;
    const QString datei = QStringLiteral("Die Datei „%1“").arg(QDir::toNativeSeparators(pfad));
    if (const QString kodierung = fremdeKodierung(daten); !kodierung.isEmpty())
        m_lesefehler = KodierungText(datei + QStringLiteral(" ist"), kodierung);
    else if (!einlesen(daten))
        m_lesefehler = QStringLiteral("%1 hat zu viele Zeilen (mehr als %2 Millionen).")
                           .arg(datei)
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
    else if (const QString kodierung = fremdeKodierung(daten); !kodierung.isEmpty())
        ini.m_lesefehler = KodierungText(QStringLiteral("Die Daten sind"), kodierung);
    else if (!ini.einlesen(daten))
        ini.m_lesefehler =
            QStringLiteral("Die Daten haben zu viele Zeilen (mehr als %1 Millionen).")
                .arg(GroessteZeilenzahl / 1000000);
    return ini;
}

QString TBigIniFile::KodierungText(const QString& datei, const QString& kodierung)
{
    return QStringLiteral("%1 in %2 gespeichert. Diese Kodierung wird nicht unterstützt; "
                          "gelesen werden Windows-1252 und UTF-8.")
        .arg(datei, kodierung);
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

    const QStringView text(d->text);
    const qsizetype n = text.size();
    qsizetype aktuell = -1; // -1: before the first section or inside a dropped duplicate
    qsizetype zeilen = 0;
    qsizetype anfang = 0;
    while (anfang < n) {
        qsizetype ende = anfang;
        while (ende < n && text[ende] != u'\r' && text[ende] != u'\n')
            ++ende;
        const QStringView zeile = text.sliced(anfang, ende - anfang);
        const qsizetype weiter =
            ende + (ende + 1 < n && text[ende] == u'\r' && text[ende + 1] == u'\n' ? 2 : 1);
        const Stueck stueck{static_cast<qint32>(anfang), static_cast<qint32>(zeile.size()), -1};
        anfang = weiter;

        if (zeile.isEmpty() || (zeile.size() == 1 && zeile[0] == kDateiende))
            continue;
        // Each line costs its entry: millions of one-letter lines would cost more than the
        // file many times over.
        if (++zeilen > GroessteZeilenzahl) {
            *d = Daten();
            m_geaendert = false;
            return false;
        }
        if (zeile.size() >= 2 && zeile.front() == u'[' && zeile.back() == u']') {
            const Stueck name{stueck.anfang + 1, stueck.laenge - 2, -1};
            const qsizetype index = d->abschnitte.size();
            QString gefaltet = d->sicht(name).toString().toCaseFolded();
            const bool neu = !d->namen.contains(gefaltet);
            if (neu) {
                d->namen.insert(gefaltet, static_cast<qint32>(index));
                d->abschnitte.append(Abschnitt{name, {}});
                aktuell = index;
            } else {
                aktuell = -1;
                ++m_doppelt;
                m_geaendert = true; // saving writes the file without the duplicate
            }
        } else if (aktuell >= 0) {
            Stueck eintrag = stueck;
            eintrag.schluessel = static_cast<qint32>(zeile.indexOf(QLatin1Char('=')));
            d->abschnitte[aktuell].zeilen.append(eintrag);
        }
    }
    return true;
}

bool TBigIniFile::WertLesen(QStringView section, QStringView key, QStringView* wert) const
{
    const qsizetype a = d->abschnittSuchen(section);
    if (a < 0)
        return false;
    const qsizetype z = d->zeileSuchen(a, key);
    if (z < 0)
        return false;
    *wert = d->sicht(d->abschnitte[a].zeilen[z]).sliced(key.size() + 1);
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
    if (hatZeilenumbruch(value) || hatZeilenumbruch(key) || hatZeilenumbruch(section) ||
        key.contains(QLatin1Char('=')) ||
        (key.startsWith(QLatin1Char('[')) && value.endsWith(QLatin1Char(']'))))
        return false;
    if (d->text.size() + section.size() + key.size() + 1 + value.size() > kGroessterText)
        return false;

    qsizetype a = d->abschnittSuchen(section);
    if (a < 0)
        a = d->abschnittAnlegen(d->anhaengen(section));
    const qsizetype z = d->zeileSuchen(a, key);
    if (z >= 0) {
        const Stueck alt = d->abschnitte[a].zeilen[z];
        if (d->sicht(alt).first(alt.schluessel) == key &&
            d->sicht(alt).sliced(alt.schluessel + 1) == value)
            return true;
        d->abschnitte[a].zeilen[z] = d->anhaengen(key, value, true);
    } else {
        d->abschnitte[a].zeilen.append(d->anhaengen(key, value, true));
    }
    m_geaendert = true;
    return true;
}

bool TBigIniFile::WriteInteger(QStringView section, QStringView key, qint32 value)
{
    return WriteString(section, key, QString::number(value));
}

bool TBigIniFile::WriteBool(QStringView section, QStringView key, bool value)
{
    return WriteString(section, key, value ? u"1" : u"0");
}

QStringList TBigIniFile::ReadSections() const
{
    QStringList namen;
    namen.reserve(d->abschnitte.size());
    for (const Abschnitt& a : d->abschnitte)
        namen.append(d->sicht(a.name).toString());
    return namen;
}

qsizetype TBigIniFile::AnzahlAbschnitte() const
{
    return d->abschnitte.size();
}

QString TBigIniFile::AbschnittName(qsizetype index) const
{
    if (index < 0 || index >= AnzahlAbschnitte())
        return {};
    return d->sicht(d->abschnitte[index].name).toString();
}

bool TBigIniFile::SectionExists(QStringView section) const
{
    return d->abschnittSuchen(section) >= 0;
}

QStringView TBigIniFile::AbschnittSicht(qsizetype index) const
{
    return d->sicht(d->abschnitte[index].name);
}

qsizetype TBigIniFile::AbschnittIndex(QStringView name) const
{
    return d->abschnittSuchen(name);
}

qsizetype TBigIniFile::ZeilenAnzahl(qsizetype abschnitt) const
{
    return d->abschnitte[abschnitt].zeilen.size();
}

QStringView TBigIniFile::Zeile(qsizetype abschnitt, qsizetype zeile, qsizetype* schluessel) const
{
    const Stueck s = d->abschnitte[abschnitt].zeilen[zeile];
    *schluessel = s.schluessel;
    return d->sicht(s);
}

bool TBigIniFile::GleichOhneFall(QStringView a, QStringView b)
{
    return gleichOhneFall(a, b);
}

QByteArray TBigIniFile::Inhalt() const
{
    QString text;
    for (const Abschnitt& a : d->abschnitte) {
        if (a.zeilen.isEmpty())
            continue;
        text += u'[' + d->sicht(a.name) + u"]\r\n";
        for (const Stueck& z : a.zeilen)
            text += d->sicht(z) + u"\r\n";
        text += u"\r\n";
    }
    QByteArray bytes;
    if (Cp1252::kodieren(text, &bytes))
        return bytes;
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
