#include "changelist.h"

#include "listtableview.h"
#include "stepmarks.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Captured and lost only mean something with a race chosen.
constexpr KindFilter kKinds[] = {
    KindFilter::Any,          KindFilter::Captured,       KindFilter::Lost,
    KindFilter::NewOwner,     KindFilter::StarbaseBuilt,  KindFilter::StarbaseLost,
    KindFilter::PopulationUp, KindFilter::PopulationDown, KindFilter::FirstSeen};

} // namespace

ChangeList::ChangeList(const Globals &globals, const LoadHistory &history, QWidget *parent)
    : QWidget(parent), m_globals(globals), m_history(history), m_model(globals, history),
      m_proxy(m_model)
{
    setObjectName(QStringLiteral("changeList"));
    setWindowTitle(tr("Changes"));

    m_step = new QComboBox(this);
    m_step->setObjectName(QStringLiteral("step"));
    m_step->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_race = new QComboBox(this);
    m_race->setObjectName(QStringLiteral("race"));
    m_race->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("kind"));
    m_kind->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("count"));
    m_step->setAccessibleDescription(tr("The report whose changes are listed"));
    m_race->setAccessibleDescription(tr("Show the changes that involve one race"));
    m_kind->setAccessibleDescription(tr("Show one kind of change"));

    // As recorded until a header is clicked.
    m_view = listTableView(this, "changes", tr("Changes"), m_proxy);
    m_view->horizontalHeader()->setStretchLastSection(true);
    // Wide enough for the longest kinds ("starbase built, population up") and every header.
    const struct {
        int column, width;
    } widths[] = {{ChangeListModel::Planet, 120},
                  {ChangeListModel::X, 45},
                  {ChangeListModel::Y, 45},
                  {ChangeListModel::Kind, 190},
                  {ChangeListModel::RaceBefore, 100},
                  {ChangeListModel::RaceAfter, 100},
                  {ChangeListModel::PopulationBefore, 80},
                  {ChangeListModel::PopulationAfter, 80}};
    for (const auto &w : widths) {
        const QString header = m_model.headerData(w.column, Qt::Horizontal).toString();
        m_view->setColumnWidth(
            w.column, std::max(w.width, m_view->fontMetrics().horizontalAdvance(header) + 16));
    }
    m_view->installEventFilter(this);

    auto *controls = new QHBoxLayout;
    // Captions a screen reader names the lists by; their Alt keys reach them.
    const struct {
        const QString text;
        QComboBox *box;
    } captions[] = {{tr("Re&port:"), m_step}, {tr("&Race:"), m_race}, {tr("&Kind:"), m_kind}};
    for (const auto &c : captions) {
        auto *caption = new QLabel(c.text, this);
        caption->setBuddy(c.box);
        controls->addWidget(caption);
        controls->addWidget(c.box, c.box == m_step ? 1 : 0);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(m_summary);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_count);

    connect(m_step, &QComboBox::currentIndexChanged, this, [this](int step) {
        m_model.setStep(step);
        showTexts();
        emit choiceChanged();
    });
    connect(m_race, &QComboBox::currentIndexChanged, this, [this] {
        m_proxy.setRace(m_race->currentData().toString());
        fillKinds();
        showTexts();
        emit choiceChanged();
    });
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this] {
        m_proxy.setKind(KindFilter(m_kind->currentData().toInt()));
        showTexts();
        emit choiceChanged();
    });
    connect(m_view, &QTableView::doubleClicked, this, &ChangeList::chooseCurrent);

    fillSteps();
    fillRaces();
    fillKinds();
    showTexts();
    resize(1000, 480);
}

void ChangeList::reload()
{
    m_model.reload();
    fillSteps();
    fillRaces();
    showTexts();
}

void ChangeList::coloursChanged()
{
    m_model.coloursChanged();
}

void ChangeList::fillSteps()
{
    const QSignalBlocker quiet(m_step);
    m_step->clear();
    for (int step = 0; step < m_history.reports.size(); ++step)
        m_step->addItem(stepTitle(m_history, step));
    m_step->setCurrentIndex(m_model.step());
}

// The races of the universe in slot order; a race chosen before stays chosen while it is
// still known.
void ChangeList::fillRaces()
{
    const QString chosen = m_race->currentData().toString();
    const QSignalBlocker quiet(m_race);
    m_race->clear();
    m_race->addItem(tr("All races"), QString());
    int keep = 0;
    for (int slot = 0; slot <= m_globals.Last_Player_Index; ++slot) {
        const QString &name = m_globals.Player_Table[slot].Player_Name;
        m_race->addItem(name, name);
        if (!chosen.isEmpty() && name == chosen)
            keep = m_race->count() - 1;
    }
    m_race->setCurrentIndex(keep);
    m_proxy.setRace(m_race->currentData().toString());
    fillKinds();
}

void ChangeList::fillKinds()
{
    const bool race = !m_race->currentData().toString().isEmpty();
    const auto chosen = KindFilter(m_kind->currentData().toInt());
    const QSignalBlocker quiet(m_kind);
    m_kind->clear();
    for (KindFilter kind : kKinds) {
        if (!race && (kind == KindFilter::Captured || kind == KindFilter::Lost))
            continue;
        m_kind->addItem(kindFilterText(kind), int(kind));
    }
    // Without a race a capture or a loss is a change of hands.
    const bool sided = chosen == KindFilter::Captured || chosen == KindFilter::Lost;
    const int keep = m_kind->findData(int(!race && sided ? KindFilter::NewOwner : chosen));
    m_kind->setCurrentIndex(std::max(keep, 0));
    m_proxy.setKind(KindFilter(m_kind->currentData().toInt()));
}

void ChangeList::showTexts()
{
    m_summary->setText(m_history.reports.isEmpty()
                           ? tr("No report has been merged.")
                           : changeSummary(m_history, m_model.step(), m_model.race()));
    m_count->setText(m_proxy.countText());
    // The summary and the count read with the table, where a screen reader's user is.
    m_view->setAccessibleDescription(m_summary->text() + QStringLiteral(". ") +
                                     m_proxy.countText());
}

void ChangeList::chooseCurrent()
{
    const QModelIndex at = m_proxy.mapToSource(m_view->currentIndex());
    if (at.isValid())
        emit planetChosen(m_model.row(at.row()).position);
}

QString ChangeList::selectionText() const
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

std::vector<ChangeMark> ChangeList::shownMarks() const
{
    std::vector<int> kept;
    kept.reserve(size_t(m_proxy.rowCount()));
    for (int row = 0; row < m_proxy.rowCount(); ++row)
        kept.push_back(m_proxy.mapToSource(m_proxy.index(row, 0)).row());
    // Sorting the list must not change which mark lies on top.
    std::sort(kept.begin(), kept.end());
    std::vector<ListedChange> rows;
    rows.reserve(kept.size());
    for (int row : kept)
        rows.push_back(m_model.row(row));
    return stepMarks(m_globals, rows, m_model.race(), m_proxy.kind());
}

bool ChangeList::eventFilter(QObject *watched, QEvent *event)
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
