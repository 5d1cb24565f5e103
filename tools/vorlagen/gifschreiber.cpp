#include "tools/vorlagen/gifschreiber.h"

#include <QSaveFile>

#include <gif_lib.h>

#include <memory>
#include <vector>

// The GIF format itself (header, colour table, LZW) is giflib's; this file checks the picture,
// hands it over and keeps the result in memory, so that a file is only written once all is well.

namespace {

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

int anhaengen(GifFileType* gif, const GifByteType* daten, int laenge)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(daten), laenge);
    return laenge;
}

struct Schliessen
{
    void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};
struct Freigeben
{
    void operator()(ColorMapObject* palette) const { GifFreeMapObject(palette); }
};

} // namespace

namespace Gif {

QByteArray kodieren(const QImage& bild, int transparent, QString* fehler)
{
    if (!pruefen(bild, transparent, fehler))
        return {};

    // giflib wants a colour table of a power of two entries; the rest is black.
    int tabellenBits = 1;
    while ((1 << tabellenBits) < bild.colorCount())
        ++tabellenBits;
    const QList<QRgb> farben = bild.colorTable();
    std::vector<GifColorType> tabelle(std::size_t(1) << tabellenBits, GifColorType{0, 0, 0});
    for (int i = 0; i < farben.size(); ++i)
        tabelle[std::size_t(i)] = {GifByteType(qRed(farben[i])), GifByteType(qGreen(farben[i])),
                                   GifByteType(qBlue(farben[i]))};
    const std::unique_ptr<ColorMapObject, Freigeben> palette(
        GifMakeMapObject(int(tabelle.size()), tabelle.data()));

    QByteArray ergebnis;
    int code = 0;
    std::unique_ptr<GifFileType, Schliessen> gif(EGifOpen(&ergebnis, anhaengen, &code));
    auto scheitern = [&](int giflibCode) {
        if (fehler)
            *fehler = QStringLiteral("GIF-Kodierung gescheitert (giflib): %1")
                          .arg(QString::fromLatin1(GifErrorString(giflibCode)));
        return QByteArray();
    };
    if (!gif || !palette)
        return scheitern(gif ? E_GIF_ERR_NOT_ENOUGH_MEM : code);
    EGifSetGifVersion(gif.get(), true);
    if (EGifPutScreenDesc(gif.get(), bild.width(), bild.height(), 8, 0, palette.get()) == GIF_ERROR)
        return scheitern(gif->Error);
    if (transparent >= 0) {
        GraphicsControlBlock steuerung{DISPOSAL_UNSPECIFIED, false, 0, transparent};
        GifByteType block[4];
        const auto laenge = EGifGCBToExtension(&steuerung, block);
        if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, int(laenge), block) == GIF_ERROR)
            return scheitern(gif->Error);
    }
    if (EGifPutImageDesc(gif.get(), 0, 0, bild.width(), bild.height(), false, nullptr) == GIF_ERROR)
        return scheitern(gif->Error);
    std::vector<GifPixelType> zeile(std::size_t(bild.width()));
    for (int y = 0; y < bild.height(); ++y) {
        const uchar* quelle = bild.constScanLine(y);
        zeile.assign(quelle, quelle + bild.width());
        if (EGifPutLine(gif.get(), zeile.data(), bild.width()) == GIF_ERROR)
            return scheitern(gif->Error);
    }
    if (EGifCloseFile(gif.release(), &code) == GIF_ERROR)
        return scheitern(code);
    return ergebnis;
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
