#include "dialogs/abgleichdialog.h"

#include "kalenderexport/caldavverbindung.h"
#include "kalenderexport/schluesselbund.h"
#include "widgets/meldung.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QUrl AdresseAus(const QString& text)
{
    const QString t = text.trimmed();
    // A bare host means https.
    return QUrl::fromUserInput(t.contains(QLatin1String("://")) ? t
                                                                : QStringLiteral("https://") + t);
}

} // namespace

TAbgleichDialog::TAbgleichDialog(Abgleichpartner& partner, CalDavStand& stand, QString planId,
                                 QWidget* eltern)
    : QDialog(eltern), m_partner(partner), m_stand(stand), m_planId(std::move(planId))
{
    setWindowTitle(QStringLiteral("Mit Kalender abgleichen"));
    setObjectName(QStringLiteral("abgleichdialog"));

    m_adresse = new QLineEdit(this);
    m_adresse->setObjectName(QStringLiteral("adresse"));
    m_adresse->setPlaceholderText(QStringLiteral("https://kalender.example.org"));
    m_benutzer = new QLineEdit(this);
    m_benutzer->setObjectName(QStringLiteral("benutzer"));
    m_passwort = new QLineEdit(this);
    m_passwort->setObjectName(QStringLiteral("passwort"));
    m_passwort->setEchoMode(QLineEdit::Password);
    m_schluesselbundHinweis = new QLabel(this);
    m_schluesselbundHinweis->setObjectName(QStringLiteral("schluesselbundhinweis"));
    m_schluesselbundHinweis->setWordWrap(true);
    m_schluesselbundHinweis->hide();
    m_suchen = new QPushButton(QStringLiteral("Kalender &suchen"), this);
    m_suchen->setObjectName(QStringLiteral("suchen"));
    m_kalender = new QComboBox(this);
    m_kalender->setObjectName(QStringLiteral("kalender"));
    m_anlegen = new QPushButton(QStringLiteral("Neuen Kalender „Umzug“ &anlegen"), this);
    m_anlegen->setObjectName(QStringLiteral("anlegen"));
    m_anlegen->setEnabled(false);
    m_fortschritt = new QProgressBar(this);
    m_fortschritt->setObjectName(QStringLiteral("fortschritt"));
    m_fortschritt->setRange(0, 1);
    m_fortschritt->setValue(0);
    m_fortschritt->setTextVisible(false); // a share only once a round counts what it sends
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* formular = new QFormLayout;
    formular->addRow(QStringLiteral("Server&adresse:"), m_adresse);
    formular->addRow(QStringLiteral("&Benutzername:"), m_benutzer);
    formular->addRow(QStringLiteral("&Passwort:"), m_passwort);
    formular->addRow(QString(), m_schluesselbundHinweis);
    formular->addRow(QString(), m_suchen);
    auto* kalenderZeile = new QHBoxLayout;
    kalenderZeile->addWidget(m_kalender, 1);
    kalenderZeile->addWidget(m_anlegen);
    auto* kalenderBeschriftung = new QLabel(QStringLiteral("&Kalender:"), this);
    kalenderBeschriftung->setBuddy(m_kalender);
    formular->addRow(kalenderBeschriftung, kalenderZeile);

    auto* knoepfe = new QDialogButtonBox(this);
    m_abgleichen = knoepfe->addButton(QStringLiteral("Ab&gleichen"), QDialogButtonBox::ActionRole);
    m_abgleichen->setObjectName(QStringLiteral("abgleichen"));
    m_abgleichen->setEnabled(false);
    m_abbrechen = knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::ActionRole);
    m_abbrechen->setObjectName(QStringLiteral("abbrechen"));
    m_abbrechen->setEnabled(false);
    m_schliessen = knoepfe->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    m_schliessen->setObjectName(QStringLiteral("schliessen"));

    auto* spalte = new QVBoxLayout(this);
    // Room for the wrapped status and keyring lines, which change while the window is open.
    setMinimumWidth(560);
    m_status->setMinimumHeight(m_status->fontMetrics().lineSpacing() * 4);
    m_schluesselbundHinweis->setMinimumHeight(m_schluesselbundHinweis->fontMetrics().lineSpacing() *
                                              2);
    spalte->addLayout(formular);
    spalte->addWidget(m_fortschritt);
    spalte->addWidget(m_status);
    spalte->addWidget(knoepfe);

    connect(m_suchen, &QPushButton::clicked, this, &TAbgleichDialog::KalenderSuchen);
    connect(m_anlegen, &QPushButton::clicked, this, &TAbgleichDialog::KalenderAnlegen);
    connect(m_abgleichen, &QPushButton::clicked, this, &TAbgleichDialog::Abgleichen);
    connect(m_abbrechen, &QPushButton::clicked, this, [this] {
        if (m_runde)
            m_runde->Abbrechen();
        else if (m_verbindung)
            m_verbindung->AllesAbbrechen();
    });
    connect(knoepfe, &QDialogButtonBox::rejected, this, &TAbgleichDialog::reject);
    connect(m_kalender, &QComboBox::currentIndexChanged, this,
            [this](int i) { m_abgleichen->setEnabled(i >= 0 && !m_abbrechen->isEnabled()); });
    connect(m_benutzer, &QLineEdit::editingFinished, this,
            &TAbgleichDialog::PasswortAusSchluesselbund);

    if (!m_stand.KalenderUrl.isEmpty()) {
        // The plan's calendar: a round can start without searching.
        const QUrl url(m_stand.KalenderUrl);
        m_kalender->addItem(url.toDisplayString(), url);
        m_adresse->setText(url.toDisplayString());
    }
}

