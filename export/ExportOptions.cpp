#include "export/ExportOptions.h"

#include "chart/ExportOptionNames.h"
#include "chart/ShownText.h"
#include "export/OptionNumbers.h"
#include "export/OutputNames.h"

#include <getopt.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace sorkam::exporting {

namespace {

enum LongOnly : int {
    kEach = 1000,
    kScale,
    kJson,
    kVersion,
    kLegend,
    kRange,
    kCursors,
    kValues,
    kAgainst,
    kTop,
    kDensity,
    kDensityScale,
    kOver
};

using chart::OptionName;

// getopt_long's entry of an option: its long name, whether it takes a value, and its code (its
// letter where it has one). The names are string literals, so they end in a null byte.
constexpr option entry(const OptionName& name, int takes, int code) {
    return {name.name.data(), takes, nullptr, name.letter != 0 ? name.letter : code};
}

constexpr option kOptions[] = {
    entry(chart::kRecordsOption, required_argument, 0),
    entry(chart::kOutputOption, required_argument, 0),
    entry(chart::kEachOption, required_argument, kEach),
    entry(chart::kScaleOption, required_argument, kScale),
    entry(chart::kJsonOption, no_argument, kJson),
    entry(chart::kHelpOption, no_argument, 0),
    entry(chart::kVersionOption, no_argument, kVersion),
    entry(chart::kLegendOption, no_argument, kLegend),
    entry(chart::kRangeOption, required_argument, kRange),
    entry(chart::kCursorsOption, required_argument, kCursors),
    entry(chart::kValuesOption, required_argument, kValues),
    entry(chart::kAgainstOption, required_argument, kAgainst),
    entry(chart::kTopOption, required_argument, kTop),
    entry(chart::kDensityOption, no_argument, kDensity),
    entry(chart::kDensityScaleOption, required_argument, kDensityScale),
    entry(chart::kOverOption, required_argument, kOver),
    {nullptr, 0, nullptr, 0},
};

// A cursor's sample index, 0 to 801, or none for an empty word; false for anything else.
bool takeCursor(const std::string& word, std::optional<int>& cursor) {
    if (word.empty()) {
        cursor.reset();
        return true;
    }
    const auto n = numberIn<int>(word);
    if (!n || *n < 0 || *n > kTraceSegments) {
        return false;
    }
    cursor = *n;
    return true;
}

// "A,B", "A" or ",B": sample indices 0 to 801 for cursor A and cursor B.
bool takeCursors(const std::string& text, chart::View& view) {
    const std::size_t comma = text.find(',');
    const std::string b = comma == std::string::npos ? "" : text.substr(comma + 1);
    if (comma != std::string::npos && b.empty()) {
        return false;
    }
    return takeCursor(text.substr(0, comma), view.cursorA) && takeCursor(b, view.cursorB) &&
           (view.cursorA || view.cursorB);
}

// "--name" or "-n" for messages, from the option's code.
std::string optionName(int code) {
    for (const option& o : kOptions) {
        if (o.name != nullptr && o.val == code) {
            return std::string("--") + o.name;
        }
    }
    return std::string("-") + static_cast<char>(code);
}

// The commands by the names the command line gives them.
constexpr std::array<std::pair<std::string_view, ExportOptions::Command>, 6> kCommandNames = {{
    {"info", ExportOptions::Command::Info},
    {"png", ExportOptions::Command::Png},
    {"svg", ExportOptions::Command::Svg},
    {"pdf", ExportOptions::Command::Pdf},
    {"csv", ExportOptions::Command::Csv},
    {"rank", ExportOptions::Command::Rank},
}};

} // namespace

std::string_view commandName(ExportOptions::Command command) {
    for (const auto& [name, named] : kCommandNames) {
        if (named == command) {
            return name;
        }
    }
    return {};
}

