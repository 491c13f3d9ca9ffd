#include "picturefile.h"

#include "runerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include <array>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Qt turns a PNG "quality" q into zlib level (100 - q) * 9 / 91: 85 gives level 1.
constexpr int kFastPngQuality = 85;

// The picture as 8-bit colour indexes, or a null image when it has more than 256 colours.
// A chart has a few dozen at most; as indexes the PNG writer compresses a third of the
// bytes and libpng tries no row filters on them, which makes the PNG about as quick to
// write as the bitmap.
QImage indexed(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QImage out(rgb.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    // Colour to index, open addressing over twice the most colours there can be.
    constexpr int kSlots = 512;
    std::array<int, kSlots> indexAt;
    indexAt.fill(-1);
    auto indexOf = [&](QRgb colour) {
        for (quint32 h = (colour * 0x9E3779B1u) >> 23;; h = (h + 1) % kSlots) {
            if (indexAt[h] < 0) {
                if (table.size() == 256)
                    return -1;
                indexAt[h] = int(table.size());
                table.append(colour);
                return indexAt[h];
            }
            if (table[indexAt[h]] == colour)
                return indexAt[h];
        }
    };
    QRgb last = 0;
    int lastIndex = -1;
    const int width = rgb.width();
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *to = out.scanLine(y);
        for (int x = 0; x < width; ++x) {
            // Runs of one colour are the rule: most pixels skip the lookup.
            if (from[x] != last || lastIndex < 0) {
                last = from[x];
                lastIndex = indexOf(last);
                if (lastIndex < 0)
                    return {};
            }
            to[x] = uchar(lastIndex);
        }
    }
    out.setColorTable(table);
    out.setDevicePixelRatio(picture.devicePixelRatio());
    return out;
}

// Writes `picture` through `file`, already open; a failure names the file's own error
// ("No space left on device") where it has one, the image writer's otherwise.
void writePicture(const QImage &picture, QFileDevice &file, const char *format,
                  const QString &fileName)
{
    QImageWriter writer(&file, format);
    QImage written = picture;
    if (qstrcmp(format, "png") == 0) {
        writer.setQuality(kFastPngQuality);
        if (const QImage few = indexed(picture); !few.isNull())
            written = few;
    }
    const bool ok = writer.write(written) && file.flush();
    if (!ok || file.error() != QFileDevice::NoError) {
        const QString reason =
            file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
        if (auto *save = qobject_cast<QSaveFile *>(&file))
            save->cancelWriting();
        throw RunError(RunError::DeviceIOError, reason).at(fileName, 0);
    }
}

#ifdef Q_OS_UNIX
// A device or a pipe is written where it is, as a shell's redirection would: replacing it
// by a new file would break it for every other program. A pipe that nobody reads yet would
// block forever, so it is opened without waiting and refused.
void writeInPlace(const QString &fileName, mode_t type, const PictureWriter &write)
{
    if (type != S_IFCHR && type != S_IFBLK && type != S_IFIFO)
        throw RunError(RunError::PathFileAccess,
                       QCoreApplication::translate(
                           "PictureFile", "not a file, a device or a pipe that a picture can be "
                                          "written to"))
            .at(fileName, 0);
    const int fd =
        ::open(QFile::encodeName(fileName).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (type == S_IFIFO && error == ENXIO)
            throw RunError(
                RunError::PathFileAccess,
                QCoreApplication::translate("PictureFile", "a pipe, and no program reads from it"))
                .at(fileName, 0);
        throw RunError(error == EACCES || error == EPERM ? RunError::PermissionDenied
                                                         : RunError::PathFileAccess,
                       QString::fromLocal8Bit(std::strerror(error)))
            .at(fileName, 0);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw RunError(RunError::PathFileAccess, file.errorString()).at(fileName, 0);
    }
    write(file);
}
#endif

} // namespace

void writePictureFile(const QString &fileName, const PictureWriter &write)
{
#ifdef Q_OS_UNIX
    // Through any links to what they name; stat() follows them.
    struct stat info;
    if (::stat(QFile::encodeName(fileName).constData(), &info) == 0 && !S_ISREG(info.st_mode) &&
        !S_ISDIR(info.st_mode))
        return writeInPlace(fileName, info.st_mode & S_IFMT, write);
#endif
    QSaveFile file(fileName);
    // A file the user may write in a folder they may not is written where it is, since no
    // new file can be made beside it.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        const int number =
            QFileInfo(fileName).dir().exists() ? RunError::PathFileAccess : RunError::PathNotFound;
        throw RunError(number, file.errorString()).at(fileName, 0);
    }
    write(file);
    if (!file.commit())
        throw RunError(RunError::DeviceIOError, file.errorString()).at(fileName, 0);
}

void SavePicture(const QImage &picture, const QString &fileName, const char *format)
{
    writePictureFile(fileName,
                     [&](QFileDevice &file) { writePicture(picture, file, format, fileName); });
}

const char *pictureFormatFor(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ? "png" : "bmp";
}
