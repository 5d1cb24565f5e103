#include "model/planschreiber.h"

#include "model/cp1252.h"
#include "model/tageszahl.h"

#include <QDate>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace {

// The file's bytes, grown by doubling; every text goes through the Windows-1252 table.
class Puffer final
{
public:
    explicit Puffer(qsizetype schaetzung) : m_bytes(schaetzung, Qt::Uninitialized) {}

    bool passt() const { return m_passt; }

    void ascii(std::string_view s)
    {
        std::memcpy(platz(qsizetype(s.size())), s.data(), s.size());
        m_n += qsizetype(s.size());
    }

    void zahl(qint32 wert)
    {
        char ziffern[12];
        char* ende = ziffern + sizeof ziffern;
        char* p = ende;
        quint32 betrag = wert < 0 ? 0u - static_cast<quint32>(wert) : static_cast<quint32>(wert);
        do {
            *--p = char('0' + betrag % 10);
            betrag /= 10;
        } while (betrag != 0);
        if (wert < 0)
            *--p = '-';
        ascii(std::string_view(p, size_t(ende - p)));
    }

    // The text's bytes; returns where they start.
    qsizetype text(QStringView t)
    {
        const qsizetype anfang = m_n;
        if (!Cp1252::kodierenNach(t, platz(t.size())))
            m_passt = false;
        m_n += t.size();
        return anfang;
    }

    // Titles and date texts are single lines: each CR or LF became a blank.
    void einzeilig(QStringView t)
    {
        const qsizetype anfang = text(t);
        if (!umbruchIn(anfang))
            return;
        for (char* p = m_bytes.data() + anfang; p < m_bytes.data() + m_n; ++p) {
            if (*p == '\r' || *p == '\n')
                *p = ' ';
        }
    }

    // A line of the one-line form: CR LF, CR and LF inside it each became one '|'.
    void zeile(QStringView t)
    {
        const qsizetype anfang = text(t);
        char* p = m_bytes.data() + anfang;
        char* const ende = m_bytes.data() + m_n;
        const auto umbruch = [](char c) { return c == '\r' || c == '\n'; };
        if (umbruchIn(anfang)) {
            p = std::find_if(p, ende, umbruch);
            char* z = p;
            while (p < ende) {
                if (*p == '\r' && p + 1 < ende && p[1] == '\n') {
                    *z++ = '|';
                    p += 2;
                } else {
                    *z++ = umbruch(*p) ? '|' : *p;
                    ++p;
                }
            }
            m_n = z - m_bytes.data();
        }
        ascii("|");
    }

    QByteArray fertig() &&
    {
        m_bytes.truncate(m_n);
        return std::move(m_bytes);
    }

private:
    // Whether the bytes from `anfang` on hold a CR or LF (memchr looks at many at a time).
    bool umbruchIn(qsizetype anfang) const
    {
        const char* p = m_bytes.constData() + anfang;
        const size_t n = size_t(m_n - anfang);
        return std::memchr(p, '\r', n) != nullptr || std::memchr(p, '\n', n) != nullptr;
    }

    char* platz(qsizetype n)
    {
        if (m_n + n > m_bytes.size())
            m_bytes.resize(std::max(m_bytes.size() * 2, m_n + n));
        return m_bytes.data() + m_n;
    }

    QByteArray m_bytes;
    qsizetype m_n = 0;
    bool m_passt = true;
};

constexpr std::string_view kEnde = "\r\n";

void zahlZeile(Puffer& p, std::string_view key, qint32 wert)
{
    p.ascii(key);
    p.zahl(wert);
    p.ascii(kEnde);
}

void ja(Puffer& p, std::string_view key, bool wert)
{
    p.ascii(key);
    p.ascii(wert ? "1\r\n" : "0\r\n");
}

void zeilenText(Puffer& p, std::string_view key, const QStringList& zeilen)
{
    p.ascii(key);
    for (const QString& z : zeilen)
        p.zeile(z);
    p.ascii(kEnde);
}

