#include "app/startablauf.h"

#include "app/fensterdialoge.h"
#include "app/fensterlayout.h"
#include "app/kalenderform.h"
#include "app/plandateibefehle.h"
#include "app/situationsform.h"
#include "app/splashform.h"
#include "model/ordner.h"
#include "model/plandatei.h"
#include "model/tageszahl.h"
#include "widgets/meldung.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

#include <utility>

Startablauf::Startablauf(TKalenderForm& fenster, Fensterdialoge& dialoge,
                         Plandateibefehle& dateibefehle, std::function<void()> kalenderBauen)
    : m_fenster(fenster), m_dialoge(dialoge), m_dateibefehle(dateibefehle),
      m_kalenderBauen(std::move(kalenderBauen))
{
}

bool Startablauf::Starten(const QString& plandatei)
{
    const bool weiter = m_dialoge.Begruessung()->exec() == QDialog::Accepted;
    m_dialoge.BegruessungFreigeben();
    if (!weiter)
        return false;
    const QString einstellungsdatei = m_fenster.Dokument().Einstellungsdatei();
    // Without a usable home folder the settings last only this run: said once, at the start.
    if (einstellungsdatei.isEmpty())
        Meldung(&m_fenster, MeldungsArt::Information, OhneEinstellungsdateiText(), OK);
    Einstellungen e;
    if (!plandatei.isEmpty() && PlanVonAussenLaden(plandatei)) {
        e = EinstellungenLesen(einstellungsdatei);
    } else {
        TSituationsForm* startdialog = m_dialoge.Startdialog();
        const double tag = Tageszahl::heute();
        startdialog->DatenSetzen(tag + 15, tag + 30);
        if (startdialog->Zeigen(false) != QDialog::Accepted)
            return false;
        e = startdialog->GeleseneEinstellungen();
        StartwahlAusfuehren(true);
    }
    FensterLageSetzen(m_fenster, e.fensteroben, e.fensterlinks, e.fensterbreite, e.fensterhoehe);
    m_fenster.KalenderAktualisieren();
    if (m_fenster.FokusZelle() < m_fenster.AnzahlTage())
        m_fenster.ZelleFokussieren(m_fenster.FokusZelle(), -1);
    return true;
}

void Startablauf::StartwahlAusfuehren(bool ersterPlan)
{
    TSituationsForm* startdialog = m_dialoge.Startdialog();
    if (startdialog->Gewaehlt() == TSituationsForm::Wahl::NeuerPlan) {
        m_fenster.KalenderErstellen(startdialog->GewaehlteSituation(), true);
        return;
    }
    Ladebericht bericht;
    if (m_dateibefehle.Laden(startdialog->GeleseneEinstellungen().zuletztGespeichert, &bericht))
        GeladenMelden(bericht);
    else if (!ersterPlan)
        return; // the plan shown stays
    // Without a plan: an empty calendar of five weeks from this week.
    m_kalenderBauen();
}

bool Startablauf::PlanVonAussenLaden(const QString& pfad)
{
    Ladebericht bericht;
    if (!m_dateibefehle.Laden(pfad, &bericht))
        return false;
    m_kalenderBauen();
    GeladenMelden(bericht);
    return true;
}

void Startablauf::GeladenMelden(const Ladebericht& bericht)
{
    // Tasks of a damaged file that were left out or completed are named, never shown silently.
    if (!bericht.hinweis.isEmpty())
        Meldung(&m_fenster, MeldungsArt::Warnung, bericht.hinweis, OK);
    // What the status line said of the plan before does not hold for this one.
    m_fenster.StatusAnzeigen(bericht.gekuerzt > 0
                                 ? QStringLiteral("Die Datei enthielt zu lange Angaben; %1 davon "
                                                  "wurden beim Laden gekürzt.")
                                       .arg(bericht.gekuerzt)
                                 : QString());
}

void FensterLageSetzen(QWidget& fenster, int oben, int links, int breite, int hoehe)
{
    if (breite >= 0 && hoehe >= 0 && oben >= 0) {
        fenster.setWindowState(Qt::WindowNoState);
        // The stored values are the client area, which a window manager leaves where it is
        // asked to; its frame is known only once the window is shown.
        const QRect gespeichert(links, oben, breite, hoehe);
        const QScreen* bildschirm = QGuiApplication::screenAt(gespeichert.center());
        if (!bildschirm)
            bildschirm = QGuiApplication::primaryScreen();
        fenster.setGeometry(Fensterlayout::Wiederhergestellt(
            gespeichert, bildschirm->availableGeometry(), fenster.minimumSize()));
        fenster.show();
    } else {
        // Nothing stored, or the window was maximised when it was closed.
        fenster.showMaximized();
    }
}
