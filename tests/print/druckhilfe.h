#pragma once

// Helpers for the printing tests: a stand-in for the main window, and a look at the PDF files
// the printouts write (pdfinfo, pdftoppm and pdftotext of poppler-utils).

#include "model/tageszahl.h"
#include "widgets/planfenster.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QSizeF>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <vector>

// The main window as far as the printout needs it: day cells from a Monday on.
class TestFenster final : public PlanFenster
{
public:
    explicit TestFenster(int wochen, QDate montag = QDate(2026, 3, 2))
    {
        for (int i = 0; i < 7 * wochen; ++i) {
            TagDaten tag(Tageszahl::ausDatum(montag.addDays(i)));
            tage.push_back(tag);
        }
    }

    Plan& plan() override { return m_plan; }
    bool AufgabeVerschieben(qint32, qint32, double) override { return true; }
    void ZustandSichern() override {}
    void KalenderNeuAufbauen() override {}
    void KalenderAktualisieren() override {}
    double ErsterTag() const override { return tage.empty() ? 0 : tage.front().Datum; }
    double LetzterTag() const override { return tage.empty() ? 0 : tage.back().Datum; }
    std::vector<const TagDaten*> TagDatenListe() const override
    {
        std::vector<const TagDaten*> liste;
        for (const TagDaten& t : tage)
            liste.push_back(&t);
        return liste;
    }
    QWidget* Fenster() override { return nullptr; }

    std::vector<TagDaten> tage;

private:
    Plan m_plan;
};

inline QString Ausfuehren(const QString& programm, const QStringList& argumente, bool* ok = nullptr)
{
    QProcess p;
    p.start(programm, argumente);
    const bool fertig =
        p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (ok)
        *ok = fertig;
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct PdfInfo
{
    int seiten = -1;
    QSizeF groesse; // points, of the first page
};

inline PdfInfo PdfLesen(const QString& datei)
{
    PdfInfo info;
    bool ok = false;
    const QString text = Ausfuehren(QStringLiteral("pdfinfo"), {datei}, &ok);
    if (!ok)
        return info;
    const auto seiten = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(text);
    if (seiten.hasMatch())
        info.seiten = seiten.captured(1).toInt();
    const auto groesse =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(text);
    if (groesse.hasMatch())
        info.groesse = QSizeF(groesse.captured(1).toDouble(), groesse.captured(2).toDouble());
    return info;
}

// The size of every page in points.
inline QList<QSizeF> PdfSeitengroessen(const QString& datei)
{
    const QString text = Ausfuehren(QStringLiteral("pdfinfo"),
                                    {QStringLiteral("-f"), QStringLiteral("1"),
                                     QStringLiteral("-l"), QStringLiteral("9999"), datei});
    QList<QSizeF> groessen;
    const QRegularExpression muster(
        QStringLiteral("Page\\s+\\d+ size:\\s+([\\d.]+) x ([\\d.]+) pts"));
    for (auto it = muster.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        groessen << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    return groessen;
}

// Page `seite` (from 1) drawn at `dpi` (whole page, from the paper's corner).
inline QImage PdfBild(const QString& datei, int dpi, int seite = 1)
{
    QTemporaryDir ordner;
    const QString stamm = ordner.filePath(QStringLiteral("seite"));
    bool ok = false;
    Ausfuehren(QStringLiteral("pdftoppm"),
               {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                QString::number(seite), QStringLiteral("-l"), QString::number(seite),
                QStringLiteral("-singlefile"), QStringLiteral("-png"), datei, stamm},
               &ok);
    if (!ok)
        return {};
    return QImage(stamm + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

struct Wort
{
    QString text;
    QRectF kasten; // points
    int seite = 0; // from 1
};

// Words with their boxes, from pdftotext -bbox.
inline QList<Wort> PdfWoerter(const QString& datei)
{
    QTemporaryDir ordner;
    const QString html = ordner.filePath(QStringLiteral("w.html"));
    Ausfuehren(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), datei, html});
    QFile f(html);
    QList<Wort> woerter;
    if (!f.open(QIODevice::ReadOnly))
        return woerter;
    QXmlStreamReader xml(&f);
    int seite = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("page"))
            ++seite;
        if (xml.tokenType() == QXmlStreamReader::StartElement &&
            xml.name() == QLatin1String("word")) {
            const auto a = xml.attributes();
            const QPointF oben(a.value(QLatin1String("xMin")).toDouble(),
                               a.value(QLatin1String("yMin")).toDouble());
            const QPointF unten(a.value(QLatin1String("xMax")).toDouble(),
                                a.value(QLatin1String("yMax")).toDouble());
            woerter.push_back({xml.readElementText(), QRectF(oben, unten), seite});
        }
    }
    return woerter;
}

// The PDF files of a folder, by name.
inline QStringList PdfDateien(const QString& ordner)
{
    return QDir(ordner).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

inline bool FarbeNah(QRgb a, QColor b, int toleranz = 12)
{
    return qAbs(qRed(a) - b.red()) <= toleranz && qAbs(qGreen(a) - b.green()) <= toleranz &&
           qAbs(qBlue(a) - b.blue()) <= toleranz;
}
