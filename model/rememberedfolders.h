// A common dialog that remembers, between runs, the folder each open and save dialog last
// used, and hands every question on to the dialog it wraps. Each title is a dialog of its
// own, so the map, report and bitmap dialogs keep a folder each.
#pragma once

#include "commondialog.h"
#include "settings.h"

class RememberedFolders : public CommonDialog {
public:
    RememberedFolders(CommonDialog &dialog, Settings &settings);

    std::optional<QString> ShowOpen(const QString &title, const QString &filter,
                                    const QString &folder = {}) override;
    std::optional<QString> ShowSave(const QString &title, const QString &filter,
                                    const QString &folder = {}) override;
    std::optional<PackedColor> ShowColor(PackedColor start) override;
    void message(const QString &text) override;
    std::optional<QString> askText(const QString &title, const QString &label,
                                   const QString &start) override;

    // The folder remembered for the dialog titled `title`, empty when none is.
    QString folder(const QString &title) const;

private:
    // Keeps the folder of a confirmed path; returns the path as it came.
    std::optional<QString> remember(const QString &title, const std::optional<QString> &path);

    CommonDialog &m_dialog;
    Settings &m_settings;
};
