#include "model/plandatei.h"

#include "model/planschreiber.h"
#include "model/tageszahl.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

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

// What a plan may still hold while it is read, and how many values were cut.
struct Vorrat
{
    qsizetype zeilen = Plangrenzen::ZeilenGesamt;
    qsizetype vorher = Plangrenzen::VorherGesamt;
    int schnitte = 0;
};

// TextZuZeilen for a value in the store, without copying it first. A value never holds a
// line break (the store splits lines there), so only '|' separates; a final one adds no line.
// Lines beyond what `vorrat` allows are dropped.
QStringList zeilenTeilen(QStringView text, Vorrat& vorrat)
{
    QStringList zeilen;
    const qsizetype n = text.size();
    qsizetype anfang = 0;
    while (anfang < n) {
        // indexOf searches many characters at a time; advice texts are long.
        qsizetype ende = text.indexOf(QLatin1Char('|'), anfang);
        if (ende < 0)
            ende = n;
        if (zeilen.size() == vorrat.zeilen) {
            ++vorrat.schnitte;
            break;
        }
        zeilen.append(text.sliced(anfang, ende - anfang).toString());
        anfang = ende + 1;
    }
    vorrat.zeilen -= zeilen.size();
    return zeilen;
}

// At most `grenze` characters, never cutting a surrogate pair in two; counts a cut.
QStringView gekuerzt(QStringView text, qsizetype grenze, int* schnitte)
{
    if (text.size() <= grenze)
        return text;
    ++*schnitte;
    if (text[grenze - 1].isHighSurrogate())
        --grenze;
    return text.first(grenze);
}

// The keys of a task section in the file's order.
enum Schluessel
{
    kKurzbezeichnung,
    kBeschreibung,
    kNotiz,
    kDruckvorlage,
    kAusserhalbBuerozeit,
    kAuchSonntags,
    kVorher,
    kBeiAuszugsrenovierung,
    kBeiEinzugsrenovierung,
    kMitSpedition,
    kOhneSpedition,
    kVorgabeDauer,
    kTag,
    kStart,
    kDauer,
    kBenutzeraufgabe,
    kAnzahlSchluessel
};
constexpr std::array<QStringView, kAnzahlSchluessel> kSchluessel = {u"Kurzbezeichnung",
                                                                    u"Beschreibung",
                                                                    u"Notiz",
                                                                    u"Druckvorlage",
                                                                    u"ausserhalbBuerozeit",
                                                                    u"auchSonntags",
                                                                    u"vorher",
                                                                    u"beiAuszugsrenovierung",
                                                                    u"beiEinzugsrenovierung",
                                                                    u"mitSpedition",
                                                                    u"ohneSpedition",
                                                                    u"vorgabeDauer",
                                                                    u"Tag",
                                                                    u"Start",
                                                                    u"Dauer",
                                                                    u"Benutzeraufgabe"};

// The values of a task section: of each key the first entry line, as the store finds it.
// One walk over the section's lines instead of a search per key.
struct Werte
{
    std::array<QStringView, kAnzahlSchluessel> text{};
    std::array<bool, kAnzahlSchluessel> da{};

    Werte(const TBigIniFile& ini, qsizetype abschnitt)
    {
        if (abschnitt < 0)
            return;
        int offen = kAnzahlSchluessel;
        const qsizetype n = ini.ZeilenAnzahl(abschnitt);
        for (qsizetype z = 0; z < n && offen > 0; ++z) {
            qsizetype laenge = 0;
            const QStringView zeile = ini.Zeile(abschnitt, z, &laenge);
            if (laenge < 0)
                continue;
            const QStringView key = zeile.first(laenge);
            // Keys of equal length mostly differ in their first letter.
            const char16_t erstes = key.isEmpty() ? 0 : (key.front().unicode() | 0x20);
            for (int k = 0; k < kAnzahlSchluessel; ++k) {
                if (!da[k] && kSchluessel[k].size() == laenge &&
                    (erstes == (kSchluessel[k].front().unicode() | 0x20) ||
                     key.front().unicode() >= 0x80) &&
                    (kSchluessel[k] == key || TBigIniFile::GleichOhneFall(kSchluessel[k], key))) {
                    da[k] = true;
                    text[k] = zeile.sliced(laenge + 1);
                    --offen;
                    break;
                }
            }
        }
    }

