#include "commandline.h"

#include "conversions.h"
#include "distances.h"
#include "explorerrenderer.h"
#include "filenames.h"
#include "imagesurface.h"
#include "keptcolours.h"
#include "loaduniverse.h"
#include "palette.h"
#include "layoutpicture.h"
#include "notesfile.h"
#include "picturefile.h"
#include "picturelayout.h"
#include "planetgeometry.h"
#include "racecolours.h"
#include "renderer.h"
#include "runerror.h"
#include "search.h"
#include "settings.h"
#include "stepmarks.h"
#include "version.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

using Mode = CommandLineOptions::Mode;

constexpr int kMinRenderSide = 16;
constexpr int kMaxRenderSide = 8192;
// The most pixels a side of a drawn picture may have once --scale has enlarged it.
constexpr int kMaxDrawnSide = 16384;

const char kUsage[] = QT_TRANSLATE_NOOP(
    "CommandLine",
    "Usage: kavora [MAP [REPORT ...]]                    open the windows\n"
    "       kavora --planets [--format tsv|csv|json] [--near NAME [--within R]]\n"
    "              [--notes FILE] [--kept-colours] MAP [REPORT ...]\n"
    "                                                    print the planet table; --near: the\n"
    "                                                    planets nearest NAME first, with their\n"
    "                                                    distance, only those within R units\n"
    "       kavora --races [--format tsv|csv|json] [--kept-colours] MAP [REPORT ...]\n"
    "                                                    print the race table\n"
    "       kavora --changes [--format tsv|csv|json] MAP [REPORT ...]\n"
    "                                                    print what each report changed\n"
    "       kavora --render OUT [--zoom F] [--center X,Y] [--labels all,populated,starbases]\n"
    "              [--race-color NAME=#RRGGBB ...] [--scale N] [--legend]\n"
    "              [--size WxH [--changes]] [--select NAME [--rings D,D...]]\n"
    "              [--notes FILE] [--title TEXT] [--kept-colours] MAP [REPORT ...]\n"
    "                                                    draw the chart into OUT (.bmp, .png,\n"
    "                                                    or as vectors .svg, .pdf);\n"
    "                                                    --size: the explorer's view, one scale\n"
    "                                                    on both axes, labels that never collide;\n"
    "                                                    --changes: the last report's changes\n"
    "                                                    marked on it; --select: that planet\n"
    "                                                    selected, ringed and centred, with\n"
    "                                                    --rings around it\n"
    "       --palette classic|distinct                   the races' colour scheme, in any mode\n"
    "       kavora --help | --version\n"
    "The races get their default colours; --kept-colours gives them those kept in the\n"
    "windows (Keep These Colours) instead. The markers and notes come from MAP's notes\n"
    "file (universe.notes.json beside universe.map), or from --notes FILE.\n");

QString hint()
{
    return QCoreApplication::translate("CommandLine", " (kavora --help shows the usage)");
}

// The hint is one line on a terminal whatever the arguments held: a line end or an escape
// sequence in a value is shown as \x0A or \x1B.
QString oneLine(const QString &text)
{
    return escapedBytes(text.toUtf8());
}

[[noreturn]] void usage(const QString &what)
{
    throw UsageError{oneLine(what) + hint()};
}

double numberOption(const QString &option, const QString &text)
{
    try {
        return conv::strictNumber(text);
    } catch (const RunError &) {
        usage(QCoreApplication::translate("CommandLine", "%1 takes a number, not \"%2\"")
                  .arg(option, text));
    }
}

