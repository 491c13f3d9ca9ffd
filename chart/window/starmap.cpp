#include "starmap.h"

#include "chartkeys.h"
#include "chartpicture.h"
#include "conversions.h"
#include "hourglass.h"
#include "runerror.h"
#include "runreported.h"
#include "search.h"
#include "spokentext.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>
#include <QStringListModel>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The centre Y is a 16-bit value: a pan stops at its limits instead of wrapping round.
double pannedY(qint16 y, int step)
{
    return std::clamp(int(y) + step, int(std::numeric_limits<qint16>::min()),
                      int(std::numeric_limits<qint16>::max()));
}

} // namespace

starmap::starmap(Globals &globals, CommonDialog &dialog, std::function<void()> showRaceColours,
                 QWidget *parent)
    : QMdiSubWindow(parent), m_globals(globals), m_dialog(dialog),
      m_showRaceColours(std::move(showRaceColours)), m_picture(m_surface.Image())
{
    setObjectName(QStringLiteral("starmap"));
    setWindowTitle(tr("Star Map"));
    // A fixed border and a close box only: no minimise, no maximise, no resizing.
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    connectControls();
    Form_Load();
    planetsChanged();

    m_ringTimer.setSingleShot(true);
    m_ringTimer.setInterval(kRingMs);
    connect(&m_ringTimer, &QTimer::timeout, this, [this] {
        m_ringAt.reset();
        placeRing();
    });
}

starmap::~starmap()
{
    // The controls lose the focus as they go; the keys must not hear of it by then.
    m_keys.reset();
    if (!m_unloaded)
        m_globals.Chart_Shown = false;
}

void starmap::Form_Load()
{
    for (int step = 0; step <= 9; ++step)
        ZoomList->addItem(QString::number(step));
    showZoomStep();
    m_globals.Chart_Shown = true;
}

void starmap::Form_Unload()
{
    m_unloaded = true;
    m_globals.Chart_Shown = false;
    emit unloaded();
}

void starmap::closeEvent(QCloseEvent *event)
{
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted() && !m_unloaded)
        Form_Unload();
}

// The frame around the client area is known only once the window sits in a workspace.
void starmap::showEvent(QShowEvent *event)
{
    setFixedSize(minimumSizeHint());
    QMdiSubWindow::showEvent(event);
}

starmap::Request starmap::current() const
{
    return {m_globals.View_Zoom, m_globals.View_Center_X, double(m_globals.View_Center_Y),
            m_globals.Zoom_Step};
}

void starmap::display_map(std::optional<double> Zoom_Factor, std::optional<double> center_x,
                          std::optional<double> center_y)
{
    redraw({Zoom_Factor, center_x, center_y, m_globals.Zoom_Step});
}

LabelOptions starmap::labelOptions() const
{
    return {All_Option->isChecked(), Populated_Option->isChecked(),
            Starbases_Option->isChecked()};
}

// One drawing per step, at the sharpness of the screen; the specified picture waits until
// saving or a test asks for it.
void starmap::redraw(const Request &next)
{
    const Hourglass wait;
    const ChartView view = viewFor(next.zoom.value_or(0), next.centreX.value_or(0),
                                   next.centreY.value_or(0), m_globals.Map_Max_X,
                                   m_globals.Map_Max_Y);
    const StoredView stored = StoredView::of(next.zoom, view);
    const bool minimised = isMinimized() || window()->isMinimized();
    const LabelOptions labels = labelOptions();
    const int scale = displayScale();
    if (!m_shownSurface || m_shownSurface->scale() != scale)
        m_shownSurface = std::make_unique<ImageSurface>(kPictureSize, scale);
    m_shownSurface->Cls();
    m_shownSurface->BackColor(0);
    if (!minimised)
        drawChart(m_globals, *m_shownSurface, labels, view);

    stored.storeIn(m_globals);
    m_globals.Zoom_Step = next.zoomStep;
    m_view = view;
    m_drawnLabels = labels;
    m_drawnMinimised = minimised;
    QImage shown = m_shownSurface->Image();
    shown.setDevicePixelRatio(scale);
    Starchart->setPicture(shown);
    Starchart->describe(spokenChartView(view, next.zoom.value_or(0)), m_foundText);
    m_pictureStale = scale > 1;
    if (!m_pictureStale)
        m_picture = Starchart->picture();
    m_picker.drawn(m_view, kPictureSize);
    placeRing();
    emit drawn();
}

const QImage &starmap::picture() const
{
    if (m_pictureStale) {
        m_surface.Cls();
        m_surface.BackColor(0);
        if (!m_drawnMinimised)
            drawChart(m_globals, m_surface, m_drawnLabels, m_view);
        m_picture = m_surface.Image();
        m_pictureStale = false;
    }
    return m_picture;
}

