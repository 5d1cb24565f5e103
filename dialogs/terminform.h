#pragma once

#include "widgets/dialograhmen.h"

#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <functional>

class PlanFenster;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QScrollArea;
class TDateEdit;
class TQvImage;
class TQvImageButton;
struct taufgabe;

// The task detail dialog for a catalogue task: heading, advice text with its one web link,
// prerequisites, day, begin, duration and notes; apply, delete, print.
//
// The main window makes one at start-up with itself as PlanFenster and parent, sets
// DruckvorlagenZeigen, and for each click on a catalogue task calls AufgabeAnzeigen(nummer),
// then exec(), then its own KalenderAktualisieren whatever the result.
class TTerminForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TTerminForm)

public:
    static const QString VerwerfenFrage;
    static const QString LoeschenFrage;
    static const QString AbhaengigeFrage; // followed by the names, one per line
    // The heading's room: from its left edge to a little before the button column.
    static constexpr int UeberschriftLinks = 103;
    static constexpr int UeberschriftRaum = Dialograhmen::Spalte - 8 - UeberschriftLinks;

    TTerminForm(PlanFenster* kalender, QWidget* eltern);
    ~TTerminForm() override;

    // Fills the dialog from the task with this number.
    void AufgabeAnzeigen(qint32 nummer);
    // Title and line feed for each number whose task is in the plan.
    QString AufgabenNamen(const QList<qint32>& nummern) const;
    void AenderungMelden();

    // Shows the print templates dialog; set by the main window.
    std::function<void()> DruckvorlagenZeigen;

    // The task shown, nullptr when it is not (or no longer) in the plan.
    taufgabe* aktuelleAufgabe() const;
    qint32 aktuelleNummer() const { return m_nummer; }
    bool TerminGeaendert() const { return m_terminGeaendert; }
    bool LinkBereit() const { return m_linkBereit; }
    // The address the link label opens; invalid when the advice text has no link.
    QUrl LinkAdresse() const { return m_linkAdresse; }

    QLabel* Bezeichnungslabel = nullptr;
    QScrollArea* ScrollBox2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* LinkLabel = nullptr;
    TDateEdit* DateEdit1 = nullptr;
    QComboBox* BeginnBox = nullptr;
    QComboBox* DauerBox = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QLabel* Aufgabenliste = nullptr;
    TQvImageButton* QvImageButton3 = nullptr; // "Abbrechen"
    TQvImageButton* LoeschenButton = nullptr;
    TQvImageButton* Uebernehmen = nullptr;
    TQvImageButton* QvImageButton1 = nullptr; // "Drucken"
    TQvImageButton* DruckvorlagenButton = nullptr;
    QTimer Timer1;

protected:
    void showEvent(QShowEvent* ereignis) override;
    void hideEvent(QHideEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void FormShow();
    void Timer1Timer();
    void LinkLabelClick();
    void DateEdit1Change();
    void BeginnBoxChange();
    void DauerBoxChange();
    void Memo1Change();
    void UebernehmenClick();
    void Button1Click();
    void Button2Click();
    void QvImageButton1Click();
    void DruckvorlagenButtonClick();

    void UeberschriftSetzen(const QString& text);
    void BeratungSetzen(const QStringList& zeilen);

    PlanFenster* m_kalender;
    qint32 m_nummer = -1;
    bool m_terminGeaendert = false;
    bool m_linkBereit = false;
    QUrl m_linkAdresse;
};
