#pragma once

#include "kalenderexport/caldavabgleich.h"
#include "kalenderexport/caldavfehler.h"
#include "kalenderexport/caldavrunde.h"
#include "model/abgleichstand.h"

#include <QDialog>
#include <QStringList>
#include <QUrl>

#include <memory>

class CalDavVerbindung;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// "Mit Kalender abgleichen": the server's address, user and password, the calendars found
// there by their display names (or a new one, "Umzug"), then a round with its progress and a
// way to cancel it. Every request runs asynchronously, so the window stays responsive. The
// plan is reached through `partner` (which asks the user and runs the order check); `stand`
// is the plan's sync state, which the caller saves together with the plan after each round
// (RundeBeendet). The password goes to the desktop's keyring, never into a file.
class TAbgleichDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAbgleichDialog)

public:
    TAbgleichDialog(Abgleichpartner& partner, CalDavStand& stand, QString planId,
                    QWidget* eltern = nullptr);
    ~TAbgleichDialog() override;

    // What the caller remembers between runs (in the settings, per server): the address, the
    // user and the certificates the user trusted.
    void Vorbelegen(const QString& adresse, const QString& benutzer,
                    const QStringList& vertrauteZertifikate);
    QString Adresse() const;
    QString Benutzer() const;
    QStringList VertrauteZertifikate() const { return m_vertraut; }

Q_SIGNALS:
    void RundeBeendet(const CalDavBericht& bericht);

protected:
    void reject() override;

private:
    void KalenderSuchen();
    void KalenderAnlegen();
    void Abgleichen();
    void RundeFertig(const CalDavBericht& bericht);
    // False after a refusal the user can act on here (certificate, password).
    bool FehlerZeigen(const CalDavFehler& fehler, const std::function<void()>& nochmal);
    std::unique_ptr<CalDavVerbindung> NeueVerbindung();
    void PasswortAusSchluesselbund();
    void PasswortMerken();
    void Beschaeftigt(bool ja, const QString& status);

    Abgleichpartner& m_partner;
    CalDavStand& m_stand;
    QString m_planId;
    QStringList m_vertraut;
    QUrl m_heimat;

    QLineEdit* m_adresse = nullptr;
    QLineEdit* m_benutzer = nullptr;
    QLineEdit* m_passwort = nullptr;
    QLabel* m_schluesselbundHinweis = nullptr;
    QPushButton* m_suchen = nullptr;
    QComboBox* m_kalender = nullptr;
    QPushButton* m_anlegen = nullptr;
    QProgressBar* m_fortschritt = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_abgleichen = nullptr;
    QPushButton* m_abbrechen = nullptr;
    QPushButton* m_schliessen = nullptr;

    std::unique_ptr<CalDavVerbindung> m_verbindung;
    std::unique_ptr<CalDavRunde> m_runde;
};
