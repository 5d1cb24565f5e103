#pragma once

// Answers modal windows in GUI tests the way a user would.
//
// A modal box or dialog runs its own event loop, so the test cannot answer it after the
// call that opens it. Queue the answers before that call; the helper polls every 20 ms
// for QApplication::activeModalWidget(), lets a callback inspect the window and then
// presses a button, a key, or leaves the answer to the callback:
//
//     ModalHelfer helfer;
//     QString text;
//     helfer.Druecke(QStringLiteral("knopf_ok"), [&](QWidget* w) {
//         text = qobject_cast<QMessageBox*>(w)->text();
//     });
//     dialog.WeiterButtonClick();                       // opens the box and waits
//     QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
//     QCOMPARE(text, QStringLiteral("Die gewählten Daten …"));
//
// Steps run in the order queued; each waits for a modal window that matches its filter
// (object name or class name, e.g. "meldung" or "QMessageBox"; empty = any). A step
// that opens a further modal window from its callback or button (a dialog whose button
// shows a message box) is fine: the next step answers that window from inside the
// nested event loop. A step that finds no matching window within the time limit
// (5 seconds unless told otherwise) marks the helper failed, stops, and closes the
// modal window then open, if any, so the test fails instead of hanging.
//
// A Mache() callback must itself close the window (or leave it to the next step).
// To make sure that no box appears, queue Taste(Qt::Key_Escape) and expect
// Beantwortet() == 0 afterwards; a box that did appear is answered instead of blocking.
// Abwarten() spins the event loop for windows opened without a blocking call (open()).
//
// Keep the helper alive until the opening call has returned; check Erledigt() afterwards.
// Callbacks may use QVERIFY/QCOMPARE: a failed check leaves the callback early, the
// button is pressed all the same, and QtTest reports the failure.

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <utility>

class ModalHelfer final
{
public:
    using Rueckruf = std::function<void(QWidget*)>;

    explicit ModalHelfer(int fristMs = 5000) : m_fristMs(fristMs)
    {
        m_timer->setInterval(20);
        QObject::connect(m_timer.get(), &QTimer::timeout, m_timer.get(), [this] { Pruefen(); });
    }
    ~ModalHelfer() { m_timer->stop(); }
    ModalHelfer(const ModalHelfer&) = delete;
    ModalHelfer& operator=(const ModalHelfer&) = delete;

    // Inspects the window with `pruefen`, then clicks the button whose object name, text, or
    // text without '&' is `knopf` ("knopf_ok", "OK", "&Ja" and "Ja" all work). Widgets that
    // are no QAbstractButton (the image buttons) are found by object name and get a mouse
    // click in their middle.
    ModalHelfer& Druecke(const QString& knopf, Rueckruf pruefen = {}, const QString& fenster = {})
    {
        return Anhaengen(
            {Schritt::Art::Knopf, knopf, Qt::Key_unknown, std::move(pruefen), fenster});
    }

    // Inspects the window, then types `taste` into its focus widget (Escape, Enter …).
    ModalHelfer& Taste(Qt::Key taste, Rueckruf pruefen = {}, const QString& fenster = {})
    {
        return Anhaengen({Schritt::Art::Taste, {}, taste, std::move(pruefen), fenster});
    }

    // The callback answers the window itself (sets fields, clicks, closes).
    ModalHelfer& Mache(Rueckruf aktion, const QString& fenster = {})
    {
        return Anhaengen({Schritt::Art::Selbst, {}, Qt::Key_unknown, std::move(aktion), fenster});
    }

    // True when every queued step has run and none failed.
    bool Erledigt() const
    {
        return m_fehler.isEmpty() && m_schritte.empty() && m_laeuft == 0 && !m_ausstehend;
    }
    bool Fehlgeschlagen() const { return !m_fehler.isEmpty(); }
    QString Fehler() const
    {
        if (!m_fehler.isEmpty() || Erledigt())
            return m_fehler;
        return QStringLiteral("%1 Schritt(e) nicht ausgeführt").arg(m_schritte.size());
    }
    int Beantwortet() const { return m_beantwortet; }

    // Spins the event loop until every step has run or failed (for windows opened
    // without a blocking call, e.g. open() or show()).
    bool Abwarten()
    {
        while ((!m_schritte.empty() || m_ausstehend || m_laeuft > 0) && m_fehler.isEmpty())
            QTest::qWait(20);
        return Erledigt();
    }

    // Visible top-level windows, for a cleanup() that checks nothing was left open.
    static QStringList OffeneFenster()
    {
        QStringList offen;
        const auto fenster = QApplication::topLevelWidgets();
        for (const QWidget* w : fenster)
            if (w->isVisible())
                offen << Beschreibung(w);
        return offen;
    }

