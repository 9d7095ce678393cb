#include "abacuswindow.h"

#include "abacuslayout.h"
#include "beadcanvas.h"
#include "dialoglayouts.h"
#include "digitbox.h"
#include "digitkeyfilter.h"
#include "secondarywindow.h"

#include <QApplication>
#include <QIcon>

namespace tallino {

AbacusWindow::AbacusWindow(QWidget *parent)
    : QWidget(parent), core_(*this),
      errorDialog_([] { return new SecondaryWindow(errordialog::window()); }),
      about_([] { return new SecondaryWindow(about::window()); })
{
    // The drawing goes first, so that every control lies above it.
    canvas_ = new BeadCanvas(core_, this);
    const WindowDescription &described = abacus::window();
    const std::vector<QWidget *> controls =
        buildWindow(this, described, [this](const ControlDescription &button) { pressed(button); });
    canvas_->setGeometry(rect());
    canvas_->lower();
    setWindowIcon(QIcon(QStringLiteral(":/tallino.xpm")));
    auto *keyFilter = new DigitKeyFilter(this);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlDescription &control = described.controls[i];
        if (control.kind != ControlKind::DigitBox)
            continue;
        auto *box = static_cast<DigitBox *>(controls[i]);
        box->installEventFilter(keyFilter);
        connect(
            box, &QLineEdit::textEdited, this, [this, place = control.place](const QString &text) {
                core_.edit(place, text.toStdString());
            });
        boxes_[indexOf(control.place)] = box;
    }
    centreOnScreen(this);
}

void AbacusWindow::pressed(const ControlDescription &button)
{
    switch (button.command) {
    case Command::Step:
        core_.step(button.place, button.delta);
        break;
    case Command::OpenAbout:
        about_.show();
        break;
    case Command::Quit: // nothing to save or ask: the number lives only on the screen
        QCoreApplication::quit();
        break;
    default:
        break;
    }
}

void AbacusWindow::textWritten(Place place, std::string_view text)
{
    boxes_[indexOf(place)]->showText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void AbacusWindow::beadsSet(Place, int)
{
    canvas_->beadsChanged();
}

void AbacusWindow::errorRequested()
{
    errorDialog_.show();
}

} // namespace tallino
