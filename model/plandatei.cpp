#include "model/plandatei.h"

#include "model/tageszahl.h"

#include <QCoreApplication>
#include <QDate>

#include <cmath>

namespace {

const QString kAllgemein = QStringLiteral("allgemein");
const QString kFiles = QStringLiteral("files");

// More task sections than any plan can have; a file beyond it is refused rather than turned
// into millions of tasks.
constexpr qsizetype kGroessteAufgabenzahl = 100000;

bool istZeilenumbruch(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

bool hatZeilenumbruch(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

// Titles and date texts are single lines: a stray line break becomes a blank.
QString einzeilig(const QString& text)
{
    if (!hatZeilenumbruch(text))
        return text;
    QString ergebnis = text;
    for (QChar& c : ergebnis) {
        if (istZeilenumbruch(c))
            c = QLatin1Char(' ');
    }
    return ergebnis;
}

// The one-line form (ZeilenZuText, built in one piece), with a line break inside a line
// written as the '|' it becomes anyway when the file is read again.
QString alsZeilenText(const QStringList& zeilen)
{
    qsizetype groesse = 0;
    for (const QString& z : zeilen)
        groesse += z.size() + 1;
    QString text(groesse, Qt::Uninitialized);
    auto* ziel = reinterpret_cast<char16_t*>(text.data());
    bool umbruch = false;
    for (const QString& z : zeilen) {
        const auto* quelle = reinterpret_cast<const char16_t*>(z.constData());
        for (qsizetype i = 0; i < z.size(); ++i) {
            const char16_t c = quelle[i];
            umbruch |= c == u'\r' || c == u'\n';
            ziel[i] = c;
        }
        ziel += z.size();
        *ziel++ = u'|';
    }
    if (umbruch) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("|"));
        text.replace(QLatin1Char('\r'), QLatin1Char('|'));
        text.replace(QLatin1Char('\n'), QLatin1Char('|'));
    }
    return text;
}

int ziffer(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? c.unicode() - '0' : -1;
}

// "dd.mm.yyyy" as written by the program takes a short way; every other form goes through
// the program's general date reading.
bool tagLesen(QStringView text, double* tag)
{
    if (text.size() == 10 && text[2] == QLatin1Char('.') && text[5] == QLatin1Char('.')) {
        int z[8];
        const int stellen[8] = {0, 1, 3, 4, 6, 7, 8, 9};
        bool alleZiffern = true;
        for (int i = 0; i < 8; ++i) {
            z[i] = ziffer(text[stellen[i]]);
            alleZiffern = alleZiffern && z[i] >= 0;
        }
        if (alleZiffern) {
            const QDate d(z[4] * 1000 + z[5] * 100 + z[6] * 10 + z[7], z[2] * 10 + z[3],
                          z[0] * 10 + z[1]);
            if (!d.isValid())
                return false;
            *tag = Tageszahl::ausDatum(d);
            return true;
        }
    }
    return Tageszahl::ausText(text.toString(), tag);
}

// TextZuZeilen for a value in the store, without copying it first. A value never holds a
// line break (the store splits lines there), so only '|' separates; a final one adds no line.
QStringList zeilenLesen(const TBigIniFile& ini, QStringView abschnitt, QStringView schluessel)
{
    QStringView text;
    QStringList zeilen;
    if (!ini.WertLesen(abschnitt, schluessel, &text))
        return zeilen;
    const QChar* p = text.data();
    const qsizetype n = text.size();
    qsizetype anfang = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == QLatin1Char('|')) {
            zeilen.append(QString(p + anfang, i - anfang));
            anfang = i + 1;
        }
    }
    if (anfang < n)
        zeilen.append(QString(p + anfang, n - anfang));
    return zeilen;
}