    qint32 zahl(int k, qint32 vorgabe) const
    {
        qint32 wert = 0;
        return da[k] && TBigIniFile::ZahlLesen(text[k], &wert) ? wert : vorgabe;
    }
    bool ja(int k, bool vorgabe) const { return zahl(k, vorgabe ? 1 : 0) != 0; }
};

// AusDateiLesen on the values found, with values beyond Plangrenzen cut.
bool ausWertenLesen(taufgabe& a, const Werte& w, qint32 nummer, Vorrat& vorrat)
{
    int* schnitte = &vorrat.schnitte;
    a.Nummer = nummer;
    a.Kurzbezeichnung = gekuerzt(w.text[kKurzbezeichnung], Plangrenzen::Titel, schnitte).toString();
    a.Beschreibung =
        zeilenTeilen(gekuerzt(w.text[kBeschreibung], Plangrenzen::Text, schnitte), vorrat);
    a.Notiz = zeilenTeilen(gekuerzt(w.text[kNotiz], Plangrenzen::Text, schnitte), vorrat);
    a.Druckvorlage = w.zahl(kDruckvorlage, 0);
    a.ausserhalbBuerozeit = w.ja(kAusserhalbBuerozeit, true);
    a.auchSonntags = w.ja(kAuchSonntags, true);
    bool vorherGekuerzt = false;
    a.vorher =
        VorherLesen(w.text[kVorher], std::min(Plangrenzen::Vorher, vorrat.vorher), &vorherGekuerzt);
    vorrat.vorher -= a.vorher.size();
    *schnitte += vorherGekuerzt ? 1 : 0;
    a.beiAuszugsrenovierung = w.ja(kBeiAuszugsrenovierung, true);
    a.beiEinzugsrenovierung = w.ja(kBeiEinzugsrenovierung, true);
    a.mitSpedition = w.ja(kMitSpedition, true);
    a.ohneSpedition = w.ja(kOhneSpedition, true);
    a.mitKindern = false;
    a.vorgabeDauer = w.zahl(kVorgabeDauer, 0);
    double tag = 0;
    if (tagLesen(w.da[kTag] ? w.text[kTag] : QStringView(u"01.01.1999"), &tag))
        a.Tag = tag;
    else
        a.Tag = Tageszahl::jetzt();
    a.Start = w.zahl(kStart, 0);
    a.Dauer = w.zahl(kDauer, 0);
    a.Benutzeraufgabe = w.ja(kBenutzeraufgabe, false);
    return a.Kurzbezeichnung.isEmpty();
}

QString tagText(double tag)
{
    char16_t zeichen[10];
    return QString(reinterpret_cast<const QChar*>(zeichen), TagZeichen(tag, zeichen));
}

// The settings folder of a new user does not exist yet.
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

} // namespace

bool InDateiSchreiben(const taufgabe& a, TBigIniFile& ini)
{
    const QString s = QString::number(a.Nummer);
    const bool ok = ini.WriteString(s, u"Kurzbezeichnung", einzeilig(a.Kurzbezeichnung)) &&
                    ini.WriteString(s, u"Beschreibung", alsZeilenText(a.Beschreibung)) &&
                    ini.WriteString(s, u"Notiz", alsZeilenText(a.Notiz)) &&
                    ini.WriteInteger(s, u"Druckvorlage", a.Druckvorlage) &&
                    ini.WriteBool(s, u"ausserhalbBuerozeit", a.ausserhalbBuerozeit) &&
                    ini.WriteBool(s, u"auchSonntags", a.auchSonntags) &&
                    ini.WriteString(s, u"vorher", NummernText(a.vorher)) &&
                    ini.WriteBool(s, u"beiAuszugsrenovierung", a.beiAuszugsrenovierung) &&
                    ini.WriteBool(s, u"beiEinzugsrenovierung", a.beiEinzugsrenovierung) &&
                    ini.WriteBool(s, u"mitSpedition", a.mitSpedition) &&
                    ini.WriteBool(s, u"ohneSpedition", a.ohneSpedition) &&
                    ini.WriteInteger(s, u"vorgabeDauer", a.vorgabeDauer) &&
                    ini.WriteString(s, u"Tag", tagText(a.Tag)) &&
                    ini.WriteInteger(s, u"Start", a.Start) &&
                    ini.WriteInteger(s, u"Dauer", a.Dauer) &&
                    ini.WriteBool(s, u"Benutzeraufgabe", a.Benutzeraufgabe);
    return !ok;
}

bool AusDateiLesen(taufgabe& a, const TBigIniFile& ini, qint32 nummer)
{
    Vorrat vorrat;
    return ausWertenLesen(a, Werte(ini, ini.AbschnittIndex(QString::number(nummer))), nummer,
                          vorrat);
}

