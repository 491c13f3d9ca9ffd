// The about box: the program's title and version over a picture, "OK", and a button that
// starts the system information program found through the registry.
#pragma once

#include "commondialog.h"
#include "registry.h"
#include "sysinfo.h"

#include <QDialog>

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // `dialog` says when the system information is unavailable; the registry and the
    // programs are this machine's in the program, scripted in the tests.
    frmAbout(CommonDialog &dialog, Registry &registry, Programs &programs,
             QWidget *parent = nullptr);

private:
    void Form_Load();
    void cmdSysInfo_Click();

    CommonDialog &m_dialog;
    Registry &m_registry;
    Programs &m_programs;
    QLabel *m_version; // lblVersion
};
