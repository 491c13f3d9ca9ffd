#include "chartexplorer.h"

#include "explorercanvas.h"
#include "runreported.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

ChartExplorer::ChartExplorer(Globals &globals, CommonDialog &dialog, QWidget *parent)
    : QMdiSubWindow(parent), m_globals(globals), m_dialog(dialog)
{
    setObjectName(QStringLiteral("ChartExplorer"));
    setWindowTitle(QStringLiteral("Chart Explorer"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_redrawTimer.setSingleShot(true);
    m_redrawTimer.setInterval(0);
    connect(&m_redrawTimer, &QTimer::timeout, this, &ChartExplorer::redraw);
    buildControls();
    resize(720, 560);
}

void ChartExplorer::buildControls()
{
    auto *client = new QWidget;
    client->setObjectName(QStringLiteral("client"));
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 0);
    auto *labelsCaption = new QLabel(QStringLiteral("&Labels:"), client);
    m_labels = new QComboBox(client);
    m_labels->setObjectName(QStringLiteral("Labels"));
    m_labels->addItems({QStringLiteral("None"), QStringLiteral("Planets with Starbases"),
                        QStringLiteral("Populated Planets"), QStringLiteral("All Planets")});
    labelsCaption->setBuddy(m_labels);
    m_legend = new QCheckBox(QStringLiteral("Le&gend"), client);
    m_legend->setObjectName(QStringLiteral("Legend"));
    bar->addWidget(labelsCaption);
    bar->addWidget(m_labels);
    bar->addSpacing(12);
    bar->addWidget(m_legend);
    bar->addStretch();
    layout->addLayout(bar);

    m_canvas = new ExplorerCanvas([this](QPointF pixel) { return m_scene.view.toMap(pixel); },
                                  client);
    m_canvas->setObjectName(QStringLiteral("Canvas"));
    m_canvas->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(m_canvas, 1);

    m_status = new QLabel(client);
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setContentsMargins(4, 0, 4, 2);
    m_status->setTextFormat(Qt::PlainText);
    // A long planet name must not widen the window.
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    layout->addWidget(m_status);
    setWidget(client);
    setFocusProxy(m_canvas);

    connect(m_labels, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_scene.labels = labelOptionsFor(static_cast<LabelChoice>(index));
        requestRedraw();
    });
    connect(m_legend, &QCheckBox::toggled, this, [this](bool on) {
        m_scene.legend = on;
        requestRedraw();
    });
    connect(m_canvas, &ExplorerCanvas::sizeChanged, this, &ChartExplorer::canvasResized);
    connect(m_canvas, &ExplorerCanvas::zoomRequested, this, &ChartExplorer::zoomAbout);
    connect(m_canvas, &ExplorerCanvas::panRequested, this, &ChartExplorer::pan);
    connect(m_canvas, &ExplorerCanvas::fitRequested, this, &ChartExplorer::fit);
    connect(m_canvas, &ExplorerCanvas::clicked, this, &ChartExplorer::select);
    connect(m_canvas, &ExplorerCanvas::pointerMoved, this, &ChartExplorer::showStatus);
    m_canvas->setToolTipText([this](QPointF pixel) { return toolTipAt(pixel); });
}

void ChartExplorer::closeEvent(QCloseEvent *event)
{
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted())
        emit unloaded();
}

MapExtent ChartExplorer::extent() const
{
    return mapExtent(m_globals.Map_Max_X, m_globals.Map_Max_Y);
}

// The canvas's size, up to the largest picture drawn.
QSize ChartExplorer::pictureSize() const
{
    return m_canvas->size().boundedTo(QSize(kMaxPicture, kMaxPicture)).expandedTo(QSize(1, 1));
}

const QImage &ChartExplorer::picture() const
{
    return m_canvas->picture();
}

void ChartExplorer::mapOpened()
{
    m_renderer.dataChanged();
    m_scene.selected = -1;
    m_pickerStale = true;
    m_fitPending = true;
    m_failed = false;
    requestRedraw();
}

