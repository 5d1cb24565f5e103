#pragma once

#include "model/plandatei.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class TDateEdit;
class Planstart;
class TQvImageButton;

// The start dialog: the corner points of the move, from which "Weiter" makes a new plan;
// "Weiterplanen" opens the plan saved last.
class TSituationsForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSituationsForm)

public:
    static const QStringList Bundeslaender;
    static const QString DatenUnzulaessig;
    static const QString Ladefehler;
    static const QString FernerBeginnText;
    static const QString LangerZeitraumText;
    static const QString TrotzdemFrage;

    // The question before planning: a window that begins more than a year from `heute` or
    // lasts longer than six months is probably a typing slip. Empty when nothing is odd.
    static QString ZeitraumFrage(double heute, double einzug, double auszug);

    TSituationsForm(Planstart* start, QWidget* eltern);

    // The two date fields, set by the program start only.
    void DatenSetzen(double einzug, double auszug);
    const Einstellungen& GeleseneEinstellungen() const { return m_einstellungen; }

    // The present moment as a day number; tests may fix it.
    std::function<double()> jetzt;

    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QCheckBox* CheckBox1 = nullptr; // renovation at move-in
    QCheckBox* CheckBox2 = nullptr; // renovation at move-out
    QCheckBox* SpeditionCheckBox = nullptr;
    QCheckBox* KinderCheckBox = nullptr;
    TDateEdit* DateEdit1 = nullptr; // "Einzug ab dem"
    TDateEdit* DateEdit2 = nullptr; // "Auszug vor dem"
    QLabel* Label7 = nullptr;
    TQvImageButton* WeiterButton = nullptr;
    TQvImageButton* WeiterplanenButton = nullptr;
    TQvImageButton* AbbrechenButton = nullptr;

protected:
    void showEvent(QShowEvent* ereignis) override;
    // Enter presses "Weiter", the dialog's default button.
    void keyPressEvent(QKeyEvent* ereignis) override;

private:
    void FormShow();
    void WeiterButtonClick();
    void WeiterplanenButtonClick();

    Planstart* m_start;
    Einstellungen m_einstellungen;
};
