#include "kalenderexport/caldavxml.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString kDav = QStringLiteral("DAV:");
const QString kCalDav = QStringLiteral("urn:ietf:params:xml:ns:caldav");

int StatusAus(const QString& zeile)
{
    // "HTTP/1.1 404 Not Found"
    const QStringList teile = zeile.simplified().split(QLatin1Char(' '));
    bool ok = false;
    const int status = teile.size() >= 2 ? teile.at(1).toInt(&ok) : 0;
    return ok ? status : 0;
}

// Reads one property element (the reader stands on its start) with everything inside it.
DavEigenschaft EigenschaftLesen(QXmlStreamReader& xml)
{
    DavEigenschaft e;
    int tiefe = 0;
    while (!xml.atEnd()) {
        const auto art = xml.readNext();
        if (art == QXmlStreamReader::StartElement) {
            ++tiefe;
            if (tiefe == 1)
                e.Kinder << xml.name().toString();
            if (xml.name() == QLatin1String("href")) {
                e.Hrefs << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
                --tiefe;
            } else if (xml.name() == QLatin1String("comp")) {
                e.Komponenten << xml.attributes().value(QLatin1String("name")).toString();
            }
        } else if (art == QXmlStreamReader::EndElement) {
            if (tiefe == 0)
                break;
            --tiefe;
        } else if (art == QXmlStreamReader::Characters && tiefe == 0) {
            e.Text += xml.text();
        }
    }
    e.Text = e.Text.trimmed();
    return e;
}

void PropstatLesen(QXmlStreamReader& xml, DavAntwortteil& teil)
{
    QMap<QString, DavEigenschaft> gelesen;
    int status = 200;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("prop")) {
            while (xml.readNextStartElement())
                gelesen.insert(xml.name().toString(), EigenschaftLesen(xml));
        } else if (xml.name() == QLatin1String("status")) {
            status = StatusAus(xml.readElementText());
        } else {
            xml.skipCurrentElement();
        }
    }
    for (auto it = gelesen.begin(); it != gelesen.end(); ++it) {
        it->Status = status;
        teil.Eigenschaften.insert(it.key(), *it);
    }
}

DavAntwortteil AntwortLesen(QXmlStreamReader& xml)
{
    DavAntwortteil teil;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("href"))
            teil.Href = xml.readElementText().trimmed();
        else if (xml.name() == QLatin1String("status"))
            teil.Status = StatusAus(xml.readElementText());
        else if (xml.name() == QLatin1String("propstat"))
            PropstatLesen(xml, teil);
        else
            xml.skipCurrentElement();
    }
    return teil;
}

class Schreiber final
{
public:
    explicit Schreiber(const QString& wurzel, const QString& ns = kDav) : m_xml(&m_text)
    {
        m_xml.writeStartDocument();
        m_xml.writeNamespace(kDav, QStringLiteral("d"));
        m_xml.writeNamespace(kCalDav, QStringLiteral("c"));
        m_xml.writeStartElement(ns, wurzel);
    }
    QXmlStreamWriter& operator*() { return m_xml; }
    QXmlStreamWriter* operator->() { return &m_xml; }
    void Eigenschaften(const QList<QPair<QString, QString>>& namen)
    {
        m_xml.writeStartElement(kDav, QStringLiteral("prop"));
        for (const auto& [ns, name] : namen)
            m_xml.writeEmptyElement(ns, name);
        m_xml.writeEndElement();
    }
    QByteArray Ende()
    {
        m_xml.writeEndDocument();
        return m_text;
    }

private:
    QByteArray m_text;
    QXmlStreamWriter m_xml;
};

QByteArray Propfind(const QList<QPair<QString, QString>>& namen)
{
    Schreiber s(QStringLiteral("propfind"));
    s.Eigenschaften(namen);
    return s.Ende();
}

} // namespace

const DavEigenschaft* DavAntwortteil::Gefunden(const QString& name) const
{
    const auto it = Eigenschaften.constFind(name);
    return it != Eigenschaften.cend() && it->Status >= 200 && it->Status < 300 ? &*it : nullptr;
}

