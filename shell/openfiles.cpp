#include "openfiles.h"

#include "filenames.h"

#include <QCoreApplication>
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
            dropped.refused << QCoreApplication::translate("OpenFiles",
                                                           "%1 (not a file on this computer)")
                                   .arg(url.toDisplayString());
            continue;
        }
        // The name as bytes: one that is not UTF-8 decodes to another file's name.
        const QByteArray bytes =
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        if (!decodesFaithfully(bytes)) {
            dropped.refused << QCoreApplication::translate("OpenFiles",
                                                           "%1 (a name that is not UTF-8)")
                                   .arg(escapedBytes(bytes));
            continue;
        }
        const QString path = url.toLocalFile();
        const QFileInfo info(path);
        if (info.isDir())
            dropped.refused << QCoreApplication::translate("OpenFiles", "%1 (a folder)").arg(path);
        else if (!info.exists())
            dropped.refused << QCoreApplication::translate("OpenFiles", "%1 (not found)").arg(path);
        else if (fileKind(path) == FileKind::Other)
            dropped.refused << QCoreApplication::translate("OpenFiles",
                                                           "%1 (neither a map nor a planet report)")
                                   .arg(path);
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
    return QCoreApplication::translate(
               "OpenFiles", "Kavora opens universe maps (*.map) and planet reports (*.pla). "
                            "Not opened:\n") +
           namedFew(refused);
}

QString namedFew(const QStringList &lines, qsizetype shown)
{
    if (lines.size() <= shown)
        return lines.join(u'\n');
    return lines.first(shown).join(u'\n') +
           QCoreApplication::translate("OpenFiles", "\nand %1 more").arg(lines.size() - shown);
}
