#pragma once

#include <QDialog>

class QLabel;
class QScrollArea;

// Lists the order relations a move would break; only ever ends with Cancel.
class TReihenfolge final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TReihenfolge)

public:
    explicit TReihenfolge(QWidget* eltern = nullptr);

    void KonflikteZeigen(const QStringList& zeilen);
    QString KonfliktText() const;

private:
    QLabel* m_label1;
    QScrollArea* m_scrollBox;
};
