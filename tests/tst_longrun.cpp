// Long random runs through the real widgets, checked event by event against a model of what
// the child must see, and hostile pastes. TALLINO_SEED and TALLINO_EVENTS change the run.

#include "windowtestsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QTest>

#include <array>
#include <optional>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

using tallino::AbacusWindow;
using tallino::Place;

namespace {

constexpr int places = tallino::placeCount;
constexpr int thousands = places - 1;

// Read the way a box is read: blanks (space, tab) around, one sign, ASCII digits, 16 bits.
std::optional<int> read16(QStringView text)
{
    while (!text.isEmpty() && (text.front() == u' ' || text.front() == u'\t'))
        text = text.mid(1);
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.mid(1);
    if (text.isEmpty())
        return std::nullopt;
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > 32768)
            return std::nullopt;
    }
    value = negative ? -value : value;
    return value > 32767 ? std::nullopt : std::optional<int>(value);
}

// What the child must see, worked out from the rules alone.
struct Model {
    struct Column {
        QString text = QStringLiteral("0");
        int digit = 0;
        int beads = 0;
    };
    std::array<Column, places> columns;
    bool errorShown = false;

    void change(int place)
    {
        Column &c = columns[place];
        const std::optional<int> value = read16(c.text);
        if (c.text.isEmpty()) {
            c.digit = 0;
            c.beads = 0;
        } else if (!value || *value > 10) {
            errorShown = true;
            c = Column {};
        } else {
            c.digit = *value;
            if (*value >= 0 && *value <= 9)
                c.beads = *value;
        }
    }
    void write(int place, const QString &text)
    {
        columns[place].text = text;
        change(place);
    }
    bool writeStepped(int place, int delta)
    {
        const int next = columns[place].digit + delta;
        if (next < -32768 || next > 32767)
            return false;
        write(place, QString::number(next));
        return true;
    }
    void press(int from, int delta)
    {
        const auto beyond = [delta](int digit) {
            return delta > 0 ? digit > 9 : digit < 0;
        };
        if (!writeStepped(from, delta))
            return;
        for (int place = from; place < thousands; ++place) {
            if (!beyond(columns[place].digit))
                continue;
            write(place, delta > 0 ? QStringLiteral("0") : QStringLiteral("9"));
            if (!writeStepped(place + 1, delta))
                return;
        }
        if (beyond(columns[thousands].digit))
            write(thousands, delta > 0 ? QStringLiteral("9") : QStringLiteral("0"));
    }
    // Typing and pasting never lengthen a box past two characters.
    void userEdit(int place, const QString &text)
    {
        if (text.size() <= std::max<qsizetype>(2, columns[place].text.size()))
            write(place, text);
    }
};

// Where typing goes: the cursor, or the whole text when it is selected.
struct Caret {
    int position = 0;
    bool all = false;
};

QString replaced(const QString &text, Caret caret, const QString &piece)
{
    return caret.all ? piece : text.left(caret.position) + piece + text.mid(caret.position);
}

struct StepButton {
    const char *name;
    int place;
    int delta;
};

constexpr StepButton stepButtons[] = { { "Command1", 0, +1 }, { "Command2", 0, -1 },
    { "Command4", 1, +1 }, { "Command3", 1, -1 }, { "Command6", 2, +1 }, { "Command5", 2, -1 },
    { "Command8", 3, +1 }, { "Command7", 3, -1 } };

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    const char *name;
};

// None of these may change a box: the boxes take digits only.
const Key otherKeys[] = {
    { Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), "a" },
    { Qt::Key_B, Qt::ShiftModifier, QStringLiteral("B"), "B" },
    { Qt::Key_Minus, Qt::NoModifier, QStringLiteral("-"), "-" },
    { Qt::Key_Plus, Qt::NoModifier, QStringLiteral("+"), "+" },
    { Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), "space" },
    { Qt::Key_Period, Qt::NoModifier, QStringLiteral("."), "." },
    { Qt::Key_Agrave, Qt::NoModifier, QStringLiteral("à"), "à" },
    { Qt::Key_unknown, Qt::NoModifier, QStringLiteral("😀"), "emoji" },
    { Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"), "Backspace" },
    { Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), "Enter" },
    { Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"), "Escape" },
    { Qt::Key_A, Qt::ControlModifier, QString(), "Ctrl+A" },
    { Qt::Key_V, Qt::ControlModifier, QString(), "Ctrl+V" },
    { Qt::Key_X, Qt::ControlModifier, QString(), "Ctrl+X" },
    { Qt::Key_Z, Qt::ControlModifier, QString(), "Ctrl+Z" },
    { Qt::Key_K, Qt::ControlModifier, QString(), "Ctrl+K" },
    { Qt::Key_5, Qt::NoModifier, QStringLiteral("5a"), "5a in one press" },
    { Qt::Key_1, Qt::NoModifier, QStringLiteral("1 "), "1 and space in one press" },
};

