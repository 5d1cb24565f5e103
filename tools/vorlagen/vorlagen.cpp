#include "tools/vorlagen/vorlagen.h"

#include "tools/vorlagen/gifschreiber.h"
#include "tools/vorlagen/palette.h"

#include <QDir>
#include <QSaveFile>

namespace Vorlagen {

namespace {

// Line art needs only a ramp of greys; the pictures get as many colours as GIF allows.
constexpr int FarbenStriche = 16;
constexpr int FarbenBilder = 256;

QImage vorschau(const QImage& vorderseite, int faktor)
{
    return vorderseite.convertToFormat(QImage::Format_RGB32)
        .scaled(VorschauGroesse * faktor, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

std::vector<Datei> alleDateien()
{
    struct Vorderseite
    {
        const char* name;
        QImage (*zeichnen)();
    };
    const Vorderseite vorderseiten[] = {
        {"Haeuser", haeuser},
        {"Neue_Anschrift", neueAnschrift},
        {"Solitude", solitude},
        {"umgezogen", umgezogen},
    };

    std::vector<Datei> dateien;
    dateien.push_back(
        {QStringLiteral("rueckseite.gif"), aufPaletteReduzieren(rueckseite(), FarbenStriche)});
    for (const Vorderseite& v : vorderseiten) {
        const QString name = QString::fromLatin1(v.name);
        const QImage bild = aufPaletteReduzieren(v.zeichnen(), FarbenBilder);
        dateien.push_back({name + QStringLiteral("_front.gif"), bild});
        dateien.push_back(
            {QStringLiteral("vorschau/") + name + QStringLiteral(".png"), vorschau(bild, 1)});
        dateien.push_back(
            {QStringLiteral("vorschau/") + name + QStringLiteral("@2x.png"), vorschau(bild, 2)});
    }
    dateien.push_back({QStringLiteral("Uebernahme.gif"),
                       aufPaletteReduzieren(protokoll(Protokoll::Uebernahme), FarbenStriche)});
    dateien.push_back({QStringLiteral("Uebergabe.gif"),
                       aufPaletteReduzieren(protokoll(Protokoll::Uebergabe), FarbenStriche)});
    return dateien;
}

bool schreiben(const QString& ordner, QString* fehler)
{
    const QDir ziel(ordner);
    if (!ziel.mkpath(QStringLiteral("vorschau"))) {
        if (fehler)
            *fehler = QStringLiteral("Der Ordner %1 kann nicht angelegt werden.")
                          .arg(ziel.filePath(QStringLiteral("vorschau")));
        return false;
    }
    for (const Datei& datei : alleDateien()) {
        const QString pfad = ziel.filePath(datei.name);
        if (datei.name.endsWith(QLatin1String(".gif"))) {
            if (!Gif::speichern(datei.bild, pfad, -1, fehler))
                return false;
            continue;
        }
        QSaveFile ausgabe(pfad);
        if (!ausgabe.open(QIODevice::WriteOnly) || !datei.bild.save(&ausgabe, "PNG") ||
            !ausgabe.commit()) {
            if (fehler)
                *fehler = QStringLiteral("%1 kann nicht geschrieben werden: %2")
                              .arg(pfad, ausgabe.errorString());
            return false;
        }
    }
    return true;
}

} // namespace Vorlagen
