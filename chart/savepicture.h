// Writes the chart picture to a Windows bitmap file, the program's only output file. No
// widget here, so the window and the command line write the same file.
#pragma once

#include <QImage>
#include <QString>

// Writes `picture` in `format` ("bmp", or "png" for the command line) under `fileName`
// exactly (no extension added). The file is
// written beside its final name and moved into place only when complete, so a failure
// leaves any existing file as it was. Throws RunError: PathNotFound when the folder does
// not exist, PathFileAccess when the file cannot be created, DeviceIOError when writing
// fails part-way; each names the file.
void SavePicture(const QImage &picture, const QString &fileName, const char *format = "bmp");
