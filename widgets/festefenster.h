#pragma once

class QWidget;

// A dialog of fixed size gets a title, its system menu and a close button, and nothing to
// maximise or minimise: without CustomizeWindowHint the window manager would offer its
// default buttons, maximise included.
void FesteGroesseMarkieren(QWidget* fenster);
