#pragma once

#include "dialogs/aufgabendialog.h"
#include "widgets/dialograhmen.h"

#include <QColor>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <functional>

class QLabel;
class QScrollArea;
class TQvImage;

// The task detail dialog for a catalogue task: heading, advice text with its one web link,
// prerequisites, day, begin, duration and notes; apply, delete, print.
//
// The main window makes one at start-up with itself as PlanFenster and parent, calls
// DruckvorlagenZeigenLassen, and for each click on a catalogue task calls AufgabeAnzeigen(nummer),
// then exec(), then its own KalenderAktualisieren whatever the result.
class TTerminForm final : public TAufgabenDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TTerminForm)

public:
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

    // What "Druckvorlagen" shows: the print templates dialog, handed in by the main window.
    void DruckvorlagenZeigenLassen(std::function<void()> zeigen);

    // The task shown, nullptr when it is not (or no longer) in the plan.
    taufgabe* aktuelleAufgabe() const;
    bool TerminGeaendert() const override { return m_terminGeaendert; }
    bool LinkBereit() const { return m_linkBereit; }
    // The address the link label opens; invalid when the advice text has no link.
    QUrl LinkAdresse() const { return m_linkAdresse; }

protected:
    void hideEvent(QHideEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void FormShow() override;
    QWidget* ErstesFeld() const override;
    void TerminBearbeitet() override;
    void UebernehmenClick() override;
    void AbbrechenClick() override;
    void LoeschenClick() override;
    void LinkFreigeben();
    void LinkLabelClick();
    void DruckenButtonClick();
    void DruckvorlagenButtonClick();

    void UeberschriftSetzen(const QString& text);
    void BeratungSetzen(const QStringList& zeilen);

    QLabel* m_bezeichnungslabel = nullptr;
    QScrollArea* m_beratungsBox = nullptr;
    QLabel* m_beratungsText = nullptr;
    QLabel* m_linkLabel = nullptr;
    QScrollArea* m_vorherBox = nullptr;
    QLabel* m_aufgabenliste = nullptr;
    TQvImageButton* m_druckenButton = nullptr; // "Drucken"
    TQvImageButton* m_druckvorlagenButton = nullptr;
    QTimer m_linkTimer;
    std::function<void()> m_druckvorlagenZeigen;

    bool m_terminGeaendert = false;
    bool m_linkBereit = false;
    QUrl m_linkAdresse;
    QColor m_linkHintergrund; // the link's background while it has no focus
};
