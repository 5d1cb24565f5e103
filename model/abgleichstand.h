#pragma once

#include <QByteArray>
#include <QString>

#include <map>

// What a plan keeps of its calendar sync (CalDAV), stored in the plan file: the calendar's
// address, the server's sync token of the last complete round, and per task what was last sent
// (or taken over) and the ETag the server gave it. Empty for a plan that was never synchronised.
// An entry outlives its task until the event is deleted on the server too.
struct CalDavEintrag
{
    QString Etag;
    QByteArray Hash; // TerminHash of the content the server holds as far as the plan knows

    bool operator==(const CalDavEintrag&) const = default;
};

struct CalDavStand
{
    QString KalenderUrl;
    QString SyncToken;
    std::map<qint32, CalDavEintrag> Eintraege; // by task number

    bool Leer() const { return KalenderUrl.isEmpty() && SyncToken.isEmpty() && Eintraege.empty(); }
    bool operator==(const CalDavStand&) const = default;
};
