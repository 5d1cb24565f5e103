#pragma once

#include <QString>

class PlanFenster;
class QWidget;
class TAusdruckForm;
class TDruckvorlagenForm;
class TEigenerTerminForm;
class TReihenfolge;
class TSituationsForm;
class TSplashForm;
class TTerminForm;

// The main window's dialogs, each made when first needed (the splash shows sooner) and kept
// for the rest of the run as a child of the window; the splash alone goes after its showing.
class Fensterdialoge
{
public:
    Fensterdialoge(QWidget* fenster, PlanFenster* planfenster, QString einstellungsPfad);

    TSplashForm* Begruessung();
    // The splash shows once per run: its window and pictures need no memory after it.
    void BegruessungFreigeben();
    TSituationsForm* Startdialog();
    TReihenfolge* Reihenfolgedialog();
    TTerminForm* Termindialog();
    TEigenerTerminForm* EigenerTermindialog();
    TAusdruckForm* Ausdruckdialog();
    TDruckvorlagenForm* Druckvorlagendialog();

private:
    QWidget* m_fenster;
    PlanFenster* m_planfenster;
    QString m_einstellungsPfad;
    TSplashForm* m_splash = nullptr;
    TSituationsForm* m_situation = nullptr;
    TReihenfolge* m_reihenfolge = nullptr;
    TEigenerTerminForm* m_eigenerTermin = nullptr;
    TAusdruckForm* m_ausdruck = nullptr;
    TDruckvorlagenForm* m_druckvorlagen = nullptr;
    TTerminForm* m_termin = nullptr;
};
