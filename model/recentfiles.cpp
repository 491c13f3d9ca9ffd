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
    if (!m_settings)
        return;
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
    m_entries.removeAt(index);
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

QString recentCaption(qsizetype index, const RecentEntry &entry)
{
    // An ampersand in a file name is a letter, not an access key.
    QString name = QFileInfo(entry.map).fileName();
    name.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(name);
}

QString recentStatusTip(const RecentEntry &entry)
{
    return (QStringList{entry.map} + entry.reports).join(QStringLiteral("; "));
}
