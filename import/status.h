// How the readers tell the user what they are doing: the main window shows each text in
// its caption, the command line ignores them. The text is only valid during the call.
#pragma once

#include <QString>
#include <algorithm>
#include <functional>

using StatusFn = std::function<void(const QString &)>;

// Appends a count's decimal digits without a string of their own: the readers put one in
// the text for every line.
inline void appendDecimal(QString &text, int value)
{
    char16_t digits[10];
    int start = 10;
    unsigned rest = unsigned(value < 0 ? 0 : value);
    do {
        digits[--start] = char16_t(u'0' + rest % 10);
        rest /= 10;
    } while (rest > 0);
    const qsizetype at = text.size();
    text.resize(at + 10 - start); // within the text's own buffer once it is big enough
    std::copy(digits + start, digits + 10, reinterpret_cast<char16_t *>(text.data()) + at);
}

// How a receiver keeps the latest text: a copy into its own buffer, which it keeps. The
// readers build the next text in the same string they passed; a shared reference would
// make them allocate a new one for every planet.
inline void keepStatus(QString &kept, const QString &text)
{
    if (&kept == &text)
        return;
    kept.resize(text.size());
    std::copy(text.cbegin(), text.cend(), kept.begin());
}

// How a reader that handles its own failures reports one: the main window shows the text
// in a message box with the program's title.
using MessageFn = std::function<void(const QString &)>;
