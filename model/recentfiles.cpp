#include "recentfiles.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString keyFor(int number)
{
    return QStringLiteral("recentFiles/%1").arg(number);
}

} // namespace

RecentFiles::RecentFiles(Settings *settings) : m_settings(settings)
{
    load();
}

void RecentFiles::load()
{
    if (!m_settings)
        return;
    m_settings->reload();
    m_entries.clear();
    for (int number = 1; number <= kMaxEntries; ++number) {
        QStringList paths = m_settings->textList(keyFor(number));
        paths.removeAll(QString());
        if (paths.isEmpty())
            continue;
        RecentEntry entry{paths.takeFirst(), paths};
        const bool repeated = std::any_of(m_entries.begin(), m_entries.end(),
                                          [&](const RecentEntry &e) { return e.map == entry.map; });
        if (!repeated)
            m_entries.append(entry);
    }
}

void RecentFiles::put(const RecentEntry &entry)
{
    load();
    m_entries.removeIf([&](const RecentEntry &e) { return e.map == entry.map; });
    m_entries.prepend(entry);
    if (m_entries.size() > kMaxEntries)
        m_entries.resize(kMaxEntries);
    save();
}

void RecentFiles::remove(qsizetype index)
{
    if (index < 0 || index >= m_entries.size())
        return;
    const QString map = m_entries[index].map;
    load();
    m_entries.removeIf([&](const RecentEntry &e) { return e.map == map; });
    save();
}

void RecentFiles::save()
{
    if (!m_settings)
        return;
    for (int number = 1; number <= kMaxEntries; ++number) {
        if (number <= m_entries.size()) {
            const RecentEntry &entry = m_entries[number - 1];
            m_settings->setTextList(keyFor(number), QStringList{entry.map} + entry.reports);
        } else {
            m_settings->remove(keyFor(number));
        }
    }
    m_settings->sync();
}

namespace {

// The last `parts` folders above the file, or the whole folder when it has no more:
// "/home/p/beta/universe.map" gives "beta", "p/beta", then "/home/p/beta".
QString folderTail(const QString &map, qsizetype parts)
{
    const QString folder = QFileInfo(map).path();
    const QStringList names = folder.split(u'/', Qt::SkipEmptyParts);
    return parts >= names.size() ? folder : names.last(parts).join(u'/');
}

} // namespace

QStringList recentCaptions(const QList<RecentEntry> &entries)
{
    QStringList captions;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString name = QFileInfo(entries[i].map).fileName();
        QList<qsizetype> namesakes;
        for (qsizetype j = 0; j < entries.size(); ++j)
            if (j != i && QFileInfo(entries[j].map).fileName() == name)
                namesakes << j;
        QString caption = name;
        if (!namesakes.isEmpty()) {
            // The fewest folders that no namesake shares; the whole folder at the latest.
            const qsizetype depth = QFileInfo(entries[i].map).path().count(u'/') + 1;
            for (qsizetype parts = 1;; ++parts) {
                const QString tail = folderTail(entries[i].map, parts);
                const bool shared =
                    std::any_of(namesakes.begin(), namesakes.end(), [&](qsizetype j) {
                        return folderTail(entries[j].map, parts) == tail;
                    });
                if (!shared || parts >= depth) {
                    caption += QStringLiteral(" (%1)").arg(tail);
                    break;
                }
            }
        }
        // An ampersand in a file name is a letter, not an access key.
        caption.replace(u'&', QStringLiteral("&&"));
        captions << QStringLiteral("&%1 %2").arg(i + 1).arg(caption);
    }
    return captions;
}

QString recentStatusTip(const RecentEntry &entry)
{
    return (QStringList{entry.map} + entry.reports).join(QStringLiteral("; "));
}
