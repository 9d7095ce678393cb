#include "abacuscore.h"
#include "digitkey.h"
#include "recordinglistener.h"

#include <QTest>

using tallino::AbacusCore;
using tallino::Place;

Q_DECLARE_METATYPE(Place)

namespace {

constexpr int unchanged = -1;
constexpr int startBeads = 3; // so that "no bead changes" can be told apart from "hidden"

int shownBeads(const AbacusCore &core, Place place)
{
    int shown = 0;
    while (shown < tallino::beadsPerRod && core.isBeadVisible(place, shown + 1))
        ++shown;
    for (int rank = shown + 1; rank <= tallino::beadsPerRod; ++rank) {
        if (core.isBeadVisible(place, rank))
            return -2; // not a pile from the bottom
    }
    return shown;
}

// Sets all four places without going through the buttons.
void setNumber(AbacusCore &core, const QList<int> &digits)
{
    for (int i = 0; i < tallino::placeCount; ++i)
        core.write(static_cast<Place>(tallino::placeCount - 1 - i), std::to_string(digits[i]));
}

QList<int> digitsOf(const AbacusCore &core)
{
    return { core.cifraMigliaia(), core.cifraCentinaia(), core.cifraDecine(), core.cifraUnit() };
}

// The press rule worked out on whole numbers, independently of the chains.
QList<int> expectedAfterPress(int number, int placeValue, bool up)
{
    int result = 0;
    if (up && number + placeValue < 10000)
        result = number + placeValue;
    else if (!up && number >= placeValue)
        result = number - placeValue;
    else {
        const int below = number % placeValue;
        const int thousands = up ? 9 : 0;
        const int fill = up ? 0 : 9;
        result = thousands * 1000 + below;
        for (int p = placeValue; p <= 100; p *= 10)
            result += fill * p;
    }
    return { result / 1000, result / 100 % 10, result / 10 % 10, result % 10 };
}

} // namespace

class TestAbacusCore : public QObject {
    Q_OBJECT

private slots:
    void changeHandler_data();
    void changeHandler();
    void resetRunsHandlerTwiceNested();
    void emptiedBoxReadsAsNought();
    void workedPresses_data();
    void workedPresses();
    void everyPressFollowsTheRule();
    void carriesFromAHigherTen_data();
    void carriesFromAHigherTen();
    void overflowStopsThePress_data();
    void overflowStopsThePress();
    void keyFilter_data();
    void keyFilter();
};

void TestAbacusCore::changeHandler_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("digit");
    QTest::addColumn<int>("beads");
    QTest::addColumn<int>("errors");
    QTest::addColumn<QString>("finalText");

    // digits and leading zeros
    QTest::newRow("0") << "0" << 0 << 0 << 0 << "0";
    QTest::newRow("7") << "7" << 7 << 7 << 0 << "7";
    QTest::newRow("9") << "9" << 9 << 9 << 0 << "9";
    QTest::newRow("05") << "05" << 5 << 5 << 0 << "05";
    QTest::newRow("blanks and sign") << " +4 " << 4 << 4 << 0 << " +4 ";
    // accepted without beads
    QTest::newRow("10") << "10" << 10 << unchanged << 0 << "10";
    QTest::newRow("-1") << "-1" << -1 << unchanged << 0 << "-1";
    QTest::newRow("-32768") << "-32768" << -32768 << unchanged << 0 << "-32768";
    // above ten: dialog and reset
    QTest::newRow("11") << "11" << 0 << 0 << 1 << "0";
    QTest::newRow("50") << "50" << 0 << 0 << 1 << "0";
    QTest::newRow("99") << "99" << 0 << 0 << 1 << "0";
    QTest::newRow("32767") << "32767" << 0 << 0 << 1 << "0";
    // not a number in range: treated like a value above ten
    QTest::newRow("letters") << "ab" << 0 << 0 << 1 << "0";
    QTest::newRow("fraction") << "1.5" << 0 << 0 << 1 << "0";
    QTest::newRow("double sign") << "--" << 0 << 0 << 1 << "0";
    QTest::newRow("sign only") << "-" << 0 << 0 << 1 << "0";
    QTest::newRow("blanks only") << "  " << 0 << 0 << 1 << "0";
    QTest::newRow("inner blank") << "1 2" << 0 << 0 << 1 << "0";
    QTest::newRow("too big") << "99999" << 0 << 0 << 1 << "0";
    QTest::newRow("32768") << "32768" << 0 << 0 << 1 << "0";
    QTest::newRow("too small") << "-40000" << 0 << 0 << 1 << "0";
    QTest::newRow("NUL") << QString(QChar(0)) << 0 << 0 << 1 << "0";
    QTest::newRow("hundred digits") << QString(100, u'7') << 0 << 0 << 1 << "0";
}

