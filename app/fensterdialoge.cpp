#include "app/fensterdialoge.h"

#include "app/reihenfolge.h"
#include "app/situationsform.h"
#include "app/splashform.h"
#include "dialogs/eigenerterminform.h"
#include "dialogs/terminform.h"
#include "print/ausdruckform.h"
#include "print/druckvorlagenform.h"

#include <utility>

Fensterdialoge::Fensterdialoge(QWidget* fenster, PlanFenster* planfenster, QString einstellungsPfad)
    : m_fenster(fenster), m_planfenster(planfenster),
      m_einstellungsPfad(std::move(einstellungsPfad))
{
}

TSplashForm* Fensterdialoge::Begruessung()
{
    if (!m_splash)
        m_splash = new TSplashForm(m_fenster);
    return m_splash;
}

void Fensterdialoge::BegruessungFreigeben()
{
    delete m_splash;
    m_splash = nullptr;
}

TSituationsForm* Fensterdialoge::Startdialog()
{
    if (!m_situation)
        m_situation = new TSituationsForm(m_einstellungsPfad, m_fenster);
    return m_situation;
}

TEigenerTerminForm* Fensterdialoge::EigenerTermindialog()
{
    if (!m_eigenerTermin)
        m_eigenerTermin = new TEigenerTerminForm(m_planfenster, m_fenster);
    return m_eigenerTermin;
}

TAusdruckForm* Fensterdialoge::Ausdruckdialog()
{
    if (!m_ausdruck)
        m_ausdruck = new TAusdruckForm(m_planfenster, m_fenster);
    return m_ausdruck;
}

TDruckvorlagenForm* Fensterdialoge::Druckvorlagendialog()
{
    if (!m_druckvorlagen)
        m_druckvorlagen = new TDruckvorlagenForm(m_fenster);
    return m_druckvorlagen;
}

TTerminForm* Fensterdialoge::Termindialog()
{
    if (!m_termin) {
        m_termin = new TTerminForm(m_planfenster, m_fenster);
        m_termin->DruckvorlagenZeigenLassen([this] { Druckvorlagendialog()->exec(); });
    }
    return m_termin;
}

TReihenfolge* Fensterdialoge::Reihenfolgedialog()
{
    if (!m_reihenfolge)
        m_reihenfolge = new TReihenfolge(m_fenster);
    return m_reihenfolge;
}
