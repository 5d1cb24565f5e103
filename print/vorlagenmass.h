#pragma once

#include <QPoint>

// What the print templates' pictures and their printing agree on. The template generator
// (tools/vorlagen) draws the pictures by the same numbers.
namespace Vorlagenmass {

// Dots per inch of every template picture.
inline constexpr int Punktdichte = 150;

// A postcard is one landscape sheet: its back picture holds the address side on the left and
// leaves the right half free, where the front picture goes unscaled with its top left corner
// here.
inline constexpr QPoint VorderseitePosition{699, 51};

} // namespace Vorlagenmass
