// The INI store and plan loading on arbitrary bytes. Besides the sanitizers, two properties
// are checked:
// - what the store writes reads back to the same store (writing is idempotent);
// - a loaded plan with distinct task numbers survives writing and loading unchanged, except
//   for the time of day inside Tag.
#include "model/bigini.h"
#include "model/plandatei.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <set>

namespace {

void pruefen(bool bedingung, const char* was)
{
    if (!bedingung) {
        std::fprintf(stderr, "Eigenschaft verletzt: %s\n", was);
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    const QByteArray bytes(reinterpret_cast<const char*>(daten), static_cast<qsizetype>(groesse));
    const TBigIniFile ini = TBigIniFile::ausBytes(bytes);

    const QByteArray einmal = ini.Inhalt();
    const TBigIniFile wieder = TBigIniFile::ausBytes(einmal);
    pruefen(wieder.Inhalt() == einmal, "Inhalt nicht stabil");
    pruefen(!wieder.Geaendert(), "geschriebene Datei hat Duplikate");

    Aufgabenliste aufgaben;
    Situation situation;
    PlanLaden(ini, aufgaben, situation);

    std::set<qint32> nummern;
    for (const taufgabe& a : aufgaben)
        nummern.insert(a.Nummer);
    if (nummern.size() != aufgaben.size())
        return 0; // "[021]" and "[21]" both name task 21: the file keeps one section

    TBigIniFile neu = TBigIniFile::ausBytes({});
    pruefen(PlanEintragen(neu, aufgaben, situation, 36948, 35), "Plan nicht schreibbar");
    Aufgabenliste zurueck;
    Situation situationZurueck;
    PlanLaden(TBigIniFile::ausBytes(neu.Inhalt()), zurueck, situationZurueck);
    pruefen(situationZurueck == situation, "Situation verändert");
    pruefen(zurueck.size() == aufgaben.size(), "Aufgabenzahl verändert");
    for (size_t i = 0; i < aufgaben.size(); ++i) {
        taufgabe erwartet = aufgaben[i];
        erwartet.Tag = std::trunc(erwartet.Tag);
        pruefen(zurueck[i] == erwartet, "Aufgabe verändert");
    }
    return 0;
}
