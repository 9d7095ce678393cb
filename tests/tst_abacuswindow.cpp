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
        QTest::addColumn<double>("points"); // 0: the toolkit's default font
        const auto row = [](const char *name, int left, int top, int width, int height,
                             const QString &text, double points) {
            QTest::newRow(name) << QRect(px(left), px(top), px(width), px(height)) << text
                                << points;
        };
        row("Command8", 473, 120, 495, 495, "+", 13.5);
        row("Command6", 1553, 120, 495, 495, "+", 13.5);
        row("Command4", 2633, 120, 495, 495, "+", 13.5);
        row("Command1", 3713, 120, 495, 495, "+", 13.5);
        row("Command7", 480, 600, 495, 495, "-", 13.5);
        row("Command5", 1560, 600, 495, 495, "-", 13.5);
        row("Command3", 2640, 600, 495, 495, "-", 13.5);
        row("Command2", 3720, 600, 495, 495, "-", 13.5);
        row("Text1", 480, 6120, 495, 495, "m", 13.5);
        row("Text2", 1560, 6120, 495, 495, "c", 13.5);
        row("Text3", 2640, 6120, 495, 495, "da", 13.5);
        row("Text4", 3720, 6120, 495, 495, "u", 13.5);
        row("migliaia", 750, 6960, 795, 675, "0", 24);
        row("centinaia", 1560, 6960, 795, 675, "0", 24);
        row("decine", 2340, 6960, 795, 675, "0", 24);
        row("unità", 3135, 6960, 795, 675, "0", 24);
        row("Label1", 4500, 120, 3255, 1455, "TALLINO", 48);
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
            9.75);
        row("Command9", 4560, 6960, 3135, 735, "QUIRDO'S", 18);
        row("Command10", 120, 7800, 7575, 375, "FINE", 13.5);
        row("dialog/OKButton", 600, 1440, 5055, 375, "OK", 0);
        row("dialog/Label1", 720, 360, 4575, 855,
            "PUOI INSERIRE SOLO NUMERI" + blanks(9) + "COMPRESI TRA 0 E 9", 13.5);
        row("frmAbout/cmdOK", 4245, 2625, 1260, 825, "OK", 0);
        row("frmAbout/lblTitle", 1080, 240, 3885, 480, "tallino3.0", 18);
        row("frmAbout/lblDescription", 1050, 1125, 3885, 1050,
            "Questo programmino permette dii rappresentare su di un tallino unità, decine, "
            "centinaia e migliaia."
                + blanks(189) + "Dedicato a mio papà",
            0);
        row("frmAbout/lblDisclaimer", 255, 2625, 3870, 825,
            "Programma gratuito per la scuola: copialo e regalalo liberamente, ma non venderlo. "
            "Nessuna garanzia.",
            0);
    }
    void layout()
    {
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(double, points);
        const QStringList path = QString::fromUtf8(QTest::currentDataTag()).split(u'/');
        const QWidget *top = path.size() == 1 ? window.get() : open(path[0]);
        QVERIFY(top);
        const QList<QWidget *> found = top->findChildren<QWidget *>(path.last());
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0]->geometry(), geometry);
        QCOMPARE(found[0]->property("text").toString(), text);
        if (points > 0) {
            QCOMPARE(found[0]->font().pointSizeF(), points);
            QCOMPARE(found[0]->font().bold(), path.last() != u"Command10");
        }
        QCOMPARE(found[0]->isEnabled(), !path.last().startsWith(u"Text"));
    }

    void windowItself()
    {
        QCOMPARE(window->windowTitle(), "TALLINO");
        QCOMPARE(window->size(), QSize(518, 548));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(
            window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!window->windowIcon().isNull());
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

    // What reached the screen once the pending paints are done: a missed repaint shows.
    QImage onScreen()
    {
        QCoreApplication::processEvents();
        return window->screen()->grabWindow(window->winId()).toImage();
    }
    static QColor at(const QImage &image, double x, double y)
    {
        return image.pixelColor(int(x), int(y));
    }

    void beads_data()
    {
        QTest::addColumn<int>("digit"); // in every box
        for (int digit = 0; digit <= 9; ++digit)
            QTest::addRow("%d", digit) << digit;
    }
    // The top bead of each rod, or the hidden first one, probed in pixels just inside and just
    // outside the right and top edges of its circle (495 twips across, centred in its box).
    void beads()
    {
        QFETCH(int, digit);
        typeNumber(QString(4, QChar(u'0' + digit)));
        const QImage image = onScreen();
        const int boxLefts[] = { 120, 1200, 2280, 3375 };
        const QColor fills[] = { { 128, 128, 128 }, { 0, 0, 255 }, { 255, 0, 0 }, Qt::white };
        const QColor background(163, 224, 215);
        const int rank = std::max(digit, 1);
        for (int rod = 0; rod < 4; ++rod) {
            const double x = (boxLefts[rod] + 1215 / 2.0) / 15;
            const double y = (1440 + 480 * (9 - rank) + 495 / 2.0) / 15;
            const QColor fill = digit ? fills[rod] : background;
            QCOMPARE(at(image, x + 14, y), fill);
            QCOMPARE(at(image, x + 18, y), background);
            QCOMPARE(at(image, x + 7, y - 12), fill); // clear of the rod
            QCOMPARE(at(image, x + 7, y - 17.5), background);
            const int rodXs[] = { 720, 1800, 2880, 3960 };
            if (digit)
                QCOMPARE(at(image, rodXs[rod] / 15.0, y), QColor(Qt::black)); // over the bead
        }
        QCOMPARE(at(image, 300 / 15.0, 6000 / 15.0), QColor(Qt::black)); // the base bar
        QCOMPARE(at(image, 4400 / 15.0, 5400 / 15.0), background);
        QCOMPARE(at(image, 4560 / 15.0, 1500 / 15.0), QColor(128, 255, 255)); // title
        QCOMPARE(at(image, 7600 / 15.0, 4850 / 15.0), QColor(94, 183, 152)); // instructions
    }

    void typing_data()
    {
        QTest::addColumn<QString>("before"); // typed, then "|" the caret
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("text"); // as the platform delivers it
        QTest::addColumn<QString>("after"); // "0" is on the clipboard
        const auto row = [](const char *name, const char *before, QKeyCombination key,
                             const QString &text, const char *after) {
            QTest::newRow(name) << QString::fromUtf8(before) << key << text << QString(after);
        };
        row("digit", "|1", Qt::Key_0, "0", "01");
        row("third character", "10|", Qt::Key_0, "0", "10");
        row("above 10, reset at once", "1|", Qt::Key_2, "2", "0");
        row("Backspace", "10|", Qt::Key_Backspace, "\b", "10");
        row("Backspace without text", "10|", Qt::Key_Backspace, "", "10");
        row("Delete", "|10", Qt::Key_Delete, "\x7f", "0");
        row("Enter", "1|", Qt::Key_Return, "\r", "1");
        row("Escape", "1|", Qt::Key_Escape, "\x1b", "1");
        row("nine", "0|", Qt::Key_9, "9", "09");
        row("slash, below 0", "|1", Qt::Key_Slash, "/", "1");
        row("colon, above 9", "1|", Qt::Key_Colon, ":", "1");
        row("letter", "|1", Qt::Key_A, "a", "1");
        row("accented letter", "|1", Qt::Key_Agrave, "à", "1");
        row("Ctrl+V", "|1", Qt::ControlModifier | Qt::Key_V, "", "1");
    }
    void typing()
    {
        QFETCH(QString, before);
        QFETCH(QKeyCombination, key);
        QFETCH(QString, text);
        QFETCH(QString, after);
        QGuiApplication::clipboard()->setText(QStringLiteral("0"));
        for (const char *name : boxNames) {
            type(name, QString(before).remove(u'|'));
            child<QLineEdit>(name)->setCursorPosition(before.indexOf(u'|'));
            QTest::sendKeyEvent(
                QTest::Click, child(name), key.key(), text, key.keyboardModifiers());
            QCOMPARE(child<QLineEdit>(name)->text(), after);
            // Text from an input method would pass the key filter by.
            QVERIFY(!child(name)->inputMethodQuery(Qt::ImEnabled).toBool());
        }
    }
    void buttons()
    {
        typeNumber(QStringLiteral("0999"));
        const std::pair<const char *, const char *> presses[] = { { "Command1", "1000" },
            { "Command3", "0990" }, { "Command2", "0989" }, { "Command4", "0999" },
            { "Command6", "1099" }, { "Command5", "0999" }, { "Command8", "1999" },
            { "Command7", "0999" } };
        for (const auto &[button, after] : presses) {
            QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
            QString number;
            for (const char *box : boxNames)
                number += child<QLineEdit>(box)->text();
            QCOMPARE(number, after);
        }
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
                QVERIFY(fresh->windowIcon().isNull());
                QVERIFY(!fresh->isModal() && !fresh->parentWidget());
                QVERIFY(isPlaced(fresh));
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
        QCOMPARE(QLocale::system().language(), QLocale::English);
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
        // The program ends when the last window that keeps it running closes.
        bool endedWithDialogOpen = false;
        QObject watch;
        connect(qApp, &QGuiApplication::lastWindowClosed, &watch,
            [&] { endedWithDialogOpen = dialog && dialog->isVisible(); });
        QTimer::singleShot(0, window.get(), [&] {
            if (fine)
                return QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
            window->close();
            QTimer::singleShot(0, dialog, [&] { dialog->close(); });
        });
        QTimer::singleShot(5000, &watch, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!endedWithDialogOpen);
    }
};

QTEST_MAIN(TestAbacusWindow)
#include "tst_abacuswindow.moc"
