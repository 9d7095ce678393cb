#include "windowtestsupport.h"

#include <QClipboard>
#include <QLabel>
#include <QSignalSpy>

using namespace windowtest;
using tallino::AbacusWindow;

Q_DECLARE_METATYPE(Place)

namespace {

QString instructions()
{
    const std::pair<QString, int> pieces[] = {
        { "Premi i bottoni + e - per aumentare rispettivamente di:", 2 },
        { "una unità,", 35 },
        { "una decina,", 33 },
        { "un centinaio,", 31 },
        { "un migliaio.", 30 },
        { "Altrimenti puoi inserire direttamente", 2 },
        { "il numero in cifre.", 34 },
        { "Vedrai apparire il numero così composto in cifre e la sua rappresentazione sull' "
          "tallino.",
            5 },
    };
    QString text;
    for (const auto &[words, blanks] : pieces)
        text += words + QString(blanks, u' ');
    return text;
}

QWidget *shownErrorDialog(const AbacusWindow &window)
{
    QWidget *dialog = window.errorDialog();
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

void addPlaceRows(const char *what)
{
    const std::pair<const char *, Place> places[] = { { "unità", Place::Units },
        { "decine", Place::Tens }, { "centinaia", Place::Hundreds },
        { "migliaia", Place::Thousands } };
    for (const auto &[name, place] : places)
        QTest::newRow(qPrintable(QString("%1 %2").arg(what, name))) << place;
}

} // namespace

class TestAbacusWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void controls_data();
    void controls();
    void startState();
    void tabOrder();
    void typingShowsBeads_data();
    void typingShowsBeads();
    void rejectionShowsOneDialog();
    void errorDialogLayout();
    void errorDialogKeys_data();
    void errorDialogKeys();

    void everyDigitIsTaken_data();
    void everyDigitIsTaken();
    void otherCharactersAreDropped_data();
    void otherCharactersAreDropped();
    void editingKeysStillWork_data();
    void editingKeysStillWork();
    void clickReachesItsPlace_data();
    void clickReachesItsPlace();
    void spaceBarPressesTheFocusedButton();

private:
    std::unique_ptr<AbacusWindow> window;
};

void TestAbacusWindow::init()
{
    window = std::make_unique<AbacusWindow>();
    tallino::centreOnScreen(window.get());
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void TestAbacusWindow::cleanup()
{
    window.reset();
    flushDeletes();
}

void TestAbacusWindow::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("enabled");

    const auto row = [](const char *name, QRect geometry, const QString &caption, double points,
                         bool bold = true, bool enabled = true) {
        QTest::newRow(name) << QString::fromUtf8(name) << geometry << caption << points << bold
                            << enabled;
    };
    row("Command8", twips(473, 120, 495, 495), "+", 13.5);
    row("Command6", twips(1553, 120, 495, 495), "+", 13.5);
    row("Command4", twips(2633, 120, 495, 495), "+", 13.5);
    row("Command1", twips(3713, 120, 495, 495), "+", 13.5);
    row("Command7", twips(480, 600, 495, 495), "-", 13.5);
    row("Command5", twips(1560, 600, 495, 495), "-", 13.5);
    row("Command3", twips(2640, 600, 495, 495), "-", 13.5);
    row("Command2", twips(3720, 600, 495, 495), "-", 13.5);
    row("Text1", twips(480, 6120, 495, 495), "m", 13.5, true, false);
    row("Text2", twips(1560, 6120, 495, 495), "c", 13.5, true, false);
    row("Text3", twips(2640, 6120, 495, 495), "da", 13.5, true, false);
    row("Text4", twips(3720, 6120, 495, 495), "u", 13.5, true, false);
    row("migliaia", twips(750, 6960, 795, 675), "0", 24);
    row("centinaia", twips(1560, 6960, 795, 675), "0", 24);
    row("decine", twips(2340, 6960, 795, 675), "0", 24);
    row("unità", twips(3135, 6960, 795, 675), "0", 24);
    row("Label1", twips(4500, 120, 3255, 1455), "TALLINO", 48);
    row("Label2", twips(4560, 1680, 3135, 3255), instructions(), 9.75);
    row("Command9", twips(4560, 6960, 3135, 735), "QUIRDO'S", 18);
    row("Command10", twips(120, 7800, 7575, 375), "FINE", 13.5, false);
}

void TestAbacusWindow::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(bool, enabled);

    const QList<QWidget *> found = window->findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    QWidget *control = found.front();
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->property("text").toString(), caption);
    QCOMPARE(control->font().pointSizeF(), points);
    QCOMPARE(control->font().bold(), bold);
    QCOMPARE(control->isEnabled(), enabled);
    QVERIFY(control->isVisible());
    if (!enabled)
        QCOMPARE(control->focusPolicy(), Qt::NoFocus);
}