// Tageszahl::Text without the cost of QString::arg, which shows in plans of thousands of
// tasks.
QString tagText(double tag)
{
    const QDate d = Tageszahl::zuDatum(tag);
    if (!d.isValid())
        return {};
    const int teile[3] = {d.day(), d.month(), d.year()};
    char16_t puffer[10] = {};
    auto zweistellig = [&](int wert, int pos) {
        puffer[pos] = char16_t(u'0' + wert / 10);
        puffer[pos + 1] = char16_t(u'0' + wert % 10);
    };
    zweistellig(teile[0], 0);
    puffer[2] = u'.';
    zweistellig(teile[1], 3);
    puffer[5] = u'.';
    zweistellig(teile[2] / 100, 6);
    zweistellig(teile[2] % 100, 8);
    return QString(reinterpret_cast<const QChar*>(puffer), 10);
}

qint32 ganzerTag(double tag)
{
    if (!std::isfinite(tag) || tag < -2147483648.0 || tag > 2147483647.0)
        return 0;
    return static_cast<qint32>(std::trunc(tag));
}

} // namespace

bool InDateiSchreiben(const taufgabe& a, TBigIniFile& ini)
{
    const QString s = QString::number(a.Nummer);
    const bool ok = ini.WriteString(s, u"Kurzbezeichnung", einzeilig(a.Kurzbezeichnung))
                    && ini.WriteString(s, u"Beschreibung", alsZeilenText(a.Beschreibung))
                    && ini.WriteString(s, u"Notiz", alsZeilenText(a.Notiz))
                    && ini.WriteInteger(s, u"Druckvorlage", a.Druckvorlage)
                    && ini.WriteBool(s, u"ausserhalbBuerozeit", a.ausserhalbBuerozeit)
                    && ini.WriteBool(s, u"auchSonntags", a.auchSonntags)
                    && ini.WriteString(s, u"vorher", NummernText(a.vorher))
                    && ini.WriteBool(s, u"beiAuszugsrenovierung", a.beiAuszugsrenovierung)
                    && ini.WriteBool(s, u"beiEinzugsrenovierung", a.beiEinzugsrenovierung)
                    && ini.WriteBool(s, u"mitSpedition", a.mitSpedition)
                    && ini.WriteBool(s, u"ohneSpedition", a.ohneSpedition)
                    && ini.WriteInteger(s, u"vorgabeDauer", a.vorgabeDauer)
                    && ini.WriteString(s, u"Tag", tagText(a.Tag))
                    && ini.WriteInteger(s, u"Start", a.Start)
                    && ini.WriteInteger(s, u"Dauer", a.Dauer)
                    && ini.WriteBool(s, u"Benutzeraufgabe", a.Benutzeraufgabe);
    return !ok;
}

bool AusDateiLesen(taufgabe& a, const TBigIniFile& ini, qint32 nummer)
{
    a.Nummer = nummer;
    const QString s = QString::number(nummer);
    a.Kurzbezeichnung = ini.ReadString(s, u"Kurzbezeichnung", QString());
    a.Beschreibung = zeilenLesen(ini, s, u"Beschreibung");
    a.Notiz = zeilenLesen(ini, s, u"Notiz");
    a.Druckvorlage = ini.ReadInteger(s, u"Druckvorlage", 0);
    a.ausserhalbBuerozeit = ini.ReadBool(s, u"ausserhalbBuerozeit", true);
    a.auchSonntags = ini.ReadBool(s, u"auchSonntags", true);
    QStringView text;
    a.vorher = ini.WertLesen(s, u"vorher", &text) ? VorherLesen(text) : QList<qint32>();
    a.beiAuszugsrenovierung = ini.ReadBool(s, u"beiAuszugsrenovierung", true);
    a.beiEinzugsrenovierung = ini.ReadBool(s, u"beiEinzugsrenovierung", true);
    a.mitSpedition = ini.ReadBool(s, u"mitSpedition", true);
    a.ohneSpedition = ini.ReadBool(s, u"ohneSpedition", true);
    a.mitKindern = false;
    a.vorgabeDauer = ini.ReadInteger(s, u"vorgabeDauer", 0);
    double tag = 0;
    if (tagLesen(ini.WertLesen(s, u"Tag", &text) ? text : QStringView(u"01.01.1999"), &tag))
        a.Tag = tag;
    else
        a.Tag = Tageszahl::jetzt();
    a.Start = ini.ReadInteger(s, u"Start", 0);
    a.Dauer = ini.ReadInteger(s, u"Dauer", 0);
    a.Benutzeraufgabe = ini.ReadBool(s, u"Benutzeraufgabe", false);
    return a.Kurzbezeichnung.isEmpty();
}

