#include "model/katalog.h"

#include <array>

std::span<const Taufgdata> Aufgabenkatalog()
{
    // Columns: Nummer, Kurzbezeichnung, Beschreibung, Notiz, ausserhalbBuerozeit, auchSonntags,
    // vorher, beiAuszugsrenovierung, beiEinzugsrenovierung, mitSpedition, ohneSpedition,
    // mitKindern, Tag (offset from the moving day), vorgabeDauer, Start, Dauer.
    // Task 7's auchSonntags is decided by the situation when the catalogue is loaded.
    static const std::array<Taufgdata, 44> katalog = {{
        {21, "Auszugsrenovierung", Beratungstext(21), "", true, true, "7,11", true, false, false, false, false, 12, 15, 17, 15},
        {51, "Auto ummelden", Beratungstext(51), "", false, false, "7", false, false, false, false, false, 7, 3, 21, 3},
        {18, "Babysitter besorgen", Beratungstext(18), "", true, true, "", false, false, false, false, true, -9, 1, 36, 1},
        {2, "Bankkonto ummelden", Beratungstext(2), "", false, false, "", false, false, false, false, false, -10, 1, 17, 1},
        {48, "Belege sammeln", Beratungstext(48), "", false, true, "", false, false, false, false, false, 5, 1, 30, 1},
        {11, "Einkauf Auszugsrenovierung", Beratungstext(11), "", false, false, "", true, false, false, false, false, 10, 5, 32, 5},
        {12, "Einkauf Einzugsrenovierung", Beratungstext(12), "", false, false, "8", false, true, false, false, false, -12, 5, 32, 5},
        {52, "Einwohnermeldeamt", Beratungstext(52), "", false, false, "7", false, false, false, false, false, 7, 3, 17, 3},
        {45, "Einzugsparty", Beratungstext(45), "", true, false, "44", false, false, false, false, false, 17, 13, 35, 13},
        {20, "Einzugsrenovierung", Beratungstext(20), "", true, true, "12", false, true, false, false, false, -7, 15, 17, 15},
        {41, "Endabrechnung prüfen", Beratungstext(41), "", true, false, "4", false, false, false, false, false, 14, 3, 36, 3},
        {25, "Handwerker beauftragen", Beratungstext(25), "", false, false, "", true, true, false, false, false, -11, 3, 20, 3},
        {35, "Haustiere unterbringen", Beratungstext(35), "", true, true, "49", false, false, false, false, false, -1, 3, 30, 3},
        {49, "Haustierversorgung klären", Beratungstext(49), "", false, false, "", false, false, false, false, false, -9, 1, 28, 1},
        {5, "Helfer organisieren", Beratungstext(5), "", true, true, "", false, false, false, false, false, -13, 5, 37, 5},
        {44, "Helfer zur Einzugsparty einladen", Beratungstext(44), "", true, true, "", false, false, false, false, false, 0, 1, 40, 1},
        {30, "Hilfsmittel ausleihen", Beratungstext(30), "", true, true, "", false, false, false, false, false, -8, 5, 30, 5},
        {23, "Hilfsmittel zurückgeben", Beratungstext(23), "", true, true, "46", false, false, false, false, false, 15, 5, 26, 5},
        {42, "Kaution", Beratungstext(42), "", false, false, "41", false, false, false, false, false, 16, 1, 20, 1},
        {39, "Kleidung bereitlegen", Beratungstext(39), "", true, true, "", false, false, false, true, false, -1, 1, 37, 1},
        {24, "Kostenvoranschlag für Spedition", Beratungstext(24), "", false, false, "", false, false, true, false, false, -16, 3, 20, 3},
        {29, "Küche demontieren", Beratungstext(29), "", true, true, "", false, false, false, false, false, -1, 9, 17, 9},
        {28, "Kühlgeräte abtauen", Beratungstext(28), "", false, true, "", false, false, false, false, false, -3, 3, 36, 3},
        {38, "Möbel abbauen", Beratungstext(38), "", true, true, "9", false, false, false, false, false, -2, 15, 21, 15},
        {46, "Möbel aufbauen und einräumen", Beratungstext(46), "", true, true, "7", false, false, false, false, false, 1, 15, 19, 15},
        {19, "Möbelstellplan", Beratungstext(19), "", true, true, "8", false, false, false, false, false, -5, 5, 31, 5},
        {15, "Nachsendeantrag stellen", Beratungstext(15), "", false, false, "", false, false, false, false, false, -6, 3, 22, 3},
        {17, "Neue Anschrift bekanntgeben", Beratungstext(17), "", true, true, "", false, false, false, false, false, 2, 5, 35, 5},
        {9, "Packen", Beratungstext(9), "", true, true, "13", false, false, false, true, false, -3, 15, 17, 15},
        {40, "Parkplatz reservieren", Beratungstext(40), "", false, false, "", false, false, false, false, false, -6, 3, 27, 3},
        {53, "Schule ummelden", Beratungstext(53), "", false, false, "", false, false, false, false, true, -27, 3, 28, 3},
        {3, "Schulweg erkunden", Beratungstext(3), "", true, true, "7", false, false, false, false, true, 2, 3, 26, 3},
        {22, "Spedition beauftragen", Beratungstext(22), "", false, false, "24", false, false, true, false, false, -13, 3, 28, 3},
        {47, "Speditionsrechnung", Beratungstext(47), "", false, false, "", false, false, true, false, false, 5, 3, 20, 3},
        {32, "Stärkung für Helfer besorgen", Beratungstext(32), "", false, false, "", false, false, false, false, false, -2, 3, 17, 3},
        {16, "Telefon ummelden", Beratungstext(16), "", false, false, "", false, false, false, false, false, -8, 3, 20, 3},
        {10, "Transporter organisieren", Beratungstext(10), "", true, false, "", false, false, false, true, false, -10, 7, 22, 7},
        {14, "Übergabetermin für die alte Wohnung vereinbaren", Beratungstext(14), "", true, true, "", false, false, false, false, false, -12, 1, 20, 1},
        {Umzugsaufgabe, "Umziehen", Beratungstext(Umzugsaufgabe), "", true, false, "9,10,18,19,20,22,25,27,28,29,30,32,35,37,38,39,40", false, false, false, false, false, 0, 15, 17, 15},
        {13, "Umzugskisten besorgen", Beratungstext(13), "", false, false, "", false, false, false, false, false, -6, 3, 17, 3},
        {27, "Umzugsurlaub beantragen", Beratungstext(27), "", false, false, "", false, false, false, false, false, -27, 3, 17, 3},
        {37, "Werkzeug- und Notfallkiste zusammenstellen", Beratungstext(37), "", true, true, "", false, false, false, false, false, -5, 3, 36, 3},
        {4, "Wohnungsübergabe (alte)", Beratungstext(4), "", true, true, "14,21", false, false, false, false, false, 13, 3, 20, 3},
        {8, "Wohnungsübernahme (neue)", Beratungstext(8), "", true, true, "", false, false, false, false, false, -13, 3, 17, 3},
    }};
    return katalog;
}