void TestAbacusCore::changeHandler()
{
    QFETCH(QString, text);
    QFETCH(int, digit);
    QFETCH(int, beads);
    QFETCH(int, errors);
    QFETCH(QString, finalText);

    RecordingListener listener;
    for (Place place : tallino::allPlaces) {
        AbacusCore core(&listener);
        core.edit(place, std::to_string(startBeads));
        listener.clear();

        core.edit(place, text.toStdString());

        QCOMPARE(core.digit(place), digit);
        QCOMPARE(shownBeads(core, place), beads == unchanged ? startBeads : beads);
        QCOMPARE(listener.errors, errors);
        QCOMPARE(QString::fromStdString(core.text(place)), finalText);
        for (Place other : tallino::allPlaces) {
            if (other != place)
                QCOMPARE(core.digit(other), 0);
        }
    }
}

void TestAbacusCore::resetRunsHandlerTwiceNested()
{
    RecordingListener listener;
    AbacusCore core(&listener);
    core.edit(Place::Tens, "12");
    QCOMPARE(listener.handlerRuns, 2);
    QCOMPARE(listener.errors, 1);
    QCOMPARE(listener.writes, (std::vector<RecordingListener::Write> { { Place::Tens, "0" } }));
    QCOMPARE(listener.beadSettings, (std::vector<int> { 0, 0 }));
}

void TestAbacusCore::emptiedBoxReadsAsNought()
{
    RecordingListener listener;
    AbacusCore core(&listener);
    core.edit(Place::Units, "6");
    core.edit(Place::Units, "");
    QCOMPARE(core.cifraUnit(), 0);
    QCOMPARE(shownBeads(core, Place::Units), 0);
    QCOMPARE(listener.errors, 0);
    QCOMPARE(core.text(Place::Units), "");
    QVERIFY(listener.writes.empty());
}

void TestAbacusCore::workedPresses_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QList<int>>("after");

    using L = QList<int>;
    QTest::newRow("units + on 9") << Place::Units << true << L { 0, 0, 0, 9 }
                                  << QStringList { "u10", "u0", "d1" } << L { 0, 0, 1, 0 };
    QTest::newRow("units + on 9999")
        << Place::Units << true << L { 9, 9, 9, 9 }
        << QStringList { "u10", "u0", "d10", "d0", "c10", "c0", "m10", "m9" } << L { 9, 0, 0, 0 };
    QTest::newRow("units - on 0") << Place::Units << false << L { 0, 0, 0, 0 }
                                  << QStringList { "u-1", "u9", "d-1", "d9", "c-1", "c9", "m-1",
                                         "m0" }
                                  << L { 0, 9, 9, 9 };
    QTest::newRow("units - on 1000")
        << Place::Units << false << L { 1, 0, 0, 0 }
        << QStringList { "u-1", "u9", "d-1", "d9", "c-1", "c9", "m0" } << L { 0, 9, 9, 9 };
    QTest::newRow("thousands + on 9") << Place::Thousands << true << L { 9, 3, 4, 5 }
                                      << QStringList { "m10", "m9" } << L { 9, 3, 4, 5 };
    QTest::newRow("thousands - on 0") << Place::Thousands << false << L { 0, 3, 4, 5 }
                                      << QStringList { "m-1", "m0" } << L { 0, 3, 4, 5 };
    QTest::newRow("hundreds + on 9950")
        << Place::Hundreds << true << L { 9, 9, 5, 0 } << QStringList { "c10", "c0", "m10", "m9" }
        << L { 9, 0, 5, 0 };
    QTest::newRow("tens - on 5") << Place::Tens << false << L { 0, 0, 0, 5 }
                                 << QStringList { "d-1", "d9", "c-1", "c9", "m-1", "m0" }
                                 << L { 0, 9, 9, 5 };
}

void TestAbacusCore::workedPresses()
{
    QFETCH(Place, place);
    QFETCH(bool, up);
    QFETCH(QList<int>, before);
    QFETCH(QStringList, writes);
    QFETCH(QList<int>, after);

    RecordingListener listener;
    AbacusCore core(&listener);
    setNumber(core, before);
    listener.clear();

    QVERIFY(up ? core.stepUp(place) : core.stepDown(place));

    QStringList written;
    for (const auto &write : listener.writes)
        written << QString("udcm"[tallino::indexOf(write.place)])
                + QString::fromStdString(write.text);
    QCOMPARE(written, writes);
    QCOMPARE(digitsOf(core), after);
    QCOMPARE(listener.errors, 0);
    for (int i = 0; i < tallino::placeCount; ++i)
        QCOMPARE(shownBeads(core, static_cast<Place>(tallino::placeCount - 1 - i)), after[i]);
}

