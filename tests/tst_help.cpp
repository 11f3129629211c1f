// Guards the How to Play window: the rules text to the character, a text box that can be read,
// selected and copied but never changed, the fixed layout, and that OK, Enter, Esc and the close
// box all unload the window.
#include "application.h"
#include "frmHelp.h"

#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>

using tavlin::frmHelp;

namespace {

const QStringList Paragraphs = {
    QStringLiteral("Remove as many marbles as possible from the board. The only legal moves are "
                   "horizontal or vertical jumps of one marble over another to an empty hole on "
                   "the other side. The marble that is jumped is removed from the board."),
    QStringLiteral("To move, just put the pointer on the marble you want to move, hold the mouse "
                   "button down, and drag the marble to a legal empty spot."),
    QStringLiteral("The ultimate object of the game is to remove all marbles except for one, which "
                   "should end in the middle hole."),
    QStringLiteral("Good Luck."),
};

// Loads a window, shows it and makes it active; deletes it unless the test closed it.
struct Loaded {
    QPointer<frmHelp> window = new frmHelp;
    QTextEdit *text = window->findChild<QTextEdit *>(QStringLiteral("Text1"));
    QPushButton *ok = window->findChild<QPushButton *>(QStringLiteral("Command1"));

    bool show()
    {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }
    void clickIntoText() { QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, {20, 20}); }
    ~Loaded() { delete window; }
};

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { tavlin::installApplicationDetails(); }

    // The assembled text: 483 characters, four paragraphs split by one empty line each, nothing
    // after the last, and exactly one space wherever two pieces meet.
    void rulesTextIsExact()
    {
        const QString text = frmHelp::rulesText();
        QCOMPARE(text.size(), 483);
        QCOMPARE(text.split(QStringLiteral("\r\n\r\n")), Paragraphs);
        QCOMPARE(text.count(u'\r'), 6);
        QCOMPARE(text.count(u'\n'), 6);
        QVERIFY(!text.contains(QStringLiteral("  ")));
    }

    // The text box holds the same four paragraphs, loaded afresh by every window.
    void textBoxHoldsRules()
    {
        Loaded loaded;
        const QStringList expected = {Paragraphs[0], {}, Paragraphs[1], {},
                                      Paragraphs[2], {}, Paragraphs[3]};
        QCOMPARE(loaded.text->toPlainText().split(u'\n'), expected);
    }

    // Each control sits where the layout puts it (twips / 15), also after an attempt to resize
    // the window, and lies above the decoration with nothing else over it.
    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("Text1") << "Text1" << QRect(120, 480, 4335, 3015);
        QTest::newRow("Command1") << "Command1" << QRect(1800, 3600, 855, 375);
        QTest::newRow("Label1") << "Label1" << QRect(120, 120, 4335, 375);
        QTest::newRow("Shape1") << "Shape1" << QRect(0, 0, 4575, 4215);
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        Loaded loaded;
        QVERIFY(loaded.show());
        loaded.window->resize(600, 600);
        QCOMPARE(loaded.window->size(), QSize(4545 / 15, 4080 / 15));
        auto *control = loaded.window->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(),
                 QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
        if (name != QLatin1String("Shape1")) {
            QWidget *top = loaded.window->childAt(control->geometry().center());
            QVERIFY(top == control || control->isAncestorOf(top));
            // Siblings stack in the order of their parent's list, the last on top.
            const QObjectList &stack = loaded.window->children();
            QVERIFY(stack.indexOf(control) >
                    stack.indexOf(loaded.window->findChild<QFrame *>(QStringLiteral("Shape1"))));
        }
    }

    // OK holds the focus at first and is the only tab stop.
    void focusStaysOnOk()
    {
        Loaded loaded;
        QVERIFY(loaded.show());
        QCOMPARE(QApplication::focusWidget(), loaded.ok);
        QTest::keyClick(loaded.ok, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), loaded.ok);
    }

    // The rules fit the box at the window's font: no scroll bar and nothing cut off.
    void textFitsWithoutScrollBars()
    {
        Loaded loaded;
        QVERIFY(loaded.show());
        QVERIFY(!loaded.text->verticalScrollBar()->isVisible());
        QVERIFY(!loaded.text->horizontalScrollBar()->isVisible());
        QVERIFY(loaded.text->document()->size().height() <= loaded.text->viewport()->height());
        QCOMPARE(loaded.text->verticalScrollBar()->maximum(), 0);
    }

    // No key changes the text, also once the box has the focus.
    void textBoxIsLocked_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("letters") << QKeySequence(QStringLiteral("x, y"));
        QTest::newRow("backspace") << QKeySequence(Qt::Key_Backspace);
        QTest::newRow("cut") << QKeySequence(QKeySequence::Cut);
        QTest::newRow("paste") << QKeySequence(QKeySequence::Paste);
    }
    void textBoxIsLocked()
    {
        QFETCH(QKeySequence, keys);
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
        Loaded loaded;
        QVERIFY(loaded.show());
        const QString before = loaded.text->toPlainText();
        loaded.clickIntoText();
        QCOMPARE(QApplication::focusWidget(), loaded.text);
        QTest::keySequence(loaded.text, QKeySequence::SelectAll);
        QTest::keySequence(loaded.text, keys);
        QTest::keyClicks(loaded.text, QStringLiteral("typed"));
        QCOMPARE(loaded.text->toPlainText(), before);
    }

    // The text can be selected with the mouse and the keyboard, and copied.
    void textBoxSelectsAndCopies()
    {
        Loaded loaded;
        QVERIFY(loaded.show());
        QTest::mouseDClick(loaded.text->viewport(), Qt::LeftButton, {}, {20, 12});
        QCOMPARE(loaded.text->textCursor().selectedText(), QStringLiteral("Remove"));
        QTest::keyClick(loaded.text, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(loaded.text->textCursor().selectedText(), QStringLiteral("Remove "));
        QTest::keySequence(loaded.text, QKeySequence::SelectAll);
        QTest::keySequence(loaded.text, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), Paragraphs.join(QStringLiteral("\n\n")));
    }

    // Every way of closing unloads the window, whichever control has the focus.
    void closes_data()
    {
        QTest::addColumn<bool>("focusText");
        QTest::addColumn<int>("key");
        QTest::newRow("Enter on OK") << false << int(Qt::Key_Return);
        QTest::newRow("keypad Enter on OK") << false << int(Qt::Key_Enter);
        QTest::newRow("Esc on OK") << false << int(Qt::Key_Escape);
        QTest::newRow("Enter in text box") << true << int(Qt::Key_Return);
        QTest::newRow("Esc in text box") << true << int(Qt::Key_Escape);
        QTest::newRow("OK clicked") << false << 0;
        QTest::newRow("close box") << true << -1;
    }
    void closes()
    {
        QFETCH(bool, focusText);
        QFETCH(int, key);
        Loaded loaded;
        QVERIFY(loaded.show());
        if (focusText) {
            loaded.clickIntoText();
            QCOMPARE(QApplication::focusWidget(), loaded.text);
        }
        if (key > 0) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        } else if (key == 0) {
            QTest::mouseClick(loaded.ok, Qt::LeftButton);
        } else {
            loaded.window->close();
        }
        QTRY_VERIFY(loaded.window.isNull());
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
