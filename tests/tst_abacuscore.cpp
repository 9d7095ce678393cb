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
constexpr Place highestFirst[] = { Place::Thousands, Place::Hundreds, Place::Tens, Place::Units };

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

// Texts and digits are listed thousands first, as the number is read.
void setTexts(AbacusCore &core, const QStringList &texts)
{
    for (int i = 0; i < tallino::placeCount; ++i)
        core.write(highestFirst[i], texts[i].toStdString());
}

QStringList textsOf(const AbacusCore &core)
{
    QStringList texts;
    for (Place place : highestFirst)
        texts << QString::fromStdString(core.text(place));
    return texts;
}

// The press rule worked out on whole numbers, independently of the chains.
int expectedAfterPress(int number, int placeValue, bool up)
{
    if (up && number + placeValue < 10000)
        return number + placeValue;
    if (!up && number >= placeValue)
        return number - placeValue;
    int result = (up ? 9000 : 0) + number % placeValue;
    for (int p = placeValue; p <= 100 && !up; p *= 10)
        result += 9 * p;
    return result;
}

} // namespace

class TestAbacusCore : public QObject {
    Q_OBJECT

private slots:
    void changeHandler_data();
    void changeHandler();
    void presses_data();
    void presses();
    void everyPressFollowsTheRule();
    void keyFilter_data();
    void keyFilter();
};

void TestAbacusCore::changeHandler_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("digit");
    QTest::addColumn<int>("beads");
    QTest::addColumn<QString>("finalText");
    QTest::addColumn<int>("runs"); // of the handler; a reset nests a second one
    QTest::addColumn<int>("beadSettings");

    const auto shown = [](const char *name, const QString &text, int digit) {
        QTest::newRow(name) << text << digit << digit << text << 1 << 1;
    };
    const auto passed = [](const char *name, const QString &text, int digit) {
        QTest::newRow(name) << text << digit << unchanged << text << 1 << 0;
    };
    const auto rejected = [](const char *name, const QString &text) {
        QTest::newRow(name) << text << 0 << 0 << "0" << 2 << 2;
    };
    shown("0", "0", 0);
    shown("7", "7", 7);
    shown("9", "9", 9);
    shown("leading zero", "05", 5);
    shown("blanks and sign", " +4 ", 4);
    passed("10", "10", 10);
    passed("-1", "-1", -1);
    passed("lowest", "-32768", -32768);
    rejected("11", "11");
    rejected("50", "50");
    rejected("99", "99");
    rejected("highest", "32767");
    rejected("letters", "ab");
    rejected("fraction", "1.5");
    rejected("double sign", "--");
    rejected("sign only", "-");
    rejected("blanks only", "  ");
    rejected("inner blank", "1 2");
    rejected("too big", "99999");
    rejected("just too big", "32768");
    rejected("too small", "-40000");
    rejected("NUL", QString(QChar(0)));
    rejected("hundred digits", QString(100, u'7'));
    // An emptied box reads as nought and stays empty for the next digit.
    QTest::newRow("empty") << "" << 0 << 0 << "" << 1 << 1;
}

void TestAbacusCore::changeHandler()
{
    QFETCH(QString, text);
    QFETCH(int, digit);
    QFETCH(int, beads);
    QFETCH(QString, finalText);
    QFETCH(int, runs);
    QFETCH(int, beadSettings);

    for (Place place : tallino::allPlaces) {
        RecordingListener listener;
        AbacusCore core(&listener);
        core.edit(place, std::to_string(startBeads));
        listener.clear();

        core.edit(place, text.toStdString());

        QCOMPARE(core.digit(place), digit);
        QCOMPARE(shownBeads(core, place), beads == unchanged ? startBeads : beads);
        QCOMPARE(QString::fromStdString(core.text(place)), finalText);
        QCOMPARE(listener.handlerRuns, runs);
        QCOMPARE(listener.errors, runs - 1);
        QCOMPARE(int(listener.beadSettings.size()), beadSettings);
        for (Place other : tallino::allPlaces)
            QCOMPARE(core.digit(other), other == place ? digit : 0);
    }
}

