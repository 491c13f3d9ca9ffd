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
    const qsizetype n = m_text.size();
    while (m_pos < n && m_text[m_pos] != u',' && !isLineEnd(m_text[m_pos]))
        ++m_pos;
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

int findTabs(QStringView item, qsizetype *positions, int count)
{
    int found = 0;
    qsizetype from = 0;
    while (found < count) {
        const qsizetype tab = item.indexOf(u'\t', from);
        if (tab < 0)
            break;
        positions[found++] = tab;
        from = tab + 1;
    }
    return found;
}
