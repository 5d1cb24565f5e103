#pragma once

#include "model/taufgabe.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QFontMetrics;
class QPlainTextEdit;

// The rules of the two task dialogs that need no window of their own, so tests can call
// them: begin and duration lists, the web link of an advice text and its place, the
// templates mark, the heading size and the note lines.
namespace Terminregeln {

// Begin index b and duration index d never add up to more than this: a task ends at
// 24:00 at the latest.
inline constexpr int GroessteSumme = 47;

// The begin index shown for a stored Start, clamped into the list as every view does
// (Zeiten::StartImBereich).
int BeginnIndex(qint32 start);
// The duration index shown for a stored Dauer behind begin index b: Dauer clamped into the
// list (Zeiten::DauerImBereich) if it fits, else 47 - b.
int DauerIndex(int beginnIndex, qint32 dauer);
// After the user chose begin b: the duration index to select.
int DauerNachBeginn(int beginnIndex, int dauerIndex);
// After the user chose duration d: the begin index to select.
int BeginnNachDauer(int beginnIndex, int dauerIndex);

// The one-year rule of the apply buttons: day d must lie strictly less than a year after
// the first cell and strictly less than a year before the last.
bool InnerhalbEinesJahres(double erster, double letzter, double tag);
inline const QString EinJahrText =
    QStringLiteral("Der Umzug kann nicht länger als ein Jahr dauern.");

// Whether the appointment of day `tag` at begin index b for duration index d lies outside
// the years a calendar file can carry (icsdatei.h): applying it then asks first, as such a
// year is most likely a typo (3027 for 2027).
bool AusserhalbDerKalenderjahre(double tag, int beginnIndex, int dauerIndex);
// That question (warning kind, "OK" applies, "Abbrechen" keeps the dialog open).
QString KalenderjahrFrage(double tag, int beginnIndex);

// The link of one line: from the first "http://" or "https://" to the last blank,
// semicolon, CR or LF after it (that separator included), or to the line's end.
struct Link
{
    int zeile = -1; // line index, -1 for no link
    int anfang = 0; // index of the link's first character in its line
    QString text;   // the characters as they stand in the line
    QUrl adresse;   // what a click opens

    bool vorhanden() const { return zeile >= 0; }
};

// Where the link of `zeile` starts (index), -1 when the line holds none.
int LinkAnfang(const QString& zeile);
// The link text of `zeile` starting at `anfang`, by the end rule above.
QString LinkText(const QString& zeile, int anfang);
// The address a link text opens: only a valid http or https URL with a host; anything
// else (advice texts come from plan files) gives an invalid QUrl.
QUrl LinkAdresse(const QString& text);
// The link of an advice text: the last line whose link is a valid address.
Link LinkSuchen(const QStringList& zeilen);
// The link label's place over the text label: line `zeile` at line height of `schrift`,
// left at the width of the characters before the link.
QRect LinkLage(const QStringList& zeilen, const Link& link, const QFontMetrics& schrift);

// Whether the advice text offers the print templates: "Druckvorlagen" in double quotes.
bool DruckvorlagenErwaehnt(const QStringList& zeilen);

// The heading's point size: from 24 down by 2 while the label is at least `raum` pixels wide,
// never below 10. `breiteBei` measures the label at a point size.
int UeberschriftPunkte(int raum, const std::function<int(int punkt)>& breiteBei);

// For each number whose task is in the list, its title and a line feed.
QString AufgabenNamen(const Aufgabenliste& aufgaben, const QList<qint32>& nummern);
// The tasks that name `nummer` in their vorher list, once per mention, in list order.
QList<qint32> Abhaengige(const Aufgabenliste& aufgaben, qint32 nummer);

// The lines of a notes field's text: empty text, no lines; a line break ends a line.
QStringList NotizZeilen(const QString& text);
QString NotizText(const QStringList& zeilen);
// The lines as the notes field shows them on screen, broken where its word wrap breaks
// them, without a last empty line (what a task sheet prints).
QStringList Bildschirmzeilen(QPlainTextEdit* feld);

} // namespace Terminregeln
