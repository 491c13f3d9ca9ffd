#include "records.h"

#include "conversions.h"

void Globals::setViewCenterY(double value) { View_Center_Y = conv::toInt16(value); }

void Globals::applyStartupValues()
{
    Last_Player_Index = -1;
    Map_Loaded = false;
    Zoom_Step = 0;
    Zoom_Steps = 10;
}

void Globals::clearRaces()
{
    for (Player_Object &race : Player_Table) {
        race.Player_Name.clear();
        race.Player_Population.reset();
        race.Player_Starbases.reset();
    }
    Last_Player_Index = -1;
}
