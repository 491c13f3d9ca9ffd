// The picture widget of both chart windows: it shows the image the chart was last drawn
// into (at its logical size, so an image drawn N times larger for a high-resolution screen
// shows sharp) and reports the pointer over it in picture pixels. Exposing it repaints that
// image and never asks for a redraw; what a pixel means in map units is the window's
// business, and its input filter reads the wheel, drags and keys. Overlays and the tooltip
// are painted and shown over the picture, never drawn into it.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>
#include <vector>

class ChartOverlay;
class QAccessibleEvent;

class ChartPicture : public QWidget {
    Q_OBJECT
public:
    explicit ChartPicture(QWidget *parent = nullptr);

    // `picture`'s device pixel ratio says how many of its pixels make one picture pixel.
    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }

    // Painted over the picture in the order added; not owned, and must outlive this widget
    // or be removed first.
    void addOverlay(const ChartOverlay *overlay);
    void removeOverlay(const ChartOverlay *overlay);

    // The tooltip for a pointer at a pixel; an empty text shows none.
    void setToolTipText(std::function<QString(QPointF pixel)> text);

    // What a screen reader hears of the picture, besides its accessible name: the part of
    // the map shown and the planet selected or found (empty: none), as one description.
    // A new selection is announced at once; a new view is only read when asked for, so
    // that panning does not chatter.
    void describe(const QString &view, const QString &selection);
    QString description() const;
    // Where announcements go: QAccessible::updateAccessibility unless replaced. Platforms
    // without a screen reader drop them unseen, so a test listens here instead.
    using Announcer = void (*)(QAccessibleEvent *event);
    static void setAnnouncer(Announcer announcer);

signals:
    // A button went down. The second press of a double click is not one: Qt reports it as
    // a press and a double click, and a double click must centre once, as a click does.
    void mousePressed(Qt::MouseButton button, QPointF pixel);
    // Every movement over the picture, with or without a button held.
    void mouseMoved(QPointF pixel);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    std::vector<const ChartOverlay *> m_overlays;
    std::function<QString(QPointF)> m_toolTipText;
    QString m_viewText;
    QString m_selectionText;
    // The last press that counted, to tell the second press of a double click.
    Qt::MouseButton m_pressButton = Qt::NoButton;
    quint64 m_pressTime = 0;
    QPointF m_pressAt;
};
