#pragma once

#include "app/fensterlayout.h"
#include "app/kalenderfeld.h"
#include "app/planstart.h"
#include "app/ziehzustand.h"
#include "model/dateizugriff.h"
#include "model/kalender.h"
#include "model/plan.h"
#include "widgets/meldung.h"
#include "widgets/planfenster.h"

#include <QWidget>

#include <functional>
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

// The main window: owns the plan and the calendar of day cells, runs the start sequence and
// the commands on the plan.
class TKalenderForm final : public QWidget,
                            public PlanFenster,
                            public PlanMelder,
                            public Kalenderfeld,
                            public Planstart
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TKalenderForm)

public:
    explicit TKalenderForm(QWidget* eltern = nullptr);
    ~TKalenderForm() override;

    // The start sequence: splash window, start dialog, first plan, window geometry. False when
    // the user cancelled; the program ends then. With a plan file (opened from outside, e.g.
    // the file manager) that plan replaces the start dialog; one that cannot be loaded is
    // reported and the start dialog follows.
    bool Starten(const QString& plandatei = QString());

    // PlanFenster; plan() and the two calendar operations serve Planstart too
    Plan& plan() override { return m_plan; }
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
    void KalenderErstellen(const Situation& situation, bool neuPlanen) override;
    void ZustandWiederherstellen();
    void StatusAnzeigen(const QString& text) override;
    QString StatusText() const;

    // Unsaved changes: the undo button's enabled state.
    bool Geaendert() const;

    // The window geometry from the settings file (-1 = nothing stored).
    void FensterLageSetzen(int oben, int links, int breite, int hoehe);

    // Gives task `nummer` the day `tag` as a drag does: the order check, where it fails the
    // conflict dialog with the offer to move the dependants along, one undo step. False when
    // nothing moved.
    bool AufgabeZiehen(qint32 nummer, double tag);

    // Puts the keyboard focus on cell `index` (its task `aufgabe`, -1 the day itself).
    void ZelleFokussieren(int index, int aufgabe = -1);
    // The cell that takes the focus when the calendar gets it (Tab reaches only this one).
    int FokusZelle() const { return m_fokusZelle; }

    // Opening a task or a new user task in its dialog (tests may put a recorder here).
    std::function<void(qint32 nummer)> AufgabeOeffnen;
    std::function<void(qint32 nummer, double tag)> EigeneAufgabeOeffnen;

    // Today as the calendar marks it and the start proposes dates from it; tests may fix it.
    std::function<double()> heute;

    // The settings file (EinstellungsPfad); tests point it elsewhere.
    QString einstellungsPfad;

    // The drag across the day cells.
    const Ziehzustand& gezogeneAufgabe() const override { return m_gezogeneAufgabe; }

    const Kalenderspanne& Spanne() const { return m_spanne; }
    int anzdays() const { return static_cast<int>(m_tage.size()); }
    double firstday() const override { return m_spanne.ersterTag; }
    tday* Tag(int i) const { return m_tage.at(static_cast<size_t>(i)); }
    QScrollArea* Kalenderflaeche() const { return m_scrollBox; }
    // The heading's span of the plan: "Februar – März 2027".
    QString SpannenText() const;
    const QList<int>& Wochennummern() const { return m_wochen; }
    // The windows live for the rest of the run once made; each is made when first needed.
    TSituationsForm* Startdialog();
    TSplashForm* Begruessung();
    TReihenfolge* Reihenfolgedialog();
    TTerminForm* Termindialog();
    TEigenerTerminForm* EigenerTermindialog();
    TAusdruckForm* Ausdruckdialog();
    TDruckvorlagenForm* Druckvorlagendialog();
    TQvImageButton* Knopf(const char* name) const;

    // The plan commands.
    void NeuButtonClick();
    void PlanSpeichern();
    void PlanOeffnen();
    // Reads a plan file into the task list (appending) and the situation; on false *grund
    // (if given) says why.
    bool PlanLaden(const QString& pfad, QString* grund) override;
    // The question before a save replaces a plan file that someone else wrote after this
    // window loaded or saved it.
    static const QString FremdGeaendertFrage;
    // The status line after a load that cut values to Plangrenzen (%1: how many).
    static const QString GekuerztHinweis;
    // The first plan from a file given at start; false (reported) when it cannot be loaded.
    bool PlanVonAussenLaden(const QString& pfad);
    QFileDialog* SaveDialog1();
    QFileDialog* OpenDialog1();

    // Lays the day cells out again (after a resize of the calendar).
    void ZellenAnordnen();

