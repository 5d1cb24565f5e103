#pragma once

// The controls of the print dialogs, found by their object names.

#include "print/ausdruckform.h"
#include "print/druckvorlagenform.h"
#include "support/teil.h"
#include "widgets/qvimagebutton.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>

// The print dialog "Ausdruck".
inline QRadioButton* KalenderWahl(const TAusdruckForm& f)
{
    return Teil<QRadioButton>(&f, "KalenderWahl");
}
inline QRadioButton* ChecklisteWahl(const TAusdruckForm& f)
{
    return Teil<QRadioButton>(&f, "ChecklisteWahl");
}
inline QPushButton* DruckenKnopf(const TAusdruckForm& f)
{
    return Teil<QPushButton>(&f, "Button3");
}
inline QPushButton* DruckeinstellungKnopf(const TAusdruckForm& f)
{
    return Teil<QPushButton>(&f, "Button2");
}
inline QPushButton* AbbrechenKnopf(const TAusdruckForm& f)
{
    return Teil<QPushButton>(&f, "Button1");
}

// The printer setup dialog "Druckeinstellung".
inline QComboBox* Druckerauswahl(const QWidget* d)
{
    return Teil<QComboBox>(d, "Druckerauswahl");
}
inline QLineEdit* Ordnerfeld(const QWidget* d)
{
    return Teil<QLineEdit>(d, "Ordner");
}
inline QComboBox* Papierauswahl(const QWidget* d)
{
    return Teil<QComboBox>(d, "Papierauswahl");
}

// The print templates dialog.
inline QGroupBox* Vorlagenwahl(const TDruckvorlagenForm& f)
{
    return Teil<QGroupBox>(&f, "RadioGroup1");
}
inline std::array<QLabel*, 4> Vorschau(const TDruckvorlagenForm& f)
{
    return {Teil<QLabel>(&f, "Image4"), Teil<QLabel>(&f, "Image5"), Teil<QLabel>(&f, "Image6"),
            Teil<QLabel>(&f, "Image7")};
}
inline QComboBox* Exemplarauswahl(const TDruckvorlagenForm& f)
{
    return Teil<QComboBox>(&f, "Exemplarauswahl");
}
inline TQvImageButton* FertigKnopf(const TDruckvorlagenForm& f)
{
    return Teil<TQvImageButton>(&f, "AbbrechenButton");
}
inline TQvImageButton* DruckenKnopf(const TDruckvorlagenForm& f)
{
    return Teil<TQvImageButton>(&f, "QvImageButton1");
}
inline TQvImageButton* DruckeinstellungKnopf(const TDruckvorlagenForm& f)
{
    return Teil<TQvImageButton>(&f, "QvImageButton2");
}
