#include "app/aufgabenbefehle.h"

#include "app/fensterdialoge.h"
#include "app/reihenfolge.h"
#include "dialogs/terminform.h"
#include "dialogs/terminregeln.h"
#include "model/mitverschieben.h"
#include "model/plandokument.h"
#include "widgets/meldung.h"

#include <cmath>

Aufgabenbefehle::Aufgabenbefehle(Plandokument& dokument, Fensterdialoge& dialoge, QWidget* fenster)
    : m_dokument(dokument), m_dialoge(dialoge), m_fenster(fenster)
{
}

bool Aufgabenbefehle::Verschieben(qint32 nummer, qint32 start, double tag)
{
    const QStringList zeilen = m_dokument.plan().ReihenfolgePruefen(nummer, start, tag);
    if (zeilen.isEmpty())
        return true;
    TReihenfolge* dialog = m_dialoge.Reihenfolgedialog();
    dialog->KonflikteZeigen(zeilen);
    dialog->exec(); // only ever ends with Cancel
    return false;
}

Aufgabenbefehle::Zug Aufgabenbefehle::Ziehen(qint32 nummer, double tag, double erster,
                                             double letzter)
{
    Plan& plan = m_dokument.plan();
    const int i = plan.AufgabeSuchen(nummer);
    if (i < 0)
        return Zug::Abgelehnt;
    const QStringList zeilen =
        plan.ReihenfolgePruefen(nummer, plan.Aufgaben()[static_cast<size_t>(i)].Start, tag);
    Mitverschiebung bewegung;
    if (zeilen.isEmpty()) {
        bewegung.verschiebungen.push_back({static_cast<size_t>(i), tag});
    } else {
        // The dependants' days are worked out first, so the dialog can tell what cannot be placed.
        bewegung =
            MitAbhaengigenVerschieben(plan.Aufgaben(), nummer, tag, plan.situation().BundeslandA,
                                      plan.situation().BundeslandB);
        TReihenfolge* dialog = m_dialoge.Reihenfolgedialog();
        dialog->KonflikteZeigen(zeilen);
        dialog->MitverschiebenAnbieten(bewegung.nichtPlatzierbar);
        if (dialog->exec() != QDialog::Accepted || !bewegung.moeglich())
            return Zug::Abgelehnt;
    }
    m_dokument.ZustandSichern();
    Anwenden(plan.Aufgaben(), bewegung);
    for (const Verschiebung& v : bewegung.verschiebungen)
        if (std::trunc(v.Tag) < std::trunc(erster) || std::trunc(v.Tag) > std::trunc(letzter))
            return Zug::SpanneVerlassen;
    return Zug::Verschoben;
}

bool Aufgabenbefehle::Loeschen(qint32 nummer)
{
    Plan& plan = m_dokument.plan();
    const taufgabe* aufgabe = plan.Aufgabe(nummer);
    if (!aufgabe)
        return false;
    // The question of the task dialogs, with the task named, and the tasks that go too.
    const QList<qint32> abhaengige = Terminregeln::Abhaengige(plan.Aufgaben(), nummer);
    const QString namen = Terminregeln::AufgabenNamen(plan.Aufgaben(), abhaengige);
    QString frage = QStringLiteral("Die Aufgabe „%1“ wird gelöscht.").arg(aufgabe->Kurzbezeichnung);
    if (!namen.isEmpty())
        frage += QLatin1Char('\n') + TTerminForm::AbhaengigeFrage + namen;
    if (Meldung(m_fenster, MeldungsArt::Bestaetigung, frage, OK | Abbrechen) != OK)
        return false;
    m_dokument.ZustandSichern();
    for (qint32 n : QList<qint32>{nummer} + abhaengige) {
        const int i = plan.AufgabeSuchen(n);
        if (i >= 0)
            plan.Aufgaben().erase(plan.Aufgaben().begin() + i);
    }
    return true;
}
