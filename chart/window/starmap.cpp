#include "starmap.h"

#include "chartkeys.h"
#include "chartpicture.h"
#include "conversions.h"
#include "hourglass.h"
#include "runerror.h"
#include "runreported.h"
#include "search.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStringListModel>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr QSize kPictureSize = ImageSurface::kPictureSize;

// The layout is kept in the twips it was designed in.
QRect twips(int left, int top, int width, int height)
{
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

template <typename Widget> Widget *place(Widget *widget, const char *name, const QRect &geometry)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    return place(new QLabel(text, parent), name, geometry);
}

QPushButton *button(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    return place(new QPushButton(text, parent), name, geometry);
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    return place(new QCheckBox(text, parent), name, geometry);
}

// What a command may change before its redraw, put back when the command fails.
struct ViewState {
    explicit ViewState(const Globals &g)
        : zoom(g.View_Zoom), centreX(g.View_Center_X), centreY(g.View_Center_Y), step(g.Zoom_Step)
    {
    }

    void restore(Globals &g) const
    {
        g.View_Zoom = zoom;
        g.View_Center_X = centreX;
        g.View_Center_Y = centreY;
        g.Zoom_Step = step;
    }

    std::optional<double> zoom;
    std::optional<double> centreX;
    qint16 centreY;
    qint16 step;
};

// The centre Y is a 16-bit value: a pan stops at its limits instead of wrapping round.
qint16 pannedY(qint16 y, int step)
{
    return qint16(std::clamp(int(y) + step, int(std::numeric_limits<qint16>::min()),
                             int(std::numeric_limits<qint16>::max())));
}

} // namespace

