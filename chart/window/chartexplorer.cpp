#include "chartexplorer.h"

#include "chartpicture.h"
#include "conversions.h"
#include "distances.h"
#include "planetmenu.h"
#include "runreported.h"
#include "search.h"
#include "spokentext.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QShortcut>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QStringListModel>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

ChartExplorer::ChartExplorer(Globals &globals, CommonDialog &dialog, QWidget *parent)
    : QMdiSubWindow(parent), m_globals(globals), m_dialog(dialog)
{
    setObjectName(QStringLiteral("ChartExplorer"));
    setWindowTitle(tr("Chart Explorer"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_redrawTimer.setSingleShot(true);
    m_redrawTimer.setInterval(0);
    connect(&m_redrawTimer, &QTimer::timeout, this, &ChartExplorer::redraw);
    buildControls();
    // Totals in the legend read as the user's locale writes numbers.
    m_scene.numbers = QLocale();
    // Wide enough for the whole tool bar, whose fields would otherwise overlap.
    resize(std::max(720, minimumSizeHint().width()), 560);
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
    auto *labelsCaption = new QLabel(tr("&Labels:"), client);
    m_labels = new QComboBox(client);
    m_labels->setObjectName(QStringLiteral("Labels"));
    m_labels->addItems(
        {tr("None"), tr("Planets with Starbases"), tr("Populated Planets"), tr("All Planets")});
    labelsCaption->setBuddy(m_labels);
    m_legend = new QCheckBox(tr("Le&gend"), client);
    m_legend->setObjectName(QStringLiteral("Legend"));
    bar->addWidget(labelsCaption);
    bar->addWidget(m_labels);
    bar->addSpacing(12);
    bar->addWidget(m_legend);
    m_changes = new QCheckBox(tr("&Changes"), client);
    m_changes->setObjectName(QStringLiteral("Changes"));
    bar->addWidget(m_changes);
    bar->addSpacing(12);
    auto *findCaption = new QLabel(tr("Find:"), client);
    m_find = new QLineEdit(client);
    m_find->setObjectName(QStringLiteral("Find"));
    m_find->setPlaceholderText(tr("Planet name (Ctrl+F)"));
    m_find->setAccessibleName(tr("Find a planet"));
    m_find->setAccessibleDescription(
        tr("Any part of a planet's name, in any letter case; Enter selects and centres it"));
    m_find->setClearButtonEnabled(true);
    m_find->setMinimumWidth(m_find->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 12);
    findCaption->setBuddy(m_find);
    bar->addWidget(findCaption);
    bar->addWidget(m_find);
    // Planning: range rings round the selection, and the fleet speed the ruler counts turns by.
    auto addField = [&](const QString &caption, const char *name, const QString &hint,
                        const QString &tip) {
        auto *label = new QLabel(caption, client);
        auto *field = new QLineEdit(client);
        field->setObjectName(QLatin1String(name));
        field->setPlaceholderText(hint);
        field->setToolTip(tip);
        field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000, 0000, 0000")));
        // Room for its hint, such as "81, 162", whatever else the bar holds.
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(hint) + 16);
        label->setBuddy(field);
        bar->addWidget(label);
        bar->addWidget(field);
        return field;
    };
    // The rings' hint is an example of what the field reads, the same in every language.
    m_ringsField = addField(tr("&Rings:"), "Rings", QStringLiteral("81, 162"),
                            tr("Circles round the selected planet at these distances"));
    m_speedField = addField(tr("S&peed:"), "Speed", tr("units a turn"),
                            tr("Fleet speed: the ruler counts the turns a move takes"));
    bar->addStretch();
    auto *save = new QPushButton(tr("Sa&ve View As..."), client);
    save->setObjectName(QStringLiteral("SaveView"));
    save->setFocusPolicy(Qt::TabFocus);
    bar->addWidget(save);
    layout->addLayout(bar);

    m_canvas = new ChartPicture(client);
    m_canvas->setObjectName(QStringLiteral("Canvas"));
    m_canvas->setAccessibleName(tr("Chart explorer map"));
    m_canvas->setFocusPolicy(Qt::StrongFocus);
    m_canvas->setMinimumSize(1, 1);
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
    // The tool bar left to right, then the map.
    setTabOrder(m_labels, m_legend);
    setTabOrder(m_legend, m_changes);
    setTabOrder(m_changes, m_find);
    setTabOrder(m_find, m_ringsField);
    setTabOrder(m_ringsField, m_speedField);
    setTabOrder(m_speedField, save);
    setTabOrder(save, m_canvas);

    connect(m_labels, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_scene.labels = labelOptionsFor(static_cast<LabelChoice>(index));
        requestRedraw();
    });
    connect(m_legend, &QCheckBox::toggled, this, [this](bool on) {
        m_scene.legend = on;
        requestRedraw();
    });
    connect(m_changes, &QCheckBox::toggled, this, [this](bool on) {
        m_scene.changes = on ? m_marks : std::vector<ChangeMark>();
        m_scene.changesTitle = on ? m_marksTitle : QString();
        requestRedraw();
    });
    m_input = new ExplorerInput([this] { return inputFrame(); }, this);
    m_input->attach(m_canvas);
    // Keeps the centre and the scale; the first size known fits the map.
    connect(m_input, &ExplorerInput::resized, this, &ChartExplorer::requestRedraw);
    connect(m_input, &ExplorerInput::viewRequested, this, &ChartExplorer::viewStep);
    connect(m_input, &ExplorerInput::fitRequested, this, &ChartExplorer::fit);
    connect(m_input, &ExplorerInput::clicked, this, &ChartExplorer::select);
    connect(m_input, &ExplorerInput::menuRequested, this, &ChartExplorer::showMenu);
    connect(m_ringsField, &QLineEdit::textEdited, this, &ChartExplorer::ringsTyped);
    connect(m_speedField, &QLineEdit::textEdited, this, &ChartExplorer::speedTyped);
    connect(m_input, &ExplorerInput::pointerMoved, this, &ChartExplorer::showStatus);
    connect(m_input, &ExplorerInput::overlayChanged, m_canvas, qOverload<>(&QWidget::update));
    connect(save, &QPushButton::clicked, this, &ChartExplorer::saveViewRequested);
    auto *saveKey = new QShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S, this);
    saveKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(saveKey, &QShortcut::activated, this, &ChartExplorer::saveViewRequested);
    auto *copy = new QShortcut(QKeySequence::Copy, this);
    copy->setContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QShortcut::activated, this, &ChartExplorer::copyPicture);
    buildFind();
    m_canvas->addOverlay(&m_ring);
    m_canvas->addOverlay(&m_input->ruler());
    m_input->ruler().setSnap(DistanceRuler::snapToPlanets(m_picker, m_globals));
    // The dots as last drawn: the pointer is over the picture on screen.
    m_canvas->setToolTipText([this](QPointF pixel) {
        flush();
        return m_picker.toolTipAt(pixel);
    });
}

