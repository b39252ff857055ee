#include "export/painter/ViewCommands.h"

#include "chart/RecordColors.h"
#include "export/SelectedRecords.h"
#include "picture/ViewFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>

namespace sorkam::exporting {

namespace {

// The legend of the records painted so far: a record painted again moves to the end, as it lies
// on top of the others.
void addToLegend(std::vector<chart::LegendEntry>& legend, std::int64_t n, const Record& record) {
    std::erase_if(legend, [n](const chart::LegendEntry& e) { return e.number == n; });
    legend.push_back(chart::legendEntry(n, record));
}

// The picture file of the records paint paints (each by paintOne), in the format of options'
// command, with the legend of them where the view has one; or the failure to read a record.
using PaintOne = std::function<void(std::int64_t n, const Record& record)>;
using PaintAll = std::function<ExportResult(const PaintOne& paintOne)>;
Result<QByteArray, Failure> pictureOf(const ExportOptions& options, const chart::PictureText& text,
                                      const PaintAll& paint) {
    const chart::PictureFormat format = chart::pictureTypeNamed(commandName(options.command))
                                            .value_or(chart::kPictureTypes.front())
                                            .format;
    ExportResult painted;
    const Result<QByteArray, std::string> bytes = chart::viewFile(
        format, options.view, options.scale, text, [&](chart::ViewPainter& painter) {
            std::vector<chart::LegendEntry> legend;
            painted = paint([&](std::int64_t n, const Record& record) {
                painter.paintRecord(record, chart::recordColor(n));
                if (options.view.legend) {
                    addToLegend(legend, n, record);
                }
            });
            return legend;
        });
    if (!painted.ok()) {
        return painted.error();
    }
    if (!bytes.ok()) {
        return failure(kOutput, options.each ? options.eachDirectory : options.output,
                       "cannot be written: " + bytes.error());
    }
    return bytes.value();
}

// A picture's bytes written to output, as the other commands write theirs.
ExportResult writeOutput(const std::string& output, const FileIdentity& data,
                         const QByteArray& bytes) {
    Result<OutputFile, Failure> out = OutputFile::open(output, data);
    if (!out.ok()) {
        return out.error();
    }
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (auto written = out.value().write(std::string(view)); !written.ok()) {
        return written;
    }
    return out.value().commit();
}

// png --each: a picture a record, in the selection's order.
ExportResult eachPicture(const ExportOptions& options, const DataFile& data,
                         const Progress& progress) {
    const std::int64_t total = selectedCount(data.records);
    return forEachPicture(
        data, options.eachDirectory,
        [&](std::int64_t k, std::int64_t n, const Record& record,
            const std::string& path) -> ExportResult {
            const Result<QByteArray, Failure> picture = pictureOf(
                options,
                chart::pictureText(options.file, {{n, n}}, options.view, options.scale, kSoftware),
                [&](const PaintOne& paintOne) -> ExportResult {
                    paintOne(n, record);
                    return {};
                });
            if (!picture.ok()) {
                return picture.error();
            }
            if (auto written = writeOutput(path, data.identity, picture.value()); !written.ok()) {
                return written;
            }
            if (progress) {
                progress(k + 1, total, n);
            }
            return {};
        });
}

} // namespace

ExportResult viewPicture(const ExportOptions& options, const Progress& progress) {
    const Result<DataFile, Failure> data = openSelected(options.file, options.records);
    if (!data.ok()) {
        return data.error();
    }
    if (options.each) {
        return eachPicture(options, data.value(), progress);
    }
    // The picture is made before the output is opened: a record missing from the file leaves
    // the output untouched.
    // --scale is png's alone: svg and pdf keep 1.
    const Result<QByteArray, Failure> picture =
        pictureOf(options,
                  chart::pictureText(options.file, runsOf(data.value().records), options.view,
                                     options.scale, kSoftware),
                  [&](const PaintOne& paintOne) {
                      return forEachRecord(data.value(), [&](std::int64_t n, const Record& record) {
                          paintOne(n, record);
                          return ExportResult();
                      });
                  });
    if (!picture.ok()) {
        return picture.error();
    }
    return writeOutput(options.output, data.value().identity, picture.value());
}

} // namespace sorkam::exporting
