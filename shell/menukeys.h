// The main window's menu shortcuts win over a text field that would take their key for
// moving its cursor (a line edit takes Ctrl+E for "end of line" on this platform), so they
// work whatever field has the focus. Keys that edit text (undo, cut, copy, paste, delete)
// stay with the field.
#pragma once

#include <QObject>

class QMainWindow;

class MenuKeys : public QObject {
public:
    // Follows the shortcuts of `window`'s menu bar, as they are when a key comes.
    explicit MenuKeys(QMainWindow *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMainWindow *m_window;
};
