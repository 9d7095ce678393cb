#include "windowsupport.h"

#include "dialoglayouts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
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
                substitutes << text(substitute);
        }
        QFont::insertSubstitutions(text(row.family), substitutes);
    }
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
    QGuiApplication::setApplicationName(QStringLiteral("tallino"));
    // Docks and Wayland compositors pair the windows with the menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.tallino.Tallino"));
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

void makeFixedWindow(QWidget *window, const char *name, const char *caption, WindowKind kind,
    const TwipsRect &client)
{
    window->setObjectName(text(name));
    window->setWindowTitle(text(caption));
    const Qt::WindowFlags type = kind == WindowKind::Main ? Qt::Window : Qt::Tool;
    window->setWindowFlags(type | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window->setAttribute(Qt::WA_QuitOnClose, true);
    window->setFixedSize(pixels(client).size());
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Created first, so that a frame the platform already knows is centred with it.
    window->winId();
    const QRect available = screen->availableGeometry();
    const QRect centred = QStyle::alignedRect(
        Qt::LeftToRight, Qt::AlignCenter, window->frameGeometry().size(), available);
    window->move(
        std::max(centred.left(), available.left()), std::max(centred.top(), available.top()));
}

QLabel *addTextLabel(QWidget *window, const Control &control, const QString &caption)
{
    auto *label = new QLabel(caption, window);
    label->setObjectName(text(control.name));
    label->setGeometry(pixels(control.box));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

void speak(QWidget *control, const std::string &name, const std::string &description)
{
    control->setAccessibleName(text(name));
    control->setAccessibleDescription(text(description));
}

QPushButton *addOkButton(QWidget *window, const Control &control, const Spoken &spoken)
{
    auto *ok = new QPushButton(text(okCaption), window);
    ok->setObjectName(text(control.name));
    ok->setGeometry(pixels(control.box));
    speak(ok, spoken.name, spoken.description);
    QObject::connect(ok, &QPushButton::clicked, window, &QWidget::close);
    ok->setFocus();
    return ok;
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
