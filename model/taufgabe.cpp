#include "model/taufgabe.h"

#include <cmath>

taufgabe taufgabe::Kopie() const
{
    taufgabe k = *this;
    k.mitKindern = false;
    return k;
}

double taufgabe::Zeitpunkt(double tag, qint32 start)
{
    return std::trunc(tag) + (static_cast<double>(start) - 1.0) / 48.0;
}

QString ZeilenZuText(const QStringList& zeilen)
{
    QString text;
    for (const QString& z : zeilen)
        text += z + QLatin1Char('|');
    return text;
}

QStringList TextZuZeilen(const QString& text)
{
    QStringList zeilen;
    QString zeile;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('|') || c == QLatin1Char('\n')) {
            zeilen.append(zeile);
            zeile.clear();
        } else if (c == QLatin1Char('\r')) {
            zeilen.append(zeile);
            zeile.clear();
            if (i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            zeile.append(c);
        }
    }
    if (!zeile.isEmpty())
        zeilen.append(zeile);
    return zeilen;
}

QString NummernText(const QList<qint32>& nummern)
{
    QString text;
    for (qsizetype i = 0; i < nummern.size(); ++i) {
        if (i > 0)
            text += QLatin1Char(',');
        text += QString::number(nummern.at(i));
    }
    return text;
}
