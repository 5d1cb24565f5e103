#include "app/reihenfolge.h"
#include "support/modalhelfer.h"
#include "widgets/qvimagebutton.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QTest>

// The order-conflict dialog as a keyboard and screen-reader user meets it.
class TestReihenfolge final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enterBleibtSicher_data();
    void enterBleibtSicher();
    void konflikteWerdenVorgelesen();
    void fensterOhneMaximieren();
};

void TestReihenfolge::enterBleibtSicher_data()
{
    QTest::addColumn<bool>("mitverschiebenAngeboten");
    QTest::newRow("conflicts only") << false;
    QTest::newRow("moving along offered") << true;
}

void TestReihenfolge::enterBleibtSicher()
{
    QFETCH(bool, mitverschiebenAngeboten);
    TReihenfolge dialog;
    for (int zeigen = 0; zeigen < 3; ++zeigen) {
        dialog.KonflikteZeigen({QStringLiteral("'Packen' sollte vor 'Umziehen' erfolgen.")});
        if (mitverschiebenAngeboten)
            dialog.MitverschiebenAnbieten({});
        ModalHelfer helfer;
        QWidget* fokus = nullptr;
        // Twice the user walks to "mitverschieben" and leaves with Escape; the third time
        // Enter must still be the safe choice.
        helfer.Mache(
            [&](QWidget* w) {
                fokus = QApplication::focusWidget();
                if (zeigen < 2) {
                    if (mitverschiebenAngeboten)
                        dialog.findChild<TQvImageButton*>(QStringLiteral("MitverschiebenButton"))
                            ->setFocus(Qt::TabFocusReason);
                    QTest::keyClick(w, Qt::Key_Escape);
                } else {
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                }
            },
            QStringLiteral("Reihenfolge"));
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
        QVERIFY(fokus);
        QCOMPARE(fokus->objectName(), QStringLiteral("Button3"));
        QCOMPARE(qobject_cast<QPushButton*>(fokus)->text(), QStringLiteral("Abbrechen"));
    }
}

void TestReihenfolge::konflikteWerdenVorgelesen()
{
    TReihenfolge dialog;
    dialog.KonflikteZeigen({QStringLiteral("'Packen' sollte vor 'Umziehen' erfolgen.")});
    auto* liste = dialog.findChild<QWidget*>(QStringLiteral("ScrollBox1"));
    QVERIFY(liste);
    QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(liste);
    QVERIFY(zugang);
    QCOMPARE(zugang->text(QAccessible::Name),
             QStringLiteral("Hinweis zur Reihenfolge der Aufgaben:"));
    QCOMPARE(zugang->text(QAccessible::Description),
             QStringLiteral("'Packen' sollte vor 'Umziehen' erfolgen."));
}

void TestReihenfolge::fensterOhneMaximieren()
{
    const TReihenfolge dialog;
    QVERIFY(dialog.windowFlags().testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

QTEST_MAIN(TestReihenfolge)
#include "tst_reihenfolge.moc"
