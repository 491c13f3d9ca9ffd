#include "literalsort.h"

#include "conversions.h"

namespace {

void moveFields(Star_Object &to, const Star_Object &from)
{
    to.color = from.color;
    to.Owner = from.Owner;
    to.population = from.population;
    to.report_age = from.report_age;
    to.Star_Name = from.Star_Name;
    to.Star_X = from.Star_X;
    to.Star_Y = from.Star_Y;
    to.Starbase = from.Starbase;
    to.Style = from.Style;
}

} // namespace

void literalQuickSortRange(Star_Table_Type &t, int low, int high)
{
    const int L = low, H = high;
    int i = low, j = high;
    bool F = false;
    Star_Object temp;
    while (i != j) {
        if (conv::leadingNumber(t[i].population) > conv::leadingNumber(t[j].population)) {
            moveFields(temp, t[j]);
            moveFields(t[j], t[i]);
            moveFields(t[i], temp);
            F = !F;
        }
        if (F)
            ++i;
        else
            --j;
    }
    if (i - L > 1)
        literalQuickSortRange(t, L, i - 1);
    if (H - i > 1)
        literalQuickSortRange(t, i + 1, H);
}
