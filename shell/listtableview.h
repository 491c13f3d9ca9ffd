// The table at the heart of each list window: whole rows selected, nothing edited, rows
// of one fixed height and no row numbers, sorted by a click on a header.
#pragma once

#include <QString>

class QAbstractItemModel;
class QTableView;
class QWidget;

// A table over `model`, named for tests and for screen readers. `sortColumn` -1 keeps the
// model's own order until a header is clicked.
QTableView *listTableView(QWidget *parent, const char *objectName, const QString &accessibleName,
                          QAbstractItemModel &model, int sortColumn = -1);
