#include "picturefile.h"

#include "runerror.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include <array>

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

} // namespace

void SavePicture(const QImage &picture, const QString &fileName, const char *format)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        const int number =
            QFileInfo(fileName).dir().exists() ? RunError::PathFileAccess : RunError::PathNotFound;
        throw RunError(number, file.errorString()).at(fileName, 0);
    }
    QImageWriter writer(&file, format);
    QImage written = picture;
    if (qstrcmp(format, "png") == 0) {
        writer.setQuality(kFastPngQuality);
        if (const QImage few = indexed(picture); !few.isNull())
            written = few;
    }
    if (!writer.write(written)) {
        file.cancelWriting();
        throw RunError(RunError::DeviceIOError, writer.errorString()).at(fileName, 0);
    }
    if (!file.commit())
        throw RunError(RunError::DeviceIOError, file.errorString()).at(fileName, 0);
}

const char *pictureFormatFor(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ? "png" : "bmp";
}
