#pragma once

#include <QColor>
#include <QString>

// The program's colours, named once: the windows, the day cells, the printouts and the
// pictures of tools/artwork take them from here.
namespace Farben {
inline const QColor Dunkelblau{0, 0, 102};
inline const QColor Mittelblau{51, 102, 204};
inline const QColor Hellgelb{255, 243, 204};
inline const QColor Hellblau{102, 204, 255};
inline const QColor Orange{255, 204, 51};
inline const QColor Magenta{255, 0, 255};
// The pale blues of the day cells: bodies, edges and printed headers.
inline const QColor Blassblau{224, 224, 255};
inline const QColor Hauchblau{240, 240, 255};
inline const QColor Eisblau{221, 238, 255};
inline const QColor Kornblau{153, 176, 255};
inline const QColor Wolkenblau{205, 222, 255};
// The printed bands' grey.
inline const QColor Hellgrau{204, 204, 204};
// A done task: a paler band, grey text (still 5:1 on it), a green check mark.
inline const QColor Erledigtband{238, 242, 238};
inline const QColor Erledigttext{100, 104, 100};
inline const QColor Hakengruen{0, 140, 60};
// The mark of an overdue task.
inline const QColor Ueberfaelligrot{210, 30, 30};

// The style sheet that gives a label's text the colour `farbe`.
inline QString Textfarbe(const QColor& farbe)
{
    return QStringLiteral("color: rgb(%1, %2, %3);")
        .arg(farbe.red())
        .arg(farbe.green())
        .arg(farbe.blue());
}

// The style sheet of the windows' headings: dark blue text.
inline QString Ueberschrift()
{
    return Textfarbe(Dunkelblau);
}
} // namespace Farben
