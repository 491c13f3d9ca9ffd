// The common dialog on Qt's own file, colour and message dialogs. Each dialog opens over
// whatever window is active, so the main window and the race colours dialog share one.
#pragma once

#include "commondialog.h"

#include <QHash>

class QtCommonDialog : public CommonDialog {
public:
    std::optional<QString> ShowOpen(const QString &title, const QString &filter,
                                    const QString &folder = {}) override;
    std::optional<QString> ShowSave(const QString &title, const QString &filter,
                                    const QString &folder = {}) override;
    std::optional<PackedColor> ShowColor(PackedColor start) override;
    void message(const QString &text) override;
    std::optional<QString> askText(const QString &title, const QString &label,
                                   const QString &start) override;

private:
    // Where the dialog titled `title` starts: in `folder`, offering the name it returned
    // last when that lies there; without a folder, at that name.
    QString startFor(const QString &title, const QString &folder) const;

    // Each title stands for one dialog of its own that remembers the name it returned.
    QHash<QString, QString> m_lastChosen;
};

// "Quelmar Map File (*.map)|*.map" -> "Quelmar Map File (*.map)", the form Qt's file
// dialogs read: Qt takes the patterns from the parentheses at the end of each entry.
QString toQtFilter(const QString &filter);
