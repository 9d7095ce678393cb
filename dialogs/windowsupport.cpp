#include "windowsupport.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QStyle>
#include <QTranslator>
#include <QWidget>

#include <algorithm>

namespace tallino {

namespace {

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

} // namespace

QFont pointFont(const char *family, double points, bool bold)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void setUpApplication()
{
    QGuiApplication::setApplicationName(QStringLiteral("tallino"));
    // Docks and Wayland compositors pair the windows with the menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.tallino.Tallino"));
    loadToolkitTexts();
    substituteMissingFonts();
}

void substituteMissingFonts()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
        { QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans") });
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

QFont fittedFont(
    const QFont &wanted, const QStringList &substitutes, const QString &text, int width)
{
    if (QFontDatabase::hasFamily(wanted.family()))
        return wanted;
    QFont font = wanted;
    font.setFamilies(substitutes);
    // Italic substitutes lean past their advance, so the ink is measured as well.
    const auto inkWidth = [&text](const QFont &f) {
        const QFontMetricsF metrics(f);
        return std::max(metrics.horizontalAdvance(text), metrics.tightBoundingRect(text).right());
    };
    const double natural = inkWidth(font);
    if (natural <= width)
        return font;
    // Every stretch tried loads a font, a good part of the start-up: start where the ink
    // would fit if it narrowed in proportion, then step to the widest even stretch that fits.
    constexpr int narrowest = 52;
    const auto fitsAt = [&](int stretch) {
        font.setStretch(stretch);
        return inkWidth(font) <= width;
    };
    int stretch = std::clamp(static_cast<int>(100 * width / natural) / 2 * 2, narrowest, 100);
    while (stretch < 100 && fitsAt(stretch + 2))
        stretch += 2;
    while (stretch > narrowest && !fitsAt(stretch))
        stretch -= 2;
    font.setStretch(stretch);
    return font;
}

void makeFixedWindow(QWidget *window, WindowKind kind, QSize clientSize)
{
    const Qt::WindowFlags type = kind == WindowKind::Main ? Qt::Window : Qt::Tool;
    window->setWindowFlags(type | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window->setAttribute(Qt::WA_QuitOnClose, true);
    window->setFixedSize(clientSize);
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->setGeometry(QStyle::alignedRect(
        Qt::LeftToRight, Qt::AlignCenter, window->size(), screen->availableGeometry()));
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
    if (window_->isVisible())
        window_->raise();
    else
        window_->show();
    window_->activateWindow();
}

} // namespace tallino
