// The main window's workspace: every child window opens wholly in view, comes back into
// view when the workspace shrinks, and activating one never maximises another.
#include "workspace.h"

#include <QMdiSubWindow>
#include <QTest>

class TestWorkspace : public QObject {
    Q_OBJECT
private slots:
    void fitting_data();
    void fitting();
    void newWindowsOpenInView();
    void shrinkingBringsWindowsBack();
    void activatingMaximisesNothing();
};

namespace {

QWidget *windowOf(QSize size, bool fixed = false)
{
    auto *widget = new QWidget;
    if (fixed)
        widget->setFixedSize(size);
    else
        widget->resize(size);
    return widget;
}

// Every child window lies wholly within the visible area of the workspace.
void checkAllInView(const Workspace &workspace)
{
    const QRect area = workspace.viewport()->rect();
    for (const QMdiSubWindow *window : workspace.subWindowList())
        QVERIFY2(area.contains(window->geometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4 is not in %5x%6")
                                .arg(window->x())
                                .arg(window->y())
                                .arg(window->width())
                                .arg(window->height())
                                .arg(area.width())
                                .arg(area.height())));
}

} // namespace

void TestWorkspace::fitting_data()
{
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QRect>("fitted");
    const QSize none(0, 0);
    QTest::newRow("inside stays") << QRect(10, 20, 300, 200) << none << QRect(10, 20, 300, 200);
    QTest::newRow("past the right") << QRect(600, 20, 500, 200) << none << QRect(500, 20, 500, 200);
    QTest::newRow("past the bottom")
        << QRect(10, 700, 300, 200) << none << QRect(10, 600, 300, 200);
    QTest::newRow("above and left") << QRect(-50, -10, 300, 200) << none << QRect(0, 0, 300, 200);
    QTest::newRow("too large: shrunk")
        << QRect(300, 100, 1400, 1000) << none << QRect(0, 0, 1000, 800);
    QTest::newRow("too wide only")
        << QRect(300, 100, 1400, 300) << none << QRect(0, 100, 1000, 300);
    QTest::newRow("cannot shrink: top left")
        << QRect(300, 100, 1400, 1000) << QSize(1400, 1000) << QRect(0, 0, 1400, 1000);
    QTest::newRow("shrinks to its minimum")
        << QRect(300, 100, 1400, 300) << QSize(1200, 0) << QRect(0, 100, 1200, 300);
}

void TestWorkspace::fitting()
{
    QFETCH(QRect, window);
    QFETCH(QSize, minimum);
    QFETCH(QRect, fitted);
    QCOMPARE(fittedInside(window, QRect(0, 0, 1000, 800), minimum), fitted);
}

// The workspace of a main window at its first-run size: a fixed window as large as the
// chart window, then two wider ones that the workspace would place beside it.
void TestWorkspace::newWindowsOpenInView()
{
    Workspace workspace;
    workspace.resize(1024, 700);
    workspace.show();
    QVERIFY(QTest::qWaitForWindowExposed(&workspace));
    workspace.addWindow(windowOf(QSize(560, 480), true));
    workspace.addWindow(windowOf(QSize(700, 480)));
    workspace.addWindow(windowOf(QSize(900, 420)));
    QMdiSubWindow *tall = workspace.addWindow(windowOf(QSize(400, 2000)));
    QMdiSubWindow *small = workspace.addWindow(windowOf(QSize(300, 200)));
    checkAllInView(workspace);
    QCOMPARE(tall->height(), workspace.viewport()->height()); // shrunk, not just moved
    // A widget keeps its own size inside the frame where there is room.
    QCOMPARE(small->widget()->size(), QSize(300, 200));
}

void TestWorkspace::shrinkingBringsWindowsBack()
{
    Workspace workspace;
    workspace.resize(1400, 1000);
    workspace.show();
    QVERIFY(QTest::qWaitForWindowExposed(&workspace));
    QMdiSubWindow *fixed = workspace.addWindow(windowOf(QSize(560, 480), true));
    QMdiSubWindow *wide = workspace.addWindow(windowOf(QSize(900, 420)));
    wide->move(450, 500);
    const int height = wide->height();
    const QSize fixedSize = fixed->size();
    workspace.resize(800, 600);
    QCoreApplication::processEvents();
    checkAllInView(workspace);
    QCOMPARE(wide->size(), QSize(800, height)); // narrower, as high as before
    // Smaller than a window that cannot shrink: its top left corner stays in view.
    workspace.resize(400, 300);
    QCoreApplication::processEvents();
    QCOMPARE(fixed->pos(), QPoint(0, 0));
    QCOMPARE(fixed->size(), fixedSize);
}

// A maximised window does not hand its maximised state to the next one activated: the
// fixed chart window would lose its title bar.
void TestWorkspace::activatingMaximisesNothing()
{
    Workspace workspace;
    workspace.resize(1200, 900);
    workspace.show();
    QVERIFY(QTest::qWaitForWindowExposed(&workspace));
    QMdiSubWindow *chart = workspace.addWindow(windowOf(QSize(560, 480), true));
    QMdiSubWindow *list = workspace.addWindow(windowOf(QSize(700, 480)));
    list->showMaximized();
    workspace.setActiveSubWindow(chart);
    QCOMPARE(workspace.activeSubWindow(), chart);
    QVERIFY(!chart->isMaximized());
    QMdiSubWindow *third = workspace.addWindow(windowOf(QSize(300, 200)));
    workspace.setActiveSubWindow(third);
    QVERIFY(!third->isMaximized());
}

QTEST_MAIN(TestWorkspace)
#include "tst_workspace.moc"
