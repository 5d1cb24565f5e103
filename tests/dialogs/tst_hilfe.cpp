#include "dialogs/hilfefenster.h"
#include "dialogs/hilfetaste.h"

#include "support/modalhelfer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <map>
#include <memory>

namespace {

// Every anchor name with its position, and every link with the position it stands at.
struct Verweise
{
    std::map<QString, int> anker;
    QList<std::pair<QString, int>> links;
};

Verweise Sammeln(const QTextDocument* dokument)
{
    Verweise v;
    for (QTextBlock b = dokument->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QTextCharFormat format = f.charFormat();
            const QStringList namen = format.anchorNames();
            for (const QString& name : namen)
                v.anker.emplace(name, f.position());
            if (format.isAnchor() && !format.anchorHref().isEmpty())
                v.links.append({format.anchorHref(), f.position()});
        }
    }
    return v;
}

// The sections of the help, in the order of its contents.
const QStringList kSeiten{QStringLiteral("index"),           QStringLiteral("startdialog"),
                          QStringLiteral("kalender"),        QStringLiteral("aufgabe"),
                          QStringLiteral("eigene-aufgaben"), QStringLiteral("verschieben"),
                          QStringLiteral("speichern"),       QStringLiteral("drucken"),
                          QStringLiteral("vorlagen"),        QStringLiteral("kalenderexport"),
                          QStringLiteral("kalenderabgleich")};

} // namespace

class TestHilfe final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> m_hauptfenster;

    THilfeFenster* Fenster() const
    {
        return m_hauptfenster->findChild<THilfeFenster*>(QStringLiteral("hilfefenster"));
    }

    // Whether the text at `position` lies in the visible part of the browser.
    static bool Sichtbar(QTextBrowser* browser, int position)
    {
        QTextCursor c(browser->document());
        c.setPosition(position);
        const QRect r = browser->cursorRect(c);
        return browser->viewport()->rect().intersects(r);
    }

