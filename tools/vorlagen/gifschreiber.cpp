#include "tools/vorlagen/gifschreiber.h"

#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

namespace {

constexpr int MaxCodeBreite = 12;
// Like giflib, the table is cleared before code 4095 is ever given out, so no decoder has to
// cope with a full table.
constexpr int LetzterFreierCode = (1 << MaxCodeBreite) - 1;

void wort(QByteArray& ziel, int wert)
{
    ziel.append(char(wert & 0xFF));
    ziel.append(char((wert >> 8) & 0xFF));
}

// Collects codes of varying width, least significant bit first, and cuts them into the
// sub-blocks of at most 255 bytes that GIF wants.
class CodeStrom final
{
public:
    void schreiben(int code, int breite)
    {
        m_puffer |= std::uint32_t(code) << m_bits;
        m_bits += breite;
        while (m_bits >= 8) {
            byte(char(m_puffer & 0xFF));
            m_puffer >>= 8;
            m_bits -= 8;
        }
    }

    void abschliessen(QByteArray& ziel)
    {
        if (m_bits > 0)
            byte(char(m_puffer & 0xFF));
        m_puffer = 0;
        m_bits = 0;
        if (m_blockLaenge > 0)
            blockAbgeben();
        m_daten.append('\0');
        ziel.append(m_daten);
        m_daten.clear();
    }

private:
    void byte(char b)
    {
        m_block[m_blockLaenge++] = b;
        if (m_blockLaenge == 255)
            blockAbgeben();
    }

    void blockAbgeben()
    {
        m_daten.append(char(m_blockLaenge));
        m_daten.append(m_block.data(), m_blockLaenge);
        m_blockLaenge = 0;
    }

    std::uint32_t m_puffer = 0;
    int m_bits = 0;
    std::array<char, 255> m_block{};
    int m_blockLaenge = 0;
    QByteArray m_daten;
};

// (prefix code, next index) -> code, open addressing; at most 4095 entries in 8192 slots.
class Tabelle final
{
public:
    Tabelle() { leeren(); }

    void leeren() { m_schluessel.fill(-1); }

    int finden(int schluessel) const
    {
        for (unsigned i = streuen(schluessel);; i = (i + 1) & Maske) {
            if (m_schluessel[i] == schluessel)
                return m_code[i];
            if (m_schluessel[i] < 0)
                return -1;
        }
    }

    void eintragen(int schluessel, int code)
    {
        unsigned i = streuen(schluessel);
        while (m_schluessel[i] >= 0)
            i = (i + 1) & Maske;
        m_schluessel[i] = schluessel;
        m_code[i] = std::int16_t(code);
    }

private:
    static constexpr unsigned Groesse = 8192;
    static constexpr unsigned Maske = Groesse - 1;

    static unsigned streuen(int schluessel)
    {
        return (unsigned(schluessel) * 2654435761u >> 19) & Maske;
    }

