#include "abacuswindow.h" // and through it windowsupport.h
#include "sight.h"

#include <QtTest>
#include <QtWidgets>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

// Run under an English locale on a screen of 1024 by 768 pixels at 96 dpi, where every window
// fits; a window larger than its screen is the core's placement rule, tested there.

class TestAbacusWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<tallino::AbacusWindow> window;

    static QString said(const std::string &text) { return QString::fromStdString(text); }
    static drawn::Rgb rgb(const QColor &c) { return { c.red(), c.green(), c.blue() }; }
    static drawn::Box box(const QRect &r) { return { r.x(), r.y(), r.width(), r.height() }; }
    // What reached the screen once the pending paints are done: a missed repaint shows.
    static drawn::Pixels onScreen(const QWidget *top)
    {
        QCoreApplication::processEvents();
        const QImage image = top->screen()->grabWindow(top->winId()).toImage();
        return drawn::Pixels([image](int x, int y) { return rgb(image.pixelColor(x, y)); });
    }
    // Against a picture in tests/ reviewed by eye against the description; on a difference, what
    // was seen is written beside the test program.
    static bool looksLike(const QImage &seen, const char *reference)
    {
        const QImage shown = seen.convertToFormat(QImage::Format_ARGB32);
        return shown == QImage(QFINDTESTDATA(reference)).convertToFormat(shown.format())
            || (shown.save(qApp->applicationDirPath() + u'/' + reference + ".seen.png"), false);
    }
    template<class T = QWidget> T *child(const std::string &name) const
    {
        return window->findChild<T *>(said(name));
    }
    // Over the whole text, as a child does after selecting it; then the caret put at "|", or,
    // without one, all of it selected.
    QLineEdit *type(const std::string &name, const QString &keys)
    {
        auto *box = child<QLineEdit>(name);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, QString(keys).remove(u'|'));
        keys.contains(u'|') ? box->setCursorPosition(keys.indexOf(u'|')) : box->selectAll();
        return box;
    }
    void typeNumber(const std::string &digits)
    {
        for (std::size_t i = 0; i < 4; ++i)
            type(drawn::boxNames[i], said(digits.substr(i, 1)));
    }
    // The error dialog (by a rejected value) or the About window, asked for that many times:
    // the one of that name on screen, none if there are several.
    QWidget *open(const QString &name, int times = 2)
    {
        for (int i = 0; i < times; ++i)
            name == u"dialog" ? void(type("unità", "12")) : child<QPushButton>("Command9")->click();
        QWidgetList shown = QApplication::topLevelWidgets();
        shown.removeIf([&](auto *w) { return !w->isVisible() || w->objectName() != name; });
        return shown.size() == 1 ? shown[0] : nullptr;
    }

