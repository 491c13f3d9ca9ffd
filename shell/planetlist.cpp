#include "planetlist.h"

#include "listtableview.h"
#include "planetmenu.h"
#include "search.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStringListModel>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>

PlanetList::PlanetList(const Globals &globals, QWidget *parent)
    : QWidget(parent), m_globals(globals), m_model(globals), m_proxy(m_model)
{
    setObjectName(QStringLiteral("planetList"));
    setWindowTitle(tr("Planet List"));

    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("filter"));
    m_filter->setPlaceholderText(tr("Filter by name or owner"));
    m_filter->setClearButtonEnabled(true);
    m_filter->setAccessibleName(tr("Filter by name or owner"));
    m_race = new QComboBox(this);
    m_race->setObjectName(QStringLiteral("race"));
    m_race->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_race->setAccessibleDescription(tr("Show the planets of one race, or the unowned"));
    m_marker = new QComboBox(this);
    m_marker->setObjectName(QStringLiteral("marker"));
    m_marker->addItem(tr("Any marker"), PlanetListProxy::kAnyMarker);
    m_marker->addItem(tr("Marked"), PlanetListProxy::kMarked);
    for (Marker marker : kMarkers)
        m_marker->addItem(markerTitle(marker), int(marker));
    m_marker->addItem(tr("Unmarked"), int(Marker::None));
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("count"));

    // Table order until a header is clicked.
    m_view = listTableView(this, "planets", tr("Planets"), m_proxy);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setColumnWidth(PlanetListModel::Name, 160);
    m_view->setColumnWidth(PlanetListModel::Owner, 140);
    for (int column : {PlanetListModel::X, PlanetListModel::Y, PlanetListModel::Starbase,
                       PlanetListModel::ReportAge})
        m_view->setColumnWidth(column, std::max(70, headerWidth(column)));
    m_view->setColumnWidth(PlanetListModel::Distance, std::max(70, headerWidth(PlanetListModel::Distance)));
    m_view->setColumnWidth(PlanetListModel::MarkerColumn, std::max(60, headerWidth(PlanetListModel::MarkerColumn)));
    m_view->setColumnHidden(PlanetListModel::Distance, true);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->installEventFilter(this);

    auto *controls = new QHBoxLayout;
    controls->addWidget(m_filter, 1);
    // A caption a screen reader names the list by, and Alt+R reaches it.
    auto *raceCaption = new QLabel(tr("&Race:"), this);
    raceCaption->setBuddy(m_race);
    controls->addWidget(raceCaption);
    controls->addWidget(m_race);
    auto *markerCaption = new QLabel(tr("Mar&ker:"), this);
    markerCaption->setBuddy(m_marker);
    controls->addWidget(markerCaption);
    controls->addWidget(m_marker);
    auto *planning = new QHBoxLayout;
    buildPlanning(planning);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addLayout(planning);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_count);
    // The filters in the order they stand, then the table they narrow.
    setTabOrder(m_filter, m_race);
    setTabOrder(m_race, m_marker);
    setTabOrder(m_marker, m_from);
    setTabOrder(m_from, m_within);
    setTabOrder(m_within, m_view);

    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_proxy.setFilterText(text);
        showCount();
    });
    connect(m_race, &QComboBox::currentIndexChanged, this, [this] {
        m_proxy.setRace(m_race->currentData().toInt());
        showCount();
    });
    connect(m_marker, &QComboBox::currentIndexChanged, this, [this] {
        m_proxy.setMarkerFilter(m_marker->currentData().toInt());
        showCount();
    });
    connect(m_view, &QTableView::doubleClicked, this, &PlanetList::chooseCurrent);
    connect(m_view, &QWidget::customContextMenuRequested, this, &PlanetList::showMenu);

    fillRaces();
    m_names.rebuild(m_globals);
    showCount();
    // Wide enough to show every column whole; the last one stretches, but not below its
    // header's width or the default width of a column.
    int tableWidth = 2 * m_view->frameWidth() + m_view->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_model.columnCount(); ++column)
        tableWidth +=
            column == m_model.columnCount() - 1
                ? std::max(headerWidth(column), m_view->horizontalHeader()->defaultSectionSize())
                : m_view->columnWidth(column);
    const QMargins margins = layout->contentsMargins();
    resize(std::max(700, tableWidth + margins.left() + margins.right()), 480);
}

int PlanetList::headerWidth(int column) const
{
    // The header above the current cell is drawn in bold, which is wider.
    const QHeaderView *header = m_view->horizontalHeader();
    QFont bold = header->font();
    bold.setBold(true);
    const QString title = m_model.headerData(column, Qt::Horizontal).toString();
    return header->sectionSizeHint(column) + QFontMetrics(bold).horizontalAdvance(title) -
           QFontMetrics(header->font()).horizontalAdvance(title);
}

