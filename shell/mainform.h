// The main window: the frame of Kavora, holding the chart window in its workspace.
#pragma once

#include "records.h"

#include <QMainWindow>

class mainform : public QMainWindow {
    Q_OBJECT
public:
    explicit mainform(Globals &globals, QWidget *parent = nullptr);

private:
    Globals &m_globals;
};