void ChartExplorer::planetsChanged()
{
    m_renderer.dataChanged();
    // A merged report reorders the planet table: the selection's index no longer names it.
    m_scene.selected = -1;
    m_pickerStale = true;
    m_failed = false;
    requestRedraw();
}

void ChartExplorer::coloursChanged()
{
    m_failed = false;
    requestRedraw();
}

void ChartExplorer::showPlanet(int index)
{
    if (index < 0 || index > m_globals.lastPlanet())
        return;
    runReported(m_dialog, [&] {
        syncView();
        m_scene.view = m_scene.view.centredOn(planetPosition(m_globals.Star_Table[size_t(index)]));
        m_scene.selected = index;
        requestRedraw();
    });
}

void ChartExplorer::requestRedraw()
{
    if (!m_redrawTimer.isActive())
        m_redrawTimer.start();
}

void ChartExplorer::flush()
{
    if (m_redrawTimer.isActive()) {
        m_redrawTimer.stop();
        redraw();
    }
}

void ChartExplorer::syncView()
{
    const QSize size = pictureSize();
    if (m_fitPending) {
        m_scene.view = ExplorerView::fitted(size, extent());
        m_fitPending = false;
    } else {
        m_scene.view = m_scene.view.resized(size);
        // A window shrunk to a pixel allows a scale that is far out of range once it grows
        // again: the scale is held within the limits of the size it now has.
        m_scene.view.unitsPerPixel =
            std::clamp(m_scene.view.unitsPerPixel, ExplorerView::minUnitsPerPixel(),
                       m_scene.view.maxUnitsPerPixel(extent()));
    }
}

void ChartExplorer::redraw()
{
    m_redrawTimer.stop();
    if (!m_globals.Map_Loaded)
        return;
    syncView();
    const QSize size = m_scene.view.picture;
    // Nothing to see while minimised; the next request after restoring draws.
    if (isMinimized() || window()->isMinimized())
        return;
    if (!m_surface || m_surface->pictureSize() != size)
        m_surface = std::make_unique<ImageSurface>(size);
    ++m_redraws;
    try {
        m_drawing = m_renderer.draw(m_globals, *m_surface, m_scene);
        m_failed = false;
    } catch (const RunError &error) {
        // The previous picture stays; the same failure is reported once, not per step.
        if (!m_failed)
            m_dialog.message(error.message());
        m_failed = true;
        return;
    }
    m_canvas->setPicture(m_surface->Image());
    m_pickerStale = true;
    showStatus();
}

const PlanetPicker &ChartExplorer::picker()
{
    if (m_pickerStale) {
        m_picker.rebuild(m_globals, m_drawing.chartView, m_scene.view.picture);
        m_pickerStale = false;
    }
    return m_picker;
}

// The same tooltip as the chart window's, for the dot within the same reach.
QString ChartExplorer::toolTipAt(QPointF pixel)
{
    flush();
    const int planet = picker().nearest(pixel);
    if (planet < 0 || planet > m_globals.lastPlanet())
        return {};
    return planetTooltip(m_globals.Star_Table[size_t(planet)]);
}

void ChartExplorer::showStatus()
{
    std::optional<QPointF> at;
    if (const auto pointer = m_canvas->pointer())
        at = m_scene.view.toMap(*pointer);
    m_status->setText(explorerStatus(m_globals, at, m_scene.selected));
}

// Keeps the centre and the scale; the first size known fits the map.
void ChartExplorer::canvasResized(QSize)
{
    requestRedraw();
}

void ChartExplorer::zoomAbout(QPointF pixel, double factor)
{
    syncView();
    m_scene.view = m_scene.view.zoomedAbout(pixel, factor, extent());
    requestRedraw();
}

void ChartExplorer::pan(QPointF pixels)
{
    syncView();
    m_scene.view = m_scene.view.dragged(pixels);
    requestRedraw();
}

void ChartExplorer::fit()
{
    m_fitPending = true;
    requestRedraw();
}

void ChartExplorer::select(QPointF pixel)
{
    // The dots as last drawn: the click was aimed at the picture on screen.
    flush();
    m_scene.selected = picker().nearest(pixel, kPickRadius);
    requestRedraw();
}
