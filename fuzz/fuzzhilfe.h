#pragma once

// Shared by the fuzz targets: a violated property stops the run with its name, and the
// targets that measure text get a headless GUI application once.

#include <cstdio>

inline void pruefen(bool bedingung, const char* was)
{
    if (!bedingung) {
        std::fprintf(stderr, "Eigenschaft verletzt: %s\n", was);
        __builtin_trap();
    }
}

#if defined(QT_GUI_LIB) // targets that link Qt GUI
#include <QGuiApplication>

// Font metrics need a GUI application; the offscreen platform needs no display.
inline void GuiAnlegen()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}
#endif
