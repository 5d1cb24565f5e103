#include "widgets/monatskalender.h"

#include "model/tageszahl.h"
#include "model/uhr.h"
#include "widgets/festefenster.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QLocale Deutsch()
{
    return QLocale(QLocale::German, QLocale::Germany);
}

QToolButton* Blaetterknopf(QWidget* eltern, const char* name, const QString& zeichen,
                           const QString& hinweis)
{
    auto* b = new QToolButton(eltern);
    QFont f = b->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.25);
    b->setFont(f);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(zeichen);
    b->setToolTip(hinweis);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
    return b;
}

} // namespace

TMonatskalender::TMonatskalender(QWidget* eltern)
    : QDialog(eltern), m_kalender(new QCalendarWidget(this)), m_titel(new QLabel(this))
{
    setObjectName(QStringLiteral("monatskalender"));
    FesteGroesseMarkieren(this);
    setWindowTitle(QStringLiteral("Wählen Sie ein Datum"));
    setModal(true);
    setLocale(Deutsch());

    m_kalender->setObjectName(QStringLiteral("kalender"));
    m_kalender->setLocale(Deutsch());
    m_kalender->setFirstDayOfWeek(Qt::Monday);
    m_kalender->setNavigationBarVisible(false);
    m_kalender->setGridVisible(true);
    m_kalender->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    m_kalender->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_kalender->setSelectedDate(Uhr::Heute());
    // Room for "Mo." to "So." without eliding at small fonts.
    const QFontMetrics masse(m_kalender->font());
    m_grundbreite = masse.horizontalAdvance(QStringLiteral("Mo.")) * 7 + 7 * 12;
    m_kalender->setMinimumSize(m_grundbreite, masse.height() * 7 + 7 * 8);

    m_titel->setObjectName(QStringLiteral("monatstitel"));
    m_titel->setAlignment(Qt::AlignCenter);
    QFont fett = m_titel->font();
    fett.setBold(true);
    m_titel->setFont(fett);

    auto* jahrZurueck = Blaetterknopf(this, "vorherigesJahr", QStringLiteral("«"),
                                      QStringLiteral("vorheriges Jahr"));
    auto* monatZurueck = Blaetterknopf(this, "vorherigerMonat", QStringLiteral("‹"),
                                       QStringLiteral("voheriger Monat"));
    auto* monatVor = Blaetterknopf(this, "naechsterMonat", QStringLiteral("›"),
                                   QStringLiteral("nächster Monat"));
    auto* jahrVor =
        Blaetterknopf(this, "naechstesJahr", QStringLiteral("»"), QStringLiteral("nächstes Jahr"));
    connect(jahrZurueck, &QToolButton::clicked, this, &TMonatskalender::VorherigesJahr);
    connect(monatZurueck, &QToolButton::clicked, this, &TMonatskalender::VorherigerMonat);
    connect(monatVor, &QToolButton::clicked, this, &TMonatskalender::NaechsterMonat);
    connect(jahrVor, &QToolButton::clicked, this, &TMonatskalender::NaechstesJahr);

    auto* leiste = new QHBoxLayout;
    leiste->setSpacing(2);
    leiste->addWidget(jahrZurueck);
    leiste->addWidget(monatZurueck);
    leiste->addWidget(m_titel, 1);
    leiste->addWidget(monatVor);
    leiste->addWidget(jahrVor);

    auto* knoepfe = new QDialogButtonBox(this);
    auto* ok = knoepfe->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("knopf_ok"));
    ok->setDefault(true);
    knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("knopf_abbrechen"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(6, 6, 6, 6);
    spalte->setSpacing(4);
    spalte->addLayout(leiste);
    spalte->addWidget(m_kalender);
    spalte->addWidget(knoepfe);
    spalte->setSizeConstraint(QLayout::SetFixedSize);

    // activated covers both the double click and Enter on a day.
    connect(m_kalender, &QCalendarWidget::activated, this, &QDialog::accept);
    connect(m_kalender, &QCalendarWidget::currentPageChanged, this,
            &TMonatskalender::TitelAktualisieren);
    TitelAktualisieren();
    BreiteFuerTitel();
    m_kalender->setFocus();
}

void TMonatskalender::changeEvent(QEvent* ereignis)
{
    QDialog::changeEvent(ereignis);
    if (m_grundbreite > 0 &&
        (ereignis->type() == QEvent::WindowTitleChange || ereignis->type() == QEvent::FontChange))
        BreiteFuerTitel();
}

void TMonatskalender::BreiteFuerTitel()
{
    // Title bars show the title in bold beside an icon and up to three buttons; the window is
    // made that wide, so the window manager need not shorten "Wählen Sie ein Datum".
    QFont fett = font();
    fett.setBold(true);
    const int titel = QFontMetrics(fett).horizontalAdvance(windowTitle()) + TitelleistenRand;
    const QMargins rand = layout() ? layout()->contentsMargins() : QMargins();
    m_kalender->setMinimumWidth(std::max(m_grundbreite, titel - rand.left() - rand.right()));
}

void TMonatskalender::setTag(double tag)
{
    QDate d = Tageszahl::zuDatum(tag);
    if (!d.isValid() || d < m_kalender->minimumDate() || d > m_kalender->maximumDate())
        d = Uhr::Heute();
    m_kalender->setSelectedDate(d);
    m_kalender->setCurrentPage(d.year(), d.month());
    TitelAktualisieren();
}

double TMonatskalender::Tag() const
{
    return Tageszahl::ausDatum(m_kalender->selectedDate());
}

void TMonatskalender::setFarbe(const QColor& farbe)
{
    m_farbe = farbe;
    QPalette p = palette();
    p.setColor(QPalette::Window, farbe);
    setPalette(p);
    setAutoFillBackground(true);
    // The weekday heads take the colour too; the day grid stays white to be read easily.
    QTextCharFormat kopf = m_kalender->headerTextFormat();
    kopf.setBackground(farbe);
    m_kalender->setHeaderTextFormat(kopf);
}

QString TMonatskalender::MonatsTitel() const
{
    return QStringLiteral("%1 %2").arg(Deutsch().standaloneMonthName(m_kalender->monthShown()),
                                       QString::number(m_kalender->yearShown()));
}

void TMonatskalender::Blaettern(int monate)
{
    // addMonths keeps the day where the target month has it, else takes its last day.
    const QDate ziel = m_kalender->selectedDate().addMonths(monate);
    if (!ziel.isValid() || ziel < m_kalender->minimumDate() || ziel > m_kalender->maximumDate())
        return;
    m_kalender->setSelectedDate(ziel);
    m_kalender->setCurrentPage(ziel.year(), ziel.month());
    TitelAktualisieren();
}

void TMonatskalender::TitelAktualisieren()
{
    m_titel->setText(MonatsTitel());
}