namespace {

// The command line as given, before it is checked against the command.
struct GivenOptions {
    ExportOptions options;
    bool help = false;
    bool version = false;
    bool haveRecords = false;
    bool haveOutput = false;
    std::string recordText;
    bool haveOver = false;
    std::string overText;
    std::vector<int> codes;              // every option given, in order
    std::vector<std::string> positional; // the command and the file
};

// rank's --against N (a record number) or --top K (a count from 1).
std::optional<UsageError> takeRankNumber(int code, const std::string& value,
                                         ExportOptions& options) {
    const auto n = numberIn<std::int64_t>(value);
    if (!n || *n < (code == kTop ? 1 : 0)) {
        return UsageError{
            optionName(code) +
            (code == kTop ? " takes a count from 1, not " : " takes a record number, not ") +
            chart::escapedName(value)};
    }
    if (code == kTop) {
        options.top = *n;
    } else {
        options.against = *n;
    }
    return std::nullopt;
}

// A view's option (--legend, --range, --values, --cursors) into view.
std::optional<UsageError> takeViewOption(int code, const std::string& value, chart::View& view) {
    switch (code) {
    case kLegend:
        view.legend = true;
        break;
    case kRange: {
        const auto range = rangeIn(value);
        if (!range) {
            return UsageError{"--range takes FIRST-LAST, sample indices from 0 to 801 at least 8 "
                              "apart, not " +
                              chart::escapedName(value)};
        }
        view.range = *range;
        break;
    }
    case kValues: {
        const auto values = valuesIn(value);
        if (!values) {
            return UsageError{"--values takes LOW-HIGH, sample values from 0 to 265 at least 4 "
                              "apart, not " +
                              chart::escapedName(value)};
        }
        view.values = *values;
        break;
    }
    case kCursors:
        if (!takeCursors(value, view)) {
            return UsageError{"--cursors takes A,B (or A, or ,B), sample indices from 0 to 801, "
                              "not " +
                              chart::escapedName(value)};
        }
        break;
    }
    return std::nullopt;
}

// Takes one option's value; a usage error for a value it cannot take.
std::optional<UsageError> takeOption(int code, const std::string& value, GivenOptions& given) {
    ExportOptions& options = given.options;
    switch (code) {
    case 'r':
        given.haveRecords = true;
        given.recordText = value;
        break;
    case 'o':
        given.haveOutput = true;
        options.output = value;
        break;
    case kEach:
        options.each = true;
        options.eachDirectory = value;
        break;
    case kScale: {
        const auto scale = numberIn<int>(value);
        if (!scale || *scale < 1 || *scale > 4) {
            return UsageError{"--scale takes 1 to 4, not " + chart::escapedName(value)};
        }
        options.scale = *scale;
        break;
    }
    case kLegend:
    case kRange:
    case kValues:
    case kCursors:
        return takeViewOption(code, value, options.view);
    case kJson:
        options.json = true;
        break;
    case kDensity:
        options.density = true;
        break;
    case kDensityScale:
        if (value != "log" && value != "linear") {
            return UsageError{"--density-scale takes log or linear, not " +
                              chart::escapedName(value)};
        }
        options.densityScale =
            value == "log" ? chart::DensityScale::Log : chart::DensityScale::Linear;
        break;
    case kOver:
        given.haveOver = true;
        given.overText = value;
        break;
    case kAgainst:
    case kTop:
        return takeRankNumber(code, value, options);
    case 'h':
        given.help = true;
        break;
    case kVersion:
        given.version = true;
        break;
    }
    return std::nullopt;
}

// Reads the options with getopt_long, GNU style; what is left are the command and the file.
Result<GivenOptions, UsageError> readOptions(const std::vector<std::string>& arguments) {
    std::vector<std::string> words;
    words.reserve(arguments.size() + 1);
    words.emplace_back("sorkam-export");
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    GivenOptions given;
    optind = 0; // start afresh, so the parser can be used more than once
    opterr = 0;
    const int argc = static_cast<int>(argv.size()) - 1;
    for (int code; (code = getopt_long(argc, argv.data(), ":r:o:h", kOptions, nullptr)) != -1;) {
        const std::string word = argv[static_cast<std::size_t>(optind - 1)];
        if (code == '?') {
            return UsageError{optopt != 0 ? "unknown option: -" + std::string(1, optopt)
                                          : "unknown option: " + chart::escapedName(word)};
        }
        if (code == ':') {
            return UsageError{"option " + chart::escapedName(word) + " needs a value"};
        }
        given.codes.push_back(code);
        if (auto error = takeOption(code, optarg != nullptr ? optarg : "", given)) {
            return *error;
        }
    }
    // getopt_long has moved the words that are not options to the end of argv.
    given.positional.assign(argv.begin() + optind, argv.end() - 1);
    return given;
}

// Whether an option belongs to the command.
bool belongsTo(ExportOptions::Command command, int code) {
    switch (command) {
    case ExportOptions::Command::Info:
        return code == kJson || code == 'r';
    case ExportOptions::Command::Rank:
        return code == 'r' || code == 'o' || code == kJson || code == kAgainst || code == kTop;
    case ExportOptions::Command::Png:
        return code == 'r' || code == 'o' || code == kEach || code == kScale || code == kLegend ||
               code == kRange || code == kCursors || code == kValues || code == kDensity ||
               code == kDensityScale || code == kOver;
    case ExportOptions::Command::Svg:
    case ExportOptions::Command::Pdf:
        return code == 'r' || code == 'o' || code == kLegend || code == kRange ||
               code == kCursors || code == kValues;
    default:
        return code == 'r' || code == 'o';
    }
}

// The command and the file from the words that are not options.
std::optional<UsageError> takeCommand(GivenOptions& given) {
    const std::vector<std::string>& positional = given.positional;
    if (positional.empty()) {
        return UsageError{"needs a command: info, png, svg, pdf, csv or rank"};
    }
    const std::string& command = positional[0];
    const auto named = std::find_if(kCommandNames.begin(), kCommandNames.end(),
                                    [&](const auto& entry) { return entry.first == command; });
    if (named == kCommandNames.end()) {
        return UsageError{"unknown command: " + chart::escapedName(command)};
    }
    given.options.command = named->second;
    if (positional.size() != 2) {
        return UsageError{
            command + (positional.size() < 2
                           ? " needs the data file"
                           : " takes one data file, not " + std::to_string(positional.size() - 1))};
    }
    given.options.file = positional[1];
    for (const int code : given.codes) {
        if (!belongsTo(given.options.command, code)) {
            return UsageError{command + " does not take " + optionName(code)};
        }
    }
    return std::nullopt;
}

// An output named for another format than the command writes, with a hint.
std::optional<UsageError> checkOutputName(const GivenOptions& given) {
    const ExportOptions& options = given.options;
    // rank writes CSV or JSON, whatever the name.
    if (!given.haveOutput || options.output == "-" ||
        options.command == ExportOptions::Command::Rank) {
        return std::nullopt;
    }
    // The command's name is its format's extension.
    const std::string& command = given.positional[0];
    std::string wanted = command;
    std::transform(wanted.begin(), wanted.end(), wanted.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const std::string named = formatNamed(options.output);
    if (named.empty() || named == wanted) {
        return std::nullopt;
    }
    const std::string stem = options.output.substr(0, options.output.rfind('.'));
    return UsageError{command + " writes " + wanted + ", but " +
                      chart::escapedName(options.output) + " names a " + named + " file; name it " +
                      chart::escapedName(stem) + "." + command};
}

// png --density's own rules: --over and --density-scale go with it, and it makes one picture.
std::optional<UsageError> takeDensity(GivenOptions& given) {
    ExportOptions& options = given.options;
    const bool scaleGiven =
        std::find(given.codes.begin(), given.codes.end(), kDensityScale) != given.codes.end();
    if (!options.density) {
        if (given.haveOver || scaleGiven) {
            return UsageError{std::string(given.haveOver ? "--over" : "--density-scale") +
                              " goes with --density"};
        }
        return std::nullopt;
    }
    if (options.each) {
        return UsageError{"png --density makes one picture: name it with -o, not --each"};
    }
    if (given.haveOver) {
        auto over = parseRecordSelection(given.overText);
        if (!over) {
            return UsageError{"not a record selection: " + chart::escapedName(given.overText)};
        }
        options.over = std::move(*over);
    }
    return std::nullopt;
}

// The records and the output of png and csv (and the records info lists).
std::optional<UsageError> takeSelection(GivenOptions& given) {
    const std::string& command = given.positional[0];
    if (given.options.command == ExportOptions::Command::Rank && given.options.against < 0) {
        return UsageError{"rank needs the record to rank against: --against N"};
    }
    if (auto wrong = takeDensity(given)) {
        return wrong;
    }
    if (!given.haveRecords) {
        if (given.options.command == ExportOptions::Command::Info ||
            given.options.command == ExportOptions::Command::Rank) {
            return std::nullopt;
        }
        if (!given.options.density) {
            return UsageError{command + " needs the records: -r SEL"};
        }
        given.recordText = "all"; // a density is of every record unless told otherwise
    }
    auto selection = parseRecordSelection(given.recordText);
    if (!selection) {
        return UsageError{"not a record selection: " + chart::escapedName(given.recordText)};
    }
    given.options.records = std::move(*selection);
    given.options.recordsGiven = true;
    if (auto wrong = checkOutputName(given)) {
        return wrong;
    }
    if (given.options.command == ExportOptions::Command::Png &&
        given.haveOutput == given.options.each) {
        return UsageError{given.haveOutput ? "png takes either -o or --each, not both"
                                           : "png needs -o OUT.png or --each DIR"};
    }
    if (!given.haveOutput && (given.options.command == ExportOptions::Command::Svg ||
                              given.options.command == ExportOptions::Command::Pdf)) {
        return UsageError{command + " needs -o OUT." + command};
    }
    return std::nullopt;
}

} // namespace

Result<ExportOptions, UsageError> parseExportOptions(const std::vector<std::string>& arguments) {
    auto read = readOptions(arguments);
    if (!read.ok()) {
        return read.error();
    }
    GivenOptions& given = read.value();
    if (given.help || given.version) {
        given.options.command =
            given.help ? ExportOptions::Command::Help : ExportOptions::Command::Version;
        return given.options;
    }
    if (auto usage = takeCommand(given)) {
        return *usage;
    }
    if (auto usage = takeSelection(given)) {
        return *usage;
    }
    return given.options;
}

} // namespace sorkam::exporting
