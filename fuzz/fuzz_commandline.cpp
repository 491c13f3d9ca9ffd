// Any bytes as the program's arguments, one per NUL-separated piece: the parser never
// crashes, and what it returns keeps its promises. A mode that reads files has a map, the
// numbers lie in their ranges, and every usage mistake comes with a one-line hint.
#include "commandline.h"

#include <QFileInfo>

#include <cstdlib>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkHint(const UsageError &error)
{
    check(error.hint.endsWith(QLatin1String(" (kavora --help shows the usage)")));
    check(error.hint.size() > 32);
    for (QChar c : error.hint)
        check(c.unicode() >= 0x20 && (c.unicode() < 0x7F || c.unicode() > 0x9F)); // one line
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<QByteArray> pieces(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            pieces.emplace_back();
        else
            pieces.back() += char(data[i]);
    }
    std::vector<const char *> argv{"kavora"};
    for (const QByteArray &piece : pieces)
        argv.push_back(piece.constData());

    QStringList arguments;
    try {
        arguments = decodedArguments(int(argv.size()), argv.data());
    } catch (const UsageError &error) {
        checkHint(error);
        return 0;
    }
    check(arguments.size() == qsizetype(pieces.size()));

    const QStringList toolkit = toolkitArguments(arguments);
    check(toolkit == arguments.first(toolkit.size()) && !toolkit.contains(QStringLiteral("--")));
    missingDisplay(toolkit, arguments.value(0), {}, {});

    const QStringList ours = withoutToolkitOptions(arguments);
    check(ours.size() <= arguments.size());
    using Mode = CommandLineOptions::Mode;
    try {
        const CommandLineOptions options = parseCommandLine(ours);
        check(isCommandLineMode(ours) == (options.mode != Mode::Gui));
        check(commandLineDraws(ours) == (options.mode == Mode::Render));
        if (options.mode == Mode::Planets || options.mode == Mode::Races ||
            options.mode == Mode::Render)
            check(!options.files.isEmpty());
        if (options.mode == Mode::Render) {
            const QString suffix = QFileInfo(options.output).suffix().toLower();
            check(suffix == u"bmp" || suffix == u"png");
        } else {
            check(options.output.isEmpty());
        }
        check(options.scale >= 1 && options.scale <= 8);
        if (options.size) {
            check(options.size->width() >= 16 && options.size->width() <= 8192);
            check(options.size->height() >= 16 && options.size->height() <= 8192);
            check(options.scale == 1);
        }
        if (options.zoom)
            check(*options.zoom >= 0 && *options.zoom < 1);
        for (double centre : {options.centerX, options.centerY})
            check(centre >= -32768.5 && centre <= 32767.5);
        for (const QString &file : options.files)
            check(file.isEmpty() || QFileInfo(file).isAbsolute()); // "" stays "": a bad name
    } catch (const UsageError &error) {
        checkHint(error);
        check(isCommandLineMode(ours));
    }
    return 0;
}
