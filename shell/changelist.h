// The changes window: what one merged report changed, a row per planet, with the choice of
// report, filters by race and by kind, and a summary line. It shows the model's rows and
// hands a chosen planet to whoever listens, as the planet list does.
#pragma once

#include "changelistmodel.h"
#include "changemark.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QTableView;

class ChangeList : public QWidget {
    Q_OBJECT
public:
    ChangeList(const Globals &globals, const LoadHistory &history, QWidget *parent = nullptr);

    // The history or the planets changed: reports merged, taken back, a new map.
    void reload();
    // Race colours changed: the swatches follow.
    void coloursChanged();

    QTableView *view() const { return m_view; }
    ChangeListProxy &proxy() { return m_proxy; }
    // The selected rows, in the order shown, as tab-separated text with a header line.
    QString selectionText() const;
    // The report shown (0 for the first), -1 for none.
    int step() const { return m_model.step(); }
    // The explorer's marks for the rows the filters keep, in the order recorded.
    std::vector<ChangeMark> shownMarks() const;

signals:
    // Another report, race or kind was chosen: shownMarks() changed.
    void choiceChanged();
    // Double-click or Enter on a row: the planet's index in Star_Table.
    void planetChosen(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillSteps();
    void fillRaces();
    void fillKinds();
    void showTexts();
    void chooseCurrent();

    const Globals &m_globals;
    const LoadHistory &m_history;
    ChangeListModel m_model;
    ChangeListProxy m_proxy;
    QComboBox *m_step;
    QComboBox *m_race;
    QComboBox *m_kind;
    QLabel *m_summary;
    QLabel *m_count;
    QTableView *m_view;
};
