#pragma once

#include "model/bigini.h"

#include <QRect>
#include <QString>

// The settings file.
struct Einstellungen
{
    int fensteroben = -1;
    int fensterlinks = -1;
    int fensterbreite = -1;
    int fensterhoehe = -1;
    QString zuletztGespeichert; // the plan saved last (key "lastsaved")
};

// Defaults for everything missing; a missing or unreadable file gives all defaults.
Einstellungen EinstellungenLesen(const QString& pfad);

// Each changes only its own keys, keeps every other section and key, makes a missing folder
// of the file and replaces the file atomically. False with a message in *fehler when the file
// cannot be read or written.
bool LastsavedSchreiben(const QString& pfad, const QString& plan, QString* fehler = nullptr);
// fensteroben = top, fensterlinks = left, fensterbreite = width, fensterhoehe = height.
bool FensterSchreiben(const QString& pfad, const QRect& fenster, QString* fehler = nullptr);

// Writes the settings file `ini` to `pfad`, making a missing folder (a new user has none); an
// empty path (no home folder) keeps the settings in memory only and succeeds.
bool EinstellungenAblegen(TBigIniFile& ini, const QString& pfad, QString* fehler);