void TestAbacusCore::everyPressFollowsTheRule()
{
    AbacusCore core;
    for (int number = 0; number < 10000; ++number) {
        const QList<int> digits { number / 1000, number / 100 % 10, number / 10 % 10, number % 10 };
        for (int i = 0; i < 8; ++i) {
            const auto place = static_cast<Place>(i / 2);
            const bool up = i % 2 == 0;
            setNumber(core, digits);
            QVERIFY(up ? core.stepUp(place) : core.stepDown(place));
            const int placeValue = int(std::pow(10, i / 2));
            if (digitsOf(core) != expectedAfterPress(number, placeValue, up))
                QFAIL(qPrintable(
                    QString("%1 %2 on %3").arg(placeValue).arg(up ? '+' : '-').arg(number)));
        }
    }
}

void TestAbacusCore::carriesFromAHigherTen_data()
{
    QTest::addColumn<QString>("tens");
    QTest::addColumn<Place>("place");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QList<int>>("after");
    QTest::addColumn<int>("errors");

    using L = QList<int>;
    QTest::newRow("units + below a ten") << "10" << Place::Units << true << L { 0, 1, 0, 4 } << 0;
    QTest::newRow("tens + on its ten") << "10" << Place::Tens << true << L { 0, 0, 0, 3 } << 1;
    QTest::newRow("tens - on its ten") << "10" << Place::Tens << false << L { 0, 0, 9, 3 } << 0;
    QTest::newRow("tens shown as 07") << "07" << Place::Tens << true << L { 0, 0, 8, 3 } << 0;
}

void TestAbacusCore::carriesFromAHigherTen()
{
    QFETCH(QString, tens);
    QFETCH(Place, place);
    QFETCH(bool, up);
    QFETCH(QList<int>, after);
    QFETCH(int, errors);

    RecordingListener listener;
    AbacusCore core(&listener);
    core.write(Place::Units, "3");
    core.write(Place::Tens, tens.toStdString());
    listener.clear();
    QVERIFY(up ? core.stepUp(place) : core.stepDown(place));
    QCOMPARE(digitsOf(core), after);
    QCOMPARE(listener.errors, errors);
}

void TestAbacusCore::overflowStopsThePress_data()
{
    QTest::addColumn<QString>("units");
    QTest::addColumn<QString>("tens");
    QTest::addColumn<Place>("place");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QStringList>("texts"); // units, tens after the press

    // Above ten is reset at once, so only the low end of the range can be reached.
    QTest::newRow("- on -32768") << "0"
                                 << "-32768" << Place::Tens << false
                                 << QStringList { "0", "-32768" };
    // The units write stays done when the carry into the tens overflows.
    QTest::newRow("borrow into -32768")
        << "0"
        << "-32768" << Place::Units << false << QStringList { "9", "-32768" };
}

void TestAbacusCore::overflowStopsThePress()
{
    QFETCH(QString, units);
    QFETCH(QString, tens);
    QFETCH(Place, place);
    QFETCH(bool, up);
    QFETCH(QStringList, texts);

    RecordingListener listener;
    AbacusCore core(&listener);
    core.edit(Place::Units, units.toStdString());
    core.edit(Place::Tens, tens.toStdString());
    QVERIFY(!(up ? core.stepUp(place) : core.stepDown(place)));
    QCOMPARE(QString::fromStdString(core.text(Place::Units)), texts[0]);
    QCOMPARE(QString::fromStdString(core.text(Place::Tens)), texts[1]);
    QCOMPARE(core.text(Place::Hundreds), "0");
    QCOMPARE(listener.errors, 0);
}

void TestAbacusCore::keyFilter_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("passes");

    QTest::newRow("nothing") << 0 << false;
    QTest::newRow("Ctrl+A") << 1 << false;
    QTest::newRow("Backspace") << 8 << false;
    QTest::newRow("Enter") << 13 << false;
    QTest::newRow("Ctrl+Z") << 26 << false;
    QTest::newRow("Escape") << 27 << false;
    QTest::newRow("slash, below 0") << 47 << false;
    QTest::newRow("0") << 48 << true;
    QTest::newRow("5") << 53 << true;
    QTest::newRow("9") << 57 << true;
    QTest::newRow("colon, above 9") << 58 << false;
    QTest::newRow("a grave") << 0xE0 << false;
    QTest::newRow("highest") << 32767 << false;
    QTest::newRow("negative") << -32768 << false;
}

void TestAbacusCore::keyFilter()
{
    QFETCH(int, code);
    QFETCH(bool, passes);
    QCOMPARE(tallino::filterDigitKey(static_cast<std::int16_t>(code)), passes ? code : 0);
}

QTEST_GUILESS_MAIN(TestAbacusCore)
#include "tst_abacuscore.moc"
