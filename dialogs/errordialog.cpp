#include "errordialog.h"

#include "windowsupport.h"

#include <QLabel>
#include <QPushButton>

namespace tallino {

namespace {

namespace layout {
constexpr FontSpec messageFont { "MS Sans Serif", 13.5, true };
constexpr TwipsRect client { 0, 0, 6030, 1890 };
constexpr Control okButton { "OKButton", { 600, 1440, 5055, 375 }, 0 };
constexpr Control message { "Label1", { 720, 360, 4575, 855 }, 1 };
} // namespace layout

const QString message = QStringLiteral("PUOI INSERIRE SOLO NUMERI") + QString(9, u' ')
    + QStringLiteral("COMPRESI TRA 0 E 9");

} // namespace

// A plain window rather than a dialog, so that Escape does nothing: the child has to answer
// with "OK" (or Enter, Space, the close box).
QWidget *createErrorDialog()
{
    auto *dialog = new QWidget;
    makeFixedWindow(dialog, "dialog", QStringLiteral("ERRORE"), WindowKind::Tool, layout::client);

    QPushButton *ok =
        addOkButton(dialog, layout::okButton, QStringLiteral("Chiude l'avviso e torna al tallino"));
    ok->setAutoDefault(true); // Enter presses it while it has the focus, as it always does here
    addTextLabel(dialog, layout::message, message)->setFont(fontOf(layout::messageFont));
    return dialog;
}

} // namespace tallino
