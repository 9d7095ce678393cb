#include "windowsupport.h"

#include "buildinfo.h"
#include "digitbox.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>
#include <QScreen>
#include <QTranslator>

#include <algorithm>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace tallino {

namespace {

// On X11 the toolkit makes a tool window transient for the whole program, which keeps it above
// every other window of the program; the secondary windows have no owner, so that the abacus
// can be brought in front of them.
void forgetOwner(QWidget *window)
{
#if QT_CONFIG(xcb)
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->connection()) {
        xcb_delete_property(x11->connection(), static_cast<xcb_window_t>(window->winId()),
            XCB_ATOM_WM_TRANSIENT_FOR);
        xcb_flush(x11->connection());
    }
#else
    Q_UNUSED(window);
#endif
}

void loadToolkitTexts()
{
    // Whatever the desktop's language: the children read Italian. Without the translations
    // the toolkit keeps its English texts.
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(
            QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

void substituteMissingFonts()
{
    for (const FontSubstitute &row : fontSubstitutes) {
        QStringList substitutes;
        for (const char *substitute : row.substitutes) {
            if (substitute)
                substitutes << QString::fromUtf8(substitute);
        }
        QFont::insertSubstitutions(QString::fromUtf8(row.family), substitutes);
    }
}

void fillBackground(QWidget *widget, const Rgb &rgb)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour(rgb));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// For a text that must fit on one line of the given width: when the family is missing, the
// decorative substitute narrowed until the text fits.
QFont fittedFont(const FontSpec &wanted, const QString &text, int width)
{
    QFont fitted = fontOf(wanted);
    if (QFontDatabase::hasFamily(fitted.family()))
        return fitted;
    // Measured in the substitute the toolkit now draws it with.
    // Narrowing scales the advance; the ink an italic leans past it stays as it is.
    const QFontMetricsF metrics(fitted);
    const double advance = metrics.horizontalAdvance(text);
    const double lean = std::max(0.0, metrics.tightBoundingRect(text).right() - advance);
    if (advance + lean > width)
        fitted.setStretch(static_cast<int>(100 * (width - lean) / advance));
    return fitted;
}

QWidget *makeControl(QWidget *window, const ControlDescription &described, const Pressed &pressed)
{
    switch (described.kind) {
    case ControlKind::Button: {
        auto *button = new QPushButton(text(described.text), window);
        button->setAutoDefault(true); // Enter presses the button that has the focus
        button->setDefault(described.isDefault);
        QObject::connect(
            button, &QPushButton::clicked, window, [described, pressed] { pressed(described); });
        return button;
    }
    case ControlKind::DigitBox: {
        auto *box = new DigitBox(window);
        box->showText(text(described.text));
        box->setAlignment(Qt::AlignCenter);
        return box;
    }
    case ControlKind::RodLetter: {
        auto *box = new QLineEdit(text(described.text), window);
        box->setAlignment(Qt::AlignCenter);
        box->setEnabled(false);
        box->setFocusPolicy(Qt::NoFocus);
        return box;
    }
    case ControlKind::Title: {
        auto *title = new QLabel(text(described.text), window);
        title->setFrameStyle(QFrame::Box | QFrame::Plain);
        title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        return title;
    }
    case ControlKind::Label: {
        auto *label = new QLabel(text(described.text), window);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        return label;
    }
    case ControlKind::Picture: {
        auto *picture = new QLabel(window);
        picture->setPixmap(QPixmap(QStringLiteral(":/abacus.xpm")));
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setLineWidth(2);
        return picture;
    }
    }
    return nullptr;
}

QWidget *addControl(QWidget *window, const ControlDescription &described, const Pressed &pressed)
{
    QWidget *control = makeControl(window, described, pressed);
    control->setObjectName(QString::fromUtf8(described.name));
    control->setGeometry(pixels(described.box));
    if (described.kind == ControlKind::Title)
        control->setFont(
            fittedFont(described.font, text(described.text), control->contentsRect().width() - 4));
    else if (described.font.family)
        control->setFont(fontOf(described.font));
    if (described.ground)
        fillBackground(control, *described.ground);
    if (described.ink) {
        QPalette palette = control->palette();
        palette.setColor(QPalette::WindowText, colour(*described.ink));
        control->setPalette(palette);
    }
    control->setAccessibleName(text(described.spokenName));
    control->setAccessibleDescription(text(described.spokenDescription));
    return control;
}

// Tab goes through the controls in their order, passing over what takes no focus; the first one
// gets it. Where two overlap, the earlier lies above.
void orderControls(const std::vector<QWidget *> &controls)
{
    QWidget *previous = nullptr;
    for (QWidget *control : controls) {
        if (control->focusPolicy() == Qt::NoFocus || !control->isEnabled())
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        else
            control->setFocus();
        previous = control;
    }
    for (auto control = controls.rbegin(); control != controls.rend(); ++control)
        (*control)->raise();
}

} // namespace

QRect pixels(const TwipsRect &box)
{
    const auto px = [](int twips) {
        return qRound(twips / twipsPerPixel);
    };
    return { px(box.left), px(box.top), px(box.width), px(box.height) };
}

void setUpApplication()
{
    QGuiApplication::setApplicationName(QString::fromUtf8(applicationName));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(applicationId));
    loadToolkitTexts();
    substituteMissingFonts();
}

QFont fontOf(const FontSpec &wanted)
{
    QFont font(QString::fromLatin1(wanted.family));
    font.setPointSizeF(wanted.points);
    font.setBold(wanted.bold);
    return font;
}

std::vector<QWidget *> buildWindow(
    QWidget *window, const WindowDescription &described, const Pressed &pressed)
{
    window->setObjectName(QString::fromUtf8(described.name));
    window->setWindowTitle(text(described.caption));
    window->setWindowFlags((described.isMain ? Qt::Window : Qt::Tool) | Qt::CustomizeWindowHint
        | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window->setAttribute(Qt::WA_QuitOnClose, true);
    window->setFixedSize(pixels(described.client).size());
    if (described.background)
        fillBackground(window, *described.background);
    std::vector<QWidget *> controls;
    for (const ControlDescription &control : described.controls)
        controls.push_back(addControl(window, control, pressed));
    orderControls(controls);
    if (const auto &opening = described.opening) {
        window->setWindowTitle(text(opening->caption));
        controls[opening->control]->setProperty("text", text(opening->text));
    }
    return controls;
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Created first, so that a frame the platform already knows is centred with it.
    window->winId();
    const QRect area = screen->availableGeometry();
    const QSize frame = window->frameGeometry().size();
    const PixelRect placed = placedOn(
        { area.x(), area.y(), area.width(), area.height() }, frame.width(), frame.height());
    window->move(placed.left, placed.top);
}

ReloadableWindow::~ReloadableWindow()
{
    delete window_;
}

void ReloadableWindow::show()
{
    if (!window_) {
        window_ = build_();
        window_->setAttribute(Qt::WA_DeleteOnClose);
        centreOnScreen(window_);
    }
    if (window_->isVisible()) {
        window_->raise();
    } else {
        window_->show();
        forgetOwner(window_);
    }
    window_->activateWindow();
}

} // namespace tallino
