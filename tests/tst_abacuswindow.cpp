#include "abacuswindow.h"
#include "windowsupport.h"

#include <QtTest>
#include <QtWidgets>

// Run under an English locale on a screen of 400 by 500 pixels: smaller than the abacus window
// both ways, narrower than the error dialog, larger than the About window.

// Thousands first, as the number is read.
static const char *const boxNames[] = { "migliaia", "centinaia", "decine", "unità" };

static int px(int twips)
{
    return qRound(twips / 15.0);
}

// What reached the screen once the pending paints are done: a missed repaint shows.
static QImage onScreen(const QWidget *top)
{
    QCoreApplication::processEvents();
    return top->screen()->grabWindow(top->winId()).toImage();
}
static QColor at(const QImage &image, double xTwips, double yTwips)
{
    return image.pixelColor(int(xTwips / 15), int(yTwips / 15));
}
// The probes, in twips from the client area's top left, that show another colour: "x,y #seen".
static QString misses(
    const QImage &image, std::initializer_list<std::tuple<double, double, QColor>> probes)
{
    QStringList found;
    for (const auto &[x, y, colour] : probes) {
        if (at(image, x, y) != colour)
            found << QStringLiteral("%1,%2 %3").arg(x).arg(y).arg(at(image, x, y).name());
    }
    return found.join(u' ');
}

// Against a picture in tests/ reviewed by eye against the description; on a difference, what
// was seen and a map of the differing pixels (red) are written beside the test program.
static bool looksLike(const QImage &seen, const char *reference)
{
    const QImage wanted = QImage(QFINDTESTDATA(reference)).convertToFormat(QImage::Format_ARGB32);
    QImage diff = seen.convertToFormat(QImage::Format_ARGB32);
    if (diff == wanted)
        return true;
    const QString base = QCoreApplication::applicationDirPath() + u'/' + reference;
    diff.save(base + ".seen.png");
    for (int y = 0; y < diff.height(); ++y) {
        for (int x = 0; x < diff.width(); ++x)
            diff.setPixel(x, y,
                wanted.valid(x, y) && diff.pixel(x, y) == wanted.pixel(x, y) ? 0 : 0xffff0000);
    }
    diff.save(base + ".diff.png");
    return false;
}

// How a control sets out its text: the font asked for when it is not the toolkit's own, the
// side it keeps to, whether it wraps.
static QString look(const QWidget *control)
{
    const QFont font = control->font();
    QStringList words;
    if (font != QApplication::font(control))
        words << font.family() << QString::number(font.pointSizeF())
              << (font.bold() ? "bold" : "plain");
    if (const auto side = control->property("alignment").value<Qt::Alignment>())
        words << (side & Qt::AlignHCenter ? "centred" : side & Qt::AlignLeft ? "left" : "right");
    if (control->property("wordWrap").toBool())
        words << "wrapped";
    return words.join(u' ');
}

// Centred on the available area, frame and all, but never with its top-left corner off it.
static bool isPlaced(const QWidget *window)
{
    const QRect room = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    const auto placed = [](int start, int size, int roomStart, int roomSize) {
        return size > roomSize ? start == roomStart
                               : std::abs(2 * (start - roomStart) + size - roomSize) <= 2;
    };
    return placed(frame.left(), frame.width(), room.left(), room.width())
        && placed(frame.top(), frame.height(), room.top(), room.height());
}

class TestAbacusWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<tallino::AbacusWindow> window;

    template<class T = QWidget> T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromUtf8(name));
    }
    // Over the whole text, as a child does after selecting it.
    void type(const char *box, const QString &keys)
    {
        child<QLineEdit>(box)->selectAll();
        QTest::keyClicks(child(box), keys);
    }
    void typeNumber(const QString &digits)
    {
        for (int i = 0; i < 4; ++i)
            type(boxNames[i], digits.mid(i, 1));
    }
    // The error dialog (by a rejected value) or the About window, asked for that many times:
    // the one of that name on screen, none if there are several.
    QWidget *open(const QString &name, int times = 2)
    {
        for (int i = 0; i < times; ++i)
            name == u"dialog" ? type("unità", QStringLiteral("12"))
                              : QTest::mouseClick(child<QPushButton>("Command9"), Qt::LeftButton);
        QWidgetList shown;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && top->objectName() == name)
                shown << top;
        }
        return shown.size() == 1 ? shown[0] : nullptr;
    }

