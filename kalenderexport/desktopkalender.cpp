#include "kalenderexport/desktopkalender.h"

#include "model/uhr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

namespace {

constexpr QFile::Permissions NurBenutzer = QFile::ReadOwner | QFile::WriteOwner;

// Creates the file empty and readable by the user alone, so that the appointments written
// into it (Dateizugriff keeps the mode of the file it replaces) never lie open.
void PrivatAnlegen(const QString& pfad)
{
    QFile datei(pfad);
    if (datei.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        datei.close();
    datei.setPermissions(NurBenutzer);
}

} // namespace

Desktopkalender::Desktopkalender() : m_kontext(std::make_unique<QObject>()) {}

Desktopkalender::~Desktopkalender() = default;

void Desktopkalender::Oeffnen()
{
    if (Offen())
        return;
    const QString ordner = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (ordner.isEmpty() || !QDir().mkpath(ordner) ||
        !QFile::setPermissions(ordner, NurBenutzer | QFile::ExeOwner))
        throw KalenderFehler(
            QStringLiteral("Der Ordner „%1“ für die Termindatei konnte nicht angelegt werden.")
                .arg(QDir::toNativeSeparators(ordner)));

    // A new file per export: the desktop calendar may still be reading an earlier one.
    const QString stempel = Uhr::Jetzt().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString pfad = QDir(ordner).filePath(QStringLiteral("termine-%1.ics").arg(stempel));
    for (int i = 2; QFileInfo::exists(pfad); ++i)
        pfad = QDir(ordner).filePath(QStringLiteral("termine-%1-%2.ics").arg(stempel).arg(i));

    m_kalender.emplace();
    m_pfad = pfad;
    m_geschrieben = false;
}

void Desktopkalender::TerminEintragen(const Kalendertermin& termin)
{
    if (!Offen())
        throw KalenderFehler(QStringLiteral("Es besteht keine Verbindung zum Kalender."));
    m_kalender->TerminHinzufuegen(termin);
    try {
        if (!m_geschrieben)
            PrivatAnlegen(m_pfad);
        m_kalender->Schreiben(m_pfad);
    } catch (...) {
        // The file still holds the appointments before this one; so must the document.
        m_kalender->LetztenEntfernen();
        throw;
    }
    m_geschrieben = true;
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

Uebergabeergebnis Gescheitert(const QString& pfad, const QString& grund)
{
    return {Uebergabeergebnis::Art::Gescheitert, pfad,
            QStringLiteral("Die Termindatei „%1“ konnte nicht an das Kalenderprogramm übergeben "
                           "werden.\n%2\nDie Datei bleibt erhalten; Sie können sie in Ihrem "
                           "Kalenderprogramm selbst öffnen.")
                .arg(QDir::toNativeSeparators(pfad), grund)};
}

} // namespace

void Desktopkalender::Schliessen(std::function<void(const Uebergabeergebnis&)> fertig)
{
    const bool uebergeben = Offen() && m_geschrieben;
    m_kalender.reset();
    const QString pfad = m_pfad;
    const int frist = m_uebergabeFristMs;
    // Everything from here runs in the event loop, the answer included.
    QTimer::singleShot(
        0, m_kontext.get(),
        [kontext = m_kontext.get(), uebergeben, pfad, frist, fertig = std::move(fertig)] {
            if (!uebergeben) {
                fertig({Uebergabeergebnis::Art::Uebergeben, {}, {}});
                return;
            }
            if (!QFileInfo::exists(pfad)) {
                fertig(Gescheitert(pfad, QStringLiteral("Die Datei ist nicht vorhanden.")));
                return;
            }
            // Owned by the application: a handler still busy at the time limit is left running.
            auto* xdgOpen = new QProcess(QCoreApplication::instance());
            // Nothing of ours is held by a handler that outlives the program.
            xdgOpen->setStandardInputFile(QProcess::nullDevice());
            xdgOpen->setStandardOutputFile(QProcess::nullDevice());
            xdgOpen->setStandardErrorFile(QProcess::nullDevice());
            auto* zeitgrenze = new QTimer(kontext);
            zeitgrenze->setSingleShot(true);
            // Called once: the first of xdg-open's end, its failure to start and the time limit.
            auto ende = std::make_shared<std::function<void(const Uebergabeergebnis&)>>(
                [zeitgrenze, fertig](const Uebergabeergebnis& e) {
                    zeitgrenze->stop();
                    zeitgrenze->deleteLater();
                    fertig(e);
                });
            auto einmal = [ende](const Uebergabeergebnis& e) {
                if (auto f = std::exchange(*ende, nullptr))
                    f(e);
            };
            QObject::connect(xdgOpen, &QProcess::finished, kontext, [xdgOpen, pfad, einmal] {
                const QString grund = UebergabeGrund(*xdgOpen);
                einmal(grund.isEmpty()
                           ? Uebergabeergebnis{Uebergabeergebnis::Art::Uebergeben, pfad, {}}
                           : Gescheitert(pfad, grund));
            });
            QObject::connect(xdgOpen, &QProcess::errorOccurred, kontext,
                             [xdgOpen, pfad, einmal](QProcess::ProcessError fehler) {
                                 if (fehler == QProcess::FailedToStart)
                                     einmal(Gescheitert(pfad, UebergabeGrund(*xdgOpen)));
                             });
            QObject::connect(zeitgrenze, &QTimer::timeout, kontext, [pfad, einmal] {
                einmal({Uebergabeergebnis::Art::Offen, pfad, {}});
            });
            QObject::connect(xdgOpen, &QProcess::finished, xdgOpen, &QObject::deleteLater);
            QObject::connect(xdgOpen, &QProcess::errorOccurred, xdgOpen,
                             [xdgOpen](QProcess::ProcessError fehler) {
                                 if (fehler == QProcess::FailedToStart)
                                     xdgOpen->deleteLater();
                             });
            zeitgrenze->start(frist);
            xdgOpen->start(QStringLiteral("xdg-open"), {pfad});
        });
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

// The query of DesktopkalenderFragen: ended, never left behind, when its owner goes.
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

bool DesktopkalenderVorhanden()
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

void DesktopkalenderFragen(QObject* kontext, std::function<void(bool)> antwort)
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
