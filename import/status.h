// How the readers tell the user what they are doing: the main window shows each text in
// its caption, the command line ignores them. The text is only valid during the call.
#pragma once

#include <QString>
#include <functional>

using StatusFn = std::function<void(const QString &)>;

// How a reader that handles its own failures reports one: the main window shows the text
// in a message box with the program's title.
using MessageFn = std::function<void(const QString &)>;
