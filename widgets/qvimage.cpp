#include "widgets/qvimage.h"

#include <QEnterEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QtDebug>

#include <algorithm>

namespace {
constexpr QRgb Magenta = 0xffff00ff;
constexpr int DefaultSize = 105;
} // namespace

TQvImage::TQvImage(QWidget* parent) : QWidget(parent)
{
    // Moves without a pressed button are reported too (OnMouseMove).
    setMouseTracking(true);
    resize(DefaultSize, DefaultSize);
}

TQvImage::~TQvImage() = default;

QRect TQvImage::FrameRect(QSize stripSize, int numberOfButtons, int frame)
{
    const int count = std::max(numberOfButtons, 1);
    const int fw = stripSize.width() / count;
    if (fw <= 0 || stripSize.height() <= 0)
        return {};
    const int k = std::clamp(frame, 1, count);
    return {(k - 1) * fw, 0, fw, stripSize.height()};
}

QImage TQvImage::BuildMask(const QImage& picture)
{
    if (picture.isNull())
        return {};
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QImage mask(rgb.size(), QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if ((line[x] | 0xff000000) == Magenta)
                mask.setPixel(x, y, 1);
    }
    return mask;
}

QImage TQvImage::RenderFrame(const QImage& picture, int numberOfButtons, int frame, QSize target,
                             const QImage* mask)
{
    const QRect source = FrameRect(picture.size(), numberOfButtons, frame);
    if (source.isEmpty() || target.isEmpty())
        return {};
    QImage image = picture.copy(source).convertToFormat(QImage::Format_ARGB32);
    if (mask) {
        const QImage part = mask->copy(source).convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            const auto* m = reinterpret_cast<const QRgb*>(part.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (qRed(m[x]) != 0) // white mask pixel: let the parent show through
                    line[x] = 0;
        }
    }
    if (image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return image;
}

QSize TQvImage::sizeHint() const
{
    const QRect frame = FrameRect(GeladenesBild().size(), FNumberOfButtons, 1);
    return frame.isEmpty() ? QSize(DefaultSize, DefaultSize) : frame.size();
}

void TQvImage::setPicture(const QImage& picture)
{
    FAusstehend.clear();
    FPicture = picture;
    FHighResName.clear(); // a picture of twice the size would show the old strip
    FPicture2x = QImage();
    MaskBitmap2x = QImage();
}

QString TQvImage::HighResName(const QString& fileName)
{
    const qsizetype punkt = fileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype schraeg = fileName.lastIndexOf(QLatin1Char('/'));
    if (punkt <= schraeg + 1)
        return fileName + QStringLiteral("@2x");
    return fileName.left(punkt) + QStringLiteral("@2x") + fileName.mid(punkt);
}

const QImage& TQvImage::HighResPicture() const
{
    if (!FHighResName.isEmpty()) {
        // Read at the first paint on such a screen, so that other screens never pay for it.
        const QString name = FHighResName;
        FHighResName.clear();
        if (QFileInfo::exists(name) && FPicture2x.load(name) &&
            FPicture2x.size() != GeladenesBild().size() * 2)
            FPicture2x = QImage(); // not this strip's double: painted from the strip itself
    }
    return FPicture2x;
}

const QImage& TQvImage::GeladenesBild() const
{
    if (!FAusstehend.isEmpty()) {
        QImage geladen;
        if (geladen.load(FAusstehend))
            FPicture = geladen;
        else
            qWarning().noquote()
                << QStringLiteral("Bild „%1“ konnte nicht geladen werden.").arg(FAusstehend);
        FAusstehend.clear();
    }
    return FPicture;
}

void TQvImage::setNumberOfButtons(int count)
{
    FNumberOfButtons = std::max(count, 1);
    RepaintNow();
}

bool TQvImage::setFileName(const QString& fileName)
{
    FFileName = fileName.left(MaxFileNameLength);
    FHighResName = HighResName(FFileName);
    FPicture2x = QImage();
    MaskBitmap2x = QImage();
    // The program's own pictures are compiled in: reading the size from the header is
    // enough now, which keeps the start quick.
    if (FFileName.startsWith(QLatin1String(":/")) && !FTransparent) {
        const QSize groesse = QImageReader(FFileName).size();
        if (groesse.isValid()) {
            FAusstehend = FFileName;
            FAusstehendGroesse = groesse;
            if (FAutoSize)
                FitSize();
            MaskBitmap = QImage();
            update();
            return true;
        }
    }
    FAusstehend.clear();
    QImage loaded;
    if (!loaded.load(FFileName)) {
        qWarning().noquote()
            << QStringLiteral("Bild „%1“ konnte nicht geladen werden.").arg(FFileName);
        return false;
    }
    FPicture = loaded;
    if (FAutoSize)
        FitSize();
    // A new strip always gets a new mask, built now or at the next transparent paint.
    MaskBitmap = FTransparent ? BuildMask(FPicture) : QImage();
    update();
    return true;
}

void TQvImage::setCurrentButton(int frame)
{
    if (frame < 1 || frame > FNumberOfButtons)
        return;
    FCurrentButton = frame;
    RepaintNow();
}

void TQvImage::setTransparent(bool transparent)
{
    FTransparent = transparent;
    RepaintNow();
}

void TQvImage::setAutoSize(bool autoSize)
{
    FAutoSize = autoSize;
    if (FAutoSize)
        FitSize();
}

void TQvImage::FitSize()
{
    const QSize groesse = FAusstehend.isEmpty() ? FPicture.size() : FAusstehendGroesse;
    if (groesse.width() == 0)
        return;
    resize(groesse.width() / FNumberOfButtons, groesse.height());
}

void TQvImage::RepaintNow()
{
    // Frame changes show at once, not at the next idle time; a hidden control paints later.
    if (isVisible())
        repaint();
    else
        update();
}

void TQvImage::ShowEnabledFrame()
{
    setCurrentButton(isEnabled() ? 1 : std::min(DisabledButton, FNumberOfButtons));
}

void TQvImage::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    MousePressed = true;
    Q_EMIT OnMouseDown(button, modifiers, pos);
}

