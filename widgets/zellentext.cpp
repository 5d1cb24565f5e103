#include "widgets/zellentext.h"

namespace {
const QString Punkte = QStringLiteral("...");
} // namespace

QString Kuerzen(const QString& text, int breite, const QFontMetrics& fm)
{
    if (fm.horizontalAdvance(text) <= breite)
        return text;
    // Binary search for the longest prefix that fits with "..." (widths grow with length).
    qsizetype unten = 0;
    qsizetype oben = text.size() - 1;
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
    for (qsizetype p = titel.size() - 2; p >= 0; --p) {
        const QChar c = titel.at(p);
        if (c != QLatin1Char(' ') && c != QLatin1Char(','))
            continue;
        const QString links = titel.left(p);
        if (fm.horizontalAdvance(links) <= breite) {
            *erster = links;
            *zweiter = titel.mid(p + 1, 255);
            return true;
        }
    }
    return false;
}

QStringList ZellenText(const QString& titel, const QStringList& notiz, int breite,
                       const QFontMetrics& titelFm, const QFontMetrics& notizFm, int hoechstens)
{
    QStringList zeilen;
    if (hoechstens <= 0)
        return zeilen;
    QString erster;
    QString zweiter;
    if (TitelTeilen(titel, breite, titelFm, &erster, &zweiter)) {
        zeilen.append(Kuerzen(erster, breite, titelFm));
        if (zeilen.size() < hoechstens)
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
