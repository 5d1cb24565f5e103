#pragma once

#include <QImage>
#include <QString>

#include <vector>

// One output file of the generator: its path below resources/artwork and its picture.
struct Ausgabe {
    QString datei;
    QImage bild;
};

// The 25 button strips, 480 x 24: four frames of 120 x 24 (normal, mouse over, pressed,
// disabled), one strip per button of the windows, in the windows' order.
std::vector<Ausgabe> Knopfstreifen();

// Logo band, decoration column, left-hand picture and the splash window's pictures.
std::vector<Ausgabe> Bilder();
