// kistenlotse-plan abgleichen: one round of calendar sync without anyone to ask.

#include "befehle.h"

#include "kalenderexport/caldavplanpartner.h"
#include "kalenderexport/caldavrunde.h"
#include "kalenderexport/caldavverbindung.h"
#include "kalenderexport/schluesselbund.h"
#include "model/abgleicheinstellungen.h"
#include "model/kalender.h"
#include "model/ordner.h"
#include "model/plan.h"
#include "model/plandatei.h"
#include "model/tageszahl.h"

#include <QEventLoop>
#include <QFile>

#include <cstdio>
#include <optional>

namespace {

// The first line of standard input, without its line break.
std::optional<QString> PasswortVonStdin()
{
    QFile eingabe;
    if (!eingabe.open(stdin, QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray zeile = eingabe.readLine();
    while (zeile.endsWith('\n') || zeile.endsWith('\r'))
        zeile.chop(1);
    if (zeile.isEmpty())
        return std::nullopt;
    return QString::fromUtf8(zeile);
}

SchluesselbundAntwort PasswortAusSchluesselbund(const QUrl& url, const QString& benutzer)
{
    SchluesselbundAntwort antwort;
    QEventLoop schleife;
    bool fertig = false;
    Schluesselbund::Lesen(Schluesselbund::Schluessel(url, benutzer), &schleife,
                          [&](const SchluesselbundAntwort& a) {
                              antwort = a;
                              fertig = true;
                              schleife.quit();
                          });
    if (!fertig)
        schleife.exec();
    return antwort;
}

CalDavBericht RundeLaufenLassen(CalDavVerbindung& verbindung, Abgleichpartner& partner,
                                CalDavStand& stand, const QString& planId)
{
    CalDavRunde runde(verbindung, partner, stand, planId);
    return runde.BisZumEnde();
}

} // namespace

int BefehlAbgleichen(Argumente& args)
{
    QString adresse, benutzer;
    const bool vollstaendig = args.Wert(QStringLiteral("url"), &adresse) &
                              args.Wert(QStringLiteral("benutzer"), &benutzer);
    const bool vonStdin = args.Schalter(QStringLiteral("passwort-stdin"));
    const QString pfad = args.Position();
    if (!args.Fehler().isEmpty())
        return Bedienung(args.Fehler());
    if (pfad.isEmpty() || !vollstaendig)
        return Bedienung(
            QStringLiteral("abgleichen braucht eine Plandatei, --url und --benutzer."));
    if (!args.Uebrig().isEmpty())
        return Bedienung(QStringLiteral("Unbekannte Angabe: %1").arg(args.Uebrig()));
    const QUrl url(adresse, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("https") && url.scheme() != QLatin1String("http")))
        return Bedienung(QStringLiteral("--url erwartet die Adresse eines Kalenders, etwa "
                                        "https://dav.example.org/calendars/anna/umzug/."));

    Plan plan;
    if (!Laden(pfad, plan))
        return Ladefehler;
    if (!plan.Abgleich().KalenderUrl.isEmpty() && QUrl(plan.Abgleich().KalenderUrl) != url) {
        Fehlerzeilen(QStringLiteral("Der Plan wird schon mit dem Kalender %1 abgeglichen, nicht "
                                    "mit %2.")
                         .arg(plan.Abgleich().KalenderUrl, url.toString()));
        return Bedienfehler;
    }

    CalDavZugang zugang;
    zugang.Benutzer = benutzer;
    if (vonStdin) {
        const std::optional<QString> passwort = PasswortVonStdin();
        if (!passwort)
            return Bedienung(QStringLiteral("Mit --passwort-stdin erwartet abgleichen das "
                                            "Passwort in der ersten Zeile der Standardeingabe."));
        zugang.Passwort = *passwort;
    } else {
        const SchluesselbundAntwort antwort = PasswortAusSchluesselbund(url, benutzer);
        if (antwort.Art != Schluesselbundstand::Gefunden) {
            Fehlerzeilen(
                QStringLiteral("Für %1 steht kein Passwort im Schlüsselbund. Geben Sie es mit "
                               "--passwort-stdin auf der Standardeingabe an.")
                    .arg(Schluesselbund::Schluessel(url, benutzer)));
            if (!antwort.Text.isEmpty())
                Fehlerzeilen(antwort.Text);
            return Abgleichfehler;
        }
        zugang.Passwort = antwort.Passwort;
    }

    // Self-signed certificates the user trusted for this server in the program; read only.
    zugang.VertrauteZertifikate =
        AbgleicheinstellungenLesen(EinstellungsPfad(), url.toString()).VertrauteZertifikate;

    const CalDavStand standVorher = plan.Abgleich();
    const bool neueId = plan.situation().PlanID.isEmpty();
    const QString planId = plan.PlanIdSicherstellen();
    plan.Abgleich().KalenderUrl = url.toString();

    CalDavVerbindung verbindung(zugang);
    CalDavPlanpartner partner(plan);
    const CalDavBericht bericht = RundeLaufenLassen(verbindung, partner, plan.Abgleich(), planId);

    for (const QString& hinweis : partner.Hinweise() + bericht.Hinweise)
        Fehlerzeilen(hinweis);
    // A plan that never reached the calendar stays unsynchronised.
    if (plan.Abgleich().Eintraege.empty() && plan.Abgleich().SyncToken.isEmpty())
        plan.Abgleich() = standVorher;
    // Whatever went through is kept, also after a failure: the next round builds on it.
    if (partner.PlanGeaendert() || plan.Abgleich() != standVorher ||
        (neueId && !plan.Abgleich().Leer())) {
        QString fehler;
        const Kalenderspanne spanne = SpanneBerechnen(plan.Aufgaben(), Tageszahl::heute());
        if (!PlanSchreiben(pfad, plan.Aufgaben(), plan.situation(), spanne.ersterTag, spanne.tage,
                           &fehler, nullptr, &plan.Abgleich())) {
            Fehlermeldung("Beim Speichern ist ein Fehler aufgetreten.", fehler);
            return Schreibfehler;
        }
    }
    if (!bericht.Erfolg()) {
        Fehlermeldung("Der Abgleich mit dem Kalender ist fehlgeschlagen.", bericht.Fehler.Text);
        return Abgleichfehler;
    }
    std::printf("%s\n", QStringLiteral("Abgeglichen: %1 angelegt, %2 geändert, %3 gelöscht, %4 "
                                       "aus dem Kalender übernommen.")
                            .arg(bericht.Angelegt)
                            .arg(bericht.Geaendert)
                            .arg(bericht.Geloescht)
                            .arg(bericht.Uebernommen)
                            .toUtf8()
                            .constData());
    return Erfolg;
}