TAbgleichDialog::~TAbgleichDialog() = default;

void TAbgleichDialog::Vorbelegen(const QString& adresse, const QString& benutzer,
                                 const QStringList& vertrauteZertifikate)
{
    if (!adresse.isEmpty())
        m_adresse->setText(adresse);
    m_benutzer->setText(benutzer);
    m_vertraut = vertrauteZertifikate;
    PasswortAusSchluesselbund();
}

QString TAbgleichDialog::Adresse() const
{
    return m_adresse->text().trimmed();
}

QString TAbgleichDialog::Benutzer() const
{
    return m_benutzer->text().trimmed();
}

void TAbgleichDialog::reject()
{
    // A running round is cancelled first; what went through is kept (RundeBeendet).
    if (m_runde) {
        m_runde->Abbrechen();
        return;
    }
    QDialog::reject();
}

std::unique_ptr<CalDavVerbindung> TAbgleichDialog::NeueVerbindung()
{
    CalDavZugang zugang;
    zugang.Benutzer = Benutzer();
    zugang.Passwort = m_passwort->text();
    zugang.VertrauteZertifikate = m_vertraut;
    return std::make_unique<CalDavVerbindung>(zugang);
}

void TAbgleichDialog::Beschaeftigt(bool ja, const QString& status)
{
    m_status->setText(status);
    m_suchen->setEnabled(!ja);
    m_anlegen->setEnabled(!ja && !m_heimat.isEmpty());
    m_abgleichen->setEnabled(!ja && m_kalender->currentIndex() >= 0);
    m_abbrechen->setEnabled(ja);
    m_schliessen->setEnabled(!ja);
    if (ja) {
        m_fortschritt->setRange(0, 0); // busy until the round knows how much there is
    } else {
        m_fortschritt->setRange(0, 1);
        m_fortschritt->setValue(1);
    }
}

bool TAbgleichDialog::FehlerZeigen(const CalDavFehler& fehler, const std::function<void()>& nochmal)
{
    switch (fehler.Art) {
    case CalDavFehlerart::Zertifikat:
        if (!fehler.Fingerabdruck.isEmpty() &&
            Meldung(this, MeldungsArt::Bestaetigung,
                    fehler.Text + QStringLiteral("\n\nVergleichen Sie den Fingerabdruck mit dem, "
                                                 "den Ihr Server anzeigt. Wenn beide gleich sind, "
                                                 "können Sie diesem Zertifikat vertrauen. Dem "
                                                 "Zertifikat vertrauen?"),
                    Ja | Nein) == Ja) {
            m_vertraut << fehler.Fingerabdruck;
            nochmal();
            return false;
        }
        break;
    case CalDavFehlerart::Anmeldung:
        // Asked again: the password field, ready to type.
        m_status->setText(fehler.Text +
                          QStringLiteral(" Bitte geben Sie das Passwort erneut ein."));
        m_passwort->setFocus();
        m_passwort->selectAll();
        return false;
    case CalDavFehlerart::Abgebrochen:
        m_status->setText(fehler.Text);
        return false;
    default:
        break;
    }
    m_status->setText(fehler.Text);
    Meldung(this, MeldungsArt::Fehler, fehler.Text);
    return true;
}

void TAbgleichDialog::KalenderSuchen()
{
    const QUrl adresse = AdresseAus(m_adresse->text());
    Beschaeftigt(true, QStringLiteral("Kalender werden gesucht …"));
    m_verbindung = NeueVerbindung();
    m_verbindung->Entdecken(adresse, [this](const CalDavFund& fund, const CalDavFehler& fehler) {
        Beschaeftigt(false, QString());
        if (fehler) {
            FehlerZeigen(fehler, [this] { KalenderSuchen(); });
            return;
        }
        PasswortMerken();
        m_heimat = fund.Heimat;
        m_kalender->clear();
        for (const CalDavKalender& k : fund.Kalender) {
            m_kalender->addItem(k.Anzeigename, k.Url);
            if (k.Url == QUrl(m_stand.KalenderUrl))
                m_kalender->setCurrentIndex(m_kalender->count() - 1);
        }
        m_anlegen->setEnabled(!m_heimat.isEmpty());
        m_status->setText(fund.Kalender.isEmpty()
                              ? QStringLiteral("Auf dem Server gibt es noch keinen Kalender für "
                                               "Termine.")
                              : QStringLiteral("%1 Kalender gefunden.").arg(fund.Kalender.size()));
        m_abgleichen->setEnabled(m_kalender->currentIndex() >= 0);
    });
}

