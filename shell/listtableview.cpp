#include "listtableview.h"

#include <QHeaderView>
#include <QTableView>

QTableView *listTableView(QWidget *parent, const char *objectName, const QString &accessibleName,
                          QAbstractItemModel &model, int sortColumn)
{
    auto *view = new QTableView(parent);
    view->setObjectName(QLatin1String(objectName));
    view->setAccessibleName(accessibleName);
    view->setModel(&model);
    view->setSortingEnabled(true);
    view->sortByColumn(sortColumn, Qt::AscendingOrder);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    // Fixed row heights keep a table of 32,767 rows from measuring each one.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    return view;
}
