// The chart window's controls, laid out in the twips they were designed in, and what each
// of them is connected to.
#include "starmap.h"

#include "chartkeys.h"
#include "chartpicture.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStringListModel>
#include <QTimer>

#include <utility>

namespace {

constexpr int kTwipsPerPixel = 15;

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

// A caption wider than its control's designed place is drawn narrower until it fits, so
// the place stays as designed and the text shows whole.
void fitCaption(QWidget *control)
{
    QFont font = control->font();
    for (int stretch = font.stretch() - 6;
         control->sizeHint().width() > control->width() && stretch >= QFont::ExtraCondensed;
         stretch -= 6) {
        font.setStretch(stretch);
        control->setFont(font);
    }
}

} // namespace

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
    Starchart->setAccessibleName(tr("Star chart"));
    Starchart->setPicture(m_surface.Image());

    Frame1 = place(new QGroupBox(tr("Map Control Center"), client), "Frame1",
                   twips(8280, 120, 2175, 6615));
    QWidget *frame = Frame1;
    label(frame, "Label1", tr("Search for Star:"), twips(120, 240, 1815, 255));
    Star_Search = place(new QLineEdit(frame), "Star_Search", twips(120, 480, 1935, 285));
    Search_Button = button(frame, "Search_Button", tr("&Search"), twips(120, 840, 1935, 375));
    label(frame, "Label2", tr("Zoom Controls:"), twips(120, 1320, 1815, 255));
    Zoom_In_Button = button(frame, "Zoom_In_Button", tr("Zoom &In"), twips(120, 1560, 1935, 375));
    Zoom_Out_Button =
        button(frame, "Zoom_Out_Button", tr("Zoom &Out"), twips(120, 1920, 1935, 375));
    label(frame, "Label6", tr("Zoom Factor:"), twips(120, 2400, 1215, 255));
    ZoomList = place(new QComboBox(frame), "ZoomList", twips(120, 2640, 1935, 315));
    label(frame, "Label5", tr("Display Options"), twips(120, 3000, 1935, 255));
    Starbases_Option = checkBox(frame, "Starbases_Option", tr("Planets with Starbases"),
                                twips(120, 3240, 1935, 255));
    Populated_Option =
        checkBox(frame, "Populated_Option", tr("Populated Planets"), twips(120, 3480, 1935, 255));
    All_Option = checkBox(frame, "All_Option", tr("All Planets"), twips(120, 3720, 1935, 255));
    label(frame, "Label4", tr("Navigation Controls:"), twips(120, 4080, 1815, 255));
    Up_Button = button(frame, "Up_Button", tr("&U"), twips(840, 4320, 495, 375));
    Left_Button = button(frame, "Left_Button", tr("&L"), twips(240, 4800, 495, 375));
    Center_Button = button(frame, "Center_Button", tr("&C"), twips(840, 4800, 495, 375));
    Right_Button = button(frame, "Right_Button", tr("&R"), twips(1440, 4800, 495, 375));
    Down_Button = button(frame, "Down_Button", tr("&D"), twips(840, 5280, 495, 375));
    label(frame, "Label3", tr("Color Control:"), twips(120, 5880, 1815, 255));
    Race_Color_Button = button(frame, "Race_Color_Button", tr("R&ace Color Selector..."),
                               twips(120, 6120, 1935, 375));

    for (QCheckBox *control : {Starbases_Option, Populated_Option, All_Option})
        fitCaption(control);

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
}

void starmap::connectControls()
{
    auto *copy = new QShortcut(QKeySequence::Copy, this);
    copy->setContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QShortcut::activated, this, &starmap::copyPicture);
    Star_Search->installEventFilter(this);
    ZoomList->lineEdit()->installEventFilter(this);

    m_input = new ChartInput(
        [this] { return ChartInput::frameFor(m_globals, m_view, kPictureSize); }, this);
    m_input->attach(Starchart);
    connect(m_input, &ChartInput::stepRequested, this, &starmap::gestureStep);
    connect(m_input, &ChartInput::overlayChanged, Starchart, qOverload<>(&QWidget::update));
    Starchart->addOverlay(&m_ring);
    Starchart->addOverlay(&m_input->ruler());
    m_input->ruler().setSnap(DistanceRuler::snapToPlanets(m_picker, m_globals));
    Starchart->setToolTipText([this](QPointF pixel) { return m_picker.toolTipAt(pixel); });

    m_completions = new QStringListModel(this);
    m_completer = new QCompleter(m_completions, this);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setMaxVisibleItems(PlanetNames::kShown);
    Star_Search->setCompleter(m_completer);
    // Filters installed last run first: this one sees the list's events before the
    // completer does.
    m_completer->popup()->installEventFilter(this);
    // The list is filled before the line edit asks the completer to show it.
    connect(Star_Search, &QLineEdit::textEdited, this, &starmap::searchTextEdited);
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
    key({Qt::Key_Escape}, &starmap::clearRuler);
}