void write(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

void write(FILE *stream, const QString &text)
{
    write(stream, text.toUtf8());
}

// The exit status once everything is written to `out`: a full disk or a closed pipe shows
// only in the stream's state, checked once at the end rather than after each write.
int written(FILE *out, FILE *err)
{
    if (std::fflush(out) == 0 && !std::ferror(out))
        return 0;
    RunError error(RunError::DeviceIOError,
                   QCoreApplication::translate("CommandLine", "the output could not be written"));
    error.at(out == stdout ? QCoreApplication::translate("CommandLine", "standard output")
                           : QCoreApplication::translate("CommandLine", "the output"),
             0);
    write(err, error.message() + u'\n');
    return 1;
}

// Draws the chart as the chart window would and writes it; a failure leaves OUT as it was.
int renderToFile(Globals &globals, const LoadHistory &history, const CommandLineOptions &options,
                 FILE *err)
{
    for (const auto &[name, color] : options.raceColors) {
        const int slot = findRace(globals, name);
        if (slot < 0) {
            write(err, QCoreApplication::translate("CommandLine",
                                                   "kavora: no race named \"%1\" in the reports")
                               .arg(oneLine(name)) +
                           hint() + u'\n');
            return 2;
        }
        setRaceColor(globals, slot, color);
    }
    LabelOptions labels;
    labels.all = options.labelAll;
    labels.populated = options.labelPopulated;
    labels.starbases = options.labelStarbases;

    int selected = -1;
    if (options.select) {
        selected = findStar(globals, *options.select);
        if (selected < 0) {
            write(err, QCoreApplication::translate("CommandLine",
                                                   "kavora: no planet named \"%1\" for --select")
                               .arg(oneLine(*options.select)) +
                           hint() + u'\n');
            return 2;
        }
    }

    // The panes are drawn when the file is written, so a failure of the drawing and one of
    // the writing both leave OUT as it was.
    const QSize pictureSize = options.size.value_or(ImageSurface::kPictureSize);
    std::optional<ChartView> view; // as drawn
    PictureLayout layout;
    if (options.size) {
        ExplorerScene scene;
        scene.view = explorerViewFor(*options.size, mapExtent(globals.Map_Max_X, globals.Map_Max_Y),
                                     options.zoom.value_or(0), options.centerX, options.centerY);
        // As a click would: selected, ringed in the picture itself, and centred unless a
        // centre was asked for.
        if (selected >= 0) {
            scene.selected = selected;
            scene.ringSelected = true;
            scene.rings = options.rings;
            if (!options.centerGiven)
                scene.view = scene.view.centredOn(planetPosition(globals.Star_Table[size_t(selected)]));
        }
        scene.labels = labels;
        scene.legend = options.legend; // in the upper right corner, not beside
        scene.scale = options.scale;
        if (options.changes) {
            const int last = int(history.reports.size()) - 1;
            scene.changes = stepMarks(globals, listedChanges(history, last));
            scene.changesTitle = stepTitle(history, last);
        }
        layout = PictureLayout::single(*options.size, [&globals, &view, scene](Surface &surface) {
            view = ExplorerRenderer().draw(globals, surface, scene).chartView;
        });
    } else {
        layout = PictureLayout::single(pictureSize, [&](Surface &surface) {
            view = display_map(globals, surface, labels, options.zoom, options.centerX,
                               options.centerY);
        });
        if (options.legend)
            addLegendStrip(layout, globals, options.scale);
    }
    if (!options.title.isEmpty())
        addTitleStrip(layout, options.title, options.scale);

    try {
        if (const char *vector = vectorFormatFor(options.output)) {
            SaveVectorPicture(layout, options.output, vector, options.scale);
        } else {
            const QByteArray format = QFileInfo(options.output).suffix().toLower().toLatin1();
            SavePicture(layoutImage(layout, options.scale), options.output, format.constData());
        }
    } catch (const RunError &error) {
        write(err, error.message() + u'\n');
        return 1;
    }
    // Drawn all the same, but a black picture is more often a mistyped --center than a wish.
    const QRect picture(QPoint(0, 0), pictureSize);
    const bool anyShown = std::any_of(
        globals.Star_Table.begin(), globals.Star_Table.end(), [&](const Star_Object &planet) {
            return view && picture.contains(dotPixel(*view, pictureSize, planetPosition(planet)));
        });
    if (!anyShown)
        write(err, QCoreApplication::translate(
                       "CommandLine", "kavora: no planet lies in the view drawn (see --zoom and "
                                      "--center)\n"));
    return 0;
}

// The notes beside the map, or the file --notes names. A damaged file beside the map is
// reported and read as far as it goes; the file asked for must be read in full.
int readNotes(Globals &globals, const CommandLineOptions &options, FILE *err)
{
    const bool asked = !options.notes.isEmpty();
    const QString path = asked ? options.notes : notesPathFor(options.files.first());
    if (asked && !QFileInfo(path).isFile()) {
        RunError error(RunError::FileNotFound,
                       QCoreApplication::translate("CommandLine", "no notes file"));
        error.at(path, 0);
        write(err, error.message() + u'\n');
        return 1;
    }
    NotesRead read = readNotesFile(path);
    if (read.problem) {
        write(err, (asked ? QString()
                          : QCoreApplication::translate("CommandLine", "kavora: warning: ")) +
                       read.problem->message() + u'\n');
        if (asked)
            return 1;
    }
    globals.notes = std::move(read.notes);
    return 0;
}

// One row per option. An option that selects a mode has `selects` set; every other one
// names the modes it goes with. An option that selects a mode may also go with another
// mode; given with it, it selects nothing and sets `flag` ("--render x.png --changes"). To
// add an option, add a row (and its field in CommandLineOptions); the parser below needs no
// change.
struct OptionRule {
    QLatin1StringView name;
    Mode selects;      // Mode::Gui: the option selects no mode
    unsigned goesWith; // modeBit()s of the modes the option goes with
    bool takesValue;
    void (*apply)(CommandLineOptions &options, const QString &option, const QString &value);
    bool CommandLineOptions::*flag = nullptr; // for a mode option that goes with another
};

constexpr unsigned modeBit(Mode mode) { return 1u << unsigned(mode); }

void setOutput(CommandLineOptions &options, const QString &, const QString &value)
{
    const QString suffix = QFileInfo(value).suffix().toLower();
    if (suffix != u"bmp" && suffix != u"png" && suffix != u"svg" && suffix != u"pdf")
        usage(QCoreApplication::translate(
                  "CommandLine", "the chart is written as .bmp, .png, .svg or .pdf, not \"%1\"")
                  .arg(value));
    options.output = value;
}

void setZoom(CommandLineOptions &options, const QString &option, const QString &value)
{
    const double zoom = numberOption(option, value);
    if (zoom < 0 || zoom >= 1)
        usage(
            QCoreApplication::translate("CommandLine", "--zoom takes a factor from 0 to below 1"));
    options.zoom = zoom;
}

void setCenter(CommandLineOptions &options, const QString &option, const QString &value)
{
    const QStringList parts = value.split(u',');
    if (parts.size() != 2)
        usage(QCoreApplication::translate("CommandLine", "--center takes X,Y, not \"%1\"")
                  .arg(value));
    options.centerX = numberOption(option, parts[0]);
    options.centerY = numberOption(option, parts[1]);
    options.centerGiven = true;
    for (const auto &[axis, value] : {std::pair{'X', options.centerX}, {'Y', options.centerY}}) {
        try {
            conv::toInt16(value);
        } catch (const RunError &) {
            usage(QCoreApplication::translate("CommandLine",
                                              "--center: %1 must lie within -32768 to 32767")
                      .arg(QChar(axis)));
        }
    }
}

void setLabels(CommandLineOptions &options, const QString &, const QString &value)
{
    for (const QString &kind : value.split(u',', Qt::SkipEmptyParts)) {
        if (kind == u"all")
            options.labelAll = true;
        else if (kind == u"populated")
            options.labelPopulated = true;
        else if (kind == u"starbases")
            options.labelStarbases = true;
        else
            usage(QCoreApplication::translate(
                      "CommandLine", "--labels knows all, populated and starbases, not \"%1\"")
                      .arg(kind));
    }
}

void addRaceColor(CommandLineOptions &options, const QString &, const QString &value)
{
    const qsizetype equals = value.lastIndexOf(u'=');
    const auto color = equals > 0 ? parseColorText(value.mid(equals + 1)) : std::nullopt;
    if (!color)
        usage(QCoreApplication::translate("CommandLine",
                                          "--race-color takes NAME=#RRGGBB, not \"%1\"")
                  .arg(value));
    options.raceColors.append({value.left(equals), *color});
}

// "1920x1080": each side 16 to 8192 pixels.
void setSize(CommandLineOptions &options, const QString &, const QString &value)
{
    const QStringList parts = value.toLower().split(u'x');
    bool wide = false;
    bool high = false;
    const int width = parts.size() == 2 ? parts[0].toInt(&wide) : 0;
    const int height = parts.size() == 2 ? parts[1].toInt(&high) : 0;
    auto fits = [](int side) { return side >= kMinRenderSide && side <= kMaxRenderSide; };
    if (!wide || !high || !fits(width) || !fits(height))
        usage(QCoreApplication::translate("CommandLine",
                                          "--size takes WxH, each from %1 to %2, not \"%3\"")
                  .arg(kMinRenderSide)
                  .arg(kMaxRenderSide)
                  .arg(value));
    options.size = QSize(width, height);
}

void setScale(CommandLineOptions &options, const QString &option, const QString &value)
{
    const double scale = numberOption(option, value);
    if (scale != std::floor(scale) || scale < 1 || scale > ImageSurface::kMaxScale)
        usage(QCoreApplication::translate("CommandLine",
                                          "--scale takes a whole number from 1 to %1, not \"%2\"")
                  .arg(ImageSurface::kMaxScale)
                  .arg(value));
    options.scale = int(scale);
}

void setLegend(CommandLineOptions &options, const QString &, const QString &)
{
    options.legend = true;
}

void setTitle(CommandLineOptions &options, const QString &, const QString &value)
{
    // One line: a line end would leave the strip's one text line half empty.
    options.title = value.simplified();
}

void setFormat(CommandLineOptions &options, const QString &, const QString &value)
{
    const std::optional<TableFormat> format = tableFormatNamed(value);
    if (!format)
        usage(QCoreApplication::translate("CommandLine",
                                          "--format takes tsv, csv or json, not \"%1\"")
                  .arg(value));
    options.format = *format;
}

void setPalette(CommandLineOptions &options, const QString &, const QString &value)
{
    options.palette = colourSchemeForKey(value);
    if (!options.palette)
        usage(QCoreApplication::translate("CommandLine",
                                          "--palette takes classic or distinct, not \"%1\"")
                  .arg(value));
}

void setNear(CommandLineOptions &options, const QString &, const QString &value)
{
    options.near = value;
}

void setWithin(CommandLineOptions &options, const QString &option, const QString &value)
{
    const double within = numberOption(option, value);
    if (!(within >= 0) || !std::isfinite(within))
        usage(QCoreApplication::translate("CommandLine",
                                          "--within takes a distance of 0 or more, not \"%1\"")
                  .arg(value));
    options.within = within;
}

void setNotes(CommandLineOptions &options, const QString &, const QString &value)
{
    options.notes = value;
}

void setSelect(CommandLineOptions &options, const QString &, const QString &value)
{
    options.select = value;
}

void setRings(CommandLineOptions &options, const QString &, const QString &value)
{
    const std::optional<std::vector<double>> rings = parseRings(value);
    if (!rings)
        usage(QCoreApplication::translate(
                  "CommandLine", "--rings takes up to %1 distances above 0 and up to %2, such as "
                                 "81,162, not \"%3\"")
                  .arg(kMostRings)
                  .arg(conv::plainNumber(kLongestRange))
                  .arg(value));
    options.rings = *rings;
}

void setKeptColours(CommandLineOptions &options, const QString &, const QString &)
{
    options.keptColours = true;
}

void nothing(CommandLineOptions &, const QString &, const QString &) {}

constexpr unsigned kRender = modeBit(Mode::Render);
constexpr unsigned kTables =
    modeBit(Mode::Planets) | modeBit(Mode::Races) | modeBit(Mode::Changes);
constexpr unsigned kAllModes = kRender | kTables;
constexpr unsigned kEveryMode = modeBit(Mode::Gui) | kAllModes;
constexpr unsigned kPlanets = modeBit(Mode::Planets);

const OptionRule kOptions[] = {
    {QLatin1StringView("--planets"), Mode::Planets, 0, false, nothing},
    {QLatin1StringView("--races"), Mode::Races, 0, false, nothing},
    {QLatin1StringView("--changes"), Mode::Changes, kRender, false, nothing,
     &CommandLineOptions::changes},
    {QLatin1StringView("--render"), Mode::Render, 0, true, setOutput},
    {QLatin1StringView("--zoom"), Mode::Gui, kRender, true, setZoom},
    {QLatin1StringView("--center"), Mode::Gui, kRender, true, setCenter},
    {QLatin1StringView("--labels"), Mode::Gui, kRender, true, setLabels},
    {QLatin1StringView("--race-color"), Mode::Gui, kRender, true, addRaceColor},
    {QLatin1StringView("--size"), Mode::Gui, kRender, true, setSize},
    {QLatin1StringView("--scale"), Mode::Gui, kRender, true, setScale},
    {QLatin1StringView("--legend"), Mode::Gui, kRender, false, setLegend},
    {QLatin1StringView("--title"), Mode::Gui, kRender, true, setTitle},
    {QLatin1StringView("--format"), Mode::Gui, kTables, true, setFormat},
    {QLatin1StringView("--palette"), Mode::Gui, kEveryMode, true, setPalette},
    {QLatin1StringView("--near"), Mode::Gui, kPlanets, true, setNear},
    {QLatin1StringView("--within"), Mode::Gui, kPlanets, true, setWithin},
    {QLatin1StringView("--notes"), Mode::Gui, kPlanets | kRender, true, setNotes},
    {QLatin1StringView("--select"), Mode::Gui, kRender, true, setSelect},
    {QLatin1StringView("--rings"), Mode::Gui, kRender, true, setRings},
    {QLatin1StringView("--kept-colours"), Mode::Gui, kAllModes, false, setKeptColours},
};

const OptionRule *findOption(const QString &name)
{
    for (const OptionRule &rule : kOptions)
        if (rule.name == name)
            return &rule;
    return nullptr;
}

// "--zoom and --center can only go with --render", from the table.
QString goesWithHint(const QStringList &options, unsigned modes)
{
    QStringList modeNames;
    for (const OptionRule &rule : kOptions)
        if (rule.selects != Mode::Gui && (modes & modeBit(rule.selects)))
            modeNames << rule.name;
    auto listed = [](const QStringList &items, const QString &last) {
        QString text = items.join(QLatin1String(", "));
        if (items.size() > 1)
            text.replace(text.lastIndexOf(QLatin1String(", ")), 2, last);
        return text;
    };
    return QCoreApplication::translate("CommandLine", "%1 can only go with %2")
        .arg(listed(options, QCoreApplication::translate("CommandLine", " and ")),
             listed(modeNames, QCoreApplication::translate("CommandLine", " or ")));
}

} // namespace

