#pragma once

#include <QString>

#include <optional>

// The reminder the calendar export chose last, kept in the settings file (section [kalender],
// key "Erinnerung": 0 none, 1 the day before at 18:00, 2 an hour before) so that the next
// export offers it again. The key is written only once the user has exported: a settings file
// of someone who never did stays as it was.

// The kept value; none when the file or the key is missing or the value is no known one.
std::optional<int> ErinnerungLesen(const QString& pfad);
// Writes only its own key, keeps every other section and key, makes a missing folder of the
// file and replaces the file atomically. False with a message in *fehler when the file cannot
// be read or written.
bool ErinnerungSchreiben(const QString& pfad, int erinnerung, QString* fehler = nullptr);
