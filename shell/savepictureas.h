// The save command of a chart window: the save dialog, then the picture file.
#pragma once

#include <QImage>

class CommonDialog;

// Asks for a name in the save dialog titled "Save Map as Bitmap", offering bitmaps and then
// PNG images, and writes `picture` in the format the name asks for. Cancelling does
// nothing; a failure is shown as the one error message.
void savePictureAs(CommonDialog &dialog, const QImage &picture);
