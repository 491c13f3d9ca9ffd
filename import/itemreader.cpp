#include "itemreader.h"

#include "runerror.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

void noteTab(ItemTabs *tabs, qsizetype at)
{
    if (tabs->count < ItemTabs::kMost)
        tabs->at[tabs->count++] = at;
}
} // namespace

QStringView ItemReader::next()
{
    return read(nullptr);
}

QStringView ItemReader::next(ItemTabs &tabs)
{
    tabs.count = 0;
    return read(&tabs);
}

QStringView ItemReader::read(ItemTabs *tabs)
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
        skipToDelimiter(nullptr); // what follows the closing quote is dropped
        if (tabs)
            tabs->count = findTabs(item, tabs->at, ItemTabs::kMost);
    } else {
        const qsizetype start = m_pos;
        skipToDelimiter(tabs);
        item = m_text.sliced(start, m_pos - start);
    }
    consumeDelimiter();
    return item;
}

// Reading a map is mostly this scan: its lines are a few dozen characters long, so it
// looks at eight at a time where the processor can, and notes the tabs on the way,
// counted from where it starts.
void ItemReader::skipToDelimiter(ItemTabs *tabs)
{
    const qsizetype start = m_pos;
    const char16_t *chars = m_text.utf16() + start;
    const qsizetype n = m_text.size() - start;
    qsizetype pos = 0;
#if defined(__SSE2__)
    const __m128i comma = _mm_set1_epi16(u','), lf = _mm_set1_epi16(u'\n'),
                  cr = _mm_set1_epi16(u'\r'), tab = _mm_set1_epi16(u'\t');
    for (; pos + 8 <= n; pos += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(chars + pos));
        const __m128i stop =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, comma), _mm_cmpeq_epi16(v, lf)),
                         _mm_cmpeq_epi16(v, cr));
        // Two mask bits per character; the low one of each pair is kept.
        const unsigned stops = unsigned(_mm_movemask_epi8(stop)) & 0x5555u;
        if (tabs) {
            unsigned found = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(v, tab))) & 0x5555u;
            if (stops)
                found &= (1u << std::countr_zero(stops)) - 1;
            for (; found; found &= found - 1)
                noteTab(tabs, pos + std::countr_zero(found) / 2);
        }
        if (stops) {
            m_pos = start + pos + std::countr_zero(stops) / 2;
            return;
        }
    }
#endif
    // Letters, digits and most signs sort above the comma, so one comparison passes them.
    for (; pos < n; ++pos) {
        const char16_t c = chars[pos];
        if (c <= u',') {
            if (c == u',' || c == u'\n' || c == u'\r')
                break;
            if (c == u'\t' && tabs)
                noteTab(tabs, pos);
        }
    }
    m_pos = start + pos;
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
