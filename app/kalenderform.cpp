#include "app/kalenderform.h"

#include "app/kalendertastatur.h"
#include "app/kwbild.h"
#include "app/reihenfolge.h"
#include "app/situationsform.h"
#include "app/splashform.h"
#include "app/tagzugang.h"
#include "app/tday.h"
#include "dialogs/eigenerterminform.h"
#include "dialogs/hilfefenster.h"
#include "dialogs/hilfetaste.h"
#include "dialogs/terminexport.h"
#include "dialogs/terminform.h"
#include "dialogs/terminregeln.h"
#include "kalenderexport/desktopkalender.h"
#include "model/kalendertexte.h"
#include "model/mitverschieben.h"
#include "model/plandatei.h"
#include "model/tagdaten.h"
#include "model/tageszahl.h"
#include "print/ausdruckform.h"
#include "print/drucker.h"
#include "print/druckvorlagenform.h"
#include "widgets/artwork.h"
#include "widgets/dateidialog.h"
#include "widgets/farben.h"
#include "widgets/meldung.h"
#include "widgets/qvimagebutton.h"
#include "widgets/schrift.h"
#include "widgets/zellengeometrie.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

const QString TKalenderForm::FremdGeaendertFrage = QStringLiteral(
    "Die Datei „%1“ wurde geändert, seit dieser Plan sie geöffnet oder gespeichert hat – "
    "vielleicht in einem zweiten Kistenlotse-Fenster.\n"
    "Soll sie trotzdem überschrieben werden? Mit „Nein“ wählen Sie einen anderen Namen.");
const QString TKalenderForm::GekuerztHinweis =
    QStringLiteral("Die Datei enthielt zu lange Angaben; %1 davon wurden beim Laden gekürzt.");

