#include "app/plandateibefehle.h"

#include "dialogs/terminexport.h"
#include "model/einstellungenexport.h"
#include "model/plandokument.h"
#include "widgets/dateidialog.h"
#include "widgets/meldung.h"

#include <QDir>
#include <QFileDialog>

namespace {

// The filter of both file dialogs.
const QStringList Dateifilter{QStringLiteral("Umzugsdateien (*.kvr)"),
                              QStringLiteral("Alle Dateien (*)")};

QFileDialog* Dateidialog(QWidget* fenster, const char* name, const QString& titel)
{
    auto* d = new TDateiDialog(fenster);
    d->setNameFilters(Dateifilter);
    d->setObjectName(QString::fromLatin1(name));
    d->setWindowTitle(titel);
    return d;
}

// The chosen file, or empty when the dialog was cancelled. Both dialogs start in the user's
// documents folder every time.
QString Waehlen(QFileDialog* dialog)
{
    dialog->setDirectory(PlanOrdner());
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

} // namespace

Plandateibefehle::Plandateibefehle(Plandokument& dokument, QWidget* fenster)
    : m_dokument(dokument), m_fenster(fenster)
{
}

QFileDialog* Plandateibefehle::Speicherdialog()
{
    if (!m_speichern) {
        m_speichern = Dateidialog(m_fenster, "SaveDialog1", QStringLiteral("Umzug speichern"));
        m_speichern->setAcceptMode(QFileDialog::AcceptSave);
        m_speichern->setFileMode(QFileDialog::AnyFile);
        m_speichern->setDefaultSuffix(QStringLiteral("kvr"));
    }
    return m_speichern;
}

QFileDialog* Plandateibefehle::Ladedialog()
{
    if (!m_laden) {
        m_laden = Dateidialog(m_fenster, "OpenDialog1", QStringLiteral("Umzug laden"));
        m_laden->setAcceptMode(QFileDialog::AcceptOpen);
        m_laden->setFileMode(QFileDialog::ExistingFile);
    }
    return m_laden;
}

int Plandateibefehle::UeberschreibenErlaubt(const QString& pfad) const
{
    if (!m_dokument.FremdGeschrieben(pfad))
        return Ja;
    return Meldung(m_fenster, MeldungsArt::Bestaetigung,
                   QStringLiteral("Die Datei „%1“ wurde geändert, seit dieser Plan sie geöffnet "
                                  "oder gespeichert hat – vielleicht in einem zweiten "
                                  "Kistenlotse-Fenster.\nSoll sie trotzdem überschrieben "
                                  "werden? Mit „Nein“ wählen Sie einen anderen Namen.")
                       .arg(QDir::toNativeSeparators(pfad)),
                   Ja | Nein | Abbrechen);
}

bool Plandateibefehle::Speichern()
{
    QString pfad;
    for (;;) {
        pfad = Waehlen(Speicherdialog());
        if (pfad.isEmpty())
            return false;
        const int antwort = UeberschreibenErlaubt(pfad);
        if (antwort == Ja)
            break;
        if (antwort != Nein)
            return false;
    }
    QString fehler;
    QString einstellungsFehler;
    if (!m_dokument.Speichern(pfad, &fehler, &einstellungsFehler)) {
        Meldung(m_fenster, MeldungsArt::Warnung,
                QStringLiteral("Beim Speichern ist ein Fehler aufgetreten.\n") + fehler, OK);
        return false;
    }
    if (!einstellungsFehler.isEmpty())
        Meldung(m_fenster, MeldungsArt::Warnung,
                QStringLiteral("Der Plan wurde in „%1“ gespeichert.\n")
                        .arg(QDir::toNativeSeparators(pfad)) +
                    einstellungsFehler,
                OK);
    return true;
}

bool Plandateibefehle::Laden(const QString& pfad, Ladebericht* bericht)
{
    Ladebericht eigener;
    Ladebericht& b = bericht ? *bericht : eigener;
    if (m_dokument.Laden(pfad, &b))
        return true;
    Meldung(m_fenster, MeldungsArt::Warnung,
            LadefehlerText.toString() + QLatin1Char('\n') + b.grund, OK);
    return false;
}

Plandateibefehle::Oeffnung Plandateibefehle::Oeffnen(Ladebericht* bericht)
{
    const QString pfad = Waehlen(Ladedialog());
    if (pfad.isEmpty())
        return Oeffnung::Abgebrochen;
    return Laden(pfad, bericht) ? Oeffnung::Geladen : Oeffnung::Fehler;
}

bool Plandateibefehle::Exportieren(QWidget* exportKnopf, Kalenderziel& ziel)
{
    const QString einstellungen = m_dokument.Einstellungsdatei();
    const std::optional<int> erinnerung = ErinnerungLesen(einstellungen);
    Exportangaben angaben{m_dokument.ExportPlanId(), ErinnerungAusWert(erinnerung.value_or(0))};
    if (!TermineExportieren(m_fenster, exportKnopf, m_dokument.plan().Aufgaben, ziel, &angaben))
        return false;
    m_dokument.PlanIdUebernehmen(angaben.planId);
    const int gewaehlt = static_cast<int>(angaben.erinnerung.value_or(Erinnerung::Keine));
    // Written once the user has exported another choice than the one offered; a failure only
    // forgets the choice, so it stays quiet.
    if (gewaehlt != erinnerung.value_or(0))
        ErinnerungSchreiben(einstellungen, gewaehlt);
    return true;
}

bool Plandateibefehle::VerwerfenErlaubt(const QString& frage) const
{
    if (!m_dokument.Geaendert())
        return true;
    return Meldung(m_fenster, MeldungsArt::Bestaetigung,
                   QStringLiteral("Ihre letzten Änderungen wurden nicht gespeichert. ") + frage,
                   OK | Abbrechen) == OK;
}