private slots:
    void initTestCase() { tallino::setUpApplication(); }
    void init()
    {
        window = std::make_unique<tallino::AbacusWindow>(); // the last one gone with its windows
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    // The round of the Tab key, passing over the disabled rod letters. Each window: its caption
    // and size; fixed, with a close box only; a task-bar button and an icon for the abacus window
    // only; centred on the available area. Each control in its place, with its text, state and
    // look (the eye finds a label set from the top and wrapped where it keeps left). The icon, the
    // About picture, the etched line. What screen readers hear of each control and of the number
    // the beads show; the toolkit's own texts, in Italian.
    void windows()
    {
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        for (std::size_t i = 0; i < drawn::tabRound.size();
             ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
            QCOMPARE(QApplication::focusWidget()->objectName(), said(drawn::tabRound[i]));
        for (const drawn::Window *drawn : { &drawn::abacus, &drawn::dialog, &drawn::about }) {
            const bool isAbacus = drawn == &drawn::abacus;
            const QWidget *top = isAbacus ? window.get() : open(said(drawn->name));
            QVERIFY(top);
            const QSize size(qRound(drawn->width / 15.0), qRound(drawn->height / 15.0));
            QCOMPARE(std::tuple(top->windowTitle(), top->minimumSize(), top->maximumSize(),
                         top->windowType() == Qt::Window, top->windowIcon().isNull()),
                std::tuple(said(drawn->caption), size, size, isAbacus, !isAbacus));
            QCOMPARE(top->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint),
                Qt::WindowCloseButtonHint);
            QVERIFY(drawn::isCentred(
                box(top->frameGeometry()), box(top->screen()->availableGeometry())));
            const std::string missed = drawn::windowMisses(*drawn, onScreen(top), 1 / 15.0,
                96 / 72.0, rgb(top->palette().color(QPalette::WindowText)),
                [&](const drawn::Control &c) -> std::optional<drawn::Seen> {
                    const auto *control = top->findChild<QWidget *>(said(c.name));
                    if (!control)
                        return std::nullopt;
                    return drawn::Seen { box(control->geometry()),
                        control->property("text").toString().toStdString(), control->isEnabled(),
                        rgb(control->palette().color(control->foregroundRole())) };
                });
            QCOMPARE(said(missed), QString());
        }
        // The title's face fills its box: only its settings tell that it is set from the top, on
        // one line.
        const QLabel *title = child<QLabel>("Label1");
        QVERIFY((title->alignment() & Qt::AlignTop) && !title->wordWrap());
        QVERIFY(looksLike(window->windowIcon().pixmap(32, 32).toImage(), "icon.png"));
        // The picture inside its sunken box's 2 px border.
        QWidget *about = open("frmAbout", 0);
        QVERIFY(looksLike(about->grab(QRect(18, 18, 32, 32)).toImage(), "picture.png"));
        const drawn::Rgb ground = rgb(about->palette().color(QPalette::Window));
        QCOMPARE(said(drawn::misses(
                     onScreen(about), drawn::aboutProbes(15 / 2.0 + 1, ground), 1 / 15.0)),
            QString());
        typeNumber("1025");
        for (const drawn::Fields &f : drawn::all("spoken")) // the drawing has no name
            QCOMPARE(child(f[0] == "1025" ? "" : f[0])->accessibleName(), said(f[1]));
        const std::unique_ptr<QMenu> menu(child<QLineEdit>("unità")->createStandardContextMenu());
        QCOMPARE(menu->actions().last()->text().section(u'\t', 0, 0), "Seleziona tutto");
    }

    // Every digit in every box.
    void beads()
    {
        for (int digit = 0; digit <= 9; ++digit) {
            typeNumber(std::string(4, char('0' + digit)));
            const std::string missed =
                drawn::misses(onScreen(window.get()), drawn::drawingProbes(digit, 8.5), 1 / 15.0);
            QVERIFY2(missed.empty(), (std::to_string(digit) + ": " + missed).c_str());
        }
    }

    // In each box, the keys every edition delivers alike, one character a press (Backspace by its
    // own key, the others by their code), and the pastes by Shift+Insert; then this toolkit's
    // keys: AltGr (some layouts have digits on letter keys with it), several characters in one
    // press, keys that deliver no text.
    void typing()
    {
        const std::tuple<const char *, QKeyCombination, const char *, const char *> keys[] = {
            { "1|", Qt::Key_Backspace, "", "1|" }, { "|10", Qt::Key_Delete, "\x7f", "|0" },
            { "|1", Qt::CTRL | Qt::ALT | Qt::Key_At, "@", "|1" }, { "1", Qt::Key_1, "10", "10|" },
            { "1|", Qt::CTRL | Qt::ALT | Qt::Key_U, "0", "10|" }, { "1", Qt::Key_1, "1a", "[1]" },
            { "1", Qt::CTRL | Qt::Key_V, "", "[1]" }, { "10|", Qt::Key_Left, "", "1|0" }
        };
        // After: its text with "|" at the caret, or its selection in brackets.
        const auto shown = [](const QLineEdit *box) {
            return box->hasSelectedText()
                ? box->text().insert(box->selectionEnd(), u']').insert(box->selectionStart(), u'[')
                : box->text().insert(box->cursorPosition(), u'|');
        };
        QClipboard *clipboard = QGuiApplication::clipboard();
        for (const std::string &name : drawn::boxNames) {
            for (const auto &[what, before, home, typed, clip, after] : drawn::rows<6>("typing")) {
                clip == "-" ? clipboard->clear() : clipboard->setText(said(clip));
                QLineEdit *box = type(name, said(before));
                home == "yes" ? QTest::keyClick(box, Qt::Key_Home) : void();
                typed.empty() ? QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier) : void();
                for (QChar c : said(typed))
                    QTest::sendKeyEvent(QTest::Click, box,
                        c == u'\b' ? Qt::Key_Backspace : Qt::Key(c.toUpper().unicode()), c, {});
                QCOMPARE(shown(box), said(after));
            }
            clipboard->setText("00");
            for (const auto &[before, key, text, after] : keys) {
                QLineEdit *box = type(name, before);
                QTest::sendKeyEvent(QTest::Click, box, key.key(), text, key.keyboardModifiers());
                QCOMPARE(shown(box), after);
            }
            // Text from an input method would pass the key filter by.
            QVERIFY(!child(name)->inputMethodQuery(Qt::ImEnabled).toBool());
        }
    }

    // Each button steps its own place its own way, clicked, or by Enter or Space while it has the
    // focus, the ways taken in turn; the rule itself is the core's. After each write the caret
    // stands at the text's end: each box is read up to the caret.
    void steps()
    {
        const Qt::Key ways[] = { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, {} }; // {}: a click
        int row = 0;
        for (const auto &[before, button, after] : drawn::rows<3>("press")) {
            typeNumber(before);
            auto *pressed = child<QPushButton>(button);
            pressed->setFocus();
            const Qt::Key way = ways[row++ % 4];
            way ? QTest::keyClick(pressed, way) : QTest::mouseClick(pressed, Qt::LeftButton);
            QString digits;
            for (const std::string &name : drawn::boxNames)
                digits +=
                    child<QLineEdit>(name)->text().left(child<QLineEdit>(name)->cursorPosition());
            QCOMPARE(digits, said(after));
        }
    }

    // The secondary windows, one instance each, asked for again while the abacus is in front: in
    // front themselves, not modal, with no owner. A closing destroys one, so that the next opening
    // builds it afresh. Escape closes only the About window. Then the end: closing the abacus ends
    // the program once the dialog is closed too, which kept it running until then; FINE ends it
    // at once, whatever is open.
    void lifecycle()
    {
        for (const char *name : { "dialog", "frmAbout" })
            for (Qt::Key key : { Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space }) {
                QPointer<QWidget> shown = open(name, open(name, 0) ? 0 : 1);
                window->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(window.get()));
                QCOMPARE(open(name, 1), shown);
                QVERIFY(QTest::qWaitForWindowActive(shown));
                QVERIFY(!shown->isModal() && !shown->parentWidget());
                QTest::keyClick(QApplication::focusWidget(), key);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QCOMPARE(shown.isNull(), key != Qt::Key_Escape || name != std::string("dialog"));
            }
        for (bool fine : { false, true }) {
            window->show();
            QPointer<QWidget> dialog = open("dialog");
            QVERIFY(dialog && (!fine || open("frmAbout")));
            bool keptRunning = false;
            QTimer::singleShot(0, window.get(), [&] {
                if (fine)
                    return QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
                window->close();
                // Still on screen, then closed.
                QTimer::singleShot(
                    0, dialog, [&] { keptRunning = dialog->isVisible() && dialog->close(); });
            });
            QTimer::singleShot(5000, window.get(), [] { QCoreApplication::exit(1); });
            QCOMPARE(QCoreApplication::exec(), 0);
            QCOMPARE(keptRunning, !fine);
        }
    }

    // On X11 the toolkit keeps a tool window above all the program's others unless told not to;
    // these have no owner, so the abacus may cover them.
    void standsAlone()
    {
        if (QGuiApplication::platformName() != u"xcb") // offscreen may answer as X11 too
            QSKIP("X11 only");
#if QT_CONFIG(xcb)
        auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
        for (const char *name : { "dialog", "frmAbout" }) {
            const QWidget *shown = open(name);
            QVERIFY(shown);
            const auto asked = xcb_get_property(
                x11, 0, shown->winId(), XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_ANY, 0, 1);
            const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> owner(
                xcb_get_property_reply(x11, asked, nullptr), &std::free);
            QVERIFY2(!owner || owner->type == XCB_NONE, name);
        }
#endif
    }
};

QTEST_MAIN(TestAbacusWindow)
#include "tst_abacuswindow.moc"
