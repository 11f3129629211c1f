// How the game window opens the How to Play and About windows: one window of each kind, shown
// again while open and made afresh after closing, neither owned by the game window nor blocking
// it. That the program lives on until its last window closes is proved on a real X server
// (e2e/lifetime.sh): Qt only ends a program from its event loop, which a test does not run.
#include "application.h"
#include "form.h"
#include "frmAbout.h"
#include "frmHelp.h"
#include "frmMain.h"
#include "imagearray.h"
#include "quiet.h"
#include "window.h"

#include <QAction>
#include <QPointer>
#include <QTest>
#include <QWindow>

using namespace tavlin;

class TestInfoWindows : public QObject {
    Q_OBJECT

    QPointer<frmMain> w;

    QWidget *infoWindow(bool about) const
    {
        return about ? static_cast<QWidget *>(test::openWindow<frmAbout>("frmAbout"))
                     : test::openWindow<frmHelp>("frmHelp");
    }

private Q_SLOTS:
    void initTestCase()
    {
        installApplicationDetails();
        test::quietOffscreenPlatform();
    }

    void init()
    {
        w = new frmMain;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }

    void cleanup()
    {
        if (w) {
            delete test::openWindow<frmHelp>("frmHelp");
            delete test::openWindow<frmAbout>("frmAbout");
        }
        delete w.data();
    }

    void singleInstance_data()
    {
        QTest::addColumn<bool>("about");
        QTest::newRow("How to Play") << false;
        QTest::newRow("About") << true;
    }

    // A second command shows the same window where it is; after closing, the next one makes a
    // new window.
    void singleInstance()
    {
        QFETCH(bool, about);
        QAction *command =
            about ? test::menuItem(w, "mnuHelpAbout") : test::menuItem(w, "mnuHelpHow");
        command->trigger();
        QPointer<QWidget> first = infoWindow(about);
        QVERIFY(first && QTest::qWaitForWindowExposed(first));
        QVERIFY(!first->parent());
        first->move(first->pos() + QPoint(40, 30));
        const QPoint moved = first->pos();
        command->trigger();
        QCOMPARE(infoWindow(about), first.data());
        QCOMPARE(first->pos(), moved);
        const auto kind = about ? "tavlin::frmAbout" : "tavlin::frmHelp";
        int windows = 0;
        for (QWidget *top : QApplication::topLevelWidgets())
            windows += top->inherits(kind);
        QCOMPARE(windows, 1);

        QTest::keyClick(first, Qt::Key_Escape);
        QTRY_VERIFY(first.isNull());
        QCOMPARE(infoWindow(about), nullptr);
        command->trigger();
        QVERIFY(infoWindow(about));
    }

    // With both information windows open the board is still played, and the game is theirs to
    // neither read nor change.
    void boardStaysPlayable()
    {
        test::menuItem(w, "mnuHelpHow")->trigger();
        test::menuItem(w, "mnuHelpAbout")->trigger();
        for (QWidget *info : {infoWindow(false), infoWindow(true)}) {
            QVERIFY(QTest::qWaitForWindowExposed(info));
            info->move(w->frameGeometry().topRight() + QPoint(50, 0));
        }
        QWindow *window = w->windowHandle();
        const QPoint from = test::boardOf(w)->mapTo(w, QPoint(144, 64) + QPoint(16, 16));
        const QPoint to = test::boardOf(w)->mapTo(w, QPoint(144, 144) + QPoint(16, 16));
        QTest::mousePress(window, Qt::LeftButton, {}, from);
        QTest::mouseMove(window, to);
        QTest::mouseRelease(window, Qt::LeftButton, {}, to);
        QCOMPARE(w->board().MoveCount(), 1);
        w->activateWindow();
        QTRY_VERIFY(w->isActiveWindow());
        QTest::keyClick(window, Qt::Key_F2);
        QCOMPARE(w->board().MoveCount(), 0);
        QVERIFY(infoWindow(false)->isVisible() && infoWindow(true)->isVisible());
    }
};

QTEST_MAIN(TestInfoWindows)
#include "tst_infowindows.moc"
