// The recent files in the File menu: one item per entry of RecentFiles, "&1 universe.map"
// (with its folder when another entry has the same name) and the entry's full paths as
// its tip, placed before a given item (the separator above "E&xit") and absent while the
// list is empty. Choosing an item opens the entry again through the `open` function; a file
// that has gone, or is no file, is named in a message and dropped.
#pragma once

#include "commondialog.h"
#include "loadhistory.h"
#include "recentfiles.h"

#include <QList>
#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QMenu;

class RecentMenu : public QObject {
    Q_OBJECT
public:
    using OpenFn = std::function<void(const QString &map, const QStringList &reports)>;

    RecentMenu(QMenu *menu, QAction *before, CommonDialog &dialog, OpenFn open,
               QObject *parent = nullptr);
    ~RecentMenu() override;

    // Reads the list kept in `settings` and from then on keeps it there. Until this is
    // called nothing is recorded.
    void useSettings(Settings &settings);

    // What is open now becomes the first entry: the map and the reports read after it.
    void record(const LoadHistory &loaded);
    // Opens entry `index` again, as choosing its menu item does.
    void choose(qsizetype index);

    const QList<RecentEntry> &entries() const;
    // The menu items, first entry first (the separator above them not included).
    const QList<QAction *> &items() const { return m_items; }

signals:
    // The entries changed, and the menu items with them.
    void changed();

private:
    void rebuild();

    QMenu *m_menu;
    QAction *m_before;
    CommonDialog &m_dialog;
    OpenFn m_open;
    std::unique_ptr<RecentFiles> m_recent;
    QAction *m_separator = nullptr;
    QList<QAction *> m_items;
};
