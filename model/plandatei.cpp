#include "model/plandatei.h"

#include "model/planfelder.h"
#include "model/tageszahl.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <type_traits>
#include <variant>

namespace {

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

// The one-line form (ZeilenZuText), with a line break inside a line written as the '|' it
// becomes anyway when the file is read again.
QString alsZeilenText(const QStringList& zeilen)
{
    QString text = ZeilenZuText(zeilen);
    if (hatZeilenumbruch(text)) {
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

// The whole day of `tag` as the file's integer (0 when it does not fit).
qint32 ganzerTag(double tag)
{
    if (!std::isfinite(tag) || tag < -2147483648.0 || tag > 2147483647.0)
        return 0;
    return static_cast<qint32>(std::trunc(tag));
}

// The values of a task section: of each key of the table the first entry line, as the store
// finds it. One walk over the section's lines instead of a search per key.
struct Werte
{
    std::array<QStringView, Planfelder::Aufgabe.size()> text{};
    std::array<bool, Planfelder::Aufgabe.size()> da{};
    std::optional<QStringView> etag; // the calendar sync's entry
    std::optional<QStringView> hash;

    Werte(const TBigIniFile& ini, qsizetype abschnitt)
    {
        if (abschnitt < 0)
            return;
        const qsizetype n = ini.ZeilenAnzahl(abschnitt);
        for (qsizetype z = 0; z < n; ++z) {
            qsizetype laenge = 0;
            const QStringView zeile = ini.Zeile(abschnitt, z, &laenge);
            if (laenge < 0)
                continue;
            const QStringView key = zeile.first(laenge);
            const QStringView wert = zeile.sliced(laenge + 1);
            bool gefunden = false;
            for (size_t k = 0; k < Planfelder::Aufgabe.size() && !gefunden; ++k) {
                if (!da[k] && TBigIniFile::GleichOhneFall(Planfelder::Aufgabe[k].schluessel, key)) {
                    da[k] = true;
                    text[k] = wert;
                    gefunden = true;
                }
            }
            if (gefunden)
                continue;
            if (!etag && TBigIniFile::GleichOhneFall(Planfelder::AbgleichEtag, key))
                etag = wert;
            else if (!hash && TBigIniFile::GleichOhneFall(Planfelder::AbgleichHash, key))
                hash = wert;
        }
    }
};

// AufgabeLesen on the values found, with values beyond Plangrenzen cut. False when the
// title is missing or empty. The keys of values missing or unreadable go to *ergaenzt.
bool ausWertenLesen(taufgabe& a, const Werte& w, qint32 nummer, Vorrat& vorrat,
                    QStringList* ergaenzt)
{
    int* schnitte = &vorrat.schnitte;
    a.Nummer = nummer;
    a.mitKindern = false;
    for (size_t k = 0; k < Planfelder::Aufgabe.size(); ++k) {
        const Planfelder::Aufgabenfeld& feld = Planfelder::Aufgabe[k];
        const QStringView text = w.text[k];
        bool gelesen = w.da[k];
        std::visit(
            [&](auto ziel) {
                using Wert = std::remove_reference_t<decltype(a.*ziel)>;
                Wert& wert = a.*ziel;
                if constexpr (std::is_same_v<Wert, QString>) {
                    wert = gekuerzt(text, Plangrenzen::Titel, schnitte).toString();
                } else if constexpr (std::is_same_v<Wert, QStringList>) {
                    wert = zeilenTeilen(gekuerzt(text, Plangrenzen::Text, schnitte), vorrat);
                } else if constexpr (std::is_same_v<Wert, qint32> || std::is_same_v<Wert, bool>) {
                    qint32 zahl = 0;
                    gelesen = gelesen && TBigIniFile::ZahlLesen(text, &zahl);
                    if (!gelesen)
                        zahl = feld.vorgabe;
                    if constexpr (std::is_same_v<Wert, bool>)
                        wert = zahl != 0;
                    else
                        wert = zahl;
                } else if constexpr (std::is_same_v<Wert, QList<qint32>>) {
                    bool vorherGekuerzt = false;
                    wert = VorherLesen(text, std::min(Plangrenzen::Vorher, vorrat.vorher),
                                       &vorherGekuerzt);
                    vorrat.vorher -= wert.size();
                    if (vorherGekuerzt)
                        ++*schnitte;
                } else {
                    static_assert(std::is_same_v<Wert, double>);
                    double tag = 0;
                    gelesen = gelesen && Tageszahl::ausText(text.toString(), &tag);
                    wert = gelesen ? tag : std::numeric_limits<double>::quiet_NaN();
                }
            },
            feld.ziel);
        if (!gelesen && !feld.nurWennGesetzt && ergaenzt)
            ergaenzt->append(feld.schluessel.toString());
    }
    return !a.Kurzbezeichnung.isEmpty();
}

// "9 „Packen“" for the messages about a damaged file.
QString aufgabeGenannt(const taufgabe& a)
{
    constexpr qsizetype kLaenge = 60;
    QString titel = a.Kurzbezeichnung;
    if (titel.size() > kLaenge)
        titel = titel.first(kLaenge - 1) + QStringLiteral("…");
    return QStringLiteral("%1 „%2“").arg(a.Nummer).arg(titel);
}

// The first ten, then how many more.
QString aufzaehlen(const QStringList& namen)
{
    constexpr qsizetype kHoechstens = 10;
    QString text = namen.first(std::min(namen.size(), kHoechstens)).join(QStringLiteral(", "));
    if (namen.size() > kHoechstens)
        text += QStringLiteral(" und %1 weitere").arg(namen.size() - kHoechstens);
    return text;
}

QString hinweisText(const QString& datei, const Ladebericht& b)
{
    if (b.ohneTag.isEmpty() && b.ergaenzt.isEmpty())
        return {};
    QString text = QStringLiteral("%1 ist beschädigt.").arg(datei);
    const auto n = b.ohneTag.size();
    if (n == 1)
        text +=
            QStringLiteral("\nEine Aufgabe hat keinen gültigen Tag und wurde nicht geladen: %1.")
                .arg(aufzaehlen(b.ohneTag));
    else if (n > 1)
        text += QStringLiteral("\n%1 Aufgaben haben keinen gültigen Tag und wurden nicht geladen: "
                               "%2.")
                    .arg(n)
                    .arg(aufzaehlen(b.ohneTag));
    const auto m = b.ergaenzt.size();
    if (m == 1)
        text += QStringLiteral("\nBei einer Aufgabe fehlten Angaben, für die Vorgaben eingesetzt "
                               "wurden: %1.")
                    .arg(aufzaehlen(b.ergaenzt));
    else if (m > 1)
        text += QStringLiteral("\nBei %1 Aufgaben fehlten Angaben, für die Vorgaben eingesetzt "
                               "wurden: %2.")
                    .arg(m)
                    .arg(aufzaehlen(b.ergaenzt));
    if (n > 0)
        text += QStringLiteral("\nWenn Sie den Plan speichern, fehlen die nicht geladenen Aufgaben "
                               "darin. "
                               "Speichern Sie ihn unter einem neuen Namen, um die Datei zu "
                               "behalten.");
    return text;
}

// The calendar sync's keys in "allgemein": the calendar and the entries of deleted tasks.
void AbgleichKopfLesen(const TBigIniFile& ini, CalDavStand& abgleich)
{
    int schnitte = 0;
    for (const Planfelder::Abgleichfeld& feld : Planfelder::AbgleichKopf) {
        QStringView text;
        if (ini.WertLesen(Planfelder::Allgemein, feld.schluessel, &text))
            abgleich.*feld.ziel = gekuerzt(text, Plangrenzen::Text, &schnitte).toString();
    }
    const qsizetype abschnitt = ini.AbschnittIndex(Planfelder::Allgemein);
    if (abschnitt < 0)
        return;
    const QStringView praefix = Planfelder::AbgleichGeloescht;
    const qsizetype n = ini.ZeilenAnzahl(abschnitt);
    for (qsizetype z = 0; z < n; ++z) {
        qsizetype laenge = 0;
        const QStringView zeile = ini.Zeile(abschnitt, z, &laenge);
        if (laenge <= praefix.size() ||
            !TBigIniFile::GleichOhneFall(praefix, zeile.first(praefix.size())))
            continue;
        qint32 nummer = 0;
        if (IstAufgabenabschnitt(zeile.sliced(praefix.size(), laenge - praefix.size()), &nummer))
            abgleich.Eintraege.try_emplace(nummer,
                                           CalDavEintrag{zeile.sliced(laenge + 1).toString(), {}});
    }
}

bool AbgleichKopfEintragen(TBigIniFile& ini, const CalDavStand& abgleich,
                           const Aufgabenliste& aufgaben)
{
    for (const Planfelder::Abgleichfeld& feld : Planfelder::AbgleichKopf) {
        const QString& wert = abgleich.*feld.ziel;
        if (!wert.isEmpty() &&
            !ini.WriteString(Planfelder::Allgemein, feld.schluessel, einzeilig(wert)))
            return false;
    }
    QSet<qint32> nummern;
    for (const taufgabe& a : aufgaben)
        nummern.insert(a.Nummer);
    for (const auto& [nummer, eintrag] : abgleich.Eintraege) {
        if (nummern.contains(nummer))
            continue;
        const QString schluessel = Planfelder::AbgleichGeloescht + QString::number(nummer);
        if (!ini.WriteString(Planfelder::Allgemein, schluessel, einzeilig(eintrag.Etag)))
            return false;
    }
    return true;
}

} // namespace

bool AufgabeEintragen(const taufgabe& a, TBigIniFile& ini)
{
    const QString abschnitt = QString::number(a.Nummer);
    for (const Planfelder::Aufgabenfeld& feld : Planfelder::Aufgabe) {
        const bool ok = std::visit(
            [&](auto ziel) {
                using Wert = std::remove_cvref_t<decltype(a.*ziel)>;
                const Wert& wert = a.*ziel;
                if constexpr (std::is_same_v<Wert, QString>)
                    return ini.WriteString(abschnitt, feld.schluessel, einzeilig(wert));
                else if constexpr (std::is_same_v<Wert, QStringList>)
                    return ini.WriteString(abschnitt, feld.schluessel, alsZeilenText(wert));
                else if constexpr (std::is_same_v<Wert, qint32>)
                    return ini.WriteInteger(abschnitt, feld.schluessel, wert);
                else if constexpr (std::is_same_v<Wert, bool>)
                    return (feld.nurWennGesetzt && !wert) ||
                           ini.WriteBool(abschnitt, feld.schluessel, wert);
                else if constexpr (std::is_same_v<Wert, QList<qint32>>)
                    return ini.WriteString(abschnitt, feld.schluessel, NummernText(wert));
                else
                    return ini.WriteString(abschnitt, feld.schluessel, Tageszahl::Text(wert));
            },
            feld.ziel);
        if (!ok)
            return false;
    }
    return true;
}

bool AufgabeLesen(taufgabe& a, const TBigIniFile& ini, qint32 nummer, QStringList* ergaenzt)
{
    Vorrat vorrat;
    return ausWertenLesen(a, Werte(ini, ini.AbschnittIndex(QString::number(nummer))), nummer,
                          vorrat, ergaenzt);
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
               Ladebericht* bericht, CalDavStand* abgleich)
{
    // What a killed save of this plan left beside it goes when the plan is opened again.
    Dateizugriff::ZwischendateienNeben(pfad);
    const TBigIniFile ini(pfad);
    if (bericht)
        bericht->stand = ini.Stand();
    return PlanLaden(ini, aufgaben, situation, bericht, abgleich);
}

bool PlanLaden(const TBigIniFile& ini, Aufgabenliste& aufgaben, Situation& situation,
               Ladebericht* bericht, CalDavStand* abgleich)
{
    if (abgleich)
        *abgleich = {};
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

    Vorrat vorrat;
    int& schnitte = vorrat.schnitte;
    for (const Planfelder::Situationsfeld& feld : Planfelder::Kopf) {
        std::visit(
            [&](auto ziel) {
                if constexpr (!std::is_same_v<decltype(ziel), Planfelder::Spannenwert>) {
                    using Wert = std::remove_reference_t<decltype(situation.*ziel)>;
                    Wert& wert = situation.*ziel;
                    QStringView text;
                    const bool da = ini.WertLesen(Planfelder::Allgemein, feld.schluessel, &text);
                    if constexpr (std::is_same_v<Wert, QString>) {
                        wert = da ? gekuerzt(text, Plangrenzen::Titel, &schnitte).toString()
                                  : feld.textVorgabe.toString();
                    } else {
                        qint32 zahl = 0;
                        if (!da || !TBigIniFile::ZahlLesen(text, &zahl))
                            zahl = feld.vorgabe;
                        if constexpr (std::is_same_v<Wert, bool>)
                            wert = zahl != 0;
                        else
                            wert = zahl;
                    }
                }
            },
            feld.ziel);
    }

    aufgaben.reserve(aufgaben.size() + static_cast<size_t>(aufgabenzahl));
    Ladebericht ohneBericht;
    Ladebericht& b = bericht ? *bericht : ohneBericht;
    bool letzterFehlgeschlagen = false;
    qint32 letzteNummer = 0;
    // "[007]" after "[7]" names task 7 again: like a second "[7]", it is dropped and counted.
    QSet<qint32> gesehen;
    int doppelt = ini.DoppelteAbschnitte();
    for (qsizetype i = 0; i < anzahl; ++i) {
        const qint32 nummer = nummern[static_cast<size_t>(i)];
        if (nummer < 0 || gesehen.contains(nummer)) {
            doppelt += nummer < 0 ? 0 : 1;
            letzterFehlgeschlagen = false;
            continue;
        }
        gesehen.insert(nummer);
        // A task reads the section named by its number in decimal: one written with leading
        // zeros names another section, or none.
        const QStringView name = ini.AbschnittSicht(i);
        const qsizetype quelle = name.size() == 1 || name.front() != QLatin1Char('0')
                                     ? i
                                     : ini.AbschnittIndex(QString::number(nummer));
        taufgabe aufgabe;
        QStringList ergaenzt;
        const Werte werte(ini, quelle);
        letzterFehlgeschlagen = !ausWertenLesen(aufgabe, werte, nummer, vorrat, &ergaenzt);
        letzteNummer = nummer;
        // A task without its day is not loaded: no made-up day may place it in the calendar,
        // and saving must not write one as if it were real.
        if (!std::isfinite(aufgabe.Tag)) {
            b.ohneTag.append(aufgabeGenannt(aufgabe));
            continue;
        }
        if (!ergaenzt.isEmpty())
            b.ergaenzt.append(aufgabeGenannt(aufgabe) + QStringLiteral(" (") +
                              ergaenzt.join(QStringLiteral(", ")) + QLatin1Char(')'));
        if (abgleich && (werte.etag || werte.hash))
            abgleich->Eintraege[nummer] = {werte.etag.value_or(QStringView()).toString(),
                                           werte.hash.value_or(QStringView()).toLatin1()};
        aufgaben.push_back(std::move(aufgabe));
    }
    if (abgleich)
        AbgleichKopfLesen(ini, *abgleich);
    b.gekuerzt = schnitte + doppelt;
    b.hinweis = hinweisText(datei, b);
    if (letzterFehlgeschlagen)
        return scheitern(QStringLiteral("Der Aufgabe %1 im letzten Abschnitt der Datei fehlt die "
                                        "Kurzbezeichnung.")
                             .arg(letzteNummer));
    return true;
}

bool PlanEintragen(TBigIniFile& ini, const Aufgabenliste& aufgaben, const Situation& s,
                   double ersterTag, int tage, const CalDavStand* abgleich)
{
    if (abgleich && abgleich->Leer())
        abgleich = nullptr;
    for (const Planfelder::Situationsfeld& feld : Planfelder::Kopf) {
        const bool ok = std::visit(
            [&](auto ziel) {
                const QStringView k = feld.schluessel;
                if constexpr (std::is_same_v<decltype(ziel), Planfelder::Spannenwert>) {
                    return ziel == Planfelder::Spannenwert::Tage
                               ? ini.WriteInteger(Planfelder::Allgemein, k, tage)
                               : ini.WriteInteger(Planfelder::Allgemein, k, ganzerTag(ersterTag));
                } else {
                    using Wert = std::remove_cvref_t<decltype(s.*ziel)>;
                    if constexpr (std::is_same_v<Wert, QString>)
                        return (feld.nurWennGesetzt && (s.*ziel).isEmpty()) ||
                               ini.WriteString(Planfelder::Allgemein, k, einzeilig(s.*ziel));
                    else if constexpr (std::is_same_v<Wert, bool>)
                        return ini.WriteBool(Planfelder::Allgemein, k, s.*ziel);
                    else
                        return ini.WriteInteger(Planfelder::Allgemein, k, s.*ziel);
                }
            },
            feld.ziel);
        if (!ok)
            return false;
    }
    if (abgleich && !AbgleichKopfEintragen(ini, *abgleich, aufgaben))
        return false;
    for (const taufgabe& a : aufgaben) {
        if (!AufgabeEintragen(a, ini))
            return false;
        const auto eintrag = abgleich ? abgleich->Eintraege.find(a.Nummer)
                                      : std::map<qint32, CalDavEintrag>::const_iterator();
        if (abgleich && eintrag != abgleich->Eintraege.end()) {
            const QString abschnitt = QString::number(a.Nummer);
            if (!ini.WriteString(abschnitt, Planfelder::AbgleichEtag,
                                 einzeilig(eintrag->second.Etag)) ||
                !ini.WriteString(abschnitt, Planfelder::AbgleichHash,
                                 QString::fromLatin1(eintrag->second.Hash)))
                return false;
        }
    }
    return true;
}

bool PlanSchreiben(const QString& pfad, const Aufgabenliste& aufgaben, const Situation& situation,
                   double ersterTag, int tage, QString* fehler, Dateistand* stand,
                   const CalDavStand* abgleich)
{
    auto scheitern = [&](const QString& text) {
        if (fehler)
            *fehler = text;
        return false;
    };
    TBigIniFile ini = TBigIniFile::ausBytes({});
    if (!PlanEintragen(ini, aufgaben, situation, ersterTag, tage, abgleich))
        return scheitern(QStringLiteral("Der Plan ist zu groß, um ihn zu schreiben."));
    const QByteArray bytes = ini.Inhalt();
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

bool PlanDateiSpeichern(const QString& planPfad, const QString& einstellungsPfad,
                        const Aufgabenliste& aufgaben, const Situation& situation, double ersterTag,
                        int tage, QString* fehler, QString* einstellungsFehler, Dateistand* stand,
                        const CalDavStand* abgleich)
{
    if (!PlanSchreiben(planPfad, aufgaben, situation, ersterTag, tage, fehler, stand, abgleich))
        return false;
    if (fehler)
        fehler->clear();
    QString text;
    const bool gemerkt = LastsavedSchreiben(einstellungsPfad, planPfad, &text);
    if (einstellungsFehler)
        *einstellungsFehler = gemerkt ? QString() : text;
    return true;
}
