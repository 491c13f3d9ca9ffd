#include "dumpfile.h"

#include "runerror.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned codes map
// to the C1 controls as Windows itself does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString fromCp1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = (b >= 0x80 && b < 0xA0) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

QString fromUtf16(const QByteArray &bytes, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes.mid(2));
}

// Some Windows editors save "Unicode" text without a byte-order mark. Plain dumps have no
// NUL characters, so NUL in every other byte of the opening stretch gives such a file away.
std::optional<QStringConverter::Encoding> utf16WithoutMark(const QByteArray &bytes)
{
    const qsizetype pairs = std::min<qsizetype>(bytes.size(), 256) / 2;
    if (pairs < 2)
        return std::nullopt;
    qsizetype evenZeros = 0, oddZeros = 0;
    for (qsizetype i = 0; i < pairs; ++i) {
        evenZeros += bytes[2 * i] == '\0';
        oddZeros += bytes[2 * i + 1] == '\0';
    }
    if (oddZeros * 10 >= pairs * 9 && evenZeros * 10 <= pairs)
        return QStringConverter::Utf16LE;
    if (evenZeros * 10 >= pairs * 9 && oddZeros * 10 <= pairs)
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

} // namespace

QString decodeDump(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    if (bytes.startsWith("\xFF\xFE"))
        return fromUtf16(bytes, QStringConverter::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return fromUtf16(bytes, QStringConverter::Utf16BE);
    if (const auto encoding = utf16WithoutMark(bytes))
        return QStringDecoder(*encoding, QStringConverter::Flag::Stateless).decode(bytes);

    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return fromCp1252(bytes);
}

QString readDumpFile(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty())
        throw RunError(RunError::BadFileName).at(path, 0);
    if (!info.exists())
        throw RunError(RunError::FileNotFound).at(path, 0);
    if (info.isDir())
        throw RunError(RunError::PathFileAccess,
                       QCoreApplication::translate("DumpFile", "it is a folder"))
            .at(path, 0);
    // A pipe or a device could block the reader for ever or never end.
    if (!info.isFile())
        throw RunError(RunError::PathFileAccess,
                       QCoreApplication::translate("DumpFile", "it is not a regular file"))
            .at(path, 0);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const int number = file.error() == QFileDevice::PermissionsError
                               ? RunError::PermissionDenied
                               : RunError::PathFileAccess;
        throw RunError(number, file.errorString()).at(path, 0);
    }
    // Read until the end rather than trusting the size: a file may grow or shrink under
    // us. Straight into the bytes kept, sized for the file as it was, and one more byte,
    // so that a file that did not grow is read in full by the first read.
    constexpr qint64 kPiece = 1 << 16;
    QByteArray bytes;
    qint64 size = 0;
    bytes.resize(std::clamp<qint64>(info.size() + 1, kPiece, kMaxDumpBytes + 1));
    for (;;) {
        if (size == bytes.size())
            bytes.resize(std::min<qint64>(size * 2, kMaxDumpBytes + 1));
        const qint64 got = file.read(bytes.data() + size, bytes.size() - size);
        if (got < 0)
            throw RunError(RunError::DeviceIOError, file.errorString()).at(path, 0);
        if (got == 0)
            break;
        size += got;
        if (size > kMaxDumpBytes)
            throw RunError(RunError::OutOfMemory, QCoreApplication::translate(
                                                      "DumpFile", "the file is larger than 256 MB"))
                .at(path, 0);
    }
    bytes.truncate(size);
    return decodeDump(bytes);
}
