#include "itemreader.h"

#include "runerror.h"

namespace {
bool isLineEnd(QChar c) { return c == u'\n' || c == u'\r'; }
} // namespace

QStringView ItemReader::next()
{
    if (atEnd()) {
        m_itemLine = m_line;
        throw RunError(RunError::InputPastEnd);
    }
    const qsizetype n = m_text.size();
    while (m_pos < n && m_text[m_pos] == u' ')
        ++m_pos;
    m_itemLine = m_line;

    QStringView item;
    if (m_pos < n && m_text[m_pos] == u'"') {
        // "Alpha, Centauri"<TAB>... : the quotes protect the comma. An unclosed quote
        // ends with its line, so one stray quote cannot swallow the rest of the file.
        const qsizetype start = m_pos + 1;
        qsizetype end = start;
        while (end < n && m_text[end] != u'"' && !isLineEnd(m_text[end]))
            ++end;
        item = m_text.sliced(start, end - start);
        m_pos = end < n && m_text[end] == u'"' ? end + 1 : end;
        skipToDelimiter();
    } else {
        const qsizetype start = m_pos;
        skipToDelimiter();
        item = m_text.sliced(start, m_pos - start);
    }
    consumeDelimiter();
    return item;
}

void ItemReader::skipToDelimiter()
{
    // Letters, digits and most signs sort above the comma, so one comparison passes them.
    const QChar *chars = m_text.data();
    const qsizetype n = m_text.size();
    qsizetype pos = m_pos;
    while (pos < n) {
        const char16_t c = chars[pos].unicode();
        if (c <= u',' && (c == u',' || c == u'\n' || c == u'\r'))
            break;
        ++pos;
    }
    m_pos = pos;
}

void ItemReader::consumeDelimiter()
{
    const qsizetype n = m_text.size();
    if (m_pos >= n)
        return;
    if (m_text[m_pos] == u',') {
        ++m_pos;
        return;
    }
    // LF, CR LF and a lone CR each end one line.
    if (m_text[m_pos] == u'\r' && m_pos + 1 < n && m_text[m_pos + 1] == u'\n')
        ++m_pos;
    ++m_pos;
    ++m_line;
}

// Fields between tabs are a few characters long, too short for a library search to pay
// for its set-up on each one: one plain pass over the item finds them all.
int findTabs(QStringView item, qsizetype *positions, int count)
{
    int found = 0;
    const qsizetype n = item.size();
    const QChar *chars = item.data();
    for (qsizetype i = 0; i < n && found < count; ++i) {
        if (chars[i] == u'\t')
            positions[found++] = i;
    }
    return found;
}
