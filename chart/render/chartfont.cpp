#include "chartfont.h"

#include <QFile>
#include <QFontDatabase>

#include <algorithm>
#include <cmath>

namespace {

const char kFontResource[] = ":/kavora/fonts/DejaVuSans.ttf";

} // namespace

// The bundled face is added to the application's fonts once; its family name is the
// fallback should that ever fail.
QString chartFontFamily()
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kFontResource));
        const QStringList families =
            id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        return families.isEmpty() ? QStringLiteral("DejaVu Sans") : families.first();
    }();
    return family;
}

// Taken from a QFont rather than straight from the font data because only a QFont carries
// NoAntialias, which makes the glyphs plain white pixels.
QRawFont chartFont(int scale)
{
    QFont font(chartFontFamily());
    font.setPixelSize(10 * std::max(scale, 1));
    font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return QRawFont::fromFont(font);
}

ChartTextMetric::ChartTextMetric(int scale) : m_font(chartFont(scale)), m_scale(std::max(scale, 1))
{
    // The surface's line: its ascent and descent, each rounded up.
    const int line = static_cast<int>(std::ceil(m_font.ascent())) +
                     static_cast<int>(std::ceil(m_font.descent()));
    m_height = (line + m_scale - 1) / m_scale;
}

ChartTextMetric::~ChartTextMetric() = default;

ChartTextMetric::Glyph &ChartTextMetric::other(QChar c)
{
    std::unique_ptr<Glyph[]> &block = m_blocks[c.unicode() >> 8];
    if (!block)
        block.reset(new Glyph[256]);
    return block[c.unicode() & 0xFF];
}

void ChartTextMetric::lookUp(Glyph &g, QChar c) const
{
    quint32 index = 0;
    int count = 1;
    QPointF step;
    g = {0, 0, false};
    if (!m_font.glyphIndexesForChars(&c, 1, &index, &count) || count != 1 ||
        !m_font.advancesForGlyphIndexes(&index, &step, 1, QRawFont::SeparateAdvances))
        return;
    const double advance = std::max(step.x(), 0.0);
    g.advance = static_cast<int>(std::lround(advance));
    g.fractional = advance != g.advance;
    // The hinted glyph's pixels may reach a pixel beyond its outline's bounds.
    g.ink = static_cast<int>(std::ceil(m_font.boundingRect(index).right()));
}

int ChartTextMetric::slowWidth(QStringView text) const
{
    std::vector<quint32> glyphs(size_t(text.size()));
    std::vector<QPointF> steps(size_t(text.size()));
    int count = static_cast<int>(text.size());
    if (!m_font.glyphIndexesForChars(text.data(), count, glyphs.data(), &count) ||
        !m_font.advancesForGlyphIndexes(glyphs.data(), steps.data(), count,
                                        QRawFont::SeparateAdvances))
        return 0;
    double pen = 0;
    double reach = 0;
    for (int i = 0; i < count; ++i) {
        const double ink = std::ceil(m_font.boundingRect(glyphs[size_t(i)]).right());
        reach = std::max(reach, pen + ink);
        pen += steps[size_t(i)].x();
    }
    return static_cast<int>(std::ceil(std::max(pen, reach) / m_scale));
}

int ChartTextMetric::width(QStringView text)
{
    int pen = 0;
    int reach = 0;
    for (QChar c : text) {
        // A pair of surrogates makes one glyph: measure such a text as a whole.
        if (c.isSurrogate())
            return slowWidth(text);
        const Glyph &g = glyph(c);
        if (g.fractional)
            return slowWidth(text);
        reach = std::max(reach, pen + g.ink);
        pen += g.advance;
    }
    const int width = std::max(pen, reach);
    return m_scale == 1 ? width : (width + m_scale - 1) / m_scale;
}

QString elidedText(const QString &text, int width, ChartTextMetric &metric)
{
    if (metric.width(text) <= width)
        return text;
    const QString ellipsis(QChar(0x2026));
    qsizetype fits = 0;
    for (qsizetype step = text.size() / 2; step > 0; step /= 2) {
        while (fits + step <= text.size() &&
               metric.width(text.left(fits + step) + ellipsis) <= width)
            fits += step;
    }
    if (fits > 0 && text[fits - 1].isHighSurrogate())
        --fits;
    return text.left(fits) + ellipsis;
}
