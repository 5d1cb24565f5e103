#include "model/tageszahl.h"

#include "model/uhr.h"

#include <QRegularExpression>

#include <cmath>

namespace Tageszahl {

namespace {
// Day numbers a QDate can represent comfortably and the dialogs can show (years 1..9999).
constexpr double kKleinsterTag = -693593.0;
constexpr double kGroessterTag = 2958465.0;
} // namespace

double ausDatum(QDate datum)
{
    return static_cast<double>(datum.toJulianDay() - EpocheJulianisch);
}

double ausDatumZeit(const QDateTime& zeitpunkt)
{
    const QTime t = zeitpunkt.time();
    return ausDatum(zeitpunkt.date()) + t.msecsSinceStartOfDay() / 86400000.0;
}

QDate zuDatum(double tag)
{
    if (!std::isfinite(tag))
        return {};
    const double ganz = std::trunc(tag); // the time of day does not move the date
    if (ganz < kKleinsterTag || ganz > kGroessterTag)
        return {};
    return QDate::fromJulianDay(static_cast<qint64>(ganz) + EpocheJulianisch);
}

double jetzt()
{
    return ausDatumZeit(Uhr::Jetzt());
}

double heute()
{
    return ausDatum(Uhr::Heute());
}

int Wochentag(double tag)
{
    if (!std::isfinite(tag))
        return 1;
    // Day 0 was a Saturday (7), day 1 a Sunday (1).
    const auto d = static_cast<qint64>(std::trunc(std::fmod(tag, 7.0)));
    return static_cast<int>(((d + 6) % 7 + 7) % 7) + 1;
}

QString Text(double tag)
{
    const QDate d = zuDatum(tag);
    if (!d.isValid())
        return {};
    return QStringLiteral("%1.%2.%3")
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.year(), 4, 10, QLatin1Char('0'));
}

bool ausText(const QString& text, double* tag)
{
    static const QRegularExpression muster(
        QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})\\s*$"));
    const auto m = muster.match(text);
    if (!m.hasMatch())
        return false;
    const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!d.isValid())
        return false;
    if (tag)
        *tag = ausDatum(d);
    return true;
}

} // namespace Tageszahl