namespace {

// The command buttons from top to bottom, with their object names and pictures.
struct Knopfbeschreibung
{
    const char* name;
    QLatin1String bild;
    QKeyCombination kuerzel; // none for the commands without one
};

constexpr std::array<Knopfbeschreibung, Fensterlayout::Anzahlknoepfe> Knopfliste{{
    {"RuckgaengigButton", Artwork::Kalender::Rueckgaengig, Qt::CTRL | Qt::Key_Z},
    {"HilfeButton", Artwork::Kalender::Hilfe, QKeyCombination(Qt::Key_F1)},
    {"EigenerTerminButton", Artwork::Kalender::NeueAufgabe, Qt::CTRL | Qt::Key_N},
    {"NeuButton", Artwork::Kalender::NeuBeginnen, QKeyCombination()},
    {"SpeicherButton", Artwork::Kalender::Speichern, Qt::CTRL | Qt::Key_S},
    {"LadenButton", Artwork::Kalender::Laden, Qt::CTRL | Qt::Key_O},
    {"VorlagenButton", Artwork::Kalender::Vorlagen, QKeyCombination()},
    {"DruckenButton", Artwork::Kalender::Drucken, Qt::CTRL | Qt::Key_P},
    {"OutlookButton", Artwork::Kalender::Export, QKeyCombination()},
    {"EndeButton", Artwork::Kalender::Ende, Qt::CTRL | Qt::Key_Q},
}};

// Positions in Knopfliste.
namespace K {
enum
{
    Rueckgaengig,
    Hilfe,
    EigenerTermin,
    Neu,
    Speichern,
    Laden,
    Vorlagen,
    Drucken,
    Export,
    Ende
};
}

const std::array<const char*, 7> Wochentage{"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                            "Freitag", "Samstag",  "Sonntag"};

} // namespace

TKalenderForm::TKalenderForm(QWidget* eltern)
    : QWidget(eltern), heute(&Tageszahl::heute), einstellungsPfad(EinstellungsPfad()),
      m_kalenderziel(std::make_unique<Desktopkalender>())
{
    TagZugangEinrichten();
    setObjectName(QStringLiteral("KalenderForm"));
    setWindowTitle(QStringLiteral("Kistenlotse der Quellmark AG"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    resize(755, 620);
    setMinimumSize(400, 380);

    m_titel = new QLabel(QStringLiteral("Ihr Umzugskalender"), this);
    m_titel->setObjectName(QStringLiteral("Label2"));
    m_titel->setFont(ArialPixel(32, true));
    m_titel->setStyleSheet(Farben::Ueberschrift());
    m_titel->move(20, 0);
    m_titel->adjustSize();
    // Beside the title, the months the plan covers.
    m_spanneLabel = new QLabel(this);
    m_spanneLabel->setObjectName(QStringLiteral("SpanneLabel"));
    m_spanneLabel->setFont(ArialPixel(20, true));
    m_spanneLabel->setStyleSheet(Farben::Textfarbe(Farben::Mittelblau));

    m_deko = new TQvImage(this);
    m_deko->setObjectName(QStringLiteral("Image1"));
    m_deko->setFileName(QString(Artwork::Dekorspalte));
    m_logo = new TQvImage(this);
    m_logo->setObjectName(QStringLiteral("Image2"));
    m_logo->setFileName(QString(Artwork::Logo));

    m_wochentage = new QWidget(this);
    m_wochentage->setObjectName(QStringLiteral("WeekdaysPanel"));
    m_wochentage->setAutoFillBackground(true);
    QPalette kopf = m_wochentage->palette();
    kopf.setColor(QPalette::Window, Farben::Dunkelblau);
    kopf.setColor(QPalette::WindowText, Qt::white);
    m_wochentage->setPalette(kopf);
    QFont kopfSchrift = font();
    kopfSchrift.setBold(true);
    m_kwLabel = new QLabel(QStringLiteral("KW"), m_wochentage);
    m_kwLabel->setObjectName(QStringLiteral("KWLabel"));
    m_kwLabel->setFont(kopfSchrift);
    m_kwLabel->setAlignment(Qt::AlignCenter);
    m_kwLabel->setGeometry(1, 0, 20, Fensterlayout::Kopfleistenhoehe);
    for (size_t k = 0; k < Wochentage.size(); ++k) {
        auto* l = new QLabel(QString::fromLatin1(Wochentage[k]), m_wochentage);
        l->setObjectName(QString::fromLatin1(Wochentage[k]) + QStringLiteral("Label"));
        l->setFont(kopfSchrift);
        l->setAlignment(Qt::AlignCenter);
        m_tagKoepfe[k] = l;
    }

    m_scrollBox = new QScrollArea(this);
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_scrollBox->setFrameShape(QFrame::NoFrame);
    m_scrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scrollBox->verticalScrollBar()->setFixedWidth(16);
    m_scrollBox->setWidgetResizable(false);
    m_scrollBox->setBackgroundRole(QPalette::Window);
    m_scrollBox->setFocusPolicy(Qt::NoFocus); // the day cells take the focus themselves
    m_inhalt = new QWidget;
    m_inhalt->setObjectName(QStringLiteral("Kalenderinhalt"));
    m_inhalt->setAutoFillBackground(true);
    m_inhalt->setPalette(pal);
    m_scrollBox->setWidget(m_inhalt); // the scroll area owns the content
    m_scrollBox->viewport()->installEventFilter(this);
    m_inhalt->installEventFilter(this);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusPanel"));
    m_status->setAutoFillBackground(true);
    m_status->setPalette(pal);
    m_status->setStyleSheet(QStringLiteral("color: red; background: white;"));
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    KnoepfeAnlegen();

    // The dialogs, the splash included, are made on first use: the splash shows sooner.
    // Where a printout went is told in the status line.
    DruckmeldungSetzen([fenster = QPointer<TKalenderForm>(this)](const QString& text) {
        if (fenster)
            fenster->StatusAnzeigen(text);
    });
    new THilfeTaste(this); // F1 in every window

    AufgabeOeffnen = [this](qint32 nummer) {
        Termindialog()->AufgabeAnzeigen(nummer);
        Termindialog()->exec();
    };
    EigeneAufgabeOeffnen = [this](qint32 nummer, double tag) {
        EigenerTermindialog()->AufgabeAnzeigen(nummer, tag);
        EigenerTermindialog()->exec();
    };
}

TKalenderForm::~TKalenderForm() = default;

TSplashForm* TKalenderForm::Begruessung()
{
    if (!m_splash)
        m_splash = new TSplashForm(this);
    return m_splash;
}

TSituationsForm* TKalenderForm::Startdialog()
{
    if (!m_situation)
        m_situation = new TSituationsForm(this, this);
    return m_situation;
}

TEigenerTerminForm* TKalenderForm::EigenerTermindialog()
{
    if (!m_eigenerTermin)
        m_eigenerTermin = new TEigenerTerminForm(this, this);
    return m_eigenerTermin;
}

TAusdruckForm* TKalenderForm::Ausdruckdialog()
{
    if (!m_ausdruck)
        m_ausdruck = new TAusdruckForm(this, this);
    return m_ausdruck;
}

TDruckvorlagenForm* TKalenderForm::Druckvorlagendialog()
{
    if (!m_druckvorlagen)
        m_druckvorlagen = new TDruckvorlagenForm(this);
    return m_druckvorlagen;
}

TTerminForm* TKalenderForm::Termindialog()
{
    if (!m_termin) {
        m_termin = new TTerminForm(this, this);
        m_termin->DruckvorlagenZeigen = [this] { Druckvorlagendialog()->exec(); };
    }
    return m_termin;
}

TReihenfolge* TKalenderForm::Reihenfolgedialog()
{
    if (!m_reihenfolge)
        m_reihenfolge = new TReihenfolge(this);
    return m_reihenfolge;
}

QFileDialog* TKalenderForm::SaveDialog1()
{
    if (!m_speichernDialog) {
        m_speichernDialog = new TDateiDialog(this);
        m_speichernDialog->setNameFilters(
            {QStringLiteral("Umzugsdateien (*.kvr)"), QStringLiteral("Alle Dateien (*)")});
        m_speichernDialog->setObjectName(QStringLiteral("SaveDialog1"));
        m_speichernDialog->setWindowTitle(QStringLiteral("Umzug speichern"));
        m_speichernDialog->setAcceptMode(QFileDialog::AcceptSave);
        m_speichernDialog->setFileMode(QFileDialog::AnyFile);
        m_speichernDialog->setDefaultSuffix(QStringLiteral("kvr"));
    }
    return m_speichernDialog;
}

QFileDialog* TKalenderForm::OpenDialog1()
{
    if (!m_ladenDialog) {
        m_ladenDialog = new TDateiDialog(this);
        m_ladenDialog->setNameFilters(
            {QStringLiteral("Umzugsdateien (*.kvr)"), QStringLiteral("Alle Dateien (*)")});
        m_ladenDialog->setObjectName(QStringLiteral("OpenDialog1"));
        m_ladenDialog->setWindowTitle(QStringLiteral("Umzug laden"));
        m_ladenDialog->setAcceptMode(QFileDialog::AcceptOpen);
        m_ladenDialog->setFileMode(QFileDialog::ExistingFile);
    }
    return m_ladenDialog;
}

void TKalenderForm::KnoepfeAnlegen()
{
    for (size_t i = 0; i < Knopfliste.size(); ++i) {
        auto* k = new TQvImageButton(QString(Knopfliste[i].bild), this);
        k->setObjectName(QString::fromLatin1(Knopfliste[i].name));
        if (Knopfliste[i].kuerzel.key() != Qt::Key_unknown)
            k->setTastenkuerzel(QKeySequence(Knopfliste[i].kuerzel));
        m_knoepfe[i] = k;
    }
    m_knoepfe[K::Rueckgaengig]->setEnabled(false);
    connect(m_knoepfe[K::Rueckgaengig], &TQvImageButton::OnClick, this,
            &TKalenderForm::RuckgaengigButtonClick);
    connect(m_knoepfe[K::Hilfe], &TQvImageButton::OnClick, this, &TKalenderForm::HilfeButtonClick);
    connect(m_knoepfe[K::EigenerTermin], &TQvImageButton::OnClick, this,
            &TKalenderForm::EigenerTerminButtonClick);
    connect(m_knoepfe[K::Ende], &TQvImageButton::OnClick, this, &TKalenderForm::EndeButtonClick);
    connect(m_knoepfe[K::Neu], &TQvImageButton::OnClick, this, &TKalenderForm::NeuButtonClick);
    connect(m_knoepfe[K::Export], &TQvImageButton::OnClick, this,
            &TKalenderForm::KalenderButtonClick);
    connect(m_knoepfe[K::Drucken], &TQvImageButton::OnClick, this,
            &TKalenderForm::DruckenButtonClick);
    connect(m_knoepfe[K::Vorlagen], &TQvImageButton::OnClick, this,
            &TKalenderForm::VorlagenButtonClick);
    // Without a desktop calendar the export stays unavailable; nothing is reported. The window
    // does not wait for the desktop's answer.
    m_knoepfe[K::Export]->setEnabled(false);
    DesktopkalenderFragen(this, [k = m_knoepfe[K::Export]](bool ja) { k->setEnabled(ja); });
    connect(m_knoepfe[K::Speichern], &TQvImageButton::OnClick, this, &TKalenderForm::PlanSpeichern);
    connect(m_knoepfe[K::Laden], &TQvImageButton::OnClick, this, &TKalenderForm::PlanOeffnen);
}

TQvImageButton* TKalenderForm::Knopf(const char* name) const
{
    for (size_t i = 0; i < Knopfliste.size(); ++i)
        if (qstrcmp(Knopfliste[i].name, name) == 0)
            return m_knoepfe[i];
    return nullptr;
}

bool TKalenderForm::Starten(const QString& plandatei)
{
    const bool weiter = Begruessung()->exec() == QDialog::Accepted;
    // The splash shows once per run: its window and pictures need no memory after it.
    delete m_splash;
    m_splash = nullptr;
    if (!weiter)
        return false;
    Einstellungen e;
    if (!plandatei.isEmpty() && PlanVonAussenLaden(plandatei)) {
        e = EinstellungenLesen(einstellungsPfad);
    } else {
        const double tag = heute();
        Startdialog()->DatenSetzen(tag + 15, tag + 30);
        if (m_situation->exec() != QDialog::Accepted)
            return false;
        e = m_situation->GeleseneEinstellungen();
    }
    FensterLageSetzen(e.fensteroben, e.fensterlinks, e.fensterbreite, e.fensterhoehe);
    m_ersterStart = false;
    KalenderAktualisieren();
    if (m_fokusZelle < anzdays())
        ZelleFokussieren(m_fokusZelle, -1);
    return true;
}

void TKalenderForm::FensterLageSetzen(int oben, int links, int breite, int hoehe)
{
    if (breite >= 0 && hoehe >= 0 && oben >= 0) {
        setWindowState(Qt::WindowNoState);
        // The stored values are the client area, which a window manager leaves where it is
        // asked to; its frame is known only once the window is shown.
        setGeometry(links, oben, std::max(breite, minimumWidth()),
                    std::max(hoehe, minimumHeight()));
        show();
    } else {
        // Nothing stored, or the window was maximised when it was closed.
        showMaximized();
    }
}

// ---------------------------------------------------------------- calendar

void TKalenderForm::KalenderErstellen(const Situation& situation, bool neuPlanen)
{
    // The keyboard focus stays on its day when that day is in the new calendar too.
    const bool hatteFokus = qobject_cast<tday*>(QApplication::focusWidget()) != nullptr &&
                            isAncestorOf(QApplication::focusWidget());
    const double fokusTag = m_fokusZelle < anzdays() ? Tag(m_fokusZelle)->Datum() : -1e9;
    TageFreigeben();

    // The dates are kept in the short form "dd.mm.yyyy"; a text that is no date counts as day 0.
    double einzug = 0;
    double auszug = 0;
    Tageszahl::ausText(situation.Einzugdatum, &einzug);
    Tageszahl::ausText(situation.Auszugdatum, &auszug);
    Situation& s = m_plan.situation;
    s = situation;
    s.Einzugdatum = Tageszahl::Text(einzug);
    s.Auszugdatum = Tageszahl::Text(auszug);

    if (neuPlanen)
        m_plan.AbfolgeSuchen(einzug, auszug, this);

    m_spanne = SpanneBerechnen(m_plan.Aufgaben, heute());
    m_tage.reserve(static_cast<size_t>(m_spanne.tage));
    for (int i = 0; i < m_spanne.tage; ++i) {
        auto* zelle = new tday(this, m_spanne.ersterTag + i, m_inhalt);
        zelle->setObjectName(QStringLiteral("Tag%1").arg(i));
        m_tage.push_back(zelle);
    }
    // Otherwise today, or the plan's first day.
    m_fokusZelle = ZellenIndex(fokusTag);
    if (m_fokusZelle < 0)
        m_fokusZelle = ZellenIndex(heute());
    if (m_fokusZelle < 0)
        m_fokusZelle = std::max(ZellenIndex(m_plan.FruehesterTag()), 0);
    m_tage[static_cast<size_t>(m_fokusZelle)]->setFocusPolicy(Qt::StrongFocus);

    m_wochen = Kalenderwochen(m_spanne);
    delete m_kwBild; // replaced at every build
    m_kwBild = new KWBild(m_wochen, m_inhalt);
    m_kwBild->setObjectName(QStringLiteral("KWBild"));
    m_kwBild->move(0, 0);

    FeiertageMarkieren(s.BundeslandA, s.BundeslandB);
    KalenderAktualisieren();
    ZellenAnordnen();
    for (tday* t : m_tage)
        t->show();
    m_kwBild->show();
    m_gezogeneAufgabe = Ziehzustand();
    if (hatteFokus)
        ZelleFokussieren(m_fokusZelle, -1);
}

void TKalenderForm::KalenderNeuAufbauen()
{
    KalenderErstellen(m_plan.situation, false);
}

void TKalenderForm::TageFreigeben()
{
    for (tday* t : m_tage)
        t->hide();
    for (tday* t : m_tage)
        delete t;
    m_tage.clear();
}

void TKalenderForm::FeiertageMarkieren(int bundeslandA, int bundeslandB)
{
    for (tday* t : m_tage) {
        if (t->daten.Datum > 0)
            t->daten.Feiertag = Plan::Feiertag(t->daten.Datum, bundeslandA, bundeslandB);
    }
    m_inhalt->update();
}

void TKalenderForm::KalenderAktualisieren()
{
    std::vector<TagDaten*> zellen;
    std::vector<std::vector<ttermin>> vorher;
    zellen.reserve(m_tage.size());
    vorher.reserve(m_tage.size());
    for (tday* t : m_tage) {
        zellen.push_back(&t->daten);
        vorher.push_back(t->daten.Termine);
    }
    AufgabenVerteilen(m_plan.Aufgaben, zellen);
    // The cells paint opaquely, so a repaint of the calendar area would skip them: each cell
    // whose appointments changed is repainted itself, and no other.
    for (size_t i = 0; i < m_tage.size(); ++i)
        if (m_tage[i]->daten.Termine != vorher[i])
            m_tage[i]->update();
    m_spanneLabel->setText(SpannenText());
    SpanneAnordnen();
}

QString TKalenderForm::SpannenText() const
{
    if (m_tage.empty())
        return {};
    // The days that hold tasks; a calendar without any names its own span.
    const double erster = ErsterTag();
    const double letzter = LetzterTag();
    double von = letzter;
    double bis = erster;
    for (const taufgabe& a : m_plan.Aufgaben) {
        const double tag = std::trunc(a.Tag);
        if (tag >= erster && tag <= letzter) {
            von = std::min(von, tag);
            bis = std::max(bis, tag);
        }
    }
    if (von > bis)
        std::swap(von, bis);
    return Kalendertexte::Monatsspanne(von, bis);
}

void TKalenderForm::SpanneAnordnen()
{
    // On the title's baseline, up to the logo.
    const QFontMetrics titel(m_titel->font());
    const QFontMetrics spanne(m_spanneLabel->font());
    const int links = m_titel->geometry().right() + 24;
    const int oben =
        m_titel->y() + (m_titel->height() - titel.height()) / 2 + titel.ascent() - spanne.ascent();
    const int breite = width() - Fensterlayout::Logobreite - links - 8;
    m_spanneLabel->setGeometry(links, oben, std::max(breite, 0), spanne.height());
}

int TKalenderForm::ZellenIndex(double tag) const
{
    if (m_tage.empty() || !std::isfinite(tag))
        return -1;
    const double i = std::trunc(tag) - std::trunc(ErsterTag());
    return i >= 0 && i < static_cast<double>(m_tage.size()) ? static_cast<int>(i) : -1;
}

void TKalenderForm::ZellenAnordnen()
{
    const int breite = m_scrollBox->width();
    const int zeilen = static_cast<int>(m_tage.size()) / 7;
    m_inhalt->resize(m_scrollBox->viewport()->width(),
                     std::max(zeilen, 1) * Zellengeometrie::Zellenhoehe);
    for (size_t i = 0; i < m_tage.size(); ++i)
        m_tage[i]->setGeometry(Fensterlayout::Zelle(static_cast<int>(i), breite));
}

void TKalenderForm::WochentageAnordnen()
{
    for (size_t k = 0; k < m_tagKoepfe.size(); ++k)
        m_tagKoepfe[k]->setGeometry(
            Fensterlayout::Wochentagskopf(static_cast<int>(k), m_wochentage->width()));
}

double TKalenderForm::ErsterTag() const
{
    return m_tage.empty() ? 0 : m_tage.front()->daten.Datum;
}

double TKalenderForm::LetzterTag() const
{
    return m_tage.empty() ? 0 : m_tage.back()->daten.Datum;
}

std::vector<const TagDaten*> TKalenderForm::TagDatenListe() const
{
    std::vector<const TagDaten*> liste;
    liste.reserve(m_tage.size());
    for (const tday* t : m_tage)
        liste.push_back(&t->daten);
    return liste;
}

void TKalenderForm::KeineAbfolge(const QString& text)
{
    Meldung(this, MeldungsArt::Bestaetigung, text, OK);
}

// ---------------------------------------------------------------- gestures

void TKalenderForm::ZellenFreigabe(tday* quelle, QPoint pos)
{
    const QPoint imInhalt = quelle->mapTo(m_inhalt, pos);
    auto* ziel = qobject_cast<tday*>(m_inhalt->childAt(imInhalt));
    if (!ziel || !ziel->isEnabled()) {
        m_gezogeneAufgabe = Ziehzustand();
        return;
    }
    const std::optional<qint32> gezogen = m_gezogeneAufgabe.Aufgabe();
    if (gezogen && ziel != quelle) {
        if (m_plan.AufgabeSuchen(*gezogen) >= 0)
            AufgabeZiehen(*gezogen, ziel->Datum());
    } else {
        TerminOeffnen(quelle, Zellengeometrie::TerminInHoehe(quelle->daten, pos.y()));
    }
    m_gezogeneAufgabe = Ziehzustand();
}

void TKalenderForm::TerminOeffnen(tday* zelle, int termin)
{
    const double datum = zelle->Datum();
    if (termin < 0 || termin >= static_cast<int>(zelle->daten.Termine.size())) {
        EigeneAufgabeOeffnen(-1, datum);
    } else {
        const qint32 nummer = zelle->daten.Termine[static_cast<size_t>(termin)].Nummer;
        const int i = m_plan.AufgabeSuchen(nummer);
        if (i >= 0 && m_plan.Aufgaben[static_cast<size_t>(i)].Benutzeraufgabe)
            EigeneAufgabeOeffnen(nummer, datum);
        else
            AufgabeOeffnen(nummer);
    }
    KalenderAktualisieren();
}

// ---------------------------------------------------------------- keyboard

bool TKalenderForm::ZellenTaste(tday* zelle, QKeyEvent* ereignis)
{
    const auto it = std::find(m_tage.begin(), m_tage.end(), zelle);
    if (it == m_tage.end())
        return false;
    const int i = static_cast<int>(it - m_tage.begin());
    const Kalendertastatur::Stelle stelle{i, zelle->FokussierteAufgabe(), anzdays(), [this](int z) {
                                              return static_cast<int>(Tag(z)->daten.Termine.size());
                                          }};
    const Kalendertastatur::Ziel ziel =
        Kalendertastatur::Taste(stelle, ereignis->key(), ereignis->modifiers());
    const auto nummer = [zelle](int t) {
        return zelle->daten.Termine[static_cast<size_t>(t)].Nummer;
    };
    switch (ziel.befehl) {
    case Kalendertastatur::Befehl::Fremd:
        return false;
    case Kalendertastatur::Befehl::Nichts:
        return true;
    case Kalendertastatur::Befehl::Fokus:
        ZelleFokussieren(ziel.zelle, ziel.aufgabe);
        return true;
    case Kalendertastatur::Befehl::Oeffnen:
        TerminOeffnen(zelle, ziel.aufgabe);
        return true;
    case Kalendertastatur::Befehl::Loeschen:
        AufgabeLoeschen(nummer(ziel.aufgabe));
        return true;
    case Kalendertastatur::Befehl::Verschieben:
        AufgabeMitFokusZiehen(nummer(ziel.aufgabe), Tag(ziel.zelle)->Datum());
        return true;
    }
    return true;
}

void TKalenderForm::AufgabeMitFokusZiehen(qint32 nummer, double tag)
{
    if (!AufgabeZiehen(nummer, tag))
        return;
    // The focus follows the task to its new day.
    const int j = ZellenIndex(tag);
    if (j < 0)
        return;
    const auto& neu = Tag(j)->daten.Termine;
    int k = -1;
    for (size_t n = 0; n < neu.size(); ++n)
        if (neu[n].Nummer == nummer)
            k = static_cast<int>(n);
    ZelleFokussieren(j, k);
}

void TKalenderForm::ZelleFokussieren(int index, int aufgabe)
{
    if (index < 0 || index >= anzdays())
        return;
    if (m_fokusZelle != index && m_fokusZelle < anzdays())
        Tag(m_fokusZelle)->setFocusPolicy(Qt::ClickFocus);
    m_fokusZelle = index;
    tday* zelle = Tag(index);
    // Only this cell is a stop of Tab; the arrows walk the others.
    zelle->setFocusPolicy(Qt::StrongFocus);
    zelle->FokusSetzen(aufgabe);
    zelle->setFocus(Qt::OtherFocusReason);
    m_scrollBox->ensureWidgetVisible(zelle, 0, 0);
}

void TKalenderForm::ZelleHatFokus(tday* zelle)
{
    const auto it = std::find(m_tage.begin(), m_tage.end(), zelle);
    if (it == m_tage.end())
        return;
    const int index = static_cast<int>(it - m_tage.begin());
    if (index != m_fokusZelle && m_fokusZelle < anzdays())
        Tag(m_fokusZelle)->setFocusPolicy(Qt::ClickFocus);
    m_fokusZelle = index;
    zelle->setFocusPolicy(Qt::StrongFocus);
}

void TKalenderForm::AufgabeLoeschen(qint32 nummer)
{
    // The same question as the task dialogs ask, with the tasks that go too.
    const QList<qint32> abhaengige = Terminregeln::Abhaengige(m_plan.Aufgaben, nummer);
    const QString namen = Terminregeln::AufgabenNamen(m_plan.Aufgaben, abhaengige);
    const QString frage =
        namen.isEmpty() ? TTerminForm::LoeschenFrage : TTerminForm::AbhaengigeFrage + namen;
    if (Meldung(this, MeldungsArt::Bestaetigung, frage, OK | Abbrechen) != OK)
        return;
    ZustandSichern();
    for (qint32 n : QList<qint32>{nummer} + abhaengige) {
        const int i = m_plan.AufgabeSuchen(n);
        if (i >= 0)
            m_plan.Aufgaben.erase(m_plan.Aufgaben.begin() + i);
    }
    KalenderAktualisieren();
    if (m_fokusZelle < anzdays())
        ZelleFokussieren(m_fokusZelle, -1);
}

// ---------------------------------------------------------------- moving and undo

bool TKalenderForm::AufgabeVerschieben(qint32 nummer, qint32 start, double tag)
{
    const QStringList zeilen = m_plan.ReihenfolgePruefen(nummer, start, tag);
    if (zeilen.isEmpty())
        return true;
    Reihenfolgedialog()->KonflikteZeigen(zeilen);
    m_reihenfolge->exec(); // only ever ends with Cancel
    return false;
}

bool TKalenderForm::AufgabeZiehen(qint32 nummer, double tag)
{
    const int i = m_plan.AufgabeSuchen(nummer);
    if (i < 0)
        return false;
    const QStringList zeilen =
        m_plan.ReihenfolgePruefen(nummer, m_plan.Aufgaben[static_cast<size_t>(i)].Start, tag);
    Mitverschiebung bewegung;
    if (zeilen.isEmpty()) {
        bewegung.verschiebungen.push_back({static_cast<size_t>(i), tag});
    } else {
        // The dependants' days are worked out first, so the dialog can tell what cannot be placed.
        bewegung =
            MitAbhaengigenVerschieben(m_plan.Aufgaben, nummer, tag, m_plan.situation.BundeslandA,
                                      m_plan.situation.BundeslandB);
        TReihenfolge* dialog = Reihenfolgedialog();
        dialog->KonflikteZeigen(zeilen);
        dialog->MitverschiebenAnbieten(bewegung.nichtPlatzierbar);
        if (dialog->exec() != QDialog::Accepted || !bewegung.moeglich())
            return false;
    }
    ZustandSichern();
    Anwenden(m_plan.Aufgaben, bewegung);
    bool draussen = false;
    for (const Verschiebung& v : bewegung.verschiebungen)
        draussen = draussen || ZellenIndex(v.Tag) < 0;
    if (draussen)
        KalenderNeuAufbauen();
    KalenderAktualisieren();
    return true;
}

void TKalenderForm::ZustandSichern()
{
    m_knoepfe[K::Rueckgaengig]->setEnabled(true);
    m_plan.ZustandSichern();
}

void TKalenderForm::ZustandWiederherstellen()
{
    m_knoepfe[K::Rueckgaengig]->setEnabled(false);
    m_plan.ZustandWiederherstellen();
    KalenderAktualisieren();
}

bool TKalenderForm::Geaendert() const
{
    return m_knoepfe[K::Rueckgaengig]->isEnabled();
}

void TKalenderForm::RuckgaengigButtonClick()
{
    ZustandWiederherstellen();
}

// ---------------------------------------------------------------- commands

void TKalenderForm::HilfeButtonClick()
{
    HilfeZeigen(this);
}

void TKalenderForm::DruckenButtonClick()
{
    Ausdruckdialog()->exec();
}

void TKalenderForm::VorlagenButtonClick()
{
    Druckvorlagendialog()->exec();
}

void TKalenderForm::KalenderButtonClick()
{
    TermineExportieren(this, m_knoepfe[K::Export], m_plan.Aufgaben, *m_kalenderziel);
}

void TKalenderForm::EigenerTerminButtonClick()
{
    EigeneAufgabeOeffnen(-1, heute());
    KalenderAktualisieren();
}

void TKalenderForm::EndeButtonClick()
{
    close();
}

void TKalenderForm::NeuButtonClick()
{
    Startdialog()->AbbrechenButton->show();
    m_situation->exec();
    m_situation->AbbrechenButton->hide();
}

::Knopf TKalenderForm::UeberschreibenErlaubt(const QString& pfad)
{
    if (m_planDatei.isEmpty() || !m_planStand.vorhanden)
        return Ja;
    const QString bekannt = QFileInfo(m_planDatei).canonicalFilePath();
    if (bekannt.isEmpty() || QFileInfo(pfad).canonicalFilePath() != bekannt)
        return Ja;
    const Dateistand jetzt = Dateizugriff::StandJetzt(pfad, m_planStand);
    if (!jetzt.vorhanden || jetzt == m_planStand)
        return Ja;
    return Meldung(this, MeldungsArt::Bestaetigung,
                   FremdGeaendertFrage.arg(QDir::toNativeSeparators(pfad)), Ja | Nein | Abbrechen);
}

void TKalenderForm::PlanSpeichern()
{
    QString pfad;
    for (;;) {
        // Both dialogs start in the user's documents folder every time.
        SaveDialog1()->setDirectory(PlanOrdner());
        if (SaveDialog1()->exec() != QDialog::Accepted || SaveDialog1()->selectedFiles().isEmpty())
            return;
        pfad = SaveDialog1()->selectedFiles().constFirst();
        const ::Knopf antwort = UeberschreibenErlaubt(pfad);
        if (antwort == Ja)
            break;
        if (antwort != Nein)
            return;
    }
    QString fehler;
    QString einstellungsFehler;
    Dateistand stand;
    // The plan file is replaced only once the new one is complete, and lastsaved is recorded
    // only for a plan that was really written.
    if (!PlanDateiSpeichern(pfad, einstellungsPfad, m_plan.Aufgaben, m_plan.situation,
                            m_spanne.ersterTag, anzdays(), &fehler, &einstellungsFehler, &stand)) {
        Meldung(this, MeldungsArt::Warnung,
                QStringLiteral("Beim Speichern ist ein Fehler aufgetreten.\n") + fehler, OK);
        return;
    }
    m_planDatei = pfad;
    m_planStand = stand;
    m_knoepfe[K::Rueckgaengig]->setEnabled(false);
    if (!einstellungsFehler.isEmpty())
        FehlerBericht(this, einstellungsFehler);
}

bool TKalenderForm::PlanLaden(const QString& pfad, QString* grund)
{
    // The situation changes only with a plan that loaded, so a failed load leaves it intact.
    Situation gelesen = m_plan.situation;
    Ladebericht bericht;
    if (!::PlanLaden(pfad, m_plan.Aufgaben, gelesen, &bericht)) {
        if (grund)
            *grund = bericht.grund;
        return false;
    }
    m_plan.situation = gelesen;
    m_planDatei = pfad;
    m_planStand = bericht.stand;
    if (bericht.gekuerzt > 0)
        StatusAnzeigen(GekuerztHinweis.arg(bericht.gekuerzt));
    return true;
}

bool TKalenderForm::PlanVonAussenLaden(const QString& pfad)
{
    // Read as "Laden" reads, but there is no plan before it to go back to.
    m_plan.Aufgaben.clear();
    QString grund;
    if (PlanLaden(pfad, &grund)) {
        KalenderNeuAufbauen();
        return true;
    }
    Meldung(this, MeldungsArt::Warnung,
            QStringLiteral("Beim Laden der Datei ist ein Fehler aufgetreten\n") + grund, OK);
    m_plan.Aufgaben.clear();
    return false;
}

void TKalenderForm::PlanOeffnen()
{
    OpenDialog1()->setDirectory(PlanOrdner());
    if (OpenDialog1()->exec() != QDialog::Accepted || OpenDialog1()->selectedFiles().isEmpty())
        return;
    const QString pfad = OpenDialog1()->selectedFiles().constFirst();
    ZustandSichern();
    m_plan.Aufgaben.clear();
    QString grund;
    if (PlanLaden(pfad, &grund)) {
        KalenderNeuAufbauen();
        KalenderAktualisieren();
    } else {
        Meldung(this, MeldungsArt::Warnung,
                QStringLiteral("Beim Laden der Datei ist ein Fehler aufgetreten\n") + grund, OK);
        ZustandWiederherstellen();
    }
}

void TKalenderForm::StatusAnzeigen(const QString& text)
{
    m_status->setText(QStringLiteral("   ") + text);
}

QString TKalenderForm::StatusText() const
{
    return m_status->text();
}

// ---------------------------------------------------------------- window events

void TKalenderForm::resizeEvent(QResizeEvent* ereignis)
{
    const auto l = Fensterlayout::Berechnen(size());
    m_scrollBox->setGeometry(l.kalender);
    m_wochentage->setGeometry(l.kopfleiste);
    m_logo->setGeometry(l.logo);
    m_deko->setGeometry(l.deko);
    m_status->setGeometry(l.status);
    for (size_t i = 0; i < m_knoepfe.size(); ++i) {
        m_knoepfe[i]->setGeometry(l.knoepfe[i]);
        m_knoepfe[i]->raise();
    }
    m_logo->raise();
    WochentageAnordnen();
    SpanneAnordnen();
    ZellenAnordnen();
    QWidget::resizeEvent(ereignis);
}

bool TKalenderForm::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == m_scrollBox->viewport() && ereignis->type() == QEvent::Wheel) {
        // One notch of 120 scrolls 120 pixels, down for a turn toward the user.
        auto* rad = static_cast<QWheelEvent*>(ereignis);
        QScrollBar* leiste = m_scrollBox->verticalScrollBar();
        leiste->setValue(leiste->value() - rad->angleDelta().y());
        return true;
    }
    if (objekt == m_inhalt && ereignis->type() == QEvent::MouseButtonPress)
        StatusAnzeigen(QString());
    if (objekt == m_scrollBox->viewport() && ereignis->type() == QEvent::Resize)
        ZellenAnordnen();
    return QWidget::eventFilter(objekt, ereignis);
}

void TKalenderForm::closeEvent(QCloseEvent* ereignis)
{
    if (Geaendert()) {
        if (Meldung(this, MeldungsArt::Bestaetigung,
                    QStringLiteral(
                        "Ihre letzten Änderungen wurden nicht gespeichert. Trotzdem beenden?"),
                    OK | Abbrechen) != OK) {
            ereignis->ignore();
            return;
        }
    } else {
        QString fehler;
        // The client area, as FensterLageSetzen takes it back.
        const QRect lage = isMaximized() ? QRect(0, -1, width(), height()) : geometry();
        if (!FensterSchreiben(einstellungsPfad, lage, &fehler))
            FehlerBericht(this, fehler);
    }
    ereignis->accept();
}
