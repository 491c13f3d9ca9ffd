// Planets and universes made in memory for the drawing tests, as the map reader and a
// report would leave them.
#pragma once

#include "records.h"

#include <QList>
#include <QString>

// White and unfilled while nobody owns it; an owner makes it blue with the upward diagonal
// fill, so owned planets draw a zone.
Star_Object planet(const QString &name, const QString &x, const QString &y,
                   const QString &owner = {}, const QString &starbase = {},
                   const QString &population = {});
Star_Object planet(const QString &name, int x, int y, const QString &owner = {},
                   const QString &starbase = {}, const QString &population = {});

// A universe holding `planets` in table order, its largest coordinates `maxX` and `maxY`.
Globals chartOf(const QList<Star_Object> &planets, int maxX = 2000, int maxY = 1800);
