#include "openfiles.h"

#include <QFileInfo>

FileKind fileKind(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(u"map", Qt::CaseInsensitive) == 0)
        return FileKind::Map;
    if (suffix.compare(u"pla", Qt::CaseInsensitive) == 0)
        return FileKind::Report;
    return FileKind::Other;
}

OpenOrder openOrder(const QStringList &paths)
{
    OpenOrder order;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        FileKind kind = fileKind(paths[i]);
        if (kind == FileKind::Other)
            kind = i == 0 ? FileKind::Map : FileKind::Report;
        if (kind == FileKind::Map)
            order.map = paths[i];
        else
            order.reports << paths[i];
    }
    return order;
}

DroppedFiles droppedFiles(const QList<QUrl> &urls)
{
    DroppedFiles dropped;
    QStringList taken;
    for (const QUrl &url : urls) {
        if (!url.isLocalFile()) {
            dropped.refused << QStringLiteral("%1 (not a file on this computer)")
                                   .arg(url.toDisplayString());
            continue;
        }
        const QString path = url.toLocalFile();
        const QFileInfo info(path);
        if (info.isDir())
            dropped.refused << QStringLiteral("%1 (a folder)").arg(path);
        else if (!info.exists())
            dropped.refused << QStringLiteral("%1 (not found)").arg(path);
        else if (fileKind(path) == FileKind::Other)
            dropped.refused << QStringLiteral("%1 (neither a map nor a planet report)").arg(path);
        else
            taken << path;
    }
    dropped.order = openOrder(taken);
    return dropped;
}

QString refusalMessage(const QStringList &refused)
{
    if (refused.isEmpty())
        return {};
    return QStringLiteral("Kavora opens universe maps (*.map) and planet reports (*.pla). "
                          "Not opened:\n") +
           refused.join(u'\n');
}
