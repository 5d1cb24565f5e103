// kistenlotse-plan: the plan model without windows, for scripts and checks.

#include "befehle.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Every command and option, for --help; the commands read their options themselves.
void HilfeEinrichten(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Rechnet Umzugspläne des Kistenlotsen ohne Fenster.\n"
        "\n"
        "Befehle:\n"
        "  neu --von LAND --nach LAND --einzug TT.MM.JJJJ --auszug TT.MM.JJJJ\n"
        "      [--spedition] [--kinder] [--auszugsrenovierung] [--einzugsrenovierung]\n"
        "      [--speichern PLAN.kvr] [--json]\n"
        "                        einen neuen Plan berechnen und ausgeben\n"
        "  zeigen PLAN.kvr [--json]\n"
        "                        eine Plandatei lesen und ausgeben\n"
        "  ics PLAN.kvr --ausgabe TERMINE.ics [--erinnerung keine|vortag|stunde]\n"
        "                        alle Aufgaben als iCalendar-Termine schreiben; erneut\n"
        "                        geschriebene Termine aktualisieren die früheren\n"
        "  umplanen PLAN.kvr --einzug TT.MM.JJJJ --auszug TT.MM.JJJJ [--von LAND --nach LAND]\n"
        "      [--speichern PLAN.kvr] [--json]\n"
        "                        einen Plan für neue Umzugstage neu planen; Notizen, Erledigtes\n"
        "                        und eigene Aufgaben bleiben (ohne --speichern: PLAN.kvr)\n"
        "  feiertage JAHR LAND [--json]\n"
        "                        die Feiertage eines Jahres für ein Land ausgeben\n"
        "  abgleichen PLAN.kvr --url KALENDER --benutzer NAME [--passwort-stdin]\n"
        "                        den Plan mit einem CalDAV-Kalender abgleichen und samt\n"
        "                        Abgleichstand in PLAN.kvr zurückschreiben; das Passwort kommt\n"
        "                        aus dem Schlüsselbund oder mit --passwort-stdin aus der ersten\n"
        "                        Zeile der Standardeingabe. Ohne Rückfrage gilt: im Plan und\n"
        "                        im Kalender geändert - die Fassung des Plans; im Kalender\n"
        "                        gelöscht - der Termin wird wieder gesendet; eine neue Zeit,\n"
        "                        die die Reihenfolge verletzt - der Termin des Plans wird wieder\n"
        "                        gesendet. Jeder dieser Fälle wird auf stderr genannt.\n"
        "                        Selbst signierten Zertifikaten, denen das Programm für den\n"
        "                        Server vertraut, vertraut auch abgleichen.\n"
        "\n"
        "Länder: 1 bis 17. Ausgabe in UTF-8. Rückgabewert: 0 bei Erfolg, 2 bei falscher "
        "Bedienung, 3 wenn eine Plandatei nicht gelesen werden kann, 4 wenn eine Datei nicht "
        "geschrieben werden kann, 5 wenn der Abgleich mit dem Kalender scheitert (was bis dahin "
        "abgeglichen war, steht dann in PLAN.kvr)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("befehl"),
        QStringLiteral("neu, zeigen, ics, umplanen, feiertage oder abgleichen"),
        QStringLiteral("befehl"));
    const QList<QCommandLineOption> optionen{
        {QStringLiteral("von"), QStringLiteral("Land des Auszugs (neu, umplanen)."),
         QStringLiteral("LAND")},
        {QStringLiteral("nach"), QStringLiteral("Land des Einzugs (neu, umplanen)."),
         QStringLiteral("LAND")},
        {QStringLiteral("einzug"), QStringLiteral("Tag des Einzugs (neu, umplanen)."),
         QStringLiteral("TT.MM.JJJJ")},
        {QStringLiteral("auszug"), QStringLiteral("Tag des Auszugs (neu, umplanen)."),
         QStringLiteral("TT.MM.JJJJ")},
        {QStringLiteral("spedition"), QStringLiteral("Eine Spedition kommt (neu).")},
        {QStringLiteral("kinder"), QStringLiteral("Kinder ziehen mit (neu).")},
        {QStringLiteral("auszugsrenovierung"),
         QStringLiteral("Die alte Wohnung wird renoviert (neu).")},
        {QStringLiteral("einzugsrenovierung"),
         QStringLiteral("Die neue Wohnung wird renoviert (neu).")},
        {QStringLiteral("speichern"),
         QStringLiteral("Den Plan als Plandatei schreiben (neu, umplanen)."),
         QStringLiteral("PLAN.kvr")},
        {QStringLiteral("ausgabe"),
         QStringLiteral("Die iCalendar-Datei, die geschrieben wird (ics)."),
         QStringLiteral("TERMINE.ics")},
        {QStringLiteral("erinnerung"),
         QStringLiteral("Erinnerung: keine, am Vortag um 18 Uhr (vortag) oder eine Stunde "
                        "vorher (stunde) (ics)."),
         QStringLiteral("ART")},
        {QStringLiteral("json"), QStringLiteral("Als JSON ausgeben statt als Text (neu, zeigen, "
                                                "umplanen, feiertage).")},
        {QStringLiteral("url"),
         QStringLiteral("Die Adresse des Kalenders auf dem CalDAV-Server (abgleichen)."),
         QStringLiteral("KALENDER")},
        {QStringLiteral("benutzer"),
         QStringLiteral("Der Benutzername auf dem CalDAV-Server (abgleichen)."),
         QStringLiteral("NAME")},
        {QStringLiteral("passwort-stdin"),
         QStringLiteral("Das Passwort aus der Standardeingabe lesen statt aus dem Schlüsselbund "
                        "(abgleichen).")},
    };
    parser.addOptions(optionen);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(KL_VERSION));
    // Qt's own words in the help (headings, --help, --version) in German.
    QTranslator qt;
    if (qt.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);

    // --help and --version anywhere; everything else the commands read and judge themselves.
    QCommandLineParser hilfe;
    HilfeEinrichten(hilfe);
    if (hilfe.parse(app.arguments())) {
        if (hilfe.isSet(QStringLiteral("help")))
            hilfe.showHelp(Erfolg);
        if (hilfe.isSet(QStringLiteral("version")))
            hilfe.showVersion();
    }

    QStringList args = app.arguments();
    args.removeFirst();
    const QString befehl = args.isEmpty() ? QString() : args.takeFirst();
    Argumente argumente(args);
    if (befehl == QStringLiteral("neu"))
        return BefehlNeu(argumente);
    if (befehl == QStringLiteral("feiertage"))
        return BefehlFeiertage(argumente);
    if (befehl == QStringLiteral("zeigen"))
        return BefehlZeigen(argumente);
    if (befehl == QStringLiteral("ics"))
        return BefehlIcs(argumente);
    if (befehl == QStringLiteral("umplanen"))
        return BefehlUmplanen(argumente);
    if (befehl == QStringLiteral("abgleichen"))
        return BefehlAbgleichen(argumente);
    return Bedienung(QStringLiteral("Aufruf: kistenlotse-plan "
                                    "neu|feiertage|zeigen|ics|umplanen|abgleichen … "
                                    "(kistenlotse-plan --help nennt alle Befehle und Optionen)"));
}
