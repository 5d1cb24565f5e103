#include "widgets/dateidialog.h"

#include "widgets/meldung.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

const QString TDateiDialog::OrdnerFehlt =
    QStringLiteral("Der Ordner „%1“ existiert nicht.\nBitte wählen Sie einen vorhandenen Ordner.");

TDateiDialog::TDateiDialog(QWidget* eltern) : QFileDialog(eltern)
{
    // The dialog's own widgets, on every desktop, so both rules below always hold.
    setOption(QFileDialog::DontUseNativeDialog);
}

TDateiDialog::~TDateiDialog() = default;

void TDateiDialog::accept()
{
    if (acceptMode() == QFileDialog::AcceptSave) {
        const QStringList dateien = selectedFiles();
        if (!dateien.isEmpty()) {
            const QFileInfo datei(dateien.constFirst());
            if (!datei.isDir() && !QFileInfo(datei.absolutePath()).isDir()) {
                Meldung(this, MeldungsArt::Warnung,
                        OrdnerFehlt.arg(QDir::toNativeSeparators(datei.absolutePath())), OK);
                return;
            }
        }
    }
    QFileDialog::accept();
}

void TDateiDialog::done(int ergebnis)
{
    // Without its field the completer neither shows its list nor starts it again later; the
    // field takes it back when it gets the focus at the next showing.
    const auto felder = findChildren<QLineEdit*>();
    for (QLineEdit* feld : felder) {
        if (QCompleter* c = feld->completer()) {
            c->popup()->hide();
            c->setWidget(nullptr);
        }
    }
    QFileDialog::done(ergebnis);
}
