#pragma once

#include "model/plandatei.h"
#include "model/situation.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class TDateEdit;
class TQvImageButton;

// The start dialog: the corner points of the move, from which "Weiter" makes a new plan;
// "Weiterplanen" continues the plan saved last. As "Umzug ändern" it shows the plan's own
// answers to be changed. It only asks: the window acts on the answer.
class TSituationsForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSituationsForm)

public:
    static const QStringList Bundeslaender;

    // The question before planning: a window that begins more than a year from `heute` or
    // lasts longer than six months is probably a typing slip. Empty when nothing is odd.
    static QString ZeitraumFrage(double heute, double einzug, double auszug);

    // What the user chose with an accepted dialog.
    enum class Wahl
    {
        NeuerPlan,   // "Weiter": a new plan for GewaehlteSituation()
        Weiterplanen // the plan file zuletztGespeichert of GeleseneEinstellungen()
    };

    // `einstellungsPfad`: the settings file, read at every showing.
    TSituationsForm(QString einstellungsPfad, QWidget* eltern);

    // Shows the dialog modally; with `abbrechbar` it offers "Abbrechen" (as "Neu beginnen"
    // does), which the program start leaves out.
    int Zeigen(bool abbrechbar);

    // Shows the dialog modally as "Umzug ändern": filled with `situation`, with "Abbrechen"
    // and without "Weiterplanen". Accepted with the changed situation in GewaehlteSituation().
    int AendernZeigen(const Situation& situation);

    // The two date fields, set by the program start only.
    void DatenSetzen(double einzug, double auszug);
    const Einstellungen& GeleseneEinstellungen() const { return m_einstellungen; }
    Wahl Gewaehlt() const { return m_wahl; }
    const Situation& GewaehlteSituation() const { return m_gewaehlt; }

protected:
    void showEvent(QShowEvent* ereignis) override;
    // Enter presses "Weiter", the dialog's default button.
    void keyPressEvent(QKeyEvent* ereignis) override;

private:
    void FormShow();
    void WeiterButtonClick();
    void WeiterplanenButtonClick();

    QString m_einstellungsPfad;
    Einstellungen m_einstellungen;
    Wahl m_wahl = Wahl::NeuerPlan;
    Situation m_gewaehlt;
    bool m_aendern = false; // shown by AendernZeigen

    QComboBox* m_vonLand = nullptr;
    QComboBox* m_nachLand = nullptr;
    QCheckBox* m_einzugRenovieren = nullptr;
    QCheckBox* m_auszugRenovieren = nullptr;
    QCheckBox* m_spedition = nullptr;
    QCheckBox* m_kinder = nullptr;
    TDateEdit* m_einzug = nullptr; // "Einzug ab dem"
    TDateEdit* m_auszug = nullptr; // "Auszug vor dem"
    QLabel* m_titel = nullptr;
    QLabel* m_hinweis = nullptr;
    TQvImageButton* m_weiter = nullptr;
    TQvImageButton* m_weiterplanen = nullptr;
    TQvImageButton* m_abbrechen = nullptr;
};
