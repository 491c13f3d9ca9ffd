#include "savepicture.h"

#include "runerror.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

void SavePicture(const QImage &picture, const QString &fileName, const char *format)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        const int number =
            QFileInfo(fileName).dir().exists() ? RunError::PathFileAccess : RunError::PathNotFound;
        throw RunError(number, file.errorString()).at(fileName, 0);
    }
    QImageWriter writer(&file, format);
    if (!writer.write(picture)) {
        file.cancelWriting();
        throw RunError(RunError::DeviceIOError, writer.errorString()).at(fileName, 0);
    }
    if (!file.commit())
        throw RunError(RunError::DeviceIOError, file.errorString()).at(fileName, 0);
}
