#pragma once

#include <QString>

// Where the program finds its files. Installed on Linux, the program (<prefix>/bin), its data
// (<prefix>/share/kistenlotse) and the user's settings and plans live in separate places; a
// portable copy keeps everything in the program's own folder, as a build folder does.

// The settings file: a kistenlotse.ini beside the program when there is one and that folder is
// writable (a portable copy), else Kistenlotse/kistenlotse.ini in the user's configuration
// folder ($XDG_CONFIG_HOME, ~/.config when unset). The folder is made when settings are written.
// Empty without a usable home (see EinstellungsordnerVorhanden) and no portable copy: then the
// settings stay in memory (writers of settings take an empty path as nothing to write) and the
// window says so once, with OhneEinstellungsdateiText().
QString EinstellungsPfad();
QString EinstellungsPfad(const QString& programmOrdner);

// Whether the user has a configuration folder: $XDG_CONFIG_HOME an absolute path, or $HOME an
// existing folder other than "/" (Qt would take "/" for an unset HOME and write /.config).
bool EinstellungsordnerVorhanden();
// What the window says once when the settings cannot be kept in a file.
QString OhneEinstellungsdateiText();

// The data folder of an installed program in `programmOrdner`: <prefix>/share/kistenlotse for
// <prefix>/bin, whatever the prefix.
QString InstallierterDatenordner(const QString& programmOrdner);

// A data file (print template, help file) by name: beside the program when it is there, else
// in the installed data folder. A file found in neither place gets the path where it belongs:
// in the installed data folder when that exists, else beside the program.
QString Datendatei(const QString& name);
QString Datendatei(const QString& name, const QString& programmOrdner);

// Where both file dialogs start: the user's documents folder, or home when there is none.
QString PlanOrdner();
