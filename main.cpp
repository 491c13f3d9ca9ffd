#include "commandline.h"
#include "frmsplash.h"
#include "language.h"
#include "mainform.h"
#include "qtcommondialog.h"
#include "rememberedfolders.h"
#include "settings.h"
#include "version.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    // Modes that print or write a result (kavora --planets, --races, --render), help,
    // version and usage mistakes are settled before any window exists, so they need no
    // display.
    QStringList arguments;
    try {
        arguments = decodedArguments(argc, argv);
    } catch (const UsageError &error) {
        std::fprintf(stderr, "kavora: %s\n", error.hint.toUtf8().constData());
        return 2;
    }
    // Qt reads its own options only before a "--"; after it, "-platform" is a file name.
    const QStringList toolkit = toolkitArguments(arguments);
    std::vector<char *> qtArgv(argv, argv + 1 + toolkit.size());
    qtArgv.push_back(nullptr);
    int qtArgc = int(qtArgv.size()) - 1;

    // The application object takes the toolkit's own options; the rest are ours.
    arguments = withoutToolkitOptions(arguments);
    if (isCommandLineMode(arguments)) {
        // Whatever platform the environment asks for, a file is drawn without a display, and
        // the toolkit's options have no say here.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qtArgc = 1;
        // Qt's own notices (a missing runtime folder on a headless machine) are no business
        // of someone reading the tables; real failures still reach standard error.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(text));
        });
        if (!commandLineDraws(arguments)) {
            QCoreApplication app(qtArgc, qtArgv.data());
            installTranslations(app);
            return runCommandLine(arguments, stdout, stderr);
        }
        QGuiApplication app(qtArgc, qtArgv.data()); // the chart's font needs it
        installTranslations(app);
        return runCommandLine(arguments, stdout, stderr);
    }

    if (missingDisplay(toolkit, qEnvironmentVariable("QT_QPA_PLATFORM"),
                       qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"))) {
        std::fputs(kNoDisplayMessage, stderr);
        return 1;
    }
    QApplication app(qtArgc, qtArgv.data());
    // Before the first window, whose texts are read as it is built.
    installTranslations(app);
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
