#include "chartkeys.h"

#include <QApplication>
#include <QShortcut>
#include <QWidget>

ChartKeys::ChartKeys(QWidget *window, QList<const QWidget *> fields)
    : m_window(window), m_fields(std::move(fields))
{
    m_focusChanges = QObject::connect(qApp, &QApplication::focusChanged, window,
                                      [this](QWidget *, QWidget *now) { follow(now); });
}

ChartKeys::~ChartKeys()
{
    QObject::disconnect(m_focusChanges);
}

void ChartKeys::add(const QList<QKeySequence> &keys, std::function<void()> action)
{
    auto *shortcut = new QShortcut(m_window);
    shortcut->setKeys(keys);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(shortcut, &QShortcut::activated, m_window, std::move(action));
    m_shortcuts << shortcut;
    shortcut->setEnabled(actWith(QApplication::focusWidget()));
}

// A list's open drop-down is a window of its own, which isAncestorOf does not look into,
// so the parents are followed by hand.
bool ChartKeys::actWith(const QWidget *focus) const
{
    for (const QWidget *widget = focus; widget; widget = widget->parentWidget()) {
        if (m_fields.contains(widget))
            return false;
    }
    return true;
}

void ChartKeys::follow(const QWidget *focus)
{
    const bool act = actWith(focus);
    for (QShortcut *shortcut : m_shortcuts)
        shortcut->setEnabled(act);
}
