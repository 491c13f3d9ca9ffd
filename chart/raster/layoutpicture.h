// A PictureLayout made into a file's content: a bitmap through ImageSurface, or a vector
// drawing (SVG through Qt SVG's generator, PDF through QPdfWriter) through PainterSurface.
#pragma once

#include "picturelayout.h"

#include <QImage>
#include <QString>

// The layout as pixels, every pane drawn `scale` times larger on its own ImageSurface and
// put in place on black. Throws what the panes throw.
QImage layoutImage(const PictureLayout &layout, int scale = 1);

// "svg" or "pdf" for a name ending so in any case; nullptr for any other.
const char *vectorFormatFor(const QString &fileName);

// Writes the layout as vectors in `format` ("svg" or "pdf") under `fileName` exactly, the
// page or canvas the picture's size times `scale` (at 96 pixels an inch for SVG, one point
// a pixel for PDF). The file is written beside its final name and moved into place only
// when complete, so a failure leaves any existing file as it was. Throws RunError as
// SavePicture does, and what the panes throw.
void SaveVectorPicture(const PictureLayout &layout, const QString &fileName, const char *format,
                       int scale = 1);
