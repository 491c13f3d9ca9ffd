// The save command of a chart window: the save dialog, then the picture file.
#pragma once

#include <QImage>
#include <QString>

class CommonDialog;
struct PictureLayout;

// Asks for a name in the save dialog titled `title`, offering bitmaps, PNG images, SVG
// drawings and PDF documents, and writes the picture in the format the name asks for:
// `picture` as it stands for a bitmap or PNG, `vectors` (the same picture as panes to draw
// again) for SVG and PDF. Cancelling does nothing; a failure is shown as the one error
// message.
void savePictureAs(CommonDialog &dialog, const QImage &picture, const QString &title,
                   const PictureLayout &vectors);
