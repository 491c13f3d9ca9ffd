// The race colours window: one race at a time with its zone swatch and report totals, and
// a new zone colour for it. The chart redraw is handed in, so this window knows no chart.
#pragma once

#include "commondialog.h"
#include "records.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class RaceSwatch;

class frmColor : public QWidget {
    Q_OBJECT
public:
    // Loads at once: the race list holds the races known now and is never refilled, so a
    // later report shows its new races only in a new window. Deletes itself when closed;
    // keeping a single instance (a QPointer) is the caller's business. `redrawChart`
    // redraws the chart at its current view after a colour change.
    frmColor(Globals &globals, CommonDialog &dialog, std::function<void()> redrawChart,
             QWidget *parent = nullptr);

private:
    void Form_Load();
    void RaceName_Click();
    void Player_Color_Selection_Click();
    void Close_Me_Click();
    void RaceName_Edited(const QString &text);
    void showRace(int slot);

    Globals &m_globals;
    CommonDialog &m_dialog; // Color_Selection
    std::function<void()> m_redrawChart;
    // What the colour picker starts from: the colour it returned last in this window.
    PackedColor m_pickerColor = 0;

    QComboBox *m_raceName;
    QLabel *m_totPop;
    QLabel *m_totStar;
    RaceSwatch *m_raceColor;
};
