#include "planets.h"

#include "palette.h"

Star_Object planet(const QString &name, const QString &x, const QString &y, const QString &owner,
                   const QString &starbase, const QString &population)
{
    Star_Object p;
    p.Star_Name = name;
    p.Star_X = x;
    p.Star_Y = y;
    p.Owner = owner;
    p.Starbase = starbase;
    p.population = population;
    p.color = kWhite;
    if (!owner.isEmpty()) {
        p.color = 0x0000FF;
        p.Style = FillUpwardDiagonal;
    }
    return p;
}

Star_Object planet(const QString &name, int x, int y, const QString &owner, const QString &starbase,
                   const QString &population)
{
    return planet(name, QString::number(x), QString::number(y), owner, starbase, population);
}

Globals chartOf(const QList<Star_Object> &planets, int maxX, int maxY)
{
    Globals g;
    g.Map_Max_X = qint16(maxX);
    g.Map_Max_Y = maxY;
    g.Star_Table.assign(planets.begin(), planets.end());
    g.Last_Star_Index = qint16(planets.size() - 1);
    return g;
}
