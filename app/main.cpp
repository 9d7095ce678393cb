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
    tallino::centreOnScreen(&window);
    window.show();
    return QApplication::exec();
}
