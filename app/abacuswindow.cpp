#include "abacuswindow.h"

#include "aboutdialog.h"
#include "accessibletexts.h"
#include "beadcanvas.h"
#include "digitbox.h"
#include "digitkeyfilter.h"
#include "errordialog.h"
#include "twips.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace tallino {

struct StepButton {
    const char *name;
    int left;
    int top;
    Place place;
    int direction;
};

namespace {

const QColor background(163, 224, 215);
const QColor titleBackground(128, 255, 255);
const QColor instructionsBackground(94, 183, 152);

QString instructions()
{
    struct Piece {
        const char16_t *text;
        int blanks;
    };
    static constexpr Piece pieces[] = {
        { u"Premi i bottoni + e - per aumentare rispettivamente di:", 2 },
        { u"una unità,", 35 },
        { u"una decina,", 33 },
        { u"un centinaio,", 31 },
        { u"un migliaio.", 30 },
        { u"Altrimenti puoi inserire direttamente", 2 },
        { u"il numero in cifre.", 34 },
        { u"Vedrai apparire il numero così composto in cifre e la sua rappresentazione "
          u"sull' tallino.",
            5 },
    };
    QString text;
    for (const Piece &piece : pieces)
        text += QString::fromUtf16(piece.text) + QString(piece.blanks, u' ');
    return text;
}

// Created "+" row first, then the digit boxes, then the "-" row, as they lie on one another.
const StepButton plusButtons[] = {
    { "Command1", 3713, 120, Place::Units, +1 },
    { "Command4", 2633, 120, Place::Tens, +1 },
    { "Command6", 1553, 120, Place::Hundreds, +1 },
    { "Command8", 473, 120, Place::Thousands, +1 },
};
const StepButton minusButtons[] = {
    { "Command7", 480, 600, Place::Thousands, -1 },
    { "Command5", 1560, 600, Place::Hundreds, -1 },
    { "Command3", 2640, 600, Place::Tens, -1 },
    { "Command2", 3720, 600, Place::Units, -1 },
};

void fillBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

AbacusWindow::AbacusWindow(QWidget *parent)
    : QWidget(parent), core_(*this), errorDialog_(createErrorDialog), about_(createAboutDialog)
{
    setObjectName(QStringLiteral("tallino"));
    setWindowTitle(QStringLiteral("TALLINO"));
    setWindowIcon(QIcon(QStringLiteral(":/tallino.xpm")));
    makeFixedWindow(this, WindowKind::Main, twipsSize(7770, 8220));
    fillBackground(this, background);
    createControls();
    nameControlsForAccessibility(this);
    setTabOrder();
    findChild<QPushButton *>(QStringLiteral("Command2"))->setFocus();
    centreOnScreen(this);
}

AbacusWindow::~AbacusWindow() = default;

void AbacusWindow::createControls()
{
    // The drawing goes first so that every control lies above it.
    keyFilter_ = new DigitKeyFilter(this);
    canvas_ = new BeadCanvas(this);
    canvas_->setGeometry(BeadCanvas::paintedArea());
    addLabels();

    QPushButton *exit = addButton("Command10", twipsRect(120, 7800, 7575, 375), "FINE",
        pointFont("MS Sans Serif", 13.5, false));
    QPushButton *author = addButton("Command9", twipsRect(4560, 6960, 3135, 735), "QUIRDO'S",
        pointFont("MS Sans Serif", 18, true));
    for (const StepButton &button : plusButtons)
        addStepButton(button);
    addDigitBox(Place::Thousands, "migliaia", twipsRect(750, 6960, 795, 675));
    addDigitBox(Place::Hundreds, "centinaia", twipsRect(1560, 6960, 795, 675));
    addDigitBox(Place::Tens, "decine", twipsRect(2340, 6960, 795, 675));
    addDigitBox(Place::Units, "unità", twipsRect(3135, 6960, 795, 675));
    for (const StepButton &button : minusButtons)
        addStepButton(button);
    addRodLetter("Text4", twipsRect(3720, 6120, 495, 495), "u");
    addRodLetter("Text3", twipsRect(2640, 6120, 495, 495), "da");
    addRodLetter("Text2", twipsRect(1560, 6120, 495, 495), "c");
    addRodLetter("Text1", twipsRect(480, 6120, 495, 495), "m");

    connect(author, &QPushButton::clicked, this, [this] { about_.show(); });
    // Nothing to save or ask: the number lives only on the screen.
    connect(exit, &QPushButton::clicked, qApp, &QCoreApplication::quit);
}

QPushButton *AbacusWindow::addButton(
    const char *name, QRect geometry, const char *caption, const QFont &font)
{
    auto *button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setFont(font);
    return button;
}

void AbacusWindow::addStepButton(const StepButton &layout)
{
    static const QFont font = pointFont("MS Sans Serif", 13.5, true);
    const bool up = layout.direction > 0;
    QPushButton *button =
        addButton(layout.name, twipsRect(layout.left, layout.top, 495, 495), up ? "+" : "-", font);
    connect(button, &QPushButton::clicked, this, [this, place = layout.place, up] {
        core_.step(place, up ? +1 : -1);
    });
}

void AbacusWindow::addDigitBox(Place place, const char *name, QRect geometry)
{
    auto *box = new DigitBox(this);
    box->setObjectName(QString::fromUtf8(name));
    box->setGeometry(geometry);
    box->setFont(pointFont("MS Sans Serif", 24, true));
    box->setAlignment(Qt::AlignCenter);
    // Typed characters must come as key presses, where the filter sees them.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->installEventFilter(keyFilter_);
    box->showText(QString::fromStdString(core_.text(place)));
    connect(box, &QLineEdit::textEdited, this,
        [this, place](const QString &text) { core_.edit(place, text.toStdString()); });
    boxes_[indexOf(place)] = box;
}

void AbacusWindow::addRodLetter(const char *name, QRect geometry, const char *letter)
{
    auto *box = new QLineEdit(QString::fromLatin1(letter), this);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    box->setFont(pointFont("MS Sans Serif", 13.5, true));
    box->setAlignment(Qt::AlignCenter);
    box->setEnabled(false);
    box->setFocusPolicy(Qt::NoFocus);
}

void AbacusWindow::addLabels()
{
    auto *instructionsLabel = new QLabel(instructions(), this);
    instructionsLabel->setObjectName(QStringLiteral("Label2"));
    instructionsLabel->setGeometry(twipsRect(4560, 1680, 3135, 3255));
    instructionsLabel->setFont(pointFont("MS Sans Serif", 9.75, true));
    instructionsLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    instructionsLabel->setWordWrap(true);
    fillBackground(instructionsLabel, instructionsBackground);

    auto *title = new QLabel(QStringLiteral("TALLINO"), this);
    title->setObjectName(QStringLiteral("Label1"));
    title->setGeometry(twipsRect(4500, 120, 3255, 1455));
    title->setFrameStyle(QFrame::Box | QFrame::Plain);
    title->setLineWidth(1);
    const int frame = 2 * title->frameWidth();
    title->setFont(fittedFont(pointFont("Curlz MT", 48, true), { QStringLiteral("Z003") },
        title->text(), title->width() - frame - 4));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    fillBackground(title, titleBackground);
}

void AbacusWindow::setTabOrder()
{
    static constexpr const char *order[] = { "Command2", "Command3", "Command5", "Command7",
        "unità", "decine", "centinaia", "migliaia", "Command8", "Command6", "Command4", "Command1",
        "Command9", "Command10" };
    QWidget *previous = nullptr;
    for (const char *name : order) {
        auto *next = findChild<QWidget *>(QString::fromUtf8(name));
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

void AbacusWindow::textWritten(Place place, std::string_view text)
{
    box(place)->showText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void AbacusWindow::beadsSet(Place place, int shown)
{
    canvas_->setShownBeads(place, shown);
}

void AbacusWindow::errorRequested()
{
    errorDialog_.show();
}

} // namespace tallino