void TestAbacusCore::presses_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<Place>("place");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("writes"); // empty: not checked
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("errors");
    QTest::addColumn<bool>("completes");

    const auto row = [](const char *name, const char *before, Place place, bool up,
                         const char *writes, const char *after, int errors = 0,
                         bool completes = true) {
        QTest::newRow(name) << before << place << up << writes << after << errors << completes;
    };
    // worked cases
    row("units + on 9", "0 0 0 9", Place::Units, true, "u10 u0 d1", "0 0 1 0");
    row("units + on 9999", "9 9 9 9", Place::Units, true, "u10 u0 d10 d0 c10 c0 m10 m9", "9 0 0 0");
    row("units - on 0", "0 0 0 0", Place::Units, false, "u-1 u9 d-1 d9 c-1 c9 m-1 m0", "0 9 9 9");
    row("units - on 1000", "1 0 0 0", Place::Units, false, "u-1 u9 d-1 d9 c-1 c9 m0", "0 9 9 9");
    row("thousands + on 9", "9 3 4 5", Place::Thousands, true, "m10 m9", "9 3 4 5");
    row("thousands - on 0", "0 3 4 5", Place::Thousands, false, "m-1 m0", "0 3 4 5");
    row("hundreds + on 9950", "9 9 5 0", Place::Hundreds, true, "c10 c0 m10 m9", "9 0 5 0");
    row("tens - on 5", "0 0 0 5", Place::Tens, false, "d-1 d9 c-1 c9 m-1 m0", "0 9 9 5");
    // digits are taken from the variables, not read back from the texts
    row("tens + on 07", "0 0 07 3", Place::Tens, true, "d8", "0 0 8 3");
    // a higher box holding "10"
    row("units + below a ten", "0 0 10 3", Place::Units, true, "u4 d0 c1", "0 1 0 4");
    row("thousands ten set to 9", "10 0 0 3", Place::Units, true, "u4 m9", "9 0 0 4");
    row("tens + on its ten", "0 0 10 3", Place::Tens, true, "d11 d0", "0 0 0 3", 1);
    row("tens - on its ten", "0 0 10 3", Place::Tens, false, "d9", "0 0 9 3");
    // 16-bit overflow stops the press; what was written stays
    row("- on lowest", "0 0 -32768 0", Place::Tens, false, "", "0 0 -32768 0", 0, false);
    row("borrow into lowest", "0 0 -32768 0", Place::Units, false, "u-1 u9", "0 0 -32768 9", 0,
        false);
}

void TestAbacusCore::presses()
{
    QFETCH(QString, before);
    QFETCH(Place, place);
    QFETCH(bool, up);
    QFETCH(QString, writes);
    QFETCH(QString, after);
    QFETCH(int, errors);
    QFETCH(bool, completes);

    RecordingListener listener;
    AbacusCore core(&listener);
    setTexts(core, before.split(' '));
    listener.clear();

    QCOMPARE(up ? core.stepUp(place) : core.stepDown(place), completes);

    QStringList written;
    for (const auto &write : listener.writes)
        written << QChar("udcm"[tallino::indexOf(write.place)])
                + QString::fromStdString(write.text);
    QCOMPARE(written.join(' '), writes);
    QCOMPARE(textsOf(core).join(' '), after);
    QCOMPARE(listener.errors, errors);
    for (Place p : tallino::allPlaces) {
        if (core.digit(p) >= 0 && core.digit(p) <= 9)
            QCOMPARE(shownBeads(core, p), core.digit(p));
    }
}

void TestAbacusCore::everyPressFollowsTheRule()
{
    AbacusCore core;
    for (int number = 0; number < 10000; ++number) {
        const QString digits = QString::number(number).rightJustified(4, '0');
        for (int button = 0; button < 8; ++button) {
            const auto place = static_cast<Place>(button / 2);
            const bool up = button % 2 == 0;
            setTexts(core, QString(digits).split(QString(), Qt::SkipEmptyParts));
            QVERIFY(up ? core.stepUp(place) : core.stepDown(place));
            const int shown = core.cifraMigliaia() * 1000 + core.cifraCentinaia() * 100
                + core.cifraDecine() * 10 + core.cifraUnit();
            const int placeValue = int(std::pow(10, button / 2));
            if (shown != expectedAfterPress(number, placeValue, up))
                QFAIL(qPrintable(
                    QString("%1 %2 on %3").arg(up ? '+' : '-').arg(placeValue).arg(number)));
        }
    }
}

void TestAbacusCore::keyFilter_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("passes");

    const std::pair<const char *, int> dropped[] = { { "nothing", 0 }, { "Ctrl+A", 1 },
        { "Backspace", 8 }, { "Enter", 13 }, { "Ctrl+Z", 26 }, { "Escape", 27 }, { "below 0", 47 },
        { "above 9", 58 }, { "a grave", 0xE0 }, { "highest", 32767 }, { "negative", -32768 } };
    for (const auto &[name, code] : dropped)
        QTest::newRow(name) << code << false;
    for (int digit = '0'; digit <= '9'; ++digit)
        QTest::newRow(qPrintable(QString(QChar(digit)))) << digit << true;
}

void TestAbacusCore::keyFilter()
{
    QFETCH(int, code);
    QFETCH(bool, passes);
    QCOMPARE(tallino::filterDigitKey(static_cast<std::int16_t>(code)), passes ? code : 0);
}

QTEST_GUILESS_MAIN(TestAbacusCore)
#include "tst_abacuscore.moc"
