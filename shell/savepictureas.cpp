#include "savepictureas.h"

#include "commondialog.h"
#include "picturefile.h"
#include "runreported.h"

namespace {

const QString kSaveFilter = QStringLiteral("Bitmaps (*.bmp)|*.bmp|PNG images (*.png)|*.png");

} // namespace

void savePictureAs(CommonDialog &dialog, const QImage &picture, const QString &title)
{
    const std::optional<QString> path = dialog.ShowSave(title, kSaveFilter);
    if (!path)
        return;
    runReported(dialog, [&] { SavePicture(picture, *path, pictureFormatFor(*path)); });
}
