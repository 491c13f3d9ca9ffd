#include "conversions.h"

#include "runerror.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <cmath>

namespace conv {
namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

// Finds the longest number at `pos`: [sign] digits [. digits] [e|d [sign] digits].
// Returns its length (0 when there is none) and writes its ASCII form to `out`.
qsizetype scanNumber(QStringView text, qsizetype pos, std::string &out)
{
    out.clear();
    qsizetype i = pos;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            out += '-';
        ++i;
    }
    qsizetype digits = 0;
    while (i < n && isDigit(text[i])) {
        out += char(text[i].unicode());
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        qsizetype j = i + 1;
        qsizetype fraction = 0;
        std::string frac = ".";
        while (j < n && isDigit(text[j])) {
            frac += char(text[j].unicode());
            ++j;
            ++fraction;
        }
        if (digits + fraction > 0) {
            out += frac;
            digits += fraction;
            i = j;
        }
    }
    if (digits == 0)
        return 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        qsizetype j = i + 1;
        std::string exp = "e";
        if (j < n && (text[j] == u'+' || text[j] == u'-')) {
            exp += char(text[j].unicode());
            ++j;
        }
        qsizetype expDigits = 0;
        while (j < n && isDigit(text[j])) {
            exp += char(text[j].unicode());
            ++j;
            ++expDigits;
        }
        if (expDigits > 0) {
            out += exp;
            i = j;
        }
    }
    return i - pos;
}

// The power of ten of the first significant digit of a scanned number ("123.4" 2,
// "0.05e3" 1), saturated far beyond any double's range; nullopt when every digit is 0.
std::optional<long long> decimalMagnitude(const std::string &ascii)
{
    constexpr long long kFar = 1'000'000'000;
    const size_t e = std::min(ascii.find('e'), ascii.size());
    long long exponent = 0;
    for (size_t i = e + 1; i < ascii.size(); ++i) {
        if (ascii[i] >= '0' && ascii[i] <= '9')
            exponent = std::min(kFar, exponent * 10 + (ascii[i] - '0'));
    }
    if (e + 1 < ascii.size() && ascii[e + 1] == '-')
        exponent = -exponent;
    const size_t point = std::min(ascii.find('.'), e);
    for (size_t i = 0; i < e; ++i) {
        if (ascii[i] >= '1' && ascii[i] <= '9') {
            // Digits before the point count up from 0 at the point's left, after it down.
            const long long place = i < point ? (long long)(point - i) - 1 : -(long long)(i - point);
            return std::clamp(place + exponent, -kFar, kFar);
        }
    }
    return std::nullopt;
}

double toDouble(const std::string &ascii)
{
    double value = 0;
    const char *first = ascii.data();
    const char *last = first + ascii.size();
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        // from_chars says out of range both for too large and too small; the magnitude of
        // the decimal text tells which. Only too large is a failure, too small is 0.
        const std::optional<long long> magnitude = decimalMagnitude(ascii);
        if (!magnitude || *magnitude < 0)
            return 0;
        throw RunError(RunError::Overflow);
    }
    if (!std::isfinite(value))
        throw RunError(RunError::Overflow);
    return value;
}

} // namespace

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    std::string ascii;
    if (scanNumber(text, i, ascii) == 0)
        return 0;
    return toDouble(ascii);
}

double strictNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    std::string ascii;
    const qsizetype length = scanNumber(text, i, ascii);
    if (length == 0)
        throw RunError(RunError::TypeMismatch);
    qsizetype end = i + length;
    while (end < text.size() && isBlank(text[end]))
        ++end;
    if (end != text.size())
        throw RunError(RunError::TypeMismatch);
    return toDouble(ascii);
}

const char16_t *detail::buildDecimalTexts()
{
    auto *table = new char16_t[32768 * kDecimalStride]; // for the life of the program
    for (int value = 0; value < 32768; ++value) {
        char16_t *out = table + value * kDecimalStride;
        const int width = 1 + (value >= 10) + (value >= 100) + (value >= 1000) + (value >= 10000);
        out[width] = u'\0';
        for (qsizetype i = width - 1, rest = value; i >= 0; --i, rest /= 10)
            out[i] = char16_t(u'0' + rest % 10);
    }
    return table;
}

qint16 roundedInt16(double value)
{
    if (std::isnan(value))
        throw RunError(RunError::Overflow);
    double rounded = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5)
        rounded = 2.0 * std::round(value / 2.0);
    if (rounded < -32768.0 || rounded > 32767.0)
        throw RunError(RunError::Overflow);
    return static_cast<qint16>(rounded);
}

qint16 checkedInt16(long long value)
{
    if (value < -32768 || value > 32767)
        throw RunError(RunError::Overflow);
    return static_cast<qint16>(value);
}

float floorWhole(float value) { return std::floor(value); }

QString plainNumber(double value)
{
    // Fixed notation, yet the fewest digits that read back as the same double: 12.3 is
    // "12.3", not the binary noise "12.300000000000001". The widest such text (5e-324 or
    // DBL_MAX) has under 330 characters.
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                            std::chars_format::fixed);
    if (error != std::errc())
        return QString::number(value);
    return QString::fromLatin1(buffer, end - buffer);
}

QString groupedNumber(double value, const QLocale &locale)
{
    const QString plain = plainNumber(value);
    // The C locale is no one's way of writing numbers: what a machine without a locale set,
    // and the tests, read.
    if (!std::isfinite(value) || locale.language() == QLocale::C)
        return plain;
    const bool negative = plain.startsWith(u'-');
    const qsizetype point = plain.indexOf(u'.');
    const qsizetype wholeEnd = point < 0 ? plain.size() : point;
    const QStringView whole = QStringView(plain).sliced(negative, wholeEnd - negative);
    // The locale groups whole numbers in its own way (three by three, or as Indian
    // numbering does); past what it takes as an integer, three by three.
    bool ok = false;
    const qulonglong small = whole.toULongLong(&ok);
    QString text;
    if (ok) {
        text = locale.toString(small);
    } else {
        const bool groups = !(locale.numberOptions() & QLocale::OmitGroupSeparator);
        for (qsizetype i = 0; i < whole.size(); ++i) {
            if (groups && i > 0 && (whole.size() - i) % 3 == 0)
                text += locale.groupSeparator();
            text += locale.toString(whole[i].digitValue());
        }
    }
    if (point >= 0) {
        text += locale.decimalPoint();
        for (QChar digit : QStringView(plain).sliced(point + 1))
            text += locale.toString(digit.digitValue());
    }
    return negative ? locale.negativeSign() + text : text;
}

QString groupedText(const QString &text, const QLocale &locale)
{
    if (text.trimmed().isEmpty())
        return text;
    try {
        return groupedNumber(strictNumber(text), locale);
    } catch (const RunError &) {
        return text;
    }
}

} // namespace conv
