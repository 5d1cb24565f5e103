#include "dialogs/outlookapplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

void TOutlookApplication::Connect()
{
    if (Verbunden())
        return;
    const QString ordner = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (ordner.isEmpty() || !QDir().mkpath(ordner))
        throw KalenderFehler(
            QStringLiteral("Der Ordner „%1“ für die Termindatei konnte nicht angelegt werden.")
                .arg(QDir::toNativeSeparators(ordner)));

    // A new file per export: the desktop calendar may still be reading an earlier one.
    const QString stempel =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString pfad = QDir(ordner).filePath(QStringLiteral("termine-%1.ics").arg(stempel));
    for (int i = 2; QFileInfo::exists(pfad); ++i)
        pfad = QDir(ordner).filePath(QStringLiteral("termine-%1-%2.ics").arg(stempel).arg(i));

    m_kalender.emplace();
    m_pfad = pfad;
    m_geschrieben = false;
}

std::unique_ptr<TAppointmentItem> TOutlookApplication::CreateItem(int typ)
{
    if (!Verbunden())
        throw KalenderFehler(QStringLiteral("Es besteht keine Verbindung zum Kalender."));
    if (typ != olAppointmentItem)
        throw KalenderFehler(
            QStringLiteral("Der Kalender kennt keine Einträge der Art %1.").arg(typ));
    return std::make_unique<TAppointmentItem>(*this);
}

void TOutlookApplication::Disconnect()
{
    if (!Verbunden())
        return;
    try {
        Quit();
    } catch (...) {
        m_kalender.reset();
        throw;
    }
    m_kalender.reset();
}

namespace {

// Why xdg-open did not hand the file over, by its exit status; empty when it did.
QString UebergabeGrund(const QProcess& xdgOpen)
{
    if (xdgOpen.error() == QProcess::FailedToStart)
        return QStringLiteral("Das Programm xdg-open ist nicht vorhanden.");
    if (xdgOpen.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("Das Programm xdg-open wurde abgebrochen.");
    switch (xdgOpen.exitCode()) {
    case 0:
        return {};
    case 2:
        return QStringLiteral("Die Datei ist nicht vorhanden.");
    case 3:
        return QStringLiteral("Für Kalenderdateien ist kein Programm eingerichtet.");
    default:
        return QStringLiteral("Das Kalenderprogramm ließ sich nicht starten oder meldete einen "
                              "Fehler (xdg-open endete mit dem Status %1).")
            .arg(xdgOpen.exitCode());
    }
}

} // namespace

void TOutlookApplication::Quit()
{
    // Every Save has written the complete file; what is left is the hand-over.
    if (!Verbunden() || !m_geschrieben)
        return;
    QString grund;
    if (!QFileInfo::exists(m_pfad))
        grund = QStringLiteral("Die Datei ist nicht vorhanden.");
    else
        grund = Uebergeben(m_pfad);
    if (!grund.isEmpty())
        throw KalenderFehler(QStringLiteral("Die Termindatei „%1“ konnte nicht an das "
                                            "Kalenderprogramm übergeben werden.\n%2\n"
                                            "Die Datei bleibt erhalten; Sie können sie in Ihrem "
                                            "Kalenderprogramm selbst öffnen.")
                                 .arg(QDir::toNativeSeparators(m_pfad), grund));
}

QString TOutlookApplication::Uebergeben(const QString& pfad) const
{
    // Owned by the application: a handler still busy at the time limit is left running.
    auto* xdgOpen = new QProcess(QCoreApplication::instance());
    // Nothing of ours is held by a handler that outlives the program.
    xdgOpen->setStandardInputFile(QProcess::nullDevice());
    xdgOpen->setStandardOutputFile(QProcess::nullDevice());
    xdgOpen->setStandardErrorFile(QProcess::nullDevice());
    xdgOpen->start(QStringLiteral("xdg-open"), {pfad});
    if (!xdgOpen->waitForStarted(m_uebergabeFristMs) ||
        xdgOpen->waitForFinished(m_uebergabeFristMs) || xdgOpen->state() == QProcess::NotRunning) {
        QString grund = UebergabeGrund(*xdgOpen);
        delete xdgOpen;
        return grund;
    }
    // Without a desktop of its own xdg-open runs the handler and waits for it; a calendar
    // program that opened the file and stays open is a hand-over that worked.
    QObject::connect(xdgOpen, &QProcess::finished, xdgOpen, &QObject::deleteLater);
    if (!xdgOpen->parent()) {
        xdgOpen->kill();
        xdgOpen->waitForFinished(1000);
        delete xdgOpen;
    }
    return {};
}

void TOutlookApplication::TerminSpeichern(const QString& betreff, const QString& text,
                                          const Ortszeit& start, const Ortszeit& ende)
{
    if (!Verbunden())
        throw KalenderFehler(QStringLiteral("Es besteht keine Verbindung zum Kalender."));
    m_kalender->TerminHinzufuegen(betreff, text, start, ende);
    try {
        m_kalender->Schreiben(m_pfad);
    } catch (...) {
        // The file still holds the appointments before this one; so must the document.
        m_kalender->LetztenEntfernen();
        throw;
    }
    m_geschrieben = true;
}

QByteArray TOutlookApplication::Zeitzone() const
{
    return m_kalender ? m_kalender->Zeitzone() : KalenderZeitzone();
}

TAppointmentItem::TAppointmentItem(TOutlookApplication& anwendung) : m_anwendung(anwendung) {}

namespace {

Ortszeit Gueltig(const Ortszeit& zeit, const QString& betreff)
{
    if (!zeit.gueltig())
        throw KalenderFehler(
            QStringLiteral("Der Termin „%1“ hat kein gültiges Datum.").arg(betreff));
    return zeit;
}

} // namespace

void TAppointmentItem::setStart(double tag)
{
    m_start = Gueltig(OrtszeitAusTageszahl(tag), m_subject);
}

void TAppointmentItem::setStart(const QDateTime& moment)
{
    m_start = Gueltig(OrtszeitAusMoment(moment, m_anwendung.Zeitzone()), m_subject);
}

void TAppointmentItem::setEnd(double tag)
{
    m_end = Gueltig(OrtszeitAusTageszahl(tag), m_subject);
}

void TAppointmentItem::setEnd(const QDateTime& moment)
{
    m_end = Gueltig(OrtszeitAusMoment(moment, m_anwendung.Zeitzone()), m_subject);
}

void TAppointmentItem::Save()
{
    m_anwendung.TerminSpeichern(m_subject, m_body, m_start, m_end);
}

namespace {

// Desktop file IDs may stand for files in subfolders: "kde4-korganizer.desktop" is
// "kde4/korganizer.desktop".
bool DesktopEintragVorhanden(QString id)
{
    for (;;) {
        if (!QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id).isEmpty())
            return true;
        const qsizetype strich = id.indexOf(QLatin1Char('-'));
        if (strich < 0)
            return false;
        id[strich] = QLatin1Char('/');
    }
}

// Whether xdg-mime's answer names a desktop entry that exists.
bool KalenderprogrammGenannt(const QByteArray& ausgabe)
{
    const QStringList zeilen =
        QString::fromLocal8Bit(ausgabe).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& zeile : zeilen) {
        // xdg-mime may name several entries separated by ';'.
        const QStringList eintraege = zeile.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString& e : eintraege) {
            const QString id = e.trimmed();
            if (id.endsWith(QLatin1String(".desktop")) && DesktopEintragVorhanden(id))
                return true;
        }
    }
    return false;
}

