#include "app/fensterrahmen.h"

#include "widgets/artwork.h"
#include "widgets/farben.h"
#include "widgets/qvimagebutton.h"
#include "widgets/schrift.h"

#include <QLabel>

#include <algorithm>
#include <string_view>

namespace {

// The command buttons from top to bottom, with their object names and pictures.
struct Knopfbeschreibung
{
    const char* name;
    QLatin1String bild;
    QKeyCombination kuerzel; // none for the commands without one
};

constexpr std::array<Knopfbeschreibung, Fensterlayout::Anzahlknoepfe> Knopfliste{{
    {"RuckgaengigButton", Artwork::Kalender::Rueckgaengig, Qt::CTRL | Qt::Key_Z},
    {"HilfeButton", Artwork::Kalender::Hilfe, QKeyCombination(Qt::Key_F1)},
    {"EigenerTerminButton", Artwork::Kalender::NeueAufgabe, Qt::CTRL | Qt::Key_N},
    {"NeuButton", Artwork::Kalender::NeuBeginnen, QKeyCombination()},
    {"UmzugAendernButton", Artwork::Kalender::UmzugAendern, Qt::CTRL | Qt::Key_U},
    {"SpeicherButton", Artwork::Kalender::Speichern, Qt::CTRL | Qt::Key_S},
    {"LadenButton", Artwork::Kalender::Laden, Qt::CTRL | Qt::Key_O},
    {"VorlagenButton", Artwork::Kalender::Vorlagen, QKeyCombination()},
    {"DruckenButton", Artwork::Kalender::Drucken, Qt::CTRL | Qt::Key_P},
    {"OutlookButton", Artwork::Kalender::Export, QKeyCombination()},
    {"AbgleichButton", Artwork::Kalender::Abgleichen, Qt::CTRL | Qt::Key_K},
    {"EndeButton", Artwork::Kalender::Ende, Qt::CTRL | Qt::Key_Q},
}};

// Befehl indexes the list.
constexpr bool PasstZuBefehl(Befehl befehl, std::string_view name)
{
    return Knopfliste[static_cast<size_t>(befehl)].name == name;
}
static_assert(PasstZuBefehl(Befehl::UmzugAendern, "UmzugAendernButton") &&
              PasstZuBefehl(Befehl::Export, "OutlookButton") &&
              PasstZuBefehl(Befehl::Abgleichen, "AbgleichButton") &&
              PasstZuBefehl(Befehl::Ende, "EndeButton"));

// Between the span and the progress after it.
constexpr int Fortschrittabstand = 16;

const std::array<const char*, 7> Wochentage{"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                            "Freitag", "Samstag",  "Sonntag"};

} // namespace

Fensterrahmen::Fensterrahmen(QWidget* fenster)
{
    m_titel = new QLabel(QStringLiteral("Ihr Umzugskalender"), fenster);
    m_titel->setObjectName(QStringLiteral("Label2"));
    m_titel->setFont(ArialPixel(32, true));
    m_titel->setStyleSheet(Farben::Ueberschrift());
    m_titel->move(20, 0);
    m_titel->adjustSize();
    // Beside the title, the months the plan covers.
    m_spanne = new QLabel(fenster);
    m_spanne->setObjectName(QStringLiteral("SpanneLabel"));
    m_spanne->setFont(SpannenSchrift(20));
    m_spanne->setStyleSheet(Farben::Textfarbe(Farben::Mittelblau));
    m_fortschritt = new QLabel(fenster);
    m_fortschritt->setObjectName(QStringLiteral("FortschrittLabel"));
    m_fortschritt->setStyleSheet(Farben::Textfarbe(Farben::Dunkelblau));

    m_deko = new TQvImage(fenster);
    m_deko->setObjectName(QStringLiteral("Image1"));
    m_deko->setFileName(QString(Artwork::Dekorspalte));
    m_logo = new TQvImage(fenster);
    m_logo->setObjectName(QStringLiteral("Image2"));
    m_logo->setFileName(QString(Artwork::Logo));

    m_wochentage = new QWidget(fenster);
    m_wochentage->setObjectName(QStringLiteral("WeekdaysPanel"));
    m_wochentage->setAutoFillBackground(true);
    QPalette kopf = m_wochentage->palette();
    kopf.setColor(QPalette::Window, Farben::Dunkelblau);
    kopf.setColor(QPalette::WindowText, Qt::white);
    m_wochentage->setPalette(kopf);
    QFont kopfSchrift = fenster->font();
    kopfSchrift.setBold(true);
    auto* kw = new QLabel(QStringLiteral("KW"), m_wochentage);
    kw->setObjectName(QStringLiteral("KWLabel"));
    kw->setFont(kopfSchrift);
    kw->setAlignment(Qt::AlignCenter);
    kw->setGeometry(1, 0, 20, Fensterlayout::Kopfleistenhoehe);
    for (size_t k = 0; k < Wochentage.size(); ++k) {
        auto* l = new QLabel(QString::fromLatin1(Wochentage[k]), m_wochentage);
        l->setObjectName(QString::fromLatin1(Wochentage[k]) + QStringLiteral("Label"));
        l->setFont(kopfSchrift);
        l->setAlignment(Qt::AlignCenter);
        m_tagKoepfe[k] = l;
    }

    m_status = new QLabel(fenster);
    m_status->setObjectName(QStringLiteral("StatusPanel"));
    m_status->setAutoFillBackground(true);
    m_status->setStyleSheet(QStringLiteral("color: red; background: white;"));
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    for (size_t i = 0; i < Knopfliste.size(); ++i) {
        auto* k = new TQvImageButton(QString(Knopfliste[i].bild), fenster);
        k->setObjectName(QString::fromLatin1(Knopfliste[i].name));
        if (Knopfliste[i].kuerzel.key() != Qt::Key_unknown)
            k->setTastenkuerzel(QKeySequence(Knopfliste[i].kuerzel));
        m_knoepfe[i] = k;
    }
}

TQvImageButton* Fensterrahmen::Knopf(const char* name) const
{
    for (size_t i = 0; i < Knopfliste.size(); ++i)
        if (qstrcmp(Knopfliste[i].name, name) == 0)
            return m_knoepfe[i];
    return nullptr;
}

void Fensterrahmen::Anordnen(const Fensterlayout::Hauptfenster& lage, int fensterbreite)
{
    m_wochentage->setGeometry(lage.kopfleiste);
    m_logo->setGeometry(lage.logo);
    m_deko->setGeometry(lage.deko);
    m_status->setGeometry(lage.status);
    for (size_t i = 0; i < m_knoepfe.size(); ++i) {
        m_knoepfe[i]->setGeometry(lage.knoepfe[i]);
        m_knoepfe[i]->raise();
    }
    m_logo->raise();
    for (size_t k = 0; k < m_tagKoepfe.size(); ++k)
        m_tagKoepfe[k]->setGeometry(
            Fensterlayout::Wochentagskopf(static_cast<int>(k), m_wochentage->width()));
    SpanneAnordnen(fensterbreite);
}

void Fensterrahmen::SpanneSetzen(const QString& text)
{
    m_spanne->setText(text);
    SpanneAnordnen(m_spanne->parentWidget()->width());
}

QString Fensterrahmen::FortschrittText(const Aufgabenliste& aufgaben)
{
    if (aufgaben.empty())
        return {};
    const auto erledigt = std::count_if(aufgaben.begin(), aufgaben.end(),
                                        [](const taufgabe& a) { return a.Erledigt; });
    return QStringLiteral("%1 von %2 erledigt").arg(erledigt).arg(aufgaben.size());
}

void Fensterrahmen::FortschrittSetzen(const Aufgabenliste& aufgaben)
{
    const QString text = FortschrittText(aufgaben);
    if (text == m_fortschritt->text())
        return;
    m_fortschritt->setText(text);
    SpanneAnordnen(m_spanne->parentWidget()->width());
}

QFont Fensterrahmen::SpannenSchrift(int pixel)
{
    return ArialPixel(pixel, true);
}

void Fensterrahmen::SpanneAnordnen(int fensterbreite)
{
    // On the title's baseline, up to the logo; a long span in a smaller font. The progress
    // follows the span in a plainer font, and is left out where the room ends.
    const int links = m_titel->geometry().right() + 24;
    const int breite = std::max(fensterbreite - Fensterlayout::Logobreite - links - 8, 0);
    const auto fortschrittSchrift = [](int pixel) { return ArialPixel(pixel * 3 / 4, false); };
    const auto bedarf = [&](int pixel, bool mitFortschritt) {
        int b = QFontMetrics(SpannenSchrift(pixel)).horizontalAdvance(m_spanne->text());
        if (mitFortschritt)
            b += Fortschrittabstand +
                 QFontMetrics(fortschrittSchrift(pixel)).horizontalAdvance(m_fortschritt->text());
        return b;
    };
    bool mitFortschritt = !m_fortschritt->text().isEmpty();
    int pixel = 20;
    while (pixel > 12 && bedarf(pixel, mitFortschritt) > breite)
        --pixel;
    if (mitFortschritt && bedarf(pixel, true) > breite) {
        mitFortschritt = false;
        pixel = 20;
        while (pixel > 12 && bedarf(pixel, false) > breite)
            --pixel;
    }
    m_spanne->setFont(SpannenSchrift(pixel));
    const QFontMetrics titel(m_titel->font());
    const QFontMetrics spanne(m_spanne->font());
    const int grundlinie = m_titel->y() + (m_titel->height() - titel.height()) / 2 + titel.ascent();
    const int spannenbreite = std::min(spanne.horizontalAdvance(m_spanne->text()) + 1, breite);
    m_spanne->setGeometry(links, grundlinie - spanne.ascent(), spannenbreite, spanne.height());
    m_fortschritt->setVisible(mitFortschritt);
    if (!mitFortschritt)
        return;
    m_fortschritt->setFont(fortschrittSchrift(pixel));
    const QFontMetrics fortschritt(m_fortschritt->font());
    const int fortschrittLinks = links + spannenbreite + Fortschrittabstand;
    m_fortschritt->setGeometry(fortschrittLinks, grundlinie - fortschritt.ascent(),
                               std::max(links + breite - fortschrittLinks, 0),
                               fortschritt.height());
}

QSize Fensterrahmen::Mindestgroesse() const
{
    int kopf = 0;
    for (const QLabel* l : m_tagKoepfe)
        kopf = std::max(kopf, l->fontMetrics().horizontalAdvance(l->text()) + 6);
    // The longest span there is, in the smallest font.
    const int spanne = QFontMetrics(SpannenSchrift(12))
                           .horizontalAdvance(QStringLiteral("September 2026 – Dezember 2027"));
    return Fensterlayout::Mindestgroesse(kopf, m_titel->width() + 24 + spanne);
}

void Fensterrahmen::StatusSetzen(const QString& text)
{
    m_status->setText(QStringLiteral("   ") + text);
}

QString Fensterrahmen::Status() const
{
    return m_status->text();
}
