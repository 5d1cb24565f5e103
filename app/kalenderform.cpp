#include "app/kalenderform.h"

#include "app/ansage.h"
#include "app/erledigtbefehl.h"
#include "app/fenstertitel.h"
#include "app/kalendertastatur.h"
#include "app/reihenfolge.h"
#include "app/situationsform.h"
#include "app/tagzugang.h"
#include "app/tday.h"
#include "app/umzugaendern.h"
#include "dialogs/eigenerterminform.h"
#include "dialogs/hilfefenster.h"
#include "dialogs/hilfetaste.h"
#include "dialogs/terminform.h"
#include "kalenderexport/desktopkalender.h"
#include "model/ordner.h"
#include "model/tageszahl.h"
#include "print/ausdruckform.h"
#include "print/drucker.h"
#include "print/druckvorlagenform.h"
#include "widgets/meldung.h"
#include "widgets/qvimagebutton.h"
#include "widgets/zellengeometrie.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollArea>
#include <QTimer>

#include <utility>

TKalenderForm::TKalenderForm(Fensterumgebung umgebung, QWidget* eltern)
    : QWidget(eltern), m_umgebung(std::move(umgebung)),
      m_dokument(m_umgebung.einstellungsPfad.isEmpty() ? EinstellungsPfad()
                                                       : m_umgebung.einstellungsPfad),
      m_dateibefehle(m_dokument, this), m_rahmen(this), m_raster(this, this),
      m_dialoge(this, this, m_dokument.Einstellungsdatei()),
      m_aufgabenbefehle(m_dokument, m_dialoge, this), m_abgleich(m_dokument, m_dialoge, this),
      m_start(*this, m_dialoge, m_dateibefehle, [this] { KalenderBauen(); }),
      m_kalenderziel(std::make_unique<Desktopkalender>())
{
    TagZugangEinrichten();
    setObjectName(QStringLiteral("KalenderForm"));
    setWindowTitle(Fenstertitel::MitDatei(QString()));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setMinimumSize(m_rahmen.Mindestgroesse());
    resize(755, 620);

    KnoepfeVerbinden();

    // The dialogs, the splash included, are made on first use: the splash shows sooner.
    // Where a printout went is told in the status line.
    DruckmeldungSetzen([fenster = QPointer<TKalenderForm>(this)](const QString& text) {
        if (fenster)
            fenster->StatusAnzeigen(text);
    });
    // The printer confirmed at an earlier start.
    DruckereinstellungenLaden(m_dokument.Einstellungsdatei());
    new THilfeTaste(this); // F1 in every window

    if (!m_umgebung.aufgabeOeffnen)
        m_umgebung.aufgabeOeffnen = [this](qint32 nummer) {
            Termindialog()->AufgabeAnzeigen(nummer);
            Termindialog()->exec();
        };
    if (!m_umgebung.eigeneAufgabeOeffnen)
        m_umgebung.eigeneAufgabeOeffnen = [this](qint32 nummer, double tag) {
            EigenerTermindialog()->AufgabeAnzeigen(nummer, tag);
            EigenerTermindialog()->exec();
        };
    connect(&m_dokument, &Plandokument::ZustandGewechselt, this,
            &TKalenderForm::DokumentZustandZeigen);
}

TKalenderForm::~TKalenderForm() = default;

void TKalenderForm::KnoepfeVerbinden()
{
    const std::pair<Befehl, void (TKalenderForm::*)()> befehle[] = {
        {Befehl::Rueckgaengig, &TKalenderForm::RuckgaengigButtonClick},
        {Befehl::Hilfe, &TKalenderForm::HilfeButtonClick},
        {Befehl::EigenerTermin, &TKalenderForm::EigenerTerminButtonClick},
        {Befehl::Neu, &TKalenderForm::NeuButtonClick},
        {Befehl::UmzugAendern, &TKalenderForm::UmzugAendernButtonClick},
        {Befehl::Speichern, &TKalenderForm::SpeicherButtonClick},
        {Befehl::Laden, &TKalenderForm::LadenButtonClick},
        {Befehl::Vorlagen, &TKalenderForm::VorlagenButtonClick},
        {Befehl::Drucken, &TKalenderForm::DruckenButtonClick},
        {Befehl::Export, &TKalenderForm::KalenderButtonClick},
        {Befehl::Abgleichen, &TKalenderForm::AbgleichButtonClick},
        {Befehl::Ende, &TKalenderForm::EndeButtonClick},
    };
    for (const auto& [befehl, handler] : befehle)
        connect(m_rahmen.Knopf(befehl), &TQvImageButton::OnClick, this, handler);
    m_rahmen.Knopf(Befehl::Rueckgaengig)->setEnabled(false);
    // Without a desktop calendar the export stays unavailable; nothing is reported. The window
    // does not wait for the desktop's answer, and asks only once the event loop runs: the
    // query starts child processes, which would otherwise delay the splash.
    TQvImageButton* uebergabe = m_rahmen.Knopf(Befehl::Export);
    uebergabe->setEnabled(false);
    QTimer::singleShot(0, this, [this, k = QPointer(uebergabe)] {
        DesktopkalenderFragen(this, [k](bool ja) {
            if (k)
                k->setEnabled(ja);
        });
    });
}
TQvImageButton* TKalenderForm::Knopf(const char* name) const
{
    return m_rahmen.Knopf(name);
}

