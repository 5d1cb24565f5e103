#include "dialogs/outlookexport.h"

#include "dialogs/outlookapplication.h"
#include "kalenderexport/icsdatei.h"
#include "widgets/meldung.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include <memory>
#include <optional>

namespace {

// The hourglass for the whole screen while the calendar is being filled.
class Sanduhr final
{
public:
    Sanduhr() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~Sanduhr() { Beenden(); }
    Sanduhr(const Sanduhr&) = delete;
    Sanduhr& operator=(const Sanduhr&) = delete;

    void Beenden()
    {
        if (m_aktiv)
            QApplication::restoreOverrideCursor();
        m_aktiv = false;
    }

private:
    bool m_aktiv = true;
};

QString FehlerText(const std::exception& e)
{
    if (const auto* k = dynamic_cast<const KalenderFehler*>(&e))
        return k->Text();
    return QString::fromLocal8Bit(e.what());
}

} // namespace

QString OutlookFrage(qsizetype anzahl)
{
    return QStringLiteral("Der Kistenlotse versucht nun, die Termine Ihres Umzugs in den\n"
                          "Terminkalender von MS Outlook einzutragen. Es werden ") +
           QString::number(anzahl) +
           QStringLiteral(" Termine eingetragen.\n"
                          "Dies kann nicht rückgängig gemacht werden,\n"
                          "Sie können die Termine aber in MS Outlook weiter bearbeiten.\n"
                          "Bereits in MS Outlook eingetragene Termine werden nicht verändert.\n"
                          "Möchten Sie fortfahren?");
}

QString OutlookErfolgsmeldung()
{
    return QStringLiteral(
        "Die Daten wurden erfolgreich in den Kalender von MS Outlook eingetragen.");
}

QString OutlookFehlermeldung()
{
    return QStringLiteral("Bei der Übergabe der Daten an MS Outlook ist ein Fehler aufgetreten.");
}

bool OutlookButtonClick(QWidget* eltern, QWidget* outlookButton, const Aufgabenliste& aufgaben,
                        TOutlookApplication& outlookApplication1)
{
    // Tasks the calendar file cannot carry (a typo: 3027 for 2027) are named before anything
    // is written; the export stays possible once their days are corrected.
    const QString nichtUebertragbar = NichtUebertragbarMeldung(aufgaben);
    if (!nichtUebertragbar.isEmpty()) {
        Meldung(eltern, MeldungsArt::Warnung, nichtUebertragbar, OK);
        return false;
    }
    if (Meldung(eltern, MeldungsArt::Bestaetigung,
                OutlookFrage(static_cast<qsizetype>(aufgaben.size())), OK | Abbrechen) != OK)
        return false;

    Sanduhr sanduhr;
    std::optional<QString> fehler;
    {
        std::unique_ptr<TAppointmentItem> appointmentItem;
        try {
            outlookApplication1.Connect();
            for (const taufgabe& aufgabe : aufgaben) {
                appointmentItem =
                    outlookApplication1.CreateItem(TOutlookApplication::olAppointmentItem);
                const Terminzeiten zeiten = TerminZeiten(aufgabe);
                appointmentItem->setSubject(aufgabe.Kurzbezeichnung);
                appointmentItem->setBody(TerminText(aufgabe));
                appointmentItem->setStart(zeiten.Start);
                appointmentItem->setEnd(zeiten.Ende);
                appointmentItem->Save();
                appointmentItem.reset();
            }
            // The hand-over is what brings the appointments into the calendar, so it belongs
            // to the attempt: success is reported only after it.
            outlookApplication1.Disconnect();
        } catch (const std::exception& e) {
            fehler = FehlerText(e);
        } catch (...) {
            fehler = QStringLiteral("Unbekannter Fehler bei der Übergabe der Termine.");
        }
    }

    if (fehler) {
        // The appointments saved before the failure still go to the calendar; a second
        // failure here adds nothing the first report does not say.
        try {
            outlookApplication1.Disconnect();
        } catch (...) {
        }
    }
    sanduhr.Beenden();

    if (outlookButton)
        outlookButton->setEnabled(false);
    if (!fehler) {
        Meldung(eltern, MeldungsArt::Bestaetigung, OutlookErfolgsmeldung(), OK);
        return true;
    }
    Meldung(eltern, MeldungsArt::Warnung, OutlookFehlermeldung(), OK);
    FehlerBericht(eltern, *fehler);
    return true;
}
