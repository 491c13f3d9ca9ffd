// The save command of a chart window: the save dialog, then the picture file.
#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QString>

class CommonDialog;
struct PictureLayout;

// Asks for a name in the save dialog titled `title` ("Save Map as Bitmap" for the chart
// window), offering bitmaps and then PNG images, and writes `picture` in the format the
// name asks for. With `vectors` (the same picture as panes to draw again) it also offers
// SVG and PDF, and a name ending so gets the picture drawn as vectors. Cancelling does
// nothing; a failure is shown as the one error message.
void savePictureAs(CommonDialog &dialog, const QImage &picture,
                   const QString &title = QCoreApplication::translate("savePictureAs",
                                                                      "Save Map as Bitmap"),
                   const PictureLayout *vectors = nullptr);
