// Where the main window goes back to at start: the place it had when it closed last, but
// only where that still fits on a screen that is present now (a screen may have gone).
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

#include <optional>

// `saved` if it lies wholly within one of `screens` (their available areas) and is at least
// `minimum` in size; otherwise nullopt, and the window keeps its default place.
std::optional<QRect> restorablePlace(const std::optional<QRect> &saved, const QList<QRect> &screens,
                                     QSize minimum = {});