private Q_SLOTS:
    void init()
    {
        m_hauptfenster = std::make_unique<QWidget>();
        m_hauptfenster->resize(800, 600);
        m_hauptfenster->show();
    }

    void cleanup()
    {
        m_hauptfenster.reset();
        QCOMPARE(ModalHelfer::OffeneFenster(), QStringList());
    }

    void dateiLiegtBeimProgramm()
    {
        const QFileInfo datei(HilfeDatei());
        QCOMPARE(datei.fileName(), QStringLiteral("kistenlotse-hilfe.html"));
        QCOMPARE(datei.absolutePath(), QCoreApplication::applicationDirPath());
        QVERIFY2(datei.isFile(), qPrintable(datei.absoluteFilePath()));
    }

    // F1 in a dialog opens the section that explains it, also from a box the dialog shows.
    void f1OeffnetDenAbschnitt_data()
    {
        QTest::addColumn<QString>("fenster");
        QTest::addColumn<bool>("ausMeldung");
        QTest::addColumn<QString>("abschnitt");
        QTest::newRow("task dialog")
            << QStringLiteral("TerminForm") << false << QStringLiteral("aufgabe");
        QTest::newRow("own-task dialog")
            << QStringLiteral("EigenerTerminForm") << false << QStringLiteral("eigene-aufgaben");
        QTest::newRow("box of the own-task dialog")
            << QStringLiteral("EigenerTerminForm") << true << QStringLiteral("eigene-aufgaben");
        QTest::newRow("conflict dialog") << QStringLiteral("Reihenfolge") << false
                                         << QStringLiteral("verschieben-mitverschieben");
        QTest::newRow("start dialog")
            << QStringLiteral("SituationsForm") << false << QStringLiteral("startdialog");
        QTest::newRow("calendar printout")
            << QStringLiteral("AusdruckForm") << false << QStringLiteral("drucken-kalender");
        QTest::newRow("print setup") << QStringLiteral("PrinterSetupDialog1") << false
                                     << QStringLiteral("drucken-einstellung");
        QTest::newRow("templates")
            << QStringLiteral("DruckvorlagenForm") << false << QStringLiteral("vorlagen");
        QTest::newRow("main window: contents")
            << QStringLiteral("KalenderForm") << false << QString();
    }

    void f1OeffnetDenAbschnitt()
    {
        QFETCH(QString, fenster);
        QFETCH(bool, ausMeldung);
        QFETCH(QString, abschnitt);
        const THilfeTaste taste(nullptr);
        QDialog dialog(m_hauptfenster.get());
        dialog.setObjectName(fenster);
        dialog.show();
        QDialog meldung(&dialog);
        meldung.setObjectName(QStringLiteral("meldung"));
        QWidget* ziel = &dialog;
        if (ausMeldung) {
            meldung.show();
            ziel = &meldung;
        }
        QTest::keyClick(ziel, Qt::Key_F1);
        auto* hilfe = ziel->findChild<THilfeFenster*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(hilfe);
        QCOMPARE(hilfe->Browser()->source().fragment(), abschnitt);
        if (!abschnitt.isEmpty()) {
            // The section exists, and it is what the window shows.
            const Verweise v = Sammeln(hilfe->Browser()->document());
            QVERIFY2(v.anker.count(abschnitt) == 1, qPrintable(abschnitt));
            QVERIFY(Sichtbar(hilfe->Browser(), v.anker.at(abschnitt)));
        }
        hilfe->close();
    }

    void oeffnetAmInhalt()
    {
        HilfeZeigen(m_hauptfenster.get());
        THilfeFenster* fenster = Fenster();
        QVERIFY(fenster);
        QVERIFY(fenster->isVisible());
        QVERIFY(fenster->isWindow());
        QCOMPARE(fenster->windowTitle(), QStringLiteral("Kistenlotse – Hilfe"));
        QVERIFY(fenster->width() >= 600 && fenster->height() >= 450);

        QTextBrowser* browser = fenster->Browser();
        QCOMPARE(browser->source(), QUrl::fromLocalFile(HilfeDatei()));
        QCOMPARE(browser->document()->firstBlock().text(), QStringLiteral("Kistenlotse – Hilfe"));
        QCOMPARE(browser->verticalScrollBar()->value(), 0);
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Inhalt")));
    }

    void inhaltVerweistAufJedenTeil()
    {
        HilfeZeigen(m_hauptfenster.get());
        const Verweise v = Sammeln(Fenster()->Browser()->document());
        for (const QString& seite : kSeiten)
            QVERIFY2(v.anker.count(seite) == 1, qPrintable(seite));

        // The links that stand before the second section are those of the contents.
        const int zweiterTeil = v.anker.at(kSeiten.at(1));
        QStringList imInhalt;
        for (const auto& [ziel, position] : v.links)
            if (position < zweiterTeil)
                imInhalt << ziel;
        for (const QString& seite : kSeiten.mid(1))
            QVERIFY2(imInhalt.contains(QLatin1Char('#') + seite), qPrintable(seite));
    }

    void jederVerweisFuehrtZumZiel_data()
    {
        QTest::addColumn<QString>("ziel");
        QFile datei(HilfeDatei());
        QVERIFY(datei.open(QIODevice::ReadOnly));
        QTextDocument dokument;
        dokument.setHtml(QString::fromUtf8(datei.readAll()));
        const Verweise v = Sammeln(&dokument);
        QVERIFY(v.links.size() > 20);
        QSet<QString> gesehen;
        for (const auto& [ziel, position] : v.links)
            if (!gesehen.contains(ziel)) {
                gesehen.insert(ziel);
                QTest::newRow(qPrintable(ziel)) << ziel;
            }
    }

    void jederVerweisFuehrtZumZiel()
    {
        QFETCH(QString, ziel);
        // Links within the file only: the help works without a network.
        QVERIFY2(ziel.startsWith(QLatin1Char('#')), qPrintable(ziel));

        HilfeZeigen(m_hauptfenster.get());
        QTextBrowser* browser = Fenster()->Browser();
        const Verweise v = Sammeln(browser->document());
        const QString name = ziel.mid(1);
        QVERIFY2(v.anker.count(name) == 1, qPrintable(QStringLiteral("no anchor %1").arg(name)));

        // Follow it as a click does: resolved against the file shown.
        const QUrl url = browser->source().resolved(QUrl(ziel));
        browser->setSource(url);
        QCOMPARE(browser->source().adjusted(QUrl::RemoveFragment),
                 QUrl::fromLocalFile(HilfeDatei()));
        QCOMPARE(browser->source().fragment(), name);
        QVERIFY2(Sichtbar(browser, v.anker.at(name)), qPrintable(name));
    }

    void zurueckUndInhalt()
    {
        HilfeZeigen(m_hauptfenster.get());
        THilfeFenster* fenster = Fenster();
        QTextBrowser* browser = fenster->Browser();
        auto* zurueck = fenster->findChild<QAbstractButton*>(QStringLiteral("knopf_zurueck"));
        auto* inhalt = fenster->findChild<QAbstractButton*>(QStringLiteral("knopf_inhalt"));
        QVERIFY(zurueck && inhalt);
        QVERIFY(!zurueck->isEnabled());

        browser->setSource(browser->source().resolved(QUrl(QStringLiteral("#kalenderexport"))));
        QVERIFY(browser->verticalScrollBar()->value() > 0);
        QVERIFY(zurueck->isEnabled());
        inhalt->click();
        QCOMPARE(browser->source().fragment(), QStringLiteral("index"));
        QCOMPARE(browser->verticalScrollBar()->value(), 0);

        // A second click on "Hilfe" finds the open window and shows the contents again.
        browser->setSource(browser->source().resolved(QUrl(QStringLiteral("#drucken"))));
        QVERIFY(browser->verticalScrollBar()->value() > 0);
        HilfeZeigen(m_hauptfenster.get());
        QCOMPARE(m_hauptfenster->findChildren<THilfeFenster*>().size(), 1);
        QCOMPARE(browser->verticalScrollBar()->value(), 0);
    }

    void fehlendeDatei()
    {
        const QString pfad =
            QCoreApplication::applicationDirPath() + QStringLiteral("/gibt-es-nicht.html");
        ModalHelfer helfer;
        QString titel;
        QString text;
        QStringList knoepfe;
        helfer.Druecke(QStringLiteral("OK"), [&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            titel = box->windowTitle();
            text = box->text();
            const auto liste = box->buttons();
            for (const QAbstractButton* b : liste)
                knoepfe << b->text();
        });
        HilfeZeigen(m_hauptfenster.get(), pfad);
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(titel, QStringLiteral("Warnung"));
        QCOMPARE(
            text,
            QStringLiteral(
                "Die Hilfe kann nicht angezeigt werden: Die Hilfedatei „%1“ wurde nicht gefunden.")
                .arg(pfad));
        QCOMPARE(knoepfe, QStringList{QStringLiteral("OK")});
        QVERIFY(!Fenster());
    }
};

QTEST_MAIN(TestHilfe)
#include "tst_hilfe.moc"
