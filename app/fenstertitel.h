#pragma once

#include <QFileInfo>
#include <QString>

// The program's name in window captions, and the main window's caption for a plan file.
namespace Fenstertitel {

inline QString Programm()
{
    return QStringLiteral("Kistenlotse der Quellmark AG");
}

// "umzug.kvr[*] – Kistenlotse der Quellmark AG": the file's name first, as desktop programs
// show it; Qt puts "*" in place of "[*]" while the window is marked modified. Without a file
// the program's name alone.
inline QString MitDatei(const QString& pfad)
{
    if (pfad.isEmpty())
        return Programm() + QStringLiteral("[*]");
    return QFileInfo(pfad).fileName() + QStringLiteral("[*] – ") + Programm();
}

} // namespace Fenstertitel
