#include "quicksort.h"

#include "conversions.h"
#include "runerror.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace {

// The keys by position, under a tree of range minima and maxima. A pass of the partition
// walks past every record that stays where it is; the tree jumps straight to the next
// record that must move, so a pass costs a few steps per exchange rather than one per
// record. That keeps nearly sorted tables (a second report moving a few planets) from
// turning quadratic.
class KeyTree {
public:
    explicit KeyTree(const std::vector<double> &keys)
    {
        m_leaves = 1;
        while (m_leaves < int(keys.size()))
            m_leaves *= 2;
        constexpr double inf = std::numeric_limits<double>::infinity();
        m_min.assign(2 * m_leaves, inf);
        m_max.assign(2 * m_leaves, -inf);
        for (size_t p = 0; p < keys.size(); ++p)
            m_min[m_leaves + p] = m_max[m_leaves + p] = keys[p];
        for (int node = m_leaves - 1; node > 0; --node)
            pull(node);
    }

    double key(int pos) const { return m_min[m_leaves + pos]; }

    void swap(int a, int b)
    {
        const double ka = key(a);
        set(a, key(b));
        set(b, ka);
    }

    double minimum(int first, int last) const
    {
        double result = std::numeric_limits<double>::infinity();
        for (int l = first + m_leaves, r = last + m_leaves + 1; l < r; l /= 2, r /= 2) {
            if (l & 1)
                result = std::min(result, m_min[l++]);
            if (r & 1)
                result = std::min(result, m_min[--r]);
        }
        return result;
    }

    // The highest position in first..last whose key is below `value`, or -1.
    int lastBelow(int first, int last, double value) const
    {
        return lastBelow(1, 0, m_leaves - 1, first, last, value);
    }

    // The lowest position in first..last whose key is above `value`, or -1.
    int firstAbove(int first, int last, double value) const
    {
        return firstAbove(1, 0, m_leaves - 1, first, last, value);
    }

private:
    void pull(int node)
    {
        m_min[node] = std::min(m_min[2 * node], m_min[2 * node + 1]);
        m_max[node] = std::max(m_max[2 * node], m_max[2 * node + 1]);
    }

    void set(int pos, double key)
    {
        int node = m_leaves + pos;
        m_min[node] = m_max[node] = key;
        for (node /= 2; node > 0; node /= 2)
            pull(node);
    }

    // Depth is the tree's height (at most 16 for the largest map), so recursion is safe.
    int lastBelow(int node, int from, int to, int first, int last, double value) const
    {
        if (to < first || from > last || !(m_min[node] < value))
            return -1;
        if (from == to)
            return from;
        const int mid = (from + to) / 2;
        const int right = lastBelow(2 * node + 1, mid + 1, to, first, last, value);
        return right >= 0 ? right : lastBelow(2 * node, from, mid, first, last, value);
    }

    int firstAbove(int node, int from, int to, int first, int last, double value) const
    {
        if (to < first || from > last || !(m_max[node] > value))
            return -1;
        if (from == to)
            return from;
        const int mid = (from + to) / 2;
        const int left = firstAbove(2 * node, from, mid, first, last, value);
        return left >= 0 ? left : firstAbove(2 * node + 1, mid + 1, to, first, last, value);
    }

    int m_leaves;
    std::vector<double> m_min, m_max;
};

// Works out where each record goes without touching the records: positions hold the
// index of the record that currently sits there, and the records move once at the end.
class PopulationOrder {
public:
    explicit PopulationOrder(const std::vector<double> &keys) : m_keys(keys), m_order(keys.size())
    {
        for (size_t p = 0; p < m_order.size(); ++p)
            m_order[p] = int(p);
    }

    void sortRange(int low, int high)
    {
        for (;;) {
            // A first key not greater than any other is never exchanged: the pivot stays
            // at the low end and only the rest of the range is sorted. Sorted and all-equal
            // stretches pass through here without a partition.
            while (low < high && m_keys.key(low) <= m_keys.minimum(low + 1, high))
                ++low;
            if (low >= high)
                return;
            const int pivot = partition(low, high);
            // The parts do not overlap, so sorting them in either order gives the same
            // table. Recursing into the smaller one keeps the depth logarithmic.
            if (pivot - low < high - pivot) {
                sortRange(low, pivot - 1);
                low = pivot + 1;
            } else {
                sortRange(pivot + 1, high);
                high = pivot - 1;
            }
        }
    }

    const std::vector<int> &order() const { return m_order; }

private:
    void exchange(int a, int b)
    {
        m_keys.swap(a, b);
        std::swap(m_order[a], m_order[b]);
    }

    // The pivot starts at `low`. While it sits at i, j walks down to the next smaller key
    // and the two change places; then the pivot sits at j and i walks up to the next larger
    // key. Equal keys stay. Returns the pivot's final place, where i and j meet.
    int partition(int low, int high)
    {
        const double pivot = m_keys.key(low);
        int i = low;
        int j = high;
        for (;;) {
            const int smaller = i < j ? m_keys.lastBelow(i + 1, j, pivot) : -1;
            if (smaller < 0)
                return i;
            exchange(i, smaller);
            j = smaller;
            ++i;
            const int larger = i < j ? m_keys.firstAbove(i, j - 1, pivot) : -1;
            if (larger < 0)
                return j;
            exchange(larger, j);
            i = larger;
            --j;
        }
    }

    KeyTree m_keys;
    std::vector<int> m_order;
};

} // namespace

void QuickSort_Range(Star_Table_Type &table, int low, int high)
{
    if (low < 0 || low > high || size_t(high) >= table.size())
        throw RunError(RunError::SubscriptOutOfRange,
                       QStringLiteral("cannot sort planets %1 to %2 of %3")
                           .arg(low)
                           .arg(high)
                           .arg(table.size()));
    if (low == high)
        return;

    // Each population is read once; a population that does not fit fails here, before
    // any record has moved.
    std::vector<double> keys;
    keys.reserve(high - low + 1);
    for (int p = low; p <= high; ++p)
        keys.push_back(conv::leadingNumber(table[p].population));

    PopulationOrder sorter(keys);
    sorter.sortRange(0, high - low);

    Star_Table_Type moved;
    moved.reserve(keys.size());
    for (int from : sorter.order())
        moved.push_back(std::move(table[low + from]));
    std::move(moved.begin(), moved.end(), table.begin() + low);
}

void QuickSort(Star_Table_Type &table)
{
    if (!table.empty())
        QuickSort_Range(table, 0, int(table.size()) - 1);
}
