#include "planetlist.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
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
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("count"));

    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("planets"));
    m_view->setAccessibleName(tr("Planets"));
    m_view->setModel(&m_proxy);
    m_view->setSortingEnabled(true);
    m_view->sortByColumn(-1, Qt::AscendingOrder); // table order until a header is clicked
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    // Fixed row heights keep a table of 32,767 rows from measuring each one.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setColumnWidth(PlanetListModel::Name, 160);
    m_view->setColumnWidth(PlanetListModel::Owner, 140);
    for (int column : {PlanetListModel::X, PlanetListModel::Y, PlanetListModel::Starbase,
                       PlanetListModel::ReportAge})
        m_view->setColumnWidth(column, std::max(70, headerWidth(column)));
    m_view->installEventFilter(this);

    auto *controls = new QHBoxLayout;
    controls->addWidget(m_filter, 1);
    // A caption a screen reader names the list by, and Alt+R reaches it.
    auto *raceCaption = new QLabel(tr("&Race:"), this);
    raceCaption->setBuddy(m_race);
    controls->addWidget(raceCaption);
    controls->addWidget(m_race);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_count);

    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_proxy.setFilterText(text);
        showCount();
    });
    connect(m_race, &QComboBox::currentIndexChanged, this, [this] {
        m_proxy.setRace(m_race->currentData().toInt());
        showCount();
    });
    connect(m_view, &QTableView::doubleClicked, this, &PlanetList::chooseCurrent);

    fillRaces();
    showCount();
    // Wide enough to show every column whole; the last one stretches, but not below its
    // header's width or the default width of a column.
    int tableWidth = 2 * m_view->frameWidth() + m_view->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_model.columnCount(); ++column)
        tableWidth +=
            column == PlanetListModel::Population
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

void PlanetList::reload(bool keepCurrent)
{
    std::optional<PlanetListModel::Place> current;
    const QModelIndex at = m_proxy.mapToSource(m_view->currentIndex());
    if (keepCurrent && at.isValid())
        current = m_model.placeOf(at.row());
    m_model.reload();
    fillRaces();
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