const char kNoDisplayMessage[] =
    "kavora: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset); use "
    "--render FILE to draw the chart into a file\n";

QStringList decodedArguments(int argc, const char *const *argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        if (!decodesFaithfully(raw))
            usage(QStringLiteral("the argument %1 is not UTF-8, so no file can be opened or "
                                 "written under that name")
                      .arg(escapedBytes(raw)));
        arguments << QFile::decodeName(raw);
    }
    return arguments;
}

QStringList toolkitArguments(const QStringList &arguments)
{
    const qsizetype end = arguments.indexOf(QStringLiteral("--"));
    return end < 0 ? arguments : arguments.first(end);
}

bool missingDisplay(const QStringList &toolkitArguments, const QString &platformVariable,
                    const QString &display, const QString &waylandDisplay)
{
    if (!display.isEmpty() || !waylandDisplay.isEmpty())
        return false;
    // The last "-platform NAME" or "-platform=NAME" wins, as in Qt.
    QString platforms = platformVariable;
    for (qsizetype i = 0; i < toolkitArguments.size(); ++i) {
        QStringView arg(toolkitArguments[i]);
        arg = arg.startsWith(u"--")  ? arg.mid(2)
              : arg.startsWith(u'-') ? arg.mid(1)
                                     : QStringView();
        if (arg == u"platform" && i + 1 < toolkitArguments.size())
            platforms = toolkitArguments[++i];
        else if (arg.startsWith(u"platform="))
            platforms = arg.mid(9).toString();
    }
    // "wayland;xcb" tries each in turn; "xcb:option" carries options after the name.
    for (const QString &entry : platforms.split(u';')) {
        const QString name = entry.section(u':', 0, 0).trimmed();
        if (!name.isEmpty() && name != u"xcb" && !name.startsWith(u"wayland"))
            return false;
    }
    return true;
}

