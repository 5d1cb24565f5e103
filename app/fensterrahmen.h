#pragma once

#include "app/fensterlayout.h"
#include "model/taufgabe.h"

#include <QFont>
#include <QSize>
#include <QString>

#include <array>

class QLabel;
class QWidget;
class TQvImage;
class TQvImageButton;

// The commands of the button column, top to bottom.
enum class Befehl
{
    Rueckgaengig,
    Hilfe,
    EigenerTermin,
    Neu,
    UmzugAendern,
    Speichern,
    Laden,
    Vorlagen,
    Drucken,
    Export,
    Abgleichen,
    Ende
};

// The main window's fixed parts around the calendar: the title with the plan's span beside
// it, logo, decoration column, weekday heads, status line and the command buttons. They are
// children of the window; this only makes and places them.
class Fensterrahmen
{
public:
    explicit Fensterrahmen(QWidget* fenster);

    // Places everything for the window's client size.
    void Anordnen(const Fensterlayout::Hauptfenster& lage, int fensterbreite);

    void SpanneSetzen(const QString& text);
    // After the span, how many of the tasks are done: "12 von 44 erledigt"; nothing without
    // tasks.
    void FortschrittSetzen(const Aufgabenliste& aufgaben);
    static QString FortschrittText(const Aufgabenliste& aufgaben);
    // The smallest client size at which these parts do not overlap.
    QSize Mindestgroesse() const;
    void StatusSetzen(const QString& text);
    QString Status() const;

    TQvImageButton* Knopf(Befehl befehl) const { return m_knoepfe[static_cast<size_t>(befehl)]; }
    // By object name ("RuckgaengigButton" …); nullptr for another name.
    TQvImageButton* Knopf(const char* name) const;

private:
    void SpanneAnordnen(int fensterbreite);
    // The span's font: 20 pixels, smaller down to 12 where the room beside the title is short.
    static QFont SpannenSchrift(int pixel);

    QLabel* m_titel = nullptr;
    QLabel* m_spanne = nullptr;
    QLabel* m_fortschritt = nullptr;
    TQvImage* m_logo = nullptr;
    TQvImage* m_deko = nullptr;
    QWidget* m_wochentage = nullptr;
    std::array<QLabel*, 7> m_tagKoepfe{};
    QLabel* m_status = nullptr;
    std::array<TQvImageButton*, Fensterlayout::Anzahlknoepfe> m_knoepfe{};
};
