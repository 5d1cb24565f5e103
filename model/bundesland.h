#pragma once

// The federal-state codes: a state's position in the start dialog's list plus one. Plan files
// store them as numbers, so a code read from a file may be any integer.
namespace Bundesland {

enum Code : int
{
    BadenWuerttemberg = 1,
    Bayern,
    Berlin,
    Brandenburg,
    Bremen,
    Hamburg,
    Hessen,
    MecklenburgVorpommern,
    Niedersachsen,
    NordrheinWestfalen,
    RheinlandPfalz,
    Saarland,
    Sachsen,
    SachsenAnhalt,
    SchleswigHolstein,
    Thueringen,
    AnderesAusland, // "anderes /Ausland": no holidays beyond the nationwide ones
};

} // namespace Bundesland
