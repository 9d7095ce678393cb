#include "abacuswindow.h"
#include "sight.h"
#include "windowsupport.h"

#include <QtTest>
#include <QtWidgets>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

// Run under an English locale on a screen of 400 by 500 pixels: smaller than the abacus window
// both ways, narrower than the error dialog, larger than the About window.

using drawn::boxNames;

static drawn::Rgb rgb(const QColor &colour)
{
    return { colour.red(), colour.green(), colour.blue() };
}
static QString said(const std::string &text)
{
    return QString::fromStdString(text);
}
// What reached the screen once the pending paints are done: a missed repaint shows.
static QImage onScreen(const QWidget *top)
{
    QCoreApplication::processEvents();
    return top->screen()->grabWindow(top->winId()).toImage();
}
static drawn::Pixels pixels(const QImage &image)
{
    return [&image](int x, int y) {
        return rgb(image.pixelColor(x, y));
    };
}

// Against a picture in tests/ reviewed by eye against the description; on a difference, what
// was seen is written beside the test program.
static bool looksLike(const QImage &seen, const char *reference)
{
    const QImage wanted = QImage(QFINDTESTDATA(reference)).convertToFormat(QImage::Format_ARGB32);
    const QImage shown = seen.convertToFormat(QImage::Format_ARGB32);
    if (shown != wanted)
        shown.save(QCoreApplication::applicationDirPath() + u'/' + reference + ".seen.png");
    return shown == wanted;
}

// Its caption and size; fixed, with a close box only; a task-bar button for the abacus window
// only; centred on the available area, but never with its top-left corner off it.
static QString frameMisses(const QWidget *window, const drawn::Window &drawn)
{
    const Qt::WindowFlags flags = window->windowFlags();
    const QRect area = window->screen()->availableGeometry(), frame = window->frameGeometry();
    const std::pair<bool, const char *> checks[] = {
        { window->windowTitle() == QString::fromStdString(drawn.caption), "caption" },
        { window->size() == QSize(qRound(drawn.width / 15.0), qRound(drawn.height / 15.0)),
            "size" },
        { window->minimumSize() == window->maximumSize(), "fixed" },
        { flags.testFlag(Qt::WindowCloseButtonHint)
                && !(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)),
            "close box only" },
        { (window->windowType() == Qt::Window) == (&drawn == &drawn::abacus), "task-bar button" },
        { drawn::isCentred({ frame.x(), frame.y(), frame.width(), frame.height() },
              { area.x(), area.y(), area.width(), area.height() }),
            "centred" },
    };
    QStringList missed;
    for (const auto &[holds, what] : checks) {
        if (!holds)
            missed << what;
    }
    return missed.join(u", ");
}

// Each control in its place, with its text, state and look; a label set from the top, and
// wrapped where it keeps left.
static QString controlMisses(const QWidget *top, const drawn::Window &drawn)
{
    const QImage image = onScreen(top);
    QStringList looks;
    const std::string missed = drawn::windowMisses(drawn, pixels(image), 1 / 15.0, 96 / 72.0,
        rgb(top->palette().color(QPalette::WindowText)),
        [&](const drawn::Control &c) -> std::optional<drawn::Seen> {
            const auto *control = top->findChild<QWidget *>(QString::fromStdString(c.name));
            if (!control)
                return std::nullopt;
            const auto side = control->property("alignment").value<Qt::Alignment>();
            if (c.kind == "label"
                && (!(side & Qt::AlignTop)
                    || control->property("wordWrap").toBool() != (c.align == "left")))
                looks << QString::fromStdString(c.name) + " set wrongly";
            const QRect box = control->geometry();
            return drawn::Seen { { box.x(), box.y(), box.width(), box.height() },
                control->property("text").toString().toStdString(), control->isEnabled(),
                rgb(control->palette().color(control->foregroundRole())) };
        });
    return said(missed) + looks.join(u"; ");
}

class TestAbacusWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<tallino::AbacusWindow> window;

    template<class T = QWidget> T *child(const std::string &name) const
    {
        return window->findChild<T *>(QString::fromStdString(name));
    }
    // Over the whole text, as a child does after selecting it.
    void type(const std::string &box, const QString &keys)
    {
        child<QLineEdit>(box)->selectAll();
        QTest::keyClicks(child(box), keys);
    }
    void typeNumber(const QString &digits)
    {
        for (int i = 0; i < 4; ++i)
            type(boxNames[i], digits.mid(i, 1));
    }
    // A box given its text and caret ("|"; without one, all of it selected), the clipboard its
    // text.
    QLineEdit *prepared(const std::string &name, const std::string &before,
        const std::optional<std::string> &clipboard)
    {
        clipboard ? QGuiApplication::clipboard()->setText(QString::fromStdString(*clipboard))
                  : QGuiApplication::clipboard()->clear();
        auto *box = child<QLineEdit>(name.c_str());
        const QString text = QString::fromStdString(before);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, QString(text).remove(u'|'));
        text.contains(u'|') ? box->setCursorPosition(text.indexOf(u'|')) : box->selectAll();
        return box;
    }
    // Its text with "|" at the caret, or its selection in brackets.
    static QString shown(const QLineEdit *box)
    {
        return box->hasSelectedText()
            ? box->text().insert(box->selectionEnd(), u']').insert(box->selectionStart(), u'[')
            : box->text().insert(box->cursorPosition(), u'|');
    }
    QString number() const
    {
        QString digits;
        for (const std::string &box : boxNames) {
            const auto *edit = child<QLineEdit>(box);
            digits += edit->text() + (edit->cursorPosition() < edit->text().size() ? "<" : "");
        }
        return digits;
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
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup()
    {
        window.reset(); // and with it the windows it opened
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Each window, its controls, its icon or picture; the title's text fits its box.
    void windows()
    {
        for (const drawn::Window *drawn : { &drawn::abacus, &drawn::dialog, &drawn::about }) {
            const QWidget *top =
                drawn == &drawn::abacus ? window.get() : open(QString::fromStdString(drawn->name));
            QVERIFY(top);
            QCOMPARE(frameMisses(top, *drawn), QString());
            QCOMPARE(controlMisses(top, *drawn), QString());
            QCOMPARE(top->windowIcon().isNull(), drawn != &drawn::abacus);
        }
        QVERIFY(looksLike(window->windowIcon().pixmap(32, 32).toImage(), "icon.png"));
        const auto *title = child<QLabel>("Label1");
        QVERIFY(QFontMetrics(title->font()).horizontalAdvance(title->text())
            <= title->contentsRect().width());
        // The picture in its sunken box, a 2 px border round its 32 px; the etched line.
        const QWidget *about = open("frmAbout", 0);
        const QImage image = onScreen(about);
        const QColor ground = about->palette().color(QPalette::Window);
        QVERIFY(looksLike(image.copy(18, 18, 32, 32), "picture.png"));
        QVERIFY(image.pixelColor(16, 16).lightness() < ground.lightness());
        QVERIFY(image.pixelColor(51, 51).lightness() > ground.lightness());
        QCOMPARE(said(drawn::misses(
                     pixels(image), drawn::aboutProbes(15 / 2.0 + 1, rgb(ground)), 1 / 15.0)),
            QString());
    }

    // The round of the Tab key, passing over the disabled rod letters; what screen readers hear
    // of each control and of the number the beads show.
    void keyboardAndSpeech()
    {
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QStringList order { QApplication::focusWidget()->objectName() };
        while (order.size() < int(drawn::tabRound.size())) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order.join(u' '), QString::fromStdString(drawn::all("tab round")[0][0]));
        typeNumber(QStringLiteral("1025"));
        for (const drawn::Fields &spoken : drawn::all("spoken")) // the drawing has no name
            QCOMPARE(child(spoken[0] == "1025" ? "" : spoken[0])->accessibleName(),
                QString::fromStdString(spoken[1]));
    }

    void beads_data()
    {
        QTest::addColumn<int>("digit"); // in every box
        for (int digit = 0; digit <= 9; ++digit)
            QTest::addRow("%d", digit) << digit;
    }
    void beads()
    {
        QFETCH(int, digit);
        typeNumber(QString(4, QChar(u'0' + digit)));
        const QImage image = onScreen(window.get());
        QCOMPARE(said(drawn::misses(pixels(image), drawn::drawingProbes(digit, 8.5), 1 / 15.0)),
            QString());
    }

    // The keys every edition delivers alike, one character a press, and the pastes.
    void typing()
    {
        for (const drawn::Typing &row : drawn::typings()) {
            for (const std::string &name : boxNames) {
                QLineEdit *box = prepared(name, row.before, row.clipboard);
                if (row.home)
                    QTest::keyClick(box, Qt::Key_Home);
                if (row.characters.empty())
                    box->paste();
                for (QChar c : QString::fromStdString(row.characters)) {
                    const auto key = c == u'\b' ? Qt::Key_Backspace
                        : c == u'\r'            ? Qt::Key_Return
                                                : Qt::Key(c.toUpper().unicode());
                    QTest::sendKeyEvent(QTest::Click, box, key, QString(c), Qt::NoModifier);
                }
                QCOMPARE(shown(box), QString::fromStdString(row.after));
                // Text from an input method would pass the key filter by.
                QVERIFY(!box->inputMethodQuery(Qt::ImEnabled).toBool());
            }
        }
    }
    // The keys of this toolkit: AltGr, several characters in one press, keys that deliver no
    // text; Shift+Insert pastes the clipboard's "00".
    void toolkitKeys()
    {
        const auto altGr = Qt::ControlModifier | Qt::AltModifier;
        const std::tuple<const char *, QKeyCombination, const char *, const char *> rows[] = {
            { "1|", Qt::Key_Backspace, "", "1|" }, { "|10", Qt::Key_Delete, "\x7f", "|0" },
            { "|1", altGr | Qt::Key_At, "@", "|1" }, { "1|", altGr | Qt::Key_0, "0", "10|" },
            { "1", Qt::Key_1, "10", "10|" }, { "1", Qt::Key_1, "1a", "[1]" },
            { "1", Qt::ControlModifier | Qt::Key_V, "", "[1]" },
            { "1", Qt::ShiftModifier | Qt::Key_Insert, "", "00|" },
            { "|1", Qt::ShiftModifier | Qt::Key_Insert, "", "|1" },
            { "10|", Qt::Key_Left, "", "1|0" }
        };
        for (const auto &[before, key, text, after] : rows) {
            for (const std::string &name : boxNames) {
                QLineEdit *box = prepared(name, before, "00");
                QTest::sendKeyEvent(
                    QTest::Click, box, key.key(), QString::fromUtf8(text), key.keyboardModifiers());
                QCOMPARE(shown(box), QString::fromUtf8(after));
            }
        }
    }

    // Each button steps its own place its own way, clicked, or by Enter or Space while it has the
    // focus; the rule itself is the core's. After each write the caret stands at the text's end.
    void steps()
    {
        for (const auto &[before, button, after] : drawn::presses()) {
            typeNumber(QString::fromStdString(before));
            QTest::mouseClick(child<QPushButton>(button.c_str()), Qt::LeftButton);
            QCOMPARE(number(), QString::fromStdString(after));
        }
        typeNumber(QStringLiteral("5555"));
        for (Qt::Key key : { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space }) {
            child("Command1")->setFocus();
            QTest::keyClick(child("Command1"), key);
        }
        QCOMPARE(number(), "5558");
    }

    // One instance each, asked for again while the abacus is in front: in front itself. A
    // closing destroys it; the next opening builds it afresh, centred. Escape closes only the
    // About window.
    void secondaryWindows()
    {
        for (const char *name : { "dialog", "frmAbout" }) {
            for (Qt::Key key : { Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space }) {
                QPointer<QWidget> shown = open(name, open(name, 0) ? 0 : 1);
                window->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(window.get()));
                QCOMPARE(open(name, 1), shown);
                QVERIFY(QTest::qWaitForWindowActive(shown));
                QVERIFY(!shown->isModal() && !shown->parentWidget());
                shown->move(shown->pos() + QPoint(30, 30)); // the next one is placed afresh
                QTest::keyClick(QApplication::focusWidget(), key);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QCOMPARE(shown.isNull(), key != Qt::Key_Escape || name != std::string("dialog"));
            }
        }
    }

    // On X11 the toolkit keeps a tool window above all the program's others unless told not to;
    // these have no owner, so the abacus may cover them.
    void standsAlone()
    {
#if QT_CONFIG(xcb)
        const auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        if (QGuiApplication::platformName() != u"xcb" || !x11)
            QSKIP("X11 only");
        for (const char *name : { "dialog", "frmAbout" }) {
            const QWidget *shown = open(name);
            QVERIFY(shown);
            xcb_connection_t *connection = x11->connection();
            xcb_get_property_reply_t *reply = xcb_get_property_reply(connection,
                xcb_get_property(connection, 0, xcb_window_t(shown->winId()),
                    XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1),
                nullptr);
            const bool transient = reply && reply->type != XCB_NONE;
            std::free(reply);
            QVERIFY2(!transient, name);
        }
#else
        QSKIP("X11 only");
#endif
    }

    void toolkitTexts()
    {
        const std::unique_ptr<QMenu> menu(child<QLineEdit>("unità")->createStandardContextMenu());
        QStringList entries;
        for (const QAction *action : menu->actions())
            entries << action->text().section(u'\t', 0, 0);
        QCOMPARE(entries.join(u'|'),
            "Ann&ulla|&Rifai||&Taglia|&Copia|&Incolla|Elimina||Seleziona tutto");
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
