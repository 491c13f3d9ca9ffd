#include "menukeys.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

bool editsText(const QKeyEvent &key)
{
    for (QKeySequence::StandardKey edit :
         {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Cut, QKeySequence::Copy,
          QKeySequence::Paste, QKeySequence::Delete, QKeySequence::Backspace,
          QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
          QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine}) {
        if (key.matches(edit))
            return true;
    }
    return false;
}

bool isTextField(const QObject *object)
{
    return qobject_cast<const QLineEdit *>(object) ||
           qobject_cast<const QAbstractSpinBox *>(object) ||
           qobject_cast<const QTextEdit *>(object) || qobject_cast<const QPlainTextEdit *>(object);
}

} // namespace

MenuKeys::MenuKeys(QMainWindow *window) : QObject(window), m_window(window)
{
    qApp->installEventFilter(this);
}

// Leaving a ShortcutOverride unclaimed lets the shortcut go ahead.
bool MenuKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride || !isTextField(watched))
        return false;
    const auto *field = static_cast<QWidget *>(watched);
    if (field->window() != m_window)
        return false;
    const auto &key = *static_cast<QKeyEvent *>(event);
    if (editsText(key))
        return false;
    const QKeySequence pressed(key.keyCombination());
    for (const QAction *action : m_window->menuBar()->findChildren<QAction *>()) {
        if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == pressed)
            return true;
    }
    return false;
}
