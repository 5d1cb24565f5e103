#include "app/tagesraster.h"

#include "app/fensterlayout.h"
#include "app/kalenderfeld.h"
#include "app/kwbild.h"
#include "app/tagzugang.h"
#include "app/tday.h"
#include "model/kalendertexte.h"
#include "model/plan.h"
#include "model/tageszahl.h"
#include "widgets/zellengeometrie.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>

Tagesraster::Tagesraster(QWidget* fenster, Kalenderfeld* feld) : QObject(fenster), m_feld(feld)
{
    m_flaeche = new QScrollArea(fenster);
    m_flaeche->setObjectName(QStringLiteral("ScrollBox1"));
    m_flaeche->setFrameShape(QFrame::NoFrame);
    m_flaeche->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_flaeche->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_flaeche->verticalScrollBar()->setFixedWidth(16);
    m_flaeche->setWidgetResizable(false);
    m_flaeche->setBackgroundRole(QPalette::Window);
    m_flaeche->setFocusPolicy(Qt::NoFocus); // the day cells take the focus themselves
    m_inhalt = new QWidget;
    m_inhalt->setObjectName(QStringLiteral("Kalenderinhalt"));
    m_inhalt->setAutoFillBackground(true);
    QPalette weiss = m_inhalt->palette();
    weiss.setColor(QPalette::Window, Qt::white);
    m_inhalt->setPalette(weiss);
    m_flaeche->setWidget(m_inhalt); // the scroll area owns the content
    m_flaeche->viewport()->installEventFilter(this);
    m_inhalt->installEventFilter(this);

    m_rollen = new QTimer(this);
    m_rollen->setInterval(40);
    connect(m_rollen, &QTimer::timeout, this, [this] {
        QScrollBar* leiste = m_flaeche->verticalScrollBar();
        leiste->setValue(leiste->value() + m_rollrichtung * 24);
    });
}

void Tagesraster::AmRandRollen(std::optional<QPoint> imSichtfeld)
{
    constexpr int Rand = 24;
    m_rollrichtung = 0;
    if (imSichtfeld) {
        if (imSichtfeld->y() < Rand)
            m_rollrichtung = -1;
        else if (imSichtfeld->y() >= m_flaeche->viewport()->height() - Rand)
            m_rollrichtung = 1;
    }
    if (m_rollrichtung == 0)
        m_rollen->stop();
    else if (!m_rollen->isActive())
        m_rollen->start();
}

void Tagesraster::Bauen(const Kalenderspanne& spanne, int landA, int landB,
                        const Aufgabenliste& aufgaben, double ersatzTag)
{
    QWidget* fokus = QApplication::focusWidget();
    const bool hatteFokus = qobject_cast<tday*>(fokus) && m_inhalt->isAncestorOf(fokus);
    const double fokusTag = m_fokusZelle < Anzahl() ? Tag(m_fokusZelle)->Datum() : -1e9;
    Freigeben();
    AmRandRollen(std::nullopt);

    m_tage.reserve(static_cast<size_t>(spanne.tage));
    for (int i = 0; i < spanne.tage; ++i) {
        auto* zelle = new tday(m_feld, spanne.ersterTag + i, m_inhalt);
        zelle->setObjectName(QStringLiteral("Tag%1").arg(i));
        if (zelle->Daten().Datum > 0)
            zelle->Daten().Feiertag = Plan::Feiertag(zelle->Daten().Datum, landA, landB);
        m_tage.push_back(zelle);
    }
    m_fokusZelle = Index(fokusTag);
    if (m_fokusZelle < 0)
        m_fokusZelle = Index(Tageszahl::heute());
    if (m_fokusZelle < 0)
        m_fokusZelle = std::max(Index(ersatzTag), 0);
    m_tage[static_cast<size_t>(m_fokusZelle)]->setFocusPolicy(Qt::StrongFocus);

    m_wochen = Kalenderwochen(spanne);
    delete m_kwBild; // replaced at every build
    m_kwBild = new KWBild(m_wochen, m_inhalt);
    m_kwBild->setObjectName(QStringLiteral("KWBild"));
    m_kwBild->move(0, 0);

    Aktualisieren(aufgaben);
    Anordnen();
    for (tday* t : m_tage)
        t->show();
    m_kwBild->show();
    m_inhalt->update();
    if (hatteFokus)
        Fokussieren(m_fokusZelle, -1);
}

void Tagesraster::Freigeben()
{
    for (tday* t : m_tage)
        t->hide();
    for (tday* t : m_tage)
        delete t;
    m_tage.clear();
}

