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

static int px(int twips)
{
    return qRound(twips / 15.0);
}
static QRect pixels(const drawn::Box &box)
{
    return { px(box.left), px(box.top), px(box.width), px(box.height) };
}
static drawn::Rgb rgb(const QColor &colour)
{
    return { colour.red(), colour.green(), colour.blue() };
}

// What reached the screen once the pending paints are done: a missed repaint shows.
static QImage onScreen(const QWidget *top)
{
    QCoreApplication::processEvents();
    return top->screen()->grabWindow(top->winId()).toImage();
}
static QString said(const std::string &text)
{
    return QString::fromStdString(text);
}
static drawn::Pixels pixels(const QImage &image)
{
    return [&image](int x, int y) {
        return rgb(image.pixelColor(x, y));
    };
}

// The mean stroke width of a text as the toolkit draws it in the control's font, plain or bold.
static double strokes(const drawn::Control &drawn, bool bold)
{
    if (!drawn.font.family)
        return 0;
    QFont font(QString::fromUtf8(drawn.font.family));
    font.setPointSizeF(drawn.font.points);
    font.setBold(bold);
    const QString text = QString::fromStdString(drawn.text).simplified();
    QImage image(
        QFontMetrics(font).boundingRect(text).size() + QSize(20, 20), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, text);
    painter.end();
    return drawn::strokeWidth(pixels(image), 0, 0, image.width(), image.height());
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

// How a control sets out its text: the font asked for when it is not the toolkit's own, the
// side it keeps to and how high, whether it wraps.
static QString look(const QWidget *control)
{
    const QFont font = control->font();
    QStringList words;
    if (font != QApplication::font(control))
        words << font.family() << QString::number(font.pointSizeF())
              << (font.bold() ? "bold" : "plain");
    if (const auto side = control->property("alignment").value<Qt::Alignment>())
        words << (side & Qt::AlignHCenter ? "centred"
                : side & Qt::AlignLeft    ? "left"
                                          : "right")
              << (side & Qt::AlignTop              ? "top"
                         : side & Qt::AlignVCenter ? "middle"
                                                   : "bottom");
    if (control->property("wordWrap").toBool())
        words << "wrapped";
    return words.join(u' ');
}
// The same words from the drawing: labels are set from the top, and wrap where they keep left.
static QString look(const drawn::Control &drawn)
{
    QStringList words;
    if (drawn.font.family)
        words << drawn.font.family << QString::number(drawn.font.points)
              << (drawn.font.bold ? "bold" : "plain");
    const bool label = drawn.kind == drawn::Kind::Label;
    if (drawn.align != drawn::Align::Natural)
        words << (drawn.align == drawn::Align::Centre ? "centred" : "left")
              << (label ? "top" : "middle");
    if (label && drawn.align == drawn::Align::Left)
        words << "wrapped";
    return words.join(u' ');
}

// Fixed in size, with a close box and neither a minimise nor a maximise button.
static bool hasOnlyCloseBox(const QWidget *window)
{
    const Qt::WindowFlags flags = window->windowFlags();
    return window->minimumSize() == window->maximumSize()
        && flags.testFlag(Qt::WindowCloseButtonHint)
        && !(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

// Centred on the available area, frame and all, but never with its top-left corner off it.
static bool isPlaced(const QWidget *window)
{
    const QRect room = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    return drawn::isCentred({ frame.x(), frame.y(), frame.width(), frame.height() },
        { room.x(), room.y(), room.width(), room.height() });
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
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup()
    {
        window.reset(); // and with it the windows it opened
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void layout_data()
    {
        QTest::addColumn<int>("index"); // into drawn::controls()
        const std::vector<drawn::Control> controls = drawn::controls();
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const drawn::Control &c = controls[i];
            QTest::newRow(c.window == &drawn::abacus
                    ? c.name
                    : qPrintable(QStringLiteral("%1/%2").arg(c.window->name, c.name)))
                << int(i);
        }
    }
    void layout()
    {
        QFETCH(int, index);
        const drawn::Control drawn = drawn::controls()[std::size_t(index)];
        const QWidget *top =
            drawn.window == &drawn::abacus ? window.get() : open(drawn.window->name);
        QVERIFY(top);
        const QList<QWidget *> found = top->findChildren<QWidget *>(QString::fromUtf8(drawn.name));
        QCOMPARE(found.size(), 1);
        const QWidget *control = found[0];
        const QString text = QString::fromStdString(drawn.text);
        QCOMPARE(control->geometry(), pixels(drawn.box));
        QCOMPARE(control->property("text").toString(), text);
        if (drawn.kind != drawn::Kind::Picture)
            QCOMPARE(::look(control), look(drawn));
        QCOMPARE(control->isEnabled(), drawn.enabled);
        // The text in the system's text colour (greyed on the rod letters), the frame in it too.
        const drawn::Rgb ink = rgb(QApplication::palette(control).color(
            control->palette().currentColorGroup(), control->foregroundRole()));
        const QRect box = control->geometry();
        if (!text.isEmpty())
            QCOMPARE(said(drawn::lookMisses(pixels(onScreen(top)), drawn,
                         { box.x(), box.y(), box.width(), box.height() }, ink, ink,
                         strokes(drawn, false), strokes(drawn, true))),
                QString());
    }

    void windowItself()
    {
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(window->windowTitle(), drawn::abacus.caption);
        QCOMPARE(window->size(), QSize(px(drawn::abacus.width), px(drawn::abacus.height)));
        QVERIFY(hasOnlyCloseBox(window.get()));
        QCOMPARE(window->windowType(), Qt::Window); // with its task-bar button
        QVERIFY(looksLike(window->windowIcon().pixmap(32, 32).toImage(), "icon.png"));
        QVERIFY(isPlaced(window.get()));
        const auto *title = child<QLabel>("Label1");
        QVERIFY(QFontMetrics(title->font()).horizontalAdvance(title->text())
            <= title->contentsRect().width());
        // The disabled rod letters take no focus.
        QStringList order { QApplication::focusWidget()->objectName() };
        while (order.size() < int(std::size(drawn::tabRound))) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order.join(u' '),
            QStringList(std::begin(drawn::tabRound), std::end(drawn::tabRound)).join(u' '));
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
    void beads()
    {
        QFETCH(int, digit);
        typeNumber(QString(4, QChar(u'0' + digit)));
        const QImage image = onScreen(window.get());
        QCOMPARE(
            said(drawn::misses(pixels(image), drawn::drawingProbes(digit, 15 / 2.0 + 1), 1 / 15.0)),
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
        row("slash, below 0", "|1", Qt::Key_Slash, "/", "|1");
        row("colon, above 9", "1|", Qt::Key_Colon, ":", "1|");
        row("letter", "|1", Qt::Key_A, "a", "|1");
        row("Arabic-Indic three", "|1", Qt::Key_3, "٣", "|1");
        row("AltGr @", "|1", altGr | Qt::Key_At, "@", "|1");
        row("AltGr digit", "1|", altGr | Qt::Key_0, "0", "10|");
        row("two digits in one press", "1", Qt::Key_1, "10", "10|");
        row("digit and letter in one press", "1", Qt::Key_1, "1a", "1|");
        row("Ctrl+V", "1", Qt::ControlModifier | Qt::Key_V, "", "1|");
        row("Shift+Insert pastes", "1", Qt::ShiftModifier | Qt::Key_Insert, "", "00|");
        row("Shift+Insert, three characters", "|1", Qt::ShiftModifier | Qt::Key_Insert, "", "|1");
        row("Left", "10|", Qt::Key_Left, "", "1|0");
        row("Home", "10|", Qt::Key_Home, "", "|10");
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
    // Each button steps its own place its own way, clicked, or by Enter or Space while it has the
    // focus; the rule itself is the core's. After each write the caret stands at the text's end.
    void buttons()
    {
        typeNumber(QStringLiteral("5555"));
        const std::pair<const char *, Qt::Key> presses[] = { { "Command8", Qt::Key_unknown },
            { "Command6", Qt::Key_unknown }, { "Command4", Qt::Key_unknown },
            { "Command1", Qt::Key_unknown }, { "Command7", Qt::Key_unknown },
            { "Command5", Qt::Key_unknown }, { "Command3", Qt::Key_unknown },
            { "Command2", Qt::Key_unknown }, { "Command1", Qt::Key_Return },
            { "Command1", Qt::Key_Enter }, { "Command2", Qt::Key_Space } };
        QString numbers;
        for (const auto &[name, key] : presses) {
            auto *button = child<QPushButton>(name);
            button->setFocus();
            key == Qt::Key_unknown ? QTest::mouseClick(button, Qt::LeftButton)
                                   : QTest::keyClick(button, key);
            numbers += u' ';
            for (const char *box : boxNames) {
                const auto *edit = child<QLineEdit>(box);
                numbers += edit->text() + (edit->cursorPosition() < edit->text().size() ? "<" : "");
            }
        }
        QCOMPARE(numbers, " 6555 6655 6665 6666 5666 5566 5556 5555 5556 5557 5556");
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
                QWidget *fresh = open(name);
                QVERIFY(fresh);
                QCOMPARE(fresh->windowTitle(), title);
                QCOMPARE(fresh->size(), size);
                QCOMPARE(fresh->windowType(), Qt::Tool); // no task-bar button
                QVERIFY(hasOnlyCloseBox(fresh));
                QVERIFY(fresh->windowIcon().isNull());
                // Asked for again while the abacus is in front: in front itself.
                window->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(window.get()));
                QCOMPARE(open(name, 1), fresh);
                QVERIFY(QTest::qWaitForWindowActive(fresh));
                QVERIFY(!fresh->isModal() && !fresh->parentWidget());
                QVERIFY(isPlaced(fresh));
                if (name == u"frmAbout") {
                    // The picture in its sunken box, a 2 px border round its 32 px.
                    const QImage image = onScreen(fresh);
                    const QColor ground = fresh->palette().color(QPalette::Window);
                    QVERIFY(looksLike(image.copy(px(240) + 2, px(240) + 2, 32, 32), "picture.png"));
                    QVERIFY(image.pixelColor(px(240), px(240)).lightness() < ground.lightness());
                    QVERIFY(image.pixelColor(px(780) - 1, px(780) - 1).lightness()
                        > ground.lightness());
                    QCOMPARE(said(drawn::misses(pixels(image),
                                 drawn::aboutProbes(15 / 2.0 + 1, rgb(ground)), 1 / 15.0)),
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
