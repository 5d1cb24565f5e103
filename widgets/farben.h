#pragma once

#include <QColor>

// The program's colours.
namespace Farben {
inline const QColor Dunkelblau{0, 0, 102};
inline const QColor Mittelblau{51, 102, 204};
inline const QColor Hellgelb{255, 243, 204};
inline const QColor Hellblau{102, 204, 255};
inline const QColor Orange{255, 204, 51};
inline const QColor Magenta{255, 0, 255};
} // namespace Farben
