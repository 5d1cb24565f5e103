#include "kalenderexport/caldavabgleich.h"
#include "kalenderexport/caldavplanpartner.h"
#include "kalenderexport/terminuid.h"
#include "model/plan.h"

#include "support/testdaten.h"

#include <QTest>

#include <libical/ical.h>

namespace {

const QString kPlan = QStringLiteral("p1");
const QByteArray kBerlin = QByteArrayLiteral("Europe/Berlin");

// The plan side: tasks, preset answers, and a record of what was asked and done.
class Partner final : public Abgleichpartner
{
public:
    Aufgabenliste aufgaben;
    Vorrang vorrang = Vorrang::Plan;
    NachServerloeschung nachLoeschung = NachServerloeschung::NeuSenden;
    bool reihenfolgeLehntAb = false;
    QStringList protokoll;

    const Aufgabenliste& Aufgaben() const override { return aufgaben; }
    Vorrang BeideGeaendert(const taufgabe& a, const Termininhalt&) override
    {
        protokoll << QStringLiteral("beide %1").arg(a.Nummer);
        return vorrang;
    }
    NachServerloeschung AufServerGeloescht(const taufgabe& a) override
    {
        protokoll << QStringLiteral("geloescht %1").arg(a.Nummer);
        return nachLoeschung;
    }
    void Uebernehmen(const Uebernahme& u) override
    {
        protokoll << QStringLiteral("uebernehmen %1%2%3%4")
                         .arg(u.Nummer)
                         .arg(u.TitelGeaendert ? QStringLiteral(" titel") : QString())
                         .arg(u.NotizGeaendert ? QStringLiteral(" notiz") : QString())
                         .arg(u.ZeitGeaendert ? QStringLiteral(" zeit") : QString());
        for (taufgabe& a : aufgaben) {
            if (a.Nummer != u.Nummer)
                continue;
            if (u.TitelGeaendert)
                a.Kurzbezeichnung = u.Titel;
            if (u.NotizGeaendert)
                a.Notiz = u.Notiz;
            if (u.ZeitGeaendert && !reihenfolgeLehntAb) {
                a.Tag = u.Zeit.Tag;
                a.Start = u.Zeit.Start;
                a.Dauer = u.Zeit.Dauer;
            }
        }
    }
    void AufgabeLoeschen(qint32 nummer) override
    {
        protokoll << QStringLiteral("aufgabe weg %1").arg(nummer);
        std::erase_if(aufgaben, [&](const taufgabe& a) { return a.Nummer == nummer; });
    }
};

// A calendar collection as a server keeps it, with the conditions of PUT and DELETE.
class Server final
{
public:
    struct Ressource
    {
        QString Etag;
        QByteArray Inhalt;
    };
    std::map<QString, Ressource> ressourcen;
    int naechsteEtag = 1;

    // The status a request gets; the state changes only on 2xx.
    int Ausfuehren(const CalDavAuftrag& a, QString* etag)
    {
        const auto it = ressourcen.find(a.Name);
        switch (a.Art) {
        case Auftragsart::Anlegen:
            if (it != ressourcen.end())
                return 412;
            break;
        case Auftragsart::Aendern:
        case Auftragsart::Loeschen:
            if (it == ressourcen.end() || it->second.Etag != a.Etag)
                return 412;
            break;
        }
        if (a.Art == Auftragsart::Loeschen) {
            ressourcen.erase(it);
            return 204;
        }
        *etag = NeueEtag();
        ressourcen[a.Name] = {*etag, a.Inhalt};
        return 201;
    }

    QString NeueEtag() { return QStringLiteral("\"%1\"").arg(naechsteEtag++); }

    Serverliste Liste() const
    {
        Serverliste l;
        for (const auto& [name, r] : ressourcen)
            if (const auto n = NummerAusHref(QStringLiteral("/k/") + name, kPlan))
                l.Etags[*n] = r.Etag;
        return l;
    }

    std::map<qint32, Servertermin> Abholen(const std::vector<qint32>& nummern) const
    {
        std::map<qint32, Servertermin> termine;
        for (const qint32 n : nummern) {
            Servertermin t;
            if (EreignisLesen(ressourcen.at(RessourcenName(kPlan, n)).Inhalt, kBerlin, &t, nullptr))
                termine[n] = t;
        }
        return termine;
    }

