#include "windowplacement.h"

std::optional<QRect> restorablePlace(const std::optional<QRect> &saved, const QList<QRect> &screens,
                                     QSize minimum)
{
    if (!saved || saved->isEmpty() || saved->width() < minimum.width() ||
        saved->height() < minimum.height())
        return std::nullopt;
    for (const QRect &screen : screens)
        if (screen.contains(*saved))
            return saved;
    return std::nullopt;
}
