#include "recentmenu.h"

#include "openfiles.h"

#include <QFileInfo>
#include <QMenu>

RecentMenu::RecentMenu(QMenu *menu, QAction *before, CommonDialog &dialog, OpenFn open,
                       QObject *parent)
    : QObject(parent), m_menu(menu), m_before(before), m_dialog(dialog), m_open(std::move(open)),
      m_recent(std::make_unique<RecentFiles>())
{
    // The main window has no status bar, so the paths show as the items' tips.
    m_menu->setToolTipsVisible(true);
}

RecentMenu::~RecentMenu() = default;

void RecentMenu::useSettings(Settings &settings)
{
    m_recent = std::make_unique<RecentFiles>(&settings);
    rebuild();
}

const QList<RecentEntry> &RecentMenu::entries() const
{
    return m_recent->entries();
}

void RecentMenu::record(const LoadHistory &loaded)
{
    if (loaded.mapPath.isEmpty())
        return;
    RecentEntry entry{QFileInfo(loaded.mapPath).absoluteFilePath(), {}};
    // A report that could not even be opened (or a folder) is not worth offering again.
    for (const LoadedReport &report : loaded.reports)
        if (QFileInfo(report.path).isFile() && QFileInfo(report.path).isReadable())
            entry.reports << QFileInfo(report.path).absoluteFilePath();
    m_recent->put(entry);
    rebuild();
}

void RecentMenu::choose(qsizetype index)
{
    if (index < 0 || index >= entries().size())
        return;
    RecentEntry entry = entries()[index];
    if (!QFileInfo::exists(entry.map)) {
        m_dialog.message(
            tr("%1 no longer exists; it is taken off the recent files.").arg(entry.map));
        m_recent->remove(index);
        rebuild();
        return;
    }
    QStringList missing;
    QStringList present;
    for (const QString &report : entry.reports) {
        const QFileInfo info(report);
        if (info.isFile())
            present << report;
        else
            missing << (info.exists() ? tr("%1 (not a file)").arg(report) : report);
    }
    if (!missing.isEmpty())
        m_dialog.message(tr("No longer there, so not opened:\n") + namedFew(missing));
    // Opening records the entry again, without the reports that have gone.
    m_open(entry.map, present);
}

void RecentMenu::rebuild()
{
    // The item being chosen may be the one to go: it is deleted once its signal is over.
    if (m_separator)
        m_items << m_separator;
    for (QAction *item : m_items) {
        m_menu->removeAction(item);
        item->deleteLater();
    }
    m_items.clear();
    m_separator = nullptr;
    if (entries().isEmpty()) {
        emit changed();
        return;
    }

    m_separator = new QAction(this);
    m_separator->setSeparator(true);
    m_separator->setObjectName(QStringLiteral("mnuRecentBar"));
    m_menu->insertAction(m_before, m_separator);
    const QStringList captions = recentCaptions(entries());
    for (qsizetype i = 0; i < entries().size(); ++i) {
        auto *item = new QAction(captions[i], this);
        item->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
        item->setStatusTip(recentStatusTip(entries()[i]));
        const RecentEntry &entry = entries()[i];
        item->setToolTip(entry.reports.isEmpty() ? entry.map
                                                 : entry.map + u'\n' + namedFew(entry.reports, 10));
        connect(item, &QAction::triggered, this, [this, i] { choose(i); });
        m_menu->insertAction(m_before, item);
        m_items << item;
    }
    emit changed();
}
