#include "export/ExportOptions.h"

#include "chart/ExportOptionNames.h"

namespace sorkam::exporting {

namespace {

using chart::OptionName;

// An option as --help lists it, padded to the column of what it does: "  -r, --records=SEL".
std::string helpLine(const OptionName& name, std::string_view value, std::string_view what) {
    std::string line = name.letter != 0 ? std::string("  -") + name.letter + ", " : "      ";
    line += chart::longForm(name) + (value.empty() ? "" : "=" + std::string(value));
    constexpr std::size_t kWhatColumn = 22;
    line += line.size() < kWhatColumn ? std::string(kWhatColumn - line.size(), ' ')
                                      : "\n" + std::string(kWhatColumn, ' ');
    for (const char c : what) {
        line += c == '\n' ? "\n" + std::string(kWhatColumn, ' ') : std::string(1, c);
    }
    return line + "\n";
}

} // namespace

std::string exportHelpText() {
    return std::string(
               "Usage: sorkam-export info FILE [-r SEL] [--json]\n"
               "       sorkam-export png FILE -r SEL (-o OUT.png | --each DIR) [--scale N]\n"
               "                         [VIEW]\n"
               "       sorkam-export png FILE --density [-r SEL] [--over SEL] -o OUT.png\n"
               "                         [--density-scale log|linear] [--scale N] [VIEW]\n"
               "       sorkam-export svg|pdf FILE -r SEL -o OUT [VIEW]\n"
               "       sorkam-export csv FILE -r SEL [-o OUT.csv]\n"
               "       sorkam-export rank FILE --against N [-r SEL] [--top K] [--json] [-o OUT]\n"
               "Pictures, samples, header listings and rankings of the records of a sorkam\n"
               "data file.\n"
               "\n"
               "Commands:\n"
               "  info   the file's length and record count, then the header texts of each\n"
               "         record (or of the selected ones)\n"
               "  png    the selected records in their colours over one frame, as in the viewer\n"
               "  svg    the same picture as lines and text, for reports\n"
               "  pdf    the same picture as a one-page PDF document\n"
               "  csv    the samples, one row per record and index 0 to 1199\n"
               "  rank   the selected records (every record when none are selected) by their\n"
               "         distance from record N, the most distant first: CSV rows of record,\n"
               "         rms and largest difference over samples 0 to 801 of the four\n"
               "         channels, and the header texts\n"
               "\n"
               "Options:\n") +
           helpLine(chart::kRecordsOption, "SEL",
                    "the records: N, a list N,M,..., a range A-B, N- (from N to\n"
                    "the last record), all, or a mix (0,3-5,9-)") +
           helpLine(chart::kOutputOption, "OUT",
                    "where to write; - (the default for csv) is standard\n"
                    "output, never a terminal for a picture; a device or FIFO\n"
                    "is written in place") +
           helpLine(chart::kEachOption, "DIR",
                    "png: one picture per record in DIR (made where it is not\n"
                    "there), named record-NNNNNN.png") +
           helpLine(chart::kScaleOption, "N",
                    "png: pixels per layout pixel, 1 to 4 (2 for high-density\n"
                    "screens)") +
           helpLine(chart::kJsonOption, "", "info, rank: as JSON") +
           helpLine(chart::kAgainstOption, "N",
                    "rank: the record the others are measured against") +
           helpLine(chart::kTopOption, "K", "rank: only the K most distant records") +
           "\n"
           "VIEW, for png, svg and pdf, as the viewer shows it:\n" +
           helpLine(chart::kRangeOption, "FIRST-LAST",
                    "the sample indices shown, 0 to 801, as the viewer zooms\n"
                    "(200-400, 200.5-300.25)") +
           helpLine(chart::kValuesOption, "LOW-HIGH",
                    "the sample values shown, 0 to 265, as the viewer zooms\n"
                    "(40-120)") +
           helpLine(chart::kCursorsOption, "A,B",
                    "cursors A and B at sample indices (or A alone, or ,B), with\n"
                    "their read-out and, in the legend, the values there") +
           helpLine(chart::kLegendOption, "",
                    "the legend: each record's colour, number and header texts") +
           "\n"
           "DENSITY, for png:\n" +
           helpLine(chart::kDensityOption, "",
                    "how many of the selected records' traces (every record\n"
                    "when none are selected) pass through each pixel, in\n"
                    "colours from the plot's grey to deep violet, with a key") +
           helpLine(chart::kDensityScaleOption, "S",
                    "the key's colours by count: log (the default) or linear") +
           helpLine(chart::kOverOption, "SEL",
                    "records painted in their colours over the density") +
           "\n" + helpLine(chart::kHelpOption, "", "this text") +
           helpLine(chart::kVersionOption, "", "the version") +
           "  --                  what follows is the command and the file, whatever it\n"
           "                      looks like\n"
           "\n"
           "Exit status: 0 done; 2 command line not understood; 3 data file unreadable;\n"
           "4 a record not in the file; 5 output not writable; 6 output is the data file.\n";
}

} // namespace sorkam::exporting
