#include "savepictureas.h"

#include "commondialog.h"
#include "layoutpicture.h"
#include "picturefile.h"
#include "runreported.h"

namespace {

const QString kSaveFilter = QStringLiteral("Bitmaps (*.bmp)|*.bmp|PNG images (*.png)|*.png");
const QString kVectorFilter = QStringLiteral("|SVG drawings (*.svg)|*.svg|PDF documents (*.pdf)|*.pdf");

} // namespace

void savePictureAs(CommonDialog &dialog, const QImage &picture, const QString &title,
                   const PictureLayout *vectors)
{
    const std::optional<QString> path =
        dialog.ShowSave(title, vectors ? kSaveFilter + kVectorFilter : kSaveFilter);
    if (!path)
        return;
    runReported(dialog, [&] {
        if (const char *vector = vectors ? vectorFormatFor(*path) : nullptr)
            SaveVectorPicture(*vectors, *path, vector);
        else
            SavePicture(picture, *path, pictureFormatFor(*path));
    });
}
