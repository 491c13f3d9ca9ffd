// The chart explorer: a resizable child window showing the universe on a picture the size of
// its client area, one scale for both axes, with labels that never collide. Input comes from
// ExplorerInput, drawing from ExplorerRenderer, the ring and the ruler are overlays; this
// window holds the view and the controls.
#pragma once

#include "commondialog.h"
#include "explorerinput.h"
#include "explorerrenderer.h"
#include "imagesurface.h"
#include "picturelayout.h"
#include "planetnames.h"
#include "planetpicker.h"
#include "records.h"
#include "ringoverlay.h"

#include <QMdiSubWindow>
#include <QTimer>

#include <memory>

class QCheckBox;
class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QStringListModel;
class ChartPicture;

class ChartExplorer : public QMdiSubWindow {
    Q_OBJECT
public:
    // The largest picture drawn, each way; a larger window shows black beyond it.
    static constexpr int kMaxPicture = 8192;
    // A click selects the nearest planet within this many pixels.
    static constexpr int kPickRadius = 6;
    static constexpr int kRingRadius = 6;

    ChartExplorer(Globals &globals, CommonDialog &dialog, QWidget *parent = nullptr);

    // A new map: fitted again once the picture's size is known, selection cleared.
    void mapOpened();
    // A report was merged: the planets' order and figures changed, the selection is cleared.
    void planetsChanged();
    // A race's colour changed.
    void coloursChanged();
    // Centres on a planet and selects it.
    void showPlanet(int index);
    // The find field (Ctrl+F): the best match for its text, ignoring case and the blanks
    // around it, selected and centred; without one, the status line says so.
    void findPlanet();
    // The marks the Changes box shows and the title of the report whose changes they are:
    // the shell builds them again whenever the planets, the colours or that report change.
    void setChangeMarks(std::vector<ChangeMark> marks, const QString &title);
    const std::vector<ChangeMark> &changeMarks() const { return m_marks; }
    const QString &changeMarksTitle() const { return m_marksTitle; }
    bool changesShown() const;

    // Draws now whatever is pending; requests only mark the picture for redrawing, so that
    // a burst of resizes or wheel steps costs one redraw.
    void flush();

    // The picture as shown, without the ring and the ruler over it: what saving and
    // copying take.
    const QImage &picture() const;
    // The same picture as a pane that draws it again, for the vector files.
    PictureLayout pictureLayout() const;
    // Puts picture() on the clipboard; Ctrl+C in the window does this.
    void copyPicture();
    const ExplorerView &view() const { return m_scene.view; }
    const ExplorerDrawing &drawing() const { return m_drawing; }
    int selected() const { return m_scene.selected; }
    int redrawCount() const { return m_redraws; }
    ChartPicture *canvas() const { return m_canvas; }
    QLineEdit *findField() const { return m_find; }
    QString statusText() const;
    const ExplorerInput &input() const { return *m_input; }
    // Around the selected planet's dot while it is in the picture.
    const RingOverlay &ring() const { return m_ring; }

signals:
    void unloaded();
    // "Save View As..." (its button, or Ctrl+Shift+S in the window): the shell asks for a
    // name and writes picture().
    void saveViewRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildFind();
    void requestRedraw();
    // The view at the canvas's current size, fitted if a fit is pending; nothing drawn.
    void syncView();
    void redraw();
    void showStatus();
    MapExtent extent() const;
    QSize pictureSize() const;

    ExplorerInput::Frame inputFrame();
    void viewStep(const ExplorerView &view);
    void fit();
    void select(QPointF pixel);
    void placeRing();

    Globals &m_globals;
    CommonDialog &m_dialog;
    ExplorerRenderer m_renderer;
    std::unique_ptr<ImageSurface> m_surface;
    ExplorerScene m_scene;
    ExplorerDrawing m_drawing;
    bool m_fitPending = true;
    // The view is the fit and follows the window's size until the user zooms or pans.
    bool m_followsFit = true;
    bool m_failed = false; // the last redraw failed: its message is not shown again
    int m_redraws = 0;
    PicturePicker m_picker{m_globals, kPickRadius};
    // Smaller than the chart window's, so it leaves the selection's label readable.
    RingOverlay m_ring{kRingRadius};
    QTimer m_redrawTimer;

    ChartPicture *m_canvas = nullptr;
    ExplorerInput *m_input = nullptr;
    QComboBox *m_labels = nullptr;
    QCheckBox *m_legend = nullptr;
    QCheckBox *m_changes = nullptr;
    std::vector<ChangeMark> m_marks;
    QString m_marksTitle;
    QLabel *m_status = nullptr;
    QLineEdit *m_find = nullptr;
    QStringListModel *m_completions = nullptr;
    QCompleter *m_completer = nullptr;
    PlanetNames m_names;
    bool m_foundNow = false; // Enter on the list reaches the field too: one find for both
    QString m_findMessage;   // the last find's failure, shown before the status
};
