// Splits a dump into items the way the game's dumps are meant to be read: an item
// begins at its first non-blank character and ends before a comma or at the end of the
// line; an item that begins with a double quote ends at the closing quote. Tabs are
// ordinary characters inside an item (they separate its fields). A quoted item never
// spans lines: one the dump leaves open is cut at its line end, and a quote that closes it
// on a later line belongs to an item there. Each line of a dump is one planet, so a stray
// quote costs at most its own line, never the rest of the file.
#pragma once

#include <QString>
#include <QStringView>

// Where an item's first tabs are, counted from the item's start: the readers split
// their lines at them.
struct ItemTabs {
    static constexpr int kMost = 5; // the report reader needs five, the map reader three
    qsizetype at[kMost];
    int count = 0;
};

class ItemReader {
public:
    // `text` must outlive the reader: items are views into it.
    explicit ItemReader(QStringView text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    // The next item. Fails with InputPastEnd when the text is used up.
    QStringView next();
    // The same, and where its first tabs are: found in the same pass that finds its end.
    QStringView next(ItemTabs &tabs);

    // The line (from 1) on which the last item began.
    int line() const { return m_itemLine; }

private:
    QStringView read(ItemTabs *tabs);
    void skipToDelimiter(ItemTabs *tabs);
    void consumeDelimiter();

    QStringView m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    int m_itemLine = 0;
};

// Splits an item at its tabs: positions of the first `count` tabs, or fewer when the
// item has fewer.
int findTabs(QStringView item, qsizetype *positions, int count);