    // What a phone does: the event of task `n` moved to another begin.
    void Verschieben(qint32 n, const taufgabe& neu)
    {
        Ressource& r = ressourcen.at(RessourcenName(kPlan, n));
        r.Inhalt = EreignisText(TerminUid(kPlan, n), neu, kBerlin);
        r.Etag = NeueEtag();
    }
};

// A whole round against the server model; `bis` requests go through, the rest is cut off
// (their answers lost when `antwortVerloren`).
struct Runde
{
    Rundenergebnis ergebnis;
    QList<int> status;
};

Runde RundeAusfuehren(Partner& p, CalDavStand& stand, Server& s, int bis = 1000,
                      bool antwortVerloren = false)
{
    const Serverliste liste = s.Liste();
    Runde r;
    r.ergebnis = Abgleichen(p, stand, liste, s.Abholen(Abzuholen(stand, liste)), kPlan, kBerlin);
    int i = 0;
    for (const CalDavAuftrag& a : r.ergebnis.Auftraege) {
        if (i++ >= bis)
            break;
        QString etag;
        const int status = s.Ausfuehren(a, &etag);
        r.status << status;
        if (status < 300 && !antwortVerloren)
            AuftragErledigt(stand, a, etag);
    }
    return r;
}

Aufgabenliste Aufgabenplan(int anzahl)
{
    Aufgabenliste a;
    for (int i = 1; i <= anzahl; ++i)
        a.push_back(Aufgabe(i, "Aufgabe", T(2027, 5, 1) + i, 17 + i % 10, {}, 1));
    return a;
}

QList<Auftragsart> Arten(const Rundenergebnis& e)
{
    QList<Auftragsart> arten;
    for (const CalDavAuftrag& a : e.Auftraege)
        arten << a.Art;
    return arten;
}

} // namespace

