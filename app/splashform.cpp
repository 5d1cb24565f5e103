#include "app/splashform.h"

#include "widgets/artwork.h"
#include "widgets/farben.h"
#include "widgets/fenstermitte.h"
#include "widgets/qvimage.h"
#include "widgets/schrift.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

TSplashForm::TSplashForm(QWidget* eltern) : QDialog(eltern)
{
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QStringLiteral("Willkommen beim Kistenlotse der Quellmark AG"));
    setFixedSize(632, 453);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Farben::Dunkelblau);
    setPalette(pal);

    auto bild = [this](const char* name, QLatin1String datei, QRect lage) {
        auto* b = new TQvImage(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFileName(QString(datei));
        b->setGeometry(lage);
        b->installEventFilter(this);
        return b;
    };
    bild("Image1", Artwork::SplashBild, QRect(0, 0, 200, 453));
    bild("Image2", Artwork::SplashEmblem, QRect(356, 40, 120, 120));
    bild("Image3", Artwork::SplashLogo, QRect(632 - 300 - 12, 453 - 48 - 12, 300, 48));

    auto text = [this](const char* name, const QString& inhalt, int pixel, int oben) {
        auto* l = new QLabel(inhalt, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setFont(ArialPixel(pixel, true));
        l->setAlignment(Qt::AlignCenter);
        l->setGeometry(200, oben, 632 - 200, pixel + 16);
        l->installEventFilter(this);
    };
    text("Label1", QStringLiteral("Willkommen"), 43, 190);
    text("Label2", QStringLiteral("beim Kistenlotse"), 32, 250);

    m_timer.setInterval(Anzeigedauer);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &TSplashForm::Schliessen);
}

void TSplashForm::showEvent(QShowEvent* ereignis)
{
    AufBildschirmMitte(this);
    m_timer.start();
    QDialog::showEvent(ereignis);
}

void TSplashForm::mousePressEvent(QMouseEvent* ereignis)
{
    Schliessen();
    ereignis->accept();
}

void TSplashForm::keyPressEvent(QKeyEvent* ereignis)
{
    switch (ereignis->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape: // a welcome put aside, not a wish to quit
        Schliessen();
        ereignis->accept();
        return;
    default:
        QDialog::keyPressEvent(ereignis);
    }
}

bool TSplashForm::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (ereignis->type() == QEvent::MouseButtonPress) {
        Schliessen();
        return true;
    }
    return QDialog::eventFilter(objekt, ereignis);
}

void TSplashForm::Schliessen()
{
    m_timer.stop();
    accept();
}
