#include "widgets/dialograhmen.h"

#include "widgets/artwork.h"
#include "widgets/datumsfeld.h"
#include "widgets/farben.h"
#include "widgets/festefenster.h"
#include "widgets/qvimage.h"
#include "widgets/qvimagebutton.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>

namespace Dialograhmen {

void Einrichten(QDialog* dialog, int bildOben)
{
    FesteGroesseMarkieren(dialog);
    dialog->setFixedSize(Breite, Hoehe);
    QPalette pal = dialog->palette();
    pal.setColor(QPalette::Window, Qt::white);
    dialog->setPalette(pal);
    dialog->setAutoFillBackground(true);

    auto bild = [dialog](const char* name, QLatin1String datei, QRect lage) {
        auto* b = new TQvImage(dialog);
        b->setObjectName(QString::fromLatin1(name));
        b->setFileName(QString(datei));
        b->setGeometry(lage);
    };
    bild("Image1", Artwork::Dekorspalte, QRect(Spalte, 0, 120, Hoehe));
    bild("Image2", Artwork::Logo, QRect(Breite - 200, 0, 200, 32));
    bild("Image3", Artwork::BildLinks, QRect(0, bildOben, 80, 184));
}

QLabel* Beschriftung(QWidget* eltern, const char* name, const QString& text, QPoint ort)
{
    auto* l = new QLabel(text, eltern);
    l->setObjectName(QString::fromLatin1(name));
    l->move(ort);
    l->adjustSize();
    return l;
}

TQvImageButton* Bildknopf(QWidget* eltern, const char* name, QLatin1String bild, int oben)
{
    auto* k = new TQvImageButton(QString(bild), eltern);
    k->setObjectName(QString::fromLatin1(name));
    k->setGeometry(Spalte, oben, 120, 24);
    return k;
}

TDateEdit* Datumsfeld(QWidget* eltern, const char* name, QRect lage, const QColor& farbe)
{
    auto* d = new TDateEdit(eltern);
    d->setObjectName(QString::fromLatin1(name));
    d->setGeometry(lage);
    d->setKalenderFarbe(farbe);
    d->setKalenderTitel(QStringLiteral("Wählen Sie ein Datum"));
    return d;
}

QComboBox* Auswahl(QWidget* eltern, const char* name, const QStringList& texte, QRect lage)
{
    auto* box = new QComboBox(eltern);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(texte);
    box->setGeometry(lage);
    box->setMaxVisibleItems(12);
    return box;
}

void Hellgelb(QWidget* w)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, Farben::Hellgelb);
    pal.setColor(QPalette::Base, Farben::Hellgelb);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

} // namespace Dialograhmen