// "Distance from" takes a planet's name (offered as it is typed), or one of its two entries:
// none, or the explorer's selection; "within" a distance in map units.
void PlanetList::buildPlanning(QHBoxLayout *row)
{
    auto *fromCaption = new QLabel(tr("Distance &from:"), this);
    m_from = new QComboBox(this);
    m_from->setObjectName(QStringLiteral("distanceFrom"));
    m_from->setEditable(true);
    m_from->setInsertPolicy(QComboBox::NoInsert);
    m_from->addItem(tr("None"));
    m_from->addItem(tr("Explorer Selection"));
    m_from->setMinimumContentsLength(18);
    m_from->setCurrentIndex(-1); // empty: the field shows what it takes
    m_from->lineEdit()->setPlaceholderText(tr("a planet's name"));
    fromCaption->setBuddy(m_from);
    m_completions = new QStringListModel(this);
    m_completer = new QCompleter(m_completions, this);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setMaxVisibleItems(PlanetNames::kShown);
    m_from->setCompleter(m_completer);
    auto *withinCaption = new QLabel(tr("&within"), this);
    m_within = new QLineEdit(this);
    m_within->setObjectName(QStringLiteral("within"));
    m_within->setAccessibleName(tr("Within distance"));
    m_within->setPlaceholderText(tr("units"));
    m_within->setMaximumWidth(m_within->fontMetrics().horizontalAdvance(QStringLiteral("00000000000")));
    withinCaption->setBuddy(m_within);
    row->addWidget(fromCaption);
    row->addWidget(m_from);
    row->addWidget(withinCaption);
    row->addWidget(m_within);
    row->addStretch(1);

    connect(m_from->lineEdit(), &QLineEdit::textEdited, this, [this](const QString &text) {
        m_completions->setStringList(m_names.matching(text));
    });
    connect(m_from, &QComboBox::activated, this, [this](int entry) {
        if (entry == 0)
            clearDistances();
        else if (entry == 1)
            followExplorer();
    });
    connect(m_from->lineEdit(), &QLineEdit::returnPressed, this, &PlanetList::originFromText);
    connect(m_completer, qOverload<const QString &>(&QCompleter::activated), this,
            [this](const QString &name) {
                m_from->setEditText(name);
                originFromText();
            });
    connect(m_within, &QLineEdit::textEdited, this, &PlanetList::withinEdited);
}

void PlanetList::originFromText()
{
    const QString text = m_from->currentText();
    if (text.isEmpty() || text == m_from->itemText(0))
        clearDistances();
    else if (text == m_from->itemText(1))
        followExplorer();
    else if (!setDistanceFrom(text))
        m_from->lineEdit()->setStyleSheet(QStringLiteral("color: red"));
}

void PlanetList::withinEdited(const QString &text)
{
    std::optional<double> within;
    bool valid = text.trimmed().isEmpty();
    if (!valid) {
        bool ok = false;
        const double value = text.trimmed().toDouble(&ok);
        valid = ok && value >= 0 && std::isfinite(value);
        if (valid)
            within = value;
    }
    m_within->setStyleSheet(valid ? QString() : QStringLiteral("color: red"));
    if (valid) {
        m_proxy.setWithin(within);
        showCount();
    }
}

// The Distance column shows while there is an origin; the first origin of a list still in
// table order sorts it nearest first.
void PlanetList::showOrigin(std::optional<QPointF> place, const QString &text)
{
    m_from->lineEdit()->setStyleSheet({});
    m_from->setEditText(text);
    m_proxy.setOrigin(place);
    m_view->setColumnHidden(PlanetListModel::Distance, !place);
    if (place && m_view->horizontalHeader()->sortIndicatorSection() < 0)
        m_view->sortByColumn(PlanetListModel::Distance, Qt::AscendingOrder);
    showCount();
}

void PlanetList::setDistanceFrom(int index)
{
    if (index < 0 || index > m_globals.lastPlanet())
        return;
    const Star_Object &planet = m_globals.Star_Table[size_t(index)];
    const std::optional<QPointF> place = planetPlace(planet);
    if (!place)
        return;
    m_originKind = Origin::Planet;
    showOrigin(place, planet.Star_Name);
}

bool PlanetList::setDistanceFrom(const QString &name)
{
    const int index = findStar(m_globals, name);
    if (index < 0 || !planetPlace(m_globals.Star_Table[size_t(index)]))
        return false;
    setDistanceFrom(index);
    return true;
}

void PlanetList::followExplorer()
{
    m_originKind = Origin::Explorer;
    const bool selected = m_explorerSelected >= 0 && m_explorerSelected <= m_globals.lastPlanet();
    showOrigin(selected ? planetPlace(m_globals.Star_Table[size_t(m_explorerSelected)]) : std::nullopt,
               m_from->itemText(1));
}

void PlanetList::clearDistances()
{
    m_originKind = Origin::None;
    showOrigin(std::nullopt, QString());
}

