#include "befehle.h"

#include "planausgabe.h"

#include "kalenderexport/icsdatei.h"
#include "kalenderexport/planexport.h"
#include "model/feiertage.h"
#include "model/plan.h"
#include "model/plandatei.h"
#include "model/tageszahl.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <cstdio>

namespace {

void Schreiben(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

bool Ganzzahl(const QString& text, int* zahl)
{
    bool ok = false;
    *zahl = text.toInt(&ok);
    return ok;
}

struct Melder final : PlanMelder
{
    QString text;
    void KeineAbfolge(const QString& t) override { text = t; }
};

} // namespace

void Fehlerzeilen(const QString& text)
{
    for (const QString& zeile : text.split(QLatin1Char('\n')))
        std::fprintf(stderr, "%s\n", Sichtbar(zeile).toUtf8().constData());
}

void Fehlermeldung(const char* meldung, const QString& grund)
{
    std::fprintf(stderr, "%s\n", meldung);
    Fehlerzeilen(grund);
}

bool Laden(const QString& pfad, Plan& plan)
{
    Ladebericht bericht;
    if (PlanLaden(pfad, plan.Aufgaben(), plan.situation(), &bericht, &plan.Abgleich())) {
        if (!bericht.hinweis.isEmpty())
            Fehlerzeilen(bericht.hinweis);
        return true;
    }
    Fehlermeldung(LadefehlerText.toUtf8().constData(), bericht.grund);
    return false;
}

Argumente::Argumente(QStringList args)
{
    const qsizetype ende = args.indexOf(QStringLiteral("--"));
    if (ende >= 0) {
        m_positionen = args.mid(ende + 1);
        args.resize(ende);
    }
    m_args = std::move(args);
}

bool Argumente::Schalter(const QString& name)
{
    return m_args.removeOne(QStringLiteral("--") + name);
}

bool Argumente::Wert(const QString& name, QString* wert)
{
    const qsizetype i = m_args.indexOf(QStringLiteral("--") + name);
    if (i < 0)
        return false;
    if (i + 1 >= m_args.size()) {
        m_fehler = QStringLiteral("Der Option --%1 fehlt ihr Wert.").arg(name);
        m_args.removeAt(i);
        return false;
    }
    *wert = m_args.at(i + 1);
    m_args.remove(i, 2);
    return true;
}

QString Argumente::Position()
{
    for (qsizetype i = 0; i < m_args.size(); ++i) {
        if (!m_args.at(i).startsWith(QStringLiteral("--")))
            return m_args.takeAt(i);
    }
    return m_positionen.isEmpty() ? QString() : m_positionen.takeFirst();
}

QString Argumente::Uebrig() const
{
    if (!m_args.isEmpty())
        return m_args.front();
    return m_positionen.isEmpty() ? QString() : m_positionen.front();
}

int Bedienung(const QString& meldung)
{
    std::fprintf(stderr, "%s\n", Sichtbar(meldung).toUtf8().constData());
    return Bedienfehler;
}

int BefehlNeu(Argumente& args)
{
    QString von, nach, einzug, auszug;
    const bool vollstaendig =
        args.Wert(QStringLiteral("von"), &von) & args.Wert(QStringLiteral("nach"), &nach) &
        args.Wert(QStringLiteral("einzug"), &einzug) & args.Wert(QStringLiteral("auszug"), &auszug);
    if (!args.Fehler().isEmpty())
        return Bedienung(args.Fehler());
    if (!vollstaendig)
        return Bedienung(QStringLiteral(
            "neu braucht --von N --nach N --einzug TT.MM.JJJJ --auszug TT.MM.JJJJ."));

    Plan plan;
    Situation& s = plan.situation();
    if (!Ganzzahl(von, &s.BundeslandA) || !Ganzzahl(nach, &s.BundeslandB))
        return Bedienung(QStringLiteral("--von und --nach erwarten eine Landesnummer (1 bis 17)."));
    double e = 0;
    double a = 0;
    if (!Tageszahl::ausText(einzug, &e))
        return Bedienung(QStringLiteral("„%1“ ist kein gültiges Datum (TT.MM.JJJJ).").arg(einzug));
    if (!Tageszahl::ausText(auszug, &a))
        return Bedienung(QStringLiteral("„%1“ ist kein gültiges Datum (TT.MM.JJJJ).").arg(auszug));
    s.Auszugsrenovierung = args.Schalter(QStringLiteral("auszugsrenovierung"));
    s.Einzugsrenovierung = args.Schalter(QStringLiteral("einzugsrenovierung"));
    s.Spedition = args.Schalter(QStringLiteral("spedition"));
    s.Kinder = args.Schalter(QStringLiteral("kinder"));
    s.Einzugdatum = Tageszahl::Text(e);
    s.Auszugdatum = Tageszahl::Text(a);
    const bool json = args.Schalter(QStringLiteral("json"));
    QString speichern;
    const bool mitDatei = args.Wert(QStringLiteral("speichern"), &speichern);
    if (!args.Fehler().isEmpty())
        return Bedienung(args.Fehler());
    if (!args.Uebrig().isEmpty())
        return Bedienung(QStringLiteral("Unbekannte Angabe: %1").arg(args.Uebrig()));

    Melder melder;
    plan.AbfolgeSuchen(e, a, &melder);

    PlanAusgabe ausgabe;
    ausgabe.Stichtag = plan.Stichtag();
    ausgabe.keineAbfolge = plan.keineAbfolge();
    ausgabe.keineAbfolgeText = melder.text;
    ausgabe.situation = plan.situation();
    ausgabe.spanne = SpanneBerechnen(plan.Aufgaben(), Tageszahl::heute());
    ausgabe.konflikte = plan.ReihenfolgePruefen(-1, 0, 0);
    if (mitDatei) {
        QString fehler;
        if (!PlanSchreiben(speichern, plan.Aufgaben(), plan.situation(), ausgabe.spanne.ersterTag,
                           ausgabe.spanne.tage, &fehler)) {
            Fehlermeldung("Beim Speichern ist ein Fehler aufgetreten.", fehler);
            return Schreibfehler;
        }
    }
    ausgabe.aufgaben = std::move(plan.Aufgaben());
    Schreiben(json ? AlsJson(ausgabe) : AlsText(ausgabe));
    return Erfolg;
}

int BefehlZeigen(Argumente& args)
{
    const bool json = args.Schalter(QStringLiteral("json"));
    const QString pfad = args.Position();
    if (pfad.isEmpty())
        return Bedienung(QStringLiteral("zeigen braucht eine Plandatei."));
    if (!args.Uebrig().isEmpty())
        return Bedienung(QStringLiteral("Unbekannte Angabe: %1").arg(args.Uebrig()));
    Plan plan;
    if (!Laden(pfad, plan))
        return Ladefehler;

    PlanAusgabe ausgabe;
    ausgabe.situation = plan.situation();
    ausgabe.spanne = SpanneBerechnen(plan.Aufgaben(), Tageszahl::heute());
    ausgabe.konflikte = plan.ReihenfolgePruefen(-1, 0, 0);
    ausgabe.aufgaben = std::move(plan.Aufgaben());
    Schreiben(json ? AlsJson(ausgabe) : AlsText(ausgabe));
    return Erfolg;
}

int BefehlIcs(Argumente& args)
{
    QString ziel;
    const bool mitZiel = args.Wert(QStringLiteral("ausgabe"), &ziel);
    QString erinnerung;
    const bool mitErinnerung = args.Wert(QStringLiteral("erinnerung"), &erinnerung);
    const QString pfad = args.Position();
    if (!args.Fehler().isEmpty())
        return Bedienung(args.Fehler());
    if (pfad.isEmpty() || !mitZiel)
        return Bedienung(QStringLiteral("ics braucht eine Plandatei und --ausgabe TERMINE.ics."));
    const QStringList erinnerungen{QStringLiteral("keine"), QStringLiteral("vortag"),
                                   QStringLiteral("stunde")};
    if (mitErinnerung && !erinnerungen.contains(erinnerung))
        return Bedienung(QStringLiteral("--erinnerung erwartet keine, vortag oder stunde."));
    if (!args.Uebrig().isEmpty())
        return Bedienung(QStringLiteral("Unbekannte Angabe: %1").arg(args.Uebrig()));
    Plan plan;
    if (!Laden(pfad, plan))
        return Ladefehler;
    // A plan with an ID keeps its appointments' UIDs; the revisions are kept like the
    // program's, in the tool's data folder.
    const Exportweise weise{plan.situation().PlanID,
                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                            ErinnerungAusWert(static_cast<int>(erinnerungen.indexOf(erinnerung)))};
    if (!weise.planId.isEmpty() && !weise.standOrdner.isEmpty())
        QDir().mkpath(weise.standOrdner);
    QString fehler;
    if (!PlanTermineSchreiben(plan.Aufgaben(), ziel, weise, &fehler)) {
        Fehlermeldung("Beim Schreiben der Termine ist ein Fehler aufgetreten.", fehler);
        return Schreibfehler;
    }
    return Erfolg;
}

int BefehlFeiertage(Argumente& args)
{
    const bool json = args.Schalter(QStringLiteral("json"));
    int jahr = 0;
    int land = 0;
    if (!Ganzzahl(args.Position(), &jahr) || !Ganzzahl(args.Position(), &land) || jahr < 1 ||
        jahr > 9999)
        return Bedienung(
            QStringLiteral("feiertage braucht ein Jahr (1 bis 9999) und eine Landesnummer."));
    if (!args.Uebrig().isEmpty())
        return Bedienung(QStringLiteral("Unbekannte Angabe: %1").arg(args.Uebrig()));

    const auto liste = FeiertageDesJahres(jahr, land);
    if (json) {
        QJsonArray feld;
        for (const Feiertag& f : liste)
            feld.append(QJsonObject{
                {QStringLiteral("Datum"), Tageszahl::Text(Tageszahl::ausDatum(f.Datum))},
                {QStringLiteral("Name"), f.Name}});
        Schreiben(QJsonDocument(feld).toJson(QJsonDocument::Indented));
    } else {
        QString text;
        for (const Feiertag& f : liste)
            text += Tageszahl::Text(Tageszahl::ausDatum(f.Datum)) + QLatin1Char('\t') + f.Name +
                    QLatin1Char('\n');
        Schreiben(text.toUtf8());
    }
    return Erfolg;
}

int BefehlUmplanen(Argumente& args)
{
    QString einzug, auszug, von, nach, speichern;
    // Every option is taken out, so that a missing one does not leave the other as unknown.
    const bool mitEinzug = args.Wert(QStringLiteral("einzug"), &einzug);
    const bool mitAuszug = args.Wert(QStringLiteral("auszug"), &auszug);
    const bool vollstaendig = mitEinzug && mitAuszug;
    const bool mitVon = args.Wert(QStringLiteral("von"), &von);
    const bool mitNach = args.Wert(QStringLiteral("nach"), &nach);
    const bool mitDatei = args.Wert(QStringLiteral("speichern"), &speichern);
    const bool json = args.Schalter(QStringLiteral("json"));
    const bool eigeneBleiben = args.Schalter(QStringLiteral("eigene-bleiben"));
    // The situation's switches as for neu; when none is given, the plan's stay.
    const bool auszugsrenovierung = args.Schalter(QStringLiteral("auszugsrenovierung"));
    const bool einzugsrenovierung = args.Schalter(QStringLiteral("einzugsrenovierung"));
    const bool spedition = args.Schalter(QStringLiteral("spedition"));
    const bool kinder = args.Schalter(QStringLiteral("kinder"));
    const bool mitSchaltern = auszugsrenovierung || einzugsrenovierung || spedition || kinder;
    const QString pfad = args.Position();
    if (!args.Fehler().isEmpty())
        return Bedienung(args.Fehler());
    if (!vollstaendig || pfad.isEmpty())
        return Bedienung(QStringLiteral("umplanen braucht eine Plandatei, --einzug TT.MM.JJJJ und "
                                        "--auszug TT.MM.JJJJ."));
    if (!args.Uebrig().isEmpty())
        return Bedienung(QStringLiteral("Unbekannte Angabe: %1").arg(args.Uebrig()));
    double e = 0;
    double a = 0;
    if (!Tageszahl::ausText(einzug, &e))
        return Bedienung(QStringLiteral("„%1“ ist kein gültiges Datum (TT.MM.JJJJ).").arg(einzug));
    if (!Tageszahl::ausText(auszug, &a))
        return Bedienung(QStringLiteral("„%1“ ist kein gültiges Datum (TT.MM.JJJJ).").arg(auszug));

    Plan plan;
    if (!Laden(pfad, plan))
        return Ladefehler;
    Situation neu = plan.situation();
    if ((mitVon && !Ganzzahl(von, &neu.BundeslandA)) ||
        (mitNach && !Ganzzahl(nach, &neu.BundeslandB)))
        return Bedienung(QStringLiteral("--von und --nach erwarten eine Landesnummer (1 bis 17)."));
    neu.Einzugdatum = Tageszahl::Text(e);
    neu.Auszugdatum = Tageszahl::Text(a);
    if (mitSchaltern) {
        neu.Auszugsrenovierung = auszugsrenovierung;
        neu.Einzugsrenovierung = einzugsrenovierung;
        neu.Spedition = spedition;
        neu.Kinder = kinder;
    }

    // Without anyone to ask, the user's own tasks move with the moving day (unless
    // --eigene-bleiben), and catalogue tasks the new situation no longer holds are named when
    // they had a note or were done.
    Umplanung umplanung = plan.Umplanen(neu, e, a, !eigeneBleiben);
    QStringList verloren;
    for (const taufgabe& t : umplanung.WegfallendeMitInhalt())
        verloren.append(QStringLiteral("%1 „%2“").arg(t.Nummer).arg(t.Kurzbezeichnung));
    plan.UmplanungUebernehmen(std::move(umplanung));
    plan.PlanIdSicherstellen(); // written like the program's save

    PlanAusgabe ausgabe;
    ausgabe.Stichtag = plan.Stichtag();
    ausgabe.keineAbfolge = plan.keineAbfolge();
    ausgabe.keineAbfolgeText = plan.keineAbfolge() ? Plan::KeineAbfolgeText : QString();
    ausgabe.situation = plan.situation();
    ausgabe.spanne = SpanneBerechnen(plan.Aufgaben(), Tageszahl::heute());
    ausgabe.konflikte = plan.ReihenfolgePruefen(-1, 0, 0);
    QString fehler;
    if (!PlanSchreiben(mitDatei ? speichern : pfad, plan.Aufgaben(), plan.situation(),
                       ausgabe.spanne.ersterTag, ausgabe.spanne.tage, &fehler, nullptr,
                       &plan.Abgleich())) {
        Fehlermeldung("Beim Speichern ist ein Fehler aufgetreten.", fehler);
        return Schreibfehler;
    }
    if (!verloren.isEmpty())
        Fehlerzeilen(QStringLiteral("Nicht mehr im Plan (mit Notiz oder erledigt): %1")
                         .arg(verloren.join(QStringLiteral(", "))));
    ausgabe.aufgaben = std::move(plan.Aufgaben());
    Schreiben(json ? AlsJson(ausgabe) : AlsText(ausgabe));
    return Erfolg;
}
