#include "dialogs/terminexport.h"

#include "kalenderexport/kalenderziel.h"
#include "widgets/meldung.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QPointer>
#include <QWidget>

#include <optional>

namespace {

// The hourglass while the appointments are written; the hand-over itself is not waited for.
class Sanduhr final
{
public:
    Sanduhr() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~Sanduhr() { QApplication::restoreOverrideCursor(); }
    Sanduhr(const Sanduhr&) = delete;
    Sanduhr& operator=(const Sanduhr&) = delete;
};

QString FehlerText(const std::exception& e)
{
    if (const auto* k = dynamic_cast<const KalenderFehler*>(&e))
        return k->Text();
    return QString::fromLocal8Bit(e.what());
}

} // namespace

QString ExportFrage(qsizetype anzahl)
{
    return QStringLiteral("Der Kistenlotse versucht nun, die Termine Ihres Umzugs in den\n"
                          "Terminkalender Ihres Kalenderprogramms einzutragen. Es werden ") +
           QString::number(anzahl) +
           QStringLiteral(" Termine eingetragen.\n"
                          "Dies kann nicht rückgängig gemacht werden,\n"
                          "Sie können die Termine aber in Ihrem Kalenderprogramm weiter "
                          "bearbeiten.\n"
                          "Bereits in Ihrem Kalenderprogramm eingetragene Termine werden nicht "
                          "verändert.\n"
                          "Möchten Sie fortfahren?");
}

QString ExportErfolgsmeldung()
{
    return QStringLiteral("Die Daten wurden erfolgreich an Ihr Kalenderprogramm übergeben.");
}

QString ExportFehlermeldung()
{
    return QStringLiteral(
        "Bei der Übergabe der Daten an Ihr Kalenderprogramm ist ein Fehler aufgetreten.");
}

QString ExportOffenMeldung(const QString& datei)
{
    return QStringLiteral("Die Termindatei „%1“ wurde an Ihr Kalenderprogramm übergeben. Ob es "
                          "die Termine aufgenommen hat, hat es noch nicht gemeldet; die Datei "
                          "bleibt dort erhalten.")
        .arg(QDir::toNativeSeparators(datei));
}

bool TermineExportieren(QWidget* eltern, QWidget* exportKnopf, const Aufgabenliste& aufgaben,
                        Kalenderziel& ziel)
{
    // Tasks the calendar file cannot carry (a typo: 3027 for 2027) are named before anything
    // is written; the export stays possible once their days are corrected.
    const QString nichtUebertragbar = NichtUebertragbarMeldung(aufgaben);
    if (!nichtUebertragbar.isEmpty()) {
        Meldung(eltern, MeldungsArt::Warnung, nichtUebertragbar, OK);
        return false;
    }
    if (Meldung(eltern, MeldungsArt::Bestaetigung,
                ExportFrage(static_cast<qsizetype>(aufgaben.size())), OK | Abbrechen) != OK)
        return false;
    if (exportKnopf)
        exportKnopf->setEnabled(false);

    std::optional<QString> fehler;
    {
        const Sanduhr sanduhr;
        try {
            ziel.Oeffnen();
            for (const taufgabe& aufgabe : aufgaben)
                ziel.TerminEintragen(TerminDerAufgabe(aufgabe));
        } catch (const std::exception& e) {
            fehler = FehlerText(e);
        } catch (...) {
            fehler = QStringLiteral("Unbekannter Fehler bei der Übergabe der Termine.");
        }
    }

    // The appointments entered before a failure still go on; a failure of the hand-over
    // then adds nothing the first report does not say.
    ziel.Schliessen([eltern = QPointer<QWidget>(eltern), mitEltern = eltern != nullptr,
                     fehler](const Uebergabeergebnis& e) {
        if (mitEltern && !eltern)
            return; // the window is gone: nobody to tell
        if (fehler) {
            Meldung(eltern, MeldungsArt::Warnung, ExportFehlermeldung(), OK);
            FehlerBericht(eltern, *fehler);
            return;
        }
        switch (e.art) {
        case Uebergabeergebnis::Art::Uebergeben:
            Meldung(eltern, MeldungsArt::Bestaetigung, ExportErfolgsmeldung(), OK);
            break;
        case Uebergabeergebnis::Art::Offen:
            Meldung(eltern, MeldungsArt::Information, ExportOffenMeldung(e.datei), OK);
            break;
        case Uebergabeergebnis::Art::Gescheitert:
            Meldung(eltern, MeldungsArt::Warnung, ExportFehlermeldung(), OK);
            FehlerBericht(eltern, e.fehler);
            break;
        }
    });
    return true;
}
