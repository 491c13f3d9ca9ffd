#include "savepictureas.h"

#include "commondialog.h"
#include "picturefile.h"
#include "runreported.h"

#include <QCoreApplication>

namespace {

const char *const kSaveFilter =
    QT_TRANSLATE_NOOP("savePictureAs", "Bitmaps (*.bmp)|*.bmp|PNG images (*.png)|*.png");

} // namespace

void savePictureAs(CommonDialog &dialog, const QImage &picture, const QString &title)
{
    const std::optional<QString> path =
        dialog.ShowSave(title, QCoreApplication::translate("savePictureAs", kSaveFilter));
    if (!path)
        return;
    runReported(dialog, [&] { SavePicture(picture, *path, pictureFormatFor(*path)); });
}
