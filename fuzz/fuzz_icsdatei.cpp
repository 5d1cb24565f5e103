// The iCalendar writer on arbitrary tasks: any day number, Start and Dauer, any text. Besides
// the sanitizers, these properties are checked:
// - an appointment is taken exactly when its task can be written (Uebertragbar), and the
//   export's refusal names a list exactly when one of its tasks cannot;
// - the document holds no control character but the CR LF line ends and tab, no DEL, no C1
//   control and no time libical failed to write ("00000000T000000");
// - libical reads it back with every appointment, each with its summary as given, control
//   characters left out.
#include "fuzzhilfe.h"
#include "kalenderexport/icsdatei.h"
#include "model/tageszahl.h"

#include <libical/ical.h>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <memory>

namespace {

struct Freigeben
{
    void operator()(icalcomponent* k) const { icalcomponent_free(k); }
};

// Any UTF-16 text, unpaired surrogates and controls included.
QString Text(FuzzedDataProvider& daten, size_t hoechstens)
{
    const std::string bytes = daten.ConsumeRandomLengthString(hoechstens);
    return QString(reinterpret_cast<const QChar*>(bytes.data()),
                   static_cast<qsizetype>(bytes.size() / 2));
}

// Blanks and tabs around a value are lost on reading (libical's parser drops them).
QString OhneEndleerraum(QString text)
{
    const auto leer = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (!text.isEmpty() && leer(text.back()))
        text.chop(1);
    qsizetype vorn = 0;
    while (vorn < text.size() && leer(text.at(vorn)))
        ++vorn;
    return text.mid(vorn);
}

// The summary as a calendar reads it: no controls but tab and line feed, UTF-8 clean.
QString Gelesen(const QString& text)
{
    QString ohne;
    for (const QChar c : text)
        if (c.category() != QChar::Other_Control || c == u'\t' || c == u'\n')
            ohne.append(c);
    return OhneEndleerraum(QString::fromUtf8(ohne.toUtf8()));
}

double Tag(FuzzedDataProvider& daten)
{
    switch (daten.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return daten.ConsumeFloatingPoint<double>();
    case 1: // around the first and the last year a calendar takes
        return Tageszahl::ausDatum(QDate(1, 1, 1)) + daten.ConsumeIntegralInRange(-800, 800);
    case 2:
        return Tageszahl::ausDatum(QDate(3000, 12, 31)) + daten.ConsumeIntegralInRange(-800, 800);
    default:
        return daten.ConsumeIntegralInRange(-700000, 800000) +
               daten.ConsumeIntegralInRange(0, 47) / 48.0;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t groesse)
{
    static const QByteArray zonen[] = {"Europe/Berlin", "America/New_York", "Asia/Kolkata",
                                       "Pacific/Chatham", "UTC"};
    FuzzedDataProvider daten(bytes, groesse);
    TIcsKalender kalender(zonen[daten.ConsumeIntegralInRange<size_t>(0, std::size(zonen) - 1)]);

    Aufgabenliste aufgaben;
    QStringList betreffe;
    const int anzahl = daten.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < anzahl; ++i) {
        taufgabe a;
        a.Tag = Tag(daten);
        a.Start = daten.ConsumeIntegral<qint32>();
        a.Dauer = daten.ConsumeIntegral<qint32>();
        a.Kurzbezeichnung = Text(daten, 300);
        a.Beschreibung << Text(daten, 600);
        a.Notiz << Text(daten, 300);
        aufgaben.push_back(a);

        const Terminzeiten z = TerminZeiten(a);
        bool genommen = true;
        try {
            kalender.TerminHinzufuegen(a.Kurzbezeichnung, TerminText(a), z.Start, z.Ende);
        } catch (const KalenderFehler&) {
            genommen = false;
        }
        pruefen(genommen == Uebertragbar(a),
                "Termin genommen, obwohl nicht schreibbar, oder umgekehrt");
        if (genommen)
            betreffe << Gelesen(a.Kurzbezeichnung);
    }
    bool alle = true;
    for (const taufgabe& a : aufgaben)
        alle = alle && Uebertragbar(a);
    pruefen(NichtUebertragbarMeldung(aufgaben).isEmpty() == alle, "Ablehnung passt nicht");

    const QByteArray text = kalender.Text();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text.at(i));
        if (c == '\r')
            pruefen(i + 1 < text.size() && text.at(i + 1) == '\n', "CR ohne LF");
        else if (c == '\n')
            pruefen(i > 0 && text.at(i - 1) == '\r', "LF ohne CR");
        else
            pruefen((c >= 0x20 || c == '\t') && c != 0x7f, "Steuerzeichen im Kalender");
    }
    pruefen(!text.contains("00000000T"), "Zeit, die libical nicht schreiben konnte");
    const QString dekodiert = QString::fromUtf8(text);
    for (const QChar c : dekodiert)
        pruefen(c.unicode() < 0x80 || c.unicode() > 0x9f, "C1-Steuerzeichen im Kalender");

    const std::unique_ptr<icalcomponent, Freigeben> wurzel(
        icalparser_parse_string(text.constData()));
    pruefen(wurzel && icalcomponent_isa(wurzel.get()) == ICAL_VCALENDAR_COMPONENT,
            "Kalender nicht lesbar");
    QStringList gelesen;
    for (icalcomponent* e = icalcomponent_get_first_component(wurzel.get(), ICAL_VEVENT_COMPONENT);
         e; e = icalcomponent_get_next_component(wurzel.get(), ICAL_VEVENT_COMPONENT)) {
        const char* s = icalcomponent_get_summary(e);
        gelesen << OhneEndleerraum(QString::fromUtf8(s ? s : ""));
    }
    pruefen(gelesen == betreffe, "Termine oder Betreffe anders gelesen");
    return 0;
}
