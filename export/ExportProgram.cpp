#include "export/ExportProgram.h"

#include "export/ExportCommands.h"
#include "export/ExportOptions.h"
#include "export/OutputFile.h"
#include "export/Rank.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace sorkam::exporting {

namespace {

// A command line that is not understood: one line, and where to read more.
int usageError(const std::string& message) {
    std::fprintf(stderr, "sorkam-export: %s\nTry 'sorkam-export --help' for more information.\n",
                 message.c_str());
    return kUsage;
}

// Whether a progress line is open on the terminal, so that a message starts on a line of its own.
bool progressLineOpen = false;

int report(const ExportResult& done) {
    if (done.ok()) {
        return kOk;
    }
    if (progressLineOpen) {
        std::fputc('\n', stderr);
        progressLineOpen = false;
    }
    std::fprintf(stderr, "%s\n", done.error().message.c_str());
    return done.error().status;
}

// Text to standard output, checked to the close like any output.
int print(const std::string& text) {
    Result<OutputFile, Failure> out = OutputFile::open("-", {});
    if (!out.ok()) {
        return report(out.error());
    }
    if (auto done = out.value().write(text); !done.ok()) {
        return report(done);
    }
    return report(out.value().commit());
}

// Progress on a terminal, every eighth picture and the last: "record 17 (16 of 240)", the
// record being the last of the pictures done in the selection's order.
Progress progressOnTerminal() {
    if (isatty(STDERR_FILENO) == 0) {
        return {};
    }
    return [](std::int64_t done, std::int64_t total, std::int64_t record) {
        if (done % 8 == 0 || done == total) {
            std::fprintf(stderr, "\rrecord %lld (%lld of %lld)%s", static_cast<long long>(record),
                         static_cast<long long>(done), static_cast<long long>(total),
                         done == total ? "\n" : "");
            progressLineOpen = done != total;
        }
    };
}

int runPicture(const ExportOptions& options) {
    // As gzip does: a picture's bytes would only garble the terminal.
    if (!options.each && options.output == "-" && isatty(STDOUT_FILENO) != 0) {
        return usageError(std::string(commandName(options.command)) +
                          " will not write a picture to a terminal; name a file with -o or "
                          "redirect standard output");
    }
    if (options.showsView()) {
        return report(viewPng(options, options.each ? progressOnTerminal() : Progress()));
    }
    if (options.command == ExportOptions::Command::Svg) {
        return report(svg(options.file, options.records, options.view, options.output));
    }
    if (options.command == ExportOptions::Command::Pdf) {
        return report(pdf(options.file, options.records, options.view, options.output));
    }
    if (options.each) {
        return report(pngEach(options.file, options.records, options.eachDirectory, options.scale,
                              progressOnTerminal()));
    }
    return report(png(options.file, options.records, options.output, options.scale));
}

} // namespace

int runExport(int argc, char** argv) {
    files::removeUnfinishedFilesOnSignals();
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    const auto parsed = parseExportOptions(arguments);
    if (!parsed.ok()) {
        return usageError(parsed.error().message);
    }
    const ExportOptions& options = parsed.value();
    switch (options.command) {
    case ExportOptions::Command::Help:
        return print(exportHelpText());
    case ExportOptions::Command::Version:
        return print("sorkam-export " SORKAM_VERSION "\n");
    case ExportOptions::Command::Info:
        return report(info(options.file,
                           options.recordsGiven ? std::optional(options.records) : std::nullopt,
                           options.json));
    case ExportOptions::Command::Csv:
        return report(csv(options.file, options.records, options.output));
    case ExportOptions::Command::Rank:
        return report(rank(options.file,
                           options.recordsGiven ? std::optional(options.records) : std::nullopt,
                           options.against, options.top, options.json, options.output));
    case ExportOptions::Command::Png:
    case ExportOptions::Command::Svg:
    case ExportOptions::Command::Pdf:
        return runPicture(options);
    }
    return kUsage;
}

} // namespace sorkam::exporting
