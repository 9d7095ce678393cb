#include "windowtestsupport.h"

using namespace windowtest;

class TestStepButtons : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { window.reset(); }
    void clickReachesItsPlace_data();
    void clickReachesItsPlace();
    void spaceBarPressesTheFocusedButton();

private:
    std::unique_ptr<tallino::AbacusWindow> window;
};

void TestStepButtons::init()
{
    window = std::make_unique<tallino::AbacusWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void TestStepButtons::clickReachesItsPlace_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    QTest::newRow("units +") << "Command1"
                             << "1234"
                             << "1235";
    QTest::newRow("units -") << "Command2"
                             << "1234"
                             << "1233";
    QTest::newRow("tens +") << "Command4"
                            << "1234"
                            << "1244";
    QTest::newRow("tens -") << "Command3"
                            << "1234"
                            << "1224";
    QTest::newRow("hundreds +") << "Command6"
                                << "1234"
                                << "1334";
    QTest::newRow("hundreds -") << "Command5"
                                << "1234"
                                << "1134";
    QTest::newRow("thousands +") << "Command8"
                                 << "1234"
                                 << "2234";
    QTest::newRow("thousands -") << "Command7"
                                 << "1234"
                                 << "0234";
    QTest::newRow("units + carries") << "Command1"
                                     << "0999"
                                     << "1000";
    QTest::newRow("units + at the top") << "Command1"
                                        << "9999"
                                        << "9000";
    QTest::newRow("tens - borrows") << "Command3"
                                    << "2005"
                                    << "1995";
    QTest::newRow("units - at the bottom") << "Command2"
                                           << "0000"
                                           << "0999";
}

void TestStepButtons::clickReachesItsPlace()
{
    QFETCH(QString, button);
    QFETCH(QString, before);
    QFETCH(QString, after);

    setNumber(*window, before);
    QTest::mouseClick(windowtest::button(*window, qPrintable(button)), Qt::LeftButton);

    QList<int> digits;
    for (QChar c : after)
        digits << c.digitValue();
    QCOMPARE(boxTexts(*window).join(QString()), after);
    // Only the final digits show: the passing "10" and "-1" leave no trace on the rods.
    QCOMPARE(numberOnScreen(*window), digits);
    QVERIFY(!window->errorDialog());
}

void TestStepButtons::spaceBarPressesTheFocusedButton()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(boxTexts(*window), QStringList({ "0", "9", "9", "9" }));
    QCOMPARE(numberOnScreen(*window), QList<int>({ 0, 9, 9, 9 }));
}

QTEST_MAIN(TestStepButtons)
#include "tst_stepbuttons.moc"
