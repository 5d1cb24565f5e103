#include "widgets/zellentext.h"

#include <algorithm>
#include <vector>

namespace {
const QString Punkte = QStringLiteral("...");
} // namespace

qsizetype ZeichenJeZeile(int breite)
{
    return 64 + 4 * static_cast<qsizetype>(std::max(breite, 0));
}

QString Kuerzen(const QString& text, int breite, const QFontMetrics& fm)
{
    const qsizetype sichtbar = ZeichenJeZeile(breite);
    if (text.size() <= sichtbar && fm.horizontalAdvance(text) <= breite)
        return text;
    // Binary search for the longest prefix that fits with "..." (widths grow with length);
    // no prefix longer than a line can show is measured.
    qsizetype unten = 0;
    qsizetype oben = std::min(text.size() - 1, sichtbar);
    while (unten < oben) {
        const qsizetype mitte = (unten + oben + 1) / 2;
        if (fm.horizontalAdvance(text.left(mitte) + Punkte) <= breite)
            unten = mitte;
        else
            oben = mitte - 1;
    }
    return text.left(unten) + Punkte;
}

bool TitelTeilen(const QString& titel, int breite, const QFontMetrics& fm, QString* erster,
                 QString* zweiter)
{
    // The places to split at, left to right: blanks and commas before the last character,
    // as far as a line can show.
    const qsizetype letzte = std::min(titel.size() - 2, ZeichenJeZeile(breite));
    std::vector<qsizetype> stellen;
    for (qsizetype p = 0; p <= letzte; ++p) {
        const QChar c = titel.at(p);
        if (c == QLatin1Char(' ') || c == QLatin1Char(','))
            stellen.push_back(p);
    }
    // The rightmost place whose left part fits, by binary search over the places (widths
    // grow with length): stellen[passt] fits, stellen[zuBreit] does not.
    qsizetype passt = -1;
    auto zuBreit = static_cast<qsizetype>(stellen.size());
    while (zuBreit - passt > 1) {
        const qsizetype mitte = passt + (zuBreit - passt) / 2;
        if (fm.horizontalAdvance(titel.left(stellen[static_cast<size_t>(mitte)])) <= breite)
            passt = mitte;
        else
            zuBreit = mitte;
    }
    if (passt < 0)
        return false;
    const qsizetype p = stellen[static_cast<size_t>(passt)];
    *erster = titel.left(p);
    *zweiter = titel.mid(p + 1, 255);
    return true;
}

QStringList ZellenText(const QString& titel, const QStringList& notiz, int breite,
                       const QFontMetrics& titelFm, const QFontMetrics& notizFm, int hoechstens)
{
    QStringList zeilen;
    if (hoechstens <= 0)
        return zeilen;
    QString erster;
    QString zweiter;
    if (hoechstens > 1 && TitelTeilen(titel, breite, titelFm, &erster, &zweiter)) {
        zeilen.append(Kuerzen(erster, breite, titelFm));
        zeilen.append(Kuerzen(zweiter, breite, titelFm));
    } else {
        zeilen.append(Kuerzen(titel, breite, titelFm));
    }
    for (const QString& n : notiz) {
        if (zeilen.size() >= hoechstens)
            break;
        zeilen.append(QLatin1Char('*') + Kuerzen(n, breite, notizFm));
    }
    return zeilen;
}

Bandverteilung BaenderVerteilen(const std::vector<int>& gewuenscht, int hoehe, int zeile,
                                int abstand)
{
    Bandverteilung v;
    const auto n = static_cast<int>(std::min<size_t>(gewuenscht.size(), 1u << 20));
    v.zeilen.assign(gewuenscht.size(), 0);
    zeile = std::max(zeile, 1);
    abstand = std::max(abstand, 0);
    hoehe = std::max(hoehe, 0);
    const int band = zeile + abstand;
    int gezeigt = n;
    if (static_cast<qint64>(n) * band > hoehe)
        gezeigt = std::clamp((hoehe - zeile) / band, 0, n);
    v.weitere = static_cast<int>(gewuenscht.size()) - gezeigt;
    int rest = hoehe - gezeigt * band - (v.weitere > 0 ? zeile : 0);
    for (int i = 0; i < gezeigt; ++i)
        v.zeilen[static_cast<size_t>(i)] = 1;
    for (bool mehr = true; mehr && rest >= zeile;) {
        mehr = false;
        for (int i = 0; i < gezeigt && rest >= zeile; ++i) {
            int& z = v.zeilen[static_cast<size_t>(i)];
            if (z < gewuenscht[static_cast<size_t>(i)]) {
                ++z;
                rest -= zeile;
                mehr = true;
            }
        }
    }
    return v;
}
