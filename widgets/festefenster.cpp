#include "widgets/festefenster.h"

#include <QWidget>

void FesteGroesseMarkieren(QWidget* fenster)
{
    fenster->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                            Qt::MSWindowsFixedSizeDialogHint);
}