void Tagesraster::Aktualisieren(const Aufgabenliste& aufgaben)
{
    std::vector<TagDaten*> zellen;
    std::vector<std::vector<ttermin>> vorher;
    zellen.reserve(m_tage.size());
    vorher.reserve(m_tage.size());
    for (tday* t : m_tage) {
        zellen.push_back(&t->Daten());
        vorher.push_back(t->Daten().Termine);
    }
    AufgabenVerteilen(aufgaben, zellen);
    // The cells paint opaquely, so a repaint of the calendar area would skip them: each cell
    // whose appointments changed is repainted itself, and no other.
    for (size_t i = 0; i < m_tage.size(); ++i)
        if (m_tage[i]->Daten().Termine != vorher[i]) {
            m_tage[i]->update();
            TagGeaendert(m_tage[i]);
        }
}

QString Tagesraster::SpannenText(const Aufgabenliste& aufgaben) const
{
    if (m_tage.empty())
        return {};
    const double erster = ErsterTag();
    const double letzter = LetzterTag();
    double von = letzter;
    double bis = erster;
    for (const taufgabe& a : aufgaben) {
        const double tag = std::trunc(a.Tag);
        if (tag >= erster && tag <= letzter) {
            von = std::min(von, tag);
            bis = std::max(bis, tag);
        }
    }
    if (von > bis)
        std::swap(von, bis);
    return Kalendertexte::Monatsspanne(von, bis);
}

int Tagesraster::Index(double tag) const
{
    if (m_tage.empty() || !std::isfinite(tag))
        return -1;
    const double i = std::trunc(tag) - std::trunc(ErsterTag());
    return i >= 0 && i < static_cast<double>(m_tage.size()) ? static_cast<int>(i) : -1;
}

int Tagesraster::Index(const tday* zelle) const
{
    const auto it = std::find(m_tage.begin(), m_tage.end(), zelle);
    return it == m_tage.end() ? -1 : static_cast<int>(it - m_tage.begin());
}

void Tagesraster::Anordnen()
{
    const int breite = m_flaeche->width();
    const int zeilen = static_cast<int>(m_tage.size()) / 7;
    m_inhalt->resize(m_flaeche->viewport()->width(),
                     std::max(zeilen, 1) * Zellengeometrie::Zellenhoehe);
    for (size_t i = 0; i < m_tage.size(); ++i)
        m_tage[i]->setGeometry(Fensterlayout::Zelle(static_cast<int>(i), breite));
}

double Tagesraster::ErsterTag() const
{
    return m_tage.empty() ? 0 : m_tage.front()->Daten().Datum;
}

double Tagesraster::LetzterTag() const
{
    return m_tage.empty() ? 0 : m_tage.back()->Daten().Datum;
}

std::vector<const TagDaten*> Tagesraster::TagDatenListe() const
{
    std::vector<const TagDaten*> liste;
    liste.reserve(m_tage.size());
    for (const tday* t : m_tage)
        liste.push_back(&t->Daten());
    return liste;
}

void Tagesraster::Fokussieren(int index, int aufgabe)
{
    if (index < 0 || index >= Anzahl())
        return;
    if (m_fokusZelle != index && m_fokusZelle < Anzahl())
        Tag(m_fokusZelle)->setFocusPolicy(Qt::ClickFocus);
    m_fokusZelle = index;
    tday* zelle = Tag(index);
    // Only this cell is a stop of Tab; the arrows walk the others.
    zelle->setFocusPolicy(Qt::StrongFocus);
    zelle->FokusSetzen(aufgabe);
    zelle->setFocus(Qt::OtherFocusReason);
    m_flaeche->ensureWidgetVisible(zelle, 0, 0);
}

void Tagesraster::FokusUebernehmen(tday* zelle)
{
    const int index = Index(zelle);
    if (index < 0)
        return;
    if (index != m_fokusZelle && m_fokusZelle < Anzahl())
        Tag(m_fokusZelle)->setFocusPolicy(Qt::ClickFocus);
    m_fokusZelle = index;
    zelle->setFocusPolicy(Qt::StrongFocus);
}

bool Tagesraster::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == m_flaeche->viewport() && ereignis->type() == QEvent::Wheel) {
        // One notch of 120 scrolls 120 pixels, down for a turn toward the user.
        auto* rad = static_cast<QWheelEvent*>(ereignis);
        QScrollBar* leiste = m_flaeche->verticalScrollBar();
        leiste->setValue(leiste->value() - rad->angleDelta().y());
        return true;
    }
    if (objekt == m_inhalt && ereignis->type() == QEvent::MouseButtonPress)
        m_feld->StatusAnzeigen(QString());
    if (objekt == m_flaeche->viewport() && ereignis->type() == QEvent::Resize)
        Anordnen();
    return QObject::eventFilter(objekt, ereignis);
}
