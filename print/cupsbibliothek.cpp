#include "print/cupsbibliothek.h"

#include <QLibrary>

#include <optional>

namespace {

struct Geladen
{
    CupsBibliothek aufrufe;
    QString fehler;
};

template <typename Zeiger>
bool Aufloesen(QLibrary& bibliothek, const char* name, Zeiger& ziel, QString& fehler)
{
    ziel = reinterpret_cast<Zeiger>(bibliothek.resolve(name));
    if (!ziel)
        fehler =
            QStringLiteral("In %1 fehlt %2.").arg(bibliothek.fileName(), QString::fromLatin1(name));
    return ziel != nullptr;
}

Geladen Laden()
{
    Geladen ergebnis;
    // Never unloaded: the library stays until the program ends.
    QLibrary bibliothek(QStringLiteral("cups"), 2);
    if (!bibliothek.load()) {
        ergebnis.fehler = QStringLiteral("Die CUPS-Bibliothek lässt sich nicht laden: %1")
                              .arg(bibliothek.errorString());
        return ergebnis;
    }
    CupsBibliothek& a = ergebnis.aufrufe;
    QString& f = ergebnis.fehler;
    const bool vollstaendig = Aufloesen(bibliothek, "cupsGetNamedDest", a.GetNamedDest, f) &&
                              Aufloesen(bibliothek, "cupsFreeDests", a.FreeDests, f) &&
                              Aufloesen(bibliothek, "cupsAddOption", a.AddOption, f) &&
                              Aufloesen(bibliothek, "cupsFreeOptions", a.FreeOptions, f) &&
                              Aufloesen(bibliothek, "cupsPrintFile2", a.PrintFile2, f) &&
                              Aufloesen(bibliothek, "cupsLastErrorString", a.LastErrorString, f) &&
                              Aufloesen(bibliothek, "cupsLastError", a.LastError, f) &&
                              Aufloesen(bibliothek, "cupsGetDests2", a.GetDests2, f);
    if (!vollstaendig)
        a = CupsBibliothek{};
    return ergebnis;
}

} // namespace

const CupsBibliothek* CupsLaden(QString* fehler)
{
    static const Geladen geladen = Laden();
    if (!geladen.aufrufe.PrintFile2) {
        if (fehler)
            *fehler = geladen.fehler;
        return nullptr;
    }
    return &geladen.aufrufe;
}