starmap::starmap(Globals &globals, CommonDialog &dialog, std::function<void()> showRaceColours,
                 QWidget *parent)
    : QMdiSubWindow(parent), m_globals(globals), m_dialog(dialog),
      m_showRaceColours(std::move(showRaceColours))
{
    setObjectName(QStringLiteral("starmap"));
    setWindowTitle(QStringLiteral("Star Map"));
    // A fixed border and a close box only: no minimise, no maximise, no resizing.
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
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

void starmap::buildControls()
{
    auto *client = new QWidget;
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(kClientSize);
    // White on black for the window, the frame, the labels and the check boxes; buttons,
    // the text box and the list keep their usual look.
    QPalette colours = client->palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::white);
    client->setPalette(colours);
    client->setAutoFillBackground(true);
    // The controls were laid out for a small dialog font; this one fits their captions.
    QFont font = client->font();
    font.setPixelSize(11);
    font.setStretch(QFont::SemiCondensed);
    client->setFont(font);
    setWidget(client);

    Starchart = place(new ChartPicture(client), "Starchart", twips(120, 120, 8055, 6615));
    Starchart->setFocusPolicy(Qt::StrongFocus);
    m_picture = m_surface.Image();
    Starchart->setPicture(m_picture);

    Frame1 = place(new QGroupBox(QStringLiteral("Map Control Center"), client), "Frame1",
                   twips(8280, 120, 2175, 6615));
    QWidget *frame = Frame1;
    label(frame, "Label1", QStringLiteral("Search for Star:"), twips(120, 240, 1815, 255));
    Star_Search = place(new QLineEdit(frame), "Star_Search", twips(120, 480, 1935, 285));
    Search_Button =
        button(frame, "Search_Button", QStringLiteral("&Search"), twips(120, 840, 1935, 375));
    label(frame, "Label2", QStringLiteral("Zoom Controls:"), twips(120, 1320, 1815, 255));
    Zoom_In_Button =
        button(frame, "Zoom_In_Button", QStringLiteral("Zoom &In"), twips(120, 1560, 1935, 375));
    Zoom_Out_Button =
        button(frame, "Zoom_Out_Button", QStringLiteral("Zoom &Out"), twips(120, 1920, 1935, 375));
    label(frame, "Label6", QStringLiteral("Zoom Factor:"), twips(120, 2400, 1215, 255));
    ZoomList = place(new QComboBox(frame), "ZoomList", twips(120, 2640, 1935, 315));
    label(frame, "Label5", QStringLiteral("Display Options"), twips(120, 3000, 1935, 255));
    Starbases_Option = checkBox(frame, "Starbases_Option", QStringLiteral("Planets with Starbases"),
                                twips(120, 3240, 1935, 255));
    Populated_Option = checkBox(frame, "Populated_Option", QStringLiteral("Populated Planets"),
                                twips(120, 3480, 1935, 255));
    All_Option =
        checkBox(frame, "All_Option", QStringLiteral("All Planets"), twips(120, 3720, 1935, 255));
    label(frame, "Label4", QStringLiteral("Navigation Controls:"), twips(120, 4080, 1815, 255));
    Up_Button = button(frame, "Up_Button", QStringLiteral("&U"), twips(840, 4320, 495, 375));
    Left_Button = button(frame, "Left_Button", QStringLiteral("&L"), twips(240, 4800, 495, 375));
    Center_Button =
        button(frame, "Center_Button", QStringLiteral("&C"), twips(840, 4800, 495, 375));
    Right_Button = button(frame, "Right_Button", QStringLiteral("&R"), twips(1440, 4800, 495, 375));
    Down_Button = button(frame, "Down_Button", QStringLiteral("&D"), twips(840, 5280, 495, 375));
    label(frame, "Label3", QStringLiteral("Color Control:"), twips(120, 5880, 1815, 255));
    Race_Color_Button =
        button(frame, "Race_Color_Button", QStringLiteral("R&ace Color Selector..."),
               twips(120, 6120, 1935, 375));

    ZoomList->setEditable(true);
    ZoomList->setInsertPolicy(QComboBox::NoInsert);
    // Typing into the list alone must not zoom. Qt picks the entry whose text was typed
    // when the field loses focus or takes Enter; that path is cut, picking from the list
    // stays.
    disconnect(ZoomList->lineEdit(), &QLineEdit::editingFinished, ZoomList, nullptr);

    const QList<QWidget *> tabOrder = {
        Starchart,         Star_Search,      Zoom_Out_Button,  Zoom_In_Button, Search_Button,
        Race_Color_Button, Center_Button,    Up_Button,        Left_Button,    Right_Button,
        Down_Button,       Starbases_Option, Populated_Option, All_Option,     ZoomList};
    for (qsizetype i = 0; i + 1 < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i], tabOrder[i + 1]);

    auto *copy = new QShortcut(QKeySequence::Copy, this);
    copy->setContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QShortcut::activated, this, &starmap::copyPicture);
    Star_Search->installEventFilter(this);
    ZoomList->lineEdit()->installEventFilter(this);

    m_input = new ChartInput([this] { return inputFrame(); }, this);
    m_input->attach(Starchart);
    connect(m_input, &ChartInput::stepRequested, this, &starmap::Starchart_Gesture);
    connect(m_input, &ChartInput::overlayChanged, Starchart, qOverload<>(&QWidget::update));
    Starchart->addOverlay(&m_input->ruler());
    Starchart->setToolTipText([this](QPointF pixel) { return Starchart_ToolTip(pixel); });

    m_completions = new QStringListModel(this);
    m_completer = new QCompleter(m_completions, this);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setMaxVisibleItems(PlanetNames::kShown);
    Star_Search->setCompleter(m_completer);
    // The list is filled before the line edit asks the completer to show it.
    connect(Star_Search, &QLineEdit::textEdited, this, &starmap::Star_Search_Change);
    // Enter on the list both picks the name and reaches the box: one search for the two.
    auto searchOnce = [this] {
        if (std::exchange(m_searchedNow, true))
            return;
        Search_Button_Click();
        QTimer::singleShot(0, this, [this] { m_searchedNow = false; });
    };
    connect(m_completer, qOverload<const QString &>(&QCompleter::activated), this, searchOnce);
    connect(Star_Search, &QLineEdit::returnPressed, this, searchOnce);
    addKeys();

    connect(Starchart, &ChartPicture::mousePressed, this, &starmap::Starchart_MouseDown);
    connect(Starchart, &ChartPicture::mouseMoved, this, &starmap::Starchart_MouseMove);
    connect(Search_Button, &QPushButton::clicked, this, &starmap::Search_Button_Click);
    connect(Zoom_In_Button, &QPushButton::clicked, this, &starmap::Zoom_In_Button_Click);
    connect(Zoom_Out_Button, &QPushButton::clicked, this, &starmap::Zoom_Out_Button_Click);
    connect(ZoomList, &QComboBox::activated, this, &starmap::ZoomList_Click);
    for (QCheckBox *box : {Starbases_Option, Populated_Option, All_Option})
        connect(box, &QCheckBox::clicked, this, &starmap::Option_Click);
    connect(Up_Button, &QPushButton::clicked, this, &starmap::Up_Button_Click);
    connect(Down_Button, &QPushButton::clicked, this, &starmap::Down_Button_Click);
    connect(Left_Button, &QPushButton::clicked, this, &starmap::Left_Button_Click);
    connect(Right_Button, &QPushButton::clicked, this, &starmap::Right_Button_Click);
    connect(Center_Button, &QPushButton::clicked, this, &starmap::Center_Button_Click);
    connect(Race_Color_Button, &QPushButton::clicked, this, [this] {
        if (m_showRaceColours)
            m_showRaceColours();
    });
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

