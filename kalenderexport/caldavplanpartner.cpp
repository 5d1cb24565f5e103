#include "kalenderexport/caldavplanpartner.h"

#include "model/plan.h"
#include "model/tageszahl.h"

CalDavPlanpartner::CalDavPlanpartner(Plan& plan) : m_plan(plan) {}

const Aufgabenliste& CalDavPlanpartner::Aufgaben() const
{
    return m_plan.Aufgaben();
}

Vorrang CalDavPlanpartner::BeideGeaendert(const taufgabe& aufgabe, const Termininhalt& server)
{
    m_hinweise << QStringLiteral("„%1“ wurde im Plan und im Kalender geändert; die Fassung des "
                                 "Plans gilt (im Kalender stand „%2“ am %3 um %4 Uhr).")
                      .arg(aufgabe.Kurzbezeichnung, server.Titel,
                           server.Start.Datum.toString(QStringLiteral("dd.MM.yyyy")),
                           server.Start.Zeit.toString(QStringLiteral("HH:mm")));
    return Vorrang::Plan;
}

NachServerloeschung CalDavPlanpartner::AufServerGeloescht(const taufgabe& aufgabe)
{
    m_hinweise << QStringLiteral("„%1“ wurde im Kalender gelöscht und wird wieder gesendet.")
                      .arg(aufgabe.Kurzbezeichnung);
    return NachServerloeschung::NeuSenden;
}

bool CalDavPlanpartner::ZeitPruefen(const taufgabe& aufgabe, const Aufgabenzeit& zeit,
                                    Mitverschiebung* bewegung)
{
    // Only conflicts the move adds count: a plan may hold some already.
    const QStringList bisher = m_plan.ReihenfolgePruefen(-1, 0, 0);
    QStringList neu = m_plan.ReihenfolgePruefen(aufgabe.Nummer, zeit.Start, zeit.Tag);
    neu.removeIf([&](const QString& zeile) { return bisher.contains(zeile); });
    if (!neu.isEmpty()) {
        m_hinweise << QStringLiteral("„%1“ wurde im Kalender auf den %2 gelegt; das verletzt "
                                     "die Reihenfolge der Aufgaben, der Termin des Plans wird "
                                     "wieder gesendet.")
                          .arg(aufgabe.Kurzbezeichnung, Tageszahl::Text(zeit.Tag));
        return false;
    }
    bewegung->verschiebungen.push_back(
        {static_cast<size_t>(m_plan.AufgabeSuchen(aufgabe.Nummer)), zeit.Tag});
    return true;
}

void CalDavPlanpartner::Aendern()
{
    if (!m_geaendert)
        VorDerErstenAenderung();
    m_geaendert = true;
}

void CalDavPlanpartner::Uebernehmen(const Uebernahme& aenderung)
{
    const taufgabe* vorher = m_plan.Aufgabe(aenderung.Nummer);
    if (!vorher)
        return;
    Mitverschiebung bewegung;
    const bool zeit = aenderung.ZeitGeaendert && ZeitPruefen(*vorher, aenderung.Zeit, &bewegung);
    if (!zeit && !aenderung.TitelGeaendert && !aenderung.NotizGeaendert)
        return;
    Aendern();
    taufgabe* aufgabe = m_plan.Aufgabe(aenderung.Nummer);
    if (aenderung.TitelGeaendert)
        aufgabe->Kurzbezeichnung = aenderung.Titel;
    if (aenderung.NotizGeaendert)
        aufgabe->Notiz = aenderung.Notiz;
    if (zeit) {
        Anwenden(m_plan.Aufgaben(), bewegung);
        aufgabe->Tag = aenderung.Zeit.Tag;
        aufgabe->Start = aenderung.Zeit.Start;
        aufgabe->Dauer = aenderung.Zeit.Dauer;
    }
}

void CalDavPlanpartner::AufgabeLoeschen(qint32 nummer)
{
    const int i = m_plan.AufgabeSuchen(nummer);
    if (i < 0)
        return;
    Aendern();
    m_plan.Aufgaben().erase(m_plan.Aufgaben().begin() + i);
}
