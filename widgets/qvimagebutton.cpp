#include "widgets/qvimagebutton.h"

#include "widgets/artwork.h"
#include "widgets/farben.h"
#include "widgets/knopfzugang.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcut>

TQvImageButton::TQvImageButton(QWidget* parent) : TQvImage(parent)
{
    setNumberOfButtons(4);
    DisabledButton = DisabledFrame;
    // The repeat periods are given in milliseconds; a coarse timer may fire 5 % early.
    RepeatTimer.setTimerType(Qt::PreciseTimer);
    connect(&RepeatTimer, &QTimer::timeout, this, &TQvImageButton::RepeatTimerTick);
    // Tab reaches the button; a mouse click leaves the focus where the user works.
    setFocusPolicy(Qt::TabFocus);
    BildknopfZugangEinrichten();
}

TQvImageButton::TQvImageButton(const QString& fileName, QWidget* parent) : TQvImageButton(parent)
{
    setAutoSize(true);
    setFileName(fileName);
    const Artwork::Knopftext text = Artwork::KnopftextZu(fileName);
    setAccessibleName(text.name);
    Beschreibung = text.beschreibung;
    setAccessibleDescription(Beschreibung);
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

void TQvImageButton::PointerGone()
{
    if (isEnabled() && !MousePressed)
        setCurrentButton(NormalFrame);
    TQvImage::PointerGone();
}

void TQvImageButton::RepeatTimerTick()
{
    RepeatTimer.setInterval(FRepeatClickInterval);
    // A button disabled while held stops clicking but keeps its press until the release.
    if (isEnabled())
        Q_EMIT OnClick();
}

void TQvImageButton::Klicken()
{
    if (isEnabled())
        Q_EMIT OnClick();
}

QString TQvImageButton::TastenText(const QKeySequence& kuerzel)
{
    QString text = kuerzel.toString(QKeySequence::PortableText);
    text.replace(QStringLiteral("Ctrl+"), QStringLiteral("Strg+"));
    text.replace(QStringLiteral("Shift+"), QStringLiteral("Umschalt+"));
    text.replace(QStringLiteral("Del"), QStringLiteral("Entf"));
    return text;
}

void TQvImageButton::setTastenkuerzel(const QKeySequence& kuerzel)
{
    FTastenkuerzel = kuerzel;
    delete Kuerzel;
    Kuerzel = nullptr;
    if (kuerzel.isEmpty()) {
        setToolTip(QString());
        setAccessibleDescription(Beschreibung);
        return;
    }
    Kuerzel = new QShortcut(kuerzel, this);
    Kuerzel->setContext(Qt::WindowShortcut);
    connect(Kuerzel, &QShortcut::activated, this, &TQvImageButton::Klicken);
    setToolTip(QStringLiteral("%1 (%2)").arg(accessibleName(), TastenText(kuerzel)));
    // Screen readers speak the description, not the tooltip.
    setAccessibleDescription(
        Beschreibung.isEmpty() ? TastenText(kuerzel)
                               : QStringLiteral("%1 (%2)").arg(Beschreibung, TastenText(kuerzel)));
}

void TQvImageButton::paintEvent(QPaintEvent* e)
{
    TQvImage::paintEvent(e);
    if (!hasFocus() || !TastaturFokus)
        return;
    // The keyboard focus: a dotted frame just inside the edge, light on the dark button.
    QPainter p(this);
    QPen pen(Farben::Hellgelb);
    pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.drawRect(rect().adjusted(2, 2, -3, -3));
}

void TQvImageButton::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Space:
        if (!e->isAutoRepeat() && isEnabled()) {
            LeertasteGedrueckt = true;
            setCurrentButton(PressedFrame);
        }
        e->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!e->isAutoRepeat())
            Klicken();
        e->accept();
        return;
    default:
        TQvImage::keyPressEvent(e);
    }
}

void TQvImageButton::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() != Qt::Key_Space || e->isAutoRepeat() || !LeertasteGedrueckt) {
        TQvImage::keyReleaseEvent(e);
        return;
    }
    LeertasteGedrueckt = false;
    e->accept();
    // As with the mouse, the click comes before the frame changes back.
    QPointer<TQvImageButton> self(this);
    Klicken();
    if (self && isEnabled())
        setCurrentButton(MouseInside ? MouseOverFrame : NormalFrame);
}

void TQvImageButton::focusInEvent(QFocusEvent* e)
{
    // The frame shows where the keyboard went, not where a window's first focus fell.
    switch (e->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        TastaturFokus = true;
        break;
    case Qt::MouseFocusReason:
        TastaturFokus = false;
        break;
    default:
        break;
    }
    TQvImage::focusInEvent(e);
    update();
}

void TQvImageButton::focusOutEvent(QFocusEvent* e)
{
    // Space let go elsewhere: the press is over without a click.
    if (LeertasteGedrueckt) {
        LeertasteGedrueckt = false;
        if (isEnabled())
            setCurrentButton(MouseInside ? MouseOverFrame : NormalFrame);
    }
    TQvImage::focusOutEvent(e);
    update();
}
