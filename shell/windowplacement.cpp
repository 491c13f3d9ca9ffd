#include "windowplacement.h"

std::optional<QRect> restorablePlace(const std::optional<QRect> &saved, const QList<QRect> &screens)
{
    if (!saved || saved->isEmpty())
        return std::nullopt;
    for (const QRect &screen : screens)
        if (screen.contains(*saved))
            return saved;
    return std::nullopt;
}
