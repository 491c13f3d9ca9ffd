#include "savepicture.h"

#include "commondialog.h"
#include "runerror.h"
#include "runreported.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace {

const QString kSaveTitle = QStringLiteral("Save Map as Bitmap");
const QString kSaveFilter = QStringLiteral("Bitmaps (*.bmp)|*.bmp|PNG images (*.png)|*.png");
// Qt turns a PNG "quality" q into zlib level (100 - q) * 9 / 91: 85 gives level 1.
constexpr int kFastPngQuality = 85;

} // namespace

void SavePicture(const QImage &picture, const QString &fileName, const char *format)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        const int number =
            QFileInfo(fileName).dir().exists() ? RunError::PathFileAccess : RunError::PathNotFound;
        throw RunError(number, file.errorString()).at(fileName, 0);
    }
    QImageWriter writer(&file, format);
    if (qstrcmp(format, "png") == 0)
        writer.setQuality(kFastPngQuality);
    if (!writer.write(picture)) {
        file.cancelWriting();
        throw RunError(RunError::DeviceIOError, writer.errorString()).at(fileName, 0);
    }
    if (!file.commit())
        throw RunError(RunError::DeviceIOError, file.errorString()).at(fileName, 0);
}

const char *pictureFormatFor(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ? "png" : "bmp";
}

void savePictureAs(CommonDialog &dialog, const QImage &picture)
{
    const std::optional<QString> path = dialog.ShowSave(kSaveTitle, kSaveFilter);
    if (!path)
        return;
    runReported(dialog, [&] { SavePicture(picture, *path, pictureFormatFor(*path)); });
}
