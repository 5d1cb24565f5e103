// kl_fensterfoto ORDNER: writes PNG pictures of the main window with a sample plan, the start
// dialog, the splash window and the order-conflict dialog into ORDNER.

#include "app/anwendung.h"
#include "app/kalenderform.h"
#include "app/reihenfolge.h"
#include "app/situationsform.h"
#include "app/splashform.h"
#include "app/tday.h"
#include "dialogs/eigenerterminform.h"
#include "dialogs/terminform.h"
#include "model/katalog.h"
#include "model/tageszahl.h"
#include "print/ausdruckform.h"
#include "print/druckvorlagenform.h"

#include <QDir>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {
bool Foto(QWidget* w, const QString& datei)
{
    w->show();
    QTest::qWait(300);
    const bool ok = w->grab().save(datei);
    std::printf("%s %s\n", ok ? "geschrieben" : "FEHLER", qPrintable(datei));
    return ok;
}
} // namespace

int main(int argc, char** argv)
{
    Anwendung app(argc, argv);
    const QString ordner = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(ordner);

    TKalenderForm f({.einstellungsPfad = QDir(ordner).filePath(QStringLiteral("kistenlotse.ini"))});
    const double heute = Tageszahl::heute();
    Situation situation;
    situation.BundeslandA = 3;
    situation.BundeslandB = 9;
    situation.Auszugsrenovierung = true;
    situation.Kinder = true;
    situation.Einzugdatum = Tageszahl::Text(heute + 15);
    situation.Auszugdatum = Tageszahl::Text(heute + 30);
    f.KalenderErstellen(situation, true);
    taufgabe eigene;
    eigene.Nummer = f.plan().NeueAufgabenNummer();
    eigene.Kurzbezeichnung = QStringLiteral("Klavier stimmen lassen");
    eigene.Notiz = {QStringLiteral("Herr Berger, 0331 123456"), QStringLiteral("nach dem Aufbau")};
    eigene.Tag = f.plan().Aufgaben().front().Tag + 40;
    eigene.Start = 29;
    eigene.Dauer = 3;
    eigene.Benutzeraufgabe = true;
    f.plan().Aufgaben().push_back(eigene);
    f.KalenderNeuAufbauen();
    f.resize(1280, 900);
    f.StatusAnzeigen(tday::HinweisAufgabe);
    bool ok = Foto(&f, QDir(ordner).filePath(QStringLiteral("hauptfenster.png")));

    f.Startdialog()->DatenSetzen(heute + 15, heute + 30);
    ok &= Foto(f.Startdialog(), QDir(ordner).filePath(QStringLiteral("startdialog.png")));
    f.Startdialog()->hide();
    ok &= Foto(f.Begruessung(), QDir(ordner).filePath(QStringLiteral("begruessung.png")));
    f.Begruessung()->Timer1().stop();
    f.Begruessung()->hide();
    f.Reihenfolgedialog()->KonflikteZeigen(
        f.plan().ReihenfolgePruefen(Umzugsaufgabe, 17, f.plan().Aufgaben().front().Tag));
    f.Reihenfolgedialog()->MitverschiebenAnbieten({}); // as after a drag
    ok &= Foto(f.Reihenfolgedialog(), QDir(ordner).filePath(QStringLiteral("reihenfolge.png")));
    f.Reihenfolgedialog()->hide();
    f.Termindialog()->AufgabeAnzeigen(19);
    ok &= Foto(f.Termindialog(), QDir(ordner).filePath(QStringLiteral("termin.png")));
    f.Termindialog()->hide();
    f.EigenerTermindialog()->AufgabeAnzeigen(eigene.Nummer, eigene.Tag);
    ok &= Foto(f.EigenerTermindialog(), QDir(ordner).filePath(QStringLiteral("eigenertermin.png")));
    f.EigenerTermindialog()->hide();
    ok &= Foto(f.Ausdruckdialog(), QDir(ordner).filePath(QStringLiteral("ausdruck.png")));
    f.Ausdruckdialog()->hide();
    ok &= Foto(f.Druckvorlagendialog(), QDir(ordner).filePath(QStringLiteral("druckvorlagen.png")));
    f.Druckvorlagendialog()->hide();
    return ok ? 0 : 1;
}
