#include "model/plandokument.h"

#include "model/tageszahl.h"

#include <QFileInfo>

#include <utility>

namespace {

// The date texts in the short form "dd.mm.yyyy"; a text that is no date counts as day 0.
Situation Normalisiert(Situation s)
{
    double einzug = 0;
    double auszug = 0;
    Tageszahl::ausText(s.Einzugdatum, &einzug);
    Tageszahl::ausText(s.Auszugdatum, &auszug);
    s.Einzugdatum = Tageszahl::Text(einzug);
    s.Auszugdatum = Tageszahl::Text(auszug);
    return s;
}

} // namespace

Plandokument::Plandokument(QString einstellungsPfad, QObject* eltern)
    : QObject(eltern), m_einstellungsPfad(std::move(einstellungsPfad)),
      m_spanne(SpanneBerechnen(m_plan.Aufgaben(), Tageszahl::heute()))
{
}

Plandokument::~Plandokument() = default;

void Plandokument::ZustandSichern()
{
    m_plan.ZustandSichern();
    m_schritt = Schritt{m_plan.situation(), m_plan.Abgleich(), m_spanne, m_stand};
    m_hatPlan = true;
    Veraendert();
}

void Plandokument::Veraendert()
{
    m_stand = ++m_letzterStand;
    Q_EMIT ZustandGewechselt();
}

void Plandokument::Rueckgaengig()
{
    if (!m_schritt)
        return;
    m_plan.ZustandWiederherstellen();
    // The ID stays: appointments exported since carry it.
    const QString planId = m_plan.situation().PlanID;
    m_plan.situation() = m_schritt->situation;
    if (m_plan.situation().PlanID.isEmpty())
        m_plan.situation().PlanID = planId;
    // The calendar sync goes with the plan's identity, not with the step.
    if (m_plan.situation().PlanID != planId)
        m_plan.Abgleich() = m_schritt->abgleich;
    m_spanne = m_schritt->spanne;
    m_stand = m_schritt->stand;
    m_schritt.reset();
    Q_EMIT ZustandGewechselt();
}

void Plandokument::NeuPlanen(const Situation& situation, PlanMelder* melder)
{
    if (m_hatPlan)
        ZustandSichern();
    m_hatPlan = true;
    const Situation s = Normalisiert(situation);
    if (s.PlanID != m_plan.situation().PlanID)
        m_plan.Abgleich() = {}; // another plan: its own identity, no calendar yet
    m_plan.situation() = s;
    double einzug = 0;
    double auszug = 0;
    Tageszahl::ausText(s.Einzugdatum, &einzug);
    Tageszahl::ausText(s.Auszugdatum, &auszug);
    m_plan.Aufgaben().clear();
    m_plan.AbfolgeSuchen(einzug, auszug, melder);
    SpanneNeuBerechnen();
}

void Plandokument::UmplanungUebernehmen(Umplanung umplanung)
{
    ZustandSichern();
    m_plan.UmplanungUebernehmen(std::move(umplanung));
    SpanneNeuBerechnen();
}

void Plandokument::SituationSetzen(const Situation& situation)
{
    m_hatPlan = true;
    m_plan.situation() = Normalisiert(situation);
    SpanneNeuBerechnen();
}

void Plandokument::SpanneNeuBerechnen()
{
    m_spanne = SpanneBerechnen(m_plan.Aufgaben(), Tageszahl::heute());
}

bool Plandokument::ErledigtSetzen(qint32 nummer, bool erledigt)
{
    const taufgabe* a = m_plan.Aufgabe(nummer);
    if (!a || a->Erledigt == erledigt)
        return false;
    ZustandSichern();
    // The undo copy leaves the list as it is.
    m_plan.Aufgabe(nummer)->Erledigt = erledigt;
    return true;
}

bool Plandokument::ErledigtUmschalten(qint32 nummer)
{
    const taufgabe* a = m_plan.Aufgabe(nummer);
    return a && ErledigtSetzen(nummer, !a->Erledigt);
}

void Plandokument::AbgleichSetzen(const CalDavStand& abgleich)
{
    if (abgleich == m_plan.Abgleich())
        return;
    m_plan.Abgleich() = abgleich;
    Veraendert();
}

void Plandokument::Uebernehmen(Aufgabenliste aufgaben, const Situation& situation,
                               CalDavStand abgleich)
{
    if (m_hatPlan)
        ZustandSichern();
    m_hatPlan = true;
    m_plan.Aufgaben() = std::move(aufgaben);
    m_plan.situation() = situation;
    m_plan.Abgleich() = std::move(abgleich);
    SpanneNeuBerechnen();
}

bool Plandokument::Laden(const QString& pfad, Ladebericht* bericht)
{
    Ladebericht eigener;
    Ladebericht& b = bericht ? *bericht : eigener;
    Aufgabenliste aufgaben;
    Situation situation = m_plan.situation();
    CalDavStand abgleich;
    if (!::PlanLaden(pfad, aufgaben, situation, &b, &abgleich))
        return false;
    Uebernehmen(std::move(aufgaben), situation, std::move(abgleich));
    m_datei = pfad;
    m_dateistand = b.stand;
    m_gespeichert = m_stand;
    m_idUngespeichert = false;
    Q_EMIT ZustandGewechselt();
    return true;
}

bool Plandokument::Speichern(const QString& pfad, QString* fehler, QString* einstellungsFehler)
{
    // The first save gives the plan its ID; a save that fails takes a new one back, so that
    // the plan stays as it was.
    const bool ohneId = m_plan.situation().PlanID.isEmpty();
    m_plan.PlanIdSicherstellen();
    Dateistand stand;
    if (!PlanDateiSpeichern(pfad, m_einstellungsPfad, m_plan.Aufgaben(), m_plan.situation(),
                            m_spanne.ersterTag, m_spanne.tage, fehler, einstellungsFehler, &stand,
                            &m_plan.Abgleich())) {
        if (ohneId)
            m_plan.situation().PlanID.clear();
        return false;
    }
    m_datei = pfad;
    m_dateistand = stand;
    m_gespeichert = m_stand;
    m_idUngespeichert = false;
    // A saved plan has no step back.
    m_schritt.reset();
    Q_EMIT ZustandGewechselt();
    return true;
}

QString Plandokument::ExportPlanId() const
{
    if (!m_plan.situation().PlanID.isEmpty())
        return m_plan.situation().PlanID;
    Plan neu;
    return neu.PlanIdSicherstellen();
}

void Plandokument::PlanIdUebernehmen(const QString& id)
{
    if (!m_plan.situation().PlanID.isEmpty() || id.isEmpty())
        return;
    m_plan.situation().PlanID = id;
    m_idUngespeichert = true;
    Q_EMIT ZustandGewechselt();
}

bool Plandokument::FremdGeschrieben(const QString& pfad) const
{
    if (m_datei.isEmpty() || !m_dateistand.vorhanden)
        return false;
    const QString bekannt = QFileInfo(m_datei).canonicalFilePath();
    if (bekannt.isEmpty() || QFileInfo(pfad).canonicalFilePath() != bekannt)
        return false;
    const Dateistand jetzt = Dateizugriff::StandJetzt(pfad, m_dateistand);
    return jetzt.vorhanden && jetzt != m_dateistand;
}
