#pragma once

// Finding a window's controls in tests as the window photographer does: by object name.

#include <QWidget>

// A window's control by its object name; a renamed or missing one ends the test run.
template <class T> T* Teil(const QWidget* fenster, const char* name)
{
    auto* teil = fenster->findChild<T*>(QString::fromLatin1(name));
    if (!teil)
        qFatal("%s has no %s", qPrintable(fenster->objectName()), name);
    return teil;
}