void TestAbacusWindow::startState()
{
    QCOMPARE(window->windowTitle(), "TALLINO");
    QCOMPARE(window->size(), QSize(518, 548));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!window->windowIcon().isNull());
    QCOMPARE(window->palette().color(QPalette::Window), QColor(163, 224, 215));
    QVERIFY(isCentred(*window));
    const auto *title = window->findChild<QLabel *>("Label1");
    QVERIFY(QFontMetrics(title->font()).horizontalAdvance(title->text())
        <= title->contentsRect().width());

    QCOMPARE(QApplication::focusWidget(), button(*window, "Command2"));
    QCOMPARE(boxTexts(*window), QStringList({ "0", "0", "0", "0" }));
    QCOMPARE(numberOnScreen(*window), QList<int>({ 0, 0, 0, 0 }));
    for (Place place : tallino::allPlaces)
        QCOMPARE(window->core().digit(place), 0);
}

void TestAbacusWindow::tabOrder()
{
    const QStringList expected { "Command3", "Command5", "Command7", "unità", "decine", "centinaia",
        "migliaia", "Command8", "Command6", "Command4", "Command1", "Command9", "Command10",
        "Command2" };
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void TestAbacusWindow::typingShowsBeads_data()
{
    QTest::addColumn<int>("caret"); // -1: the whole text selected first
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beads");
    QTest::addColumn<bool>("rejected");

    QTest::newRow("one digit") << -1 << "7"
                               << "7" << 7 << false;
    QTest::newRow("nine") << -1 << "9"
                          << "9" << 9 << false;
    QTest::newRow("behind the zero") << 1 << "5"
                                     << "05" << 5 << false;
    QTest::newRow("in front of the zero") << 0 << "5"
                                          << "0" << 0 << true;
    QTest::newRow("ten keeps one bead") << -1 << "10"
                                        << "10" << 1 << false;
    QTest::newRow("third key after reset") << -1 << "123"
                                           << "03" << 3 << true;
}

void TestAbacusWindow::typingShowsBeads()
{
    QFETCH(int, caret);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(int, beads);
    QFETCH(bool, rejected);

    for (Place place : tallino::allPlaces) {
        tallino::DigitBox *box = window->box(place);
        box->setFocus();
        if (caret < 0)
            box->selectAll();
        else
            box->setCursorPosition(caret);
        QTest::keyClicks(box, keys);

        QCOMPARE(box->text(), text);
        const QImage image = window->grab().toImage();
        for (Place other : tallino::allPlaces)
            QCOMPARE(beadsOnScreen(image, other), other == place ? beads : 0);
        QCOMPARE(shownErrorDialog(*window) != nullptr, rejected);
        typeInto(box, "0");
    }
}

void TestAbacusWindow::rejectionShowsOneDialog()
{
    typeInto(window->box(Place::Units), "12");
    QWidget *dialog = shownErrorDialog(*window);
    QVERIFY(dialog);
    QCOMPARE(window->box(Place::Units)->text(), "0");

    // The abacus stays usable, and a second rejection shows the same window.
    dialog->move(dialog->pos() + QPoint(40, 40));
    const QPoint moved = dialog->pos();
    typeInto(window->box(Place::Tens), "4");
    QCOMPARE(numberOnScreen(*window), QList<int>({ 0, 0, 4, 0 }));
    typeInto(window->box(Place::Hundreds), "99");
    QCOMPARE(window->errorDialog(), dialog);
    QCOMPARE(dialog->pos(), moved);
    QCOMPARE(openWindows("dialog"), 1);

    // After a close the next rejection builds it again, centred again.
    dialog->close();
    flushDeletes();
    QVERIFY(!window->errorDialog());
    typeInto(window->box(Place::Thousands), "77");
    dialog = shownErrorDialog(*window);
    QVERIFY(dialog);
    QVERIFY(isCentred(*dialog));
}

void TestAbacusWindow::errorDialogLayout()
{
    typeInto(window->box(Place::Units), "50");
    QWidget *dialog = shownErrorDialog(*window);
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName(), "dialog");
    QCOMPARE(dialog->windowTitle(), "ERRORE");
    QCOMPARE(dialog->size(), twips(0, 0, 6030, 1890).size());
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    QVERIFY(!dialog->parentWidget());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    auto *ok = dialog->findChild<QPushButton *>("OKButton");
    QVERIFY(ok);
    QCOMPARE(ok->geometry(), twips(600, 1440, 5055, 375));
    QCOMPARE(ok->text(), "OK");
    auto *label = dialog->findChild<QLabel *>("Label1");
    QVERIFY(label);
    QCOMPARE(label->geometry(), twips(720, 360, 4575, 855));
    QCOMPARE(label->text(), "PUOI INSERIRE SOLO NUMERI         COMPRESI TRA 0 E 9");
    QVERIFY(label->wordWrap());
}

void TestAbacusWindow::errorDialogKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");

    QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    QTest::newRow("Return") << int(Qt::Key_Return) << true;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << true;
    QTest::newRow("Space") << int(Qt::Key_Space) << true;
}

