// Hands out pieces of one text as strings that share the text's buffer. A map of 32,767
// planets would otherwise allocate a string for every name; the shared buffer costs about
// what those allocations would have, and lives until the text and every piece are gone.
#pragma once

#include <QString>
#include <QStringView>

class SharedText {
public:
    // Takes the text over; a text that shares its buffer with another string, or lives in
    // read-only data, is copied once here.
    explicit SharedText(QString text);
    ~SharedText();
    SharedText(const SharedText &) = delete;
    SharedText &operator=(const SharedText &) = delete;

    // The text; it stays put while pieces are handed out.
    QStringView view() const { return m_text; }

    // The piece `piece` of view() as a string of its own. Its end is marked in the text
    // (Qt expects a string's characters to be followed by a NUL), which overwrites the
    // character after it: the caller must be done with that character.
    QString take(QStringView piece);

private:
    QString m_text;
    int m_spare = 0; // references taken on the buffer and not yet handed to a piece
};
