#include "errordialog.h"

#include "dialoglayouts.h"
#include "windowsupport.h"

#include <QLabel>
#include <QPushButton>

namespace tallino {

// A plain window rather than a dialog, so that Escape does nothing: the child has to answer
// with "OK" (or Enter, Space, the close box).
QWidget *createErrorDialog()
{
    using namespace errordialog;
    auto *dialog = new QWidget;
    makeFixedWindow(dialog, windowName, caption, WindowKind::Tool, client);

    QPushButton *ok = addOkButton(dialog, okButton, okSpoken);
    ok->setAutoDefault(true); // Enter presses it while it has the focus, as it always does here
    addTextLabel(dialog, message, text(messageText()))->setFont(fontOf(messageFont));
    return dialog;
}

} // namespace tallino
