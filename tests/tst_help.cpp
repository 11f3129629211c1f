// Guards the How to Play window: the rules text to the character, a text box that can be
// selected and copied but never changed, the fixed layout, and that Enter and Esc unload the
// window whichever control has the focus.
#include "application.h"
#include "frmHelp.h"
#include "layout.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QTest>
#include <QTextEdit>

using tavlin::frmHelp;

namespace {

// Four paragraphs, one empty line between each two, nothing after the last.
const QString Rules = QStringLiteral(
    "Remove as many marbles as possible from the board. The only legal moves are horizontal or "
    "vertical jumps of one marble over another to an empty hole on the other side. The marble "
    "that is jumped is removed from the board.\r\n\r\n"
    "To move, just put the pointer on the marble you want to move, hold the mouse button down, "
    "and drag the marble to a legal empty spot.\r\n\r\n"
    "The ultimate object of the game is to remove all marbles except for one, which should end "
    "in the middle hole.\r\n\r\n"
    "Good Luck.");

// A shown window, deleted unless the test closed it.
struct Loaded {
    QPointer<frmHelp> window = new frmHelp;
    QTextEdit *text = window->findChild<QTextEdit *>(QStringLiteral("Text1"));

    Loaded() { window->show(); }
    ~Loaded() { delete window; }
};

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { tavlin::installApplicationDetails(); }

    // The box shows the rules (each CR LF one line break), selects by mouse and keyboard and
    // copies, but no key changes it.
    void rulesTextIsLockedButSelectable()
    {
        QCOMPARE(frmHelp::rulesText(), Rules);
        QCOMPARE(Rules.size(), 483);
        const QString shown = QString(Rules).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        Loaded loaded;
        QVERIFY(QTest::qWaitForWindowActive(loaded.window));
        QTest::mouseDClick(loaded.text->viewport(), Qt::LeftButton, {}, {20, 12});
        QCOMPARE(loaded.text->textCursor().selectedText(), QStringLiteral("Remove"));
        QTest::keyClick(loaded.text, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(loaded.text->textCursor().selectedText(), QStringLiteral("Remove "));
        QTest::keyClicks(loaded.text, QStringLiteral("typed\b"));
        QCOMPARE(loaded.text->toPlainText(), shown);
        QTest::keySequence(loaded.text, QKeySequence::SelectAll);
        QTest::keySequence(loaded.text, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), shown);
    }

    // Title and size, then every control's name, box and caption from the bottom of the stack
    // up, also after an attempt to resize; the rules fit their box without scrolling.
    void layout()
    {
        Loaded loaded;
        loaded.window->resize(600, 600);
        QCOMPARE(tavlin::test::layoutOf(loaded.window),
                 QStringList({"How to Play 303x272", "Shape1 0,0 305x281", "Text1 8,32 289x201",
                              "Command1 120,240 57x25 OK",
                              "Label1 8,8 289x25 How to play Tavlin Solitaire"}));
        QVERIFY(loaded.text->document()->size().height() <= loaded.text->viewport()->height());
    }

    // Return and Esc unload the window from OK, which a Tab leaves in place as the only tab stop,
    // and from the text box once clicked into.
    void closesByKey_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("key");
        for (const char *focus : {"Command1", "Text1"}) {
            for (const char *key : {"Return", "Esc"}) {
                QTest::addRow("%s on %s", key, focus) << focus << key;
            }
        }
    }
    void closesByKey()
    {
        QFETCH(QString, focus);
        Loaded loaded;
        QVERIFY(QTest::qWaitForWindowActive(loaded.window));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (focus == QLatin1String("Text1")) {
            QTest::mouseClick(loaded.text->viewport(), Qt::LeftButton, {}, {20, 20});
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QFETCH(QString, key);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(key));
        QTRY_VERIFY(loaded.window.isNull());
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
