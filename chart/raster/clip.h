// Rectangle intersection inline: QRect's own is a library call, and the surfaces clip
// every box and every dot they paint.
#pragma once

#include <QRect>

#include <algorithm>

// The pixels `a` and `b` share; an empty rectangle when they share none, as QRect's & gives.
inline QRect intersection(const QRect &a, const QRect &b)
{
    const int left = std::max(a.left(), b.left());
    const int top = std::max(a.top(), b.top());
    const int right = std::min(a.right(), b.right());
    const int bottom = std::min(a.bottom(), b.bottom());
    if (left > right || top > bottom || a.isEmpty() || b.isEmpty())
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}
