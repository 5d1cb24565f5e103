#include "model/abgleicheinstellungen.h"

#include "model/bigini.h"
#include "model/plandatei.h"

#include <QUrl>

namespace {

constexpr QStringView kAbschnitt = u"abgleich";
constexpr QStringView kZertifikate = u"zertifikate";

} // namespace

QString Zertifikatsserver(const QString& adresse)
{
    // A bare host means https, as in the sync dialog.
    const QString text = adresse.trimmed();
    const QUrl url(text.contains(QLatin1String("://")) ? text : QStringLiteral("https://") + text);
    if (url.host().isEmpty())
        return {};
    const int vorgabe = url.scheme() == QLatin1String("http") ? 80 : 443;
    return QStringLiteral("%1://%2:%3").arg(url.scheme(), url.host()).arg(url.port(vorgabe));
}

Abgleicheinstellungen AbgleicheinstellungenLesen(const QString& pfad, const QString& adresse)
{
    const TBigIniFile ini(pfad);
    Abgleicheinstellungen e;
    e.Adresse = ini.ReadString(kAbschnitt, u"Adresse", QString());
    e.Benutzer = ini.ReadString(kAbschnitt, u"Benutzer", QString());
    const QString server = Zertifikatsserver(adresse.isEmpty() ? e.Adresse : adresse);
    if (!server.isEmpty())
        e.VertrauteZertifikate = ini.ReadString(kZertifikate, server, QString())
                                     .split(QLatin1Char(','), Qt::SkipEmptyParts);
    return e;
}

bool AbgleicheinstellungenSchreiben(const QString& pfad, const Abgleicheinstellungen& e,
                                    QString* fehler)
{
    if (AbgleicheinstellungenLesen(pfad, e.Adresse) == e)
        return true;
    TBigIniFile ini(pfad);
    if (!ini.Lesefehler().isEmpty()) {
        if (fehler)
            *fehler = ini.Lesefehler();
        return false;
    }
    const QString server = Zertifikatsserver(e.Adresse);
    // A line break would end the value early and make a key of the rest.
    auto einzeilig = [](QString text) {
        return text.replace(QLatin1Char('\n'), u' ').replace(QLatin1Char('\r'), u' ');
    };
    bool ok = ini.WriteString(kAbschnitt, u"Adresse", einzeilig(e.Adresse)) &&
              ini.WriteString(kAbschnitt, u"Benutzer", einzeilig(e.Benutzer));
    if (ok && !server.isEmpty() &&
        (!e.VertrauteZertifikate.isEmpty() || !ini.ReadString(kZertifikate, server, {}).isEmpty()))
        ok = ini.WriteString(kZertifikate, server, e.VertrauteZertifikate.join(QLatin1Char(',')));
    if (!ok) {
        if (fehler)
            *fehler = QStringLiteral("Die Anmeldung für den Kalender lässt sich nicht in den "
                                     "Einstellungen ablegen.");
        return false;
    }
    return EinstellungenAblegen(ini, pfad, fehler);
}