const QColor windowColour(163, 224, 215);

using windowtest::flushDeletes;

// The window and the model side by side: every event is done on both.
class Session {
public:
    explicit Session(quint32 seed) : random_(seed)
    {
        window_.show();
        window_.activateWindow();
    }

    AbacusWindow &window() { return window_; }
    const Model &model() const { return model_; }

    QString randomEvent();
    void paste(Place place, Caret caret, const QString &clip);
    void pasteOverAll(Place place, const QString &clip);
    Caret aimAtEnd(Place place);
    void closeError(bool withButton);
    QString mismatch() const;
    QString beadPixelMismatch() const;

private:
    Caret aim(Place place);
    QString clickStep();
    QString type(Place place);
    QString pressDelete(Place place);
    QString randomPaste(Place place);

    AbacusWindow window_;
    Model model_;
    QRandomGenerator random_;
};

QString Session::randomEvent()
{
    const auto place = static_cast<Place>(random_.bounded(places));
    const int roll = random_.bounded(100);
    if (roll < 40)
        return clickStep();
    if (roll < 75)
        return type(place);
    if (roll < 83)
        return pressDelete(place);
    if (roll < 95)
        return randomPaste(place);
    if (model_.errorShown) {
        closeError(roll % 2 == 0);
        return QStringLiteral("close the error dialog");
    }
    QCoreApplication::processEvents();
    return QStringLiteral("process events");
}

QString Session::clickStep()
{
    const StepButton &step = stepButtons[random_.bounded(int(std::size(stepButtons)))];
    auto *button = window_.findChild<QPushButton *>(QString::fromLatin1(step.name));
    if (random_.bounded(2))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        button->click();
    model_.press(step.place, step.delta);
    return QString::fromLatin1(step.name);
}

// Focus and cursor put into a box the way a user might; Home, End and the arrows must work.
Caret Session::aim(Place place)
{
    tallino::DigitBox *box = window_.box(place);
    box->setFocus();
    const int length = int(model_.columns[tallino::indexOf(place)].text.size());
    const int position = random_.bounded(length + 1);
    box->setCursorPosition(position);
    switch (random_.bounded(8)) {
    case 0:
        box->selectAll();
        return { 0, length > 0 };
    case 1:
        QTest::keyClick(box, Qt::Key_Home);
        return { 0 };
    case 2:
        QTest::keyClick(box, Qt::Key_End);
        return { length };
    case 3:
        QTest::keyClick(box, Qt::Key_Left);
        return { std::max(0, position - 1) };
    case 4:
        QTest::keyClick(box, Qt::Key_Right);
        return { std::min(length, position + 1) };
    default:
        return { position };
    }
}

Caret Session::aimAtEnd(Place place)
{
    tallino::DigitBox *box = window_.box(place);
    box->setFocus();
    box->end(false);
    return { int(box->text().size()) };
}

QString Session::type(Place place)
{
    const Caret caret = aim(place);
    tallino::DigitBox *box = window_.box(place);
    const int p = tallino::indexOf(place);
    if (random_.bounded(3) > 0) {
        const QString digit = QString::number(random_.bounded(10));
        QTest::keyClick(box, digit.front().toLatin1());
        model_.userEdit(p, replaced(model_.columns[p].text, caret, digit));
        return QStringLiteral("type %1 into %2 at %3")
            .arg(digit, box->objectName())
            .arg(caret.position);
    }
    const Key &key = otherKeys[random_.bounded(int(std::size(otherKeys)))];
    QTest::sendKeyEvent(QTest::Click, box, key.key, key.text, key.modifiers);
    return QStringLiteral("key %1 into %2").arg(QString::fromUtf8(key.name), box->objectName());
}

QString Session::pressDelete(Place place)
{
    const Caret caret = aim(place);
    const int p = tallino::indexOf(place);
    const QString &text = model_.columns[p].text;
    QTest::keyClick(window_.box(place), Qt::Key_Delete);
    if (caret.all)
        model_.userEdit(p, QString());
    else if (caret.position < text.size())
        model_.userEdit(p, QString(text).remove(caret.position, 1));
    return QStringLiteral("Delete in %1 at %2")
        .arg(window_.box(place)->objectName())
        .arg(caret.position);
}

void Session::paste(Place place, Caret caret, const QString &clip)
{
    QGuiApplication::clipboard()->setText(clip);
    window_.box(place)->paste();
    const int p = tallino::indexOf(place);
    if (!clip.isEmpty() || caret.all)
        model_.userEdit(p, replaced(model_.columns[p].text, caret, clip));
}

