#include "planausgabe.h"

#include "model/planfelder.h"
#include "model/tageszahl.h"
#include "model/zeiten.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <type_traits>
#include <variant>

QString Sichtbar(QStringView text)
{
    QString sichtbar;
    sichtbar.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
            sichtbar += QStringLiteral("\\x") +
                        QString::number(u, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            sichtbar += c;
    }
    return sichtbar;
}

QByteArray AlsText(const PlanAusgabe& plan)
{
    QString text;
    for (const taufgabe& a : plan.aufgaben) {
        text += QString::number(a.Nummer) + QLatin1Char('\t') + Tageszahl::Text(a.Tag) +
                QLatin1Char('\t') + Zeiten::BeginnText(a.Start) + QLatin1Char('\t') +
                Zeiten::DauerText(a.Dauer) + QLatin1Char('\t') + Sichtbar(a.Kurzbezeichnung) +
                (a.Erledigt ? QStringLiteral("\terledigt\n") : QStringLiteral("\n"));
    }
    for (const QString& k : plan.konflikte)
        text += Sichtbar(k) + QLatin1Char('\n');
    if (plan.keineAbfolge)
        text += plan.keineAbfolgeText + QLatin1Char('\n');
    return text.toUtf8();
}

namespace {

QJsonArray Zeilen(const QStringList& zeilen)
{
    return QJsonArray::fromStringList(zeilen);
}

// A value of the plan file's tables in its JSON form: lists as arrays, days as "dd.mm.yyyy".
template <typename Wert> QJsonValue JsonWert(const Wert& wert)
{
    if constexpr (std::is_same_v<Wert, QStringList>) {
        return Zeilen(wert);
    } else if constexpr (std::is_same_v<Wert, QList<qint32>>) {
        QJsonArray feld;
        for (qint32 n : wert)
            feld.append(n);
        return feld;
    } else if constexpr (std::is_same_v<Wert, double>) {
        return Tageszahl::Text(wert);
    } else {
        return wert;
    }
}

QJsonObject AufgabeJson(const taufgabe& a)
{
    QJsonObject objekt{{QStringLiteral("Nummer"), a.Nummer},
                       {QStringLiteral("mitKindern"), a.mitKindern}};
    for (const Planfelder::Aufgabenfeld& feld : Planfelder::Aufgabe)
        std::visit([&](auto ziel) { objekt.insert(feld.schluessel, JsonWert(a.*ziel)); },
                   feld.ziel);
    return objekt;
}

} // namespace

QByteArray AlsJson(const PlanAusgabe& plan)
{
    const Situation& s = plan.situation;
    QJsonObject situation;
    for (const Planfelder::Situationsfeld& feld : Planfelder::Kopf) {
        std::visit(
            [&](auto ziel) {
                if constexpr (!std::is_same_v<decltype(ziel), Planfelder::Spannenwert>)
                    situation.insert(feld.schluessel, JsonWert(s.*ziel));
            },
            feld.ziel);
    }
    QJsonArray wochen;
    for (int w : Kalenderwochen(plan.spanne))
        wochen.append(w);
    QJsonArray aufgaben;
    for (const taufgabe& a : plan.aufgaben)
        aufgaben.append(AufgabeJson(a));

    QJsonObject wurzel;
    if (plan.Stichtag)
        wurzel.insert(QStringLiteral("Stichtag"), Tageszahl::Text(*plan.Stichtag));
    wurzel.insert(QStringLiteral("keineAbfolge"), plan.keineAbfolge);
    wurzel.insert(QStringLiteral("Situation"), situation);
    wurzel.insert(QStringLiteral("firstday"), Tageszahl::Text(plan.spanne.ersterTag));
    wurzel.insert(QStringLiteral("anzdays"), plan.spanne.tage);
    wurzel.insert(QStringLiteral("Kalenderwochen"), wochen);
    wurzel.insert(QStringLiteral("Aufgaben"), aufgaben);
    wurzel.insert(QStringLiteral("Konflikte"), Zeilen(plan.konflikte));
    return QJsonDocument(wurzel).toJson(QJsonDocument::Indented);
}