QList<qint32> VorherLesen(QStringView text)
{
    return VorherLesen(text, std::numeric_limits<qsizetype>::max(), nullptr);
}

QList<qint32> VorherLesen(QStringView text, qsizetype hoechstens, bool* gekuerzt)
{
    QList<qint32> nummern;
    if (gekuerzt)
        *gekuerzt = false;
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
        if (nummern.size() >= hoechstens) {
            if (gekuerzt)
                *gekuerzt = true;
            break;
        }
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
    if (nummern.size() > hoechstens) {
        nummern.resize(hoechstens);
        if (gekuerzt)
            *gekuerzt = true;
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

bool PlanLaden(const QString& pfad, Aufgabenliste& aufgaben, Situation& situation,
               Ladebericht* bericht)
{
    // What a killed save of this plan left beside it goes when the plan is opened again.
    Dateizugriff::ZwischendateienNeben(pfad);
    const TBigIniFile ini(pfad);
    if (bericht)
        bericht->stand = ini.Stand();
    return PlanLaden(ini, aufgaben, situation, bericht);
}

bool PlanLaden(const TBigIniFile& ini, Aufgabenliste& aufgaben, Situation& situation,
               Ladebericht* bericht)
{
    QString* grund = bericht ? &bericht->grund : nullptr;
    const QString datei =
        ini.Pfad().isEmpty()
            ? QStringLiteral("Die Daten")
            : QStringLiteral("Die Datei „%1“").arg(QDir::toNativeSeparators(ini.Pfad()));
    auto scheitern = [&](const QString& text) {
        if (grund)
            *grund = text;
        return false;
    };
    if (!ini.Lesefehler().isEmpty())
        return scheitern(ini.Lesefehler());
    const qsizetype anzahl = ini.AnzahlAbschnitte();
    if (anzahl == 0) {
        if (!ini.Pfad().isEmpty() && !ini.Stand().vorhanden)
            return scheitern(QStringLiteral("%1 gibt es nicht.").arg(datei));
        return scheitern(
            QStringLiteral("%1 enthält keinen Plan (keinen einzigen Abschnitt).").arg(datei));
    }

    std::vector<qint32> nummern(static_cast<size_t>(anzahl), -1);
    qsizetype aufgabenzahl = 0;
    for (qsizetype i = 0; i < anzahl; ++i) {
        qint32 nummer = 0;
        if (IstAufgabenabschnitt(ini.AbschnittSicht(i), &nummer)) {
            nummern[static_cast<size_t>(i)] = nummer;
            if (++aufgabenzahl > kGroessteAufgabenzahl)
                return scheitern(
                    QStringLiteral("%1 enthält mehr als %2 Aufgaben; so viele hat kein Plan.")
                        .arg(datei)
                        .arg(kGroessteAufgabenzahl));
        }
    }

    situation.BundeslandA = ini.ReadInteger(kAllgemein, u"BundeslandA", -1);
    situation.BundeslandB = ini.ReadInteger(kAllgemein, u"BundeslandB", -1);
    situation.Auszugsrenovierung = ini.ReadBool(kAllgemein, u"Auszugsrenovierung", true);
    situation.Einzugsrenovierung = ini.ReadBool(kAllgemein, u"Einzugsrenovierung", true);
    situation.Spedition = ini.ReadBool(kAllgemein, u"Spedition", false);
    situation.Kinder = ini.ReadBool(kAllgemein, u"Kinder", false);
    Vorrat vorrat;
    int& schnitte = vorrat.schnitte;
    QStringView datum;
    situation.Einzugdatum = ini.WertLesen(kAllgemein, u"Einzugdatum", &datum)
                                ? gekuerzt(datum, Plangrenzen::Titel, &schnitte).toString()
                                : QStringLiteral("01.01.2000");
    situation.Auszugdatum = ini.WertLesen(kAllgemein, u"Auszugdatum", &datum)
                                ? gekuerzt(datum, Plangrenzen::Titel, &schnitte).toString()
                                : QStringLiteral("01.01.2000");

    aufgaben.reserve(aufgaben.size() + static_cast<size_t>(aufgabenzahl));
    bool letzterFehlgeschlagen = false;
    for (qsizetype i = 0; i < anzahl; ++i) {
        const qint32 nummer = nummern[static_cast<size_t>(i)];
        if (nummer < 0) {
            letzterFehlgeschlagen = false;
            continue;
        }
        // A task reads the section named by its number in decimal: one written with leading
        // zeros names another section, or none.
        const QStringView name = ini.AbschnittSicht(i);
        const qsizetype quelle = name.size() == 1 || name.front() != QLatin1Char('0')
                                     ? i
                                     : ini.AbschnittIndex(QString::number(nummer));
        taufgabe aufgabe;
        letzterFehlgeschlagen = ausWertenLesen(aufgabe, Werte(ini, quelle), nummer, vorrat);
        aufgaben.push_back(std::move(aufgabe));
    }
    if (bericht)
        bericht->gekuerzt = schnitte;
    if (letzterFehlgeschlagen)
        return scheitern(QStringLiteral("Der Aufgabe %1 im letzten Abschnitt der Datei fehlt die "
                                        "Kurzbezeichnung.")
                             .arg(aufgaben.back().Nummer));
    return true;
}

bool PlanEintragen(TBigIniFile& ini, const Aufgabenliste& aufgaben, const Situation& s,
                   double firstday, int anzdays)
{
    const bool ok = ini.WriteInteger(kAllgemein, u"BundeslandA", s.BundeslandA) &&
                    ini.WriteInteger(kAllgemein, u"BundeslandB", s.BundeslandB) &&
                    ini.WriteInteger(kAllgemein, u"anzdays", anzdays) &&
                    ini.WriteInteger(kAllgemein, u"firstday", GanzerTag(firstday)) &&
                    ini.WriteBool(kAllgemein, u"Auszugsrenovierung", s.Auszugsrenovierung) &&
                    ini.WriteBool(kAllgemein, u"Einzugsrenovierung", s.Einzugsrenovierung) &&
                    ini.WriteBool(kAllgemein, u"Spedition", s.Spedition) &&
                    ini.WriteBool(kAllgemein, u"Kinder", s.Kinder) &&
                    ini.WriteString(kAllgemein, u"Einzugdatum", einzeilig(s.Einzugdatum)) &&
                    ini.WriteString(kAllgemein, u"Auszugdatum", einzeilig(s.Auszugdatum));
    if (!ok)
        return false;
    for (const taufgabe& a : aufgaben) {
        if (InDateiSchreiben(a, ini))
            return false;
    }
    return true;
}

bool PlanSchreiben(const QString& pfad, const Aufgabenliste& aufgaben, const Situation& situation,
                   double firstday, int anzdays, QString* fehler, Dateistand* stand)
{
    auto scheitern = [&](const QString& text) {
        if (fehler)
            *fehler = text;
        return false;
    };
    QByteArray bytes;
    if (!PlanBytes(aufgaben, situation, firstday, anzdays, &bytes)) {
        // A character outside Windows-1252: the store writes the whole file as UTF-8.
        TBigIniFile ini = TBigIniFile::ausBytes({});
        if (!PlanEintragen(ini, aufgaben, situation, firstday, anzdays))
            return scheitern(QStringLiteral("Der Plan ist zu groß, um ihn zu schreiben."));
        bytes = ini.Inhalt();
    }
    // What is written must open again.
    if (bytes.size() > TBigIniFile::GroessteDatei)
        return scheitern(QStringLiteral("Der Plan ist zu groß: Die Plandatei würde %1 MB groß, "
                                        "geöffnet werden nur Plandateien bis %2 MB.")
                             .arg(QString::number(double(bytes.size()) / (1024 * 1024), 'f', 1)
                                      .replace(u'.', u','))
                             .arg(TBigIniFile::GroessteDatei / 1024 / 1024));
    QString grund;
    if (!Dateizugriff::Ersetzen(pfad, bytes, &grund, stand))
        return scheitern(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2")
                             .arg(QDir::toNativeSeparators(pfad), grund));
    return true;
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

bool PlanDateiSpeichern(const QString& planPfad, const QString& einstellungsPfad,
                        const Aufgabenliste& aufgaben, const Situation& situation, double firstday,
                        int anzdays, QString* fehler, QString* einstellungsFehler,
                        Dateistand* stand)
{
    if (!PlanSchreiben(planPfad, aufgaben, situation, firstday, anzdays, fehler, stand))
        return false;
    if (fehler)
        fehler->clear();
    QString text;
    const bool gemerkt = LastsavedSchreiben(einstellungsPfad, planPfad, &text);
    if (einstellungsFehler)
        *einstellungsFehler = gemerkt ? QString() : text;
    return true;
}
