#include "dialogs/hilfefenster.h"

#include "model/ordner.h"
#include "widgets/meldung.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

// The help text. Tab walks the links of the page and Enter follows one; a screen reader, which
// reads the highlighted text, learns from the description that it is a link.
class Hilfetext final : public QTextBrowser
{
public:
    using QTextBrowser::QTextBrowser;

protected:
    bool focusNextPrevChild(bool weiter) override
    {
        const bool bleibt = QTextBrowser::focusNextPrevChild(weiter);
        VerweisBeschreiben();
        return bleibt;
    }
    void focusOutEvent(QFocusEvent* ereignis) override
    {
        QTextBrowser::focusOutEvent(ereignis);
        VerweisBeschreiben();
    }

private:
    void VerweisBeschreiben()
    {
        const QTextCursor auswahl = textCursor();
        QTextCursor innen(document());
        innen.setPosition(auswahl.selectionStart() + 1); // the format of its first character
        const bool verweis =
            hasFocus() && auswahl.hasSelection() && !innen.charFormat().anchorHref().isEmpty();
        setAccessibleDescription(verweis ? QStringLiteral("Verweis: ") + auswahl.selectedText()
                                         : QString());
    }
};

} // namespace

THilfeFenster::THilfeFenster(QWidget* eltern)
    : QWidget(eltern, Qt::Window), m_browser(new Hilfetext(this)),
      m_inhalt(new QPushButton(QStringLiteral("&Inhalt"), this)),
      m_zurueck(new QPushButton(QStringLiteral("&Zurück"), this)),
      m_vor(new QPushButton(QStringLiteral("&Vor"), this))
{
    setObjectName(QStringLiteral("hilfefenster"));
    setWindowTitle(QStringLiteral("Kistenlotse – Hilfe"));
    resize(760, 640);

    m_browser->setObjectName(QStringLiteral("hilfetext"));
    // Web addresses in the help go to the browser; the help's own links stay here.
    m_browser->setOpenExternalLinks(true);
    m_inhalt->setObjectName(QStringLiteral("knopf_inhalt"));
    m_zurueck->setObjectName(QStringLiteral("knopf_zurueck"));
    m_vor->setObjectName(QStringLiteral("knopf_vor"));
    auto* schliessen = new QPushButton(QStringLiteral("&Schließen"), this);
    schliessen->setObjectName(QStringLiteral("knopf_schliessen"));

    auto* leiste = new QHBoxLayout;
    leiste->addWidget(m_inhalt);
    leiste->addWidget(m_zurueck);
    leiste->addWidget(m_vor);
    leiste->addStretch(1);
    leiste->addWidget(schliessen);
    auto* spalte = new QVBoxLayout(this);
    spalte->addLayout(leiste);
    spalte->addWidget(m_browser, 1);

    m_zurueck->setEnabled(false);
    m_vor->setEnabled(false);
    connect(m_inhalt, &QPushButton::clicked, this, &THilfeFenster::InhaltZeigen);
    connect(m_zurueck, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_vor, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_zurueck, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_vor, &QPushButton::setEnabled);
    connect(schliessen, &QPushButton::clicked, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this] { m_browser->setAccessibleDescription(QString()); });
    setTabOrder(m_browser, m_inhalt);
    setTabOrder(m_inhalt, m_zurueck);
    setTabOrder(m_zurueck, m_vor);
    setTabOrder(m_vor, schliessen);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void THilfeFenster::Oeffnen(const QString& pfad)
{
    const QUrl datei = QUrl::fromLocalFile(pfad);
    if (datei == m_datei && m_browser->source().adjusted(QUrl::RemoveFragment) == m_datei) {
        InhaltZeigen();
        return;
    }
    m_datei = datei;
    m_browser->setSource(m_datei, QTextDocument::HtmlResource);
}

void THilfeFenster::InhaltZeigen()
{
    if (m_datei.isEmpty())
        return;
    QUrl inhalt = m_datei;
    inhalt.setFragment(QStringLiteral("index"));
    m_browser->setSource(inhalt, QTextDocument::HtmlResource);
    // The anchor sits in the heading; the contents begin at the very top.
    m_browser->verticalScrollBar()->setValue(0);
}

QString HilfeDatei()
{
    return Datendatei(QStringLiteral("kistenlotse-hilfe.html"));
}

void HilfeZeigen(QWidget* eltern)
{
    HilfeZeigen(eltern, HilfeDatei());
}

void HilfeZeigen(QWidget* eltern, const QString& pfad)
{
    QFile datei(pfad);
    if (!datei.exists()) {
        Meldung(eltern, MeldungsArt::Warnung,
                QStringLiteral("Die Hilfe kann nicht angezeigt werden: Die Hilfedatei „%1“ "
                               "wurde nicht gefunden.")
                    .arg(QDir::toNativeSeparators(pfad)));
        return;
    }
    if (!datei.open(QIODevice::ReadOnly) || datei.size() == 0) {
        Meldung(eltern, MeldungsArt::Warnung,
                QStringLiteral("Die Hilfe kann nicht angezeigt werden: Die Hilfedatei „%1“ "
                               "kann nicht gelesen werden.")
                    .arg(QDir::toNativeSeparators(pfad)));
        return;
    }
    datei.close();

    // One help window: a second click brings the open one back to its contents.
    THilfeFenster* fenster = nullptr;
    if (eltern) {
        fenster = eltern->findChild<THilfeFenster*>(QString(), Qt::FindDirectChildrenOnly);
    } else {
        const auto fensterliste = QApplication::topLevelWidgets();
        for (QWidget* w : fensterliste)
            if (auto* h = qobject_cast<THilfeFenster*>(w); h && !h->parent())
                fenster = h;
    }
    if (!fenster) {
        fenster = new THilfeFenster(eltern); // owned by `eltern`, or deletes itself on close
        if (!eltern)
            fenster->setAttribute(Qt::WA_DeleteOnClose);
    }
    fenster->Oeffnen(pfad);
    fenster->show();
    fenster->raise();
    fenster->activateWindow();
    // The reader starts in the text, from where Tab reaches the links.
    fenster->Browser()->setFocus(Qt::OtherFocusReason);
}