QStringList withoutToolkitOptions(const QStringList &arguments)
{
    // Qt reads these wherever they stand, with one dash or two, the value either next or
    // after "=". Some are the X11 platform's own; elsewhere they are simply dropped.
    static const QStringList withValue{
        "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
        "qwindowtitle", "qwindowicon", "geometry", "title", "icon", "display", "name",
        "session", "style", "stylesheet", "qmljsdebugger"};
    static const QStringList plain{"reverse", "widgetcount", "nograb", "dograb", "sync",
                                   "testability"};
    // "--title" names a window's caption to the toolkit, but the caption strip of a picture
    // once --render asks for one: no window opens then.
    const qsizetype end = arguments.indexOf(QStringLiteral("--"));
    const bool rendering = arguments.mid(0, end < 0 ? arguments.size() : end)
                               .contains(QStringLiteral("--render"));
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == u"--") {
            kept.append(arguments.mid(i));
            break;
        }
        QStringView name(arg);
        if (name.startsWith(u"--"))
            name = name.mid(2);
        else if (name.startsWith(u'-'))
            name = name.mid(1);
        else
            name = {};
        const qsizetype equals = name.indexOf(u'=');
        const QStringView bare = equals < 0 ? name : name.first(equals);
        if (rendering && arg == u"--title") {
            kept.append(arg);
            continue;
        }
        if (!name.isEmpty() && withValue.contains(bare)) {
            if (equals < 0)
                ++i; // the value that follows, when there is one
            continue;
        }
        if (!name.isEmpty() && equals < 0 && plain.contains(bare))
            continue;
        kept.append(arg);
    }
    return kept;
}

