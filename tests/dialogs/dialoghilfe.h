#pragma once

// Driving the task dialogs in tests as a user would.

#include "model/tageszahl.h"
#include "support/modalhelfer.h"

#include <QComboBox>
#include <QMessageBox>
#include <QTest>
#include <QWidget>

inline double T(int jahr, int monat, int tag)
{
    return Tageszahl::ausDatum(QDate(jahr, monat, tag));
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