    // Finds a button in `fenster` by object name, text or text without '&', else any
    // widget by object name.
    static QWidget* KnopfSuchen(QWidget* fenster, const QString& knopf)
    {
        if (!fenster)
            return nullptr;
        const auto knoepfe = fenster->findChildren<QAbstractButton*>();
        for (auto* b : knoepfe)
            if (b->objectName() == knopf)
                return b;
        for (auto* b : knoepfe)
            if (b->text() == knopf)
                return b;
        QString ohne = knopf;
        ohne.remove(QLatin1Char('&'));
        for (auto* b : knoepfe)
            if (QString(b->text()).remove(QLatin1Char('&')) == ohne)
                return b;
        return fenster->findChild<QWidget*>(knopf);
    }

private:
    struct Schritt
    {
        enum class Art
        {
            Knopf,
            Taste,
            Selbst
        };
        Art art;
        QString knopf;
        Qt::Key taste;
        Rueckruf rueckruf;
        QString fenster;
    };

    ModalHelfer& Anhaengen(Schritt s)
    {
        if (m_schritte.empty() && m_laeuft == 0 && !m_ausstehend)
            m_frist.setRemainingTime(m_fristMs);
        m_schritte.push_back(std::move(s));
        if (m_fehler.isEmpty())
            m_timer->start();
        return *this;
    }

    static bool Passt(const QWidget* w, const QString& fenster)
    {
        return fenster.isEmpty() || w->objectName() == fenster ||
               w->inherits(fenster.toLatin1().constData());
    }

    void Pruefen()
    {
        if (m_schritte.empty() || !m_fehler.isEmpty() || m_ausstehend)
            return;
        QWidget* modal = QApplication::activeModalWidget();
        const Schritt& naechster = m_schritte.front();
        if (!modal || !modal->isVisible() || !Passt(modal, naechster.fenster)) {
            if (m_frist.hasExpired())
                Aufgeben(modal, naechster);
            return;
        }

        // The answer runs from a timer of its own: Qt does not fire a timer again while its
        // handler is still running, and an answer may open the next window in a nested
        // event loop that this poll must keep watching.
        m_ausstehend = true;
        auto schritt = std::make_shared<Schritt>(std::move(m_schritte.front()));
        m_schritte.pop_front();
        QTimer::singleShot(0, m_timer.get(), [this, schritt, fenster = QPointer<QWidget>(modal)] {
            m_ausstehend = false;
            Ausfuehren(*schritt, fenster);
        });
    }

    void Ausfuehren(const Schritt& s, QPointer<QWidget> fenster)
    {
        m_frist.setRemainingTime(m_fristMs);
        if (!fenster) {
            Scheitern(QStringLiteral("Das modale Fenster verschwand, bevor es beantwortet wurde"),
                      nullptr);
            return;
        }
        ++m_beantwortet;
        ++m_laeuft;
        if (s.rueckruf)
            s.rueckruf(fenster);
        if (fenster) {
            switch (s.art) {
            case Schritt::Art::Knopf:
                if (QWidget* k = KnopfSuchen(fenster, s.knopf);
                    k && k->isEnabled() && k->isVisible()) {
                    if (auto* b = qobject_cast<QAbstractButton*>(k))
                        b->click();
                    else
                        QTest::mouseClick(k, Qt::LeftButton, {}, k->rect().center());
                } else
                    Scheitern(
                        QStringLiteral("Knopf „%1“ in %2 nicht gefunden, gesperrt oder verborgen")
                            .arg(s.knopf, Beschreibung(fenster)),
                        fenster);
                break;
            case Schritt::Art::Taste: {
                QWidget* ziel = QApplication::focusWidget();
                if (!ziel || (ziel != fenster && !fenster->isAncestorOf(ziel)))
                    ziel = fenster;
                QTest::keyClick(ziel, s.taste);
                break;
            }
            case Schritt::Art::Selbst:
                break;
            }
        }
        --m_laeuft;
        if (m_schritte.empty() && m_laeuft == 0)
            m_timer->stop();
    }

    void Aufgeben(QWidget* modal, const Schritt& s)
    {
        Scheitern(QStringLiteral("Kein passendes modales Fenster%1 erschienen (offen: %2)")
                      .arg(s.fenster.isEmpty() ? QString() : QStringLiteral(" „%1“").arg(s.fenster),
                           modal ? Beschreibung(modal) : QStringLiteral("keines")),
                  modal);
    }

    void Scheitern(const QString& grund, QWidget* offen)
    {
        if (m_fehler.isEmpty())
            m_fehler = grund;
        m_schritte.clear();
        m_timer->stop();
        // Close what is open so the blocking call returns and the test can report.
        if (auto* dialog = qobject_cast<QDialog*>(offen))
            dialog->reject();
        else if (offen)
            offen->close();
    }

    static QString Beschreibung(const QWidget* w)
    {
        return QStringLiteral("%1 %2 „%3“")
            .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(),
                 w->windowTitle());
    }

    std::unique_ptr<QTimer> m_timer = std::make_unique<QTimer>();
    std::deque<Schritt> m_schritte;
    QDeadlineTimer m_frist;
    QString m_fehler;
    int m_fristMs;
    int m_beantwortet = 0;
    int m_laeuft = 0;          // answers running, nested ones included
    bool m_ausstehend = false; // an answer is scheduled but has not started yet
};