// The chart window's completion list, on a find that forgives.
void ChartExplorer::buildFind()
{
    m_completions = new QStringListModel(this);
    m_completer = new QCompleter(m_completions, this);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setMaxVisibleItems(PlanetNames::kShown);
    m_find->setCompleter(m_completer);
    connect(m_find, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_foundNow = false;
        m_completions->setStringList(m_names.matching(QStringView(text).trimmed()));
        if (!std::exchange(m_findMessage, QString()).isEmpty())
            showStatus();
    });
    auto findOnce = [this] {
        if (std::exchange(m_foundNow, true))
            return;
        findPlanet();
        QTimer::singleShot(0, this, [this] { m_foundNow = false; });
    };
    connect(m_completer, qOverload<const QString &>(&QCompleter::activated), this, findOnce);
    connect(m_find, &QLineEdit::returnPressed, this, findOnce);
    auto *findKey = new QShortcut(QKeySequence::Find, this);
    findKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(findKey, &QShortcut::activated, this, [this] {
        m_find->setFocus(Qt::ShortcutFocusReason);
        m_find->selectAll();
    });
}

void ChartExplorer::findPlanet()
{
    if (m_completer->popup())
        m_completer->popup()->hide();
    const QString typed = m_find->text().trimmed();
    if (typed.isEmpty())
        return;
    const QString name = m_names.bestMatch(typed);
    const int index = name.isEmpty() ? -1 : findStar(m_globals, name);
    if (index < 0) {
        m_findMessage = tr("No planet matches \"%1\"").arg(typed);
        showStatus();
        return;
    }
    showPlanet(index);
}

