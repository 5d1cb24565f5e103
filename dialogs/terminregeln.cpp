#include "dialogs/terminregeln.h"

#include "kalenderexport/icsdatei.h"
#include "model/plandatei.h"
#include "model/tageszahl.h"
#include "model/zeiten.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace Terminregeln {

int BeginnIndex(qint32 start)
{
    return Zeiten::StartImBereich(start) - 1;
}

int DauerIndex(int beginnIndex, qint32 dauer)
{
    const int b = std::clamp(beginnIndex, 0, Zeiten::Slots - 1);
    const int d = Zeiten::DauerImBereich(dauer);
    return b + d <= GroessteSumme ? d : GroessteSumme - b;
}

int DauerNachBeginn(int beginnIndex, int dauerIndex)
{
    return beginnIndex + dauerIndex > GroessteSumme ? GroessteSumme - beginnIndex : dauerIndex;
}

int BeginnNachDauer(int beginnIndex, int dauerIndex)
{
    return beginnIndex + dauerIndex > GroessteSumme ? GroessteSumme - dauerIndex : beginnIndex;
}

bool InnerhalbEinesJahres(double erster, double letzter, double tag)
{
    return erster + 365 > tag && tag > letzter - 365;
}

bool AusserhalbDerKalenderjahre(double tag, int beginnIndex, int dauerIndex)
{
    taufgabe termin;
    termin.Tag = tag;
    termin.Start = beginnIndex + 1;
    termin.Dauer = dauerIndex;
    return !Uebertragbar(termin);
}

QString KalenderjahrFrage(double tag, int beginnIndex)
{
    return QStringLiteral("Ein Termin am %1 um %2 liegt nicht in den Jahren %3 bis %4, die ein "
                          "Kalender aufnehmen kann, und ließe sich nicht an den Kalender "
                          "übergeben.\nMöchten Sie das Datum trotzdem übernehmen?")
        .arg(Tageszahl::Text(tag), Zeiten::BeginnText(beginnIndex + 1))
        .arg(ErstesKalenderjahr)
        .arg(LetztesKalenderjahr);
}

int LinkAnfang(const QString& zeile)
{
    const int http = zeile.indexOf(QLatin1String("http://"));
    const int https = zeile.indexOf(QLatin1String("https://"));
    if (http < 0)
        return https;
    if (https < 0)
        return http;
    return std::min(http, https);
}

QString LinkText(const QString& zeile, int anfang)
{
    if (anfang < 0 || anfang >= zeile.size())
        return {};
    // The last separator after the start ends the link and belongs to it.
    qsizetype ende = zeile.size();
    for (qsizetype i = anfang; i < zeile.size(); ++i) {
        const QChar c = zeile.at(i);
        if (c == u'\n' || c == u'\r' || c == u' ' || c == u';')
            ende = i + 1;
    }
    return zeile.mid(anfang, ende - anfang);
}

QUrl LinkAdresse(const QString& text)
{
    // The separator that ended the link is no part of the address.
    QString adresse = text;
    while (!adresse.isEmpty() && (adresse.back().isSpace() || adresse.back() == u';'))
        adresse.chop(1);
    QUrl url(adresse, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return {};
    if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))
        return {};
    return url;
}

Link LinkSuchen(const QStringList& zeilen)
{
    Link link;
    for (int i = 0; i < zeilen.size(); ++i) {
        const int anfang = LinkAnfang(zeilen.at(i));
        if (anfang < 0)
            continue;
        const QString text = LinkText(zeilen.at(i), anfang);
        const QUrl adresse = LinkAdresse(text);
        if (!adresse.isValid())
            continue;
        link = Link{i, anfang, text, adresse};
    }
    return link;
}

QRect LinkLage(const QStringList& zeilen, const Link& link, const QFontMetrics& schrift)
{
    if (!link.vorhanden() || link.zeile >= zeilen.size())
        return {};
    const QString& zeile = zeilen.at(link.zeile);
    return QRect(schrift.horizontalAdvance(zeile.left(link.anfang)),
                 schrift.lineSpacing() * link.zeile, schrift.horizontalAdvance(link.text),
                 schrift.lineSpacing());
}

bool DruckvorlagenErwaehnt(const QStringList& zeilen)
{
    return std::any_of(zeilen.cbegin(), zeilen.cend(), [](const QString& z) {
        return z.contains(QLatin1String("\"Druckvorlagen\""));
    });
}

int UeberschriftPunkte(int raum, const std::function<int(int punkt)>& breiteBei)
{
    int punkt = 24;
    while (punkt > 10 && breiteBei(punkt) >= raum)
        punkt -= 2;
    return punkt;
}

QString AufgabenNamen(const Aufgabenliste& aufgaben, const QList<qint32>& nummern)
{
    QString namen;
    for (qint32 n : nummern) {
        const auto a = std::find_if(aufgaben.cbegin(), aufgaben.cend(),
                                    [n](const taufgabe& t) { return t.Nummer == n; });
        if (a != aufgaben.cend())
            namen += a->Kurzbezeichnung + QLatin1Char('\n');
    }
    return namen;
}

QList<qint32> Abhaengige(const Aufgabenliste& aufgaben, qint32 nummer)
{
    QList<qint32> abhaengige;
    for (const taufgabe& a : aufgaben)
        for (qint32 v : a.vorher)
            if (v == nummer)
                abhaengige.append(a.Nummer);
    return abhaengige;
}

QStringList NotizZeilen(const QString& text)
{
    if (text.isEmpty())
        return {};
    // A note holds no more than a plan file keeps of it; a pasted book is cut.
    qsizetype laenge = std::min(text.size(), Plangrenzen::Text);
    if (laenge < text.size() && text[laenge - 1].isHighSurrogate())
        --laenge;
    return text.left(laenge).split(QLatin1Char('\n'));
}

QString NotizText(const QStringList& zeilen)
{
    return zeilen.join(QLatin1Char('\n'));
}

QStringList Bildschirmzeilen(QPlainTextEdit* feld)
{
    QStringList zeilen;
    QTextDocument* dokument = feld->document();
    QAbstractTextDocumentLayout* anordnung = dokument->documentLayout();
    for (QTextBlock block = dokument->begin(); block.isValid(); block = block.next()) {
        anordnung->blockBoundingRect(block); // lays the block out at the field's width
        const QString text = block.text();
        const QTextLayout* zeilenbau = block.layout();
        if (!zeilenbau || zeilenbau->lineCount() == 0) {
            zeilen << text;
            continue;
        }
        for (int i = 0; i < zeilenbau->lineCount(); ++i) {
            const QTextLine z = zeilenbau->lineAt(i);
            zeilen << text.mid(z.textStart(), z.textLength());
        }
    }
    if (!zeilen.isEmpty() && zeilen.last().isEmpty())
        zeilen.removeLast();
    return zeilen;
}

} // namespace Terminregeln
