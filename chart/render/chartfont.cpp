#include "chartfont.h"

#include <QFile>
#include <QFontDatabase>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kCodeUnits = 0x10000;
constexpr float kUnknown = -1;
const char kFontResource[] = ":/kavora/fonts/DejaVuSans.ttf";

} // namespace

// Taken from a QFont rather than straight from the font data because only a QFont carries
// NoAntialias, which makes the glyphs plain white pixels. The bundled face is added to the
// application's fonts once; its family name is the fallback should that ever fail.
QRawFont chartFont(int scale)
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kFontResource));
        const QStringList families =
            id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        return families.isEmpty() ? QStringLiteral("DejaVu Sans") : families.first();
    }();
    QFont font(family);
    font.setPixelSize(10 * std::max(scale, 1));
    font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return QRawFont::fromFont(font);
}

ChartTextMetric::ChartTextMetric(int scale)
    : m_font(chartFont(scale)), m_scale(std::max(scale, 1)), m_advances(new float[kCodeUnits])
{
    // The surface's line: its ascent and descent, each rounded up.
    const int line = static_cast<int>(std::ceil(m_font.ascent())) +
                     static_cast<int>(std::ceil(m_font.descent()));
    m_height = (line + m_scale - 1) / m_scale;
    std::fill_n(m_advances.get(), kCodeUnits, kUnknown);
}

ChartTextMetric::~ChartTextMetric() = default;

float ChartTextMetric::advance(QChar c)
{
    float &known = m_advances[c.unicode()];
    if (known < 0) {
        quint32 glyph = 0;
        int count = 1;
        QPointF step;
        if (m_font.glyphIndexesForChars(&c, 1, &glyph, &count) && count == 1 &&
            m_font.advancesForGlyphIndexes(&glyph, &step, 1, QRawFont::SeparateAdvances))
            known = float(std::max(step.x(), 0.0));
        else
            known = 0;
    }
    return known;
}

double ChartTextMetric::slowWidth(QStringView text) const
{
    std::vector<quint32> glyphs(size_t(text.size()));
    std::vector<QPointF> steps(size_t(text.size()));
    int count = static_cast<int>(text.size());
    if (!m_font.glyphIndexesForChars(text.data(), count, glyphs.data(), &count) ||
        !m_font.advancesForGlyphIndexes(glyphs.data(), steps.data(), count,
                                        QRawFont::SeparateAdvances))
        return 0;
    double width = 0;
    for (int i = 0; i < count; ++i)
        width += steps[size_t(i)].x();
    return width;
}

int ChartTextMetric::width(QStringView text)
{
    double width = 0;
    for (QChar c : text) {
        // A pair of surrogates makes one glyph: measure such a text as a whole.
        if (c.isSurrogate()) {
            width = slowWidth(text);
            break;
        }
        width += advance(c);
    }
    return static_cast<int>(std::ceil(width / m_scale));
}
