#include "print/gifpruefung.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace GifPruefung {

namespace {

const QString Unvollstaendig = QStringLiteral("Das Bild ist unvollständig.");
const QString Fehlerhaft = QStringLiteral("Die Bilddaten sind fehlerhaft.");

class Leser
{
public:
    explicit Leser(const QByteArray& daten) : m_daten(daten) {}

    bool Ende() const { return m_pos >= m_daten.size(); }
    bool Vorhanden(qsizetype n) const { return n <= m_daten.size() - m_pos; }
    int Byte() { return static_cast<std::uint8_t>(m_daten.at(m_pos++)); }
    int Wort()
    {
        const int tief = Byte();
        return tief | (Byte() << 8);
    }
    void Ueberspringen(qsizetype n) { m_pos += n; }

    // The data sub-blocks up to their terminator, joined; false when the file ends first.
    bool Teilbloecke(QByteArray* inhalt)
    {
        for (;;) {
            if (!Vorhanden(1))
                return false;
            const int laenge = Byte();
            if (laenge == 0)
                return true;
            if (!Vorhanden(laenge))
                return false;
            if (inhalt)
                inhalt->append(m_daten.constData() + m_pos, laenge);
            m_pos += laenge;
        }
    }

private:
    const QByteArray& m_daten;
    qsizetype m_pos = 0;
};

// How many pixels the LZW data yields (as far as it goes); -1 for an impossible code.
qint64 Pixel(const QByteArray& lzw, int mindestBits, qint64 gebraucht)
{
    const int loeschen = 1 << mindestBits;
    const int ende = loeschen + 1;
    std::array<std::uint16_t, 4096> laenge{};
    int bits = mindestBits + 1;
    int naechster = ende + 1;
    int vorher = -1;
    qint64 pixel = 0;
    quint32 puffer = 0;
    int imPuffer = 0;
    qsizetype pos = 0;
    while (pixel < gebraucht) {
        while (imPuffer < bits && pos < lzw.size()) {
            puffer |= quint32(static_cast<std::uint8_t>(lzw.at(pos++))) << imPuffer;
            imPuffer += 8;
        }
        if (imPuffer < bits)
            break; // the data ran out
        const int code = static_cast<int>(puffer & ((1u << bits) - 1));
        puffer >>= bits;
        imPuffer -= bits;
        if (code == loeschen) {
            bits = mindestBits + 1;
            naechster = ende + 1;
            vorher = -1;
            continue;
        }
        if (code == ende)
            break;
        auto laengeVon = [&](int c) { return c < loeschen ? 1 : int(laenge.at(size_t(c))); };
        if (vorher < 0) {
            if (code >= loeschen)
                return -1;
            pixel += 1;
            vorher = code;
            continue;
        }
        int neu = 0;
        if (code < naechster)
            neu = laengeVon(code);
        else if (code == naechster)
            neu = laengeVon(vorher) + 1;
        else
            return -1;
        if (naechster < 4096) {
            laenge.at(size_t(naechster)) =
                static_cast<std::uint16_t>(std::min(laengeVon(vorher) + 1, 65535));
            ++naechster;
            if (naechster == (1 << bits) && bits < 12)
                ++bits;
        }
        pixel += neu;
        vorher = code;
    }
    return pixel;
}

} // namespace

QString Maengel(const QByteArray& daten)
{
    Leser l(daten);
    if (!l.Vorhanden(13))
        return Unvollstaendig;
    const QByteArray kopf = daten.left(6);
    if (kopf != "GIF87a" && kopf != "GIF89a")
        return QStringLiteral("Die Datei ist kein GIF-Bild.");
    l.Ueberspringen(6 + 4);
    const int packed = l.Byte();
    l.Ueberspringen(2);
    if (packed & 0x80) {
        const qsizetype tabelle = 3 * (qsizetype(1) << ((packed & 7) + 1));
        if (!l.Vorhanden(tabelle))
            return Unvollstaendig;
        l.Ueberspringen(tabelle);
    }

    int bilder = 0;
    for (;;) {
        if (l.Ende()) // a missing trailer after whole pictures loses nothing
            return bilder > 0 ? QString() : Unvollstaendig;
        const int art = l.Byte();
        if (art == 0x3B)
            return bilder > 0 ? QString() : Unvollstaendig;
        if (art == 0x21) {
            if (!l.Vorhanden(1))
                return Unvollstaendig;
            l.Ueberspringen(1); // the extension's label
            if (!l.Teilbloecke(nullptr))
                return Unvollstaendig;
            continue;
        }
        if (art != 0x2C)
            return Fehlerhaft;
        if (!l.Vorhanden(9))
            return Unvollstaendig;
        l.Ueberspringen(4);
        const qint64 breite = l.Wort();
        const qint64 hoehe = l.Wort();
        const int bildPacked = l.Byte();
        if (bildPacked & 0x80) {
            const qsizetype tabelle = 3 * (qsizetype(1) << ((bildPacked & 7) + 1));
            if (!l.Vorhanden(tabelle))
                return Unvollstaendig;
            l.Ueberspringen(tabelle);
        }
        if (!l.Vorhanden(1))
            return Unvollstaendig;
        const int mindestBits = l.Byte();
        if (mindestBits < 1 || mindestBits > 11)
            return Fehlerhaft;
        QByteArray lzw;
        const bool ganz = l.Teilbloecke(&lzw);
        const qint64 pixel = Pixel(lzw, mindestBits, breite * hoehe);
        if (pixel < 0)
            return Fehlerhaft;
        if (pixel < breite * hoehe)
            return Unvollstaendig;
        if (!ganz) // cut after the last pixel: the picture is whole
            return {};
        ++bilder;
    }
}

} // namespace GifPruefung
