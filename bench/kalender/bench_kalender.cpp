#include "app/kalenderform.h"
#include "bench/support/verhaeltnis.h"
#include "model/tageszahl.h"
#include "tests/support/testdaten.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollArea>

#include <benchmark/benchmark.h>

namespace {

// A window with a plan of `anzahl` tasks spread over a year (52 weeks of cells).
std::unique_ptr<TKalenderForm> Fenster(int anzahl)
{
    auto f = std::make_unique<TKalenderForm>();
    f->resize(1280, 900);
    f->show();
    Aufgabenliste& a = f->plan().Aufgaben();
    if (anzahl <= 44) {
        f->KalenderErstellen({.BundeslandA = 3,
                              .BundeslandB = 3,
                              .Einzugdatum = QStringLiteral("01.06.2027"),
                              .Auszugdatum = QStringLiteral("15.06.2027")},
                             true);
    }
    for (int i = 0; static_cast<int>(a.size()) < anzahl; ++i) {
        taufgabe t;
        t.Nummer = 10001 + i;
        t.Kurzbezeichnung = QStringLiteral("Eigene Aufgabe Nummer %1").arg(i);
        t.Notiz = {QStringLiteral("eine Notiz")};
        t.Tag = T(2027, 1, 4) + i % 364;
        t.Start = 1 + i % 47;
        t.Dauer = 1;
        t.Benutzeraufgabe = true;
        a.push_back(std::move(t));
    }
    f->KalenderNeuAufbauen();
    return f;
}

void Zeichnen(TKalenderForm& f, QImage& bild)
{
    QWidget* sicht = f.Kalenderflaeche()->viewport();
    sicht->render(&bild);
}

void BM_KalenderErstellen364(benchmark::State& state)
{
    auto f = Fenster(1000);
    for (auto _ : state) {
        f->KalenderNeuAufbauen();
        QCoreApplication::processEvents();
    }
    state.counters["Zellen"] = f->AnzahlTage();
}
BENCHMARK(BM_KalenderErstellen364)->Unit(benchmark::kMillisecond);

void BM_KalenderAktualisieren(benchmark::State& state)
{
    auto f = Fenster(static_cast<int>(state.range(0)));
    QImage bild(f->Kalenderflaeche()->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        f->KalenderAktualisieren();
        Zeichnen(*f, bild);
    }
    state.counters["Aufgaben"] = static_cast<double>(f->plan().Aufgaben().size());
}
BENCHMARK(BM_KalenderAktualisieren)->Arg(44)->Arg(10000)->Unit(benchmark::kMillisecond);

// Reference: the same 52 weeks of cells without tasks.
void BM_KalenderOhneAufgaben(benchmark::State& state)
{
    auto f = Fenster(10000);
    f->plan().Aufgaben().clear();
    f->KalenderAktualisieren();
    QImage bild(f->Kalenderflaeche()->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        f->KalenderAktualisieren();
        Zeichnen(*f, bild);
    }
    state.counters["Zellen"] = f->AnzahlTage();
}
BENCHMARK(BM_KalenderOhneAufgaben)->Unit(benchmark::kMillisecond);
const bool aktualisieren =
    Verhaeltnis::Referenz("BM_KalenderAktualisieren/10000", "BM_KalenderOhneAufgaben");

// The distribution alone, without painting.
void BM_AufgabenVerteilen(benchmark::State& state)
{
    auto f = Fenster(static_cast<int>(state.range(0)));
    for (auto _ : state)
        f->KalenderAktualisieren();
}
BENCHMARK(BM_AufgabenVerteilen)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return Verhaeltnis::Ausfuehren(argc, argv);
}
