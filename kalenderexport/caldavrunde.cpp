#include "kalenderexport/caldavrunde.h"

#include "kalenderexport/caldavverbindung.h"
#include "kalenderexport/caldavxml.h"

#include <QEventLoop>

#include <memory>

namespace {

constexpr int kDurchgaengeHoechstens = 3; // a 412 lists again; not for ever
constexpr int kAbholenJeAnfrage = 200;

const CalDavVerbindung::Kopfzeilen& XmlKopf(const char* tiefe)
{
    static const CalDavVerbindung::Kopfzeilen null{
        {"Content-Type", "application/xml; charset=utf-8"}, {"Depth", "0"}};
    static const CalDavVerbindung::Kopfzeilen eins{
        {"Content-Type", "application/xml; charset=utf-8"}, {"Depth", "1"}};
    return *tiefe == '0' ? null : eins;
}

} // namespace

CalDavRunde::CalDavRunde(CalDavVerbindung& verbindung, Abgleichpartner& partner, CalDavStand& stand,
                         QString planId, QObject* parent)
    : QObject(parent), m_verbindung(verbindung), m_partner(partner), m_stand(stand),
      m_planId(std::move(planId))
{
}

QUrl CalDavRunde::RessourcenUrl(const QString& name) const
{
    QUrl kalender(m_stand.KalenderUrl);
    if (!kalender.path().endsWith(QLatin1Char('/')))
        kalender.setPath(kalender.path() + QLatin1Char('/'));
    return kalender.resolved(QUrl::fromEncoded(QUrl::toPercentEncoding(name)));
}

void CalDavRunde::Starten()
{
    m_zeitzone = KalenderZeitzone();
    const QUrl url(m_stand.KalenderUrl);
    if (!AdresseErlaubt(url))
        return Beenden(UnsichereAdresse(url));
    const QString nicht = NichtUebertragbarMeldung(m_partner.Aufgaben());
    if (!nicht.isEmpty())
        return Beenden({CalDavFehlerart::NichtUebertragbar, nicht, {}});
    Auflisten();
}

CalDavBericht CalDavRunde::BisZumEnde()
{
    CalDavBericht bericht;
    bool fertig = false;
    QEventLoop schleife;
    connect(this, &CalDavRunde::Fertig, &schleife, [&](const CalDavBericht& b) {
        bericht = b;
        fertig = true;
        schleife.quit();
    });
    Starten();
    if (!fertig)
        schleife.exec();
    return bericht;
}

void CalDavRunde::Abbrechen()
{
    if (m_beendet)
        return;
    if (!m_fehler)
        m_fehler = Abbruch();
    m_warteschlange.clear();
    m_verbindung.AllesAbbrechen();
    if (m_unterwegs == 0 && m_verbindung.Laufend() == 0)
        Beenden(m_fehler);
}

void CalDavRunde::Auflisten()
{
    ++m_durchgang;
    bool ohneEtag = false;
    for (const auto& [nummer, eintrag] : m_stand.Eintraege)
        ohneEtag = ohneEtag || eintrag.Etag.isEmpty();
    // A change sent without an ETag in its answer must be looked up in a full listing.
    if (m_ohneSync || ohneEtag)
        EtagsLesen();
    else
        Synchronisieren();
}

void CalDavRunde::Synchronisieren()
{
    const QString token = m_stand.SyncToken;
    m_verbindung.Anfrage(
        "REPORT", QUrl(m_stand.KalenderUrl), DavAnfrage::Synchronisieren(token), XmlKopf("0"),
        [this, token](const CalDavAntwort& a) {
            if (m_beendet)
                return;
            if (a.Fehler) {
                const int s = a.Status;
                if (s < 400 || s == 401 || s == 404 || s == 410 || s >= 500 || m_fehler)
                    return Beenden(m_fehler ? m_fehler : a.Fehler);
                if (!token.isEmpty() &&
                    NenntVorbedingung(a.Inhalt, QStringLiteral("valid-sync-token"))) {
                    m_stand.SyncToken.clear(); // too old for the server: a full listing
                    return Synchronisieren();
                }
                m_ohneSync = true; // no sync-collection on this server
                return EtagsLesen();
            }
            DavMultistatus ms;
            QString text;
            if (!MultistatusLesen(a.Inhalt, &ms, &text))
                return Beenden(UngueltigeAntwort(text));
            Serverliste liste;
            liste.Vollstaendig = token.isEmpty();
            liste.SyncToken = ms.SyncToken;
            for (const DavAntwortteil& t : ms.Teile) {
                const auto n = NummerAusHref(t.Href, m_planId);
                if (!n)
                    continue;
                if (t.Status == 404) {
                    liste.Entfernt.insert(*n);
                    continue;
                }
                const DavEigenschaft* etag = t.Gefunden(QStringLiteral("getetag"));
                liste.Etags[*n] = etag ? etag->Text : QString();
            }
            m_neuerToken = ms.SyncToken;
            Abholen(liste);
        });
}

