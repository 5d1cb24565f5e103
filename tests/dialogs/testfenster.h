#pragma once

// The window that owns the plan, as far as the task dialogs ask of it: a real plan for a
// situation, the calendar's span as the window works it out, and a record of what the dialogs
// asked for. The window's own behaviour (conflict dialog, cells, undo button) is tested in
// tests/app.

#include "model/kalender.h"
#include "model/tageszahl.h"
#include "widgets/planfenster.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class TestFenster final : public PlanFenster, public PlanMelder
{
public:
    explicit TestFenster(const Situation& situation) : m_fenster(std::make_unique<QWidget>())
    {
        m_fenster->setObjectName(QStringLiteral("TestFenster"));
        Erstellen(situation);
    }

    // Plans anew for the situation, as "Weiter" in the start dialog does.
    void Erstellen(const Situation& situation)
    {
        double einzug = 0;
        double auszug = 0;
        Tageszahl::ausText(situation.Einzugdatum, &einzug);
        Tageszahl::ausText(situation.Auszugdatum, &auszug);
        m_plan.situation() = situation;
        m_plan.AbfolgeSuchen(einzug, auszug, this);
        KalenderNeuAufbauen();
        neuAufbauten = 0;
        aktualisierungen = 0;
        m_geaendert = false;
    }

    int anzdays() const { return m_spanne.tage; }
    // A change was secured for undo, as the window's undo button shows.
    bool Geaendert() const { return m_geaendert; }

    Plan& plan() override { return m_plan; }
    bool AufgabeVerschieben(qint32 nummer, qint32 start, double tag) override
    {
        konflikte = m_plan.ReihenfolgePruefen(nummer, start, tag);
        return konflikte.isEmpty();
    }
    void ZustandSichern() override
    {
        m_geaendert = true;
        m_plan.ZustandSichern();
    }
    void KalenderNeuAufbauen() override
    {
        m_spanne = SpanneBerechnen(m_plan.Aufgaben(), Tageszahl::heute());
        m_tage.clear();
        for (int i = 0; i < m_spanne.tage; ++i)
            m_tage.emplace_back(m_spanne.ersterTag + i);
        ++neuAufbauten;
    }
    void KalenderAktualisieren() override
    {
        std::vector<TagDaten*> zellen;
        for (TagDaten& t : m_tage)
            zellen.push_back(&t);
        AufgabenVerteilen(m_plan.Aufgaben(), zellen);
        ++aktualisierungen;
    }
    double ErsterTag() const override { return m_tage.empty() ? 0 : m_tage.front().Datum; }
    double LetzterTag() const override { return m_tage.empty() ? 0 : m_tage.back().Datum; }
    std::vector<const TagDaten*> TagDatenListe() const override
    {
        std::vector<const TagDaten*> liste;
        for (const TagDaten& t : m_tage)
            liste.push_back(&t);
        return liste;
    }
    QWidget* Fenster() override { return m_fenster.get(); }

    void KeineAbfolge(const QString&) override {}

    QStringList konflikte; // of the last AufgabeVerschieben
    int neuAufbauten = 0;
    int aktualisierungen = 0;

private:
    Plan m_plan;
    Kalenderspanne m_spanne;
    std::vector<TagDaten> m_tage;
    bool m_geaendert = false;
    std::unique_ptr<QWidget> m_fenster;
};
