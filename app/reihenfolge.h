#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;
class TQvImageButton;

// Lists the order relations a move would break. Ends with Cancel, or, where moving the
// dependants along is offered and possible, with Accepted after "Abhängige Aufgaben
// mitverschieben".
class TReihenfolge final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TReihenfolge)

public:
    explicit TReihenfolge(QWidget* eltern = nullptr);

    static const QString NichtPlatzierbarText;

    // Shows the lines; offers no moving along until MitverschiebenAnbieten.
    void KonflikteZeigen(const QStringList& zeilen);
    // Offers "Abhängige Aufgaben mitverschieben". Tasks that could not be placed are listed
    // below the conflicts when it is clicked, and the dialog stays open; otherwise the click
    // closes it with Accepted.
    void MitverschiebenAnbieten(const QStringList& nichtPlatzierbar);
    QString KonfliktText() const;

protected:
    void showEvent(QShowEvent* ereignis) override;

private:
    void MitverschiebenButtonClick();
    void TextSetzen(const QString& text);

    QLabel* m_label1;
    QPushButton* m_abbrechen;
    QScrollArea* m_scrollBox;
    TQvImageButton* m_mitverschieben = nullptr; // object name "MitverschiebenButton"
    QStringList m_zeilen;
    QStringList m_nichtPlatzierbar;
};
