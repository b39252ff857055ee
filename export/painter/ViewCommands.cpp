#include "export/painter/ViewCommands.h"

#include "chart/Density.h"
#include "chart/RecordColors.h"
#include "chart/RecordPainter.h"
#include "export/SelectedRecords.h"
#include "picture/ViewFile.h"

#include <QIODevice>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>

namespace sorkam::exporting {

namespace {

// An output as a device for the picture's bytes, opened as the other commands open theirs on the
// first byte written: a picture that is not made touches no output.
class OutputDevice final : public QIODevice {
public:
    OutputDevice(std::string name, const FileIdentity& data) : name(std::move(name)), data(data) {
        open(QIODevice::WriteOnly);
    }

    // The output's own failure (it cannot be opened, a full disk), where there was one.
    [[nodiscard]] const std::optional<Failure>& failure() const { return problem; }
    // Everything written put in place.
    [[nodiscard]] ExportResult commit() {
        if (!file && writeData(nullptr, 0) < 0) {
            return *problem;
        }
        return file->commit();
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* bytes, qint64 length) override {
        if (!file) {
            Result<OutputFile, Failure> opened = OutputFile::open(name, data);
            if (!opened.ok()) {
                problem = opened.error();
                return -1;
            }
            file.emplace(std::move(opened.value()));
        }
        if (length == 0) {
            return 0;
        }
        if (auto written = file->write(std::string_view(bytes, static_cast<std::size_t>(length)));
            !written.ok()) {
            problem = written.error();
            return -1;
        }
        return length;
    }

private:
    std::string name;
    FileIdentity data;
    std::optional<OutputFile> file;
    std::optional<Failure> problem;
};

// The picture of the records paint paints (each by paintOne) written to output, in the format of
// options' command, with the legend of them where the view has one; or the failure to read a
// record, which leaves the output untouched, or to write it.
using PaintOne = std::function<void(std::int64_t n, const Record& record)>;
using PaintAll = std::function<ExportResult(const PaintOne& paintOne)>;
ExportResult writePicture(const ExportOptions& options, const std::string& output,
                          const FileIdentity& data, const chart::PictureText& text,
                          const PaintAll& paint) {
    ExportResult painted;
    OutputDevice out(output, data);
    const Result<void, std::string> written = chart::writeViewPng(
        out, options.view, options.scale, text,
        [&](chart::ViewPainter& painter) -> std::optional<std::vector<chart::LegendEntry>> {
            std::vector<chart::LegendEntry> legend;
            painted = paint([&](std::int64_t n, const Record& record) {
                painter.paintRecord(record, chart::recordColor(n));
                if (options.view.legend) {
                    chart::addToLegend(legend, n, record, options.view);
                }
            });
            if (!painted.ok()) {
                return std::nullopt;
            }
            return legend;
        });
    if (!painted.ok()) {
        return painted.error();
    }
    if (out.failure()) {
        return *out.failure();
    }
    if (!written.ok()) {
        return failure(kOutput, output, "cannot be written: " + written.error());
    }
    return out.commit();
}

// png --each: a picture a record, in the selection's order.
ExportResult eachPicture(const ExportOptions& options, const DataFile& data,
                         const Progress& progress) {
    const std::int64_t total = selectedCount(data.records);
    return forEachPicture(
        data, options.eachDirectory,
        [&](std::int64_t k, std::int64_t n, const Record& record,
            const std::string& path) -> ExportResult {
            const ExportResult written = writePicture(
                options, path, data.identity,
                chart::pictureText(options.file, {{n, n}}, options.view, options.scale, kSoftware),
                [&](const PaintOne& paintOne) -> ExportResult {
                    paintOne(n, record);
                    return {};
                });
            if (!written.ok()) {
                return written;
            }
            if (progress) {
                progress(k + 1, total, n);
            }
            return {};
        });
}

// png --density: the selected records' density counted on every core, with the records of --over
// painted over it.
ExportResult densityPicture(const ExportOptions& options, const DataFile& data) {
    const Result<DataFile, Failure> over = openSelected(options.file, options.over);
    if (!options.over.empty() && !over.ok()) {
        return over.error();
    }
    const QSize plot = chart::plotPixels(options.scale);
    const chart::RecordRuns runs = runsOf(data.records);
    Result<chart::Density, ReadFailure> counted =
        chart::countDensity(data.path, runs, options.view, plot.width(), plot.height());
    if (!counted.ok()) {
        return dataFileFailure(data.path, counted.error());
    }
    // A file that shrank meanwhile read zeros where its records were: each must still be there.
    std::int64_t largest = 0;
    for (const RecordRange& range : data.records) {
        largest = std::max(largest, range.last);
    }
    if (const Result<Record, Failure> still = readRecord(data, largest); !still.ok()) {
        return still.error();
    }
    counted.value().scale = options.densityScale;
    ExportOptions shown = options;
    shown.view.density = std::make_shared<const chart::Density>(std::move(counted.value()));
    const DataFile& painted = options.over.empty() ? data : over.value();
    return writePicture(
        shown, options.output, data.identity,
        chart::pictureText(options.file,
                           options.over.empty() ? chart::RecordRuns() : runsOf(painted.records),
                           shown.view, options.scale, kSoftware),
        [&](const PaintOne& paintOne) -> ExportResult {
            if (options.over.empty()) {
                return {};
            }
            return forEachRecord(painted, [&](std::int64_t n, const Record& r) {
                paintOne(n, r);
                return ExportResult();
            });
        });
}

} // namespace

ExportResult viewPicture(const ExportOptions& options, const Progress& progress) {
    const Result<DataFile, Failure> data = openSelected(options.file, options.records);
    if (!data.ok()) {
        return data.error();
    }
    if (options.density) {
        return densityPicture(options, data.value());
    }
    if (options.each) {
        return eachPicture(options, data.value(), progress);
    }
    // The output is opened only once the picture is made: a record missing from the file leaves
    // it untouched.
    return writePicture(options, options.output, data.value().identity,
                        chart::pictureText(options.file, runsOf(data.value().records), options.view,
                                           options.scale, kSoftware),
                        [&](const PaintOne& paintOne) {
                            return forEachRecord(data.value(),
                                                 [&](std::int64_t n, const Record& record) {
                                                     paintOne(n, record);
                                                     return ExportResult();
                                                 });
                        });
}

} // namespace sorkam::exporting
