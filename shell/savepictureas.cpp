#include "savepictureas.h"

#include "commondialog.h"
#include "layoutpicture.h"
#include "picturefile.h"
#include "runreported.h"

#include <QCoreApplication>

namespace {

const char *const kSaveFilter =
    QT_TRANSLATE_NOOP("savePictureAs", "Bitmaps (*.bmp)|*.bmp|PNG images (*.png)|*.png");
const char *const kVectorFilter =
    QT_TRANSLATE_NOOP("savePictureAs", "|SVG drawings (*.svg)|*.svg|PDF documents (*.pdf)|*.pdf");

} // namespace

void savePictureAs(CommonDialog &dialog, const QImage &picture, const QString &title,
                   const PictureLayout &vectors)
{
    const std::optional<QString> path =
        dialog.ShowSave(title, QCoreApplication::translate("savePictureAs", kSaveFilter) +
                                   QCoreApplication::translate("savePictureAs", kVectorFilter));
    if (!path)
        return;
    runReported(dialog, [&] {
        if (const char *vector = vectorFormatFor(*path))
            SaveVectorPicture(vectors, *path, vector);
        else
            SavePicture(picture, *path, pictureFormatFor(*path));
    });
}