CommandLineOptions parseCommandLine(const QStringList &arguments)
{
    CommandLineOptions options;
    // Help and version win wherever they stand, over any mistake around them.
    for (const QString &arg : toolkitArguments(arguments)) {
        if (arg == u"--help" || arg == u"-h" || arg == u"--version") {
            options.mode = arg == u"--version" ? Mode::Version : Mode::Help;
            return options;
        }
    }
    // Options that went with a mode, checked once the mode is known, since a file may come
    // first ("kavora u.map --planets").
    QList<const OptionRule *> given;
    const OptionRule *modeRule = nullptr;
    bool filesOnly = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (filesOnly || !arg.startsWith(u'-') || arg.size() == 1) {
            // Relative names would change meaning once the windows or a dialog move the
            // working folder, and the caption shows the full path of the map read.
            options.files.append(QFileInfo(arg).absoluteFilePath());
            continue;
        }
        if (arg == u"--") {
            filesOnly = true;
        } else if (const OptionRule *rule = findOption(arg)) {
            QString value;
            if (rule->takesValue) {
                if (i + 1 >= arguments.size())
                    usage(QCoreApplication::translate("CommandLine", "%1 needs a value").arg(arg));
                value = arguments[++i];
            }
            if (rule->selects == Mode::Gui) {
                given.append(rule);
            } else if (!modeRule) {
                modeRule = rule;
                options.mode = rule->selects;
            } else if (rule->selects != modeRule->selects &&
                       (rule->goesWith & modeBit(modeRule->selects))) {
                options.*(rule->flag) = true; // "--render x.png --changes"
                continue;
            } else if (rule->selects != modeRule->selects &&
                       (modeRule->goesWith & modeBit(rule->selects))) {
                options.*(modeRule->flag) = true; // "--changes --render x.png"
                modeRule = rule;
                options.mode = rule->selects;
            } else {
                usage(QCoreApplication::translate(
                    "CommandLine", "give only one of --planets, --races, --changes and --render"));
            }
            rule->apply(options, arg, value);
        } else {
            usage(QCoreApplication::translate("CommandLine", "unknown option %1").arg(arg));
        }
    }
    QStringList misplaced;
    unsigned modes = 0;
    for (const OptionRule *rule : given) {
        if (!(rule->goesWith & modeBit(options.mode)) && !misplaced.contains(rule->name)) {
            misplaced << rule->name;
            modes |= rule->goesWith;
        }
    }
    if (!misplaced.isEmpty())
        usage(goesWithHint(misplaced, modes));
    if (options.mode != Mode::Gui && options.files.isEmpty())
        usage(QCoreApplication::translate("CommandLine", "no map file given"));
    if (options.size && (options.size->width() * options.scale > kMaxDrawnSide ||
                         options.size->height() * options.scale > kMaxDrawnSide))
        usage(QCoreApplication::translate("CommandLine",
                                          "--size times --scale is at most %1 pixels each way")
                  .arg(kMaxDrawnSide));
    if (options.within && !options.near)
        usage(QCoreApplication::translate("CommandLine", "--within needs --near"));
    if (options.select && !options.size)
        usage(QCoreApplication::translate(
            "CommandLine", "--select needs --size: it selects in the explorer's view"));
    if (!options.rings.empty() && !options.select)
        usage(QCoreApplication::translate(
            "CommandLine", "--rings needs --select: they go round the selected planet"));
    // The chart window's picture has no marks; the explorer's has.
    if (options.changes && !options.size)
        usage(QCoreApplication::translate("CommandLine", "--changes with --render needs --size"));
    return options;
}