PictureLayout starmap::pictureLayout() const
{
    const Globals &globals = m_globals;
    return PictureLayout::single(kPictureSize, [&globals, labels = m_drawnLabels, view = m_view,
                                                minimised = m_drawnMinimised](Surface &surface) {
        surface.Cls();
        surface.BackColor(0);
        if (!minimised)
            drawChart(globals, surface, labels, view);
    });
}

void starmap::placeRing()
{
    std::optional<QPointF> centre;
    if (m_ringAt)
        centre = m_view.toPixel(*m_ringAt, kPictureSize);
    if (m_ring.setCentre(centre))
        Starchart->update();
}

const QImage &starmap::shownPicture() const
{
    return Starchart->picture();
}

void starmap::copyPicture() const
{
    QGuiApplication::clipboard()->setImage(shownPicture());
}

int starmap::displayScale() const
{
    const int ratio = int(std::ceil(Starchart->devicePixelRatioF()));
    return std::clamp(ratio, 1, ImageSurface::kMaxScale);
}

// A text field with text selected keeps Ctrl+C for that text; otherwise the key copies the
// chart. Returning true here leaves the override unclaimed, so the shortcut goes ahead.
bool starmap::eventFilter(QObject *watched, QEvent *event)
{
    if (m_completer && watched == m_completer->popup())
        return completionEvent(event);
    if (event->type() == QEvent::ShortcutOverride) {
        auto *field = qobject_cast<QLineEdit *>(watched);
        if (field && !field->hasSelectedText() &&
            static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy))
            return true;
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

bool starmap::command(const std::function<void()> &body)
{
    return runReported(m_dialog, body);
}

void starmap::showZoomStep()
{
    const QString text = QString::number(m_globals.Zoom_Step);
    // The entry of that text becomes the current one too, so the open list marks it.
    ZoomList->setCurrentIndex(ZoomList->findText(text));
    ZoomList->setEditText(text);
}

// Every tick and every untick redraws the current view with the new label choice.
void starmap::Option_Click()
{
    command([this] { redraw(current()); });
}

// Up and Down move the view 40 units up or down; Left moves it right and Right moves it
// left, so the planets slide in the direction named.
void starmap::Up_Button_Click()
{
    Request next = current();
    next.centreY = pannedY(m_globals.View_Center_Y, kPanStep);
    command([&] { redraw(next); });
}

void starmap::Down_Button_Click()
{
    Request next = current();
    next.centreY = pannedY(m_globals.View_Center_Y, -kPanStep);
    command([&] { redraw(next); });
}

void starmap::Left_Button_Click()
{
    Request next = current();
    next.centreX = m_globals.View_Center_X.value_or(0) + kPanStep;
    command([&] { redraw(next); });
}

void starmap::Right_Button_Click()
{
    Request next = current();
    next.centreX = m_globals.View_Center_X.value_or(0) - kPanStep;
    command([&] { redraw(next); });
}

void starmap::Center_Button_Click()
{
    Request next = current();
    next.centreX = next.centreY = 0;
    command([&] { redraw(next); });
}

// At the top step nothing changes, but the chart is still redrawn and the list rewritten.
void starmap::Zoom_In_Button_Click()
{
    Request next = current();
    if (next.zoomStep < m_globals.Zoom_Steps - 1) {
        ++next.zoomStep;
        next.zoom = zoomForStep(next.zoomStep, m_globals.Zoom_Steps);
    }
    command([&] { redraw(next); });
    showZoomStep();
}

void starmap::Zoom_Out_Button_Click()
{
    Request next = current();
    if (next.zoomStep != 0) {
        --next.zoomStep;
        next.zoom = zoomForStep(next.zoomStep, m_globals.Zoom_Steps);
    }
    command([&] { redraw(next); });
    showZoomStep();
}

// A picked entry sets the zoom in double precision and leaves Zoom_Step alone, so the zoom
// buttons go on from their own step.
void starmap::ZoomList_Click()
{
    Request next = current();
    next.zoom = conv::leadingNumber(ZoomList->currentText()) / m_globals.Zoom_Steps;
    command([&] { redraw(next); });
}

// The first planet of exactly that name, in table order; no match changes nothing.
void starmap::Search_Button_Click()
{
    // A search, however started, is the end of choosing a name.
    m_completer->popup()->hide();
    const int index = findStar(m_globals, Star_Search->text());
    if (index < 0)
        return;
    const QString before = std::exchange(m_foundText, spokenPlanet(m_globals.Star_Table[index]));
    if (centreOn(m_globals.Star_Table[index]))
        emit planetFound(index);
    else
        m_foundText = before;
}

bool starmap::centreOn(const Star_Object &planet)
{
    return command([this, &planet] {
        Request next = current();
        next.centreX = conv::strictNumber(planet.Star_X);
        next.centreY = conv::toInt16(conv::strictNumber(planet.Star_Y));
        redraw(next);
    });
}

void starmap::centreOnPlanet(int index)
{
    if (index < 0 || index > m_globals.lastPlanet())
        return;
    const Star_Object &planet = m_globals.Star_Table[index];
    const std::optional<QPointF> before = m_ringAt;
    const QString foundBefore = std::exchange(m_foundText, spokenPlanet(planet));
    // The ring sits on the planet itself; the centre may differ from it by Y's rounding.
    try {
        m_ringAt = QPointF(conv::strictNumber(planet.Star_X), conv::strictNumber(planet.Star_Y));
    } catch (const RunError &) {
        m_ringAt.reset();
    }
    if (centreOn(planet)) {
        m_ringTimer.start();
    } else {
        m_ringAt = before;
        m_foundText = foundBefore;
        placeRing();
    }
}

// Only the left button recentres, on the whole parts of the position.
void starmap::Starchart_MouseDown(Qt::MouseButton button, QPointF pixel)
{
    if (button != Qt::LeftButton)
        return;
    const QPointF at = wholeMapPosition(m_view, pixel, kPictureSize);
    Request next = current();
    next.centreX = at.x();
    next.centreY = at.y();
    command([&] { redraw(next); });
}

// "1234 987": the whole parts of the position under the pointer.
void starmap::Starchart_MouseMove(QPointF pixel)
{
    m_pointer = pixel;
    setWindowTitle(pointerReadout(m_view, pixel, kPictureSize));
}

// A wheel notch or pinch step is a zoom button press about the pointer; a drag or scroll
// step moves the centre only. Either is one redraw.
void starmap::gestureStep(const ChartInput::Step &step)
{
    Request next = current();
    if (step.zoomStep) {
        next.zoomStep = *step.zoomStep;
        next.zoom = step.zoom;
    }
    next.centreX = step.centreX;
    next.centreY = step.centreY;
    command([&] { redraw(next); });
    if (step.zoomGesture)
        showZoomStep();
    // The pointer stayed while the map moved under it.
    if (m_pointer)
        setWindowTitle(pointerReadout(m_view, *m_pointer, kPictureSize));
}

void starmap::setRulerSpeed(double speed)
{
    m_input->ruler().setSpeed(speed);
    Starchart->update();
}

void starmap::clearRuler()
{
    m_input->clearRuler();
}

void starmap::planetsChanged()
{
    m_names.rebuild(m_globals);
    m_foundText.clear();
    m_picker.planetsChanged();
    if (Star_Search->hasFocus())
        m_completions->setStringList(m_names.matching(Star_Search->text()));
}

void starmap::searchTextEdited(const QString &text)
{
    m_searchedNow = false;
    m_namePicked = false;
    m_completions->setStringList(m_names.matching(text));
}

// The open list marks the best name on its own. Enter searches at once: the name chosen
// with the arrows if the user chose one, else the text as typed, which then stays in the
// box. A click outside the list closes it and still does its job where it landed.
bool starmap::completionEvent(QEvent *event)
{
    QAbstractItemView *list = m_completer->popup();
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            m_namePicked = true;
            return false;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_namePicked && list->currentIndex().isValid())
                Star_Search->setText(list->currentIndex().data().toString());
            list->hide();
            Search_Button_Click();
            return true;
        default:
            return false;
        }
    }
    if (event->type() == QEvent::MouseButtonPress) {
        // The completer closes its list on such a press and drops it. Posted to the window
        // below as a new press, it takes Qt's own way to the widget there, so the release
        // that follows completes a button's click.
        const auto *press = static_cast<QMouseEvent *>(event);
        if (list->rect().contains(press->position().toPoint()))
            return false;
        const QPoint global = press->globalPosition().toPoint();
        list->hide();
        const QWidget *target = QApplication::widgetAt(global);
        QWindow *window = target ? target->window()->windowHandle() : nullptr;
        if (window) {
            const QPointF local = window->mapFromGlobal(global);
            QCoreApplication::postEvent(window,
                                        new QMouseEvent(QEvent::MouseButtonPress, local, local,
                                                        global, press->button(), press->buttons(),
                                                        press->modifiers()));
        }
        return true;
    }
    return false;
}