class TestCalDavAbgleich final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanupTestCase() { icaltimezone_free_builtin_timezones(); }

    void ressourcenNamen_data()
    {
        QTest::addColumn<QString>("href");
        QTest::addColumn<int>("nummer"); // -1: not of this plan
        QTest::newRow("own") << QStringLiteral("/k/kistenlotse-p1-7.ics") << 7;
        QTest::newRow("full URL, user task")
            << QStringLiteral("https://h/dav/k/kistenlotse-p1-10001.ics") << 10001;
        QTest::newRow("percent-encoded") << QStringLiteral("/k/kistenlotse%2Dp1-7.ics") << 7;
        QTest::newRow("another plan") << QStringLiteral("/k/kistenlotse-p2-7.ics") << -1;
        QTest::newRow("a plan whose ID begins like ours")
            << QStringLiteral("/k/kistenlotse-p1x-7.ics") << -1;
        QTest::newRow("phone's own event") << QStringLiteral("/k/4F1C-AB.ics") << -1;
        QTest::newRow("leading zero") << QStringLiteral("/k/kistenlotse-p1-07.ics") << -1;
        QTest::newRow("sign") << QStringLiteral("/k/kistenlotse-p1-+7.ics") << -1;
        QTest::newRow("no number") << QStringLiteral("/k/kistenlotse-p1-.ics") << -1;
        QTest::newRow("collection") << QStringLiteral("/k/kistenlotse-p1-7.ics/") << -1;
    }

    void ressourcenNamen()
    {
        QFETCH(QString, href);
        QFETCH(int, nummer);
        const auto n = NummerAusHref(href, kPlan);
        QCOMPARE(n.value_or(-1), nummer);
        if (nummer > 0)
            QCOMPARE(RessourcenName(kPlan, nummer),
                     QStringLiteral("kistenlotse-p1-%1.ics").arg(nummer));
    }

    void ersteRundeLegtAlleAn()
    {
        Partner p;
        p.aufgaben = Aufgabenplan(3);
        CalDavStand stand;
        Server s;
        const Runde r = RundeAusfuehren(p, stand, s);
        QCOMPARE(Arten(r.ergebnis), QList<Auftragsart>(3, Auftragsart::Anlegen));
        QCOMPARE(r.status, (QList<int>{201, 201, 201}));
        QCOMPARE(s.ressourcen.size(), size_t(3));
        Servertermin t;
        QVERIFY(EreignisLesen(s.ressourcen.at(QStringLiteral("kistenlotse-p1-2.ics")).Inhalt,
                              kBerlin, &t, nullptr));
        QCOMPARE(t.Uid, QStringLiteral("kistenlotse-p1-2@kistenlotse"));
        QCOMPARE(stand.Eintraege.size(), size_t(3));

        // Nothing changed: nothing to fetch, nothing to send.
        const Runde zweite = RundeAusfuehren(p, stand, s);
        QVERIFY(zweite.ergebnis.Auftraege.empty());
        QVERIFY(Abzuholen(stand, s.Liste()).empty());
        QVERIFY(p.protokoll.isEmpty());
    }

    // Each row: what the plan and the phone do between two rounds, what the plan asks, and
    // the requests of the second round.
    void zweiteRunde_data()
    {
        QTest::addColumn<QString>("hier"); // "", "verschieben", "loeschen", "notiz"
        QTest::addColumn<QString>("dort"); // "", "verschieben", "loeschen", "gleich"
        QTest::addColumn<int>("antwort");  // Vorrang or NachServerloeschung as int
        QTest::addColumn<QStringList>("protokoll");
        QTest::addColumn<QList<Auftragsart>>("arten");
        QTest::addColumn<int>("startNachher"); // task 2's slot after the round, -1: gone

        using A = Auftragsart;
        QTest::newRow("moved here: one PUT with If-Match")
            << QStringLiteral("verschieben") << QString() << 0 << QStringList()
            << QList<A>{A::Aendern} << 30;
        QTest::newRow("note here") << QStringLiteral("notiz") << QString() << 0 << QStringList()
                                   << QList<A>{A::Aendern} << 19;
        QTest::newRow("deleted here: DELETE with If-Match")
            << QStringLiteral("loeschen") << QString() << 0 << QStringList()
            << QList<A>{A::Loeschen} << -1;
        QTest::newRow("moved on the phone: taken over, nothing sent")
            << QString() << QStringLiteral("verschieben") << 0
            << QStringList{QStringLiteral("uebernehmen 2 zeit")} << QList<A>{} << 40;
        QTest::newRow("phone saved it again unchanged: new ETag kept, nothing asked")
            << QString() << QStringLiteral("gleich") << 0 << QStringList() << QList<A>{} << 19;
        QTest::newRow("moved on both sides, plan wins: PUT over the phone's version")
            << QStringLiteral("verschieben") << QStringLiteral("verschieben") << int(Vorrang::Plan)
            << QStringList{QStringLiteral("beide 2")} << QList<A>{A::Aendern} << 30;
        QTest::newRow("moved on both sides, phone wins")
            << QStringLiteral("verschieben") << QStringLiteral("verschieben")
            << int(Vorrang::Server)
            << QStringList{QStringLiteral("beide 2"), QStringLiteral("uebernehmen 2 zeit")}
            << QList<A>{} << 40;
        QTest::newRow("deleted on the phone, sent again")
            << QString() << QStringLiteral("loeschen") << int(NachServerloeschung::NeuSenden)
            << QStringList{QStringLiteral("geloescht 2")} << QList<A>{A::Anlegen} << 19;
        QTest::newRow("deleted on the phone, task deleted")
            << QString() << QStringLiteral("loeschen") << int(NachServerloeschung::AufgabeLoeschen)
            << QStringList{QStringLiteral("geloescht 2"), QStringLiteral("aufgabe weg 2")}
            << QList<A>{} << -1;
        QTest::newRow("deleted on both sides: nothing left to do")
            << QStringLiteral("loeschen") << QStringLiteral("loeschen") << 0 << QStringList()
            << QList<A>{} << -1;
        QTest::newRow("deleted here, moved on the phone: the deletion is sent")
            << QStringLiteral("loeschen") << QStringLiteral("verschieben") << 0 << QStringList()
            << QList<A>{A::Loeschen} << -1;
    }

    void zweiteRunde()
    {
        QFETCH(QString, hier);
        QFETCH(QString, dort);
        QFETCH(int, antwort);
        QFETCH(QStringList, protokoll);
        QFETCH(QList<Auftragsart>, arten);
        QFETCH(int, startNachher);

        Partner p;
        p.aufgaben = Aufgabenplan(3);
        p.vorrang = static_cast<Vorrang>(antwort);
        p.nachLoeschung = static_cast<NachServerloeschung>(antwort);
        CalDavStand stand;
        Server s;
        RundeAusfuehren(p, stand, s);

        taufgabe& zwei = p.aufgaben[1];
        if (dort == QLatin1String("verschieben")) {
            taufgabe neu = zwei;
            neu.Start = 40;
            s.Verschieben(2, neu);
        } else if (dort == QLatin1String("gleich")) {
            s.Verschieben(2, zwei);
        } else if (dort == QLatin1String("loeschen")) {
            s.ressourcen.erase(QStringLiteral("kistenlotse-p1-2.ics"));
        }
        if (hier == QLatin1String("verschieben"))
            zwei.Start = 30;
        else if (hier == QLatin1String("notiz"))
            zwei.Notiz = {QStringLiteral("Termin bestätigt")};
        else if (hier == QLatin1String("loeschen"))
            p.aufgaben.erase(p.aufgaben.begin() + 1);

        const Runde r = RundeAusfuehren(p, stand, s);
        QCOMPARE(p.protokoll, protokoll);
        QCOMPARE(Arten(r.ergebnis), arten);
        for (const int status : r.status)
            QVERIFY(status < 300);

        const auto it = std::find_if(p.aufgaben.begin(), p.aufgaben.end(),
                                     [](const taufgabe& a) { return a.Nummer == 2; });
        QCOMPARE(it == p.aufgaben.end() ? -1 : it->Start, startNachher);
        // Afterwards plan, state and server agree: a third round has nothing to do.
        QCOMPARE(s.ressourcen.size(), p.aufgaben.size());
        p.protokoll.clear();
        const Runde dritte = RundeAusfuehren(p, stand, s);
        QVERIFY(dritte.ergebnis.Auftraege.empty());
        QVERIFY(p.protokoll.isEmpty());
    }

    void reihenfolgeLehntAbSendetPlanZurueck()
    {
        Partner p;
        p.aufgaben = Aufgabenplan(2);
        CalDavStand stand;
        Server s;
        RundeAusfuehren(p, stand, s);
        taufgabe neu = p.aufgaben[0];
        neu.Tag -= 10;
        s.Verschieben(1, neu);
        p.reihenfolgeLehntAb = true;
        const Runde r = RundeAusfuehren(p, stand, s);
        QCOMPARE(p.protokoll, QStringList{QStringLiteral("uebernehmen 1 zeit")});
        QCOMPARE(Arten(r.ergebnis), QList<Auftragsart>{Auftragsart::Aendern});
        Servertermin t;
        QVERIFY(EreignisLesen(s.ressourcen.at(QStringLiteral("kistenlotse-p1-1.ics")).Inhalt,
                              kBerlin, &t, nullptr));
        QCOMPARE(t.Inhalt, TermininhaltAus(p.aufgaben[0]));
    }

    void abgebrocheneRundeOhneDoppelte_data()
    {
        QTest::addColumn<int>("bis");
        QTest::addColumn<bool>("antwortVerloren");
        QTest::newRow("cancelled after two of five, answers kept") << 2 << false;
        QTest::newRow("killed after two of five: state never saved") << 2 << true;
        QTest::newRow("all went through, no answer arrived") << 5 << true;
        QTest::newRow("nothing went through") << 0 << false;
    }

    void abgebrocheneRundeOhneDoppelte()
    {
        QFETCH(int, bis);
        QFETCH(bool, antwortVerloren);
        Partner p;
        p.aufgaben = Aufgabenplan(5);
        CalDavStand stand;
        Server s;
        const CalDavStand vorher = stand;
        RundeAusfuehren(p, stand, s, bis, antwortVerloren);
        if (antwortVerloren)
            QCOMPARE(stand, vorher);

        const Runde r = RundeAusfuehren(p, stand, s);
        QCOMPARE(int(r.ergebnis.Auftraege.size()), 5 - bis);
        for (const int status : r.status)
            QCOMPARE(status, 201);
        QVERIFY(p.protokoll.isEmpty());
        QCOMPARE(s.ressourcen.size(), size_t(5));
        QCOMPARE(stand.Eintraege.size(), size_t(5));
        QVERIFY(RundeAusfuehren(p, stand, s).ergebnis.Auftraege.empty());
    }

    void abgebrocheneAenderung()
    {
        // A PUT of a change went through but its ETag never reached the plan file.
        Partner p;
        p.aufgaben = Aufgabenplan(2);
        CalDavStand stand;
        Server s;
        RundeAusfuehren(p, stand, s);
        p.aufgaben[0].Start = 33;
        const CalDavStand vorher = stand;
        RundeAusfuehren(p, stand, s, 1000, true);
        QCOMPARE(stand, vorher);
        const Runde r = RundeAusfuehren(p, stand, s);
        QVERIFY(r.ergebnis.Auftraege.empty());
        QVERIFY(p.protokoll.isEmpty()); // its own change is no conflict
        QCOMPARE(stand.Eintraege.at(1).Etag,
                 s.ressourcen.at(QStringLiteral("kistenlotse-p1-1.ics")).Etag);
    }

    void fremdeRessourcenBleibenUnberuehrt()
    {
        Partner p;
        p.aufgaben = Aufgabenplan(1);
        CalDavStand stand;
        Server s;
        // Another program's events, one of them under this plan's name with a UID of its own.
        s.ressourcen[QStringLiteral("geburtstag.ics")] = {QStringLiteral("\"g\""),
                                                          "BEGIN:VCALENDAR"};
        taufgabe fremd = Aufgabe(7, "Fremd", T(2027, 5, 1), 17);
        s.ressourcen[QStringLiteral("kistenlotse-p1-7.ics")] = {
            QStringLiteral("\"f\""), EreignisText(QStringLiteral("anders@x"), fremd, kBerlin)};
        p.aufgaben.push_back(Aufgabe(7, "Sieben", T(2027, 5, 2), 17));
        const Runde r = RundeAusfuehren(p, stand, s);
        QCOMPARE(Arten(r.ergebnis), QList<Auftragsart>{Auftragsart::Anlegen});
        QCOMPARE(r.ergebnis.Auftraege.at(0).Nummer, 1);
        QCOMPARE(r.ergebnis.Hinweise,
                 QStringList{QStringLiteral("Der Termin „Fremd“ im Kalender stammt nicht aus "
                                            "diesem Plan und bleibt unverändert.")});
        QCOMPARE(s.ressourcen.at(QStringLiteral("geburtstag.ics")).Etag, QStringLiteral("\"g\""));
        QCOMPARE(s.ressourcen.at(QStringLiteral("kistenlotse-p1-7.ics")).Etag,
                 QStringLiteral("\"f\""));
    }

    void synchronisationsliste()
    {
        // A sync-collection answer names only what changed: the rest counts as unchanged.
        Partner p;
        p.aufgaben = Aufgabenplan(3);
        CalDavStand stand;
        Server s;
        RundeAusfuehren(p, stand, s);
        Serverliste leer;
        leer.Vollstaendig = false;
        QVERIFY(Abgleichen(p, stand, leer, {}, kPlan, kBerlin).Auftraege.empty());

        Serverliste entfernt = leer;
        entfernt.Entfernt = {3};
        p.nachLoeschung = NachServerloeschung::AufgabeLoeschen;
        QVERIFY(Abgleichen(p, stand, entfernt, {}, kPlan, kBerlin).Auftraege.empty());
        QCOMPARE(p.protokoll,
                 (QStringList{QStringLiteral("geloescht 3"), QStringLiteral("aufgabe weg 3")}));
        QCOMPARE(stand.Eintraege.count(3), size_t(0));
    }

    // The plan partner without anyone to ask: takes what loses nothing, refuses a move that
    // breaks the order (the plan's version is sent back), and says so.
    void planpartner_data()
    {
        QTest::addColumn<qint32>("nummer");
        QTest::addColumn<QString>("titel");    // empty: unchanged
        QTest::addColumn<double>("tag");       // 0: the time unchanged
        QTest::addColumn<QString>("erwartet"); // the plan afterwards: "Nr Titel Tag Start; …"
        QTest::addColumn<QStringList>("hinweise");
        QTest::addColumn<bool>("geaendert");

        const QString unveraendert =
            QStringLiteral("1 Eins 05.03.2027 20; 2 Zwei 08.03.2027 20; 3 Drei 12.03.2027 20; "
                           "4 Vier 01.03.2027 20");
        QTest::newRow("later, nothing after it")
            << 3 << QString() << T(2027, 3, 15)
            << QStringLiteral("1 Eins 05.03.2027 20; 2 Zwei 08.03.2027 20; 3 Drei 15.03.2027 "
                              "22; 4 Vier 01.03.2027 20")
            << QStringList{} << true;
        QTest::newRow("past a task that must follow")
            << 1 << QString() << T(2027, 3, 9) << unveraendert
            << QStringList{QStringLiteral("„Eins“ wurde im Kalender auf den 09.03.2027 gelegt; "
                                          "das verletzt die Reihenfolge der Aufgaben, der Termin "
                                          "des Plans wird wieder gesendet.")}
            << false;
        QTest::newRow("new title taken, the move refused")
            << 2 << QStringLiteral("Zwei neu") << T(2027, 3, 1)
            << QStringLiteral("1 Eins 05.03.2027 20; 2 Zwei neu 08.03.2027 20; 3 Drei "
                              "12.03.2027 20; 4 Vier 01.03.2027 20")
            << QStringList{QStringLiteral("„Zwei“ wurde im Kalender auf den 01.03.2027 gelegt; "
                                          "das verletzt die Reihenfolge der Aufgaben, der Termin "
                                          "des Plans wird wieder gesendet.")}
            << true;
        // Task 4 comes before 3 although it must follow it: that conflict was there before.
        QTest::newRow("an old conflict does not block")
            << 2 << QString() << T(2027, 3, 9)
            << QStringLiteral("1 Eins 05.03.2027 20; 2 Zwei 09.03.2027 22; 3 Drei 12.03.2027 "
                              "20; 4 Vier 01.03.2027 20")
            << QStringList{} << true;
        QTest::newRow("a task no longer in the plan")
            << 9 << QStringLiteral("Neun") << 0.0 << unveraendert << QStringList{} << false;
    }

    void planpartner()
    {
        QFETCH(qint32, nummer);
        QFETCH(QString, titel);
        QFETCH(double, tag);
        QFETCH(QString, erwartet);
        QFETCH(QStringList, hinweise);
        QFETCH(bool, geaendert);
        Plan plan;
        plan.Aufgaben() = {Aufgabe(1, "Eins", T(2027, 3, 5), 20),
                           Aufgabe(2, "Zwei", T(2027, 3, 8), 20, {1}),
                           Aufgabe(3, "Drei", T(2027, 3, 12), 20, {2}),
                           Aufgabe(4, "Vier", T(2027, 3, 1), 20, {3})};
        CalDavPlanpartner partner(plan);
        Uebernahme u;
        u.Nummer = nummer;
        u.Titel = titel;
        u.TitelGeaendert = !titel.isEmpty();
        u.ZeitGeaendert = tag != 0;
        u.Zeit = {tag, 22, 3};
        partner.Uebernehmen(u);
        QStringList plantext;
        for (const taufgabe& a : partner.Aufgaben())
            plantext << QStringLiteral("%1 %2 %3 %4")
                            .arg(a.Nummer)
                            .arg(a.Kurzbezeichnung, Tageszahl::Text(a.Tag))
                            .arg(a.Start);
        QCOMPARE(plantext.join(QStringLiteral("; ")), erwartet);
        QCOMPARE(partner.Hinweise(), hinweise);
        QCOMPARE(partner.PlanGeaendert(), geaendert);
    }

    void planpartnerFragen()
    {
        struct Zaehlend final : CalDavPlanpartner
        {
            using CalDavPlanpartner::CalDavPlanpartner;
            int vorher = 0;
            void VorDerErstenAenderung() override { ++vorher; }
        };
        Plan plan;
        plan.Aufgaben() = {Aufgabe(1, "Eins", T(2027, 3, 5), 20),
                           Aufgabe(2, "Zwei", T(2027, 3, 8), 20)};
        Zaehlend partner(plan);
        Termininhalt server;
        server.Titel = QStringLiteral("Eins am Telefon");
        server.Start = {QDate(2027, 3, 6), QTime(9, 30)};
        QCOMPARE(partner.BeideGeaendert(plan.Aufgaben()[0], server), Vorrang::Plan);
        QCOMPARE(partner.AufServerGeloescht(plan.Aufgaben()[1]), NachServerloeschung::NeuSenden);
        QCOMPARE(partner.Hinweise(),
                 (QStringList{QStringLiteral("„Eins“ wurde im Plan und im Kalender geändert; "
                                             "die Fassung des Plans gilt (im Kalender stand "
                                             "„Eins am Telefon“ am 06.03.2027 um 09:30 Uhr)."),
                              QStringLiteral("„Zwei“ wurde im Kalender gelöscht und wird wieder "
                                             "gesendet.")}));
        QVERIFY(!partner.PlanGeaendert());
        partner.AufgabeLoeschen(2);
        partner.AufgabeLoeschen(1);
        partner.AufgabeLoeschen(1);
        QVERIFY(plan.Aufgaben().empty());
        QVERIFY(partner.PlanGeaendert());
        QCOMPARE(partner.vorher, 1);
    }
};

QTEST_GUILESS_MAIN(TestCalDavAbgleich)
#include "tst_caldavabgleich.moc"
