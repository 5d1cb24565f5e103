#pragma once

#include "kalenderexport/caldavabgleich.h"
#include "kalenderexport/caldavfehler.h"
#include "model/abgleichstand.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>

class CalDavVerbindung;
struct CalDavAntwort;
struct DavMultistatus;

struct CalDavBericht
{
    CalDavFehler Fehler; // none when the round completed
    int Angelegt = 0;
    int Geaendert = 0;
    int Geloescht = 0;
    int Uebernommen = 0;
    QStringList Hinweise;

    bool Erfolg() const { return !Fehler; }
};

// One round of keeping a plan and its calendar in step, asynchronously: list what changed
// (sync-collection, or the collection's ETags where the server has no sync), fetch the changed
// events of this plan, decide (Abgleichen, which asks through the partner), send. `stand` is
// brought up to date with every request that went through; the caller saves plan and stand
// together after the round, whatever its outcome, and then loses nothing.
class CalDavRunde final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CalDavRunde)

public:
    CalDavRunde(CalDavVerbindung& verbindung, Abgleichpartner& partner, CalDavStand& stand,
                QString planId, QObject* parent = nullptr);

    void Starten();
    // Starts the round and waits for its end in a local event loop (the command line).
    CalDavBericht BisZumEnde();
    // Stops the round: requests in flight are aborted; Fertig follows with Abgebrochen.
    void Abbrechen();

    static constexpr int GleichzeitigHoechstens = 6;

Q_SIGNALS:
    void Fortschritt(int erledigt, int gesamt);
    void Fertig(const CalDavBericht& bericht);

private:
    void Auflisten();
    void Synchronisieren();
    void EtagsLesen();
    void Abholen(const Serverliste& liste);
    void Entscheiden(const Serverliste& liste, const std::map<qint32, Servertermin>& abgeholt);
    void Weitersenden();
    void Abschliessen();
    void Beenden(const CalDavFehler& fehler);
    // The multistatus of a listing's answer; false after ending the round when the request
    // failed or the answer is not valid.
    bool MultistatusAus(const CalDavAntwort& antwort, DavMultistatus* ms);
    QUrl RessourcenUrl(const QString& name) const;

    CalDavVerbindung& m_verbindung;
    Abgleichpartner& m_partner;
    CalDavStand& m_stand;
    QString m_planId;
    QByteArray m_zeitzone;

    bool m_ohneSync = false;
    bool m_vorbedingung = false; // a 412: the round runs again after its requests
    int m_durchgang = 0;
    bool m_beendet = false;
    QString m_neuerToken;
    std::deque<CalDavAuftrag> m_warteschlange;
    int m_unterwegs = 0;
    int m_erledigt = 0;
    int m_gesamt = 0;
    CalDavFehler m_fehler;
    CalDavBericht m_bericht;
};
