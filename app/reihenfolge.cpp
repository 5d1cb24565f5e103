#include "app/reihenfolge.h"

#include "widgets/artwork.h"
#include "widgets/festefenster.h"
#include "widgets/qvimagebutton.h"
#include "widgets/schrift.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>

const QString TReihenfolge::NichtPlatzierbarText =
    QStringLiteral("Diese Aufgaben lassen sich nicht innerhalb eines Jahres unterbringen:");

TReihenfolge::TReihenfolge(QWidget* eltern) : QDialog(eltern)
{
    setObjectName(QStringLiteral("Reihenfolge"));
    setWindowTitle(QStringLiteral("Verschiebung der Aufgabe"));
    FesteGroesseMarkieren(this);
    setFixedSize(421, 209);

    auto* label2 = new QLabel(QStringLiteral("Hinweis zur Reihenfolge der Aufgaben:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    QFont fett = label2->font();
    fett.setBold(true);
    label2->setFont(fett);
    label2->setGeometry(16, 8, 390, 18);

    m_scrollBox = new QScrollArea(this);
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_scrollBox->setFrameShape(QFrame::NoFrame);
    m_scrollBox->setGeometry(16, 28, 390, 82);
    m_scrollBox->setWidgetResizable(false);
    m_label1 = new QLabel;
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setWordWrap(true);
    m_label1->setFont(ArialPixel(13));
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_scrollBox->setWidget(m_label1);
    // A screen reader stopping on the list reads the conflicts.
    m_scrollBox->setAccessibleName(label2->text());

    auto* label3 = new QLabel(
        QStringLiteral(
            "Bitte verschieben Sie zunächst die abhängigen Aufgaben so, dass eine "
            "sinnvolle Reihenfolge erhalten bleibt. Oder klicken Sie auf \"Neu beginnen\" "
            "und wählen Sie die Datumsvorgaben passend zu Ihrem Umzugstermin."),
        this);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setWordWrap(true);
    label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Four lines of the dialog font, from under the list down to just above the buttons.
    label3->setGeometry(16, 112, 390, 209 - 12 - 26 - 3 - 112);

    m_abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_abbrechen->setObjectName(QStringLiteral("Button3"));
    m_abbrechen->setGeometry(421 - 16 - 90, 209 - 12 - 26, 90, 26);
    m_abbrechen->setDefault(true);
    connect(m_abbrechen, &QPushButton::clicked, this, &QDialog::reject);

    m_mitverschieben = new TQvImageButton(QString(Artwork::Reihenfolge::Mitverschieben), this);
    m_mitverschieben->setObjectName(QStringLiteral("MitverschiebenButton"));
    m_mitverschieben->move(16, 209 - 12 - 25);
    m_mitverschieben->hide();
    connect(m_mitverschieben, &TQvImageButton::OnClick, this,
            &TReihenfolge::MitverschiebenButtonClick);
    setTabOrder(m_abbrechen, m_mitverschieben);
    setTabOrder(m_mitverschieben, m_scrollBox);
}

void TReihenfolge::showEvent(QShowEvent* ereignis)
{
    QDialog::showEvent(ereignis);
    // Every showing starts on the safe choice: Enter then leaves the plan as it is.
    if (!ereignis->spontaneous()) {
        m_abbrechen->setDefault(true);
        m_abbrechen->setFocus(Qt::OtherFocusReason);
    }
}

void TReihenfolge::KonflikteZeigen(const QStringList& zeilen)
{
    m_zeilen = zeilen;
    m_nichtPlatzierbar.clear();
    m_mitverschieben->hide();
    m_mitverschieben->setEnabled(true);
    TextSetzen(zeilen.join(QLatin1Char('\n')));
}

void TReihenfolge::MitverschiebenAnbieten(const QStringList& nichtPlatzierbar)
{
    m_nichtPlatzierbar = nichtPlatzierbar;
    m_mitverschieben->setEnabled(true);
    m_mitverschieben->show();
}

void TReihenfolge::MitverschiebenButtonClick()
{
    if (m_nichtPlatzierbar.isEmpty()) {
        accept();
        return;
    }
    // Nothing moves; the dialog says why and can only be left with "Abbrechen".
    QStringList namen;
    for (const QString& n : m_nichtPlatzierbar)
        namen.append(QLatin1Char('\'') + n + QLatin1Char('\''));
    TextSetzen(m_zeilen.join(QLatin1Char('\n')) + QStringLiteral("\n\n") + NichtPlatzierbarText +
               QLatin1Char('\n') + namen.join(QLatin1Char('\n')));
    m_mitverschieben->setEnabled(false);
    m_scrollBox->ensureVisible(0, m_label1->height());
}

void TReihenfolge::TextSetzen(const QString& text)
{
    m_label1->setFixedWidth(320);
    m_label1->setText(text);
    m_scrollBox->setAccessibleDescription(text);
    m_label1->setFixedHeight(m_label1->heightForWidth(320));
}

QString TReihenfolge::KonfliktText() const
{
    return m_label1->text();
}
