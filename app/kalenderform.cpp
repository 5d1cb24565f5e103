#include "app/kalenderform.h"

#include "app/kwbild.h"
#include "app/reihenfolge.h"
#include "app/situationsform.h"
#include "app/splashform.h"
#include "app/tday.h"
#include "dialogs/eigenerterminform.h"
#include "dialogs/hilfefenster.h"
#include "dialogs/hilfetaste.h"
#include "dialogs/outlookapplication.h"
#include "dialogs/outlookexport.h"
#include "dialogs/terminform.h"
#include "print/ausdruckform.h"
#include "print/drucker.h"
#include "print/druckvorlagenform.h"
#include "model/plandatei.h"
#include "model/tageszahl.h"
#include "widgets/artwork.h"
#include "widgets/dateidialog.h"
#include "widgets/farben.h"
#include "widgets/meldung.h"
#include "widgets/qvimagebutton.h"
#include "widgets/schrift.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

const QString TKalenderForm::HinweisZiehen = QStringLiteral(
    "Sie können die Aufgabe bei gedückter Maustaste an einen anderen Tag verschieben.");
const QString TKalenderForm::HinweisFreieFlaeche = QStringLiteral(
    "Mit einem Klick auf freie Kalenderfläche können Sie eine neue Aufgabe hinzufügen.");
const QString TKalenderForm::FremdGeaendertFrage = QStringLiteral(
    "Die Datei „%1“ wurde geändert, seit dieser Plan sie geöffnet oder gespeichert hat – "
    "vielleicht in einem zweiten Kistenlotse-Fenster.\n"
    "Soll sie trotzdem überschrieben werden? Mit „Nein“ wählen Sie einen anderen Namen.");
const QString TKalenderForm::GekuerztHinweis = QStringLiteral(
    "Die Datei enthielt zu lange Angaben; %1 davon wurden beim Laden gekürzt.");
const QString TKalenderForm::HinweisAufgabe =
    QStringLiteral("Mit einem Klick auf die Aufgabe erhalten Sie weitere Informationen.");

namespace {

// The command buttons from top to bottom, with their object names and pictures.
struct Knopfbeschreibung
{
    const char* name;
    QLatin1String bild;
};

constexpr std::array<Knopfbeschreibung, Fensterlayout::Anzahlknoepfe> Knopfliste{{
    {"RuckgaengigButton", Artwork::Kalender::Rueckgaengig},
    {"HilfeButton", Artwork::Kalender::Hilfe},
    {"EigenerTerminButton", Artwork::Kalender::NeueAufgabe},
    {"NeuButton", Artwork::Kalender::NeuBeginnen},
    {"SpeicherButton", Artwork::Kalender::Speichern},
    {"LadenButton", Artwork::Kalender::Laden},
    {"VorlagenButton", Artwork::Kalender::Vorlagen},
    {"DruckenButton", Artwork::Kalender::Drucken},
    {"OutlookButton", Artwork::Kalender::Outlook},
    {"EndeButton", Artwork::Kalender::Ende},
}};

// Positions in Knopfliste.
namespace K {
enum { Rueckgaengig, Hilfe, EigenerTermin, Neu, Speichern, Laden, Vorlagen, Drucken, Outlook, Ende };
}

const std::array<const char*, 7> Wochentage{"Montag", "Dienstag", "Mittwoch", "Donnerstag",
                                            "Freitag", "Samstag", "Sonntag"};

} // namespace

