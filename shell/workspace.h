// The main window's workspace, where the chart window and the other windows live as child
// windows. It has no scroll bars, so it keeps every child window wholly in view: a new one
// opens inside (shrunk if it must), and when the workspace shrinks they come back inside.
// Activating a window never maximises it because the one before was maximised: the chart
// window has a fixed size and would lose its title bar.
#pragma once

#include <QMdiArea>
#include <QRect>
#include <QSize>

class Workspace : public QMdiArea {
    Q_OBJECT
public:
    explicit Workspace(QWidget *parent = nullptr);

    // Adds `window` (a QMdiSubWindow, or a widget to put in one) at its size, shows it and
    // keeps it in view.
    QMdiSubWindow *addWindow(QWidget *window);

protected:
    void resizeEvent(QResizeEvent *event) override;
};

// `window` moved, and made smaller where it is larger than `area` but no smaller than
// `minimum`, to lie within `area`; a window that cannot shrink enough keeps its top left
// corner in view.
QRect fittedInside(const QRect &window, const QRect &area, QSize minimum);