void Session::pasteOverAll(Place place, const QString &clip)
{
    window_.box(place)->setFocus();
    window_.box(place)->selectAll();
    paste(place, { 0, !model_.columns[tallino::indexOf(place)].text.isEmpty() }, clip);
}

QString Session::randomPaste(Place place)
{
    static const QString alphabet = QStringLiteral("0123456789012345 \t+-a.à\n");
    const int length = random_.bounded(2) ? random_.bounded(4) : random_.bounded(3, 40);
    QString clip;
    for (int i = 0; i < length; ++i)
        clip += alphabet[random_.bounded(int(alphabet.size()))];
    paste(place, aim(place), clip);
    return QStringLiteral("paste \"%1\" into %2").arg(clip, window_.box(place)->objectName());
}

void Session::closeError(bool withButton)
{
    QWidget *dialog = window_.errorDialog();
    if (withButton)
        QTest::mouseClick(
            dialog->findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
    else
        dialog->close();
    flushDeletes();
    model_.errorShown = false;
}

// Text, digit and beads of a column, as "text"/digit/beads.
QString columnState(const QString &text, int digit, int beads)
{
    return QStringLiteral("\"%1\"/%2/%3").arg(text).arg(digit).arg(beads);
}

QString Session::mismatch() const
{
    QString wrong;
    for (Place place : tallino::allPlaces) {
        const Model::Column &c = model_.columns[tallino::indexOf(place)];
        const QString want = columnState(c.text, c.digit, c.beads);
        const QString seen = columnState(window_.box(place)->text(), window_.core().digit(place),
            window_.canvas()->shownBeads(place));
        if (seen != want)
            wrong += QStringLiteral(" %1 is %2, not %3;")
                         .arg(window_.box(place)->objectName(), seen, want);
    }
    const int expected = model_.errorShown ? 1 : 0;
    const int dialogs = windowtest::openWindows("dialog");
    if (dialogs != expected)
        wrong += QStringLiteral(" %1 error dialogs open, not %2;").arg(dialogs).arg(expected);
    if ((window_.errorDialog() != nullptr) != model_.errorShown)
        wrong += QStringLiteral(" the error dialog is%1 there;").arg(expected ? " not" : "");
    return wrong;
}

// Samples each bead a little right of its centre, clear of the rod drawn through it: in a fresh
// rendering of the canvas, and on the window as last painted, which only the canvas's own
// updates keep right.
QString Session::beadPixelMismatch() const
{
    QCoreApplication::processEvents();
    struct Shot {
        QImage image;
        QPoint origin; // of the image, in the window
        const char *name;
    };
    const Shot shots[] = {
        { window_.canvas()->grab().toImage(), window_.canvas()->pos(), "rendered" },
        { window_.screen()->grabWindow(window_.winId()).toImage(), {}, "on screen" },
    };
    QString wrong;
    for (Place place : tallino::allPlaces) {
        for (int rank = 1; rank <= tallino::beadsPerRod; ++rank) {
            const QPointF centre =
                tallino::BeadCanvas::beadCircle(place, rank).center() / tallino::twipsPerPixel;
            const bool shown = rank <= model_.columns[tallino::indexOf(place)].beads;
            const QColor want = shown ? windowtest::beadFill(place) : windowColour;
            for (const Shot &shot : shots) {
                const QPointF spot = centre + QPointF(10, 0) - shot.origin;
                const QColor seen =
                    shot.image.pixelColor((spot * shot.image.devicePixelRatio()).toPoint());
                if (seen != want)
                    wrong += QStringLiteral(" bead %1 of %2 is %3 %4;")
                                 .arg(rank)
                                 .arg(window_.box(place)->objectName(), seen.name(),
                                     QLatin1String(shot.name));
            }
        }
    }
    return wrong;
}

std::optional<qint64> residentBytes()
{
#ifdef Q_OS_LINUX
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() > 1)
        return fields[1].toLongLong() * sysconf(_SC_PAGESIZE);
#endif
    return std::nullopt;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool addressSanitizer = true;
#elif defined(__has_feature)
constexpr bool addressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool addressSanitizer = false;
#endif

// One showing and closing of a window, each the way a user gets there.
bool showAndCloseError(AbacusWindow &window)
{
    tallino::DigitBox *box = window.box(Place::Tens);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("12"));
    QWidget *dialog = window.errorDialog();
    if (!dialog)
        return false;
    QCoreApplication::processEvents(); // painted, as on a screen
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
    flushDeletes();
    return !window.errorDialog();
}

bool showAndCloseAbout(AbacusWindow &window)
{
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("Command9")), Qt::LeftButton);
    QWidget *about = window.aboutWindow();
    if (!about)
        return false;
    QCoreApplication::processEvents();
    QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    flushDeletes();
    return !window.aboutWindow();
}

