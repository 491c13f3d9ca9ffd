#include "frmsplash.h"
#include "mainform.h"
#include "qtcommondialog.h"
#include "version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Command-line modes that print or write a result (kavora --planets, --races, --render)
    // are dispatched here, before QApplication exists, so that they need no display and no
    // window is ever created for them.

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kavora"));
    QApplication::setApplicationVersion(QString::fromLatin1(kavora::kVersionText));

    Globals globals;
    QtCommonDialog dialog;
    mainform window(globals, dialog, showSplash);
    window.show();

    // Files given on the command line (a map, then reports) are opened here, once the main
    // window shows, through the same code as the two menu commands.

    return app.exec();
}
