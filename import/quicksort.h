// Orders the planet table by the numeric value of each planet's population, so that the
// chart draws the zones of more populous planets last, on top of the others.
//
// The order among equal populations is part of the result: zone overlaps and the first
// match of a repeated name depend on it. The pivot starts at the low end and travels by
// exchanges; records with equal keys are never exchanged.
#pragma once

#include "records.h"

#include <vector>

// Where each record came from: order[p] is the position, before the sort, of the record
// that the sort left at position p. A report's history keeps it to take the sort back.
using TableOrder = std::vector<int>;

// Moves the records of `table` from `low` on so that position low + p receives the record
// that was at low + order[p]; each record moves once.
void reorderTable(Star_Table_Type &table, const TableOrder &order, int low = 0);

// Sorts the whole table; an empty table is left alone. Every record moves as a whole.
// Throws RunError (Overflow) before anything moves when a population is too large for a
// double.
TableOrder QuickSort(Star_Table_Type &table);

// Sorts the records from `low` to `high` inclusive in place, leaving the rest of the table
// alone; the order returned covers that range, counted from `low`. Throws RunError
// (SubscriptOutOfRange) unless 0 <= low <= high < table.size().
TableOrder QuickSort_Range(Star_Table_Type &table, int low, int high);