void CalDavRunde::EtagsLesen()
{
    m_verbindung.Anfrage("PROPFIND", QUrl(m_stand.KalenderUrl), DavAnfrage::Etags(), XmlKopf("1"),
                         [this](const CalDavAntwort& a) {
                             if (m_beendet)
                                 return;
                             DavMultistatus ms;
                             if (!MultistatusAus(a, &ms))
                                 return;
                             Serverliste liste;
                             for (const DavAntwortteil& t : ms.Teile) {
                                 const auto n = NummerAusHref(t.Href, m_planId);
                                 const DavEigenschaft* etag = t.Gefunden(QStringLiteral("getetag"));
                                 if (n)
                                     liste.Etags[*n] = etag ? etag->Text : QString();
                             }
                             m_neuerToken.clear();
                             Abholen(liste);
                         });
}

bool CalDavRunde::MultistatusAus(const CalDavAntwort& antwort, DavMultistatus* ms)
{
    if (antwort.Fehler) {
        Beenden(m_fehler ? m_fehler : antwort.Fehler);
        return false;
    }
    QString text;
    if (!MultistatusLesen(antwort.Inhalt, ms, &text)) {
        Beenden(UngueltigeAntwort(text));
        return false;
    }
    return true;
}

void CalDavRunde::Abholen(const Serverliste& liste)
{
    const std::vector<qint32> nummern = Abzuholen(m_stand, liste);
    auto abgeholt = std::make_shared<std::map<qint32, Servertermin>>();
    auto offen = std::make_shared<int>(0);
    if (nummern.empty())
        return Entscheiden(liste, *abgeholt);

    for (size_t von = 0; von < nummern.size(); von += kAbholenJeAnfrage) {
        QStringList hrefs;
        for (size_t i = von; i < std::min(nummern.size(), von + kAbholenJeAnfrage); ++i)
            hrefs << RessourcenUrl(RessourcenName(m_planId, nummern[i])).path(QUrl::FullyEncoded);
        ++*offen;
        m_verbindung.Anfrage(
            "REPORT", QUrl(m_stand.KalenderUrl), DavAnfrage::Abholen(hrefs), XmlKopf("1"),
            [this, liste, abgeholt, offen](const CalDavAntwort& a) {
                --*offen;
                if (m_beendet)
                    return;
                DavMultistatus ms;
                if (!MultistatusAus(a, &ms))
                    return;
                for (const DavAntwortteil& t : ms.Teile) {
                    const auto n = NummerAusHref(t.Href, m_planId);
                    const DavEigenschaft* daten = t.Gefunden(QStringLiteral("calendar-data"));
                    if (!n || !daten)
                        continue; // gone meanwhile: left alone this round
                    Servertermin termin;
                    QString text;
                    if (!EreignisLesen(daten->Text.toUtf8(), m_zeitzone, &termin, &text))
                        return Beenden(UngueltigeAntwort(
                            text + QStringLiteral(" (%1)").arg(RessourcenName(m_planId, *n))));
                    (*abgeholt)[*n] = std::move(termin);
                }
                if (*offen == 0)
                    Entscheiden(liste, *abgeholt);
            });
    }
}