void TQvImage::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    MousePressed = false;
    Q_EMIT OnMouseUp(button, modifiers, pos);
}

void TQvImage::MouseEnter()
{
    MouseInside = true;
    Q_EMIT OnMouseEnter();
}

void TQvImage::MouseLeave()
{
    MouseInside = false;
    Q_EMIT OnMouseExit();
}

bool TQvImage::event(QEvent* e)
{
    // Qt drops mouse events of a disabled widget; a release after a click handler
    // disabled the control must still end the press.
    if (e->type() == QEvent::MouseButtonRelease && !isEnabled() && MousePressed) {
        Release(static_cast<QMouseEvent*>(e));
        return true;
    }
    return QWidget::event(e);
}

void TQvImage::paintEvent(QPaintEvent*)
{
    if (GeladenesBild().isNull())
        return;
    const QImage* mask = nullptr;
    if (FTransparent) {
        if (MaskBitmap.isNull() || MaskBitmap.size() != FPicture.size())
            MaskBitmap = BuildMask(FPicture);
        mask = &MaskBitmap;
    }
    QImage frame;
    if (devicePixelRatioF() > 1 && !HighResPicture().isNull()) {
        const QImage* mask2x = nullptr;
        if (FTransparent) {
            if (MaskBitmap2x.isNull())
                MaskBitmap2x = BuildMask(FPicture2x);
            mask2x = &MaskBitmap2x;
        }
        frame = RenderFrame(FPicture2x, FNumberOfButtons, FCurrentButton, size() * 2, mask2x);
        frame.setDevicePixelRatio(2);
    } else {
        frame = RenderFrame(FPicture, FNumberOfButtons, FCurrentButton, size(), mask);
    }
    if (frame.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), frame);
}

void TQvImage::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        ClickArmed = true;
    MouseDown(e->button(), e->modifiers(), e->position().toPoint());
}

void TQvImage::mouseDoubleClickEvent(QMouseEvent* e)
{
    // The second press of a double click reports OnDblClick instead of a second click.
    ClickArmed = false;
    QPointer<TQvImage> self(this);
    if (e->button() == Qt::LeftButton)
        Q_EMIT OnDblClick();
    if (self)
        MouseDown(e->button(), e->modifiers(), e->position().toPoint());
}

void TQvImage::mouseReleaseEvent(QMouseEvent* e)
{
    Release(e);
}

void TQvImage::Release(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    if (e->button() == Qt::LeftButton && ClickArmed) {
        ClickArmed = false;
        // The click comes before the release's frame change: a handler that opens a
        // dialog still shows the pressed frame.
        if (isEnabled() && rect().contains(pos)) {
            QPointer<TQvImage> self(this);
            InClick = true;
            PointerInsideAfterClick = MouseInside;
            Q_EMIT OnClick();
            if (!self)
                return;
            InClick = false;
            // A dialog opened by the handler takes the pointer away (Qt sends a leave when
            // a modal window opens); the notice is taken now, before the release.
            PointerNowInside(PointerInsideAfterClick);
        }
    }
    MouseUp(e->button(), e->modifiers(), pos);
}

void TQvImage::PointerNowInside(bool inside)
{
    if (InClick) {
        // The click handler still runs: the pressed frame stays until it returns.
        PointerInsideAfterClick = inside;
        return;
    }
    if (inside && !MouseInside)
        MouseEnter();
    else if (!inside && MouseInside)
        MouseLeave();
}

void TQvImage::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    // While a button is held Qt keeps the pointer grabbed and sends no enter or leave
    // until the release; the control still has to notice leaving and coming back.
    if (MousePressed)
        PointerNowInside(rect().contains(pos));
    Q_EMIT OnMouseMove(e->buttons(), e->modifiers(), pos);
}

void TQvImage::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    PointerNowInside(true);
}

void TQvImage::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    PointerNowInside(false);
}

void TQvImage::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    // A hidden control hears of no pointer movement (often its own click closed its window), so
    // the pointer no longer counts as over it; the window system reports an enter again when
    // the pointer is over it at the next showing. A running click handler reports the leave
    // when it returns; otherwise the window may be on its way out, so nothing is reported.
    if (InClick)
        PointerInsideAfterClick = false;
    else if (MouseInside)
        PointerGone();
}

void TQvImage::PointerGone()
{
    MouseInside = false;
}

void TQvImage::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        ShowEnabledFrame();
}
