// The planet sort exactly as the procedure reads, slow on purpose: both populations parsed
// at every comparison, the pivot travelling by exchanges through a temporary record, one
// recursive call per part of two or more records. The fast sort must give the same order.
#pragma once

#include "records.h"

void literalQuickSortRange(Star_Table_Type &table, int low, int high);
