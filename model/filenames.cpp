#include "filenames.h"

#include <QFile>

#include <algorithm>

namespace {

// The length of the valid UTF-8 sequence at `at` (no overlong form, no UTF-16 half, nothing
// past U+10FFFF), or 0.
int sequenceLength(const QByteArray &bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return i < bytes.size() ? uchar(bytes[i]) : 0; };
    const uchar lead = byte(at);
    if (lead < 0x80)
        return 1;
    int length = 0;
    uchar low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (int i = 2; i < length; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF)
            return 0;
    return length;
}

} // namespace

bool decodesFaithfully(const QByteArray &name)
{
    return QFile::encodeName(QFile::decodeName(name)) == name;
}

QString escapedBytes(const QByteArray &name)
{
    QString text;
    for (qsizetype i = 0; i < name.size();) {
        const int length = sequenceLength(name, i);
        const uchar lead = uchar(name[i]);
        // C1 controls (U+0080 to U+009F) move a terminal's cursor as the C0 ones do.
        const bool control = lead < 0x20 || lead == 0x7F ||
                             (length == 2 && lead == 0xC2 && uchar(name[i + 1]) < 0xA0);
        if (length == 0 || control) {
            for (qsizetype end = i + std::max(length, 1); i < end; ++i)
                text += QStringLiteral("\\x") +
                        QString::number(uchar(name[i]), 16).toUpper().rightJustified(2, u'0');
            continue;
        }
        text += QString::fromUtf8(name.constData() + i, length);
        i += length;
    }
    return text;
}
