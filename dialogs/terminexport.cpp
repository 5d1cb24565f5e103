#include "dialogs/terminexport.h"

#include "kalenderexport/kalenderziel.h"
#include "kalenderexport/planexport.h"
#include "model/uhr.h"
#include "widgets/meldung.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QStandardPaths>
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

namespace {

const QString Aktualisiert = QStringLiteral(
    "Termine, die Sie schon einmal übertragen haben, werden dort aktualisiert statt doppelt "
    "eingetragen.");

} // namespace

QString ExportFrage(qsizetype anzahl, bool aktualisieren)
{
    const QString vorhandene = aktualisieren ? Aktualisiert + QLatin1Char('\n')
                                             : QStringLiteral("Bereits in Ihrem Kalenderprogramm "
                                                              "eingetragene Termine werden nicht "
                                                              "verändert.\n");
    return QStringLiteral("Der Kistenlotse versucht nun, die Termine Ihres Umzugs in den\n"
                          "Terminkalender Ihres Kalenderprogramms einzutragen. Es werden ") +
           QString::number(anzahl) +
           QStringLiteral(" Termine eingetragen.\n"
                          "Dies kann nicht rückgängig gemacht werden,\n"
                          "Sie können die Termine aber in Ihrem Kalenderprogramm weiter "
                          "bearbeiten.\n") +
           vorhandene + QStringLiteral("Möchten Sie fortfahren?");
}

QString ExportErfolgsmeldung(bool aktualisieren)
{
    const QString erfolg =
        QStringLiteral("Die Daten wurden erfolgreich an Ihr Kalenderprogramm übergeben.");
    return aktualisieren ? erfolg + QLatin1Char('\n') + Aktualisiert : erfolg;
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
                        Kalenderziel& ziel, Exportangaben* angaben)
{
    const QString planId = angaben ? angaben->planId : QString();
    const bool aktualisieren = !planId.isEmpty();
    // Tasks the calendar file cannot carry (a typo: 3027 for 2027) are named before anything
    // is written; the export stays possible once their days are corrected.
    const QString nichtUebertragbar = NichtUebertragbarMeldung(aufgaben);
    if (!nichtUebertragbar.isEmpty()) {
        Meldung(eltern, MeldungsArt::Warnung, nichtUebertragbar, OK);
        return false;
    }
    // The reminder is chosen with the answer.
    Erinnerung gewaehlt = angaben && angaben->erinnerung ? *angaben->erinnerung : Erinnerung::Keine;
    QWidget* wahl = nullptr; // the box owns it and takes it along when it closes
    if (angaben && angaben->erinnerung) {
        wahl = new QWidget;
        auto* reihe = new QHBoxLayout(wahl);
        reihe->setContentsMargins(0, 0, 0, 0);
        // Alt+E reaches the choice; the answer buttons keep Enter and Escape.
        auto* beschriftung = new QLabel(QStringLiteral("&Erinnerung:"), wahl);
        auto* erinnerung = new QComboBox(wahl);
        erinnerung->setObjectName(QStringLiteral("erinnerung"));
        erinnerung->addItems(ErinnerungsTexte());
        erinnerung->setCurrentIndex(static_cast<int>(*angaben->erinnerung));
        beschriftung->setBuddy(erinnerung);
        QObject::connect(erinnerung, &QComboBox::currentIndexChanged,
                         [&gewaehlt](int i) { gewaehlt = ErinnerungAusWert(i); });
        reihe->addWidget(beschriftung);
        reihe->addWidget(erinnerung);
        reihe->addStretch(1);
    }
    const Knopf antwort = Meldung(
        eltern, MeldungsArt::Bestaetigung,
        ExportFrage(static_cast<qsizetype>(aufgaben.size()), aktualisieren), OK | Abbrechen, wahl);
    if (antwort != OK)
        return false;
    if (angaben && angaben->erinnerung)
        angaben->erinnerung = gewaehlt;
    if (exportKnopf && !aktualisieren)
        exportKnopf->setEnabled(false);

    std::optional<QString> fehler;
    {
        const Sanduhr sanduhr;
        try {
            ziel.Oeffnen();
            TermineEintragen(
                aufgaben,
                {planId, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                 gewaehlt},
                Uhr::JetztUtc(), [&ziel](const Kalendertermin& t) { ziel.TerminEintragen(t); });
        } catch (const std::exception& e) {
            fehler = FehlerText(e);
        } catch (...) {
            fehler = QStringLiteral("Unbekannter Fehler bei der Übergabe der Termine.");
        }
    }

    // The appointments entered before a failure still go on; a failure of the hand-over
    // then adds nothing the first report does not say.
    ziel.Schliessen([eltern = QPointer<QWidget>(eltern), mitEltern = eltern != nullptr, fehler,
                     aktualisieren](const Uebergabeergebnis& e) {
        if (mitEltern && !eltern)
            return; // the window is gone: nobody to tell
        if (fehler) {
            Meldung(eltern, MeldungsArt::Warnung, ExportFehlermeldung(), OK);
            FehlerBericht(eltern, *fehler);
            return;
        }
        switch (e.art) {
        case Uebergabeergebnis::Art::Uebergeben:
            Meldung(eltern, MeldungsArt::Bestaetigung, ExportErfolgsmeldung(aktualisieren), OK);
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
