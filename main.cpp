#include "frmsplash.h"
#include "mainform.h"
#include "qtcommondialog.h"
#include "version.h"

#include <QApplication>
#include <QTimer>

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
    const QStringList files = QApplication::arguments().mid(1);
    if (!files.isEmpty())
        QTimer::singleShot(0, &window, [&window, files] { window.openFiles(files); });

    return app.exec();
}
