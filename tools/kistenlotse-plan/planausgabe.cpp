#include "planausgabe.h"

#include "model/tageszahl.h"
#include "model/zeiten.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QByteArray AlsText(const PlanAusgabe& plan)
{
    QString text;
    for (const taufgabe& a : plan.aufgaben) {
        text += QString::number(a.Nummer) + QLatin1Char('\t') + Tageszahl::Text(a.Tag) +
                QLatin1Char('\t') + Zeiten::BeginnText(a.Start) + QLatin1Char('\t') +
                Zeiten::DauerText(a.Dauer) + QLatin1Char('\t') + a.Kurzbezeichnung +
                QLatin1Char('\n');
    }
    for (const QString& k : plan.konflikte)
        text += k + QLatin1Char('\n');
    if (plan.keineAbfolge)
        text += plan.keineAbfolgeText + QLatin1Char('\n');
    return text.toUtf8();
}

namespace {

QJsonArray Zeilen(const QStringList& zeilen)
{
    return QJsonArray::fromStringList(zeilen);
}

QJsonObject AufgabeJson(const taufgabe& a)
{
    QJsonArray vorher;
    for (qint32 n : a.vorher)
        vorher.append(n);
    return QJsonObject{
        {QStringLiteral("Nummer"), a.Nummer},
        {QStringLiteral("Kurzbezeichnung"), a.Kurzbezeichnung},
        {QStringLiteral("Beschreibung"), Zeilen(a.Beschreibung)},
        {QStringLiteral("Notiz"), Zeilen(a.Notiz)},
        {QStringLiteral("Druckvorlage"), a.Druckvorlage},
        {QStringLiteral("ausserhalbBuerozeit"), a.ausserhalbBuerozeit},
        {QStringLiteral("auchSonntags"), a.auchSonntags},
        {QStringLiteral("vorher"), vorher},
        {QStringLiteral("beiAuszugsrenovierung"), a.beiAuszugsrenovierung},
        {QStringLiteral("beiEinzugsrenovierung"), a.beiEinzugsrenovierung},
        {QStringLiteral("mitSpedition"), a.mitSpedition},
        {QStringLiteral("ohneSpedition"), a.ohneSpedition},
        {QStringLiteral("mitKindern"), a.mitKindern},
        {QStringLiteral("vorgabeDauer"), a.vorgabeDauer},
        {QStringLiteral("Tag"), Tageszahl::Text(a.Tag)},
        {QStringLiteral("Start"), a.Start},
        {QStringLiteral("Dauer"), a.Dauer},
        {QStringLiteral("Benutzeraufgabe"), a.Benutzeraufgabe},
    };
}

} // namespace

QByteArray AlsJson(const PlanAusgabe& plan)
{
    const Situation& s = plan.situation;
    QJsonObject situation{
        {QStringLiteral("BundeslandA"), s.BundeslandA},
        {QStringLiteral("BundeslandB"), s.BundeslandB},
        {QStringLiteral("Auszugsrenovierung"), s.Auszugsrenovierung},
        {QStringLiteral("Einzugsrenovierung"), s.Einzugsrenovierung},
        {QStringLiteral("Spedition"), s.Spedition},
        {QStringLiteral("Kinder"), s.Kinder},
        {QStringLiteral("Einzugdatum"), s.Einzugdatum},
        {QStringLiteral("Auszugdatum"), s.Auszugdatum},
    };
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
    wurzel.insert(QStringLiteral("firstday"), Tageszahl::Text(plan.spanne.firstday));
    wurzel.insert(QStringLiteral("anzdays"), plan.spanne.anzdays);
    wurzel.insert(QStringLiteral("Kalenderwochen"), wochen);
    wurzel.insert(QStringLiteral("Aufgaben"), aufgaben);
    wurzel.insert(QStringLiteral("Konflikte"), Zeilen(plan.konflikte));
    return QJsonDocument(wurzel).toJson(QJsonDocument::Indented);
}
