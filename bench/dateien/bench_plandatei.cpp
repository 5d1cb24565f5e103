#include "model/bigini.h"
#include "model/cp1252.h"
#include "model/dateizugriff.h"
#include "model/katalog.h"
#include "model/plan.h"
#include "model/plandatei.h"
#include "model/planschreiber.h"
#include "model/tageszahl.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A plan of `anzahl` tasks: the catalogue over and over, with notes and renumbered, dated
// over a year.
Aufgabenliste grosserPlan(int anzahl)
{
    const Aufgabenliste katalog = KatalogAufgaben(Aufgabenkatalog());
    Aufgabenliste plan;
    plan.reserve(static_cast<size_t>(anzahl));
    const double anfang = Tageszahl::ausDatum(QDate(2001, 3, 1));
    for (int i = 0; i < anzahl; ++i) {
        taufgabe a = katalog[static_cast<size_t>(i) % katalog.size()];
        a.Nummer = 10001 + i;
        a.Notiz = {QStringLiteral("Notiz zur Aufgabe %1").arg(i), QString(),
                   QStringLiteral("Schlüssel bei Frau Müller")};
        a.Tag = anfang + i % 365;
        plan.push_back(std::move(a));
    }
    return plan;
}

Situation situation()
{
    Situation s;
    s.BundeslandA = 3;
    s.BundeslandB = 9;
    s.Einzugdatum = QStringLiteral("15.03.2001");
    s.Auszugdatum = QStringLiteral("31.03.2001");
    return s;
}

// Every figure stands next to a reference of the same run: the path through the full store,
// and the floor (the same bytes read and decoded, or saved atomically and synced).

void PlanSchreibenBench(benchmark::State& state)
{
    const Aufgabenliste plan = grosserPlan(static_cast<int>(state.range(0)));
    const Situation s = situation();
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("gross.kvr"));
    for (auto _ : state) {
        QString fehler;
        if (!PlanSchreiben(pfad, plan, s, 36948, 364, &fehler))
            state.SkipWithError(qPrintable(fehler));
    }
    state.counters["Bytes"] = static_cast<double>(QFileInfo(pfad).size());
}

// Reference: the plan put into a full store, which then writes itself.
void PlanSchreibenUeberSpeicherBench(benchmark::State& state)
{
    const Aufgabenliste plan = grosserPlan(static_cast<int>(state.range(0)));
    const Situation s = situation();
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("gross.kvr"));
    for (auto _ : state) {
        TBigIniFile ini = TBigIniFile::Neu(pfad);
        QString fehler;
        if (!PlanEintragen(ini, plan, s, 36948, 364) || !ini.Speichern(&fehler))
            state.SkipWithError(qPrintable(fehler));
    }
}

// Reference: an atomic, synced save of the same bytes.
void GleicheBytesSpeichernBench(benchmark::State& state)
{
    QByteArray bytes;
    PlanBytes(grosserPlan(static_cast<int>(state.range(0))), situation(), 36948, 364, &bytes);
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("gross.kvr"));
    for (auto _ : state) {
        QString fehler;
        if (!Dateizugriff::Ersetzen(pfad, bytes, &fehler))
            state.SkipWithError(qPrintable(fehler));
    }
}

void PlanLadenBench(benchmark::State& state)
{
    const Aufgabenliste plan = grosserPlan(static_cast<int>(state.range(0)));
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("gross.kvr"));
    PlanSchreiben(pfad, plan, situation(), 36948, 364);
    for (auto _ : state) {
        Aufgabenliste aufgaben;
        Situation s;
        if (!PlanLaden(pfad, aufgaben, s) || aufgaben.size() != plan.size())
            state.SkipWithError("Laden gescheitert");
        benchmark::DoNotOptimize(aufgaben.data());
        // Freeing the plan is not part of reading it.
        state.PauseTiming();
        Aufgabenliste().swap(aufgaben);
        state.ResumeTiming();
    }
    state.counters["Bytes"] = static_cast<double>(QFileInfo(pfad).size());
}

