#include "app/situationsform.h"

#include "app/fenstertitel.h"

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
#include <QLineEdit>

#include <algorithm>
#include <cmath>
#include <utility>

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

using Dialograhmen::Hoehe;
using Dialograhmen::Spalte;

TSituationsForm::TSituationsForm(QString einstellungsPfad, QWidget* eltern)
    : QDialog(eltern), m_einstellungsPfad(std::move(einstellungsPfad))
{
    setObjectName(QStringLiteral("SituationsForm"));
    setWindowTitle(Fenstertitel::Programm());
    Dialograhmen::Einrichten(this);
    setFont(Startdialogschrift());

    auto label = [this](const char* name, const QString& text, QRect lage) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(lage);
        return l;
    };
    m_titel = label("Label5", QStringLiteral("Die Eckpunkte"), QRect(100, 20, 400, 40));
    m_titel->setFont(ArialPixel(32, true));
    m_titel->setStyleSheet(Farben::Ueberschrift());
    label("Label6", QStringLiteral("Von hier nach dort"), QRect(100, 68, 300, 20))
        ->setFont(ArialPixel(14, true));

    QLabel* vonLabel = label("Label1", QStringLiteral("Ich ziehe von"), QRect(100, 100, 94, 22));
    m_vonLand = new QComboBox(this);
    m_vonLand->setObjectName(QStringLiteral("ComboBox1"));
    m_vonLand->addItems(Bundeslaender);
    m_vonLand->setGeometry(196, 100, 160, 22);
    m_auszugRenovieren = new QCheckBox(QStringLiteral("beim Auszug renovieren"), this);
    m_auszugRenovieren->setObjectName(QStringLiteral("CheckBox2"));
    m_auszugRenovieren->setGeometry(362, 100, 150, 22);

    QLabel* nachLabel = label("Label2", QStringLiteral("nach"), QRect(100, 132, 94, 22));
    m_nachLand = new QComboBox(this);
    m_nachLand->setObjectName(QStringLiteral("ComboBox2"));
    m_nachLand->addItems(Bundeslaender);
    m_nachLand->setGeometry(196, 132, 160, 22);
    m_einzugRenovieren = new QCheckBox(QStringLiteral("beim Einzug renovieren"), this);
    m_einzugRenovieren->setObjectName(QStringLiteral("CheckBox1"));
    m_einzugRenovieren->setGeometry(362, 132, 150, 22);

    m_spedition = new QCheckBox(QStringLiteral("mit einer Spedition"), this);
    m_spedition->setObjectName(QStringLiteral("SpeditionCheckBox"));
    m_spedition->setGeometry(196, 170, 200, 22);
    m_kinder = new QCheckBox(QStringLiteral("mit Kindern"), this);
    m_kinder->setObjectName(QStringLiteral("KinderCheckBox"));
    m_kinder->setGeometry(196, 194, 200, 22);

    QLabel* einzugLabel = label("Label3", QStringLiteral("Einzug ab dem"), QRect(100, 232, 94, 22));
    m_einzug =
        Dialograhmen::Datumsfeld(this, "DateEdit1", QRect(196, 232, 120, 22), Farben::Hellblau);
    QLabel* auszugLabel =
        label("Label4", QStringLiteral("Auszug vor dem"), QRect(100, 262, 94, 22));
    m_auszug =
        Dialograhmen::Datumsfeld(this, "DateEdit2", QRect(196, 262, 120, 22), Farben::Hellblau);

    // A screen reader names each field by its visible label.
    vonLabel->setBuddy(m_vonLand);
    nachLabel->setBuddy(m_nachLand);
    einzugLabel->setBuddy(m_einzug);
    auszugLabel->setBuddy(m_auszug);
    // The date is typed in the field's line, which a reader announces by its own name.
    m_einzug->Zeile()->setAccessibleName(einzugLabel->text());
    m_auszug->Zeile()->setAccessibleName(auszugLabel->text());

    m_hinweis = label("Label7", QString(), QRect(100, 304, 400, 110));
    m_hinweis->setWordWrap(true);
    m_hinweis->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_weiter = new TQvImageButton(QString(Artwork::Situation::Weiter), this);
    m_weiter->setObjectName(QStringLiteral("WeiterButton"));
    m_weiter->move(Spalte, Hoehe - 24 - 10);
    m_weiterplanen = new TQvImageButton(QString(Artwork::Situation::Weiterplanen), this);
    m_weiterplanen->setObjectName(QStringLiteral("WeiterplanenButton"));
    m_weiterplanen->move(Spalte, Hoehe - 2 * 24 - 10);
    m_abbrechen = new TQvImageButton(QString(Artwork::Situation::Abbrechen), this);
    m_abbrechen->setObjectName(QStringLiteral("AbbrechenButton"));
    m_abbrechen->hide();

    connect(m_weiter, &TQvImageButton::OnClick, this, &TSituationsForm::WeiterButtonClick);
    connect(m_weiterplanen, &TQvImageButton::OnClick, this,
            &TSituationsForm::WeiterplanenButtonClick);
    connect(m_abbrechen, &TQvImageButton::OnClick, this, &QDialog::reject);

    setTabOrder(m_vonLand, m_auszugRenovieren);
    setTabOrder(m_auszugRenovieren, m_nachLand);
    setTabOrder(m_nachLand, m_einzugRenovieren);
    setTabOrder(m_einzugRenovieren, m_spedition);
    setTabOrder(m_spedition, m_kinder);
    setTabOrder(m_kinder, m_einzug);
    setTabOrder(m_einzug, m_auszug);
    // The buttons follow the questions, the default one first.
    setTabOrder(m_auszug, m_weiter);
    setTabOrder(m_weiter, m_weiterplanen);
    setTabOrder(m_weiterplanen, m_abbrechen);
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
        gruende.append(QStringLiteral("Der Umzug beginnt erst in mehr als einem Jahr."));
    if (a > e.addMonths(6))
        gruende.append(QStringLiteral("Der Zeitraum für den Umzug ist länger als sechs Monate."));
    if (gruende.isEmpty())
        return {};
    gruende.append(QStringLiteral("Soll der Umzug trotzdem mit diesen Daten geplant werden?"));
    return gruende.join(QLatin1Char('\n'));
}

