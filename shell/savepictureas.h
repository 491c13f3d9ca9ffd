// The save command of a chart window: the save dialog, then the picture file.
#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QString>

class CommonDialog;

// Asks for a name in the save dialog titled `title` ("Save Map as Bitmap" for the chart
// window), offering bitmaps and then PNG images, and writes `picture` in the format the
// name asks for. Cancelling does nothing; a failure is shown as the one error message.
void savePictureAs(CommonDialog &dialog, const QImage &picture,
                   const QString &title = QCoreApplication::translate("savePictureAs",
                                                                      "Save Map as Bitmap"));