    std::array<int, Groesse> m_schluessel{};
    std::array<std::int16_t, Groesse> m_code{};
};

void lzw(const QImage& bild, int minCodeBreite, QByteArray& ziel)
{
    const int loeschCode = 1 << minCodeBreite;
    const int endeCode = loeschCode + 1;
    int codeBreite = minCodeBreite + 1;
    int naechster = loeschCode + 2;

    auto tabelle = std::make_unique<Tabelle>();
    CodeStrom strom;
    strom.schreiben(loeschCode, codeBreite);

    int praefix = -1;
    for (int y = 0; y < bild.height(); ++y) {
        const uchar* zeile = bild.constScanLine(y);
        for (int x = 0; x < bild.width(); ++x) {
            const int index = zeile[x];
            if (praefix < 0) {
                praefix = index;
                continue;
            }
            const int schluessel = (praefix << 8) | index;
            const int code = tabelle->finden(schluessel);
            if (code >= 0) {
                praefix = code;
                continue;
            }
            strom.schreiben(praefix, codeBreite);
            if (naechster < LetzterFreierCode) {
                tabelle->eintragen(schluessel, naechster);
                if (naechster == (1 << codeBreite))
                    ++codeBreite;
                ++naechster;
            } else {
                strom.schreiben(loeschCode, codeBreite);
                tabelle->leeren();
                codeBreite = minCodeBreite + 1;
                naechster = loeschCode + 2;
            }
            praefix = index;
        }
    }
    strom.schreiben(praefix, codeBreite);
    strom.schreiben(endeCode, codeBreite);
    strom.abschliessen(ziel);
}

bool pruefen(const QImage& bild, int transparent, QString* fehler)
{
    auto melden = [fehler](const QString& text) {
        if (fehler)
            *fehler = text;
        return false;
    };
    if (bild.isNull())
        return melden(QStringLiteral("Das Bild ist leer."));
    if (bild.format() != QImage::Format_Indexed8)
        return melden(QStringLiteral("Das Bild hat keine Palette (8 Bit je Bildpunkt erwartet)."));
    if (bild.width() > 0xFFFF || bild.height() > 0xFFFF)
        return melden(QStringLiteral("Das Bild ist größer als 65535 Bildpunkte."));
    const int farben = bild.colorCount();
    if (farben < 1 || farben > 256)
        return melden(
            QStringLiteral("Die Palette hat %1 Farben, erlaubt sind 1 bis 256.").arg(farben));
    if (transparent < -1 || transparent >= farben)
        return melden(QStringLiteral("Der transparente Index %1 liegt außerhalb der Palette.")
                          .arg(transparent));
    for (int y = 0; y < bild.height(); ++y) {
        const uchar* zeile = bild.constScanLine(y);
        for (int x = 0; x < bild.width(); ++x) {
            if (zeile[x] >= farben)
                return melden(QStringLiteral("Bildpunkt (%1, %2) verweist auf Farbe %3, die "
                                             "Palette hat nur %4 Farben.")
                                  .arg(x)
                                  .arg(y)
                                  .arg(zeile[x])
                                  .arg(farben));
        }
    }
    return true;
}

} // namespace

namespace Gif {

QByteArray kodieren(const QImage& bild, int transparent, QString* fehler)
{
    if (!pruefen(bild, transparent, fehler))
        return {};

    int tabellenBits = 1;
    while ((1 << tabellenBits) < bild.colorCount())
        ++tabellenBits;

    QByteArray gif("GIF89a");
    wort(gif, bild.width());
    wort(gif, bild.height());
    // global colour table, 8 bits of colour resolution, unsorted
    gif.append(char(0x80 | 0x70 | (tabellenBits - 1)));
    gif.append('\0'); // background colour index
    gif.append('\0'); // square pixels
    const QList<QRgb> palette = bild.colorTable();
    for (int i = 0; i < (1 << tabellenBits); ++i) {
        const QRgb farbe = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        gif.append(char(qRed(farbe)));
        gif.append(char(qGreen(farbe)));
        gif.append(char(qBlue(farbe)));
    }

    if (transparent >= 0) {
        const char steuerung[] = {'\x21', '\xF9', '\x04', '\x01', '\0', '\0', char(transparent),
                                  '\0'};
        gif.append(steuerung, sizeof steuerung);
    }

    gif.append('\x2C');
    wort(gif, 0);
    wort(gif, 0);
    wort(gif, bild.width());
    wort(gif, bild.height());
    gif.append('\0'); // no local colour table, not interlaced

    const int minCodeBreite = std::max(2, tabellenBits);
    gif.append(char(minCodeBreite));
    lzw(bild, minCodeBreite, gif);

    gif.append('\x3B');
    return gif;
}

bool speichern(const QImage& bild, const QString& pfad, int transparent, QString* fehler)
{
    QString grund;
    const QByteArray daten = kodieren(bild, transparent, &grund);
    if (daten.isEmpty()) {
        if (fehler)
            *fehler = QStringLiteral("%1: %2").arg(pfad, grund);
        return false;
    }
    QSaveFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(daten) != daten.size() ||
        !datei.commit()) {
        if (fehler)
            *fehler = QStringLiteral("%1 kann nicht geschrieben werden: %2")
                          .arg(pfad, datei.errorString());
        return false;
    }
    return true;
}

} // namespace Gif
