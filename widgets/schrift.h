#pragma once

#include <QFont>

// "Arial" as the windows and printouts name it; on Linux the metric-compatible
// Liberation Sans stands in for it.
QFont ArialPixel(int pixel, bool fett = false);
QFont ArialPunkt(int punkt, bool fett = false);