void CalDavRunde::Entscheiden(const Serverliste& liste,
                              const std::map<qint32, Servertermin>& abgeholt)
{
    Rundenergebnis ergebnis;
    try {
        ergebnis = Abgleichen(m_partner, m_stand, liste, abgeholt, m_planId, m_zeitzone);
    } catch (const KalenderFehler& e) {
        return Beenden({CalDavFehlerart::NichtUebertragbar, e.Text(), {}});
    }
    if (m_beendet)
        return; // cancelled while a question was open
    m_bericht.Uebernommen += ergebnis.Uebernommen;
    m_bericht.Hinweise << ergebnis.Hinweise;
    for (CalDavAuftrag& a : ergebnis.Auftraege)
        m_warteschlange.push_back(std::move(a));
    m_gesamt += static_cast<int>(ergebnis.Auftraege.size());
    Q_EMIT Fortschritt(m_erledigt, m_gesamt);
    Weitersenden();
}

void CalDavRunde::Weitersenden()
{
    while (!m_fehler && m_unterwegs < GleichzeitigHoechstens && !m_warteschlange.empty()) {
        const CalDavAuftrag auftrag = std::move(m_warteschlange.front());
        m_warteschlange.pop_front();
        CalDavVerbindung::Kopfzeilen kopf;
        QByteArray methode = "PUT";
        switch (auftrag.Art) {
        case Auftragsart::Anlegen:
            kopf << qMakePair(QByteArray("If-None-Match"), QByteArray("*"));
            break;
        case Auftragsart::Aendern:
            kopf << qMakePair(QByteArray("If-Match"), auftrag.Etag.toLatin1());
            break;
        case Auftragsart::Loeschen:
            methode = "DELETE";
            kopf << qMakePair(QByteArray("If-Match"), auftrag.Etag.toLatin1());
            break;
        }
        if (methode == "PUT")
            kopf << qMakePair(QByteArray("Content-Type"),
                              QByteArray("text/calendar; charset=utf-8"));
        ++m_unterwegs;
        m_verbindung.Anfrage(
            methode, RessourcenUrl(auftrag.Name), auftrag.Inhalt, kopf,
            [this, auftrag](const CalDavAntwort& a) {
                --m_unterwegs;
                if (m_beendet)
                    return;
                const bool geloescht = auftrag.Art == Auftragsart::Loeschen;
                if (!a.Fehler || (geloescht && a.Status == 404)) {
                    // A weak ETag cannot serve If-Match: the next round looks the resource up.
                    const bool brauchbar = !a.Fehler && !a.Etag.startsWith(QLatin1String("W/"));
                    AuftragErledigt(m_stand, auftrag, brauchbar ? a.Etag : QString());
                    ++(auftrag.Art == Auftragsart::Anlegen   ? m_bericht.Angelegt
                       : auftrag.Art == Auftragsart::Aendern ? m_bericht.Geaendert
                                                             : m_bericht.Geloescht);
                } else if (a.Status == 412 || a.Status == 404) {
                    m_vorbedingung = true; // changed or gone meanwhile: fetched and merged
                } else if (!m_fehler) {
                    m_fehler = a.Fehler;
                    m_warteschlange.clear();
                }
                ++m_erledigt;
                Q_EMIT Fortschritt(m_erledigt, m_gesamt);
                if (m_beendet)
                    return; // cancelled from the progress report
                Weitersenden();
            });
    }
    if (m_unterwegs == 0 && m_warteschlange.empty())
        Abschliessen();
}

void CalDavRunde::Abschliessen()
{
    if (m_beendet)
        return;
    if (m_fehler)
        return Beenden(m_fehler);
    if (m_vorbedingung) {
        if (m_durchgang >= kDurchgaengeHoechstens)
            return Beenden(FehlerAusStatus(412, QUrl(m_stand.KalenderUrl)));
        m_vorbedingung = false;
        return Auflisten();
    }
    // The token is kept only after a complete round: a cut-off one lists the same changes again.
    if (!m_neuerToken.isEmpty())
        m_stand.SyncToken = m_neuerToken;
    Beenden({});
}

void CalDavRunde::Beenden(const CalDavFehler& fehler)
{
    if (m_beendet)
        return;
    m_beendet = true;
    m_bericht.Fehler = fehler;
    Q_EMIT Fertig(m_bericht);
}
