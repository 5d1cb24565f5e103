#include "app/tagzugang.h"

#include "app/kalendertabellenzugang.h"
#include "app/tagzellenzugang.h"
#include "app/tday.h"

#include <QLabel>
#include <QTimer>

using Kalenderzugang::Zugang;

namespace {

// The window's status line: the commands' answers, which a reader reads on request.
class Statuszeile final : public QAccessibleWidget
{
public:
    explicit Statuszeile(QLabel* zeile) : QAccessibleWidget(zeile, QAccessible::StatusBar) {}

    QString text(QAccessible::Text art) const override
    {
        if (art == QAccessible::Name)
            return static_cast<QLabel*>(widget())->text().trimmed();
        return QAccessibleWidget::text(art);
    }
};

} // namespace

QAccessibleInterface* TagZugang(const QString& klasse, QObject* objekt)
{
    if (klasse == QLatin1String("tday")) {
        if (auto* tag = qobject_cast<tday*>(objekt))
            return new Kalenderzugang::TagZelle(tag);
    } else if (klasse == QLatin1String("QWidget") &&
               objekt->objectName() == QLatin1String(KalenderinhaltName)) {
        if (auto* inhalt = qobject_cast<QWidget*>(objekt))
            return new Kalenderzugang::KalenderTabelle(inhalt);
    } else if (klasse == QLatin1String("QLabel") &&
               objekt->objectName() == QLatin1String(StatuszeileName)) {
        if (auto* zeile = qobject_cast<QLabel*>(objekt))
            return new Statuszeile(zeile);
    }
    return nullptr;
}

void TagZugangEinrichten()
{
    static const bool eingerichtet = [] {
        QAccessible::installFactory(&TagZugang);
        return true;
    }();
    Q_UNUSED(eingerichtet);
}

QAccessibleInterface* AufgabeZugang(tday* tag, int aufgabe)
{
    if (!tag || aufgabe < 0 || aufgabe >= static_cast<int>(tag->daten.Termine.size()))
        return nullptr;
    QAccessibleInterface* zelle = Zugang(tag);
    QAccessibleInterface* liste = zelle ? zelle->child(0) : nullptr;
    return liste ? liste->child(aufgabe) : nullptr;
}

void FokusMelden(tday* tag)
{
    if (!tag || !tag->hasFocus() || !QAccessible::isActive())
        return;
    if (QAccessibleInterface* aufgabe = AufgabeZugang(tag, tag->FokussierteAufgabe())) {
        QAccessibleEvent ereignis(aufgabe, QAccessible::Focus);
        QAccessible::updateAccessibility(&ereignis);
    } else {
        QAccessibleEvent ereignis(tag, QAccessible::Focus);
        QAccessible::updateAccessibility(&ereignis);
    }
}

void FokusMeldenDanach(tday* tag)
{
    if (!tag || !QAccessible::isActive() || tag->FokussierteAufgabe() < 0)
        return;
    QTimer::singleShot(0, tag, [tag] {
        if (tag->FokussierteAufgabe() >= 0)
            FokusMelden(tag);
    });
}

void TagGeaendert(tday* tag)
{
    if (!tag || !QAccessible::isActive())
        return;
    QAccessibleEvent beschreibung(tag, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&beschreibung);
    QAccessibleInterface* zelle = Zugang(tag);
    QAccessibleInterface* liste = zelle ? zelle->child(0) : nullptr;
    if (QAccessibleInterface* geaendert = liste ? liste : zelle) {
        QAccessibleEvent kinder(geaendert, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&kinder);
    }
    // A task that stays current may have a new name (moved in time, renamed).
    if (QAccessibleInterface* aufgabe = AufgabeZugang(tag, tag->FokussierteAufgabe())) {
        QAccessibleEvent name(aufgabe, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&name);
    }
}