void aufgabeSchreiben(Puffer& p, const taufgabe& a)
{
    p.ascii("[");
    p.zahl(a.Nummer);
    p.ascii("]\r\nKurzbezeichnung=");
    p.einzeilig(a.Kurzbezeichnung);
    p.ascii(kEnde);
    zeilenText(p, "Beschreibung=", a.Beschreibung);
    zeilenText(p, "Notiz=", a.Notiz);
    zahlZeile(p, "Druckvorlage=", a.Druckvorlage);
    ja(p, "ausserhalbBuerozeit=", a.ausserhalbBuerozeit);
    ja(p, "auchSonntags=", a.auchSonntags);
    p.ascii("vorher=");
    for (qsizetype i = 0; i < a.vorher.size(); ++i) {
        if (i > 0)
            p.ascii(",");
        p.zahl(a.vorher[i]);
    }
    p.ascii(kEnde);
    ja(p, "beiAuszugsrenovierung=", a.beiAuszugsrenovierung);
    ja(p, "beiEinzugsrenovierung=", a.beiEinzugsrenovierung);
    ja(p, "mitSpedition=", a.mitSpedition);
    ja(p, "ohneSpedition=", a.ohneSpedition);
    zahlZeile(p, "vorgabeDauer=", a.vorgabeDauer);
    p.ascii("Tag=");
    char16_t tag[10];
    p.text(QStringView(tag, TagZeichen(a.Tag, tag)));
    p.ascii(kEnde);
    zahlZeile(p, "Start=", a.Start);
    zahlZeile(p, "Dauer=", a.Dauer);
    ja(p, "Benutzeraufgabe=", a.Benutzeraufgabe);
    p.ascii(kEnde);
}

} // namespace

qint32 GanzerTag(double tag)
{
    if (!std::isfinite(tag) || tag < -2147483648.0 || tag > 2147483647.0)
        return 0;
    return static_cast<qint32>(std::trunc(tag));
}

qsizetype TagZeichen(double tag, char16_t (&zeichen)[10])
{
    const QDate d = Tageszahl::zuDatum(tag);
    if (!d.isValid())
        return 0;
    auto zweistellig = [&](int wert, int pos) {
        zeichen[pos] = char16_t(u'0' + wert / 10);
        zeichen[pos + 1] = char16_t(u'0' + wert % 10);
    };
    zweistellig(d.day(), 0);
    zeichen[2] = u'.';
    zweistellig(d.month(), 3);
    zeichen[5] = u'.';
    zweistellig(d.year() / 100, 6);
    zweistellig(d.year() % 100, 8);
    return 10;
}

bool PlanBytes(const Aufgabenliste& aufgaben, const Situation& s, double firstday, int anzdays,
               QByteArray* bytes)
{
    qsizetype schaetzung = 512;
    for (const taufgabe& a : aufgaben) {
        schaetzung += 400 + a.Kurzbezeichnung.size() + 12 * a.vorher.size();
        for (const QStringList* zeilen : {&a.Beschreibung, &a.Notiz}) {
            for (const QString& z : *zeilen)
                schaetzung += z.size() + 1;
        }
    }
    Puffer p(schaetzung);
    p.ascii("[allgemein]\r\n");
    zahlZeile(p, "BundeslandA=", s.BundeslandA);
    zahlZeile(p, "BundeslandB=", s.BundeslandB);
    zahlZeile(p, "anzdays=", anzdays);
    zahlZeile(p, "firstday=", GanzerTag(firstday));
    ja(p, "Auszugsrenovierung=", s.Auszugsrenovierung);
    ja(p, "Einzugsrenovierung=", s.Einzugsrenovierung);
    ja(p, "Spedition=", s.Spedition);
    ja(p, "Kinder=", s.Kinder);
    p.ascii("Einzugdatum=");
    p.einzeilig(s.Einzugdatum);
    p.ascii("\r\nAuszugdatum=");
    p.einzeilig(s.Auszugdatum);
    p.ascii("\r\n\r\n");

    // Tasks of equal number share one section, where the first of them stands, holding the
    // values of the last (each write replaced the values before).
    std::vector<qint32> nummern;
    nummern.reserve(aufgaben.size());
    for (const taufgabe& a : aufgaben)
        nummern.push_back(a.Nummer);
    std::sort(nummern.begin(), nummern.end());
    if (std::adjacent_find(nummern.begin(), nummern.end()) == nummern.end()) {
        for (const taufgabe& a : aufgaben)
            aufgabeSchreiben(p, a);
    } else {
        std::unordered_map<qint32, size_t> letzte;
        for (size_t i = 0; i < aufgaben.size(); ++i)
            letzte[aufgaben[i].Nummer] = i;
        for (const taufgabe& a : aufgaben) {
            const auto it = letzte.find(a.Nummer);
            if (it == letzte.end())
                continue;
            aufgabeSchreiben(p, aufgaben[it->second]);
            letzte.erase(it);
        }
    }
    if (!p.passt())
        return false;
    *bytes = std::move(p).fertig();
    return true;
}
