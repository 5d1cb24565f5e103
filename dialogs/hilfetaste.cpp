#include "dialogs/hilfetaste.h"

#include "dialogs/hilfefenster.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

THilfeTaste::THilfeTaste(QObject* eltern) : QObject(eltern)
{
    qApp->installEventFilter(this);
}

THilfeTaste::~THilfeTaste() = default;

bool THilfeTaste::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (ereignis->type() != QEvent::KeyPress || !objekt->isWidgetType())
        return false;
    const auto* taste = static_cast<QKeyEvent*>(ereignis);
    if (taste->key() != Qt::Key_F1 || taste->modifiers() != Qt::NoModifier)
        return false;
    QWidget* fenster = static_cast<QWidget*>(objekt)->window();
    // An open drop-down list answers for the window it belongs to.
    while (fenster->windowType() == Qt::Popup && fenster->parentWidget())
        fenster = fenster->parentWidget()->window();
    if (qobject_cast<THilfeFenster*>(fenster))
        return false; // the help itself
    HilfeZeigen(fenster);
    return true;
}
