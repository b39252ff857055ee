#include "export/ExportOptions.h"

#include "export/Failure.h"

#include <getopt.h>

#include <charconv>

namespace sorkam::exporting {

namespace {

enum LongOnly : int { kEach = 1000, kScale, kJson, kVersion };

constexpr option kOptions[] = {
    {"records", required_argument, nullptr, 'r'}, {"output", required_argument, nullptr, 'o'},
    {"each", required_argument, nullptr, kEach},  {"scale", required_argument, nullptr, kScale},
    {"json", no_argument, nullptr, kJson},        {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersion},  {nullptr, 0, nullptr, 0},
};

// "--name" or "-n" for messages, from the option's code.
std::string optionName(int code) {
    for (const option& o : kOptions) {
        if (o.name != nullptr && o.val == code) {
            return std::string("--") + o.name;
        }
    }
    return std::string("-") + static_cast<char>(code);
}

} // namespace

std::string exportHelpText() {
    return "Usage: sorkam-export info FILE [--json]\n"
           "       sorkam-export png FILE -r SEL (-o OUT.png | --each DIR) [--scale N]\n"
           "       sorkam-export csv FILE -r SEL [-o OUT.csv]\n"
           "Pictures, samples and header listings of the records of a sorkam data file.\n"
           "\n"
           "Commands:\n"
           "  info   the file's length and record count, then each record's header texts\n"
           "  png    the selected records in their colours over one frame, as in the viewer\n"
           "  csv    the samples, one row per record and index 0 to 1199\n"
           "\n"
           "Options:\n"
           "  -r, --records=SEL   the records: N, a list N,M,..., a range A-B, or a mix (0,3-5)\n"
           "  -o, --output=OUT    png, csv: where to write; - (the default for csv) is standard\n"
           "                      output; a device or FIFO is written in place\n"
           "      --each=DIR      png: one picture per record in DIR, named record-NNNNNN.png\n"
           "      --scale=N       png: pixels per layout pixel, 1 to 4 (2 for high-density\n"
           "                      screens)\n"
           "      --json          info: as JSON\n"
           "  -h, --help          this text\n"
           "      --version       the version\n"
           "  --                  what follows is the command and the file, whatever it looks\n"
           "                      like\n"
           "\n"
           "Exit status: 0 done; 2 command line not understood; 3 data file unreadable;\n"
           "4 a record not in the file; 5 output not writable; 6 output is the data file.\n";
}

std::variant<ExportOptions, UsageError>
parseExportOptions(const std::vector<std::string>& arguments) {
    std::vector<std::string> words;
    words.reserve(arguments.size() + 1);
    words.emplace_back("sorkam-export");
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    ExportOptions options;
    bool help = false;
    bool version = false;
    bool haveRecords = false;
    bool haveOutput = false;
    std::string recordText;
    std::vector<int> given;

    optind = 0; // start afresh, so the parser can be used more than once
    opterr = 0;
    const int argc = static_cast<int>(argv.size()) - 1;
    while (true) {
        const int code = getopt_long(argc, argv.data(), ":r:o:h", kOptions, nullptr);
        if (code == -1) {
            break;
        }
        if (code == '?') {
            const std::string word = argv[static_cast<std::size_t>(optind - 1)];
            return UsageError{optopt != 0 ? "unknown option: -" + std::string(1, optopt)
                                          : "unknown option: " + displayName(word)};
        }
        if (code == ':') {
            const std::string word = argv[static_cast<std::size_t>(optind - 1)];
            return UsageError{"option " + displayName(word) + " needs a value"};
        }
        given.push_back(code);
        switch (code) {
        case 'r':
            haveRecords = true;
            recordText = optarg;
            break;
        case 'o':
            haveOutput = true;
            options.output = optarg;
            break;
        case kEach:
            options.each = true;
            options.eachDirectory = optarg;
            break;
        case kScale: {
            const std::string text = optarg;
            const auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), options.scale);
            if (error != std::errc() || end != text.data() + text.size() || options.scale < 1 ||
                options.scale > 4) {
                return UsageError{"--scale takes 1 to 4, not " + displayName(text)};
            }
            break;
        }
        case kJson:
            options.json = true;
            break;
        case 'h':
            help = true;
            break;
        case kVersion:
            version = true;
            break;
        }
    }
    if (help) {
        options.command = ExportOptions::Command::Help;
        return options;
    }
    if (version) {
        options.command = ExportOptions::Command::Version;
        return options;
    }

    // getopt_long has moved the words that are not options to the end of argv.
    const std::vector<std::string> positional(argv.begin() + optind, argv.end() - 1);
    if (positional.empty()) {
        return UsageError{"needs a command: info, png or csv"};
    }
    const std::string& command = positional[0];
    if (command == "info") {
        options.command = ExportOptions::Command::Info;
    } else if (command == "png") {
        options.command = ExportOptions::Command::Png;
    } else if (command == "csv") {
        options.command = ExportOptions::Command::Csv;
    } else {
        return UsageError{"unknown command: " + displayName(command)};
    }
    if (positional.size() != 2) {
        return UsageError{
            command + (positional.size() < 2
                           ? " needs the data file"
                           : " takes one data file, not " + std::to_string(positional.size() - 1))};
    }
    options.file = positional[1];

    // Options that do not belong to the command.
    const auto belongs = [&](int code) {
        switch (options.command) {
        case ExportOptions::Command::Info:
            return code == kJson;
        case ExportOptions::Command::Png:
            return code == 'r' || code == 'o' || code == kEach || code == kScale;
        default:
            return code == 'r' || code == 'o';
        }
    };
    for (const int code : given) {
        if (!belongs(code)) {
            return UsageError{command + " does not take " + optionName(code)};
        }
    }
    if (options.command == ExportOptions::Command::Info) {
        return options;
    }
    if (!haveRecords) {
        return UsageError{command + " needs the records: -r SEL"};
    }
    auto selection = parseRecordSelection(recordText);
    if (!selection) {
        return UsageError{"not a record selection: " + displayName(recordText)};
    }
    options.records = std::move(*selection);
    if (options.command == ExportOptions::Command::Png && haveOutput == options.each) {
        return UsageError{haveOutput ? "png takes either -o or --each, not both"
                                     : "png needs -o OUT.png or --each DIR"};
    }
    return options;
}

} // namespace sorkam::exporting
