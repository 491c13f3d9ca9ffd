// Writes the chart picture to an image file, the program's only output file: a Windows
// bitmap, or a PNG for a name that ends in ".png". No widget here, so the windows and the
// command line write the same files.
#pragma once

#include <QFileDevice>
#include <QImage>
#include <QString>

#include <functional>

// Writes `picture` in `format` ("bmp" or "png") under `fileName` exactly (no extension
// added), following links. A regular file is written beside its final name and moved into
// place only when complete, keeping the permissions of the file it replaces, so a failure
// leaves any existing file as it was; where no file can be made beside it (a folder the
// user may not write), the file is written in place. A device or a pipe is written in
// place, never replaced; a pipe that nobody reads is refused rather than waited on. A PNG
// is compressed at a fast level: the chart's large flat areas shrink well at any level.
// Throws RunError: PathNotFound when the folder does not exist, PathFileAccess when the
// file cannot be created, DeviceIOError when writing fails part-way, with the file's own
// reason ("No space left on device"); each names the file.
void SavePicture(const QImage &picture, const QString &fileName, const char *format = "bmp");

// Writes the file `fileName` names as SavePicture does (in place for a device or a pipe,
// otherwise beside it and moved into place), `write` putting the bytes into the open file;
// it throws RunError to give up, which leaves any existing file as it was.
using PictureWriter = std::function<void(QFileDevice &file)>;
void writePictureFile(const QString &fileName, const PictureWriter &write);

// "png" for a name ending in ".png" in any case, "bmp" for every other name.
const char *pictureFormatFor(const QString &fileName);
