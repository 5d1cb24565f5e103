#pragma once

#include "kalenderexport/caldavereignis.h"
#include "model/abgleichstand.h"
#include "model/taufgabe.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>
#include <set>
#include <vector>

// One round of keeping a plan and a calendar in step, as decisions without any network: what
// the server reported goes in, the requests to make come out. The plan is reached through
// Abgleichpartner, which also asks the user and runs the order check.
//
// Why a cut-off round is harmless: a task's resource name and UID are fixed, a new one is sent
// only with If-None-Match: * and a changed one only with If-Match, and a resource whose content
// is what the plan holds is taken as in step whatever its ETag. So a request that went through
// while its answer was lost, or whose ETag was never stored, is recognised in the next round.

// The resource name of a task in the calendar (its UID without the host part, ".ics").
QString RessourcenName(const QString& planId, qint32 nummer);
// The task number of a resource of this plan, from its href (the last path segment, decoded);
// nothing for every other resource.
std::optional<qint32> NummerAusHref(const QString& href, const QString& planId);

// What a listing of the calendar said about this plan's resources.
struct Serverliste
{
    // A full listing names every resource; a sync-collection answer only the changed ones.
    bool Vollstaendig = true;
    std::map<qint32, QString> Etags; // present resources of this plan
    std::set<qint32> Entfernt;       // sync-collection: gone since the token
    QString SyncToken;
};

// A change made on the server, for the plan to take over.
struct Uebernahme
{
    qint32 Nummer = 0;
    QString Titel;
    QStringList Notiz;
    Aufgabenzeit Zeit;
    bool TitelGeaendert = false;
    bool NotizGeaendert = false;
    bool ZeitGeaendert = false; // goes through the order check
};

enum class Vorrang
{
    Plan,
    Server
};
enum class NachServerloeschung
{
    AufgabeLoeschen,
    NeuSenden
};

class Abgleichpartner
{
public:
    virtual ~Abgleichpartner() = default;
    virtual const Aufgabenliste& Aufgaben() const = 0;
    // Both sides changed the task since the last round.
    virtual Vorrang BeideGeaendert(const taufgabe& aufgabe, const Termininhalt& server) = 0;
    // The event was deleted on the server (on a phone) while the task is still in the plan.
    virtual NachServerloeschung AufServerGeloescht(const taufgabe& aufgabe) = 0;
    // Takes a server change into the plan; a new day or time goes through the order check,
    // which may move other tasks as well or refuse (then the plan's own version is sent back).
    virtual void Uebernehmen(const Uebernahme& aenderung) = 0;
    virtual void AufgabeLoeschen(qint32 nummer) = 0;
};

enum class Auftragsart
{
    Anlegen,  // PUT, If-None-Match: *
    Aendern,  // PUT, If-Match: Etag
    Loeschen, // DELETE, If-Match: Etag
};

// A request of the round.
struct CalDavAuftrag
{
    Auftragsart Art = Auftragsart::Anlegen;
    qint32 Nummer = 0;
    QString Name; // resource name in the calendar
    QString Etag;
    QByteArray Hash;   // of what is sent, for the state once the server took it
    QByteArray Inhalt; // the event resource of a PUT
};

struct Rundenergebnis
{
    std::vector<CalDavAuftrag> Auftraege;
    int Uebernommen = 0;  // server changes taken into the plan
    QStringList Hinweise; // resources left alone, for the user
};

// The numbers whose resource must be fetched: present on the server with an ETag other than
// the one kept.
std::vector<qint32> Abzuholen(const CalDavStand& stand, const Serverliste& liste);

// Decides the round: takes over server changes and asks the questions through `partner`,
// keeps in `stand` what is already in step, and returns the requests for what must be sent or
// deleted. `abgeholt` holds the events fetched for Abzuholen(); a resource whose UID is not the
// task's is left alone. Throws KalenderFehler when a task cannot be written as an event.
Rundenergebnis Abgleichen(Abgleichpartner& partner, CalDavStand& stand, const Serverliste& liste,
                          const std::map<qint32, Servertermin>& abgeholt, const QString& planId,
                          const QByteArray& zeitzone);

// The state after a request went through: `etag` from the answer (empty when the server gave
// none; the next round then fetches the resource and finds it in step).
void AuftragErledigt(CalDavStand& stand, const CalDavAuftrag& auftrag, const QString& etag);
