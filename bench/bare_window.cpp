// The yardstick for the start-up: an empty Qt window of the abacus window's size; with
// "--label", one line of text in it, to show what the first text costs (font lookup, shaping).

#include "firstshow.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(518, 548);
    if (QApplication::arguments().contains(QStringLiteral("--label")))
        (new QLabel(QStringLiteral("TALLINO"), &window))->move(10, 10);
    tallino::bench::reportFirstShowAndQuit(&window);
    window.show();
    return QApplication::exec();
}
