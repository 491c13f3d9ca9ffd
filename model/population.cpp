#include "population.h"

#include "conversions.h"
#include "runerror.h"

#include <limits>

double populationValue(QStringView text)
{
    // Nearly every figure is plain digits; up to 15 of them are exact as a double.
    if (text.isEmpty())
        return 0;
    const double plain = conv::plainDigits(text, 15);
    if (plain >= 0)
        return plain;
    try {
        return conv::leadingNumber(text);
    } catch (const RunError &) {
        // Only a figure too large for a double gets here.
        constexpr double infinite = std::numeric_limits<double>::infinity();
        return text.trimmed().startsWith(u'-') ? -infinite : infinite;
    }
}
