#pragma once

#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

// The program's help: the help file beside the program in a window of its own that follows
// the file's internal links. One window at a time; it stays open beside the calendar. The text
// comes first in the tab order: Tab walks its links, Enter follows one, Escape closes.
class THilfeFenster final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(THilfeFenster)

public:
    explicit THilfeFenster(QWidget* eltern = nullptr);

    // Shows the help file `pfad` at its contents.
    void Oeffnen(const QString& pfad);
    // Back to the contents at the top of the file.
    void InhaltZeigen();

    QTextBrowser* Browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
    QPushButton* m_inhalt;
    QPushButton* m_zurueck;
    QPushButton* m_vor;
    QUrl m_datei;
};

// The file that holds the help, "kistenlotse-hilfe.html" beside the program or in the installed
// data.
QString HilfeDatei();

// Opens the help at its contents (the HilfeButton of the main window). A missing help file is
// reported in a message box.
void HilfeZeigen(QWidget* eltern);
// The same with the help file `pfad`.
void HilfeZeigen(QWidget* eltern, const QString& pfad);