bool MultistatusLesen(const QByteArray& xml, DavMultistatus* ergebnis, QString* fehler)
{
    QXmlStreamReader leser(xml);
    DavMultistatus ms;
    bool wurzel = false;
    if (leser.readNextStartElement()) {
        wurzel = leser.name() == QLatin1String("multistatus");
        if (wurzel) {
            while (leser.readNextStartElement()) {
                if (leser.name() == QLatin1String("response"))
                    ms.Teile << AntwortLesen(leser);
                else if (leser.name() == QLatin1String("sync-token"))
                    ms.SyncToken = leser.readElementText().trimmed();
                else
                    leser.skipCurrentElement();
            }
        }
    }
    while (!leser.atEnd() && !leser.hasError())
        leser.readNext();
    if (leser.hasError() || !wurzel) {
        if (fehler)
            *fehler = leser.hasError()
                          ? QStringLiteral("Die Antwort des Servers ist kein gültiges XML "
                                           "(Fehler in Zeile %1).")
                                .arg(leser.lineNumber())
                          : QStringLiteral("Die Antwort des Servers ist keine WebDAV-Antwort "
                                           "(multistatus).");
        return false;
    }
    if (ergebnis)
        *ergebnis = std::move(ms);
    return true;
}

bool NenntVorbedingung(const QByteArray& xml, const QString& name)
{
    QXmlStreamReader leser(xml);
    while (!leser.atEnd()) {
        if (leser.readNext() == QXmlStreamReader::StartElement && leser.name() == name)
            return true;
    }
    return false;
}

namespace DavAnfrage {

QByteArray Erkunden()
{
    return Propfind({{kDav, QStringLiteral("resourcetype")},
                     {kDav, QStringLiteral("displayname")},
                     {kDav, QStringLiteral("current-user-principal")},
                     {kCalDav, QStringLiteral("calendar-home-set")}});
}

QByteArray KalenderListe()
{
    return Propfind({{kDav, QStringLiteral("displayname")},
                     {kDav, QStringLiteral("resourcetype")},
                     {kCalDav, QStringLiteral("supported-calendar-component-set")}});
}

QByteArray Etags()
{
    return Propfind({{kDav, QStringLiteral("getetag")}, {kDav, QStringLiteral("resourcetype")}});
}

QByteArray Synchronisieren(const QString& token)
{
    Schreiber s(QStringLiteral("sync-collection"));
    s->writeTextElement(kDav, QStringLiteral("sync-token"), token);
    s->writeTextElement(kDav, QStringLiteral("sync-level"), QStringLiteral("1"));
    s.Eigenschaften({{kDav, QStringLiteral("getetag")}});
    return s.Ende();
}

QByteArray Abholen(const QStringList& hrefs)
{
    Schreiber s(QStringLiteral("calendar-multiget"), kCalDav);
    s.Eigenschaften(
        {{kDav, QStringLiteral("getetag")}, {kCalDav, QStringLiteral("calendar-data")}});
    for (const QString& href : hrefs)
        s->writeTextElement(kDav, QStringLiteral("href"), href);
    return s.Ende();
}

QByteArray KalenderAnlegen(const QString& anzeigename)
{
    Schreiber s(QStringLiteral("mkcalendar"), kCalDav);
    s->writeStartElement(kDav, QStringLiteral("set"));
    s->writeStartElement(kDav, QStringLiteral("prop"));
    s->writeTextElement(kDav, QStringLiteral("displayname"), anzeigename);
    s->writeStartElement(kCalDav, QStringLiteral("supported-calendar-component-set"));
    s->writeEmptyElement(kCalDav, QStringLiteral("comp"));
    s->writeAttribute(QStringLiteral("name"), QStringLiteral("VEVENT"));
    s->writeEndElement();
    s->writeEndElement();
    s->writeEndElement();
    return s.Ende();
}

} // namespace DavAnfrage
