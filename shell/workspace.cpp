#include "workspace.h"

#include <QMdiSubWindow>
#include <QResizeEvent>

#include <algorithm>

namespace {

// The window kept in view of the workspace's visible area, unless it is maximised or
// minimised, when the workspace itself lays it out.
void keepInView(QMdiSubWindow *window, const QRect &area)
{
    if (window->isMaximized() || window->isMinimized() || !window->isVisible())
        return;
    // What a layout would allow: the minimum size where one is set, its hint elsewhere (a
    // window around a fixed-size widget cannot shrink below the widget).
    const QSize set = window->minimumSize(), hint = window->minimumSizeHint();
    const QSize minimum(set.width() > 0 ? set.width() : hint.width(),
                        set.height() > 0 ? set.height() : hint.height());
    const QRect fitted = fittedInside(window->geometry(), area, minimum);
    if (fitted != window->geometry())
        window->setGeometry(fitted);
}

} // namespace

Workspace::Workspace(QWidget *parent) : QMdiArea(parent)
{
    setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
}

QMdiSubWindow *Workspace::addWindow(QWidget *window)
{
    auto *sub = qobject_cast<QMdiSubWindow *>(window);
    const bool framed = !sub;
    const QSize wanted = window->size();
    sub = addSubWindow(window);
    // The workspace places a window when it first shows; it is kept in view after that.
    sub->show();
    // A widget framed here keeps its own size inside the frame and title bar.
    if (framed)
        sub->resize(wanted.grownBy(sub->contentsMargins()));
    keepInView(sub, viewport()->rect());
    return sub;
}

void Workspace::resizeEvent(QResizeEvent *event)
{
    QMdiArea::resizeEvent(event);
    for (QMdiSubWindow *window : subWindowList())
        keepInView(window, viewport()->rect());
}

QRect fittedInside(const QRect &window, const QRect &area, QSize minimum)
{
    const QSize size(std::min(window.width(), std::max(area.width(), minimum.width())),
                     std::min(window.height(), std::max(area.height(), minimum.height())));
    // Pushed back from the right and the bottom first, so that the top left corner, with the
    // title bar, wins when the window cannot shrink enough.
    QPoint at = window.topLeft();
    at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - size.width())));
    at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - size.height())));
    return QRect(at, size);
}