void TSituationsForm::keyPressEvent(QKeyEvent* ereignis)
{
    if (ereignis->key() != Qt::Key_Return && ereignis->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(ereignis);
        return;
    }
    ereignis->accept();
    // A date field has just reported a text that is no date; that message is enough.
    for (const TDateEdit* feld : {m_einzug, m_auszug})
        if (feld->isAncestorOf(focusWidget()) && feld->Date() == 0)
            return;
    m_weiter->Klicken();
}

void TSituationsForm::DatenSetzen(double einzug, double auszug)
{
    m_einzug->setDate(einzug);
    m_auszug->setDate(auszug);
}

void TSituationsForm::showEvent(QShowEvent* ereignis)
{
    FormShow();
    QDialog::showEvent(ereignis);
}

void TSituationsForm::FormShow()
{
    AufBildschirmMitte(this);
    m_einstellungen = EinstellungenLesen(m_einstellungsPfad);
    if (m_aendern) {
        // The plan stays the plan: there is no other to continue.
        m_hinweis->setText(QStringLiteral(
            "Ändern Sie die Angaben und klicken Sie auf \"Weiter\":\nder Plan wird für die "
            "neuen Daten neu berechnet. Notizen, selbst gesetzte Uhrzeiten, erledigte und "
            "eigene Aufgaben bleiben erhalten."));
        m_weiterplanen->hide();
        m_abbrechen->move(Spalte, m_weiter->y() - m_abbrechen->height());
        return;
    }
    const QString anfang =
        QStringLiteral("Durch beantworten der Fragen und klick auf \"Weiter\"\nbeginnen Sie die "
                       "Planung eines neuen Umzugs");
    if (!m_einstellungen.zuletztGespeichert.isEmpty()) {
        m_hinweis->setText(
            anfang +
            QStringLiteral(". \nMit Klick auf \"Weiterplanen\" laden Sie den letzten Umzug.\n (") +
            m_einstellungen.zuletztGespeichert + QStringLiteral(")"));
        m_weiterplanen->show();
        m_abbrechen->move(Spalte, m_weiterplanen->y() - m_abbrechen->height());
    } else {
        m_hinweis->setText(anfang);
        m_weiterplanen->hide();
        m_abbrechen->move(Spalte, m_weiter->y() - m_abbrechen->height());
    }
}

void TSituationsForm::WeiterButtonClick()
{
    const double e = m_einzug->Date();
    const double a = m_auszug->Date();
    const double jetzt = Tageszahl::jetzt();
    if (jetzt > e || e > a) {
        Meldung(this, MeldungsArt::Bestaetigung,
                QStringLiteral("Die gewählten Daten für Aus- bzw. Einzug sind unzulässig.\n"
                               "Bitte korrigieren Sie die Eingaben."),
                OK);
        return;
    }
    const QString frage = ZeitraumFrage(std::trunc(jetzt), e, a);
    if (!frage.isEmpty() && Meldung(this, MeldungsArt::Bestaetigung, frage, Ja | Nein) != Ja)
        return;
    Situation s;
    s.BundeslandA = m_vonLand->currentIndex() + 1;
    s.BundeslandB = m_nachLand->currentIndex() + 1;
    s.Auszugsrenovierung = m_auszugRenovieren->isChecked();
    s.Einzugsrenovierung = m_einzugRenovieren->isChecked();
    s.Spedition = m_spedition->isChecked();
    s.Kinder = m_kinder->isChecked();
    s.Einzugdatum = Tageszahl::Text(e);
    s.Auszugdatum = Tageszahl::Text(a);
    m_gewaehlt = s;
    m_wahl = Wahl::NeuerPlan;
    accept();
}

void TSituationsForm::WeiterplanenButtonClick()
{
    m_wahl = Wahl::Weiterplanen;
    accept();
}

int TSituationsForm::AendernZeigen(const Situation& situation)
{
    auto liste = [](QComboBox* feld, qint32 land) {
        feld->setCurrentIndex(std::clamp(land - 1, 0, int(Bundeslaender.size()) - 1));
    };
    liste(m_vonLand, situation.BundeslandA);
    liste(m_nachLand, situation.BundeslandB);
    m_auszugRenovieren->setChecked(situation.Auszugsrenovierung);
    m_einzugRenovieren->setChecked(situation.Einzugsrenovierung);
    m_spedition->setChecked(situation.Spedition);
    m_kinder->setChecked(situation.Kinder);
    double einzug = 0;
    double auszug = 0;
    Tageszahl::ausText(situation.Einzugdatum, &einzug);
    Tageszahl::ausText(situation.Auszugdatum, &auszug);
    DatenSetzen(einzug, auszug);

    m_aendern = true;
    const QString programm = windowTitle();
    setWindowTitle(QStringLiteral("Umzug ändern"));
    m_titel->setText(QStringLiteral("Umzug ändern"));
    const int ergebnis = Zeigen(true);
    m_titel->setText(QStringLiteral("Die Eckpunkte"));
    setWindowTitle(programm);
    m_aendern = false;
    return ergebnis;
}

int TSituationsForm::Zeigen(bool abbrechbar)
{
    m_abbrechen->setVisible(abbrechbar);
    const int ergebnis = exec();
    m_abbrechen->hide();
    return ergebnis;
}
