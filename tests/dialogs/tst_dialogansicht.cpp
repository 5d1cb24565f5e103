#include "dialoghilfe.h"
#include "testfenster.h"

#include "dialogs/eigenerterminform.h"
#include "dialogs/terminform.h"
#include "dialogs/terminregeln.h"
#include "widgets/datumsfeld.h"
#include "widgets/dialograhmen.h"
#include "widgets/qvimagebutton.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QStyleOptionComboBox>

#include <memory>

// How both dialogs look with real catalogue tasks: nothing cut off, nothing outside the
// window. With KL_BILDER set to a folder, the pictures are written there to look at.
class TestDialogansicht final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void terminForm_data();
    void terminForm();
    void eigenerTerminForm_data();
    void eigenerTerminForm();

private:
    void Pruefen(QDialog* d, const QString& name, const QList<QWidget*>& ausnahmen);

    std::unique_ptr<TestFenster> m_f;
};

void TestDialogansicht::init()
{
    m_f = std::make_unique<TestFenster>(BerlinerUmzug());
}

void TestDialogansicht::cleanup()
{
    m_f.reset();
    QVERIFY(ModalHelfer::OffeneFenster().isEmpty());
}

void TestDialogansicht::Pruefen(QDialog* d, const QString& name, const QList<QWidget*>& ausnahmen)
{
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    const QImage bild = d->grab().toImage();
    QCOMPARE(bild.size(), QSize(632, 453));
    if (const QString ordner = qEnvironmentVariable("KL_BILDER"); !ordner.isEmpty())
        QVERIFY(bild.save(QDir(ordner).filePath(name + QStringLiteral(".png"))));

    const QRect fenster = d->rect();
    const auto kinder = d->findChildren<QWidget*>();
    for (QWidget* w : kinder) {
        if (!w->isVisibleTo(d) || ausnahmen.contains(w))
            continue;
        if (w->parentWidget() == d)
            QVERIFY2(fenster.contains(w->geometry()), qPrintable(w->objectName()));
        // A label shows all of its text.
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty()) {
            const bool ganz = l->wordWrap() ? l->height() >= l->heightForWidth(l->width())
                                            : l->width() >= l->sizeHint().width() &&
                                                  l->height() >= l->sizeHint().height();
            QVERIFY2(ganz, qPrintable(QStringLiteral("%1 „%2“ %3x%4 < %5x%6")
                                          .arg(l->objectName(), l->text())
                                          .arg(l->width())
                                          .arg(l->height())
                                          .arg(l->sizeHint().width())
                                          .arg(l->sizeHint().height())));
        }
        // The longest entry of a list fits its box.
        if (auto* box = qobject_cast<QComboBox*>(w)) {
            QStyleOptionComboBox o;
            o.initFrom(box);
            const QRect feld = box->style()->subControlRect(QStyle::CC_ComboBox, &o,
                                                            QStyle::SC_ComboBoxEditField, box);
            for (int i = 0; i < box->count(); ++i)
                QVERIFY2(box->fontMetrics().horizontalAdvance(box->itemText(i)) <= feld.width(),
                         qPrintable(box->objectName() + u' ' + box->itemText(i)));
        }
    }
    // Nothing overlaps, and a label's text keeps off its neighbours. The decoration column lies
    // behind the buttons; everything else keeps left of that column.
    QList<QWidget*> teile;
    for (QWidget* w : kinder)
        if (w->parentWidget() == d && w->isVisibleTo(d) &&
            w->objectName() != QStringLiteral("Image1"))
            teile << w;
    for (QWidget* w : teile) {
        if (!qobject_cast<TQvImageButton*>(w) && w->objectName() != QStringLiteral("Image2"))
            QVERIFY2(w->geometry().right() < Dialograhmen::Spalte, qPrintable(w->objectName()));
    }
    auto lage = [](const QWidget* w) {
        return qobject_cast<const QLabel*>(w) ? w->geometry().adjusted(-2, 0, 2, 0) : w->geometry();
    };
    for (qsizetype i = 0; i < teile.size(); ++i) {
        for (qsizetype j = i + 1; j < teile.size(); ++j) {
            QWidget* a = teile[i];
            QWidget* b = teile[j];
            const QString paar = a->objectName() + QStringLiteral(" / ") + b->objectName();
            if (!qobject_cast<const QLabel*>(a) || !qobject_cast<const QLabel*>(b)) {
                QVERIFY2(!lage(a).intersects(lage(b)), qPrintable(paar));
                continue;
            }
            // Two transparent labels may share room as long as their letters do not meet.
            const QImage bildA = a->grab().toImage();
            const QImage bildB = b->grab().toImage();
            auto tinte = [](const QImage& bild, QPoint p) {
                const QRgb farbe = bild.pixel(p);
                return qAlpha(farbe) > 0 && (farbe & 0xffffff) != 0xffffff;
            };
            const QRect gemeinsam = a->geometry().intersected(b->geometry());
            for (int y = gemeinsam.top(); y <= gemeinsam.bottom(); ++y)
                for (int x = gemeinsam.left(); x <= gemeinsam.right(); ++x)
                    QVERIFY2(!tinte(bildA, QPoint(x, y) - a->pos()) ||
                                 !tinte(bildB, QPoint(x, y) - b->pos()),
                             qPrintable(QStringLiteral("%1 at %2,%3").arg(paar).arg(x).arg(y)));
        }
    }
    // The name field shows the whole prompt.
    if (const auto* name = d->findChild<QLineEdit*>(QStringLiteral("Edit1"))) {
        const int breite = name->width() - 2 * 2 - 2 * 2 - 1; // frame, margins, cursor
        QVERIFY(name->fontMetrics().horizontalAdvance(
                    QStringLiteral("Geben Sie eine Bezeichnung für die Aufgabe ein")) <= breite);
    }
    // The date text fits its field.
    const auto* datum = d->findChild<TDateEdit*>(QStringLiteral("DateEdit1"));
    QVERIFY(datum);
    const QLineEdit* zeile = datum->Zeile();
    const int frei =
        zeile->width() - 2 * 2 - zeile->textMargins().left() - zeile->textMargins().right() - 2;
    QVERIFY2(zeile->fontMetrics().horizontalAdvance(QStringLiteral("28.08.2001")) <= frei,
             qPrintable(QString::number(frei)));
}

