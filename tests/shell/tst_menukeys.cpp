// The main window's menu shortcuts: each reaches its command from the keyboard, with the
// captions and their mnemonics as they were.
#include "chartexplorer.h"
#include "mainform.h"
#include "mainwindowfixture.h"
#include "scripteddialog.h"
#include "starmap.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

using Kind = ScriptedDialog::Kind;

class TestMenuKeys : public QObject {
    Q_OBJECT
private slots:
    void shortcutsRunTheirCommands();
    void menuKeysWinInTextFields();
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

namespace {

// A line edit as the X11 key scheme makes it: Ctrl+E is its "end of line" and it claims the
// key before any shortcut (the test platform's scheme has no such binding).
class EmacsLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent *>(event)->keyCombination() ==
                QKeyCombination(Qt::ControlModifier, Qt::Key_E)) {
            event->accept();
            return true;
        }
        return QLineEdit::event(event);
    }
};

} // namespace

// After a search the box keeps the focus: the menu's Ctrl+E still opens the explorer from a
// field that would take the key for its cursor, while editing keys stay with the field.
void TestMenuKeys::menuKeysWinInTextFields()
{
    MainWindowFixture s;
    s.openMap(s.mapPath);
    auto *box = s.form.chartWindow()->findChild<QLineEdit *>(QStringLiteral("Star_Search"));
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("Alpha"));
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(box->hasFocus());
    auto *field = new EmacsLineEdit(s.form.chartWindow()->widget());
    field->show();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_E, Qt::ControlModifier);
    QVERIFY(s.form.explorerWindow());

    box->setFocus();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("Alpha"));
}

QTEST_MAIN(TestMenuKeys)
#include "tst_menukeys.moc"
