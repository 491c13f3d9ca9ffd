// The splash screen shown while Kavora starts: a picture with the version and two lines
// about the program. It closes after a few seconds, on a character key or on a click on
// the picture; clicks on its text lines do nothing.
#pragma once

#include <QDialog>

class QLabel;
class QTimer;

class frmSplash : public QDialog {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 3000;

    explicit frmSplash(QWidget *parent = nullptr, int showMilliseconds = kShowMilliseconds);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();

    QLabel *m_picture; // Image1
    QLabel *m_version; // lblVersion
    QTimer *m_timer;   // Timer1
};

// "Version 0.5.1": the version line of the splash screen and the about box.
QString versionLine();

// Shows the splash screen modally; returns once it has closed.
void showSplash();
