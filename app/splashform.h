#pragma once

#include <QDialog>
#include <QTimer>

// The welcome window: closes with OK on a click, on Enter, Space or Escape, or after eight
// seconds; its close box gives Cancel, which ends the program.
class TSplashForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSplashForm)

public:
    static constexpr int Anzeigedauer = 8000; // milliseconds

    explicit TSplashForm(QWidget* eltern = nullptr);

    QTimer& Timer1() { return m_timer; }

protected:
    void showEvent(QShowEvent* ereignis) override;
    void mousePressEvent(QMouseEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void Schliessen();

    QTimer m_timer;
};
