#pragma once

#include "print/vorlagenmass.h"

#include <QDialog>
#include <QImage>
#include <QPageLayout>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class TQvImageButton;

// One of the six print templates: a postcard (back picture with the front drawn over it) or
// a model form (one picture).
struct Druckvorlage
{
    QString eintrag;     // as the radio group shows it
    QString bild;        // the back of a postcard, or the form
    QString vorderseite; // empty for a form
    QPageLayout::Orientation lage;
    QString vorschau; // resource of the preview, empty for a form
};

namespace Vorlagendruck {

const std::array<Druckvorlage, 6>& Vorlagen();

// Where a picture of `bild` pixels goes on a printable area of `seite` dots at `dpi`: one
// pixel is 1/150 inch, the picture is centred (and cut equally on both sides when too large).
QRect Rechteck(QSize bild, int dpi, QSize seite);

// Reads a template picture; a missing or unreadable file throws Druckfehler naming the file.
QImage BildLesen(const QString& pfad);

// Composes the template's picture (24 bits) from the GIFs in `ordner`; throws Druckfehler
// when a picture is missing or unreadable.
QImage Vorlagenbild(const Druckvorlage& vorlage, const QString& ordner);

} // namespace Vorlagendruck

// The print templates dialog. The main window (and the task dialog) make it once,
// `new TDruckvorlagenForm(this)`, and open it with exec(); it keeps the chosen template.
class TDruckvorlagenForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDruckvorlagenForm)

public:
    explicit TDruckvorlagenForm(QWidget* eltern = nullptr);

    // The position of the chosen template in the radio group.
    int Vorlage() const;
    void setVorlage(int position);
    int Exemplare() const;

    void FormShow();
    void VorlageGewaehlt();
    // "Fertig"
    void FertigClick();
    // "Druck starten": the chosen template as many times as chosen, through a printer each
    // copy a job of its own, into a PDF file one page per copy.
    void VorlageDrucken();
    // "Druckeinstellung"
    void DruckeinstellungOeffnen();

    // The folder of the template pictures; beside the program or the installed data while empty.
    void setVorlagenOrdner(const QString& ordner) { m_vorlagenOrdner = ordner; }

protected:
    void showEvent(QShowEvent* ereignis) override;

private:
    QString m_vorlagenOrdner;
    QGroupBox* m_vorlagenwahl = nullptr;
    std::array<QLabel*, 4> m_vorschau{}; // Image4 … Image7
    QComboBox* m_exemplarauswahl = nullptr;
    TQvImageButton* m_fertigKnopf = nullptr;
    TQvImageButton* m_druckenKnopf = nullptr;
    TQvImageButton* m_druckeinstellungKnopf = nullptr;
    QButtonGroup* m_gruppe = nullptr;
};