QList<qint32> VorherLesen(QStringView text)
{
    QList<qint32> nummern;
    const qsizetype n = text.size();
    auto leer = [&](qsizetype i) { return text[i].unicode() <= u' '; };
    auto hinzu = [&](QStringView eintrag) {
        qint32 wert = 0;
        nummern.append(TBigIniFile::ZahlLesen(eintrag, &wert) ? wert : -1);
    };
    qsizetype i = 0;
    while (i < n && leer(i))
        ++i;
    while (i < n) {
        if (text[i] == QLatin1Char('"')) {
            QString eintrag;
            ++i;
            while (i < n) {
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                        eintrag.append(QLatin1Char('"'));
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                eintrag.append(text[i]);
                ++i;
            }
            hinzu(eintrag);
        } else {
            const qsizetype anfang = i;
            while (i < n && !leer(i) && text[i] != QLatin1Char(','))
                ++i;
            hinzu(text.sliced(anfang, i - anfang));
        }
        while (i < n && leer(i))
            ++i;
        if (i < n && text[i] == QLatin1Char(',')) {
            if (i + 1 == n)
                hinzu(QStringView()); // a final comma ends an empty item
            do
                ++i;
            while (i < n && leer(i));
        }
    }
    return nummern;
}

bool IstAufgabenabschnitt(QStringView name, qint32* nummer)
{
    if (name.isEmpty())
        return false;
    qint64 wert = 0;
    for (const QChar c : name) {
        const int z = ziffer(c);
        if (z < 0)
            return false;
        wert = wert * 10 + z;
        if (wert > 2147483647LL)
            return false;
    }
    *nummer = static_cast<qint32>(wert);
    return true;
}

bool PlanLaden(const QString& pfad, Aufgabenliste& aufgaben, Situation& situation)
{
    const TBigIniFile ini(pfad);
    return PlanLaden(ini, aufgaben, situation);
}

bool PlanLaden(const TBigIniFile& ini, Aufgabenliste& aufgaben, Situation& situation)
{
    if (!ini.Lesefehler().isEmpty())
        return false;
    const qsizetype anzahl = ini.AnzahlAbschnitte();
    if (anzahl == 0)
        return false;

    std::vector<qint32> nummern(static_cast<size_t>(anzahl), -1);
    qsizetype aufgabenzahl = 0;
    for (qsizetype i = 0; i < anzahl; ++i) {
        qint32 nummer = 0;
        if (IstAufgabenabschnitt(ini.AbschnittName(i), &nummer)) {
            nummern[static_cast<size_t>(i)] = nummer;
            if (++aufgabenzahl > kGroessteAufgabenzahl)
                return false;
        }
    }

    situation.BundeslandA = ini.ReadInteger(kAllgemein, u"BundeslandA", -1);
    situation.BundeslandB = ini.ReadInteger(kAllgemein, u"BundeslandB", -1);
    situation.Auszugsrenovierung = ini.ReadBool(kAllgemein, u"Auszugsrenovierung", true);
    situation.Einzugsrenovierung = ini.ReadBool(kAllgemein, u"Einzugsrenovierung", true);
    situation.Spedition = ini.ReadBool(kAllgemein, u"Spedition", false);
    situation.Kinder = ini.ReadBool(kAllgemein, u"Kinder", false);
    situation.Einzugdatum = ini.ReadString(kAllgemein, u"Einzugdatum", QStringLiteral("01.01.2000"));
    situation.Auszugdatum = ini.ReadString(kAllgemein, u"Auszugdatum", QStringLiteral("01.01.2000"));

    aufgaben.reserve(aufgaben.size() + static_cast<size_t>(aufgabenzahl));
    bool letzterFehlgeschlagen = false;
    for (const qint32 nummer : nummern) {
        if (nummer < 0) {
            letzterFehlgeschlagen = false;
            continue;
        }
        taufgabe aufgabe;
        letzterFehlgeschlagen = AusDateiLesen(aufgabe, ini, nummer);
        aufgaben.push_back(std::move(aufgabe));
    }
    return !letzterFehlgeschlagen;
}