const QString XdgMime = QStringLiteral("xdg-mime");
const QStringList XdgMimeFrage{QStringLiteral("query"), QStringLiteral("default"),
                               QStringLiteral("text/calendar")};

// The query of OutlookVerfuegbarFragen: ended, never left behind, when its owner goes.
class Desktopabfrage final : public QProcess
{
public:
    using QProcess::QProcess;
    ~Desktopabfrage() override
    {
        if (state() != NotRunning) {
            blockSignals(true); // the owner is going: its answer is no longer wanted
            kill();
            waitForFinished(1000);
        }
    }
};

} // namespace

bool OutlookVerfuegbar()
{
    QProcess abfrage;
    abfrage.setProcessChannelMode(QProcess::SeparateChannels);
    abfrage.start(XdgMime, XdgMimeFrage);
    if (!abfrage.waitForStarted(2000))
        return false;
    // A hanging desktop query must not hold up the program.
    if (!abfrage.waitForFinished(3000)) {
        abfrage.kill();
        abfrage.waitForFinished(1000);
        return false;
    }
    if (abfrage.exitStatus() != QProcess::NormalExit || abfrage.exitCode() != 0)
        return false;
    return KalenderprogrammGenannt(abfrage.readAllStandardOutput());
}

void OutlookVerfuegbarFragen(QObject* kontext, std::function<void(bool)> antwort)
{
    auto* abfrage = new Desktopabfrage(kontext);
    auto* frist = new QTimer(abfrage);
    frist->setSingleShot(true);
    // Called once: the first of answer, failure to start and time limit wins.
    auto melden = [abfrage, frist, antwort = std::move(antwort)](bool verfuegbar) {
        QObject::disconnect(abfrage, nullptr, nullptr, nullptr);
        QObject::disconnect(frist, nullptr, nullptr, nullptr);
        abfrage->deleteLater();
        antwort(verfuegbar);
    };
    QObject::connect(abfrage, &QProcess::finished, kontext,
                     [abfrage, melden](int code, QProcess::ExitStatus status) {
                         melden(status == QProcess::NormalExit && code == 0 &&
                                KalenderprogrammGenannt(abfrage->readAllStandardOutput()));
                     });
    QObject::connect(abfrage, &QProcess::errorOccurred, kontext,
                     [melden](QProcess::ProcessError fehler) {
                         if (fehler == QProcess::FailedToStart)
                             melden(false);
                     });
    QObject::connect(frist, &QTimer::timeout, kontext, [melden] { melden(false); });
    abfrage->setProcessChannelMode(QProcess::SeparateChannels);
    frist->start(5000);
    abfrage->start(XdgMime, XdgMimeFrage);
}
