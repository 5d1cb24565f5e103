#include "widgets/qvimagebutton.h"

TQvImageButton::TQvImageButton(QWidget* parent)
    : TQvImage(parent)
{
    setNumberOfButtons(4);
    DisabledButton = DisabledFrame;
    // The repeat periods are given in milliseconds; a coarse timer may fire 5 % early.
    RepeatTimer.setTimerType(Qt::PreciseTimer);
    connect(&RepeatTimer, &QTimer::timeout, this, &TQvImageButton::RepeatTimerTick);
}

TQvImageButton::TQvImageButton(const QString& fileName, QWidget* parent)
    : TQvImageButton(parent)
{
    setAutoSize(true);
    setFileName(fileName);
}

TQvImageButton::~TQvImageButton() = default;

// Each reaction chooses the frame before TQvImage updates the pointer and press flags.

void TQvImageButton::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    if (isEnabled())
        setCurrentButton(PressedFrame);
    TQvImage::MouseDown(button, modifiers, pos);
    if (FDoInterval)
        RepeatTimer.start(FWaitClickTime); // replaces a timer that is still running
}

void TQvImageButton::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    if (isEnabled())
        setCurrentButton(MouseInside ? MouseOverFrame : NormalFrame);
    RepeatTimer.stop();
    TQvImage::MouseUp(button, modifiers, pos);
}

void TQvImageButton::MouseEnter()
{
    if (isEnabled())
        setCurrentButton(MousePressed ? PressedFrame : MouseOverFrame);
    TQvImage::MouseEnter();
}

void TQvImageButton::MouseLeave()
{
    if (isEnabled())
        setCurrentButton(NormalFrame);
    TQvImage::MouseLeave();
}

void TQvImageButton::RepeatTimerTick()
{
    RepeatTimer.setInterval(FReapeatClickInterval);
    // A button disabled while held stops clicking but keeps its press until the release.
    if (isEnabled())
        Q_EMIT OnClick();
}
