#include "windowsupport.h"

#include <QFontMetricsF>
#include <QTest>

namespace {

const QString title = QStringLiteral("TALLINO");

double inkWidth(const QFont &font)
{
    const QFontMetricsF metrics(font);
    return std::max(metrics.horizontalAdvance(title), metrics.tightBoundingRect(title).right());
}

// The plain search the fitting must agree with: every even stretch from 100 down to 52.
int stretchFoundOneByOne(QFont font, int width)
{
    if (inkWidth(font) <= width)
        return font.stretch();
    for (int stretch = 100; stretch >= 52; stretch -= 2) {
        font.setStretch(stretch);
        if (inkWidth(font) <= width)
            return stretch;
    }
    return 52;
}

} // namespace

class TestTitleFit : public QObject {
    Q_OBJECT

private slots:
    void narrowedToTheWidestStretchThatFits_data();
    void narrowedToTheWidestStretchThatFits();
};

void TestTitleFit::narrowedToTheWidestStretchThatFits_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("room to spare") << 600;
    QTest::newRow("the title box") << 211;
    QTest::newRow("a little narrower") << 190;
    QTest::newRow("half") << 150;
    QTest::newRow("too narrow for any") << 40;
}

void TestTitleFit::narrowedToTheWidestStretchThatFits()
{
    QFETCH(int, width);
    QFont missing(QStringLiteral("No Such Family For Tallino"));
    missing.setPointSizeF(48);
    missing.setBold(true);
    QFont substitute = missing;
    substitute.setFamilies({ QStringLiteral("Z003") });

    const QFont fitted = tallino::fittedFont(missing, { QStringLiteral("Z003") }, title, width);
    QCOMPARE(fitted.families(), substitute.families());
    QCOMPARE(fitted.stretch(), stretchFoundOneByOne(substitute, width));
    if (fitted.stretch() > 52)
        QVERIFY(inkWidth(fitted) <= width);
}

QTEST_MAIN(TestTitleFit)
#include "tst_titlefit.moc"
