#include "errordialog.h"

#include "twips.h"
#include "windowsupport.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace tallino {

namespace {

// Escape must not close it: the child has to press "OK" (or use Enter, Space, the close box).
class ErrorDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Escape) {
            event->accept();
            return;
        }
        QDialog::keyPressEvent(event);
    }
};

const QString message = QStringLiteral("PUOI INSERIRE SOLO NUMERI") + QString(9, u' ')
    + QStringLiteral("COMPRESI TRA 0 E 9");

} // namespace

QWidget *createErrorDialog()
{
    auto *dialog = new ErrorDialog;
    dialog->setObjectName(QStringLiteral("dialog"));
    dialog->setWindowTitle(QStringLiteral("ERRORE"));
    makeFixedWindow(dialog, WindowKind::Tool, twipsSize(6030, 1890));

    auto *ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(twipsRect(600, 1440, 5055, 375));
    ok->setDefault(false);
    ok->setAutoDefault(true); // Enter presses it while it has the focus, as it always does here
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setAccessibleDescription(QStringLiteral("Chiude l'avviso e torna al tallino"));
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);

    auto *label = new QLabel(message, dialog);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(twipsRect(720, 360, 4575, 855));
    label->setFont(pointFont("MS Sans Serif", 13.5, true));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);

    ok->setFocus();
    return dialog;
}

} // namespace tallino
