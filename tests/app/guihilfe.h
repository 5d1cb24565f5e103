#pragma once

// Small helpers for driving the calendar window in tests.

#include "support/testdaten.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// Sends a mouse event straight to `w` at `pos` (widget coordinates), as the window system
// would while the button is held (the pressed widget keeps receiving the events).
inline void Maus(QWidget* w, QEvent::Type art, QPoint pos, Qt::MouseButton knopf = Qt::LeftButton)
{
    const Qt::MouseButtons gedrueckt =
        art == QEvent::MouseButtonRelease
            ? Qt::NoButton
            : (art == QEvent::MouseMove && knopf == Qt::NoButton ? Qt::NoButton
                                                                 : Qt::MouseButtons(knopf));
    QMouseEvent e(art, QPointF(pos), w->mapToGlobal(QPointF(pos)),
                  art == QEvent::MouseMove ? Qt::NoButton : knopf, gedrueckt, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// The child of `w` with the object name `name`, as tests and tools find widgets.
template <class T> T* Kind(const QWidget* w, const char* name)
{
    return w->findChild<T*>(QString::fromLatin1(name));
}
