#include "widgets/knopfzugang.h"

#include "widgets/qvimagebutton.h"

#include <QAccessibleWidget>

namespace {

class Bildknopf final : public QAccessibleWidget
{
public:
    explicit Bildknopf(TQvImageButton* knopf) : QAccessibleWidget(knopf, QAccessible::Button) {}

    QStringList actionNames() const override
    {
        QStringList namen = QAccessibleWidget::actionNames();
        if (widget()->isEnabled())
            namen.prepend(pressAction());
        return namen;
    }

    void doAction(const QString& name) override
    {
        // A click may open a modal dialog; the caller (a screen reader waiting on the bus) gets
        // its answer first, as with a stock button.
        if (name == pressAction())
            QMetaObject::invokeMethod(static_cast<TQvImageButton*>(widget()),
                                      &TQvImageButton::Klicken, Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(name);
    }

    QStringList keyBindingsForAction(const QString& name) const override
    {
        const QKeySequence& kuerzel = static_cast<const TQvImageButton*>(widget())->Tastenkuerzel();
        if (name == pressAction() && !kuerzel.isEmpty())
            return {TQvImageButton::TastenText(kuerzel)};
        return QAccessibleWidget::keyBindingsForAction(name);
    }
};

} // namespace

QAccessibleInterface* BildknopfZugang(const QString& klasse, QObject* objekt)
{
    if (klasse == QLatin1String("TQvImageButton"))
        if (auto* knopf = qobject_cast<TQvImageButton*>(objekt))
            return new Bildknopf(knopf);
    return nullptr;
}

void BildknopfZugangEinrichten()
{
    static const bool eingerichtet = [] {
        QAccessible::installFactory(&BildknopfZugang);
        return true;
    }();
    Q_UNUSED(eingerichtet);
}