void PlanetList::explorerSelectionChanged(int index)
{
    m_explorerSelected = index;
    if (m_originKind == Origin::Explorer)
        followExplorer();
}

void PlanetList::notesChanged()
{
    m_proxy.notesChanged();
    showCount();
}

QMenu *PlanetList::menuFor(const QList<int> &planets)
{
    delete m_menu;
    QList<int> valid;
    for (int index : planets)
        if (index >= 0 && index <= m_globals.lastPlanet())
            valid << index;
    if (valid.isEmpty())
        return nullptr;
    // The marker they all carry is checked; with different ones, none is.
    std::optional<Marker> current;
    for (int index : valid) {
        const PlanetNote *note = m_globals.notes.find(m_globals.Star_Table[size_t(index)]);
        const Marker marker = note ? note->marker : Marker::None;
        if (index == valid.first())
            current = marker;
        else if (current != marker)
            current.reset();
    }
    PlanetMenuActions actions;
    actions.mark = [this, valid](Marker marker) { emit markRequested(valid, marker); };
    if (valid.size() == 1) {
        const int index = valid.first();
        actions.note = [this, index] { emit noteRequested(index); };
        actions.distancesFrom = [this, index] { setDistanceFrom(index); };
    }
    m_menu = planetMenu(this, current, actions);
    return m_menu;
}

// The menu is for the selected rows when the click is on one of them, else for the row
// clicked, which becomes the selection.
void PlanetList::showMenu(QPoint at)
{
    const QModelIndex clicked = m_view->indexAt(at);
    if (!clicked.isValid())
        return;
    if (!m_view->selectionModel()->isRowSelected(clicked.row(), {}))
        m_view->selectRow(clicked.row());
    QList<int> planets;
    for (const QModelIndex &row : m_view->selectionModel()->selectedRows())
        planets << m_proxy.mapToSource(row).row();
    std::sort(planets.begin(), planets.end());
    if (QMenu *menu = menuFor(planets))
        menu->popup(m_view->viewport()->mapToGlobal(at));
}

void PlanetList::reload(bool keepCurrent)
{
    std::optional<PlanetListModel::Place> current;
    const QModelIndex at = m_proxy.mapToSource(m_view->currentIndex());
    if (keepCurrent && at.isValid())
        current = m_model.placeOf(at.row());
    m_model.reload();
    m_names.rebuild(m_globals);
    fillRaces();
    // Places mean nothing in another universe.
    if (!keepCurrent && m_originKind == Origin::Planet)
        clearDistances();
    if (current) {
        const int row = m_model.rowOf(*current);
        const QModelIndex shown = m_proxy.mapFromSource(m_model.index(row, 0));
        if (shown.isValid()) {
            m_view->setCurrentIndex(shown);
            m_view->scrollTo(shown);
        }
    }
    showCount();
}

void PlanetList::coloursChanged()
{
    m_model.coloursChanged();
}

void PlanetList::fillRaces()
{
    const QString chosen = m_race->currentIndex() >= 2 ? m_race->currentText() : QString();
    const int before = m_race->currentIndex();
    const QSignalBlocker quiet(m_race);
    m_race->clear();
    m_race->addItem(tr("All races"), PlanetListProxy::kAllRaces);
    m_race->addItem(tr("Unowned"), PlanetListModel::kUnowned);
    int keep = before == 1 ? 1 : 0;
    for (int slot = 0; slot <= m_globals.Last_Player_Index; ++slot) {
        const QString &name = m_globals.Player_Table[slot].Player_Name;
        m_race->addItem(name, slot);
        if (!chosen.isNull() && name == chosen)
            keep = m_race->count() - 1;
    }
    m_race->setCurrentIndex(keep);
    m_proxy.setRace(m_race->currentData().toInt());
}

void PlanetList::showCount()
{
    m_count->setText(m_proxy.countText());
    // The count read with the table, where a screen reader's user is.
    m_view->setAccessibleDescription(
        m_proxy.countText() + tr(". Enter or a double click centres the chart on the planet"));
}

void PlanetList::chooseCurrent()
{
    const QModelIndex at = m_proxy.mapToSource(m_view->currentIndex());
    if (at.isValid())
        emit planetChosen(at.row());
}

QString PlanetList::selectionText() const
{
    QList<int> shownRows;
    for (const QModelIndex &index : m_view->selectionModel()->selectedRows())
        shownRows.append(index.row());
    std::sort(shownRows.begin(), shownRows.end());
    QList<int> rows;
    rows.reserve(shownRows.size());
    for (int row : shownRows)
        rows.append(m_proxy.mapToSource(m_proxy.index(row, 0)).row());
    return m_model.copyText(rows);
}

bool PlanetList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy)) {
            QApplication::clipboard()->setText(selectionText());
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            chooseCurrent();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
