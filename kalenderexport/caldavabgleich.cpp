#include "kalenderexport/caldavabgleich.h"

#include "kalenderexport/terminuid.h"

#include <QUrl>

#include <cmath>

namespace {

const taufgabe* Finden(const Abgleichpartner& partner, qint32 nummer)
{
    for (const taufgabe& a : partner.Aufgaben())
        if (a.Nummer == nummer)
            return &a;
    return nullptr;
}

enum class Wissen
{
    Unbekannt,
    Da,
    Weg
};

struct Serverstand
{
    Wissen Art = Wissen::Unbekannt;
    QString Etag;
};

Serverstand ServerstandVon(qint32 nummer, const CalDavStand& stand, const Serverliste& liste)
{
    const auto etag = liste.Etags.find(nummer);
    if (etag != liste.Etags.end())
        return {Wissen::Da, etag->second};
    if (liste.Vollstaendig || liste.Entfernt.count(nummer) > 0)
        return {Wissen::Weg, {}};
    // A sync-collection answer leaves out what did not change.
    const auto eintrag = stand.Eintraege.find(nummer);
    if (eintrag != stand.Eintraege.end())
        return {Wissen::Da, eintrag->second.Etag};
    return {};
}

Uebernahme UebernahmeAus(const taufgabe& aufgabe, const Termininhalt& server)
{
    const Termininhalt hier = TermininhaltAus(aufgabe);
    Uebernahme u;
    u.Nummer = aufgabe.Nummer;
    u.Titel = server.Titel;
    u.Notiz = NotizAus(server, aufgabe.Beschreibung);
    u.Zeit = AufgabenzeitAus(server);
    u.TitelGeaendert = server.Titel != aufgabe.Kurzbezeichnung;
    u.NotizGeaendert = u.Notiz != aufgabe.Notiz;
    u.ZeitGeaendert = server.Start != hier.Start || server.Ende != hier.Ende;
    return u;
}

} // namespace

QString RessourcenName(const QString& planId, qint32 nummer)
{
    return TerminUidPraefix(planId) + QString::number(nummer) + QLatin1String(".ics");
}

std::optional<qint32> NummerAusHref(const QString& href, const QString& planId)
{
    const QString pfad = QUrl(href).path(QUrl::FullyDecoded);
    if (pfad.endsWith(QLatin1Char('/')))
        return std::nullopt; // a collection
    const QString name = pfad.mid(pfad.lastIndexOf(QLatin1Char('/')) + 1);
    const QString praefix = TerminUidPraefix(planId);
    if (!name.startsWith(praefix) || !name.endsWith(QLatin1String(".ics")))
        return std::nullopt;
    const QString zahl = name.mid(praefix.size(), name.size() - praefix.size() - 4);
    bool ok = false;
    const qint32 nummer = zahl.toInt(&ok);
    // Only the spelling RessourcenName writes: no sign, no leading zeros, no blanks.
    if (!ok || zahl != QString::number(nummer))
        return std::nullopt;
    return nummer;
}

std::vector<qint32> Abzuholen(const CalDavStand& stand, const Serverliste& liste)
{
    std::vector<qint32> nummern;
    for (const auto& [nummer, etag] : liste.Etags) {
        const auto eintrag = stand.Eintraege.find(nummer);
        if (eintrag == stand.Eintraege.end() || eintrag->second.Etag != etag || etag.isEmpty())
            nummern.push_back(nummer);
    }
    return nummern;
}