void TestDialogansicht::terminForm_data()
{
    QTest::addColumn<int>("nummer");
    QTest::addColumn<QString>("notiz");
    QTest::newRow("19 Möbelstellplan, with its link") << 19 << QString();
    QTest::newRow("7 Umziehen, many prerequisites")
        << 7
        << QStringLiteral("Frühstück für alle, Kaffee in der Thermoskanne.\nSchlüssel zählen.");
    QTest::newRow("17 Neue Anschrift, with templates") << 17 << QString();
    QTest::newRow("14 the longest title") << 14 << QString();
    QTest::newRow("too long even at 10 point: two lines") << -14 << QString();
}

void TestDialogansicht::terminForm()
{
    QFETCH(int, nummer);
    QFETCH(QString, notiz);
    const bool lang = nummer < 0;
    if (lang) {
        nummer = -nummer;
        m_f->plan().Aufgabe(nummer)->Kurzbezeichnung =
            QStringLiteral("Übergabetermin für die alte Wohnung vereinbaren und dabei alle "
                           "Schlüssel, Zählerstände und Mängel festhalten");
    }
    m_f->plan().Aufgabe(nummer)->Notiz = Terminregeln::NotizZeilen(notiz);
    auto* d = new TTerminForm(m_f.get(), m_f->Fenster());
    d->AufgabeAnzeigen(nummer);
    if (LinkLabel(d)->isVisibleTo(d)) {
        d->show();
        BeratungsBox(d)->ensureWidgetVisible(LinkLabel(d));
    }
    Pruefen(
        d,
        QStringLiteral("termin_%1%2").arg(nummer).arg(lang ? QStringLiteral("_lang") : QString()),
        {});
    QCOMPARE(Bezeichnungslabel(d)->y() + Bezeichnungslabel(d)->height(), 102);
    d->hide();
}

void TestDialogansicht::eigenerTerminForm_data()
{
    QTest::addColumn<bool>("neu");
    QTest::newRow("new task") << true;
    QTest::newRow("existing task") << false;
}

void TestDialogansicht::eigenerTerminForm()
{
    QFETCH(bool, neu);
    auto* d = new TEigenerTerminForm(m_f.get(), m_f->Fenster());
    if (neu) {
        d->AufgabeAnzeigen(-1, T(2001, 9, 5));
    } else {
        taufgabe a;
        a.Nummer = m_f->plan().NeueAufgabenNummer();
        a.Kurzbezeichnung = QStringLiteral("Klavier stimmen lassen");
        a.Notiz = {QStringLiteral("Klavierstimmer Meier, Tel. 030 1234567"), QString(),
                   QStringLiteral("Erst zwei Wochen nach dem Umzug, wenn sich das Instrument an "
                                  "das neue Raumklima gewöhnt hat.")};
        a.Tag = T(2001, 9, 20);
        a.Start = 31;
        a.Dauer = 3;
        a.Benutzeraufgabe = true;
        m_f->plan().Aufgaben().push_back(a);
        d->AufgabeAnzeigen(a.Nummer, 0);
    }
    Pruefen(d, neu ? QStringLiteral("eigener_neu") : QStringLiteral("eigener_bestehend"), {});
    d->hide();
}

QTEST_MAIN(TestDialogansicht)
#include "tst_dialogansicht.moc"
