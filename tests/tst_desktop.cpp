// How the program meets the desktop: the toolkit's texts in Italian whatever the locale, the
// menu entry it names, and its windows on a screen smaller than they are (run at a scale
// factor of 2, where the offscreen screen is 400 by 300).

#include "abacuswindow.h"
#include "windowsupport.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>

class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { tallino::setUpApplication(); }
    void contextMenuIsItalian();
    void menuEntryNamesTheWindow();
    void windowsStayOnASmallScreen_data();
    void windowsStayOnASmallScreen();
};

void TestDesktop::contextMenuIsItalian()
{
    QCOMPARE(QLocale::system().language(), QLocale::English); // set by the test's environment
    tallino::AbacusWindow window;
    const std::unique_ptr<QMenu> menu(
        window.findChild<QLineEdit *>(QStringLiteral("unità"))->createStandardContextMenu());
    QStringList entries;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            entries << action->text().section(u'\t', 0, 0);
    }
    QCOMPARE(entries,
        QStringList({ "Ann&ulla", "&Rifai", "&Taglia", "&Copia", "&Incolla", "Elimina",
            "Seleziona tutto" }));
}

// Docks pair the window with the entry by the desktop file name and by WM_CLASS, whose class
// is the application name.
void TestDesktop::menuEntryNamesTheWindow()
{
    QFile entry(QStringLiteral(TALLINO_PACKAGING_DIR "/") + QGuiApplication::desktopFileName()
        + QStringLiteral(".desktop"));
    QVERIFY2(entry.open(QIODevice::ReadOnly), qPrintable(entry.fileName()));
    const QByteArray lines = entry.readAll();
    QVERIFY(
        lines.contains("\nStartupWMClass=" + QGuiApplication::applicationName().toUtf8() + '\n'));
}

void TestDesktop::windowsStayOnASmallScreen_data()
{
    QTest::addColumn<QString>("opener"); // of the window, on the abacus; none for the abacus
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");

    QTest::newRow("abacus, larger both ways") << ""
                                              << "tallino" << QSize(518, 548);
    QTest::newRow("error dialog, wider") << "unità"
                                         << "dialog" << QSize(402, 126);
    QTest::newRow("About window, smaller") << "Command9"
                                           << "frmAbout" << QSize(382, 237);
}

void TestDesktop::windowsStayOnASmallScreen()
{
    QFETCH(QString, opener);
    QFETCH(QString, name);
    QFETCH(QSize, size);

    tallino::AbacusWindow abacus;
    abacus.show();
    QVERIFY(QTest::qWaitForWindowExposed(&abacus));
    if (auto *box = abacus.findChild<QLineEdit *>(opener)) {
        box->selectAll();
        QTest::keyClicks(box, "55");
    } else if (auto *button = abacus.findChild<QPushButton *>(opener))
        button->click();
    QWidget *window = nullptr;
    for (QWidget *shown : QApplication::topLevelWidgets())
        window = shown->objectName() == name && shown->isVisible() ? shown : window;
    QVERIFY(window);
    QCOMPARE(window->size(), size);

    // Centred where it fits, frame and all; where it does not, from the available area's top
    // or left edge.
    const QRect available = window->screen()->availableGeometry();
    const QRect placed = window->frameGeometry();
    const QPoint offCentre = placed.center() - available.center();
    if (size.width() > available.width())
        QCOMPARE(placed.left(), available.left());
    else
        QVERIFY(std::abs(offCentre.x()) <= 2);
    if (size.height() > available.height())
        QCOMPARE(placed.top(), available.top());
    else
        QVERIFY(std::abs(offCentre.y()) <= 2);
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
