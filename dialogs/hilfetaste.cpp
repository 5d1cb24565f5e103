#include "dialogs/hilfetaste.h"

#include "dialogs/hilfefenster.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

#include <array>
#include <utility>

namespace {

// The dialogs and the section of the help that explains each.
constexpr std::array<std::pair<const char*, const char*>, 7> kAbschnitte{{
    {"TerminForm", "aufgabe"},
    {"EigenerTerminForm", "eigene-aufgaben"},
    {"Reihenfolge", "verschieben-mitverschieben"},
    {"SituationsForm", "startdialog"},
    {"AusdruckForm", "drucken-kalender"},
    {"PrinterSetupDialog1", "drucken-einstellung"},
    {"DruckvorlagenForm", "vorlagen"},
}};

} // namespace

QString THilfeTaste::Abschnitt(const QWidget* fenster)
{
    for (const QWidget* w = fenster; w;
         w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        for (const auto& [name, abschnitt] : kAbschnitte)
            if (w->objectName() == QLatin1String(name))
                return QString::fromLatin1(abschnitt);
    return {};
}

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
    const QString abschnitt = Abschnitt(fenster);
    auto* hilfe = fenster->findChild<THilfeFenster*>(QString(), Qt::FindDirectChildrenOnly);
    if (hilfe && !abschnitt.isEmpty()) {
        QUrl ziel = hilfe->Browser()->source();
        ziel.setFragment(abschnitt);
        hilfe->Browser()->setSource(ziel, QTextDocument::HtmlResource);
    }
    return true;
}
