// The reference of the start-up measurement: a bare Qt Widgets window of the splash's size.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget fenster;
    fenster.setWindowTitle(QStringLiteral("Leeres Fenster"));
    fenster.resize(632, 453);
    fenster.show();
    return app.exec();
}
