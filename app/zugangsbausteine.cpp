#include "app/zugangsbausteine.h"

#include "app/tday.h"

#include <algorithm>
#include <cmath>

namespace Kalenderzugang {

QAccessibleInterface* Zugang(QObject* objekt)
{
    return objekt ? QAccessible::queryAccessibleInterface(objekt) : nullptr;
}

std::vector<tday*> Zellen(const QWidget* inhalt)
{
    std::vector<tday*> zellen;
    if (!inhalt)
        return zellen;
    const QList<tday*> kinder = inhalt->findChildren<tday*>(Qt::FindDirectChildrenOnly);
    zellen.assign(kinder.begin(), kinder.end());
    std::sort(zellen.begin(), zellen.end(),
              [](const tday* a, const tday* b) { return a->Datum() < b->Datum(); });
    return zellen;
}

int Position(const tday* tag)
{
    const std::vector<tday*> zellen = Zellen(tag->parentWidget());
    if (zellen.empty())
        return -1;
    const double tage = std::trunc(tag->Datum()) - std::trunc(zellen.front()->Datum());
    return tage >= 0 ? static_cast<int>(tage) : -1;
}

} // namespace Kalenderzugang