private slots:
    void initTestCase() { tallino::setUpApplication(); }
    void init()
    {
        window = std::make_unique<tallino::AbacusWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup()
    {
        window.reset(); // and with it the windows it opened
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void layout_data()
    {
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("look"); // as look() tells it; "" for a plain button
        const auto row = [](const char *name, int left, int top, int width, int height,
                             const QString &text, const char *look) {
            QTest::newRow(name) << QRect(px(left), px(top), px(width), px(height)) << text
                                << QString(look);
        };
        const char *step = "MS Sans Serif 13.5 bold";
        const char *letter = "MS Sans Serif 13.5 bold centred";
        const char *digit = "MS Sans Serif 24 bold centred";
        const char *prose = "left wrapped"; // in the toolkit's font
        row("Command8", 473, 120, 495, 495, "+", step);
        row("Command6", 1553, 120, 495, 495, "+", step);
        row("Command4", 2633, 120, 495, 495, "+", step);
        row("Command1", 3713, 120, 495, 495, "+", step);
        row("Command7", 480, 600, 495, 495, "-", step);
        row("Command5", 1560, 600, 495, 495, "-", step);
        row("Command3", 2640, 600, 495, 495, "-", step);
        row("Command2", 3720, 600, 495, 495, "-", step);
        row("Text1", 480, 6120, 495, 495, "m", letter);
        row("Text2", 1560, 6120, 495, 495, "c", letter);
        row("Text3", 2640, 6120, 495, 495, "da", letter);
        row("Text4", 3720, 6120, 495, 495, "u", letter);
        row("migliaia", 750, 6960, 795, 675, "0", digit);
        row("centinaia", 1560, 6960, 795, 675, "0", digit);
        row("decine", 2340, 6960, 795, 675, "0", digit);
        row("unità", 3135, 6960, 795, 675, "0", digit);
        row("Label1", 4500, 120, 3255, 1455, "TALLINO", "Curlz MT 48 bold centred");
        const auto blanks = [](int count) {
            return QString(count, u' ');
        };
        row("Label2", 4560, 1680, 3135, 3255,
            "Premi i bottoni + e - per aumentare rispettivamente di:" + blanks(2) + "una unità,"
                + blanks(35) + "una decina," + blanks(33) + "un centinaio," + blanks(31)
                + "un migliaio." + blanks(30) + "Altrimenti puoi inserire direttamente" + blanks(2)
                + "il numero in cifre." + blanks(34)
                + "Vedrai apparire il numero così composto in cifre e la sua rappresentazione "
                  "sull' tallino."
                + blanks(5),
            "MS Sans Serif 9.75 bold left wrapped");
        row("Command9", 4560, 6960, 3135, 735, "QUIRDO'S", "MS Sans Serif 18 bold");
        row("Command10", 120, 7800, 7575, 375, "FINE", "MS Sans Serif 13.5 plain");
        row("dialog/OKButton", 600, 1440, 5055, 375, "OK", "");
        row("dialog/Label1", 720, 360, 4575, 855,
            "PUOI INSERIRE SOLO NUMERI" + blanks(9) + "COMPRESI TRA 0 E 9",
            "MS Sans Serif 13.5 bold left wrapped");
        row("frmAbout/picIcon", 240, 240, 540, 540, "", "left");
        row("frmAbout/cmdOK", 4245, 2625, 1260, 825, "OK", "");
        row("frmAbout/lblTitle", 1080, 240, 3885, 480, "tallino3.0", "Arial 18 bold left wrapped");
        row("frmAbout/lblDescription", 1050, 1125, 3885, 1050,
            "Questo programmino permette dii rappresentare su di un tallino unità, decine, "
            "centinaia e migliaia."
                + blanks(189) + "Dedicato a mio papà",
            prose);
        row("frmAbout/lblDisclaimer", 255, 2625, 3870, 825,
            "Programma gratuito per la scuola: copialo e regalalo liberamente, ma non venderlo. "
            "Nessuna garanzia.",
            prose);
    }
    void layout()
    {
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(QString, look);
        const QStringList path = QString::fromUtf8(QTest::currentDataTag()).split(u'/');
        const QWidget *top = path.size() == 1 ? window.get() : open(path[0]);
        QVERIFY(top);
        const QList<QWidget *> found = top->findChildren<QWidget *>(path.last());
        QCOMPARE(found.size(), 1);
        const QWidget *control = found[0];
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(control->property("text").toString(), text);
        QCOMPARE(::look(control), look);
        QCOMPARE(control->isEnabled(), !path.last().startsWith(u"Text"));
        // The text shows in the system's text colour (greyed on the rod letters), clear of any
        // border.
        const int ink =
            qGray(QApplication::palette(control)
                      .color(control->palette().currentColorGroup(), control->foregroundRole())
                      .rgb());
        const QImage shown = onScreen(top).copy(
            control->contentsRect().adjusted(3, 3, -3, -3).translated(control->pos()));
        bool inked = text.isEmpty();
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x)
                inked |= std::abs(qGray(shown.pixel(x, y)) - ink) < 8;
        }
        QVERIFY(inked);
    }

    void windowItself()
    {
        QCOMPARE(window->windowTitle(), "TALLINO");
        QCOMPARE(window->size(), QSize(518, 548));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(
            window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(looksLike(window->windowIcon().pixmap(32, 32).toImage(), "icon.png"));
        QVERIFY(isPlaced(window.get()));
        const auto *title = child<QLabel>("Label1");
        QVERIFY(QFontMetrics(title->font()).horizontalAdvance(title->text())
            <= title->contentsRect().width());
        // The disabled rod letters take no focus.
        QStringList order { QApplication::focusWidget()->objectName() };
        for (int i = 0; i < 14; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order,
            QStringList({ "Command2", "Command3", "Command5", "Command7", "unità", "decine",
                "centinaia", "migliaia", "Command8", "Command6", "Command4", "Command1", "Command9",
                "Command10", "Command2" }));
        // Screen readers hear what each control is for and the number the beads show.
        typeNumber(QStringLiteral("1025"));
        QStringList names;
        for (const char *name : { "Command4", "Command7", "centinaia", "Text4", "" })
            names << child(name)->accessibleName(); // the drawing has no name of its own
        QCOMPARE(names.join(u'|'),
            "Aggiungi una decina|Togli un migliaio|Cifra delle centinaia|"
            "Asta delle unità|1 migliaio, 0 centinaia, 2 decine, 5 unità");
    }

    void beads_data()
    {
        QTest::addColumn<int>("digit"); // in every box
        for (int digit = 0; digit <= 9; ++digit)
            QTest::addRow("%d", digit) << digit;
    }
    // The top bead of each rod, or the hidden first one, probed just inside and just outside its
    // circle (495 twips across, centred in its box); the rods over it and their ends.
    void beads()
    {
        QFETCH(int, digit);
        typeNumber(QString(4, QChar(u'0' + digit)));
        const QImage image = onScreen(window.get());
        const int boxLefts[] = { 120, 1200, 2280, 3375 };
        const int rodXs[] = { 720, 1800, 2880, 3960 };
        const QColor fills[] = { { 128, 128, 128 }, { 0, 0, 255 }, { 255, 0, 0 }, Qt::white };
        const QColor background(163, 224, 215), black(Qt::black);
        const double y = 1440 + 480 * (9 - std::max(digit, 1)) + 495 / 2.0;
        for (int rod = 0; rod < 4; ++rod) {
            const double x = boxLefts[rod] + 1215 / 2.0;
            const int rodX = rodXs[rod];
            const QColor fill = digit ? fills[rod] : background;
            // Rods 10 px wide whose round ends stand out 5 px, reaching into the base bar.
            QCOMPARE(
                misses(image,
                    { { x + 210, y, fill }, { x + 270, y, background }, { x + 105, y - 180, fill },
                        { x + 105, y - 262, background }, { rodX - 76, y, fill },
                        { rodX - 75, y, black }, { rodX + 74, y, black }, { rodX + 75, y, fill },
                        { rodX, 1320 - 75, black }, { rodX, 1320 - 90, background },
                        { rodX - 75, 5885, black } }),
                QString());
            // A smoothed outline of one pixel in the text colour.
            QCOMPARE(at(image, x + 240, y).value() < 96, digit > 0);
        }
        // The base bar 15 px thick, the title's single border line, the instructions.
        QCOMPARE(
            misses(image,
                { { 300, 5885, background }, { 300, 5895, black }, { 300, 6105, black },
                    { 300, 6120, background }, { 240 - 105, 6000, black },
                    { 240 - 120, 6000, background }, { 4440 + 95, 6000, black },
                    { 4440 + 110, 6000, background }, { 4400, 5400, background },
                    { 4500, 1500, black }, { 4515, 1500, { 128, 255, 255 } }, { 7740, 1500, black },
                    { 7725, 1500, { 128, 255, 255 } }, { 7600, 4850, { 94, 183, 152 } } }),
            QString());
    }

    void typing_data()
    {
        QTest::addColumn<QString>("before"); // typed, then "|" the caret; without one, selected
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("text"); // as the platform delivers it
        QTest::addColumn<QString>("after"); // "|" the caret; "00" is on the clipboard
        const auto row = [](const char *name, const char *before, QKeyCombination key,
                             const QString &text, const char *after) {
            QTest::newRow(name) << QString::fromUtf8(before) << key << text << QString(after);
        };
        const auto altGr = Qt::ControlModifier | Qt::AltModifier;
        row("digit", "|1", Qt::Key_0, "0", "0|1");
        row("third character", "10|", Qt::Key_0, "0", "10|");
        row("third character before the others", "|10", Qt::Key_0, "0", "|10");
        row("above 10, reset at once", "1|", Qt::Key_2, "2", "0|");
        row("Backspace", "10|", Qt::Key_Backspace, "\b", "10|");
        row("Backspace without text", "10|", Qt::Key_Backspace, "", "10|");
        row("Delete", "|10", Qt::Key_Delete, "\x7f", "|0");
        row("Enter", "1|", Qt::Key_Return, "\r", "1|");
        row("Escape", "1|", Qt::Key_Escape, "\x1b", "1|");
        row("nine", "0|", Qt::Key_9, "9", "09|");
        row("slash, below 0", "|1", Qt::Key_Slash, "/", "|1");
        row("colon, above 9", "1|", Qt::Key_Colon, ":", "1|");
        row("letter", "|1", Qt::Key_A, "a", "|1");
        row("accented letter", "|1", Qt::Key_Agrave, "à", "|1");
        row("Arabic-Indic three", "|1", Qt::Key_3, "٣", "|1");
        row("full-width three", "|1", Qt::Key_3, "３", "|1");
        row("AltGr @", "|1", altGr | Qt::Key_At, "@", "|1");
        row("AltGr #", "|1", altGr | Qt::Key_NumberSign, "#", "|1");
        row("AltGr [", "|1", altGr | Qt::Key_BracketLeft, "[", "|1");
        row("AltGr ]", "|1", altGr | Qt::Key_BracketRight, "]", "|1");
        row("AltGr digit", "1|", altGr | Qt::Key_0, "0", "10|");
        row("two digits in one press", "1", Qt::Key_1, "10", "10|");
        row("digit and letter in one press", "1", Qt::Key_1, "1a", "1|");
        row("Ctrl+V", "1", Qt::ControlModifier | Qt::Key_V, "", "1|");
        row("Shift+Insert pastes", "1", Qt::ShiftModifier | Qt::Key_Insert, "", "00|");
        row("Shift+Insert, three characters", "|1", Qt::ShiftModifier | Qt::Key_Insert, "", "|1");
        row("Left", "10|", Qt::Key_Left, "", "1|0");
        row("Right", "|10", Qt::Key_Right, "", "1|0");
        row("Home", "10|", Qt::Key_Home, "", "|10");
        row("End", "|10", Qt::Key_End, "", "10|");
    }
    void typing()
    {
        QFETCH(QString, before);
        QFETCH(QKeyCombination, key);
        QFETCH(QString, text);
        QFETCH(QString, after);
        QGuiApplication::clipboard()->setText(QStringLiteral("00"));
        for (const char *name : boxNames) {
            auto *box = child<QLineEdit>(name);
            type(name, QString(before).remove(u'|'));
            before.contains(u'|') ? box->setCursorPosition(before.indexOf(u'|')) : box->selectAll();
            QTest::sendKeyEvent(QTest::Click, box, key.key(), text, key.keyboardModifiers());
            QCOMPARE(box->text().insert(box->cursorPosition(), u'|'), after);
            // Text from an input method would pass the key filter by.
            QVERIFY(!box->inputMethodQuery(Qt::ImEnabled).toBool());
        }
    }
    // Each button steps its own place its own way; the rule itself is the core's.
    void buttons()
    {
        typeNumber(QStringLiteral("5555"));
        QString numbers;
        for (const char *button : { "Command8", "Command6", "Command4", "Command1", "Command7",
                 "Command5", "Command3", "Command2" }) {
            QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
            numbers += u' ';
            for (const char *box : boxNames)
                numbers += child<QLineEdit>(box)->text();
        }
        QCOMPARE(numbers, " 6555 6655 6665 6666 5666 5566 5556 5555");
    }

    void secondaryWindows_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("escapeCloses");
        QTest::newRow("dialog") << "ERRORE" << QSize(402, 126) << false;
        QTest::newRow("frmAbout") << "About tallino3.0" << QSize(382, 237) << true;
    }
    // A closing destroys the window; the next opening builds it afresh, centred.
    void secondaryWindows()
    {
        QFETCH(QString, title);
        QFETCH(QSize, size);
        QFETCH(bool, escapeCloses);
        const QString name = QString::fromUtf8(QTest::currentDataTag());
        for (Qt::Key key : { Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space }) {
            if (!open(name, 0)) {
                const QWidget *fresh = open(name);
                QVERIFY(fresh);
                QCOMPARE(fresh->windowTitle(), title);
                QCOMPARE(fresh->size(), size);
                QCOMPARE(fresh->windowType(), Qt::Tool); // no task-bar button
                QVERIFY(fresh->windowIcon().isNull());
                QVERIFY(!fresh->isModal() && !fresh->parentWidget());
                QVERIFY(isPlaced(fresh));
                if (name == u"frmAbout") {
                    // The picture in its sunken box, a 2 px border round its 32 px; the etched
                    // line, white over grey but for the grey's last pixel.
                    const QImage image = onScreen(fresh);
                    const QColor ground = fresh->palette().color(QPalette::Window);
                    const QColor grey(128, 128, 128), white(Qt::white);
                    QVERIFY(looksLike(image.copy(px(240) + 2, px(240) + 2, 32, 32), "picture.png"));
                    QVERIFY(at(image, 240, 240).lightness() < ground.lightness());
                    QVERIFY(at(image, 779, 779).lightness() > ground.lightness());
                    QCOMPARE(
                        misses(image,
                            { { 2000, 2370, ground }, { 2000, 2385, white }, { 2000, 2400, white },
                                { 2000, 2415, ground }, { 110, 2400, ground }, { 125, 2400, white },
                                { 5660, 2400, white }, { 5675, 2400, grey },
                                { 5690, 2400, ground } }),
                        QString());
                }
            }
            QPointer<QWidget> shown = open(name, 0);
            shown->move(shown->pos() + QPoint(30, 30)); // the next one is placed afresh
            QVERIFY(QTest::qWaitForWindowActive(shown));
            QTest::keyClick(QApplication::focusWidget(), key);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(shown.isNull(), key != Qt::Key_Escape || escapeCloses);
        }
    }

    void desktop()
    {
        const std::unique_ptr<QMenu> menu(child<QLineEdit>("unità")->createStandardContextMenu());
        QStringList entries;
        for (const QAction *action : menu->actions())
            entries << action->text().section(u'\t', 0, 0);
        QCOMPARE(entries.join(u'|'),
            "Ann&ulla|&Rifai||&Taglia|&Copia|&Incolla|Elimina||Seleziona tutto");
        // Docks pair the window with the menu entry by the desktop file name and by WM_CLASS,
        // whose class is the application name.
        QFile entry(TALLINO_PACKAGING_DIR "/" + QGuiApplication::desktopFileName() + ".desktop");
        QVERIFY2(entry.open(QIODevice::ReadOnly), qPrintable(entry.fileName()));
        QVERIFY(entry.readAll().contains(
            "\nStartupWMClass=" + QGuiApplication::applicationName().toUtf8() + '\n'));
    }

    void endOfProgram_data()
    {
        QTest::addColumn<bool>("fine");
        QTest::newRow("FINE") << true;
        QTest::newRow("abacus closed first") << false;
    }
    // FINE ends the program at once; closing the abacus ends it once the dialog is closed too.
    void endOfProgram()
    {
        QFETCH(bool, fine);
        QPointer<QWidget> dialog = open(QStringLiteral("dialog"));
        QVERIFY(dialog && (!fine || open(QStringLiteral("frmAbout"))));
        bool keptRunning = false;
        QObject watch;
        QTimer::singleShot(0, window.get(), [&] {
            if (fine)
                return QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
            window->close();
            QTimer::singleShot(0, dialog, [&] {
                keptRunning = dialog->isVisible();
                dialog->close();
            });
        });
        QTimer::singleShot(5000, &watch, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(keptRunning, !fine); // with the dialog open, until the user closed it
    }
};

QTEST_MAIN(TestAbacusWindow)
#include "tst_abacuswindow.moc"
