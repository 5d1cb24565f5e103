#include "tests/support/modalhelfer.h"
#include "widgets/meldung.h"

#include <QDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A dialog whose button asks a question first, as the program's dialogs do.
class FrageDialog final : public QDialog
{
public:
    FrageDialog()
    {
        setObjectName(QStringLiteral("fragedialog"));
        auto* weiter = new QPushButton(QStringLiteral("Weiter"), this);
        weiter->setObjectName(QStringLiteral("weiter"));
        (new QVBoxLayout(this))->addWidget(weiter);
        connect(weiter, &QPushButton::clicked, this, [this] {
            antwort =
                Meldung(this, MeldungsArt::Bestaetigung, QStringLiteral("Sicher?"), OK | Abbrechen);
            if (antwort == OK)
                accept();
        });
    }
    Knopf antwort = Knopf{};
};

// A painted button that is no QAbstractButton, like the program's image buttons.
class Bildknopf final : public QWidget
{
public:
    explicit Bildknopf(QDialog* dialog) : QWidget(dialog), m_dialog(dialog)
    {
        setObjectName(QStringLiteral("bildknopf"));
        setFixedSize(120, 24);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (rect().contains(e->position().toPoint()))
            m_dialog->accept();
    }

private:
    QDialog* m_dialog;
};

} // namespace

class TestModalHelfer final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        QVERIFY2(ModalHelfer::OffeneFenster().isEmpty(),
                 qPrintable(ModalHelfer::OffeneFenster().join(u'\n')));
    }

    void knopfNachTextObjektnameOderOhneKaufmannsUnd_data()
    {
        QTest::addColumn<QString>("knopf");
        QTest::newRow("Objektname") << "knopf_nein";
        QTest::newRow("Text mit &") << "&Nein";
        QTest::newRow("Text ohne &") << "Nein";
    }
    void knopfNachTextObjektnameOderOhneKaufmannsUnd()
    {
        QFETCH(QString, knopf);
        ModalHelfer helfer;
        helfer.Druecke(knopf);
        QCOMPARE(Meldung(nullptr, MeldungsArt::Bestaetigung, QStringLiteral("?"), Ja | Nein), Nein);
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(helfer.Beantwortet(), 1);
    }

    void verschachtelteFensterNacheinander()
    {
        FrageDialog dialog;
        QString frage;
        ModalHelfer helfer;
        helfer.Druecke(QStringLiteral("weiter"), {}, QStringLiteral("fragedialog"))
            .Druecke(
                QStringLiteral("Abbrechen"),
                [&](QWidget* w) { frage = qobject_cast<QMessageBox*>(w)->text(); },
                QStringLiteral("QMessageBox"))
            .Druecke(QStringLiteral("weiter"), {}, QStringLiteral("fragedialog"))
            .Druecke(QStringLiteral("OK"), {}, QStringLiteral("meldung"));
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QCOMPARE(helfer.Beantwortet(), 4);
        QCOMPARE(frage, QStringLiteral("Sicher?"));
        QCOMPARE(dialog.antwort, OK);
    }

    void bildknopfPerMausklick()
    {
        QDialog dialog;
        (new QVBoxLayout(&dialog))->addWidget(new Bildknopf(&dialog));
        ModalHelfer helfer;
        helfer.Druecke(QStringLiteral("bildknopf"));
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    }

    void gibtAufWennNichtsErscheint()
    {
        ModalHelfer helfer(200);
        helfer.Druecke(QStringLiteral("OK"));
        QVERIFY(!helfer.Abwarten());
        QVERIFY(helfer.Fehlgeschlagen());
        QVERIFY(helfer.Fehler().contains(QStringLiteral("Kein passendes modales Fenster")));
    }

    void fehlenderKnopfSchliesstDasFensterUndMeldetEs()
    {
        ModalHelfer helfer;
        helfer.Druecke(QStringLiteral("Vielleicht"));
        // The box must not stay open and block the test; its escape answer comes back.
        QCOMPARE(Meldung(nullptr, MeldungsArt::Bestaetigung, QStringLiteral("?"), OK | Abbrechen),
                 Abbrechen);
        QVERIFY(helfer.Fehlgeschlagen());
        QVERIFY(helfer.Fehler().contains(QStringLiteral("„Vielleicht“")));
    }

    void falschesFensterWirdNachDerFristGeschlossen()
    {
        FrageDialog dialog;
        ModalHelfer helfer(200);
        helfer.Druecke(QStringLiteral("OK"), {}, QStringLiteral("QMessageBox"));
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(helfer.Fehlgeschlagen());
        QVERIFY(helfer.Fehler().contains(QStringLiteral("fragedialog")));
    }

    void unbenutzteSchritteSindNichtErledigt()
    {
        ModalHelfer helfer;
        helfer.Druecke(QStringLiteral("OK"));
        QVERIFY(!helfer.Erledigt());
        QVERIFY(!helfer.Fehlgeschlagen());
        QCOMPARE(helfer.Fehler(), QStringLiteral("1 Schritt(e) nicht ausgeführt"));
    }
};

QTEST_MAIN(TestModalHelfer)
#include "tst_modalhelfer.moc"
