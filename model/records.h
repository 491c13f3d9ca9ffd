// The planet and race records and the program-wide state that every part of Kavora
// reads and writes. Plain data: the readers, the chart and the windows own the rules.
#pragma once

#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

// Colours are packed 0x00BBGGRR, red in the lowest byte, as the game's tools store them.
using PackedColor = quint32;
constexpr PackedColor kWhite = 0x00FFFFFF;

// One planet. Coordinates and report values stay the text read from the dumps and are
// converted where they are used.
struct Star_Object {
    QString Star_Name;
    QString Star_X;
    QString Star_Y;
    QString Owner;
    QString Starbase;   // empty: no starbase; any other text, even " ", is one
    QString report_age;
    QString population;
    std::optional<PackedColor> color;  // unset until the map reader makes it white
    std::optional<qint16> Style;       // fill-style code, unset until a report names an owner

    bool operator==(const Star_Object &) const = default;
};

// One race, in the slot where the report reader first met it.
struct Player_Object {
    PackedColor Player_Color = 0;
    QString Player_Name;   // empty: the slot is free
    qint16 Player_Style = 0;
    std::optional<double> Player_Population;  // unset counts as 0
    std::optional<double> Player_Starbases;

    bool operator==(const Player_Object &) const = default;
};

constexpr int kPlayerSlots = 16;

// Which palette the race slots take when their colours are reset: the classic one, or one
// whose colours and hatches stay apart for every kind of colour vision.
enum class ColourScheme : quint8 { Classic, Distinct };
constexpr int kMaxPlanets = 32767;

using Star_Table_Type = std::vector<Star_Object>;
using Player_Table_Type = std::array<Player_Object, kPlayerSlots>;

// Everything Kavora knows, built in memory from the dumps read since start.
// Records are held by value, so every slot always holds a record: a slot that was
// never written reads as an empty one.
struct Globals {
    Star_Table_Type Star_Table;
    Player_Table_Type Player_Table{};

    // Kept equal to Star_Table.size() - 1, also before the first map (-1), so no
    // reader can index a planet that is not there.
    qint16 Last_Star_Index = -1;
    qint16 Map_Max_X = 0;
    double Map_Max_Y = 0;
    QString Map_File_Name;
    QString Player_File_Name;

    std::optional<double> View_Zoom;      // unset shows the whole map
    qint16 Zoom_Step = 0;
    qint16 Zoom_Steps = 10;
    std::optional<double> View_Center_X;  // may hold a fraction
    qint16 View_Center_Y = 0;             // whole numbers only: see setViewCenterY
    qint16 Last_Player_Index = -1;        // never past 15; -1 again for a new map
    bool Map_Loaded = false;
    bool Chart_Shown = false;
    ColourScheme colourScheme = ColourScheme::Classic; // what Initialize_Colors puts back

    // Stores a centre Y the way a 16-bit variable takes a number: rounded half to even,
    // failing with Overflow when it does not fit.
    void setViewCenterY(double value);

    // The start-up values that the main window sets after the palette.
    void applyStartupValues();

    // No race known any more: every slot's name and totals empty, Last_Player_Index -1.
    // The slots keep their colours and styles.
    void clearRaces();

    // The last planet a pass over the table may visit: Last_Star_Index, but never past the
    // table's end, whoever set the index.
    int lastPlanet() const { return std::min<int>(Last_Star_Index, int(Star_Table.size()) - 1); }
};