void TestAbacusWindow::errorDialogKeys()
{
    QFETCH(int, key);
    QFETCH(bool, closes);

    typeInto(window->box(Place::Units), "11");
    QWidget *dialog = shownErrorDialog(*window);
    QVERIFY(dialog);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QCOMPARE(QApplication::focusWidget()->objectName(), "OKButton");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    flushDeletes();
    QCOMPARE(window->errorDialog() == nullptr, closes);
}

// Typing: only digits reach the boxes

void TestAbacusWindow::everyDigitIsTaken_data()
{
    QTest::addColumn<Place>("place");
    addPlaceRows("digits in");
}

void TestAbacusWindow::everyDigitIsTaken()
{
    QFETCH(Place, place);
    for (char digit = '0'; digit <= '9'; ++digit) {
        typeInto(window->box(place), QString(QChar(digit)));
        QCOMPARE(window->box(place)->text(), QString(QChar(digit)));
        QCOMPARE(window->core().digit(place), digit - '0');
    }
}

void TestAbacusWindow::otherCharactersAreDropped_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text"); // as the platform delivers it

    const auto row = [](const char *name, Qt::Key key, Qt::KeyboardModifiers mods,
                         const QString &text) {
        QTest::newRow(name) << int(key) << int(mods) << text;
    };
    row("letter", Qt::Key_A, Qt::NoModifier, "a");
    row("capital", Qt::Key_Z, Qt::ShiftModifier, "Z");
    row("blank", Qt::Key_Space, Qt::NoModifier, " ");
    row("minus", Qt::Key_Minus, Qt::NoModifier, "-");
    row("plus", Qt::Key_Plus, Qt::ShiftModifier, "+");
    row("full stop", Qt::Key_Period, Qt::NoModifier, ".");
    row("comma", Qt::Key_Comma, Qt::NoModifier, ",");
    row("accented", Qt::Key_Agrave, Qt::NoModifier, "à");
    row("beyond 16 bits", Qt::Key_unknown, Qt::NoModifier, "😀");
    row("Backspace", Qt::Key_Backspace, Qt::NoModifier, "\b");
    row("Return", Qt::Key_Return, Qt::NoModifier, "\r");
    row("keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, "\r");
    row("Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b");
    row("Ctrl+V without text", Qt::Key_V, Qt::ControlModifier, "");
    row("Ctrl+V with code", Qt::Key_V, Qt::ControlModifier, "\x16");
    row("Ctrl+X", Qt::Key_X, Qt::ControlModifier, "");
    row("Ctrl+Z", Qt::Key_Z, Qt::ControlModifier, "");
    row("Ctrl+A", Qt::Key_A, Qt::ControlModifier, "");
}

void TestAbacusWindow::otherCharactersAreDropped()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);

    QGuiApplication::clipboard()->setText("3");
    for (Place place : tallino::allPlaces) {
        tallino::DigitBox *box = window->box(place);
        typeInto(box, "7");
        box->selectAll();
        QSignalSpy changes(box, &QLineEdit::textChanged);
        QTest::sendKeyEvent(
            QTest::Click, box, Qt::Key(key), text, Qt::KeyboardModifiers::fromInt(modifiers));
        QCOMPARE(box->text(), "7");
        QCOMPARE(changes.count(), 0);
        QCOMPARE(QApplication::focusWidget(), box);
    }
}

void TestAbacusWindow::editingKeysStillWork_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result"); // from "7", selected, with "3" on the clipboard

    QTest::newRow("Delete") << int(Qt::Key_Delete) << int(Qt::NoModifier) << "\x7f"
                            << "";
    QTest::newRow("Shift+Delete cuts") << int(Qt::Key_Delete) << int(Qt::ShiftModifier) << "\x7f"
                                       << "";
    QTest::newRow("Shift+Insert pastes") << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << ""
                                         << "3";
    QTest::newRow("keypad digit") << int(Qt::Key_5) << int(Qt::KeypadModifier) << "5"
                                  << "5";
}

void TestAbacusWindow::editingKeysStillWork()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, result);

    for (Place place : tallino::allPlaces) {
        QGuiApplication::clipboard()->setText("3");
        tallino::DigitBox *box = window->box(place);
        typeInto(box, "7");
        box->selectAll();
        QTest::sendKeyEvent(
            QTest::Click, box, Qt::Key(key), text, Qt::KeyboardModifiers::fromInt(modifiers));
        QCOMPARE(box->text(), result);
        QCOMPARE(window->core().digit(place), result.toInt());
        QCOMPARE(window->canvas()->shownBeads(place), result.toInt());
    }
}

// The step buttons

void TestAbacusWindow::clickReachesItsPlace_data()
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

void TestAbacusWindow::clickReachesItsPlace()
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

void TestAbacusWindow::spaceBarPressesTheFocusedButton()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(boxTexts(*window), QStringList({ "0", "9", "9", "9" }));
    QCOMPARE(numberOnScreen(*window), QList<int>({ 0, 9, 9, 9 }));
}

QTEST_MAIN(TestAbacusWindow)
#include "tst_abacuswindow.moc"
