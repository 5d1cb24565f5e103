#pragma once

// The main window as the GUI tests make it.

#include "app/kalenderform.h"

#include <QTemporaryDir>

#include <memory>

// A main window whose settings file lies in `ordner`, so no test reads or changes another's.
inline std::unique_ptr<TKalenderForm> Hauptfenster(const QTemporaryDir& ordner)
{
    auto f = std::make_unique<TKalenderForm>();
    f->einstellungsPfad = ordner.filePath(QStringLiteral("kistenlotse.ini"));
    return f;
}
