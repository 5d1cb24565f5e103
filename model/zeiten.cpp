#include "model/zeiten.h"

namespace Zeiten {

namespace {
QString Uhrzeit(int minuten, QChar trenner)
{
    return QStringLiteral("%1%2%3")
        .arg(minuten / 60, 2, 10, QLatin1Char('0'))
        .arg(trenner)
        .arg(minuten % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

const QStringList& BeginnTexte()
{
    static const QStringList texte = [] {
        QStringList t;
        for (int s = 0; s < Slots; ++s)
            t.append(Uhrzeit(s * 30, QLatin1Char(':')));
        return t;
    }();
    return texte;
}

const QStringList& DauerTexte()
{
    static const QStringList texte = [] {
        QStringList t;
        for (int d = 0; d < Dauerstufen; ++d)
            t.append(Uhrzeit((d + 1) * 30, QLatin1Char('h')));
        return t;
    }();
    return texte;
}

QString BeginnText(qint32 start)
{
    return BeginnTexte().at(StartImBereich(start) - 1);
}

QString DauerText(qint32 dauer)
{
    return DauerTexte().at(DauerImBereich(dauer));
}

} // namespace Zeiten
