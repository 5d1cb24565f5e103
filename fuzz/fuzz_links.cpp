// The link detection and link parsing of the task dialogs on arbitrary advice texts (they come
// from plan files). Besides the sanitizers, these properties are checked:
// - a line's link starts at the first "http://" or "https://" and its text is the line from
//   there, up to and with the last separator or to the line's end;
// - a link that is offered opens only a valid http or https address with a host;
// - the link found in a text is one of its lines' links, and its place lies right of zero.
#include "dialogs/terminregeln.h"
#include "fuzzhilfe.h"
#include "widgets/schrift.h"

#include <QFontMetrics>

#include <cstdint>

using namespace Terminregeln;

namespace {

void AdressePruefen(const QUrl& adresse)
{
    if (!adresse.isValid())
        return;
    pruefen(adresse.scheme() == QLatin1String("http") || adresse.scheme() == QLatin1String("https"),
            "Adresse weder http noch https");
    pruefen(!adresse.host().isEmpty(), "Adresse ohne Rechner");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    GuiAnlegen();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t groesse)
{
    static const QFontMetrics schrift(Dialogschrift());
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(groesse));
    const QStringList zeilen = text.split(u'|');

    for (const QString& zeile : zeilen) {
        const int anfang = LinkAnfang(zeile);
        const bool hatLink =
            zeile.contains(QLatin1String("http://")) || zeile.contains(QLatin1String("https://"));
        pruefen(hatLink == (anfang >= 0), "Linkanfang falsch erkannt");
        if (anfang < 0) {
            pruefen(LinkText(zeile, anfang).isEmpty(), "Linktext ohne Link");
            continue;
        }
        pruefen(zeile.mid(anfang).startsWith(QLatin1String("http")), "Link beginnt nicht mit http");
        for (const QLatin1String schema : {QLatin1String("http://"), QLatin1String("https://")}) {
            const qsizetype erste = zeile.indexOf(schema);
            pruefen(erste < 0 || erste >= anfang, "nicht der erste Link der Zeile");
        }
        const QString linktext = LinkText(zeile, anfang);
        pruefen(!linktext.isEmpty() && zeile.mid(anfang).startsWith(linktext),
                "Linktext nicht aus der Zeile");
        const QString rest = zeile.mid(anfang + linktext.size());
        for (const QChar c : rest)
            pruefen(c != u' ' && c != u';' && c != u'\r' && c != u'\n',
                    "Trennzeichen hinter dem Linkende");
        AdressePruefen(LinkAdresse(linktext));
    }

    const Link link = LinkSuchen(zeilen);
    if (link.vorhanden()) {
        pruefen(link.zeile < zeilen.size(), "Linkzeile außerhalb des Textes");
        const QString& zeile = zeilen.at(link.zeile);
        pruefen(link.anfang == LinkAnfang(zeile) && link.text == LinkText(zeile, link.anfang),
                "gefundener Link weicht von seiner Zeile ab");
        pruefen(link.adresse.isValid(), "gefundener Link ohne Adresse");
        AdressePruefen(link.adresse);
        const QRect lage = LinkLage(zeilen, link, schrift);
        pruefen(lage.left() >= 0 && lage.top() >= 0, "Linklage links oder über dem Text");
    }
    return 0;
}
