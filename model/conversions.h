// Number conversions shared by the readers, the chart and the windows: the game's
// coordinates and populations arrive as text and are turned into numbers where used.
// Every conversion that can fail throws RunError with the platform's number.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace conv {

// The number at the start of the text, as a lenient reader sees it: leading blanks,
// a sign, digits, a fraction and an exponent; parsing stops at the first character
// that cannot continue a number. "1200 people" gives 1200; "" and "abc" give 0.
// A value too large for a double fails with Overflow.
double leadingNumber(QStringView text);

// A text of nothing but ASCII digits, at most `most` of them (most <= 15): its value,
// which every number reading above gives too; -1 for any other text. Coordinates and
// populations nearly always look so, and hot loops skip the general reading for them:
// inline, as a redraw or a read asks for it several times per planet.
inline double plainDigits(QStringView text, qsizetype most)
{
    const qsizetype n = text.size();
    if (n == 0 || n > most)
        return -1;
    qint64 value = 0;
    for (QChar c : text) {
        const unsigned digit = unsigned(c.unicode()) - u'0';
        if (digit > 9)
            return -1;
        value = value * 10 + digit;
    }
    return double(value);
}

namespace detail {
inline constexpr int kDecimalStride = 6; // five digits and the NUL
const char16_t *buildDecimalTexts();
} // namespace detail

// The text as a string. The decimal texts of 0 to 32767 ("1050", not "01050") come from one
// table built once and never freed: nearly every coordinate and report age, and many
// populations, are such texts, and a string over the table (QString::fromRawData) costs no
// allocation to make and no reference count to copy. `digits` is the text's value when it
// is plain digits, as plainDigits gives it, otherwise -1. Inline: the map reader asks for
// two per planet.
inline QString decimalText(QStringView text, int digits)
{
    Q_ASSERT(digits < 0 || plainDigits(text, 5) == digits);
    // Plain digits of that value are its decimal text unless a zero leads them.
    if (digits < 0 || digits > 32767 || (text.size() > 1 && text[0] == u'0'))
        return text.toString();
    static const char16_t *const table = detail::buildDecimalTexts();
    // QString::fromRawData, without its call.
    return QString(QString::DataPointer::fromRawData(
        const_cast<char16_t *>(table + digits * detail::kDecimalStride), text.size()));
}

inline QString decimalText(QStringView text)
{
    const double digits = plainDigits(text, 5);
    return decimalText(text, digits <= 32767 ? int(digits) : -1);
}

// The whole text as a number, blanks around it allowed. Anything else ("12,5", "",
// "x") fails with TypeMismatch; a value too large for a double with Overflow.
double strictNumber(QStringView text);

// toInt16 for values that are not already whole numbers in range.
qint16 roundedInt16(double value);

// Rounds to the nearest integer, a half to the even neighbour (12.5 -> 12, 13.5 -> 14),
// failing with Overflow outside -32768..32767 (and on NaN). Inline for the whole numbers
// that coordinates nearly always are: every redraw converts each planet's.
inline qint16 toInt16(double value)
{
    if (value >= -32768.0 && value <= 32767.0) {
        const auto whole = static_cast<qint16>(value);
        if (whole == value)
            return whole;
    }
    return roundedInt16(value);
}

// Whole-number arithmetic on 16-bit values that fails instead of wrapping.
qint16 checkedInt16(long long value);

// The whole part towards negative infinity, as a mouse position is reduced (-2.5 -> -3).
float floorWhole(float value);

// Every double Kavora prints: plain decimal without grouping or exponent, and the shortest
// such text that reads back as the same double: 1200, 0.5, 12.3, 1e+20 as
// 100000000000000000000.
QString plainNumber(double value);

// A number as the windows added beyond the specified ones show it to people: grouped by the
// user's locale (103423710 reads "103,423,710" in English, "103.423.710" in German), with
// the digits plainNumber gives. Scripts, files, the chart and the race colours dialog keep
// plainNumber. The C locale (a machine without a locale set) groups nothing.
QString groupedNumber(double value, const QLocale &locale = QLocale());
// A report's text grouped the same way when the whole text is a number (blanks around it
// allowed); any other text ("1200 people", "") as it stands.
QString groupedText(const QString &text, const QLocale &locale = QLocale());

} // namespace conv
