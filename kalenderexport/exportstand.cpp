#include "kalenderexport/exportstand.h"

#include "kalenderexport/terminuid.h"
#include "model/dateizugriff.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

constexpr qint64 GroessteDatei = 1 << 20; // a few thousand tasks; anything larger is not ours

// What a calendar shows of the appointment: a change of any of it is a new revision.
QByteArray Fingerabdruck(const Kalendertermin& t)
{
    QCryptographicHash h(QCryptographicHash::Sha1);
    for (const QString& teil :
         {t.Betreff, t.Text, t.Start.Datum.toString(Qt::ISODate), t.Start.Zeit.toString(),
          t.Ende.Datum.toString(Qt::ISODate), t.Ende.Zeit.toString()}) {
        h.addData(teil.toUtf8());
        h.addData(QByteArrayView("\x1f", 1));
    }
    return h.result().toHex();
}

} // namespace

Exportstand::Exportstand(const QString& ordner, const QString& planId) : m_planId(planId)
{
    if (planId.isEmpty())
        return;
    // The ID comes from the plan file: only its letters and digits make the file's name.
    QString name = planId;
    name.removeIf([](QChar c) { return !(c.isLetterOrNumber() || c == QLatin1Char('-')); });
    m_pfad = QDir(ordner).filePath(QStringLiteral("export-%1.txt").arg(name.left(64)));
    QFile datei(m_pfad);
    if (datei.size() > GroessteDatei || !datei.open(QIODevice::ReadOnly))
        return;
    // One line per task: number, SEQUENCE, LAST-MODIFIED (ISO, UTC), fingerprint.
    const QList<QByteArray> zeilen = datei.readAll().split('\n');
    for (const QByteArray& zeile : zeilen) {
        const QList<QByteArray> teile = zeile.trimmed().split(' ');
        if (teile.size() != 4)
            continue;
        bool nummerOk = false;
        bool sequenzOk = false;
        const qint32 nummer = teile[0].toInt(&nummerOk);
        const int sequenz = teile[1].toInt(&sequenzOk);
        QDateTime geaendert = QDateTime::fromString(QString::fromLatin1(teile[2]), Qt::ISODate);
        if (!nummerOk || !sequenzOk || sequenz < 0 || !geaendert.isValid())
            continue;
        m_staende.insert(nummer, {sequenz, geaendert.toUTC(), teile[3]});
    }
}

int Exportstand::Zeitfolge(const QDateTime& jetzt)
{
    static const QDateTime anfang(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    return static_cast<int>(std::clamp<qint64>(anfang.secsTo(jetzt) / 60, 0, 0x7fffffff));
}

Terminkennung Exportstand::Kennung(qint32 nummer, const Kalendertermin& termin,
                                   const QDateTime& jetzt)
{
    if (m_planId.isEmpty())
        return {};
    const QByteArray abdruck = Fingerabdruck(termin);
    auto it = m_staende.find(nummer);
    if (it == m_staende.end()) {
        it = m_staende.insert(nummer, {Zeitfolge(jetzt), jetzt.toUTC(), abdruck});
    } else if (it->fingerabdruck != abdruck) {
        it->sequenz = std::max(it->sequenz + 1, Zeitfolge(jetzt));
        it->geaendert = jetzt.toUTC();
        it->fingerabdruck = abdruck;
    }
    return {TerminUid(m_planId, nummer), it->sequenz, it->geaendert};
}

bool Exportstand::Speichern(QString* fehler) const
{
    if (m_pfad.isEmpty())
        return true;
    QByteArray text;
    QList<qint32> nummern = m_staende.keys();
    std::sort(nummern.begin(), nummern.end());
    for (qint32 n : nummern) {
        const Stand& s = m_staende.value(n);
        text += QByteArray::number(n) + ' ' + QByteArray::number(s.sequenz) + ' ' +
                s.geaendert.toString(Qt::ISODate).toLatin1() + ' ' + s.fingerabdruck + '\n';
    }
    if (!QFile::exists(m_pfad)) {
        // Created the user's alone; the replacement keeps the mode.
        QFile neu(m_pfad);
        if (neu.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            neu.close();
        neu.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    QString grund;
    if (Dateizugriff::Ersetzen(m_pfad, text, &grund))
        return true;
    if (fehler)
        *fehler = grund;
    return false;
}
