// Every question Kavora asks through a dialog: a file to open or save, a colour, a text
// such as a planet's note, and the messages with only an OK button. Widget-free, so any
// window and any test can take one; the Qt dialogs live in QtCommonDialog, a scripted one
// in the tests.
#pragma once

#include "records.h"

#include <QString>

#include <optional>

// The caption of every message box, and the text after "About " in the about box; shown
// through QCoreApplication::translate("CommonDialog", kProgramTitle).
inline constexpr char kProgramTitle[] = QT_TRANSLATE_NOOP("CommonDialog", "Kavora for Quelmar");

class CommonDialog {
public:
    virtual ~CommonDialog() = default;

    // A filter is "Description (*.ext)|*.ext", pairs separated by further bars. Each call
    // returns the confirmed full path, or nullopt when the user cancelled. The title names
    // the dialog: each title is a dialog of its own, which offers the name it returned last.
    // `folder` is where it starts (offering that name when it lies there); empty: where that
    // name lies, or the working folder the first time.
    virtual std::optional<QString> ShowOpen(const QString &title, const QString &filter,
                                            const QString &folder = {}) = 0;
    // Confirms before replacing an existing file; the name offered is selected, so typing
    // replaces it. A name typed without an extension gets the chosen filter's.
    virtual std::optional<QString> ShowSave(const QString &title, const QString &filter,
                                            const QString &folder = {}) = 0;
    // Starts from `start`; nullopt when the user cancelled.
    virtual std::optional<PackedColor> ShowColor(PackedColor start) = 0;
    // A message with only an OK button, captioned with the program's title.
    virtual void message(const QString &text) = 0;
    // Text of any length and any number of lines, starting from `start`; nullopt when the
    // user cancelled.
    virtual std::optional<QString> askText(const QString &title, const QString &label,
                                           const QString &start) = 0;
};
