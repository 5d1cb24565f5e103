#pragma once

#include "model/kalender.h"
#include "model/tagdaten.h"
#include "model/taufgabe.h"

#include <QList>
#include <QObject>
#include <QPoint>

#include <optional>

#include <vector>

class Kalenderfeld;
class KWBild;
class QScrollArea;
class QTimer;
class QWidget;
class tday;

// The calendar's grid of day cells in its scroll area, with the week numbers beside it and
// the one cell that Tab reaches. The window decides what it shows; this makes, places and
// focuses the cells.
class Tagesraster final : public QObject
{
public:
    // The scroll area becomes a child of `fenster`; the cells ask `feld`.
    Tagesraster(QWidget* fenster, Kalenderfeld* feld);

    QScrollArea* Flaeche() const { return m_flaeche; }

    // Cells for `spanne`, holidays of both states marked, the tasks on them. The keyboard
    // focus stays on its day where that day is in the new grid; otherwise the focus cell is
    // today's, else `ersatzTag`'s, else the first.
    void Bauen(const Kalenderspanne& spanne, int landA, int landB, const Aufgabenliste& aufgaben,
               double ersatzTag);
    // Hands the tasks to their cells again; repaints the cells whose tasks changed.
    void Aktualisieren(const Aufgabenliste& aufgaben);
    // Fits the cells to the scroll area's width.
    void Anordnen();

    int Anzahl() const { return static_cast<int>(m_tage.size()); }
    tday* Tag(int i) const { return m_tage.at(static_cast<size_t>(i)); }
    // The cell of the day, -1 outside the grid.
    int Index(double tag) const;
    int Index(const tday* zelle) const;
    double ErsterTag() const;
    double LetzterTag() const;
    std::vector<const TagDaten*> TagDatenListe() const;
    const QList<int>& Wochennummern() const { return m_wochen; }
    // "Februar – März 2027": the months of the tasks in the grid, else of the grid.
    QString SpannenText(const Aufgabenliste& aufgaben) const;

    // Puts the keyboard focus on cell `index` (its task `aufgabe`, -1 the day itself).
    void Fokussieren(int index, int aufgabe);
    // The mouse gave `zelle` the focus: it becomes the cell Tab reaches.
    void FokusUebernehmen(tday* zelle);
    int FokusZelle() const { return m_fokusZelle; }

    // A drag with the pointer at `imSichtfeld` (viewport coordinates): near the top or bottom
    // edge the calendar scrolls on until the pointer leaves the edge; none ends it.
    void AmRandRollen(std::optional<QPoint> imSichtfeld);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void Freigeben();

    Kalenderfeld* m_feld;
    QScrollArea* m_flaeche = nullptr;
    QWidget* m_inhalt = nullptr;
    KWBild* m_kwBild = nullptr;
    std::vector<tday*> m_tage; // children of m_inhalt
    QList<int> m_wochen;
    int m_fokusZelle = 0;
    QTimer* m_rollen = nullptr;
    int m_rollrichtung = 0; // -1 up, 1 down
};
