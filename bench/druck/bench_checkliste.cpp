// The checklist of a 500-task plan into a PDF file in memory (budget: 1 s), next to two
// references printed the same way in the same run: as many empty pages, and the calendar
// printout of the same plan.

#include "bench/support/verhaeltnis.h"
#include "model/kalender.h"
#include "model/tageszahl.h"
#include "print/checkliste.h"
#include "print/kalenderdruck.h"

#include <QApplication>
#include <QBuffer>
#include <QDate>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

constexpr int Aufloesung = 300;

// `anzahl` tasks over a year, each after the one before it, every tenth done.
Aufgabenliste GrosserPlan(int anzahl)
{
    Aufgabenliste aufgaben;
    const double anfang = Tageszahl::ausDatum(QDate(2027, 1, 4));
    for (int i = 0; i < anzahl; ++i) {
        taufgabe a;
        a.Nummer = 10001 + i;
        a.Kurzbezeichnung =
            QStringLiteral("Eigene Aufgabe Nummer %1 mit etwas längerem Titel").arg(i);
        const int tag = i * 364 / anzahl;
        a.Tag = anfang + tag;
        a.Start = 1 + i % 47;
        a.Dauer = 1;
        a.Benutzeraufgabe = true;
        a.Erledigt = i % 10 == 0;
        if (i > 0)
            a.vorher = {10000 + i};
        aufgaben.push_back(std::move(a));
    }
    return aufgaben;
}

const Situation Umzug{.Einzugdatum = QStringLiteral("01.06.2027"),
                      .Auszugdatum = QStringLiteral("15.06.2027")};

// A PDF document in memory of `seiten` pages in `lage`, page `n` drawn by `zeichnen`; its size.
qint64 PdfSchreiben(QPageLayout::Orientation lage, int seiten,
                    const std::function<void(QPainter&, QSize, int)>& zeichnen)
{
    QByteArray inhalt;
    QBuffer puffer(&inhalt);
    puffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&puffer);
    pdf.setResolution(Aufloesung);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), lage, QMarginsF()));
    QPainter p(&pdf);
    for (int n = 0; n < seiten; ++n) {
        if (n > 0)
            pdf.newPage();
        zeichnen(p, QSize(pdf.width(), pdf.height()), n);
    }
    p.end();
    return inhalt.size();
}

QSize Hochformat()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF())
        .paintRectPixels(Aufloesung)
        .size();
}

void BM_Checkliste(benchmark::State& state)
{
    const Aufgabenliste aufgaben = GrosserPlan(static_cast<int>(state.range(0)));
    int seiten = 0;
    for (auto _ : state) {
        const auto bild = Checkliste::Setzen(aufgaben, Umzug, Aufloesung, Hochformat());
        seiten = static_cast<int>(bild.seiten.size());
        benchmark::DoNotOptimize(
            PdfSchreiben(QPageLayout::Portrait, seiten, [&](QPainter& p, QSize, int n) {
                Checkliste::SeiteZeichnen(p, bild, n);
            }));
    }
    state.counters["Seiten"] = seiten;
}
BENCHMARK(BM_Checkliste)->Arg(44)->Arg(500)->Unit(benchmark::kMillisecond);

// Reference: as many empty pages as the checklist of 500 tasks has.
void BM_LeereSeiten(benchmark::State& state)
{
    const int seiten = static_cast<int>(
        Checkliste::Setzen(GrosserPlan(500), Umzug, Aufloesung, Hochformat()).seiten.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(
            PdfSchreiben(QPageLayout::Portrait, seiten, [](QPainter&, QSize, int) {}));
    state.counters["Seiten"] = seiten;
}
BENCHMARK(BM_LeereSeiten)->Unit(benchmark::kMillisecond);

// Reference: the calendar printout of the same 500 tasks, its pages of weeks with tasks.
void BM_Kalenderdruck(benchmark::State& state)
{
    const Aufgabenliste aufgaben = GrosserPlan(500);
    const Kalenderspanne spanne = SpanneBerechnen(aufgaben, aufgaben.front().Tag);
    std::vector<TagDaten> zellen;
    zellen.reserve(static_cast<size_t>(spanne.tage));
    for (int i = 0; i < spanne.tage; ++i)
        zellen.emplace_back(spanne.ersterTag + i);
    std::vector<TagDaten*> zeiger;
    std::vector<const TagDaten*> tage;
    zeiger.reserve(zellen.size());
    tage.reserve(zellen.size());
    for (TagDaten& t : zellen) {
        zeiger.push_back(&t);
        tage.push_back(&t);
    }
    AufgabenVerteilen(aufgaben, zeiger);
    const std::vector<int> anfaenge = Kalenderdruck::Seitenanfaenge(tage);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            PdfSchreiben(QPageLayout::Landscape, static_cast<int>(anfaenge.size()),
                         [&](QPainter& p, QSize seite, int n) {
                             Kalenderdruck::SeiteZeichnen(p, Kalenderdruck::Mass(Aufloesung, seite),
                                                          tage, anfaenge[static_cast<size_t>(n)]);
                         }));
    state.counters["Seiten"] = static_cast<double>(anfaenge.size());
}
BENCHMARK(BM_Kalenderdruck)->Unit(benchmark::kMillisecond);

const bool leer = Verhaeltnis::Referenz("BM_Checkliste/500", "BM_LeereSeiten");
const bool kalender = Verhaeltnis::Referenz("BM_Checkliste/500", "BM_Kalenderdruck");

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return Verhaeltnis::Ausfuehren(argc, argv);
}
