#pragma once

#include <QFlags>
#include <QString>

class QWidget;

// Every message box of the program comes from here, so captions, icons and button labels
// are the same everywhere.
enum class MeldungsArt
{
    Warnung,
    Fehler,
    Information,
    Bestaetigung
};

enum Knopf
{
    OK = 1,
    Abbrechen = 2,
    Ja = 4,
    Nein = 8,
    Hilfe = 16
};
Q_DECLARE_FLAGS(Knoepfe, Knopf)
Q_DECLARE_OPERATORS_FOR_FLAGS(Knoepfe)

// Shows a modal box and returns the button pressed. Escape and the close box answer with
// "Abbrechen" if present, else "&Nein", else "OK", else the only button. The buttons carry
// the object names "knopf_ok", "knopf_abbrechen", "knopf_ja", "knopf_nein", "knopf_hilfe";
// the box itself is named "meldung". A box closed from code without any answer and without
// an escape button gives 0.
Knopf Meldung(QWidget* eltern, MeldungsArt art, const QString& text, Knoepfe knoepfe = OK);

// The same with `zusatz` (e.g. a choice to make with the answer) between the text and the
// buttons; the box takes it as its child.
Knopf Meldung(QWidget* eltern, MeldungsArt art, const QString& text, Knoepfe knoepfe,
              QWidget* zusatz);

// The top-level report of a failure nobody else handled: its own text, kind Fehler, OK.
void FehlerBericht(QWidget* eltern, const QString& fehlertext);

// Caption of a kind ("Warnung", "Fehler", "Information", "Bestätigung").
QString MeldungsTitel(MeldungsArt art);
// Label of a single button ("OK", "Abbrechen", "&Ja", "&Nein", "&Hilfe").
QString KnopfBeschriftung(Knopf knopf);
// The button that Escape and the close box stand for; 0 when the set has none.
Knopf FluchtKnopf(Knoepfe knoepfe);
