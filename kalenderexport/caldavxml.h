#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// The WebDAV/CalDAV XML a calendar client sends and the multistatus answers it reads
// (RFC 4918, 4791, 6578). Properties are known by their local name: the few this client asks
// for do not collide between the DAV: and CalDAV namespaces.

// One property of a response as far as this client needs it.
struct DavEigenschaft
{
    int Status = 200;        // of its propstat
    QString Text;            // text content (getetag, displayname, calendar-data, sync-token)
    QStringList Hrefs;       // href children (current-user-principal, calendar-home-set)
    QStringList Kinder;      // local names of the child elements (resourcetype)
    QStringList Komponenten; // name attributes of comp children (supported-calendar-component-set)
};

struct DavAntwortteil
{
    QString Href;   // as sent, percent-encoded
    int Status = 0; // the response's own status, 0 when it has only propstats
    QMap<QString, DavEigenschaft> Eigenschaften;

    // The property when the server found it (status 2xx), else nullptr.
    const DavEigenschaft* Gefunden(const QString& name) const;
};

struct DavMultistatus
{
    QList<DavAntwortteil> Teile;
    QString SyncToken; // the sync-collection's new token, empty otherwise
};

// False with a message for the user when `xml` is no well-formed multistatus document.
bool MultistatusLesen(const QByteArray& xml, DavMultistatus* ergebnis, QString* fehler);

// Whether an error body (RFC 4918 16) names the precondition `name` (e.g. "valid-sync-token").
bool NenntVorbedingung(const QByteArray& xml, const QString& name);

namespace DavAnfrage {

QByteArray Erkunden();      // PROPFIND Depth 0: a calendar, the principal or the home
QByteArray KalenderListe(); // PROPFIND Depth 1: displayname, resourcetype, components
QByteArray Etags();         // PROPFIND Depth 1: getetag, resourcetype
QByteArray Synchronisieren(const QString& token);       // REPORT sync-collection, getetag
QByteArray Abholen(const QStringList& hrefs);           // REPORT calendar-multiget
QByteArray KalenderAnlegen(const QString& anzeigename); // MKCALENDAR with VEVENT

} // namespace DavAnfrage