void starmap::display_map(std::optional<double> Zoom_Factor, std::optional<double> center_x,
                          std::optional<double> center_y)
{
    const Hourglass wait;
    const ViewState before(m_globals);
    const bool minimised = isMinimized() || window()->isMinimized();
    const LabelOptions labels{All_Option->isChecked(), Populated_Option->isChecked(),
                              Starbases_Option->isChecked()};
    ChartView view;
    const int scale = displayScale();
    try {
        view =
            ::display_map(m_globals, m_surface, labels, Zoom_Factor, center_x, center_y, minimised);
        if (scale > 1) {
            if (!m_sharpSurface || m_sharpSurface->scale() != scale)
                m_sharpSurface = std::make_unique<ImageSurface>(kPictureSize, scale);
            m_sharpSurface->Cls();
            m_sharpSurface->BackColor(0);
            if (!minimised)
                drawChart(m_globals, *m_sharpSurface, labels, view);
        }
    } catch (...) {
        before.restore(m_globals);
        throw;
    }
    m_view = view;
    m_pickerStale = true;
    m_picture = m_surface.Image();
    if (scale > 1) {
        QImage sharp = m_sharpSurface->Image();
        sharp.setDevicePixelRatio(scale);
        Starchart->setPicture(sharp);
    } else {
        m_sharpSurface.reset();
        Starchart->setPicture(m_picture);
    }
    placeRing();
    emit drawn();
}

void starmap::placeRing()
{
    if (m_ringAt)
        Starchart->setRing(m_view.toPixel(*m_ringAt, kPictureSize));
    else
        Starchart->setRing(std::nullopt);
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
    const ViewState before(m_globals);
    if (runReported(m_dialog, body))
        return true;
    before.restore(m_globals);
    return false;
}

void starmap::redrawCurrentView()
{
    display_map(m_globals.View_Zoom, m_globals.View_Center_X, m_globals.View_Center_Y);
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
    command([this] { redrawCurrentView(); });
}

// Up and Down move the view 40 units up or down; Left moves it right and Right moves it
// left, so the planets slide in the direction named.
void starmap::Up_Button_Click()
{
    command([this] {
        m_globals.View_Center_Y = pannedY(m_globals.View_Center_Y, kPanStep);
        redrawCurrentView();
    });
}

void starmap::Down_Button_Click()
{
    command([this] {
        m_globals.View_Center_Y = pannedY(m_globals.View_Center_Y, -kPanStep);
        redrawCurrentView();
    });
}

void starmap::Left_Button_Click()
{
    command([this] {
        m_globals.View_Center_X = m_globals.View_Center_X.value_or(0) + kPanStep;
        redrawCurrentView();
    });
}

void starmap::Right_Button_Click()
{
    command([this] {
        m_globals.View_Center_X = m_globals.View_Center_X.value_or(0) - kPanStep;
        redrawCurrentView();
    });
}

void starmap::Center_Button_Click()
{
    command([this] { display_map(m_globals.View_Zoom, 0, 0); });
}

// At the top step nothing changes, but the chart is still redrawn and the list rewritten.
void starmap::Zoom_In_Button_Click()
{
    command([this] {
        if (m_globals.Zoom_Step < m_globals.Zoom_Steps - 1) {
            ++m_globals.Zoom_Step;
            m_globals.View_Zoom = zoomForStep(m_globals.Zoom_Step, m_globals.Zoom_Steps);
        }
        redrawCurrentView();
    });
    showZoomStep();
}

void starmap::Zoom_Out_Button_Click()
{
    command([this] {
        if (m_globals.Zoom_Step != 0) {
            --m_globals.Zoom_Step;
            m_globals.View_Zoom = zoomForStep(m_globals.Zoom_Step, m_globals.Zoom_Steps);
        }
        redrawCurrentView();
    });
    showZoomStep();
}