void TAbgleichDialog::KalenderAnlegen()
{
    if (!m_verbindung || m_heimat.isEmpty())
        return;
    Beschaeftigt(true, QStringLiteral("Der Kalender „Umzug“ wird angelegt …"));
    m_verbindung->KalenderAnlegen(m_heimat, QStringLiteral("Umzug"),
                                  [this](const CalDavKalender& neu, const CalDavFehler& fehler) {
                                      Beschaeftigt(false, QString());
                                      if (fehler) {
                                          FehlerZeigen(fehler, [this] { KalenderAnlegen(); });
                                          return;
                                      }
                                      m_kalender->addItem(neu.Anzeigename, neu.Url);
                                      m_kalender->setCurrentIndex(m_kalender->count() - 1);
                                      m_status->setText(
                                          QStringLiteral("Der Kalender „Umzug“ wurde angelegt."));
                                  });
}

void TAbgleichDialog::Abgleichen()
{
    const QUrl kalender = m_kalender->currentData().toUrl();
    if (!kalender.isValid())
        return;
    if (QUrl(m_stand.KalenderUrl) != kalender) {
        // Another calendar: what was kept belongs to the former one.
        m_stand = CalDavStand{};
        m_stand.KalenderUrl = kalender.toString();
    }
    m_verbindung = NeueVerbindung();
    m_runde = std::make_unique<CalDavRunde>(*m_verbindung, m_partner, m_stand, m_planId);
    connect(m_runde.get(), &CalDavRunde::Fortschritt, this, [this](int erledigt, int gesamt) {
        m_fortschritt->setRange(0, std::max(1, gesamt));
        m_fortschritt->setValue(erledigt);
        m_fortschritt->setTextVisible(true);
        m_status->setText(
            QStringLiteral("%1 von %2 Terminen übertragen …").arg(erledigt).arg(gesamt));
    });
    connect(m_runde.get(), &CalDavRunde::Fertig, this, &TAbgleichDialog::RundeFertig);
    Beschaeftigt(true, QStringLiteral("Abgleich läuft …"));
    m_runde->Starten();
}

void TAbgleichDialog::RundeFertig(const CalDavBericht& bericht)
{
    // The round is done with; it goes once its signal has returned.
    m_runde.release()->deleteLater();
    Beschaeftigt(false, QString());
    Q_EMIT RundeBeendet(bericht);
    if (!bericht.Erfolg()) {
        FehlerZeigen(bericht.Fehler, [this] { Abgleichen(); });
        return;
    }
    PasswortMerken();
    QString text = QStringLiteral("Abgleich abgeschlossen: %1 neu, %2 geändert, %3 gelöscht, "
                                  "%4 aus dem Kalender übernommen.")
                       .arg(bericht.Angelegt)
                       .arg(bericht.Geaendert)
                       .arg(bericht.Geloescht)
                       .arg(bericht.Uebernommen);
    for (const QString& hinweis : bericht.Hinweise)
        text += QLatin1Char('\n') + hinweis;
    m_status->setText(text);
}

void TAbgleichDialog::PasswortAusSchluesselbund()
{
    if (Benutzer().isEmpty() || Adresse().isEmpty() || !m_passwort->text().isEmpty())
        return;
    Schluesselbund::Lesen(Schluesselbund::Schluessel(AdresseAus(Adresse()), Benutzer()), this,
                          [this](const SchluesselbundAntwort& a) {
                              if (a.Art == Schluesselbundstand::Gefunden &&
                                  m_passwort->text().isEmpty())
                                  m_passwort->setText(a.Passwort);
                              m_schluesselbundHinweis->setText(a.Text);
                              m_schluesselbundHinweis->setVisible(!a.Text.isEmpty());
                          });
}

void TAbgleichDialog::PasswortMerken()
{
    if (m_passwort->text().isEmpty())
        return;
    Schluesselbund::Speichern(Schluesselbund::Schluessel(AdresseAus(Adresse()), Benutzer()),
                              m_passwort->text(), this, [this](const SchluesselbundAntwort& a) {
                                  m_schluesselbundHinweis->setText(a.Text);
                                  m_schluesselbundHinweis->setVisible(!a.Text.isEmpty());
                              });
}