protected:
    void resizeEvent(QResizeEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    // Kalenderfeld
    double HeutigerTag() const override { return heute(); }
    void ZiehzustandSetzen(Ziehzustand zustand) override { m_gezogeneAufgabe = zustand; }
    void ZellenFreigabe(tday* quelle, QPoint pos) override;
    // The keyboard in the calendar (app/kalendertastatur.h).
    bool ZellenTaste(tday* zelle, QKeyEvent* ereignis) override;
    void ZelleHatFokus(tday* zelle) override;

    // Planstart
    QString Einstellungsdatei() const override { return einstellungsPfad; }

    void KnoepfeAnlegen();
    void TageFreigeben();
    void FeiertageMarkieren(int bundeslandA, int bundeslandB);
    void WochentageAnordnen();
    void SpanneAnordnen();
    void TerminOeffnen(tday* zelle, int termin);
    void AufgabeLoeschen(qint32 nummer);
    // AufgabeZiehen from the keyboard: the focus follows the task.
    void AufgabeMitFokusZiehen(qint32 nummer, double tag);
    int ZellenIndex(double tag) const;

    void RuckgaengigButtonClick();
    void HilfeButtonClick();
    void EigenerTerminButtonClick();
    void EndeButtonClick();
    void KalenderButtonClick();
    void DruckenButtonClick();
    void VorlagenButtonClick();

    // Whether saving to `pfad` may replace what is there: asks when the file is the one this
    // window loaded or saved last and someone else has written it since. Nein: another name.
    ::Knopf UeberschreibenErlaubt(const QString& pfad);

    Plan m_plan;
    Ziehzustand m_gezogeneAufgabe;
    // The plan file loaded or saved last and its state then, to notice a second writer.
    QString m_planDatei;
    Dateistand m_planStand;
    Kalenderspanne m_spanne;
    QList<int> m_wochen;
    std::vector<tday*> m_tage; // children of the calendar content
    bool m_ersterStart = true;

    QLabel* m_titel = nullptr;
    QLabel* m_spanneLabel = nullptr;
    int m_fokusZelle = 0;
    TQvImage* m_logo = nullptr;
    TQvImage* m_deko = nullptr;
    QWidget* m_wochentage = nullptr;
    QLabel* m_kwLabel = nullptr;
    std::array<QLabel*, 7> m_tagKoepfe{};
    QScrollArea* m_scrollBox = nullptr;
    QWidget* m_inhalt = nullptr;
    KWBild* m_kwBild = nullptr;
    QLabel* m_status = nullptr;
    std::array<TQvImageButton*, Fensterlayout::Anzahlknoepfe> m_knoepfe{};

    TSplashForm* m_splash = nullptr;
    TSituationsForm* m_situation = nullptr;
    TReihenfolge* m_reihenfolge = nullptr;
    TEigenerTerminForm* m_eigenerTermin = nullptr;
    TAusdruckForm* m_ausdruck = nullptr;
    TDruckvorlagenForm* m_druckvorlagen = nullptr;
    TTerminForm* m_termin = nullptr;
    QFileDialog* m_speichernDialog = nullptr;
    QFileDialog* m_ladenDialog = nullptr;
    std::unique_ptr<Desktopkalender> m_kalenderziel; // where the export hands the appointments
};