Rundenergebnis Abgleichen(Abgleichpartner& partner, CalDavStand& stand, const Serverliste& liste,
                          const std::map<qint32, Servertermin>& abgeholt, const QString& planId,
                          const QByteArray& zeitzone)
{
    Rundenergebnis ergebnis;
    std::set<qint32> nummern;
    for (const taufgabe& a : partner.Aufgaben())
        nummern.insert(a.Nummer);
    for (const auto& [nummer, eintrag] : stand.Eintraege)
        nummern.insert(nummer);
    for (const auto& [nummer, etag] : liste.Etags)
        nummern.insert(nummer);

    // Resources that carry this plan's name but are no event of its task, or could not be
    // fetched: left alone this round.
    std::set<qint32> unberuehrt;

    // First what the server changed: taken over, asked about, or found in step.
    for (const qint32 n : nummern) {
        const Serverstand server = ServerstandVon(n, stand, liste);
        const auto eintrag = stand.Eintraege.find(n);
        const bool bekannt = eintrag != stand.Eintraege.end();

        if (server.Art == Wissen::Weg) {
            if (!bekannt)
                continue;
            stand.Eintraege.erase(eintrag);
            const taufgabe* aufgabe = Finden(partner, n);
            if (aufgabe &&
                partner.AufServerGeloescht(*aufgabe) == NachServerloeschung::AufgabeLoeschen)
                partner.AufgabeLoeschen(n);
            continue;
        }
        if (server.Art != Wissen::Da ||
            (bekannt && eintrag->second.Etag == server.Etag && !server.Etag.isEmpty()))
            continue;

        const auto termin = abgeholt.find(n);
        if (termin == abgeholt.end()) {
            unberuehrt.insert(n);
            continue;
        }
        if (termin->second.Uid != TerminUid(planId, n)) {
            unberuehrt.insert(n);
            ergebnis.Hinweise << QStringLiteral("Der Termin „%1“ im Kalender stammt nicht aus "
                                                "diesem Plan und bleibt unverändert.")
                                     .arg(termin->second.Inhalt.Titel);
            continue;
        }
        const Termininhalt& serverInhalt = termin->second.Inhalt;
        const QByteArray serverHash = TerminHash(serverInhalt);
        const taufgabe* aufgabe = Finden(partner, n);
        if (!aufgabe) {
            // Deleted here: deleted there in the second pass; an unknown one is not touched.
            if (bekannt)
                eintrag->second = {server.Etag, serverHash};
            else
                unberuehrt.insert(n);
            continue;
        }
        const QByteArray hierHash = TerminHash(TermininhaltAus(*aufgabe));
        const bool hierGeaendert = !bekannt || eintrag->second.Hash != hierHash;
        const bool dortGeaendert = !bekannt || eintrag->second.Hash != serverHash;
        if (serverHash != hierHash && dortGeaendert) {
            const bool dortGewinnt =
                !hierGeaendert || partner.BeideGeaendert(*aufgabe, serverInhalt) == Vorrang::Server;
            if (dortGewinnt) {
                partner.Uebernehmen(UebernahmeAus(*aufgabe, serverInhalt));
                ++ergebnis.Uebernommen;
            }
        }
        // What the server holds; the second pass sends the plan's version where it differs.
        stand.Eintraege[n] = {server.Etag, serverHash};
    }

    // Then what the plan must send or delete.
    for (const taufgabe& a : partner.Aufgaben())
        nummern.insert(a.Nummer);
    for (const qint32 n : nummern) {
        if (unberuehrt.count(n) > 0)
            continue;
        const taufgabe* aufgabe = Finden(partner, n);
        const auto eintrag = stand.Eintraege.find(n);
        const bool bekannt = eintrag != stand.Eintraege.end();
        const QString name = RessourcenName(planId, n);
        if (aufgabe) {
            const QByteArray hash = TerminHash(TermininhaltAus(*aufgabe));
            if (bekannt && eintrag->second.Hash == hash)
                continue;
            CalDavAuftrag auftrag{bekannt ? Auftragsart::Aendern : Auftragsart::Anlegen,
                                  n,
                                  name,
                                  bekannt ? eintrag->second.Etag : QString(),
                                  hash,
                                  EreignisText(TerminUid(planId, n), *aufgabe, zeitzone)};
            ergebnis.Auftraege.push_back(std::move(auftrag));
        } else if (bekannt) {
            ergebnis.Auftraege.push_back(
                {Auftragsart::Loeschen, n, name, eintrag->second.Etag, {}, {}});
        }
    }
    return ergebnis;
}

void AuftragErledigt(CalDavStand& stand, const CalDavAuftrag& auftrag, const QString& etag)
{
    if (auftrag.Art == Auftragsart::Loeschen)
        stand.Eintraege.erase(auftrag.Nummer);
    else
        stand.Eintraege[auftrag.Nummer] = {etag, auftrag.Hash};
}
