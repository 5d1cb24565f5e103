#pragma once

#include <QImage>
#include <QString>

#include <vector>

// One output file of the generator: its path below resources/artwork and its picture.
struct Ausgabe
{
    QString datei;
    QImage bild;
};

// The button strips, four frames each (normal, mouse over, pressed, disabled), one strip per
// button of the windows, in the windows' order: 25 of 480 x 24 (frames of 120 x 24), and the
// order-conflict dialog's "Abhängige Aufgaben mitverschieben" of 960 x 24.
std::vector<Ausgabe> Knopfstreifen();

// Logo band, decoration column, left-hand picture and the splash window's pictures.
std::vector<Ausgabe> Bilder();

// The program's icon for the desktop, as PNG at 16, 32, 48, 64, 128 and 256 pixels in the
// folders of the hicolor icon theme (icons/hicolor/NxN/apps/<name>.png), drawn from its SVG
// (icons/hicolor/scalable/apps/<name>.svg, installed as it is).
std::vector<Ausgabe> Programmsymbole(const QString& name);
