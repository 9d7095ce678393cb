#include "windowtestsupport.h"

#include <QClipboard>
#include <QSignalSpy>

using namespace windowtest;

Q_DECLARE_METATYPE(Place)

namespace {

void addPlaceRows(const char *what)
{
    const std::pair<const char *, Place> places[] = { { "unità", Place::Units },
        { "decine", Place::Tens }, { "centinaia", Place::Hundreds },
        { "migliaia", Place::Thousands } };
    for (const auto &[name, place] : places)
        QTest::newRow(qPrintable(QString("%1 %2").arg(what, name))) << place;
}

} // namespace

class TestDigitKeys : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { window.reset(); }
    void everyDigitIsTaken_data();
    void everyDigitIsTaken();
    void otherCharactersAreDropped_data();
    void otherCharactersAreDropped();
    void editingKeysStillWork_data();
    void editingKeysStillWork();

private:
    std::unique_ptr<tallino::AbacusWindow> window;
};

void TestDigitKeys::init()
{
    window = std::make_unique<tallino::AbacusWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void TestDigitKeys::everyDigitIsTaken_data()
{
    QTest::addColumn<Place>("place");
    addPlaceRows("digits in");
}

void TestDigitKeys::everyDigitIsTaken()
{
    QFETCH(Place, place);
    for (char digit = '0'; digit <= '9'; ++digit) {
        typeInto(window->box(place), QString(QChar(digit)));
        QCOMPARE(window->box(place)->text(), QString(QChar(digit)));
        QCOMPARE(window->core().digit(place), digit - '0');
    }
}

void TestDigitKeys::otherCharactersAreDropped_data()
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

void TestDigitKeys::otherCharactersAreDropped()
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

void TestDigitKeys::editingKeysStillWork_data()
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

void TestDigitKeys::editingKeysStillWork()
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

QTEST_MAIN(TestDigitKeys)
#include "tst_digitkeys.moc"
