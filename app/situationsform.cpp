#include "app/situationsform.h"

#include "app/planstart.h"
#include "model/plan.h"
#include "model/situation.h"
#include "model/tageszahl.h"
#include "widgets/artwork.h"
#include "widgets/datumsfeld.h"
#include "widgets/dialograhmen.h"
#include "widgets/farben.h"
#include "widgets/fenstermitte.h"
#include "widgets/meldung.h"
#include "widgets/qvimagebutton.h"
#include "widgets/schrift.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

#include <cmath>

const QStringList TSituationsForm::Bundeslaender{QStringLiteral("Baden Württemberg"),
                                                 QStringLiteral("Bayern"),
                                                 QStringLiteral("Berlin"),
                                                 QStringLiteral("Brandenburg"),
                                                 QStringLiteral("Bremen"),
                                                 QStringLiteral("Hamburg"),
                                                 QStringLiteral("Hessen"),
                                                 QStringLiteral("Mecklenburg Vorpommern"),
                                                 QStringLiteral("Niedersachsen"),
                                                 QStringLiteral("Nordrhein Westfalen"),
                                                 QStringLiteral("Rheinland Pfalz"),
                                                 QStringLiteral("Saarland"),
                                                 QStringLiteral("Sachsen"),
                                                 QStringLiteral("Sachsen Anhalt"),
                                                 QStringLiteral("Schleswig Holstein"),
                                                 QStringLiteral("Thüringen"),
                                                 QStringLiteral("anderes /Ausland")};

const QString TSituationsForm::DatenUnzulaessig =
    QStringLiteral("Die gewählten Daten für Aus- bzw. Einzug sind unzulässig.\nBitte korrigieren "
                   "Sie die Eingaben.");
const QString TSituationsForm::Ladefehler =
    QStringLiteral("Beim Laden der Datei ist ein Fehler aufgetreten");

const QString TSituationsForm::FernerBeginnText =
    QStringLiteral("Der Umzug beginnt erst in mehr als einem Jahr.");
const QString TSituationsForm::LangerZeitraumText =
    QStringLiteral("Der Zeitraum für den Umzug ist länger als sechs Monate.");
const QString TSituationsForm::TrotzdemFrage =
    QStringLiteral("Soll der Umzug trotzdem mit diesen Daten geplant werden?");

using Dialograhmen::Hoehe;
using Dialograhmen::Spalte;

