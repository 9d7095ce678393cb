#include "abacuswindow.h"

#include "abacuslayout.h"
#include "aboutdialog.h"
#include "beadcanvas.h"
#include "digitbox.h"
#include "digitkeyfilter.h"
#include "errordialog.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace tallino {

namespace {

void fillBackground(QWidget *widget, const Rgb &rgb)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour(rgb));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void speak(QWidget *control, const abacus::SpokenText &spoken)
{
    tallino::speak(control, spoken.name, spoken.description);
}

} // namespace

AbacusWindow::AbacusWindow(QWidget *parent)
    : QWidget(parent), core_(*this), errorDialog_(createErrorDialog), about_(createAboutDialog)
{
    makeFixedWindow(this, abacus::windowName, abacus::caption, WindowKind::Main, abacus::client);
    setWindowIcon(QIcon(QStringLiteral(":/tallino.xpm")));
    fillBackground(this, abacus::background);

    // The drawing goes first so that every control lies above it.
    canvas_ = new BeadCanvas(core_, this);
    canvas_->setGeometry(rect());
    keyFilter_ = new DigitKeyFilter(this);
    addLabels();
    QPushButton *exit = addButton(abacus::exit);
    QPushButton *author = addButton(abacus::author);
    for (auto row = abacus::places.rbegin(); row != abacus::places.rend(); ++row)
        addStepButton(*row, +1);
    for (const abacus::PlaceRow &row : abacus::places)
        addDigitBox(row);
    for (const abacus::PlaceRow &row : abacus::places)
        addStepButton(row, -1);
    for (auto row = abacus::places.rbegin(); row != abacus::places.rend(); ++row)
        addRodLetter(*row);

    connect(author, &QPushButton::clicked, this, [this] { about_.show(); });
    // Nothing to save or ask: the number lives only on the screen.
    connect(exit, &QPushButton::clicked, qApp, &QCoreApplication::quit);
    orderTabStops();
    centreOnScreen(this);
}

template<typename Widget> Widget *AbacusWindow::place(Widget *control, const Control &row)
{
    control->setObjectName(text(row.name));
    control->setGeometry(pixels(row.box));
    tabStops_.emplace_back(row.tabIndex, control);
    return control;
}

QPushButton *AbacusWindow::addButton(const abacus::Single &single)
{
    auto *button = place(new QPushButton(text(single.caption), this), single.control);
    button->setFont(fontOf(single.font));
    button->setAutoDefault(true);
    speak(button, single.spoken.name, single.spoken.description);
    return button;
}

void AbacusWindow::addLabels()
{
    QLabel *instructions =
        addTextLabel(this, abacus::instructions.control, text(abacus::instructionText()));
    instructions->setFont(fontOf(abacus::instructions.font));
    fillBackground(instructions, abacus::instructionsBackground);

    auto *title = place(new QLabel(text(abacus::title.caption), this), abacus::title.control);
    title->setFrameStyle(QFrame::Box | QFrame::Plain);
    title->setLineWidth(1);
    const int room = title->contentsRect().width() - 4;
    title->setFont(fittedFont(abacus::title.font, title->text(), room));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    fillBackground(title, abacus::titleBackground);
}

void AbacusWindow::addStepButton(const abacus::PlaceRow &row, int delta)
{
    const bool up = delta > 0;
    auto *button =
        place(new QPushButton(text(up ? abacus::plusCaption : abacus::minusCaption), this),
            up ? row.plus : row.minus);
    button->setFont(fontOf(abacus::stepFont));
    button->setAutoDefault(true);
    speak(button, abacus::stepSpoken(row, delta));
    connect(button, &QPushButton::clicked, this,
        [this, place = row.place, delta] { core_.step(place, delta); });
}

void AbacusWindow::addDigitBox(const abacus::PlaceRow &row)
{
    auto *box = place(new DigitBox(this), row.digitBox);
    box->setFont(fontOf(abacus::digitFont));
    box->setAlignment(Qt::AlignCenter);
    box->installEventFilter(keyFilter_);
    box->showText(text(core_.text(row.place)));
    speak(box, abacus::digitBoxSpoken(row));
    connect(box, &QLineEdit::textEdited, this,
        [this, place = row.place](const QString &text) { core_.edit(place, text.toStdString()); });
    boxes_[indexOf(row.place)] = box;
}

void AbacusWindow::addRodLetter(const abacus::PlaceRow &row)
{
    auto *box = place(new QLineEdit(text(row.letter), this), row.rodLetter);
    box->setFont(fontOf(abacus::stepFont));
    box->setAlignment(Qt::AlignCenter);
    box->setEnabled(false);
    box->setFocusPolicy(Qt::NoFocus);
    speak(box, abacus::rodLetterSpoken(row));
}

// By rising tab index, passing over what takes no focus; the first one gets it.
void AbacusWindow::orderTabStops()
{
    std::sort(tabStops_.begin(), tabStops_.end());
    QWidget *previous = nullptr;
    for (const auto &[tabIndex, control] : tabStops_) {
        if (control->focusPolicy() == Qt::NoFocus || !control->isEnabled())
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        else
            control->setFocus();
        previous = control;
    }
    tabStops_.clear();
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
