#include "widgets/datumsfeld.h"

#include "model/tageszahl.h"
#include "widgets/farben.h"
#include "widgets/meldung.h"
#include "widgets/monatskalender.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QToolButton>

namespace {

// A small calendar sheet: a coloured head and a grid of days.
QIcon KalenderSymbol()
{
    constexpr int groesse = 16;
    QPixmap bild(groesse, groesse);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setPen(Farben::Dunkelblau);
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, Farben::Mittelblau);
    p.setPen(Qt::NoPen);
    p.setBrush(Farben::Dunkelblau);
    for (int zeile = 0; zeile < 3; ++zeile)
        for (int spalte = 0; spalte < 4; ++spalte)
            p.drawRect(3 + spalte * 3, 7 + zeile * 2, 1, 1);
    return QIcon(bild);
}

} // namespace

DatumsEingabe DatumsEingabeLesen(const QString& text)
{
    DatumsEingabe e;
    double tag = 0.0;
    e.gueltig = Tageszahl::ausText(text, &tag);
    e.tag = e.gueltig ? tag : 0.0;
    e.text = e.gueltig ? Tageszahl::Text(tag) : text;
    return e;
}

QString UngueltigesDatumText(const QString& eingabe)
{
    return QStringLiteral(
               "„%1“ ist kein gültiges Datum.\n"
               "Bitte geben Sie das Datum als Tag.Monat.Jahr ein, zum Beispiel 24.12.2027.")
        .arg(eingabe.trimmed());
}

TDateEdit::TDateEdit(QWidget* eltern)
    : QWidget(eltern), m_zeile(new QLineEdit(this)), m_knopf(new QToolButton(this)),
      m_kalenderTitel(QStringLiteral("Wählen Sie ein Datum"))
{
    m_zeile->setObjectName(QStringLiteral("datumstext"));
    m_zeile->setMaxLength(20);
    m_zeile->setTextMargins(1, 0, 0, 0);
    m_zeile->installEventFilter(this);

    m_knopf->setObjectName(QStringLiteral("kalenderknopf"));
    m_knopf->setIcon(KalenderSymbol());
    m_knopf->setToolTip(QStringLiteral("Kalender öffnen"));
    // The button must not take the focus: that would check a half-typed text.
    m_knopf->setFocusPolicy(Qt::NoFocus);
    m_knopf->setCursor(Qt::ArrowCursor);
    m_knopf->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    m_knopf->setFixedWidth(18);

    auto* reihe = new QHBoxLayout(this);
    reihe->setContentsMargins(0, 0, 0, 0);
    reihe->setSpacing(0);
    reihe->addWidget(m_zeile, 1);
    reihe->addWidget(m_knopf);

    setFocusProxy(m_zeile);
    setFocusPolicy(m_zeile->focusPolicy());
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    connect(m_knopf, &QToolButton::clicked, this, &TDateEdit::KalenderOeffnen);
    connect(m_zeile, &QLineEdit::returnPressed, this, &TDateEdit::EingabePruefen);
    // A finished date counts at once, so a dialog can enable its apply button before the
    // user leaves the field; half-typed texts are left alone until then.
    connect(m_zeile, &QLineEdit::textEdited, this, [this](const QString& text) {
        const DatumsEingabe e = DatumsEingabeLesen(text);
        if (e.gueltig && e.text != m_gemeldet) {
            m_gemeldet = e.text;
            m_letzterGueltigerTag = e.tag;
            Q_EMIT Change();
        }
    });
}

double TDateEdit::Date() const
{
    return DatumsEingabeLesen(m_zeile->text()).tag;
}

void TDateEdit::setDate(double tag)
{
    Uebernehmen(Tageszahl::Text(tag));
}

QString TDateEdit::text() const
{
    return m_zeile->text();
}

void TDateEdit::setText(const QString& text)
{
    Uebernehmen(DatumsEingabeLesen(text).text);
}

void TDateEdit::Uebernehmen(const QString& text)
{
    if (m_zeile->text() != text)
        m_zeile->setText(text);
    m_zeile->setModified(false);
    if (const DatumsEingabe e = DatumsEingabeLesen(text); e.gueltig)
        m_letzterGueltigerTag = e.tag;
    if (text != m_gemeldet) {
        m_gemeldet = text;
        Q_EMIT Change();
    }
}

void TDateEdit::EingabePruefen()
{
    if (m_prueftGerade || !m_zeile->isModified())
        return;
    m_prueftGerade = true;
    const QString getippt = m_zeile->text();
    const DatumsEingabe e = DatumsEingabeLesen(getippt);
    // An emptied field is a deliberate answer, not a typing error; it counts as day 0.
    if (!e.gueltig && !getippt.trimmed().isEmpty())
        Meldung(this, MeldungsArt::Warnung, UngueltigesDatumText(getippt));
    Uebernehmen(e.text);
    m_prueftGerade = false;
}

void TDateEdit::KalenderOeffnen()
{
    // A typed but unchecked text is checked first, so the calendar starts on its date.
    EingabePruefen();
    TMonatskalender kalender(this);
    kalender.setWindowTitle(m_kalenderTitel);
    if (m_kalenderFarbe.isValid())
        kalender.setFarbe(m_kalenderFarbe);
    const DatumsEingabe e = DatumsEingabeLesen(m_zeile->text());
    // A text that is no date opens the calendar at the last date the field held, else today.
    kalender.setTag(e.gueltig                   ? e.tag
                    : m_letzterGueltigerTag > 0 ? m_letzterGueltigerTag
                                                : Tageszahl::heute());

    // Below the field where the screen allows it, else above.
    kalender.adjustSize();
    QPoint ort = mapToGlobal(QPoint(0, height()));
    if (const QScreen* bildschirm = screen()) {
        const QRect frei = bildschirm->availableGeometry();
        const QSize g = kalender.frameGeometry().size();
        if (ort.y() + g.height() > frei.bottom())
            ort.setY(mapToGlobal(QPoint(0, 0)).y() - g.height());
        ort.setX(qBound(frei.left(), ort.x(), qMax(frei.left(), frei.right() - g.width())));
        ort.setY(qMax(frei.top(), ort.y()));
    }
    kalender.move(ort);

    if (kalender.exec() == QDialog::Accepted)
        Uebernehmen(Tageszahl::Text(kalender.Tag()));
    m_zeile->setFocus(Qt::OtherFocusReason);
}

bool TDateEdit::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == m_zeile) {
        if (ereignis->type() == QEvent::FocusOut) {
            // Switching to another window (a message box, the calendar, another program)
            // or opening the context menu is no leaving of the field.
            const Qt::FocusReason grund = static_cast<QFocusEvent*>(ereignis)->reason();
            if (grund != Qt::ActiveWindowFocusReason && grund != Qt::PopupFocusReason)
                EingabePruefen();
        } else if (ereignis->type() == QEvent::KeyPress) {
            const auto* taste = static_cast<QKeyEvent*>(ereignis);
            if (taste->key() == Qt::Key_F4 ||
                (taste->key() == Qt::Key_Down && taste->modifiers() == Qt::AltModifier)) {
                KalenderOeffnen();
                return true;
            }
        }
    }
    return QWidget::eventFilter(objekt, ereignis);
}
