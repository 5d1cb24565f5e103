// The wrap of a title and its notes into a day cell's band on arbitrary text, width and line
// count. Run with a time limit per input: the work of a band is bounded by its width, not by
// the length of the title. Besides the sanitizers, these properties are checked:
// - no more lines than asked for; the title gives one or two, each note line one with '*';
// - every line fits the width, or is "..." when not even that fits;
// - a title split happens at a blank or comma, the first part is the title's start, the
//   second keeps at most 255 characters.
#include "fuzzhilfe.h"
#include "widgets/zellentext.h"

#include <QFont>
#include <QFontMetrics>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>

namespace {

QString Text(FuzzedDataProvider& daten, size_t hoechstens)
{
    const std::string bytes = daten.ConsumeRandomLengthString(hoechstens);
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool Passt(const QString& zeile, int breite, const QFontMetrics& fm)
{
    return zeile == QStringLiteral("...") || fm.horizontalAdvance(zeile) <= breite;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    GuiAnlegen();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t groesse)
{
    static const QFont normal = [] {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(11);
        return f;
    }();
    static const QFont kursiv = [] {
        QFont f = normal;
        f.setItalic(true);
        return f;
    }();
    static const QFontMetrics titelFm(normal);
    static const QFontMetrics notizFm(kursiv);

    FuzzedDataProvider daten(bytes, groesse);
    const int breite = daten.ConsumeIntegralInRange<int>(-8, 600);
    const int hoechstens = daten.ConsumeIntegralInRange<int>(0, 6);
    QStringList notiz;
    const int notizen = daten.ConsumeIntegralInRange<int>(0, 3);
    for (int i = 0; i < notizen; ++i)
        notiz << Text(daten, 200);
    const QString titel = Text(daten, groesse);

    QString erster;
    QString zweiter;
    const bool geteilt = TitelTeilen(titel, breite, titelFm, &erster, &zweiter);
    if (geteilt) {
        pruefen(erster.size() <= titel.size() - 2 && titel.startsWith(erster),
                "erster Teil ist nicht der Anfang des Titels");
        const QChar trenner = titel.at(erster.size());
        pruefen(trenner == u' ' || trenner == u',', "Teilung nicht an Leerzeichen oder Komma");
        pruefen(zweiter.size() <= 255, "zweiter Teil länger als 255 Zeichen");
        pruefen(titelFm.horizontalAdvance(erster) <= breite, "erster Teil zu breit");
    }

    const QStringList zeilen = ZellenText(titel, notiz, breite, titelFm, notizFm, hoechstens);
    const qsizetype titelZeilen = hoechstens <= 0 ? 0 : geteilt ? std::min(hoechstens, 2) : 1;
    const qsizetype notizZeilen =
        std::min<qsizetype>(notiz.size(), std::max<qsizetype>(hoechstens - titelZeilen, 0));
    pruefen(zeilen.size() == titelZeilen + notizZeilen, "Zeilenzahl falsch");
    for (qsizetype i = 0; i < zeilen.size(); ++i) {
        const QString& z = zeilen.at(i);
        if (i < titelZeilen) {
            pruefen(Passt(z, breite, titelFm), "Titelzeile zu breit");
        } else {
            pruefen(z.startsWith(u'*'), "Notizzeile ohne Stern");
            pruefen(Passt(z.mid(1), breite, notizFm), "Notizzeile zu breit");
        }
    }
    return 0;
}
