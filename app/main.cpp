#include "abacuswindow.h"
#include "windowsupport.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tallino"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tallino.xpm")));
    tallino::substituteMissingFonts();

    tallino::AbacusWindow window;
    QObject::connect(&window, &tallino::AbacusWindow::exitRequested, &app, &QApplication::quit);
    tallino::centreOnScreen(&window);
    window.show();
    return QApplication::exec();
}
