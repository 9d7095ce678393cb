// The program's own start-up, step by step as in app/main.cpp, up to the first shown window.

#include "abacuswindow.h"
#include "firstshow.h"
#include "windowsupport.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tallino::setUpApplication();

    tallino::AbacusWindow window;
    tallino::bench::reportFirstShowAndQuit(&window);
    window.show();
    return QApplication::exec();
}