// Reference: a task section read by a search per key, as the store offers it.
void PlanLadenJeSchluesselBench(benchmark::State& state)
{
    const Aufgabenliste plan = grosserPlan(static_cast<int>(state.range(0)));
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("gross.kvr"));
    PlanSchreiben(pfad, plan, situation(), 36948, 364);
    for (auto _ : state) {
        const TBigIniFile ini(pfad);
        Aufgabenliste aufgaben;
        aufgaben.reserve(plan.size());
        for (qsizetype i = 0; i < ini.AnzahlAbschnitte(); ++i) {
            const QString name = ini.AbschnittName(i);
            qint32 nummer = 0;
            if (!IstAufgabenabschnitt(name, &nummer))
                continue;
            taufgabe a;
            a.Nummer = nummer;
            a.Kurzbezeichnung = ini.ReadString(name, u"Kurzbezeichnung", QString());
            a.Beschreibung = TextZuZeilen(ini.ReadString(name, u"Beschreibung", QString()));
            a.Notiz = TextZuZeilen(ini.ReadString(name, u"Notiz", QString()));
            a.Druckvorlage = ini.ReadInteger(name, u"Druckvorlage", 0);
            a.ausserhalbBuerozeit = ini.ReadBool(name, u"ausserhalbBuerozeit", true);
            a.auchSonntags = ini.ReadBool(name, u"auchSonntags", true);
            a.vorher = VorherLesen(ini.ReadString(name, u"vorher", QString()));
            a.beiAuszugsrenovierung = ini.ReadBool(name, u"beiAuszugsrenovierung", true);
            a.beiEinzugsrenovierung = ini.ReadBool(name, u"beiEinzugsrenovierung", true);
            a.mitSpedition = ini.ReadBool(name, u"mitSpedition", true);
            a.ohneSpedition = ini.ReadBool(name, u"ohneSpedition", true);
            a.vorgabeDauer = ini.ReadInteger(name, u"vorgabeDauer", 0);
            Tageszahl::ausText(ini.ReadString(name, u"Tag", QStringLiteral("01.01.1999")), &a.Tag);
            a.Start = ini.ReadInteger(name, u"Start", 0);
            a.Dauer = ini.ReadInteger(name, u"Dauer", 0);
            a.Benutzeraufgabe = ini.ReadBool(name, u"Benutzeraufgabe", false);
            aufgaben.push_back(std::move(a));
        }
        benchmark::DoNotOptimize(aufgaben.data());
        state.PauseTiming();
        Aufgabenliste().swap(aufgaben);
        state.ResumeTiming();
    }
}

// Reference: reading and decoding the same bytes.
void GleicheBytesLesenBench(benchmark::State& state)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("gross.kvr"));
    PlanSchreiben(pfad, grosserPlan(static_cast<int>(state.range(0))), situation(), 36948, 364);
    for (auto _ : state) {
        QByteArray bytes;
        QString fehler;
        Dateizugriff::Lesen(pfad, TBigIniFile::GroessteDatei, &bytes, &fehler);
        benchmark::DoNotOptimize(Cp1252::dekodieren(bytes).size());
    }
}

// The parts without the disk: filling a store and turning it into bytes.
void PlanEintragenBench(benchmark::State& state)
{
    const Aufgabenliste plan = grosserPlan(static_cast<int>(state.range(0)));
    const Situation s = situation();
    for (auto _ : state) {
        TBigIniFile ini = TBigIniFile::ausBytes({});
        PlanEintragen(ini, plan, s, 36948, 364);
        benchmark::DoNotOptimize(ini.AnzahlAbschnitte());
    }
}

void InhaltBench(benchmark::State& state)
{
    TBigIniFile ini = TBigIniFile::ausBytes({});
    PlanEintragen(ini, grosserPlan(static_cast<int>(state.range(0))), situation(), 36948, 364);
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.Inhalt().size());
}

void PlanLesenOhnePlatteBench(benchmark::State& state)
{
    TBigIniFile quelle = TBigIniFile::ausBytes({});
    PlanEintragen(quelle, grosserPlan(static_cast<int>(state.range(0))), situation(), 36948, 364);
    const QByteArray bytes = quelle.Inhalt();
    for (auto _ : state) {
        Aufgabenliste aufgaben;
        Situation s;
        PlanLaden(TBigIniFile::ausBytes(bytes), aufgaben, s);
        benchmark::DoNotOptimize(aufgaben.data());
        state.PauseTiming();
        Aufgabenliste().swap(aufgaben);
        state.ResumeTiming();
    }
}

// The store alone: a hostile file of a million tiny sections.
void MillionAbschnitteBench(benchmark::State& state)
{
    QByteArray datei;
    for (int i = 0; i < 1000000; ++i)
        datei += "[" + QByteArray::number(i) + "]\r\nk=1\r\n";
    for (auto _ : state) {
        const TBigIniFile ini = TBigIniFile::ausBytes(datei);
        benchmark::DoNotOptimize(ini.AnzahlAbschnitte());
    }
}

} // namespace

BENCHMARK(PlanSchreibenBench)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(PlanSchreibenUeberSpeicherBench)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(GleicheBytesSpeichernBench)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(PlanLadenBench)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(PlanLadenJeSchluesselBench)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(GleicheBytesLesenBench)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(PlanEintragenBench)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(InhaltBench)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(PlanLesenOhnePlatteBench)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(MillionAbschnitteBench)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
