#include "abacuscore.h"

#include <QTest>

using tallino::AbacusCore;
using tallino::Place;

// What the window hears: "u10" the program writes "10" into the units box, "u#3" the units
// beads of ranks 1 to 3 are shown and the others hidden, "!" the error dialog is asked for.
struct Log : tallino::AbacusListener {
    QStringList entries;
    void textWritten(Place place, std::string_view text) override
    {
        entries << u"udcm"[int(place)] + QString::fromUtf8(text.data(), qsizetype(text.size()));
    }
    void beadsSet(Place place, int shown) override
    {
        entries << u"udcm"[int(place)] + QStringLiteral("#%1").arg(shown);
    }
    void errorRequested() override { entries << QStringLiteral("!"); }
};

// Thousands first, each box's text; then "=digit" where the text does not spell its digit, and
// "#n" where the n visible beads differ from the digit ("#?" when they are no pile from rank 1).
static QString state(const AbacusCore &core)
{
    QStringList columns;
    for (int i = 3; i >= 0; --i) {
        QString column = QString::fromStdString(core.text(Place(i)));
        const QString digit = QString::number(core.digit(Place(i)));
        QString beads;
        for (int rank = 1; rank <= 9; ++rank)
            beads += core.isBeadVisible(Place(i), rank) ? u'1' : u'0';
        const qsizetype shown = beads.count(u'1');
        if (column != digit)
            column += u'=' + digit;
        if (!beads.startsWith(QString(shown, u'1')))
            column += QStringLiteral("#?");
        else if (QString::number(shown) != digit)
            column += u'#' + QString::number(shown);
        columns << column;
    }
    return columns.join(u'|');
}

// The user's edits, thousands first: "1|0|0|7".
static void edit(AbacusCore &core, const QString &texts)
{
    const QStringList columns = texts.split(u'|');
    for (int i = 0; i < 4; ++i)
        core.edit(Place(3 - i), columns[i].toStdString());
}

class TestAbacusCore : public QObject {
    Q_OBJECT

private slots:
    void everyNumberUnderEveryButton()
    {
        const auto spelt = [](int number) {
            return QString::number(number)
                .rightJustified(4, u'0')
                .split(QString(), Qt::SkipEmptyParts)
                .join(u'|');
        };
        for (int n = 0; n <= 9999; ++n) {
            for (int place = 0, s = 1; place < 4; ++place, s *= 10) {
                for (int delta : { +1, -1 }) {
                    Log log;
                    AbacusCore core(log);
                    edit(core, spelt(n));
                    QVERIFY(core.step(Place(place), delta));
                    // Past the ends the thousands stop at 9 or 0, the places from the button's
                    // up to the hundreds wrap, those below it stay.
                    const int result = delta > 0 ? (n + s <= 9999 ? n + s : 9000 + n % s)
                                                 : (n >= s ? n - s : n % s + 999 - 999 % s);
                    QCOMPARE(state(core), spelt(result));
                    QVERIFY(!log.entries.contains(QStringLiteral("!")));
                }
            }
        }
    }

    void oddCases_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("action"); // "u+", "d-", or "c=text" typed
        QTest::addColumn<QString>("log"); // then "stop" when the press ended at an overflow
        QTest::addColumn<QString>("after");
        const auto row = [](const char *name, const char *before, const char *action,
                             const char *log, const char *after) {
            QTest::newRow(name) << QString(before) << QString(action) << QString(log)
                                << QString(after);
        };
        // The worked presses, write for write
        row("units + on 9999", "9|9|9|9", "u+", "u10 u0 u#0 d10 d0 d#0 c10 c0 c#0 m10 m9 m#9",
            "9|0|0|0");
        row("units - on 1000", "1|0|0|0", "u-", "u-1 u9 u#9 d-1 d9 d#9 c-1 c9 c#9 m0 m#0",
            "0|9|9|9");
        row("thousands + on 9", "9|1|2|3", "m+", "m10 m9 m#9", "9|1|2|3");
        // A "10" left in a box
        row("units + carries a tens 10", "0|0|10|3", "u+", "u4 u#4 d0 d#0 c1 c#1", "0|1|0|4");
        row("+ on a 10 is rejected", "0|0|0|10", "u+", "u11 ! u0 u#0 u#0", "0|0|0|0");
        row("- on a 10", "0|0|0|10", "u-", "u9 u#9", "0|0|0|9");
        row("any + sets a thousands 10 to 9", "10|0|0|3", "u+", "u4 u#4 m9 m#9", "9|0|0|4");
        // Typed values
        row("10 keeps the beads", "0|0|0|1", "u=10", "", "0|0|0|10#1");
        row("-1 keeps the beads", "0|0|0|4", "u=-1", "", "0|0|0|-1#4");
        row("50 resets, beads hidden twice", "0|3|0|7", "c=50", "! c0 c#0 c#0", "0|0|0|7");
        row("leading zero", "0|0|0|0", "u=07", "u#7", "0|0|0|07=7");
        row("blanks and a plus", "0|0|0|0", "d= +4 ", "d#4", "0|0| +4 =4|0");
        row("emptied box", "0|0|0|7", "u=", "u#0", "0|0|0|=0");
        // The 16-bit ends
        row("down to -32768", "0|0|0|-32767", "u-",
            "u-32768 u9 u#9 d-1 d9 d#9 c-1 c9 c#9 m-1 m0 m#0", "0|9|9|9");
        row("- on -32768 stops", "0|0|0|-32768", "u-", "stop", "0|0|0|-32768#0");
        row("stop keeps earlier writes", "0|0|-32768|0", "u-", "u-1 u9 u#9 stop", "0|0|-32768#0|9");
    }
    void oddCases()
    {
        QFETCH(QString, before);
        QFETCH(QString, action);
        QFETCH(QString, log);
        QFETCH(QString, after);
        Log listener;
        AbacusCore core(listener);
        edit(core, before);
        listener.entries.clear();
        const Place place = Place(QStringLiteral("udcm").indexOf(action[0]));
        if (action[1] == u'=')
            core.edit(place, action.mid(2).toStdString());
        else if (!core.step(place, action[1] == u'+' ? +1 : -1))
            listener.entries << QStringLiteral("stop");
        QCOMPARE(listener.entries.join(u' '), log);
        QCOMPARE(state(core), after);
    }
};

QTEST_APPLESS_MAIN(TestAbacusCore)
#include "tst_abacuscore.moc"
