#include "rememberedfolders.h"

#include <QDir>
#include <QFileInfo>

namespace {

// "Open Quelmar Map File" -> "dialogFolders/OpenQuelmarMapFile": a key without the
// slashes and spaces that QSettings would read as groups or escape.
QString keyFor(const QString &title)
{
    QString key;
    for (QChar c : title)
        if (c.isLetterOrNumber())
            key += c;
    return QStringLiteral("dialogFolders/") + key;
}

} // namespace

RememberedFolders::RememberedFolders(CommonDialog &dialog, Settings &settings)
    : m_dialog(dialog), m_settings(settings)
{
}

QString RememberedFolders::folder(const QString &title) const
{
    // A folder that has gone since is no place to start.
    const QString folder = m_settings.text(keyFor(title));
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

std::optional<QString> RememberedFolders::remember(const QString &title,
                                                   const std::optional<QString> &path)
{
    if (path && !path->isEmpty()) {
        m_settings.setText(keyFor(title), QFileInfo(*path).absolutePath());
        m_settings.sync();
    }
    return path;
}

std::optional<QString> RememberedFolders::ShowOpen(const QString &title, const QString &filter,
                                                   const QString &start)
{
    return remember(title, m_dialog.ShowOpen(title, filter, start.isEmpty() ? folder(title) : start));
}

std::optional<QString> RememberedFolders::ShowSave(const QString &title, const QString &filter,
                                                   const QString &start)
{
    return remember(title, m_dialog.ShowSave(title, filter, start.isEmpty() ? folder(title) : start));
}

std::optional<PackedColor> RememberedFolders::ShowColor(PackedColor start)
{
    return m_dialog.ShowColor(start);
}

void RememberedFolders::message(const QString &text)
{
    m_dialog.message(text);
}

std::optional<QString> RememberedFolders::askText(const QString &title, const QString &label,
                                                  const QString &start)
{
    return m_dialog.askText(title, label, start);
}