TKalenderForm::TKalenderForm(QWidget* eltern)
    : QWidget(eltern), einstellungsPfad(EinstellungsPfad()),
      m_outlook(std::make_unique<TOutlookApplication>())
{
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
    m_titel->setStyleSheet(QStringLiteral("color: rgb(0, 0, 102);"));
    m_titel->move(20, 0);
    m_titel->adjustSize();

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
        m_situation = new TSituationsForm(this);
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
        m_speichernDialog->setNameFilters({QStringLiteral("Umzugsdateien (*.kvr)"), QStringLiteral("Alle Dateien (*)")});
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
        m_ladenDialog->setNameFilters({QStringLiteral("Umzugsdateien (*.kvr)"), QStringLiteral("Alle Dateien (*)")});
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
    connect(m_knoepfe[K::Outlook], &TQvImageButton::OnClick, this, &TKalenderForm::OutlookButtonClick);
    connect(m_knoepfe[K::Drucken], &TQvImageButton::OnClick, this, &TKalenderForm::DruckenButtonClick);
    connect(m_knoepfe[K::Vorlagen], &TQvImageButton::OnClick, this, &TKalenderForm::VorlagenButtonClick);
    // Without a desktop calendar the export stays unavailable; nothing is reported. The window
    // does not wait for the desktop's answer.
    m_knoepfe[K::Outlook]->setEnabled(false);
    OutlookVerfuegbarFragen(this, [k = m_knoepfe[K::Outlook]](bool ja) { k->setEnabled(ja); });
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

bool TKalenderForm::Starten()
{
    const bool weiter = Begruessung()->exec() == QDialog::Accepted;
    // The splash shows once per run: its window and pictures need no memory after it.
    delete m_splash;
    m_splash = nullptr;
    if (!weiter)
        return false;
    const double heute = Tageszahl::heute();
    Startdialog()->DatenSetzen(heute + 15, heute + 30);
    if (m_situation->exec() != QDialog::Accepted)
        return false;
    const Einstellungen& e = m_situation->GeleseneEinstellungen();
    FensterLageSetzen(e.fensteroben, e.fensterlinks, e.fensterbreite, e.fensterhoehe);
    m_ersterStart = false;
    KalenderAktualisieren();
    return true;
}

void TKalenderForm::FensterLageSetzen(int oben, int links, int breite, int hoehe)
{
    if (breite >= 0 && hoehe >= 0 && oben >= 0) {
        setWindowState(Qt::WindowNoState);
        // The stored values are the client area, which a window manager leaves where it is
        // asked to; its frame is known only once the window is shown.
        setGeometry(links, oben, std::max(breite, minimumWidth()), std::max(hoehe, minimumHeight()));
        show();
    } else {
        // Nothing stored, or the window was maximised when it was closed.
        showMaximized();
    }
}

// ---------------------------------------------------------------- calendar

void TKalenderForm::KalenderErstellen(int bundeslandA, int bundeslandB, bool auszugsrenovierung,
                                      bool einzugsrenovierung, bool spedition, bool kinder,
                                      double einzugdatum, double auszugdatum, bool neuPlanen)
{
    TageFreigeben();

    Situation& s = m_plan.situation;
    s.BundeslandA = bundeslandA;
    s.BundeslandB = bundeslandB;
    s.Auszugsrenovierung = auszugsrenovierung;
    s.Einzugsrenovierung = einzugsrenovierung;
    s.Spedition = spedition;
    s.Kinder = kinder;
    s.Einzugdatum = Tageszahl::Text(einzugdatum);
    s.Auszugdatum = Tageszahl::Text(auszugdatum);

    if (neuPlanen)
        m_plan.AbfolgeSuchen(einzugdatum, auszugdatum, this);

    m_spanne = SpanneBerechnen(m_plan.Aufgaben, Tageszahl::heute());
    m_tage.reserve(static_cast<size_t>(m_spanne.anzdays));
    for (int i = 0; i < m_spanne.anzdays; ++i) {
        auto* zelle = new tday(this, m_spanne.firstday + i, m_inhalt);
        zelle->setObjectName(QStringLiteral("Tag%1").arg(i));
        m_tage.push_back(zelle);
    }

    m_wochen = Kalenderwochen(m_spanne);
    delete m_kwBild; // replaced at every build
    m_kwBild = new KWBild(m_wochen, m_inhalt);
    m_kwBild->setObjectName(QStringLiteral("KWBild"));
    m_kwBild->move(0, 0);

    FeiertageMarkieren(bundeslandA, bundeslandB);
    KalenderAktualisieren();
    ZellenAnordnen();
    for (tday* t : m_tage)
        t->show();
    m_kwBild->show();
    gezogeneAufgabe = -1;
}

void TKalenderForm::KalenderNeuAufbauen()
{
    const Situation s = m_plan.situation;
    double einzug = 0;
    double auszug = 0;
    Tageszahl::ausText(s.Einzugdatum, &einzug);
    Tageszahl::ausText(s.Auszugdatum, &auszug);
    KalenderErstellen(s.BundeslandA, s.BundeslandB, s.Auszugsrenovierung, s.Einzugsrenovierung,
                      s.Spedition, s.Kinder, einzug, auszug, false);
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
}

void TKalenderForm::ZellenAnordnen()
{
    const int breite = m_scrollBox->width();
    const int zeilen = static_cast<int>(m_tage.size()) / 7;
    m_inhalt->resize(m_scrollBox->viewport()->width(), std::max(zeilen, 1) * Fensterlayout::Zellenhoehe);
    for (size_t i = 0; i < m_tage.size(); ++i)
        m_tage[i]->setGeometry(Fensterlayout::Zelle(static_cast<int>(i), breite));
}

void TKalenderForm::WochentageAnordnen()
{
    for (size_t k = 0; k < m_tagKoepfe.size(); ++k)
        m_tagKoepfe[k]->setGeometry(Fensterlayout::Wochentagskopf(static_cast<int>(k), m_wochentage->width()));
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
        gezogeneAufgabe = -1;
        return;
    }
    if (gezogeneAufgabe >= 0 && ziel != quelle) {
        const int i = m_plan.AufgabeSuchen(gezogeneAufgabe);
        if (i >= 0) {
            const taufgabe& a = m_plan.Aufgaben[static_cast<size_t>(i)];
            if (AufgabeVerschieben(a.Nummer, a.Start, ziel->Datum())) {
                ZustandSichern();
                m_plan.Aufgaben[static_cast<size_t>(i)].Tag = ziel->Datum();
                KalenderAktualisieren();
            }
        }
    } else {
        const int t = quelle->daten.TerminInHoehe(pos.y());
        if (t < 0) {
            EigeneAufgabeOeffnen(-1, quelle->Datum());
        } else {
            const qint32 nummer = quelle->daten.Termine[static_cast<size_t>(t)].Nummer;
            const int i = m_plan.AufgabeSuchen(nummer);
            if (i >= 0 && m_plan.Aufgaben[static_cast<size_t>(i)].Benutzeraufgabe)
                EigeneAufgabeOeffnen(nummer, quelle->Datum());
            else
                AufgabeOeffnen(nummer);
        }
        KalenderAktualisieren();
    }
    gezogeneAufgabe = -1;
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

void TKalenderForm::OutlookButtonClick()
{
    ::OutlookButtonClick(this, m_knoepfe[K::Outlook], m_plan.Aufgaben, *m_outlook);
}

void TKalenderForm::EigenerTerminButtonClick()
{
    EigeneAufgabeOeffnen(-1, Tageszahl::heute());
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
        // Both dialogs start in the program's folder every time.
        SaveDialog1()->setDirectory(QCoreApplication::applicationDirPath());
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
                            m_spanne.firstday, anzdays(), &fehler, &einstellungsFehler, &stand)) {
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

void TKalenderForm::PlanOeffnen()
{
    OpenDialog1()->setDirectory(QCoreApplication::applicationDirPath());
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
                    QStringLiteral("Ihre letzten Änderungen wurden nicht gespeichert. Trotzdem beenden?"),
                    OK | Abbrechen)
            != OK) {
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
