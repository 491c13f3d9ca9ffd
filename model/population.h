// A planet's population figure as a number, the one reading that the sort, the zones, the
// lists and the race totals share. The figure is the text a report gave, kept as text.
#pragma once

#include <QStringView>

// The number at the start of the text, as the report reader reads it ("1200 people" is
// 1200); 0 for an empty text or one that starts with no number. A figure beyond a double's
// range ("1e400") reads as an infinity of its sign: callers decide whether that is a
// failure (the sort), the largest size (the zones) or the end of a column (the lists).
double populationValue(QStringView text);
