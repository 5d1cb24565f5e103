#pragma once

// Driving the task dialogs in tests as a user would.

#include "support/modalhelfer.h"
#include "support/teil.h"
#include "support/testdaten.h"
#include "widgets/datumsfeld.h"
#include "widgets/qvimagebutton.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTest>
#include <QWidget>

// A plan mistyped into the year 3000: the full run's move from 11. to 15.12.3000.
inline Situation Jahr3000()
{
    Situation s = BerlinerUmzug();
    s.Einzugdatum = QStringLiteral("11.12.3000");
    s.Auszugdatum = QStringLiteral("15.12.3000");
    return s;
}

// The question before applying an appointment on `datum` at `beginn` in a year no calendar
// takes.
inline QString JahrFrageText(const QString& datum, const QString& beginn)
{
    return QStringLiteral("Ein Termin am %1 um %2 liegt nicht in den Jahren 1 bis 3000, die ein "
                          "Kalender aufnehmen kann, und ließe sich nicht an den Kalender "
                          "übergeben.\nMöchten Sie das Datum trotzdem übernehmen?")
        .arg(datum, beginn);
}

// The controls both task dialogs share.
inline TDateEdit* DatumFeld(const QWidget* d)
{
    return Teil<TDateEdit>(d, "DateEdit1");
}
inline QComboBox* BeginnBox(const QWidget* d)
{
    return Teil<QComboBox>(d, "BeginnBox");
}
inline QComboBox* DauerBox(const QWidget* d)
{
    return Teil<QComboBox>(d, "DauerBox");
}
inline QPlainTextEdit* NotizFeld(const QWidget* d)
{
    return Teil<QPlainTextEdit>(d, "Memo1");
}
inline QCheckBox* ErledigtBox(const QWidget* d)
{
    return Teil<QCheckBox>(d, "ErledigtBox");
}
inline TQvImageButton* AbbrechenButton(const QWidget* d)
{
    return Teil<TQvImageButton>(d, "QvImageButton3");
}
inline TQvImageButton* LoeschenButton(const QWidget* d)
{
    return Teil<TQvImageButton>(d, "LoeschenButton");
}
inline TQvImageButton* Uebernehmen(const QWidget* d)
{
    return Teil<TQvImageButton>(d, "Uebernehmen");
}

// The catalogue task dialog's own.
inline QLabel* Bezeichnungslabel(const QWidget* d)
{
    return Teil<QLabel>(d, "Bezeichnungslabel");
}
inline QScrollArea* BeratungsBox(const QWidget* d)
{
    return Teil<QScrollArea>(d, "ScrollBox2");
}
inline QLabel* BeratungsText(const QWidget* d)
{
    return Teil<QLabel>(d, "Label4");
}
inline QLabel* LinkLabel(const QWidget* d)
{
    return Teil<QLabel>(d, "LinkLabel");
}
inline QLabel* VorherListe(const QWidget* d)
{
    return Teil<QLabel>(d, "Aufgabenliste");
}
inline TQvImageButton* DruckvorlagenButton(const QWidget* d)
{
    return Teil<TQvImageButton>(d, "DruckvorlagenButton");
}

// The user task dialog's own.
inline QLabel* Ueberschrift(const QWidget* d)
{
    return Teil<QLabel>(d, "Label4");
}
inline QLineEdit* BezeichnungsFeld(const QWidget* d)
{
    return Teil<QLineEdit>(d, "Edit1");
}

// A choice from the drop-down list, as the user makes it (the box reports it as activated).
inline void Waehle(QComboBox* box, int index)
{
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
}

// A left click in the middle of a control (image buttons report it on release).
inline void Klick(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// What a message box showed.
struct Gesehen
{
    QString text;
    QString titel;
    QStringList knoepfe;
};

// Answers the next message box with `knopf` ("knopf_ok", "knopf_abbrechen") and records it.
inline ModalHelfer::Rueckruf Merken(Gesehen* gesehen)
{
    return [gesehen](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box);
        gesehen->text = box->text();
        gesehen->titel = box->windowTitle();
        for (const QAbstractButton* b : box->buttons())
            gesehen->knoepfe << b->text();
    };
}

// What a screen reader announces as a field's name: its own name, or, for a drop-down list
// (whose name on Linux is its current entry), the label tied to it.
inline QString BeschriftungFuerVorleser(QAccessibleInterface* feld)
{
    if (feld->role() != QAccessible::ComboBox)
        return feld->text(QAccessible::Name);
    const auto beschriftungen = feld->relations(QAccessible::Label);
    return beschriftungen.isEmpty() ? QString()
                                    : beschriftungen.front().first->text(QAccessible::Name);
}
