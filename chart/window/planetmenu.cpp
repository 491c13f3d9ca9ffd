#include "planetmenu.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

QMenu *planetMenu(QWidget *parent, std::optional<Marker> current, const PlanetMenuActions &actions)
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("planetMenu"));
    QMenu *mark = menu->addMenu(QCoreApplication::translate("PlanetMenu", "&Mark as"));
    mark->setObjectName(QStringLiteral("markAs"));
    auto *group = new QActionGroup(mark);
    auto addMarker = [&](Marker marker) {
        QAction *item = mark->addAction(markerTitle(marker));
        item->setObjectName(QStringLiteral("mark_") + (marker == Marker::None
                                                           ? QStringLiteral("none")
                                                           : markerName(marker)));
        item->setCheckable(true);
        item->setChecked(current == marker);
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, menu, [fn = actions.mark, marker] {
            if (fn)
                fn(marker);
        });
    };
    for (Marker marker : kMarkers)
        addMarker(marker);
    mark->addSeparator();
    addMarker(Marker::None);
    if (actions.note) {
        QAction *note = menu->addAction(QCoreApplication::translate("PlanetMenu", "&Note..."));
        note->setObjectName(QStringLiteral("note"));
        QObject::connect(note, &QAction::triggered, menu, actions.note);
    }
    if (actions.distancesFrom) {
        QAction *from =
            menu->addAction(QCoreApplication::translate("PlanetMenu", "&Distances from Here"));
        from->setObjectName(QStringLiteral("distancesFrom"));
        QObject::connect(from, &QAction::triggered, menu, actions.distancesFrom);
    }
    return menu;
}
