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
#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QStringListModel;
class QMenu;
class ChartPicture;

class ChartExplorer : public QMdiSubWindow {
    Q_OBJECT
public:
    // The largest picture drawn, each way; a larger window shows black beyond it.
    static constexpr int kMaxPicture = 8192;
    // A click selects the nearest planet within this many pixels.
    static constexpr int kPickRadius = 12;
    static constexpr int kRingRadius = ExplorerRenderer::kSelectionRingRadius;

    ChartExplorer(Globals &globals, CommonDialog &dialog, QWidget *parent = nullptr);

    // A new map: fitted again once the picture's size is known, selection cleared.
    void mapOpened();
    // A report was merged: the planets' order and figures changed, the selection is cleared.
    void planetsChanged();
    // A race's colour changed.
    void coloursChanged();
    // A planet's marker or note changed: the symbols are part of the picture.
    void notesChanged();
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
    const DistanceRuler &ruler() const { return m_input->ruler(); }

    // The range rings round the selection and the ruler's fleet speed, shown in the "Rings"
    // and "Speed" fields; the fields' own edits emit ringsEdited and speedEdited.
    void setRings(const std::vector<double> &rings);
    const std::vector<double> &rings() const { return m_scene.rings; }
    void setSpeed(double speed);
    double speed() const;
    // The menu of planet `index` ("Mark as", "Note...", "Distances from Here"), as a right
    // click on it opens it; owned by the window, replaced by the next one.
    QMenu *planetMenu(int index);

signals:
    void unloaded();
    // "Save View As..." (its button, or Ctrl+Shift+S in the window): the shell asks for a
    // name and writes picture().
    void saveViewRequested();
    // The selected planet changed (a click, a search, a list, a new table): its index, or -1.
    void selectionChanged(int index);
    // A valid text in the fields changed the rings or the speed.
    void ringsEdited(const std::vector<double> &rings);
    void speedEdited(double speed);
    // The planet menu's items: what they do is the shell's.
    void markRequested(int index, Marker marker);
    void noteRequested(int index);
    void distancesFromRequested(int index);

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
    void setSelected(int index);
    void placeRing();
    void showMenu(QPointF pixel);
    void ringsTyped(const QString &text);
    void speedTyped(const QString &text);

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
    QLineEdit *m_ringsField = nullptr;
    QLineEdit *m_speedField = nullptr;
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
    QPointer<QMenu> m_menu;
    // The selected planet by name and place, to find it again once a report reorders the table.
    std::optional<NoteKey> m_selectedKey;
};
