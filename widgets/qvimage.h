#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class QEnterEvent;

// A picture that shows one frame of a horizontal strip of equally wide frames, with
// mouse tracking. It has no window of its own: a plain child widget that paints onto its
// parent (what lies below shows through where nothing is painted).
class TQvImage : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QImage Picture READ Picture WRITE setPicture)
    Q_PROPERTY(int NumberOfButtons READ NumberOfButtons WRITE setNumberOfButtons)
    Q_PROPERTY(QString FileName READ FileName WRITE setFileName)
    Q_PROPERTY(int CurrentButton READ CurrentButton WRITE setCurrentButton)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)

public:
    // The longest file name the control keeps; longer names are cut.
    static constexpr int MaxFileNameLength = 254;

    explicit TQvImage(QWidget* parent = nullptr);
    ~TQvImage() override;
    Q_DISABLE_COPY_MOVE(TQvImage)

    const QImage& Picture() const { return GeladenesBild(); }
    // Copies the strip; size, frame and mask stay as they are.
    void setPicture(const QImage& picture);

    int NumberOfButtons() const { return FNumberOfButtons; }
    void setNumberOfButtons(int count);

    const QString& FileName() const { return FFileName; }
    // Keeps the name and loads the strip from that file or resource (":/..."). When the
    // file cannot be read the previous strip stays and the answer is false. A resource is
    // only checked now and decoded when first needed (drawn, fitted or asked for). A strip of
    // twice the size beside it ("name@2x.png", see HighResName) is painted on screens with a
    // device pixel ratio above 1, so that they show it sharp.
    bool setFileName(const QString& fileName);
    // "a/b.png" -> "a/b@2x.png".
    static QString HighResName(const QString& fileName);
    // The strip for such screens; null when there is none.
    const QImage& HighResPicture() const;

    int CurrentButton() const { return FCurrentButton; }
    // Frames beyond NumberOfButtons (or below 1) are ignored; the frame stays.
    void setCurrentButton(int frame);

    bool Transparent() const { return FTransparent; }
    void setTransparent(bool transparent);

    bool AutoSize() const { return FAutoSize; }
    void setAutoSize(bool autoSize);

    // One frame, or the size of a control without a strip.
    QSize sizeHint() const override;

    bool isMouseInside() const { return MouseInside; }
    bool isMousePressed() const { return MousePressed; }
    // The transparency mask as last built (white where the strip is magenta); null
    // until a transparent paint or a load needed it.
    const QImage& maskBitmap() const { return MaskBitmap; }

    // Painting geometry, shared by paintEvent and tests.
    // Columns of frame `frame` (from 1) in a strip `stripWidth` wide; columns left over
    // by the division are never part of a frame.
    static QRect FrameRect(QSize stripSize, int numberOfButtons, int frame);
    // White where the picture is exactly magenta (255, 0, 255), black elsewhere.
    static QImage BuildMask(const QImage& picture);
    // The frame as it is painted into a client area of size `target`: scaled by dropping
    // or repeating rows and columns, never blended; with a mask, white mask pixels
    // become fully transparent.
    static QImage RenderFrame(const QImage& picture, int numberOfButtons, int frame, QSize target,
                              const QImage* mask = nullptr);

Q_SIGNALS:
    void OnMouseEnter();
    void OnMouseExit();
    void OnClick();
    void OnDblClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void OnMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    // The control's reactions; derived controls choose their frame first and then call
    // these, which keep the pointer and press flags and report the events.
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // The pointer no longer counts as over the control, without a notice (it was hidden).
    virtual void PointerGone();
    // Shows frame 1 when enabled, else DisabledButton (or the last frame of a shorter strip).
    void ShowEnabledFrame();

    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void changeEvent(QEvent* e) override;

    bool MouseInside = false;
    bool MousePressed = false;
    int DisabledButton = 1;
    QImage MaskBitmap;

private:
    void FitSize();
    void RepaintNow();
    void Release(QMouseEvent* e);
    // Pointer entered or left: reported once per change, or after a running click handler.
    void PointerNowInside(bool inside);

    // The strip, decoding a resource named before if that is still to do.
    const QImage& GeladenesBild() const;

    mutable QImage FPicture;
    mutable QString FAusstehend; // a resource to decode at first need
    QSize FAusstehendGroesse;
    mutable QString FHighResName; // the strip of twice the size, still to be read
    mutable QImage FPicture2x;
    QImage MaskBitmap2x;
    int FNumberOfButtons = 1;
    QString FFileName;
    int FCurrentButton = 1;
    bool FTransparent = false;
    bool FAutoSize = false;
    // Set by a left press on the enabled control; a release over it then is a click.
    bool ClickArmed = false;
    bool InClick = false;
    bool PointerInsideAfterClick = false;
};