// ---------------------------------------------------------------- calendar

void TKalenderForm::KalenderErstellen(const Situation& situation, bool neuPlanen)
{
    if (neuPlanen)
        m_dokument.NeuPlanen(situation, this);
    else
        m_dokument.SituationSetzen(situation);
    KalenderBauen();
}

void TKalenderForm::KalenderNeuAufbauen()
{
    m_dokument.SpanneNeuBerechnen();
    KalenderBauen();
}

void TKalenderForm::KalenderBauen()
{
    const Kalenderspanne& spanne = m_dokument.Spanne();
    const Situation& s = plan().situation();
    m_gebauteSpanne = spanne;
    m_gebauteLaender = {s.BundeslandA, s.BundeslandB};
    m_raster.Bauen(spanne, s.BundeslandA, s.BundeslandB, plan().Aufgaben(), plan().FruehesterTag());
    m_rahmen.SpanneSetzen(SpannenText());
    m_rahmen.FortschrittSetzen(plan().Aufgaben());
    m_gezogeneAufgabe = Ziehzustand();
}
void TKalenderForm::KalenderAktualisieren()
{
    m_raster.Aktualisieren(plan().Aufgaben());
    m_rahmen.SpanneSetzen(SpannenText());
    m_rahmen.FortschrittSetzen(plan().Aufgaben());
}
QString TKalenderForm::SpannenText() const
{
    return m_raster.SpannenText(m_dokument.plan().Aufgaben());
}
double TKalenderForm::ErsterTag() const
{
    return m_raster.ErsterTag();
}
double TKalenderForm::LetzterTag() const
{
    return m_raster.LetzterTag();
}
std::vector<const TagDaten*> TKalenderForm::TagDatenListe() const
{
    return m_raster.TagDatenListe();
}
void TKalenderForm::KeineAbfolge(const QString& text)
{
    Meldung(this, MeldungsArt::Bestaetigung, text, OK);
}

// ---------------------------------------------------------------- gestures

void TKalenderForm::ZiehenBei(tday* quelle, QPoint pos)
{
    m_raster.AmRandRollen(quelle->mapTo(m_raster.Flaeche()->viewport(), pos));
}

void TKalenderForm::ZellenFreigabe(tday* quelle, QPoint pos)
{
    m_raster.AmRandRollen(std::nullopt);
    const QPoint imInhalt = quelle->mapTo(m_raster.Flaeche()->widget(), pos);
    auto* ziel = qobject_cast<tday*>(m_raster.Flaeche()->widget()->childAt(imInhalt));
    if (!ziel || !ziel->isEnabled()) {
        m_gezogeneAufgabe = Ziehzustand();
        return;
    }
    const std::optional<qint32> gezogen = m_gezogeneAufgabe.Aufgabe();
    if (gezogen && ziel != quelle) {
        if (plan().AufgabeSuchen(*gezogen) >= 0)
            AufgabeZiehen(*gezogen, ziel->Datum());
    } else {
        TerminOeffnen(quelle,
                      Zellengeometrie::TerminInHoehe(quelle->Daten(), quelle->width(), pos.y()));
    }
    m_gezogeneAufgabe = Ziehzustand();
}

void TKalenderForm::TerminOeffnen(tday* zelle, int termin)
{
    const double datum = zelle->Datum();
    if (termin < 0 || termin >= static_cast<int>(zelle->Daten().Termine.size())) {
        StatusAnzeigen(Ansage::NeueAufgabe(datum));
        m_umgebung.eigeneAufgabeOeffnen(-1, datum);
    } else {
        const qint32 nummer = zelle->Daten().Termine[static_cast<size_t>(termin)].Nummer;
        const int i = plan().AufgabeSuchen(nummer);
        if (i >= 0 && plan().Aufgaben()[static_cast<size_t>(i)].Benutzeraufgabe)
            m_umgebung.eigeneAufgabeOeffnen(nummer, datum);
        else
            m_umgebung.aufgabeOeffnen(nummer);
    }
    KalenderAktualisieren();
}

// ---------------------------------------------------------------- keyboard

