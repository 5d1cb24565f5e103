#pragma once

#include "widgets/qvimage.h"

#include <QKeySequence>
#include <QTimer>

class QShortcut;

// The program's command button: a strip of four frames (1 normal, 2 mouse over,
// 3 pressed, 4 disabled) whose caption is part of the picture. The windows only enable
// and disable it and connect OnClick. It takes the focus with Tab, shows it with a frame and
// is pressed with Space or Enter; screen readers know it by its picture's caption.
class TQvImageButton final : public TQvImage
{
    Q_OBJECT
    Q_PROPERTY(bool DoInterval READ DoInterval WRITE setDoInterval)
    Q_PROPERTY(int WaitClickTime READ WaitClickTime WRITE setWaitClickTime)
    Q_PROPERTY(int RepeatClickInterval READ RepeatClickInterval WRITE setRepeatClickInterval)

public:
    static constexpr int NormalFrame = 1;
    static constexpr int MouseOverFrame = 2;
    static constexpr int PressedFrame = 3;
    static constexpr int DisabledFrame = 4;

    explicit TQvImageButton(QWidget* parent = nullptr);
    // A button showing the strip `fileName` (a file or a resource ":/..."), one frame
    // large: new TQvImageButton(Artwork::Kalender::Ende, this).
    TQvImageButton(const QString& fileName, QWidget* parent);
    ~TQvImageButton() override;
    Q_DISABLE_COPY_MOVE(TQvImageButton)

    // The repeat settings take effect at the next press.
    bool DoInterval() const { return FDoInterval; }
    void setDoInterval(bool doInterval) { FDoInterval = doInterval; }
    int WaitClickTime() const { return FWaitClickTime; }
    void setWaitClickTime(int ms) { FWaitClickTime = ms; }
    int RepeatClickInterval() const { return FRepeatClickInterval; }
    void setRepeatClickInterval(int ms) { FRepeatClickInterval = ms; }

    bool isRepeating() const { return RepeatTimer.isActive(); }

    // A click from the keyboard or a shortcut: OnClick, only while enabled.
    void Klicken();
    // A shortcut that clicks the button while its window is active; the tooltip and the
    // spoken description name it: "Speichern (Strg+S)", "Speichert den Plan in einer Datei
    // (Strg+S)".
    void setTastenkuerzel(const QKeySequence& kuerzel);
    const QKeySequence& Tastenkuerzel() const { return FTastenkuerzel; }
    // "Strg+S", "F1": the German names of the keys.
    static QString TastenText(const QKeySequence& kuerzel);

protected:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void PointerGone() override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void RepeatTimerTick();

    bool FDoInterval = false;
    int FWaitClickTime = 250;
    int FRepeatClickInterval = 50;
    // Runs only from a press to the following release, and only with DoInterval.
    QTimer RepeatTimer;
    bool LeertasteGedrueckt = false; // Space shows the pressed frame until it is released
    bool TastaturFokus = false;      // the focus came by Tab: show it
    QKeySequence FTastenkuerzel;
    QShortcut* Kuerzel = nullptr;
    QString Beschreibung; // the picture's description, to which the shortcut is added
};
