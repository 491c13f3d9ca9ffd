// The main window's menu shortcuts: each reaches its command from the keyboard, with the
// captions and their mnemonics as they were.
#include "mainform.h"
#include "scripteddialog.h"

#include <QTest>

using Kind = ScriptedDialog::Kind;

class TestMenuKeys : public QObject {
    Q_OBJECT
private slots:
    void shortcutsRunTheirCommands();
};

void TestMenuKeys::shortcutsRunTheirCommands()
{
    Globals g;
    ScriptedDialog dialog;
    mainform form(g, dialog, {});
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    const struct {
        const char *name;
        const char *caption;
        QKeySequence keys;
    } items[] = {
        {"mnu_Open", "&Open Map File", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"mnuOpenPlayerFile", "Open &Player File", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
        {"mnuUndoReport", "&Undo Last Report", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"mnuSaveBmp", "&Save Map as Bitmap", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnu_Exit", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"mnuAbout", "&About", QKeySequence(Qt::Key_F1)},
    };
    for (const auto &item : items) {
        auto *action = form.findChild<QAction *>(QLatin1String(item.name));
        QVERIFY(action);
        QCOMPARE(action->text(), QLatin1String(item.caption));
        QCOMPARE(action->shortcut(), item.keys);
    }

    // Ctrl+O asks for a map; Ctrl+Shift+O and Ctrl+S, with no map, say so.
    dialog.cancelNext();
    QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(dialog.asked().size(), 1);
    QCOMPARE(dialog.asked()[0].kind, Kind::Open);
    QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(dialog.messages(),
             QStringList({"Please open a map first.", "Please open a map first."}));
    // Ctrl+Q leaves.
    QTest::keyClick(&form, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!form.isVisible());
}

QTEST_MAIN(TestMenuKeys)
#include "tst_menukeys.moc"
