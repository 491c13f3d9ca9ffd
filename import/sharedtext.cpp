#include "sharedtext.h"

namespace {
// References are taken on the buffer a batch at a time, not with an atomic operation for
// every planet of a map.
constexpr int kBatch = 4096;
} // namespace

SharedText::SharedText(QString text) : m_text(std::move(text))
{
    m_text.data(); // detaches: from here on this string alone owns the buffer
}

SharedText::~SharedText()
{
    if (m_spare > 0)
        m_text.data_ptr().d_ptr()->ref_.fetchAndSubRelaxed(m_spare);
}

QString SharedText::take(QStringView piece)
{
    if (piece.isEmpty())
        return piece.toString();
    Q_ASSERT(piece.utf16() >= view().utf16() &&
             piece.utf16() + piece.size() <= view().utf16() + view().size());
    auto *chars = const_cast<char16_t *>(piece.utf16());
    chars[piece.size()] = u'\0'; // at the text's end this is the text's own NUL
    auto *buffer = m_text.data_ptr().d_ptr();
    if (m_spare == 0) {
        buffer->ref_.fetchAndAddRelaxed(kBatch);
        m_spare = kBatch;
    }
    --m_spare;
    // Adopts one of the references taken above.
    return QString(QString::DataPointer(buffer, chars, piece.size()));
}
