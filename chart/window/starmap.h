// The chart window: the chart picture beside the "Map Control Center" with search, zoom,
// navigation, the label check boxes and the race colours button. Every command works out
// the view it asks for as a value and draws it; the globals take the new view state only
// once the redraw has succeeded. Drawing itself is the renderer's.
#pragma once

#include "chartinput.h"
#include "chartview.h"
#include "commondialog.h"
#include "imagesurface.h"
#include "picturelayout.h"
#include "planetnames.h"
#include "planetpicker.h"
#include "records.h"
#include "renderer.h"
#include "ringoverlay.h"

#include <QMdiSubWindow>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QCompleter;
class QStringListModel;
class QGroupBox;
class QLineEdit;
class ChartKeys;
class QPushButton;
class ChartPicture;

class starmap : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int kPanStep = 40;
    static constexpr QSize kClientSize{704, 454}; // 10560 by 6810 twips
    static constexpr QSize kPictureSize = ImageSurface::kPictureSize;

    // Loading the window: the zoom list shows Zoom_Step, the check boxes are clear and
    // Chart_Shown becomes true. `showRaceColours` opens the race colours dialog.
    starmap(Globals &globals, CommonDialog &dialog, std::function<void()> showRaceColours,
            QWidget *parent = nullptr);
    ~starmap() override;

    // Redraws the whole chart with the ticked label boxes, under the hourglass; a centre of
    // 0 or unset on an axis is the map's middle. While this window or the main window is
    // minimised only the view state changes and the picture goes black. Throws RunError;
    // after a failure the picture and the view state are as they were.
    void display_map(std::optional<double> Zoom_Factor, std::optional<double> center_x,
                     std::optional<double> center_y);

    // The chart as last drawn at its specified 537 by 441 pixels: what saving writes. On a
    // high-resolution screen it is drawn when first asked for after a redraw. Throws
    // RunError when that drawing fails.
    const QImage &picture() const;
    // The same picture as a pane that draws it again, for the vector files.
    PictureLayout pictureLayout() const;
    // The chart as the window shows it: on a screen whose device pixel ratio is above 1,
    // drawn that many times larger (rounded up), with that ratio; else picture().
    const QImage &shownPicture() const;
    // Puts shownPicture() on the clipboard. Ctrl+C in the window does this, except in a
    // text field that has text selected.
    void copyPicture() const;
    // The view the picture was drawn with; mouse positions are read against it.
    const ChartView &view() const { return m_view; }

    // The planet table has other names: the search box's completion list follows it.
    void planetsChanged();
    // The wheel, drag, pinch and ruler reader of the chart picture.
    const ChartInput &input() const { return *m_input; }

    // Centres the chart on planet `index` exactly as a successful search for its name does,
    // and rings it over the picture for kRingMs, following it through redraws meanwhile.
    // A failure is shown as a message and leaves the view as it was.
    void centreOnPlanet(int index);
    static constexpr int kRingMs = 2000;
    // The ringed planet's map position while the ring shows.
    std::optional<QPointF> ringedPosition() const { return m_ringAt; }
    const RingOverlay &ring() const { return m_ring; }

signals:
    // The window has been closed; it is deleted once control returns to the event loop.
    void unloaded();
    // A search found the planet at this index of Star_Table and centred on it.
    void planetFound(int index);
    // display_map has drawn a new picture.
    void drawn();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // What a command asks to draw: display_map's arguments and the zoom step with them.
    struct Request {
        std::optional<double> zoom;
        std::optional<double> centreX;
        std::optional<double> centreY;
        qint16 zoomStep;
    };
    // The view state as it stands, to be changed by a command.
    Request current() const;
    // Draws `next`, then stores it; a failure throws with nothing changed.
    void redraw(const Request &next);
    // Runs a command; a failure is shown as a message.
    bool command(const std::function<void()> &body);

    void buildControls();
    void connectControls();
    void Form_Load();
    void Form_Unload();
    void showZoomStep();
    LabelOptions labelOptions() const;
    // How many times larger the shown chart is drawn: the screen's ratio rounded up.
    int displayScale() const;

    void Option_Click();
    void Up_Button_Click();
    void Down_Button_Click();
    void Left_Button_Click();
    void Right_Button_Click();
    void Center_Button_Click();
    void Zoom_In_Button_Click();
    void Zoom_Out_Button_Click();
    void ZoomList_Click();
    void Search_Button_Click();
    bool centreOn(const Star_Object &planet);
    void placeRing();
    void Starchart_MouseDown(Qt::MouseButton button, QPointF pixel);
    void Starchart_MouseMove(QPointF pixel);
    void gestureStep(const ChartInput::Step &step);
    void searchTextEdited(const QString &text);
    // The completion list's keys and clicks, before the completer's own handling.
    bool completionEvent(QEvent *event);
    void addKeys();

    Globals &m_globals;
    CommonDialog &m_dialog;
    std::function<void()> m_showRaceColours;
    bool m_unloaded = false;

    // The surface the window draws on, at displayScale(); its image is copied into the
    // picture widget only after a successful redraw, so a failed one leaves the chart shown.
    std::unique_ptr<ImageSurface> m_shownSurface;
    // The specified picture: the shown one at scale 1, else drawn on first need from what
    // the shown one was drawn with.
    mutable ImageSurface m_surface;
    mutable QImage m_picture;
    mutable bool m_pictureStale = false;
    LabelOptions m_drawnLabels;
    bool m_drawnMinimised = false;
    ChartView m_view{};

    ChartInput *m_input = nullptr;
    PicturePicker m_picker{m_globals};
    PlanetNames m_names;
    QCompleter *m_completer = nullptr;
    QStringListModel *m_completions = nullptr;
    std::unique_ptr<ChartKeys> m_keys;
    bool m_searchedNow = false; // Enter or a pick searched in this pass of the event loop
    bool m_namePicked = false;  // a name in the open list was chosen with the keys
    // Where the pointer was last over the picture, for the readout after a gesture's redraw.
    std::optional<QPointF> m_pointer;

    std::optional<QPointF> m_ringAt;
    QString m_foundText; // the planet last found or chosen, as a screen reader hears it
    RingOverlay m_ring;
    QTimer m_ringTimer;

    ChartPicture *Starchart = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLineEdit *Star_Search = nullptr;
    QPushButton *Search_Button = nullptr;
    QPushButton *Zoom_In_Button = nullptr;
    QPushButton *Zoom_Out_Button = nullptr;
    QComboBox *ZoomList = nullptr;
    QCheckBox *Starbases_Option = nullptr;
    QCheckBox *Populated_Option = nullptr;
    QCheckBox *All_Option = nullptr;
    QPushButton *Up_Button = nullptr;
    QPushButton *Left_Button = nullptr;
    QPushButton *Center_Button = nullptr;
    QPushButton *Right_Button = nullptr;
    QPushButton *Down_Button = nullptr;
    QPushButton *Race_Color_Button = nullptr;
};
