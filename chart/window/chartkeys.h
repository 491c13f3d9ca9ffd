// The chart window's own keys (arrows, + = -, Home): they act while the focus is anywhere
// in the window except in the fields that keep every key for themselves, a text field and
// a list with its drop-down, where the arrows move through the text or the entries.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QMetaObject>

#include <functional>

class QShortcut;
class QWidget;

class ChartKeys {
public:
    // Keys of `window` that give way to the focus in any of `fields`.
    ChartKeys(QWidget *window, QList<const QWidget *> fields);
    // Stops following the focus: the window's widgets are about to go, and the focus moves
    // as they do.
    ~ChartKeys();
    ChartKeys(const ChartKeys &) = delete;
    ChartKeys &operator=(const ChartKeys &) = delete;

    // Any of `keys` runs `action`.
    void add(const QList<QKeySequence> &keys, std::function<void()> action);
    // Whether the keys act with the focus on `focus`.
    bool actWith(const QWidget *focus) const;

private:
    void follow(const QWidget *focus);

    QWidget *m_window;
    QList<const QWidget *> m_fields;
    QList<QShortcut *> m_shortcuts;
    QMetaObject::Connection m_focusChanges;
};
