#include "model/einstellungsdatei.h"

#include "model/planfelder.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kAllgemein = Planfelder::Allgemein.toString();
const QString kFiles = QStringLiteral("files");

// A path in a message on one line: a stray line break becomes a blank.
QString einzeilig(QString text)
{
    for (QChar& c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return text;
}

} // namespace

bool EinstellungenAblegen(TBigIniFile& ini, const QString& pfad, QString* fehler)
{
    // No settings file (no home folder): the settings live in memory only.
    if (pfad.isEmpty())
        return true;
    const QString ordner = QFileInfo(pfad).absolutePath();
    if (!QDir().mkpath(ordner)) {
        if (fehler)
            *fehler =
                QStringLiteral("Der Ordner „%1“ für die Einstellungen kann nicht angelegt werden.")
                    .arg(QDir::toNativeSeparators(ordner));
        return false;
    }
    return ini.Speichern(fehler);
}

Einstellungen EinstellungenLesen(const QString& pfad)
{
    const TBigIniFile ini(pfad);
    Einstellungen e;
    e.fensteroben = ini.ReadInteger(kAllgemein, u"fensteroben", -1);
    e.fensterlinks = ini.ReadInteger(kAllgemein, u"fensterlinks", -1);
    e.fensterbreite = ini.ReadInteger(kAllgemein, u"fensterbreite", -1);
    e.fensterhoehe = ini.ReadInteger(kAllgemein, u"fensterhoehe", -1);
    e.zuletztGespeichert = ini.ReadString(kFiles, u"lastsaved", QString());
    return e;
}

bool LastsavedSchreiben(const QString& pfad, const QString& plan, QString* fehler)
{
    TBigIniFile ini(pfad);
    if (!ini.WriteString(kFiles, u"lastsaved", plan)) {
        if (fehler)
            *fehler = QStringLiteral("Der Pfad „%1“ lässt sich nicht in den Einstellungen ablegen.")
                          .arg(einzeilig(plan));
        return false;
    }
    return EinstellungenAblegen(ini, pfad, fehler);
}

bool FensterSchreiben(const QString& pfad, const QRect& fenster, QString* fehler)
{
    TBigIniFile ini(pfad);
    ini.WriteInteger(kAllgemein, u"fensteroben", fenster.top());
    ini.WriteInteger(kAllgemein, u"fensterlinks", fenster.left());
    ini.WriteInteger(kAllgemein, u"fensterbreite", fenster.width());
    ini.WriteInteger(kAllgemein, u"fensterhoehe", fenster.height());
    return EinstellungenAblegen(ini, pfad, fehler);
}