// A picked entry sets the zoom in double precision and leaves Zoom_Step alone, so the zoom
// buttons go on from their own step.
void starmap::ZoomList_Click()
{
    command([this] {
        m_globals.View_Zoom = conv::leadingNumber(ZoomList->currentText()) / m_globals.Zoom_Steps;
        redrawCurrentView();
    });
}

// The first planet of exactly that name, in table order; no match changes nothing.
void starmap::Search_Button_Click()
{
    // A search, however started, is the end of choosing a name.
    m_completer->popup()->hide();
    const int index = findStar(m_globals, Star_Search->text());
    if (index >= 0 && centreOn(m_globals.Star_Table[index]))
        emit planetFound(index);
}

bool starmap::centreOn(const Star_Object &planet)
{
    return command([this, &planet] {
        m_globals.View_Center_X = conv::strictNumber(planet.Star_X);
        m_globals.View_Center_Y = conv::toInt16(conv::strictNumber(planet.Star_Y));
        redrawCurrentView();
    });
}

void starmap::centreOnPlanet(int index)
{
    if (index < 0 || index > m_globals.lastPlanet())
        return;
    const Star_Object &planet = m_globals.Star_Table[index];
    const std::optional<QPointF> before = m_ringAt;
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
        placeRing();
    }
}

// Only the left button recentres, on the whole parts of the position.
void starmap::Starchart_MouseDown(Qt::MouseButton button, QPointF pixel)
{
    if (button != Qt::LeftButton)
        return;
    const QPointF at = wholeMapPosition(m_view, pixel, kPictureSize);
    command([this, at] { display_map(m_globals.View_Zoom, at.x(), at.y()); });
}

// "1234 987": the whole parts of the position under the pointer.
void starmap::Starchart_MouseMove(QPointF pixel)
{
    m_pointer = pixel;
    setWindowTitle(pointerReadout(m_view, pixel, kPictureSize));
}

// Arrows move the visible window: Left does what "&R" does, Right what "&L" does.
void starmap::addKeys()
{
    m_keys = std::make_unique<ChartKeys>(this, QList<const QWidget *>{Star_Search, ZoomList});
    auto key = [this](QList<QKeySequence> keys, void (starmap::*handler)()) {
        m_keys->add(keys, [this, handler] { (this->*handler)(); });
    };
    key({Qt::Key_Up}, &starmap::Up_Button_Click);
    key({Qt::Key_Down}, &starmap::Down_Button_Click);
    key({Qt::Key_Left}, &starmap::Right_Button_Click);
    key({Qt::Key_Right}, &starmap::Left_Button_Click);
    key({Qt::Key_Plus, Qt::Key_Equal, Qt::KeypadModifier | Qt::Key_Plus},
        &starmap::Zoom_In_Button_Click);
    key({Qt::Key_Minus, Qt::KeypadModifier | Qt::Key_Minus}, &starmap::Zoom_Out_Button_Click);
    key({Qt::Key_Home}, &starmap::Center_Button_Click);
}

ChartInput::Frame starmap::inputFrame() const
{
    return ChartInput::frameFor(m_globals, m_view, kPictureSize);
}

// A wheel notch or pinch step is a zoom button press about the pointer; a drag or scroll
// step moves the centre only. Either is one redraw.
void starmap::Starchart_Gesture(const ChartInput::Step &step)
{
    command([this, &step] {
        if (step.zoomStep) {
            m_globals.Zoom_Step = *step.zoomStep;
            m_globals.View_Zoom = step.zoom;
        }
        display_map(m_globals.View_Zoom, step.centreX, step.centreY);
    });
    if (step.zoomGesture)
        showZoomStep();
    // The pointer stayed while the map moved under it.
    if (m_pointer)
        setWindowTitle(pointerReadout(m_view, *m_pointer, kPictureSize));
}

QString starmap::Starchart_ToolTip(QPointF pixel)
{
    if (m_pickerStale) {
        m_picker.rebuild(m_globals, m_view, kPictureSize);
        m_pickerStale = false;
    }
    const int planet = m_picker.nearest(pixel);
    if (planet < 0 || planet > m_globals.lastPlanet())
        return {};
    return planetTooltip(m_globals.Star_Table[size_t(planet)]);
}

void starmap::planetsChanged()
{
    m_names.rebuild(m_globals);
    m_pickerStale = true;
    if (Star_Search->hasFocus())
        m_completions->setStringList(m_names.matching(Star_Search->text()));
}

void starmap::Star_Search_Change(const QString &text)
{
    m_searchedNow = false;
    m_completions->setStringList(m_names.matching(text));
}
