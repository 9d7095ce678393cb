#include "abacuswindow.h"
#include "windowsupport.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tallino::setUpApplication();

    tallino::AbacusWindow window;
    window.show();
    return QApplication::exec();
}
