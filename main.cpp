#include "commandline.h"
#include "frmsplash.h"
#include "mainform.h"
#include "qtcommondialog.h"
#include "rememberedfolders.h"
#include "settings.h"
#include "version.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Modes that print or write a result (kavora --planets, --races, --render), help,
    // version and usage mistakes are settled before any window exists, so they need no
    // display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The application object below takes the toolkit's own options; the rest are ours.
    arguments = withoutToolkitOptions(arguments);
    if (isCommandLineMode(arguments)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Qt's own notices (a missing runtime folder on a headless machine) are no business
        // of someone reading the tables; real failures still reach standard error.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(text));
        });
        QGuiApplication app(argc, argv); // the chart's font needs it
        return runCommandLine(arguments, stdout, stderr);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kavora"));
    QApplication::setApplicationVersion(QString::fromLatin1(kavora::kVersionText));
    // The installed desktop entry, so the desktop shows Kavora's icon and name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kavora::kAppId));

    Globals globals;
    Settings settings;
    QtCommonDialog qtDialog;
    RememberedFolders dialog(qtDialog, settings);
    mainform window(globals, dialog, showSplash);
    window.useSettings(settings);
    const CommandLineOptions options = parseCommandLine(arguments);
    // --palette holds for this run only; the menu's choice is the one remembered.
    if (options.palette)
        window.setColourScheme(*options.palette, false);
    window.show();

    // Files given on the command line (a map, then reports) are opened here, once the main
    // window shows, through the same code as the two menu commands.
    const QStringList files = options.files;
    if (!files.isEmpty())
        QTimer::singleShot(0, &window, [&window, files] { window.openFiles(files); });

    return app.exec();
}