bool TKalenderForm::ZellenTaste(tday* zelle, QKeyEvent* ereignis)
{
    const int i = m_raster.Index(zelle);
    if (i < 0)
        return false;
    const Kalendertastatur::Stelle stelle{
        i, zelle->FokussierteAufgabe(), AnzahlTage(),
        [this](int z) { return static_cast<int>(Tag(z)->Daten().Termine.size()); }};
    const Kalendertastatur::Ziel ziel =
        Kalendertastatur::Taste(stelle, ereignis->key(), ereignis->modifiers());
    if (ziel.befehl == Kalendertastatur::Befehl::Fremd)
        return false;
    ZellenBefehl(zelle, ziel);
    return true;
}

void TKalenderForm::ZellenBefehl(tday* zelle, const Kalendertastatur::Ziel& ziel)
{
    const auto nummer = [zelle](int t) {
        return zelle->Daten().Termine[static_cast<size_t>(t)].Nummer;
    };
    switch (ziel.befehl) {
    case Kalendertastatur::Befehl::Fremd:
    case Kalendertastatur::Befehl::Nichts:
        return;
    case Kalendertastatur::Befehl::Fokus:
        ZelleFokussieren(ziel.zelle, ziel.aufgabe);
        return;
    case Kalendertastatur::Befehl::Oeffnen:
        TerminOeffnen(zelle, ziel.aufgabe);
        return;
    case Kalendertastatur::Befehl::Loeschen:
        AufgabeLoeschen(nummer(ziel.aufgabe));
        return;
    case Kalendertastatur::Befehl::Verschieben:
        AufgabeMitFokusZiehen(nummer(ziel.aufgabe), Tag(ziel.zelle)->Datum());
        return;
    case Kalendertastatur::Befehl::Erledigt:
        StatusAnzeigen(Erledigtbefehl::Umschalten(m_dokument, nummer(ziel.aufgabe)));
        KalenderAktualisieren();
        return;
    case Kalendertastatur::Befehl::Menue:
        zelle->MenueZeigen(ziel.aufgabe);
        return;
    }
}

void TKalenderForm::AufgabeMitFokusZiehen(qint32 nummer, double tag)
{
    if (!AufgabeZiehen(nummer, tag))
        return;
    // The focus follows the task to its new day.
    const int j = m_raster.Index(tag);
    if (j < 0)
        return;
    const auto& neu = Tag(j)->Daten().Termine;
    int k = -1;
    for (size_t n = 0; n < neu.size(); ++n)
        if (neu[n].Nummer == nummer)
            k = static_cast<int>(n);
    ZelleFokussieren(j, k);
}

void TKalenderForm::ZelleFokussieren(int index, int aufgabe)
{
    m_raster.Fokussieren(index, aufgabe);
}
void TKalenderForm::ZelleHatFokus(tday* zelle)
{
    m_raster.FokusUebernehmen(zelle);
}
void TKalenderForm::AufgabeLoeschen(qint32 nummer)
{
    if (!m_aufgabenbefehle.Loeschen(nummer))
        return;
    KalenderAktualisieren();
    ZelleFokussieren(m_raster.FokusZelle(), -1);
}
// ---------------------------------------------------------------- moving and undo

bool TKalenderForm::AufgabeVerschieben(qint32 nummer, qint32 start, double tag)
{
    return m_aufgabenbefehle.Verschieben(nummer, start, tag);
}
bool TKalenderForm::AufgabeZiehen(qint32 nummer, double tag)
{
    // The days before, to tell which tasks moved along.
    QHash<qint32, double> vorher;
    for (const taufgabe& a : plan().Aufgaben())
        vorher.insert(a.Nummer, a.Tag);
    const auto zug = m_aufgabenbefehle.Ziehen(nummer, tag, ErsterTag(), LetzterTag());
    if (zug == Aufgabenbefehle::Zug::SpanneVerlassen)
        KalenderNeuAufbauen();
    KalenderAktualisieren();
    if (zug == Aufgabenbefehle::Zug::Abgelehnt)
        return false;
    int mitgezogen = 0;
    QString titel;
    for (const taufgabe& a : plan().Aufgaben()) {
        if (a.Nummer == nummer)
            titel = a.Kurzbezeichnung;
        else if (vorher.value(a.Nummer, a.Tag) != a.Tag)
            ++mitgezogen;
    }
    StatusAnzeigen(Ansage::Verschoben(titel, tag, mitgezogen));
    return true;
}
void TKalenderForm::ZustandSichern()
{
    m_dokument.ZustandSichern();
}

double TKalenderForm::HeutigerTag() const
{
    return Tageszahl::heute();
}