QtMessageHandler testLogger = nullptr;

// The offscreen platform says so at every showing of a dialog, which would bury the real
// messages.
void dropRaiseWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(QLatin1String("does not support raise()")))
        testLogger(type, context, message);
}

} // namespace

class TestLongRun : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testLogger = qInstallMessageHandler(dropRaiseWarnings); }
    void randomEvents();
    void hostilePaste_data();
    void hostilePaste();
    void windowsDoNotPileUp_data();
    void windowsDoNotPileUp();
};

void TestLongRun::randomEvents()
{
    const quint32 seed = qEnvironmentVariableIsSet("TALLINO_SEED")
        ? quint32(qEnvironmentVariableIntValue("TALLINO_SEED"))
        : 20240611u;
    const int events = qEnvironmentVariableIsSet("TALLINO_EVENTS")
        ? qEnvironmentVariableIntValue("TALLINO_EVENTS")
        : 50000;
    qInfo("seed %u, %d events", seed, events);
    Session session(seed);
    QVERIFY(QTest::qWaitForWindowActive(&session.window()));
    for (int i = 0; i < events; ++i) {
        const QString event = session.randomEvent();
        QString wrong = session.mismatch();
        if (i % 250 == 0)
            wrong += session.beadPixelMismatch();
        if (!wrong.isEmpty())
            QFAIL(qPrintable(
                QStringLiteral("seed %1, event %2, %3:%4").arg(seed).arg(i).arg(event, wrong)));
    }
}

void TestLongRun::hostilePaste_data()
{
    QTest::addColumn<QString>("clip");

    QTest::newRow("a megabyte of digits") << QString(1 << 20, u'7');
    QTest::newRow("a megabyte of letters") << QString(1 << 20, u'x');
    QTest::newRow("hundred digits") << QString(100, u'9');
    QTest::newRow("NUL") << QString(QChar(0));
    QTest::newRow("NUL and digit") << QString(QChar(0)) + u'5';
    QTest::newRow("right-to-left mark") << QStringLiteral("\u200F");
    QTest::newRow("right-to-left mark and digit") << QStringLiteral("\u200F5");
    QTest::newRow("emoji") << QStringLiteral("😀");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800));
    QTest::newRow("full-width digit") << QStringLiteral("５");
    QTest::newRow("no-break space and digit") << QStringLiteral("\u00A05");
    QTest::newRow("newline and digit") << QStringLiteral("\n5");
    QTest::newRow("tab and digit") << QStringLiteral("\t5");
}

// Into an empty box, after a digit, and over a selected digit, in every box.
void TestLongRun::hostilePaste()
{
    QFETCH(QString, clip);
    Session session(1);
    QVERIFY(QTest::qWaitForWindowActive(&session.window()));
    for (Place place : tallino::allPlaces) {
        for (int start = 0; start < 3; ++start) {
            tallino::DigitBox *box = session.window().box(place);
            session.pasteOverAll(place, start == 0 ? QString() : QStringLiteral("4"));
            Caret caret = session.aimAtEnd(place);
            if (start == 2) {
                box->selectAll();
                caret.all = true;
            }
            session.paste(place, caret, clip);
            QVERIFY2(box->text().size() <= 2, qPrintable(box->objectName()));
            const QString wrong = session.mismatch();
            QVERIFY2(
                wrong.isEmpty(), qPrintable(QStringLiteral("start %1:%2").arg(start).arg(wrong)));
            if (session.model().errorShown)
                session.closeError(true);
        }
    }
}

void TestLongRun::windowsDoNotPileUp_data()
{
    QTest::addColumn<bool>("about");
    QTest::newRow("error dialog") << false;
    QTest::newRow("About window") << true;
}

// Each showing builds its window anew: a thousand of them must leave neither windows nor memory.
void TestLongRun::windowsDoNotPileUp()
{
    QFETCH(bool, about);
    AbacusWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto showAndClose = about ? showAndCloseAbout : showAndCloseError;
    for (int i = 0; i < 100; ++i)
        QVERIFY(showAndClose(window));
    const qsizetype windows = QApplication::topLevelWidgets().size();
    const std::optional<qint64> before = residentBytes();
    for (int i = 0; i < 1000; ++i)
        QVERIFY(showAndClose(window));
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    if (!before)
        QSKIP("no resident size to read here");
    if (addressSanitizer)
        QSKIP("freed memory stays in quarantine under ASan, whose leak check stands in here");
    const qint64 growth = *residentBytes() - *before;
    QVERIFY2(growth < 2 << 20, qPrintable(QStringLiteral("grew by %1 bytes").arg(growth)));
}

QTEST_MAIN(TestLongRun)
#include "tst_longrun.moc"