TSituationsForm::TSituationsForm(Planstart* start, QWidget* eltern)
    : QDialog(eltern), jetzt(&Tageszahl::jetzt), m_start(start)
{
    setObjectName(QStringLiteral("SituationsForm"));
    setWindowTitle(QStringLiteral("Kistenlotse der Quellmark AG"));
    Dialograhmen::Einrichten(this);
    setFont(Startdialogschrift());

    auto label = [this](const char* name, const QString& text, QRect lage) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(lage);
        return l;
    };
    QLabel* titel = label("Label5", QStringLiteral("Die Eckpunkte"), QRect(100, 20, 400, 40));
    titel->setFont(ArialPixel(32, true));
    titel->setStyleSheet(Farben::Ueberschrift());
    label("Label6", QStringLiteral("Von hier nach dort"), QRect(100, 68, 300, 20))
        ->setFont(ArialPixel(14, true));

    label("Label1", QStringLiteral("Ich ziehe von"), QRect(100, 100, 94, 22));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems(Bundeslaender);
    ComboBox1->setGeometry(196, 100, 160, 22);
    CheckBox2 = new QCheckBox(QStringLiteral("beim Auszug renovieren"), this);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox2->setGeometry(362, 100, 150, 22);

    label("Label2", QStringLiteral("nach"), QRect(100, 132, 94, 22));
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->addItems(Bundeslaender);
    ComboBox2->setGeometry(196, 132, 160, 22);
    CheckBox1 = new QCheckBox(QStringLiteral("beim Einzug renovieren"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(362, 132, 150, 22);

    SpeditionCheckBox = new QCheckBox(QStringLiteral("mit einer Spedition"), this);
    SpeditionCheckBox->setObjectName(QStringLiteral("SpeditionCheckBox"));
    SpeditionCheckBox->setGeometry(196, 170, 200, 22);
    KinderCheckBox = new QCheckBox(QStringLiteral("mit Kindern"), this);
    KinderCheckBox->setObjectName(QStringLiteral("KinderCheckBox"));
    KinderCheckBox->setGeometry(196, 194, 200, 22);

    label("Label3", QStringLiteral("Einzug ab dem"), QRect(100, 232, 94, 22));
    DateEdit1 =
        Dialograhmen::Datumsfeld(this, "DateEdit1", QRect(196, 232, 120, 22), Farben::Hellblau);
    label("Label4", QStringLiteral("Auszug vor dem"), QRect(100, 262, 94, 22));
    DateEdit2 =
        Dialograhmen::Datumsfeld(this, "DateEdit2", QRect(196, 262, 120, 22), Farben::Hellblau);

    Label7 = label("Label7", QString(), QRect(100, 304, 400, 110));
    Label7->setWordWrap(true);
    Label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    WeiterButton = new TQvImageButton(QString(Artwork::Situation::Weiter), this);
    WeiterButton->setObjectName(QStringLiteral("WeiterButton"));
    WeiterButton->move(Spalte, Hoehe - 24 - 10);
    WeiterplanenButton = new TQvImageButton(QString(Artwork::Situation::Weiterplanen), this);
    WeiterplanenButton->setObjectName(QStringLiteral("WeiterplanenButton"));
    WeiterplanenButton->move(Spalte, Hoehe - 2 * 24 - 10);
    AbbrechenButton = new TQvImageButton(QString(Artwork::Situation::Abbrechen), this);
    AbbrechenButton->setObjectName(QStringLiteral("AbbrechenButton"));
    AbbrechenButton->hide();

    connect(WeiterButton, &TQvImageButton::OnClick, this, &TSituationsForm::WeiterButtonClick);
    connect(WeiterplanenButton, &TQvImageButton::OnClick, this,
            &TSituationsForm::WeiterplanenButtonClick);
    connect(AbbrechenButton, &TQvImageButton::OnClick, this, &QDialog::reject);

    setTabOrder(ComboBox1, CheckBox2);
    setTabOrder(CheckBox2, ComboBox2);
    setTabOrder(ComboBox2, CheckBox1);
    setTabOrder(CheckBox1, SpeditionCheckBox);
    setTabOrder(SpeditionCheckBox, KinderCheckBox);
    setTabOrder(KinderCheckBox, DateEdit1);
    setTabOrder(DateEdit1, DateEdit2);
    // The buttons follow the questions, the default one first.
    setTabOrder(DateEdit2, WeiterButton);
    setTabOrder(WeiterButton, WeiterplanenButton);
    setTabOrder(WeiterplanenButton, AbbrechenButton);
}

QString TSituationsForm::ZeitraumFrage(double heute, double einzug, double auszug)
{
    const QDate h = Tageszahl::zuDatum(heute);
    const QDate e = Tageszahl::zuDatum(einzug);
    const QDate a = Tageszahl::zuDatum(auszug);
    if (!h.isValid() || !e.isValid() || !a.isValid())
        return {};
    QStringList gruende;
    if (e > h.addYears(1))
        gruende.append(FernerBeginnText);
    if (a > e.addMonths(6))
        gruende.append(LangerZeitraumText);
    if (gruende.isEmpty())
        return {};
    return gruende.join(QLatin1Char('\n')) + QLatin1Char('\n') + TrotzdemFrage;
}

void TSituationsForm::keyPressEvent(QKeyEvent* ereignis)
{
    if (ereignis->key() != Qt::Key_Return && ereignis->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(ereignis);
        return;
    }
    ereignis->accept();
    // A date field has just reported a text that is no date; that message is enough.
    for (const TDateEdit* feld : {DateEdit1, DateEdit2})
        if (feld->isAncestorOf(focusWidget()) && feld->Date() == 0)
            return;
    WeiterButton->Klicken();
}

void TSituationsForm::DatenSetzen(double einzug, double auszug)
{
    DateEdit1->setDate(einzug);
    DateEdit2->setDate(auszug);
}

void TSituationsForm::showEvent(QShowEvent* ereignis)
{
    FormShow();
    QDialog::showEvent(ereignis);
}

void TSituationsForm::FormShow()
{
    AufBildschirmMitte(this);
    m_einstellungen = EinstellungenLesen(m_start->Einstellungsdatei());
    const QString anfang =
        QStringLiteral("Durch beantworten der Fragen und klick auf \"Weiter\"\nbeginnen Sie die "
                       "Planung eines neuen Umzugs");
    if (!m_einstellungen.zuletztGespeichert.isEmpty()) {
        Label7->setText(
            anfang +
            QStringLiteral(". \nMit Klick auf \"Weiterplanen\" laden Sie den letzten Umzug.\n (") +
            m_einstellungen.zuletztGespeichert + QStringLiteral(")"));
        WeiterplanenButton->show();
        AbbrechenButton->move(Spalte, WeiterplanenButton->y() - AbbrechenButton->height());
    } else {
        Label7->setText(anfang);
        WeiterplanenButton->hide();
        AbbrechenButton->move(Spalte, WeiterButton->y() - AbbrechenButton->height());
    }
}

void TSituationsForm::WeiterButtonClick()
{
    const double e = DateEdit1->Date();
    const double a = DateEdit2->Date();
    if (jetzt() > e || e > a) {
        Meldung(this, MeldungsArt::Bestaetigung, DatenUnzulaessig, OK);
        return;
    }
    const QString frage = ZeitraumFrage(std::trunc(jetzt()), e, a);
    if (!frage.isEmpty() && Meldung(this, MeldungsArt::Bestaetigung, frage, Ja | Nein) != Ja)
        return;
    Situation s;
    s.BundeslandA = ComboBox1->currentIndex() + 1;
    s.BundeslandB = ComboBox2->currentIndex() + 1;
    s.Auszugsrenovierung = CheckBox2->isChecked();
    s.Einzugsrenovierung = CheckBox1->isChecked();
    s.Spedition = SpeditionCheckBox->isChecked();
    s.Kinder = KinderCheckBox->isChecked();
    s.Einzugdatum = Tageszahl::Text(e);
    s.Auszugdatum = Tageszahl::Text(a);
    m_start->plan().Aufgaben.clear();
    m_start->KalenderErstellen(s, true);
    accept();
}

void TSituationsForm::WeiterplanenButtonClick()
{
    Plan& plan = m_start->plan();
    plan.Aufgaben.clear();
    QString grund;
    if (m_start->PlanLaden(m_einstellungen.zuletztGespeichert, &grund)) {
        m_start->KalenderNeuAufbauen();
    } else {
        Meldung(this, MeldungsArt::Warnung, Ladefehler + QLatin1Char('\n') + grund, OK);
        plan.Aufgaben.clear();
        // No plan: an empty calendar of five weeks from this week.
        m_start->KalenderNeuAufbauen();
    }
    m_start->KalenderAktualisieren();
    accept();
}