bool isCommandLineMode(const QStringList &arguments)
{
    try {
        return parseCommandLine(arguments).mode != Mode::Gui;
    } catch (const UsageError &) {
        return true; // the command line reports it, before any window opens
    }
}

bool commandLineDraws(const QStringList &arguments)
{
    try {
        return parseCommandLine(arguments).mode == Mode::Render;
    } catch (const UsageError &) {
        return false;
    }
}

int runCommandLine(const QStringList &arguments, FILE *out, FILE *err)
{
    CommandLineOptions options;
    try {
        options = parseCommandLine(arguments);
    } catch (const UsageError &error) {
        write(err, QStringLiteral("kavora: ") + error.hint + u'\n');
        return 2;
    }
    switch (options.mode) {
    case Mode::Help:
        write(out, QCoreApplication::translate("CommandLine", kUsage));
        return written(out, err);
    case Mode::Version:
        write(out, QStringLiteral("Kavora %1\n").arg(QLatin1String(kavora::kVersionText)));
        return written(out, err);
    case Mode::Gui:
        write(err,
              QCoreApplication::translate("CommandLine", "kavora: no command-line mode given") +
                  hint() + u'\n');
        return 2;
    default:
        break;
    }

    Globals globals;
    globals.colourScheme = options.palette.value_or(ColourScheme::Classic);
    LoadHistory history;
    try {
        history = loadUniverse(globals, options.files.first(), options.files.mid(1));
    } catch (const RunError &error) {
        write(err, error.message() + u'\n');
        return 1;
    }
    for (const LoadedReport &report : history.reports) {
        if (looksForeign(report.tally))
            write(err, foreignWarning(report.tally, report.path, history.mapPath) + u'\n');
    }
    if (options.keptColours) {
        const Settings settings;
        applyKeptColours(globals, keptColours(settings));
    }
    if (options.mode == Mode::Planets || options.mode == Mode::Render) {
        if (const int failed = readNotes(globals, options, err))
            return failed;
    }
    if (options.mode == Mode::Planets) {
        if (options.near) {
            const int from = findStar(globals, *options.near);
            const std::optional<QPointF> place =
                from >= 0 ? planetPlace(globals.Star_Table[size_t(from)]) : std::nullopt;
            if (!place) {
                write(err, QCoreApplication::translate("CommandLine",
                                                       "kavora: no planet named \"%1\" for --near")
                                   .arg(oneLine(*options.near)) +
                               hint() + u'\n');
                return 2;
            }
            write(out, formatTable(planetTable(globals, planetsNear(globals, *place, options.within)),
                                   options.format));
            return written(out, err);
        }
        write(out, planetTableBytes(globals, options.format));
        return written(out, err);
    }
    if (options.mode == Mode::Races) {
        write(out, raceTableBytes(globals, options.format));
        return written(out, err);
    }
    if (options.mode == Mode::Changes) {
        write(out, formatTable(changeTable(globals, history), options.format));
        return written(out, err);
    }
    return renderToFile(globals, history, options, err);
}
