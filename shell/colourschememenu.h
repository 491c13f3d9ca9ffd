// Map > "Colour &Scheme": "&Classic" and "&Distinct", one of them ticked. It only shows the
// choice and hands on what the user picked; applying the scheme is the main window's.
#pragma once

#include "records.h"

#include <QObject>

class QAction;
class QMenu;

class ColourSchemeMenu : public QObject {
    Q_OBJECT
public:
    // Adds the submenu at the end of `menu`, Classic ticked.
    explicit ColourSchemeMenu(QMenu *menu, QObject *parent = nullptr);

    // Ticks the item of `scheme` without telling anyone.
    void show(ColourScheme scheme);
    QMenu *menu() const { return m_menu; }
    QAction *item(ColourScheme scheme) const;

signals:
    void chosen(ColourScheme scheme);

private:
    QMenu *m_menu;
    QAction *m_classic;
    QAction *m_distinct;
};
