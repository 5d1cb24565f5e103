#pragma once

#include <QLatin1String>
#include <QString>

#include <array>

// Resource paths of the program's artwork (resources/artwork, drawn by tools/artwork).
// Every button strip is 480 x 24: four frames of 120 x 24 (normal, mouse over, pressed,
// disabled); make a button with new TQvImageButton(Artwork::Kalender::Ende, this).
namespace Artwork {

// The name of the program's desktop entry and icon; the icon lies in the resources as in the
// hicolor theme: ":/artwork/icons/hicolor/16x16/apps/de.quellmark.Kistenlotse.png" (16 to 256).
inline constexpr QLatin1String Programmkennung{"de.quellmark.Kistenlotse"};
inline constexpr std::array<int, 6> Symbolgroessen{16, 32, 48, 64, 128, 256};

// The band at the top right, 200 x 32; its right 120 pixels lie over the decoration column.
inline constexpr QLatin1String Logo{":/artwork/logo.png"};
// The decoration column at the right, 120 x 600, stretched to the window's height.
inline constexpr QLatin1String Dekorspalte{":/artwork/dekorspalte.png"};
// The picture at the bottom left of the dialogs, 80 x 184.
inline constexpr QLatin1String BildLinks{":/artwork/bild_links.png"};
// The splash window: picture at the left (200 x 400), emblem (120 x 120) and the logo
// strip for the bottom right corner (300 x 48).
inline constexpr QLatin1String SplashBild{":/artwork/splash_bild.png"};
inline constexpr QLatin1String SplashEmblem{":/artwork/splash_emblem.png"};
inline constexpr QLatin1String SplashLogo{":/artwork/splash_logo.png"};

// Main window TKalenderForm, top to bottom.
namespace Kalender {
inline constexpr QLatin1String Rueckgaengig{":/artwork/buttons/kalender_rueckgaengig.png"};
inline constexpr QLatin1String Hilfe{":/artwork/buttons/kalender_hilfe.png"};
inline constexpr QLatin1String NeueAufgabe{":/artwork/buttons/kalender_neue_aufgabe.png"};
inline constexpr QLatin1String NeuBeginnen{":/artwork/buttons/kalender_neu_beginnen.png"};
inline constexpr QLatin1String UmzugAendern{":/artwork/buttons/kalender_umzug_aendern.png"};
inline constexpr QLatin1String Speichern{":/artwork/buttons/kalender_speichern.png"};
inline constexpr QLatin1String Laden{":/artwork/buttons/kalender_laden.png"};
inline constexpr QLatin1String Vorlagen{":/artwork/buttons/kalender_vorlagen.png"};
inline constexpr QLatin1String Drucken{":/artwork/buttons/kalender_drucken.png"};
inline constexpr QLatin1String Export{":/artwork/buttons/kalender_export.png"};
inline constexpr QLatin1String Abgleichen{":/artwork/buttons/kalender_abgleichen.png"};
inline constexpr QLatin1String Ende{":/artwork/buttons/kalender_ende.png"};
} // namespace Kalender

// Start dialog TSituationsForm.
namespace Situation {
inline constexpr QLatin1String Abbrechen{":/artwork/buttons/situation_abbrechen.png"};
inline constexpr QLatin1String Weiterplanen{":/artwork/buttons/situation_weiterplanen.png"};
inline constexpr QLatin1String Weiter{":/artwork/buttons/situation_weiter.png"};
} // namespace Situation

// Task detail dialog TTerminForm.
namespace Termin {
inline constexpr QLatin1String Abbrechen{":/artwork/buttons/termin_abbrechen.png"};
inline constexpr QLatin1String Loeschen{":/artwork/buttons/termin_loeschen.png"};
inline constexpr QLatin1String Uebernehmen{":/artwork/buttons/termin_uebernehmen.png"};
inline constexpr QLatin1String Drucken{":/artwork/buttons/termin_drucken.png"};
inline constexpr QLatin1String Druckvorlagen{":/artwork/buttons/termin_druckvorlagen.png"};
} // namespace Termin

// User-defined task dialog TEigenerTerminForm.
namespace EigenerTermin {
inline constexpr QLatin1String Abbrechen{":/artwork/buttons/eigenertermin_abbrechen.png"};
inline constexpr QLatin1String Loeschen{":/artwork/buttons/eigenertermin_loeschen.png"};
inline constexpr QLatin1String Uebernehmen{":/artwork/buttons/eigenertermin_uebernehmen.png"};
inline constexpr QLatin1String Drucken{":/artwork/buttons/eigenertermin_drucken.png"};
} // namespace EigenerTermin

// Print templates dialog TDruckvorlagenForm ("Fertig", "Druck starten", "Druckeinstellung").
namespace Druckvorlagen {
inline constexpr QLatin1String Fertig{":/artwork/buttons/druckvorlagen_fertig.png"};
inline constexpr QLatin1String DruckStarten{":/artwork/buttons/druckvorlagen_druck_starten.png"};
inline constexpr QLatin1String Druckeinstellung{
    ":/artwork/buttons/druckvorlagen_druckeinstellung.png"};
} // namespace Druckvorlagen

// Order-conflict dialog TReihenfolge: one strip of 960 x 24, frames of 240 x 24 for its long
// caption.
namespace Reihenfolge {
inline constexpr QLatin1String Mitverschieben{":/artwork/buttons/reihenfolge_mitverschieben.png"};
} // namespace Reihenfolge

// All 27 button strips of 480 x 24, window by window.
inline constexpr std::array<QLatin1String, 27> AlleKnoepfe{
    Kalender::Rueckgaengig,
    Kalender::Hilfe,
    Kalender::NeueAufgabe,
    Kalender::NeuBeginnen,
    Kalender::UmzugAendern,
    Kalender::Speichern,
    Kalender::Laden,
    Kalender::Vorlagen,
    Kalender::Drucken,
    Kalender::Export,
    Kalender::Abgleichen,
    Kalender::Ende,
    Situation::Abbrechen,
    Situation::Weiterplanen,
    Situation::Weiter,
    Termin::Abbrechen,
    Termin::Loeschen,
    Termin::Uebernehmen,
    Termin::Drucken,
    Termin::Druckvorlagen,
    EigenerTermin::Abbrechen,
    EigenerTermin::Loeschen,
    EigenerTermin::Uebernehmen,
    EigenerTermin::Drucken,
    Druckvorlagen::Fertig,
    Druckvorlagen::DruckStarten,
    Druckvorlagen::Druckeinstellung,
};

// What a button's picture says and what the button does, for screen readers: the caption
// ("Speichern") and a short description. Empty texts for a picture that is no button strip.
struct Knopftext
{
    QString name;
    QString beschreibung;
};
Knopftext KnopftextZu(const QString& bild);

} // namespace Artwork
