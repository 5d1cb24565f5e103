#pragma once

// The main window as the GUI tests make it.

#include "app/kalenderform.h"

#include <QTemporaryDir>

#include <memory>

// A main window whose settings file lies in `ordner`, so no test reads or changes another's.
// `umgebung` may bring recorders for the task dialogs.
inline std::unique_ptr<TKalenderForm> Hauptfenster(const QTemporaryDir& ordner,
                                                   Fensterumgebung umgebung = {})
{
    umgebung.einstellungsPfad = ordner.filePath(QStringLiteral("kistenlotse.ini"));
    return std::make_unique<TKalenderForm>(std::move(umgebung));
}