bool PlanEintragen(TBigIniFile& ini, const Aufgabenliste& aufgaben, const Situation& s,
                   double firstday, int anzdays)
{
    const bool ok = ini.WriteInteger(kAllgemein, u"BundeslandA", s.BundeslandA)
                    && ini.WriteInteger(kAllgemein, u"BundeslandB", s.BundeslandB)
                    && ini.WriteInteger(kAllgemein, u"anzdays", anzdays)
                    && ini.WriteInteger(kAllgemein, u"firstday", ganzerTag(firstday))
                    && ini.WriteBool(kAllgemein, u"Auszugsrenovierung", s.Auszugsrenovierung)
                    && ini.WriteBool(kAllgemein, u"Einzugsrenovierung", s.Einzugsrenovierung)
                    && ini.WriteBool(kAllgemein, u"Spedition", s.Spedition)
                    && ini.WriteBool(kAllgemein, u"Kinder", s.Kinder)
                    && ini.WriteString(kAllgemein, u"Einzugdatum", einzeilig(s.Einzugdatum))
                    && ini.WriteString(kAllgemein, u"Auszugdatum", einzeilig(s.Auszugdatum));
    if (!ok)
        return false;
    for (const taufgabe& a : aufgaben) {
        if (InDateiSchreiben(a, ini))
            return false;
    }
    return true;
}

bool PlanSchreiben(const QString& pfad, const Aufgabenliste& aufgaben, const Situation& situation,
                   double firstday, int anzdays, QString* fehler)
{
    TBigIniFile ini = TBigIniFile::Neu(pfad);
    if (!PlanEintragen(ini, aufgaben, situation, firstday, anzdays)) {
        if (fehler)
            *fehler = QStringLiteral("Der Plan ist zu groß, um ihn zu schreiben.");
        return false;
    }
    return ini.Speichern(fehler);
}

QString EinstellungsPfad()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/kistenlotse.ini");
}

Einstellungen EinstellungenLesen(const QString& pfad)
{
    const TBigIniFile ini(pfad);
    Einstellungen e;
    e.fensteroben = ini.ReadInteger(kAllgemein, u"fensteroben", -1);
    e.fensterlinks = ini.ReadInteger(kAllgemein, u"fensterlinks", -1);
    e.fensterbreite = ini.ReadInteger(kAllgemein, u"fensterbreite", -1);
    e.fensterhoehe = ini.ReadInteger(kAllgemein, u"fensterhoehe", -1);
    e.lastsaved = ini.ReadString(kFiles, u"lastsaved", QString());
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
    return ini.Speichern(fehler);
}

bool FensterSchreiben(const QString& pfad, const QRect& fenster, QString* fehler)
{
    TBigIniFile ini(pfad);
    ini.WriteInteger(kAllgemein, u"fensteroben", fenster.top());
    ini.WriteInteger(kAllgemein, u"fensterlinks", fenster.left());
    ini.WriteInteger(kAllgemein, u"fensterbreite", fenster.width());
    ini.WriteInteger(kAllgemein, u"fensterhoehe", fenster.height());
    return ini.Speichern(fehler);
}

bool PlanDateiSpeichern(const QString& planPfad, const QString& einstellungsPfad,
                        const Aufgabenliste& aufgaben, const Situation& situation,
                        double firstday, int anzdays, QString* fehler,
                        QString* einstellungsFehler)
{
    if (!PlanSchreiben(planPfad, aufgaben, situation, firstday, anzdays, fehler))
        return false;
    if (fehler)
        fehler->clear();
    QString text;
    const bool gemerkt = LastsavedSchreiben(einstellungsPfad, planPfad, &text);
    if (einstellungsFehler)
        *einstellungsFehler = gemerkt ? QString() : text;
    return true;
}
