#pragma once

#include "app/abgleichbefehl.h"
#include "app/aufgabenbefehle.h"
#include "app/fensterdialoge.h"
#include "app/fensterlayout.h"
#include "app/fensterrahmen.h"
#include "app/fensterumgebung.h"
#include "app/kalenderfeld.h"
#include "app/plandateibefehle.h"
#include "app/startablauf.h"
#include "app/tagesraster.h"
#include "app/ziehzustand.h"
#include "model/kalender.h"
#include "model/plan.h"
#include "model/plandokument.h"
#include "widgets/planfenster.h"

#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class QFileDialog;
class QKeyEvent;
class QLabel;
class QScrollArea;
class TQvImage;
class TQvImageButton;
class TSituationsForm;
class TSplashForm;
class TReihenfolge;
class TAusdruckForm;
class TDruckvorlagenForm;
class TEigenerTerminForm;
class Desktopkalender;
class TTerminForm;
class tday;
class KWBild;

// The main window: shows the plan document as a calendar of day cells, runs the start
// sequence and forwards the user's commands to the document.
class TKalenderForm final : public QWidget,
                            public PlanFenster,
                            public PlanMelder,
                            public Kalenderfeld
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TKalenderForm)

public:
    explicit TKalenderForm(Fensterumgebung umgebung = {}, QWidget* eltern = nullptr);
    ~TKalenderForm() override;

    // The start sequence (app/startablauf.h). False when the user cancelled.
    bool Starten(const QString& plandatei = QString()) { return m_start.Starten(plandatei); }

    Plandokument& Dokument() { return m_dokument; }

    // PlanFenster
    Plan& plan() override { return m_dokument.plan(); }
    bool AufgabeVerschieben(qint32 nummer, qint32 start, double tag) override;
    void ZustandSichern() override;
    void KalenderNeuAufbauen() override;
    void KalenderAktualisieren() override;
    double ErsterTag() const override;
    double LetzterTag() const override;
    std::vector<const TagDaten*> TagDatenListe() const override;
    QWidget* Fenster() override { return this; }

    // PlanMelder
    void KeineAbfolge(const QString& text) override;

    // Stores `situation` as the plan's and builds the calendar; with `neuPlanen` the plan
    // search first replaces the task list with a plan for it.
    void KalenderErstellen(const Situation& situation, bool neuPlanen);
    void StatusAnzeigen(const QString& text) override;
    QString StatusText() const;

    // Unsaved changes, as the document counts them.
    bool Geaendert() const { return m_dokument.Geaendert(); }

    // Gives task `nummer` the day `tag` as a drag does: the order check, where it fails the
    // conflict dialog with the offer to move the dependants along, one undo step. False when
    // nothing moved.
    bool AufgabeZiehen(qint32 nummer, double tag);

    // Puts the keyboard focus on cell `index` (its task `aufgabe`, -1 the day itself).
    void ZelleFokussieren(int index, int aufgabe = -1);
    // The cell that takes the focus when the calendar gets it (Tab reaches only this one).
    int FokusZelle() const { return m_raster.FokusZelle(); }

    // The drag across the day cells.
    const Ziehzustand& gezogeneAufgabe() const override { return m_gezogeneAufgabe; }

    int AnzahlTage() const { return m_raster.Anzahl(); }
    tday* Tag(int i) const { return m_raster.Tag(i); }
    QScrollArea* Kalenderflaeche() const { return m_raster.Flaeche(); }
    // The heading's span of the plan: "Februar – März 2027".
    QString SpannenText() const;
    const QList<int>& Wochennummern() const { return m_raster.Wochennummern(); }
    // The dialogs (app/fensterdialoge.h).
    TSituationsForm* Startdialog() { return m_dialoge.Startdialog(); }
    TSplashForm* Begruessung() { return m_dialoge.Begruessung(); }
    TReihenfolge* Reihenfolgedialog() { return m_dialoge.Reihenfolgedialog(); }
    TTerminForm* Termindialog() { return m_dialoge.Termindialog(); }
    TEigenerTerminForm* EigenerTermindialog() { return m_dialoge.EigenerTermindialog(); }
    TAusdruckForm* Ausdruckdialog() { return m_dialoge.Ausdruckdialog(); }
    TDruckvorlagenForm* Druckvorlagendialog() { return m_dialoge.Druckvorlagendialog(); }
    QFileDialog* Speicherdialog() { return m_dateibefehle.Speicherdialog(); }
    QFileDialog* Ladedialog() { return m_dateibefehle.Ladedialog(); }
    TQvImageButton* Knopf(const char* name) const;

protected:
    void resizeEvent(QResizeEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;

private:
    // Kalenderfeld
    double HeutigerTag() const override;
    void ZiehzustandSetzen(Ziehzustand zustand) override { m_gezogeneAufgabe = zustand; }
    void ZellenFreigabe(tday* quelle, QPoint pos) override;
    void ZiehenBei(tday* quelle, QPoint pos) override;
    // The keyboard in the calendar (app/kalendertastatur.h).
    bool ZellenTaste(tday* zelle, QKeyEvent* ereignis) override;
    void ZellenBefehl(tday* zelle, const Kalendertastatur::Ziel& ziel) override;
    void ZelleHatFokus(tday* zelle) override;

    void KnoepfeVerbinden();
    // Builds the day cells for the document's span and situation.
    void KalenderBauen();
    void TerminOeffnen(tday* zelle, int termin);
    void AufgabeLoeschen(qint32 nummer);
    // AufgabeZiehen from the keyboard: the focus follows the task.
    void AufgabeMitFokusZiehen(qint32 nummer, double tag);
    // After the document changed as a whole (undo, load): the calendar built anew where its
    // span or states changed, else refreshed.
    void DokumentZeigen();
    void DokumentZustandZeigen();

    void RuckgaengigButtonClick();
    void HilfeButtonClick();
    void EigenerTerminButtonClick();
    void NeuButtonClick();
    void UmzugAendernButtonClick();
    void SpeicherButtonClick();
    void LadenButtonClick();
    void EndeButtonClick();
    void KalenderButtonClick();
    void DruckenButtonClick();
    void VorlagenButtonClick();
    void AbgleichButtonClick();

    Fensterumgebung m_umgebung;
    Plandokument m_dokument;
    Plandateibefehle m_dateibefehle;
    Fensterrahmen m_rahmen;
    Tagesraster m_raster;
    Fensterdialoge m_dialoge;
    Aufgabenbefehle m_aufgabenbefehle;
    Abgleichbefehl m_abgleich;
    Startablauf m_start;
    Ziehzustand m_gezogeneAufgabe;
    // What the day cells were built for.
    Kalenderspanne m_gebauteSpanne;
    std::pair<int, int> m_gebauteLaender{0, 0};
    std::unique_ptr<Desktopkalender> m_kalenderziel; // where the export hands the appointments
};
