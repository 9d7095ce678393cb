#include "windowtestsupport.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>

using namespace windowtest;

class TestAboutWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void controls_data();
    void controls();
    void windowItself();
    void reopenBuildsAfresh();
    void closes_data();
    void closes();
    void abacusStaysUsable();
    void exitEndsEverything();
    void lastWindowEndsTheProgram_data();
    void lastWindowEndsTheProgram();

private:
    QWidget *openAbout();

    std::unique_ptr<tallino::AbacusWindow> window;
};

void TestAboutWindow::init()
{
    window = std::make_unique<tallino::AbacusWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void TestAboutWindow::cleanup()
{
    window.reset();
    flushDeletes();
}

QWidget *TestAboutWindow::openAbout()
{
    QTest::mouseClick(button(*window, "Command9"), Qt::LeftButton);
    QWidget *about = window->aboutWindow();
    return about && about->isVisible() ? about : nullptr;
}

void TestAboutWindow::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");

    QTest::newRow("picIcon") << "picIcon" << twips(240, 240, 540, 540) << "";
    QTest::newRow("cmdOK") << "cmdOK" << twips(4245, 2625, 1260, 825) << "OK";
    QTest::newRow("lblTitle") << "lblTitle" << twips(1080, 240, 3885, 480) << "tallino3.0";
    QTest::newRow("lblDescription")
        << "lblDescription" << twips(1050, 1125, 3885, 1050)
        << "Questo programmino permette dii rappresentare su di un tallino unità, decine, "
           "centinaia e migliaia."
            + QString(189, u' ') + "Dedicato a mio papà";
}

void TestAboutWindow::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);

    QWidget *about = openAbout();
    QVERIFY(about);
    auto *control = about->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->property("text").toString(), text);
}

void TestAboutWindow::windowItself()
{
    QWidget *about = openAbout();
    QVERIFY(about);
    QCOMPARE(about->objectName(), "frmAbout");
    QCOMPARE(about->windowTitle(), "About tallino3.0");
    QCOMPARE(about->size(), twips(0, 0, 5730, 3555).size());
    QCOMPARE(about->minimumSize(), about->maximumSize());
    QCOMPARE(about->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(
        !(about->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!about->parentWidget());
    QVERIFY(!about->isModal());
    QVERIFY(isCentred(*about));

    auto *title = about->findChild<QLabel *>("lblTitle");
    QCOMPARE(title->font().family(), "Arial");
    QCOMPARE(title->font().pointSizeF(), 18.0);
    QVERIFY(title->font().bold());
    auto *picture = about->findChild<QLabel *>("picIcon");
    QCOMPARE(picture->pixmap().size(), QSize(32, 32));
    QCOMPARE(picture->pixmap().toImage().pixelColor(0, 0), QColor(192, 192, 192));
    auto *notice = about->findChild<QLabel *>("lblDisclaimer");
    QVERIFY(notice->text().size() > 40);
    QVERIFY(notice->heightForWidth(notice->width()) <= notice->height());
    auto *ok = about->findChild<QPushButton *>("cmdOK");
    QVERIFY(ok->isDefault());
    QVERIFY(QTest::qWaitForWindowActive(about));
    QCOMPARE(QApplication::focusWidget(), ok);

    // A second press shows the same window.
    QCOMPARE(openAbout(), about);
    QCOMPARE(openWindows("frmAbout"), 1);
}

void TestAboutWindow::reopenBuildsAfresh()
{
    QPointer<QWidget> first = openAbout();
    QVERIFY(first);
    first->move(first->pos() + QPoint(30, 30));
    first->setWindowTitle("changed");
    first->close();
    flushDeletes();
    QVERIFY(!first);

    QWidget *second = openAbout();
    QVERIFY(second);
    QCOMPARE(second->windowTitle(), "About tallino3.0");
    QCOMPARE(second->findChild<QLabel *>("lblTitle")->text(), "tallino3.0");
    QVERIFY(isCentred(*second));
}

void TestAboutWindow::closes_data()
{
    QTest::addColumn<int>("key"); // 0: the title bar's close box

    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("close box") << 0;
}

void TestAboutWindow::closes()
{
    QFETCH(int, key);
    QPointer<QWidget> about = openAbout();
    QVERIFY(about);
    QVERIFY(QTest::qWaitForWindowActive(about));
    if (key)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    else
        about->close();
    flushDeletes();
    QVERIFY(!about);
}

void TestAboutWindow::abacusStaysUsable()
{
    QVERIFY(openAbout());
    QTest::mouseClick(button(*window, "Command1"), Qt::LeftButton);
    typeInto(window->box(Place::Tens), "3");
    QCOMPARE(numberOnScreen(*window), QList<int>({ 0, 0, 3, 1 }));
    QVERIFY(window->aboutWindow()->isVisible());
}

void TestAboutWindow::exitEndsEverything()
{
    QVERIFY(openAbout());
    typeInto(window->box(Place::Units), "12");
    QVERIFY(window->errorDialog());
    QTimer::singleShot(0, window.get(),
        [this] { QTest::mouseClick(button(*window, "Command10"), Qt::LeftButton); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
    // The windows it leaves go with the abacus, as at the end of the program.
    QPointer<QWidget> about = window->aboutWindow();
    QPointer<QWidget> dialog = window->errorDialog();
    window.reset();
    QVERIFY(!about && !dialog);
}

void TestAboutWindow::lastWindowEndsTheProgram_data()
{
    QTest::addColumn<bool>("about"); // else the error dialog

    QTest::newRow("About window open") << true;
    QTest::newRow("error dialog open") << false;
}

void TestAboutWindow::lastWindowEndsTheProgram()
{
    QFETCH(bool, about);
    if (!about)
        typeInto(window->box(Place::Units), "11");
    QPointer<QWidget> secondary = about ? openAbout() : window->errorDialog();
    QVERIFY(secondary);
    // The program only ends inside its event loop, so both closes happen there.
    bool ranOnAfterMainClosed = false;
    QTimer::singleShot(0, window.get(), [&] {
        window->close();
        QTimer::singleShot(50, secondary, [&] {
            ranOnAfterMainClosed = true;
            secondary->close();
        });
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(ranOnAfterMainClosed);
}

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