QString ChartExplorer::statusText() const
{
    return m_status->text();
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

void ChartExplorer::copyPicture()
{
    flush();
    QGuiApplication::clipboard()->setImage(picture());
}

void ChartExplorer::mapOpened()
{
    m_renderer.dataChanged();
    m_names.rebuild(m_globals);
    m_findMessage.clear();
    setSelected(-1);
    m_input->clearRuler();
    m_picker.planetsChanged();
    m_fitPending = true;
    m_followsFit = true;
    m_failed = false;
    requestRedraw();
}

void ChartExplorer::planetsChanged()
{
    m_renderer.dataChanged();
    m_names.rebuild(m_globals);
    // A merged report reorders the planet table: the selection is found again by its name
    // and place.
    int found = -1;
    if (m_selectedKey) {
        for (int i = 0; i <= m_globals.lastPlanet() && found < 0; ++i)
            if (NotesStore::keyOf(m_globals.Star_Table[size_t(i)]) == m_selectedKey)
                found = i;
    }
    setSelected(found);
    m_picker.planetsChanged();
    m_failed = false;
    requestRedraw();
}

void ChartExplorer::coloursChanged()
{
    m_failed = false;
    requestRedraw();
}

void ChartExplorer::notesChanged()
{
    m_failed = false;
    requestRedraw();
}

void ChartExplorer::setRings(const std::vector<double> &rings)
{
    m_ringsField->setText(ringsText(rings));
    m_ringsField->setStyleSheet({});
    m_scene.rings = rings;
    requestRedraw();
}

void ChartExplorer::setSpeed(double speed)
{
    m_speedField->setText(speed > 0 ? conv::plainNumber(speed) : QString());
    m_speedField->setStyleSheet({});
    m_input->ruler().setSpeed(speed);
    m_canvas->update();
}

double ChartExplorer::speed() const
{
    return m_input->ruler().speed();
}

// A text that is not yet a valid list shows red and changes nothing; a valid one applies at
// once.
void ChartExplorer::ringsTyped(const QString &text)
{
    const std::optional<std::vector<double>> rings = parseRings(text);
    m_ringsField->setStyleSheet(rings ? QString() : QStringLiteral("color: red"));
    if (!rings || *rings == m_scene.rings)
        return;
    m_scene.rings = *rings;
    requestRedraw();
    emit ringsEdited(*rings);
}

void ChartExplorer::speedTyped(const QString &text)
{
    const std::optional<double> speed = parseSpeed(text);
    m_speedField->setStyleSheet(speed ? QString() : QStringLiteral("color: red"));
    if (!speed || *speed == m_input->ruler().speed())
        return;
    m_input->ruler().setSpeed(*speed);
    m_canvas->update();
    emit speedEdited(*speed);
}

QMenu *ChartExplorer::planetMenu(int index)
{
    delete m_menu;
    if (index < 0 || index > m_globals.lastPlanet())
        return nullptr;
    const PlanetNote *note = m_globals.notes.find(m_globals.Star_Table[size_t(index)]);
    m_menu = ::planetMenu(this, note ? note->marker : Marker::None,
                          {[this, index](Marker marker) { emit markRequested(index, marker); },
                           [this, index] { emit noteRequested(index); },
                           [this, index] { emit distancesFromRequested(index); }});
    return m_menu;
}

void ChartExplorer::showMenu(QPointF pixel)
{
    // The dots as last drawn: the click was aimed at the picture on screen.
    flush();
    if (QMenu *menu = planetMenu(m_picker.nearest(pixel, kPickRadius)))
        menu->popup(m_canvas->mapToGlobal(pixel.toPoint()));
}

void ChartExplorer::showPlanet(int index)
{
    if (index < 0 || index > m_globals.lastPlanet())
        return;
    runReported(m_dialog, [&] {
        syncView();
        m_scene.view = m_scene.view.centredOn(planetPosition(m_globals.Star_Table[size_t(index)]));
        m_followsFit = false;
        setSelected(index);
        m_findMessage.clear();
        requestRedraw();
    });
}

void ChartExplorer::setChangeMarks(std::vector<ChangeMark> marks, const QString &title)
{
    if (marks == m_marks && title == m_marksTitle)
        return;
    m_marks = std::move(marks);
    m_marksTitle = title;
    if (changesShown()) {
        m_scene.changes = m_marks;
        m_scene.changesTitle = m_marksTitle;
        requestRedraw();
    }
}

bool ChartExplorer::changesShown() const
{
    return m_changes->isChecked();
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
    if (m_fitPending || m_followsFit) {
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
    m_canvas->describe(spokenExplorerView(m_scene.view, extent()),
                       m_scene.selected >= 0 && m_scene.selected <= m_globals.lastPlanet()
                           ? spokenPlanet(m_globals.Star_Table[size_t(m_scene.selected)])
                           : QString());
    m_picker.drawn(m_drawing.chartView, m_scene.view.picture);
    placeRing();
    showStatus();
}

// The ring stays over the picture, never in it, so a saved or copied view lacks it.
void ChartExplorer::placeRing()
{
    std::optional<QPointF> centre;
    if (m_drawing.selectedDot)
        centre = QPointF(*m_drawing.selectedDot) + QPointF(0.5, 0.5);
    if (m_ring.setCentre(centre))
        m_canvas->update();
}

void ChartExplorer::showStatus()
{
    std::optional<QPointF> at;
    if (const auto pointer = m_input->pointer())
        at = m_scene.view.toMap(*pointer);
    const QString status = explorerStatus(m_globals, at, m_scene.selected);
    m_status->setText(m_findMessage.isEmpty() || status.isEmpty()
                          ? m_findMessage + status
                          : m_findMessage + QStringLiteral("    ") + status);
}

// Steps read the view as it will be drawn next, so a burst of them adds up before one
// redraw.
ExplorerInput::Frame ChartExplorer::inputFrame()
{
    syncView();
    return {m_scene.view, extent()};
}

void ChartExplorer::viewStep(const ExplorerView &view)
{
    m_scene.view = view;
    m_followsFit = false;
    requestRedraw();
}

void ChartExplorer::fit()
{
    m_fitPending = true;
    m_followsFit = true;
    requestRedraw();
}

void ChartExplorer::select(QPointF pixel)
{
    // The dots as last drawn: the click was aimed at the picture on screen.
    flush();
    setSelected(m_picker.nearest(pixel, kPickRadius));
    m_findMessage.clear();
    requestRedraw();
}

PictureLayout ChartExplorer::pictureLayout() const
{
    const Globals &globals = m_globals;
    return PictureLayout::single(m_scene.view.picture, [&globals, scene = m_scene](Surface &surface) {
        ExplorerRenderer().draw(globals, surface, scene);
    });
}

void ChartExplorer::setSelected(int index)
{
    m_selectedKey.reset();
    if (index >= 0 && index <= m_globals.lastPlanet())
        m_selectedKey = NotesStore::keyOf(m_globals.Star_Table[size_t(index)]);
    else
        index = -1;
    if (std::exchange(m_scene.selected, index) != index)
        emit selectionChanged(index);
}
