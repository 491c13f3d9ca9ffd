#include "recordingsurface.h"

namespace {

// Enough digits to tell 1400.5 from 1400, few enough to read 151.899 as a size.
QString number(double value)
{
    return QString::number(value, 'g', 10);
}

// Packed as stored, 0x00BBGGRR: "0x0000FF" is red.
QString colour(PackedColor color)
{
    return QStringLiteral("0x") + QString::number(color, 16).rightJustified(6, u'0').toUpper();
}

} // namespace

void RecordingSurface::addNumber(QStringView name, double value)
{
    m_calls << name.toString() + u' ' + number(value);
}

void RecordingSurface::addColour(QStringView name, PackedColor color)
{
    m_calls << name.toString() + u' ' + colour(color);
}

void RecordingSurface::Scale(double x1, double y1, double x2, double y2)
{
    checkScaleWindow(x1, y1, x2, y2);
    m_calls
        << QStringLiteral("Scale %1 %2 %3 %4").arg(number(x1), number(y1), number(x2), number(y2));
}

void RecordingSurface::Line(double x, double y, double w, double h)
{
    m_calls << QStringLiteral("Line %1 %2 %3 %4").arg(number(x), number(y), number(w), number(h));
}

void RecordingSurface::PSet(double x, double y, PackedColor color)
{
    m_calls << QStringLiteral("PSet %1 %2 %3").arg(number(x), number(y), colour(color));
}

QStringList RecordingSurface::printed() const
{
    QStringList texts;
    for (const QString &call : m_calls) {
        if (call.startsWith(u"Print "))
            texts << call.mid(6);
    }
    return texts;
}
