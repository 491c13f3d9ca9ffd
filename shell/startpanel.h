// What the empty workspace shows before the first map: how to open one (with its key), the
// recent maps as the File menu lists them, the sample universe, and that files can be
// dropped. It only asks; the main window opens the files and hides the panel once a map is
// open.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QVBoxLayout;
class RecentMenu;

class StartPanel : public QWidget {
    Q_OBJECT
public:
    // Centred on `parent` (the workspace) and kept there as it is resized.
    StartPanel(const RecentMenu &recent, QWidget *parent);

    // The recent maps changed: their buttons are made again.
    void recentChanged();
    QPushButton *openButton() const { return m_open; }
    QPushButton *sampleButton() const { return m_sample; }
    const QList<QPushButton *> &recentButtons() const { return m_recentButtons; }

signals:
    void openMapClicked();
    void sampleClicked();
    void recentClicked(qsizetype index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();

    const RecentMenu &m_recent;
    QPushButton *m_open;
    QPushButton *m_sample;
    QLabel *m_recentCaption;
    QVBoxLayout *m_recentLayout;
    QList<QPushButton *> m_recentButtons;
};