void TKalenderForm::DokumentZustandZeigen()
{
    m_rahmen.Knopf(Befehl::Rueckgaengig)->setEnabled(m_dokument.RueckgaengigMoeglich());
    setWindowTitle(Fenstertitel::MitDatei(m_dokument.Datei()));
    setWindowModified(m_dokument.Geaendert());
}
void TKalenderForm::DokumentZeigen()
{
    const Kalenderspanne& spanne = m_dokument.Spanne();
    const Situation& s = plan().situation();
    if (spanne.ersterTag != m_gebauteSpanne.ersterTag || spanne.tage != m_gebauteSpanne.tage ||
        m_gebauteLaender != std::pair(s.BundeslandA, s.BundeslandB) || m_raster.Anzahl() == 0)
        KalenderBauen();
    else
        KalenderAktualisieren();
}
void TKalenderForm::RuckgaengigButtonClick()
{
    m_dokument.Rueckgaengig();
    DokumentZeigen();
    StatusAnzeigen(Ansage::Zurueckgenommen());
}
// ---------------------------------------------------------------- commands

void TKalenderForm::HilfeButtonClick()
{
    HilfeZeigen(this);
}

void TKalenderForm::DruckenButtonClick()
{
    // The printout says where it went; an older message would tell of another.
    StatusAnzeigen(QString());
    Ausdruckdialog()->exec();
}

void TKalenderForm::VorlagenButtonClick()
{
    Druckvorlagendialog()->exec();
}

void TKalenderForm::AbgleichButtonClick()
{
    // An older message (e.g. of a save) would no longer hold after the round.
    StatusAnzeigen(QString());
    if (m_abgleich.Ausfuehren())
        DokumentZeigen();
}

void TKalenderForm::KalenderButtonClick()
{
    m_dateibefehle.Exportieren(m_rahmen.Knopf(Befehl::Export), *m_kalenderziel);
}

void TKalenderForm::EigenerTerminButtonClick()
{
    m_umgebung.eigeneAufgabeOeffnen(-1, Tageszahl::heute());
    KalenderAktualisieren();
}
void TKalenderForm::EndeButtonClick()
{
    close();
}

void TKalenderForm::NeuButtonClick()
{
    if (!m_dateibefehle.VerwerfenErlaubt(QStringLiteral("Trotzdem neu beginnen?")))
        return;
    if (Startdialog()->Zeigen(true) == QDialog::Accepted)
        m_start.StartwahlAusfuehren(false);
}

void TKalenderForm::UmzugAendernButtonClick()
{
    if (const std::optional<QString> ansage = UmzugAendern(m_dokument, m_dialoge, this, this)) {
        KalenderBauen();
        StatusAnzeigen(*ansage);
    }
}

void TKalenderForm::SpeicherButtonClick()
{
    if (m_dateibefehle.Speichern())
        StatusAnzeigen(Ansage::Gespeichert(m_dokument.Datei()));
}

void TKalenderForm::LadenButtonClick()
{
    if (!m_dateibefehle.VerwerfenErlaubt(QStringLiteral("Trotzdem einen anderen Umzug laden?")))
        return;
    Ladebericht bericht;
    switch (m_dateibefehle.Oeffnen(&bericht)) {
    case Plandateibefehle::Oeffnung::Abgebrochen:
        return;
    case Plandateibefehle::Oeffnung::Fehler:
        StatusAnzeigen(QString()); // what it said was of the plan before, and now stale
        return;
    case Plandateibefehle::Oeffnung::Geladen:
        DokumentZeigen();
        m_start.GeladenMelden(bericht);
    }
}

void TKalenderForm::StatusAnzeigen(const QString& text)
{
    m_rahmen.StatusSetzen(text);
}
QString TKalenderForm::StatusText() const
{
    return m_rahmen.Status();
}
// ---------------------------------------------------------------- window events

void TKalenderForm::resizeEvent(QResizeEvent* ereignis)
{
    const auto lage = Fensterlayout::Berechnen(size());
    m_raster.Flaeche()->setGeometry(lage.kalender);
    m_rahmen.Anordnen(lage, width());
    m_raster.Anordnen();
    QWidget::resizeEvent(ereignis);
}
void TKalenderForm::closeEvent(QCloseEvent* ereignis)
{
    if (m_dokument.Geaendert()) {
        if (!m_dateibefehle.VerwerfenErlaubt(QStringLiteral("Trotzdem beenden?"))) {
            ereignis->ignore();
            return;
        }
    } else {
        QString fehler;
        // The client area, as FensterLageSetzen takes it back.
        const QRect lage = isMaximized() ? QRect(0, -1, width(), height()) : geometry();
        if (!FensterSchreiben(m_dokument.Einstellungsdatei(), lage, &fehler))
            FehlerBericht(this, fehler);
    }
    ereignis->accept();
}
