#include "quicksort.h"

#include "population.h"
#include "runerror.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
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
    static constexpr int kNear = 16;

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

    // Exchanges two keys at the leaves only; the nodes above wait for refresh(). Searches
    // stay exact meanwhile within any stretch whose keys have not changed since the last
    // refresh: the leaves decide, and the nodes above still bound those keys.
    void swapLeaves(int a, int b)
    {
        std::swap(m_min[m_leaves + a], m_min[m_leaves + b]);
        std::swap(m_max[m_leaves + a], m_max[m_leaves + b]);
    }

    // Brings the nodes above the changed leaves up to date: along the path of each one, or
    // over the whole stretch first..last at once when much of it changed.
    void refresh(const std::vector<int> &changed, int first, int last)
    {
        if (changed.size() * 8 < size_t(last - first + 1)) {
            for (int pos : changed)
                refreshAbove(pos);
            return;
        }
        for (int l = (first + m_leaves) / 2, r = (last + m_leaves) / 2; l > 0; l /= 2, r /= 2) {
            for (int node = l; node <= r; ++node)
                pull(node);
        }
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

    // The highest position in first..last whose key is below `value`, or -1. The next one
    // is usually close by, so a few keys are looked at directly before the tree.
    int lastBelow(int first, int last, double value) const
    {
        const int near = std::max(first, last - kNear + 1);
        for (int pos = last; pos >= near; --pos) {
            if (key(pos) < value)
                return pos;
        }
        return near > first ? lastBelow(1, 0, m_leaves - 1, first, near - 1, value) : -1;
    }

    // The lowest position in first..last whose key is above `value`, or -1.
    int firstAbove(int first, int last, double value) const
    {
        const int near = std::min(last, first + kNear - 1);
        for (int pos = first; pos <= near; ++pos) {
            if (key(pos) > value)
                return pos;
        }
        return near < last ? firstAbove(1, 0, m_leaves - 1, near + 1, last, value) : -1;
    }

private:
    void pull(int node)
    {
        m_min[node] = std::min(m_min[2 * node], m_min[2 * node + 1]);
        m_max[node] = std::max(m_max[2 * node], m_max[2 * node + 1]);
    }

    // A node whose bounds come out unchanged leaves everything above it as it was.
    void refreshAbove(int pos)
    {
        for (int node = (m_leaves + pos) / 2; node > 0; node /= 2) {
            const double low = std::min(m_min[2 * node], m_min[2 * node + 1]);
            const double high = std::max(m_max[2 * node], m_max[2 * node + 1]);
            if (low == m_min[node] && high == m_max[node])
                break;
            m_min[node] = low;
            m_max[node] = high;
        }
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
            if (high - low < kSmallRange) {
                sortSmall(low, high);
                return;
            }
            // A first key not greater than any other is never exchanged: the pivot stays
            // at the low end and only the rest of the range is sorted. Sorted and all-equal
            // stretches pass through here without a partition.
            // Not greater than any other means equal to the least key of the range; while
            // the next first key still holds that least key, it needs no new search.
            double least = low < high ? m_keys.minimum(low, high) : 0;
            while (low < high && m_keys.key(low) == least) {
                ++low;
                if (m_keys.key(low) != least)
                    least = m_keys.minimum(low, high);
            }
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

    std::vector<int> takeOrder() { return std::move(m_order); }

private:
    // Below this size the procedure itself, on a copy of the keys, beats keeping the tree
    // up to date. No later step looks at these positions' keys again: every other range
    // still to sort lies outside this one.
    static constexpr int kSmallRange = 64;

    void sortSmall(int low, int high)
    {
        if (low >= high)
            return;
        double keys[kSmallRange];
        const int n = high - low + 1;
        for (int p = 0; p < n; ++p)
            keys[p] = m_keys.key(low + p);
        procedure(keys, &m_order[size_t(low)], 0, n - 1);
    }

    // The procedure as written: the pivot travels by exchanges, flag F says which end moves.
    static void procedure(double *keys, int *order, int low, int high)
    {
        int i = low, j = high;
        bool F = false;
        while (i != j) {
            if (keys[i] > keys[j]) {
                std::swap(keys[i], keys[j]);
                std::swap(order[i], order[j]);
                F = !F;
            }
            if (F)
                ++i;
            else
                --j;
        }
        if (i - low > 1)
            procedure(keys, order, low, i - 1);
        if (high - i > 1)
            procedure(keys, order, i + 1, high);
    }

    void exchange(int a, int b)
    {
        m_keys.swapLeaves(a, b);
        std::swap(m_order[a], m_order[b]);
        m_changed.push_back(a);
        m_changed.push_back(b);
    }

    int partition(int low, int high)
    {
        const int pivot = travel(low, high);
        m_keys.refresh(m_changed, low, high);
        m_changed.clear();
        return pivot;
    }

    // The pivot starts at `low`. While it sits at i, j walks down to the next smaller key
    // and the two change places; then the pivot sits at j and i walks up to the next larger
    // key. Equal keys stay. Returns the pivot's final place, where i and j meet.
    // The searches only look between i and j, where no key has changed during the pass
    // but the pivot's, which is neither below nor above itself; so the tree can wait.
    int travel(int low, int high)
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
    std::vector<int> m_changed; // positions exchanged in the current pass
};

// The sort compares figures as doubles: one too large for a double fails the sort, as the
// comparison itself would.
double populationKey(const QString &text)
{
    const double key = populationValue(text);
    if (std::isinf(key))
        throw RunError(RunError::Overflow);
    return key;
}

} // namespace

TableOrder QuickSort_Range(Star_Table_Type &table, int low, int high)
{
    if (low < 0 || low > high || size_t(high) >= table.size())
        throw RunError(
            RunError::SubscriptOutOfRange,
            QCoreApplication::translate("QuickSort", "cannot sort planets %1 to %2 of %3")
                .arg(low)
                .arg(high)
                .arg(table.size()));
    if (low == high)
        return {0};

    // Each population is read once; a population that does not fit fails here, before
    // any record has moved.
    std::vector<double> keys;
    keys.reserve(high - low + 1);
    for (int p = low; p <= high; ++p)
        keys.push_back(populationKey(table[p].population));

    PopulationOrder sorter(keys);
    sorter.sortRange(0, high - low);

    TableOrder order = sorter.takeOrder();
    reorderTable(table, order, low);
    return order;
}

// Each record moves once, around the cycles of the order, through one spare record.
void reorderTable(Star_Table_Type &table, const TableOrder &order, int low)
{
    std::vector<bool> placed(order.size(), false);
    for (size_t start = 0; start < order.size(); ++start) {
        if (placed[start] || order[start] == int(start))
            continue;
        Star_Object spare = std::move(table[low + start]);
        size_t to = start;
        while (size_t(order[to]) != start) {
            table[low + to] = std::move(table[low + order[to]]);
            placed[to] = true;
            to = size_t(order[to]);
        }
        table[low + to] = std::move(spare);
        placed[to] = true;
    }
}

TableOrder QuickSort(Star_Table_Type &table)
{
    if (table.empty())
        return {};
    return QuickSort_Range(table, 0, int(table.size()) - 1);
}
