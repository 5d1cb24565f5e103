#include "widgets/meldung.h"

#include "widgets/festefenster.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <array>

namespace {

struct KnopfArt
{
    Knopf knopf;
    const char* name;
    QMessageBox::ButtonRole rolle;
};

// Display order, left to right.
constexpr std::array<KnopfArt, 5> kKnoepfe{{
    {Ja, "knopf_ja", QMessageBox::YesRole},
    {Nein, "knopf_nein", QMessageBox::NoRole},
    {OK, "knopf_ok", QMessageBox::AcceptRole},
    {Abbrechen, "knopf_abbrechen", QMessageBox::RejectRole},
    {Hilfe, "knopf_hilfe", QMessageBox::HelpRole},
}};

QMessageBox::Icon Symbol(MeldungsArt art)
{
    switch (art) {
    case MeldungsArt::Warnung:
        return QMessageBox::Warning;
    case MeldungsArt::Fehler:
        return QMessageBox::Critical;
    case MeldungsArt::Information:
        return QMessageBox::Information;
    case MeldungsArt::Bestaetigung:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString MeldungsTitel(MeldungsArt art)
{
    switch (art) {
    case MeldungsArt::Warnung:
        return QStringLiteral("Warnung");
    case MeldungsArt::Fehler:
        return QStringLiteral("Fehler");
    case MeldungsArt::Information:
        return QStringLiteral("Information");
    case MeldungsArt::Bestaetigung:
        return QStringLiteral("Bestätigung");
    }
    return {};
}

QString KnopfBeschriftung(Knopf knopf)
{
    switch (knopf) {
    case OK:
        return QStringLiteral("OK");
    case Abbrechen:
        return QStringLiteral("Abbrechen");
    case Ja:
        return QStringLiteral("&Ja");
    case Nein:
        return QStringLiteral("&Nein");
    case Hilfe:
        return QStringLiteral("&Hilfe");
    }
    return {};
}

Knopf FluchtKnopf(Knoepfe knoepfe)
{
    for (Knopf k : {Abbrechen, Nein, OK})
        if (knoepfe.testFlag(k))
            return k;
    for (const auto& k : kKnoepfe)
        if (knoepfe == k.knopf)
            return k.knopf;
    return Knopf{};
}

Knopf Meldung(QWidget* eltern, MeldungsArt art, const QString& text, Knoepfe knoepfe)
{
    return Meldung(eltern, art, text, knoepfe, nullptr);
}

Knopf Meldung(QWidget* eltern, MeldungsArt art, const QString& text, Knoepfe knoepfe,
              QWidget* zusatz)
{
    if (!knoepfe)
        knoepfe = OK;

    QMessageBox box(eltern);
    box.setObjectName(QStringLiteral("meldung"));
    FesteGroesseMarkieren(&box);
    box.setWindowTitle(MeldungsTitel(art));
    box.setIcon(Symbol(art));
    // The texts come from the program and from files; none of them is markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);

    QPushButton* vorgabe = nullptr;
    QPushButton* flucht = nullptr;
    const Knopf fluchtKnopf = FluchtKnopf(knoepfe);
    for (const auto& k : kKnoepfe) {
        if (!knoepfe.testFlag(k.knopf))
            continue;
        QPushButton* b = box.addButton(KnopfBeschriftung(k.knopf), k.rolle);
        b->setObjectName(QString::fromLatin1(k.name));
        if (k.knopf == fluchtKnopf)
            flucht = b;
        // OK before Ja before the first, as the user expects Enter to agree.
        if (k.knopf == OK || (!vorgabe && k.knopf == Ja))
            vorgabe = b;
    }
    if (!vorgabe)
        vorgabe = qobject_cast<QPushButton*>(box.buttons().value(0));
    box.setDefaultButton(vorgabe);
    // Without an escape button QMessageBox ignores Escape and the close box; with Ja and
    // Hilfe only, the box must be answered by a button.
    box.setEscapeButton(flucht);
    if (zusatz) {
        // Below the text, above the buttons: the buttons move down a row.
        auto* raster = qobject_cast<QGridLayout*>(box.layout());
        auto* leiste = box.findChild<QDialogButtonBox*>();
        if (raster && leiste) {
            raster->removeWidget(leiste);
            const int zeile = raster->rowCount();
            // In the text's column: the column before it is the indent beside the icon.
            int spalte = 1;
            if (auto* text = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
                int z = 0;
                int zeilen = 0;
                int spalten = 0;
                raster->getItemPosition(raster->indexOf(text), &z, &spalte, &zeilen, &spalten);
            }
            raster->addWidget(zusatz, zeile, spalte);
            raster->addWidget(leiste, zeile + 1, 0, 1, raster->columnCount());
        } else {
            zusatz->setParent(&box);
        }
    }

    box.exec();

    const QAbstractButton* gedrueckt = box.clickedButton();
    for (const auto& k : kKnoepfe)
        if (gedrueckt && gedrueckt->objectName() == QLatin1String(k.name))
            return k.knopf;
    // Closed from code without an answer: the escape answer, or none at all rather than
    // an agreement nobody gave.
    return fluchtKnopf;
}

void FehlerBericht(QWidget* eltern, const QString& fehlertext)
{
    Meldung(eltern, MeldungsArt::Fehler, fehlertext, OK);
}
