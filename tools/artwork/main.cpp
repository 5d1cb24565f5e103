// kl_artwork <folder>
// Draws the program's artwork into <folder> (resources/artwork): every picture also at twice
// the size ("@2x"), and the program's icon for the desktop below icons/. The same build gives the
// same bytes on every run. The drawings kept as SVG (resources/artwork/svg, the program's icon) are
// built in; the rest is drawn here.

#include "erzeugen.h"
#include "zeichnen.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

bool Schreiben(const QString& pfad, const QImage& bild)
{
    QSaveFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly) || !bild.save(&datei, "PNG") || !datei.commit()) {
        std::fprintf(stderr, "Kann %s nicht schreiben: %s\n", qPrintable(pfad),
                     qPrintable(datei.errorString()));
        return false;
    }
    return true;
}

// The name of the program's desktop entry and icon.
constexpr const char* Programmkennung = "de.quellmark.Kistenlotse";

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList argumente = QCoreApplication::arguments();
    if (argumente.size() != 2) {
        std::fprintf(stderr, "Aufruf: kl_artwork <Ordner>\n");
        return 2;
    }
    const QString ordner = QFileInfo(argumente.at(1)).absoluteFilePath();
    if (!QDir().mkpath(ordner)) {
        std::fprintf(stderr, "Kann den Ordner %s nicht anlegen\n", qPrintable(ordner));
        return 1;
    }

    std::vector<Ausgabe> ausgaben = Bilder();
    for (Ausgabe& k : Knopfstreifen())
        ausgaben.push_back(std::move(k));
    // The same pictures at twice the size, "name@2x.png", for screens of twice the density.
    MassstabSetzen(2);
    std::vector<Ausgabe> doppelt = Bilder();
    for (Ausgabe& k : Knopfstreifen())
        doppelt.push_back(std::move(k));
    MassstabSetzen(1);
    for (Ausgabe& a : doppelt) {
        a.datei.insert(a.datei.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
        ausgaben.push_back(std::move(a));
    }
    for (Ausgabe& a : Programmsymbole(QString::fromLatin1(Programmkennung)))
        ausgaben.push_back(std::move(a));

    for (const Ausgabe& a : ausgaben) {
        const QString pfad = ordner + QLatin1Char('/') + a.datei;
        if (!QDir().mkpath(QFileInfo(pfad).absolutePath()) || !Schreiben(pfad, a.bild))
            return 1;
    }
    std::printf("%zu Bilder in %s geschrieben\n", ausgaben.size(), qPrintable(ordner));
    return 0;
}
