#include "export/ViewCommands.h"

#include "chart/RecordColors.h"
#include "chart/ViewPicture.h"
#include "export/SelectedRecords.h"

#include <QBuffer>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace sorkam::exporting {

namespace {

using Command = ExportOptions::Command;

// The legend of the records painted so far: a record painted again moves to the end, as it lies
// on top of the others.
void addToLegend(std::vector<chart::LegendEntry>& legend, std::int64_t n, const Record& record) {
    std::erase_if(legend, [n](const chart::LegendEntry& e) { return e.number == n; });
    legend.push_back(chart::legendEntry(n, record));
}

// The records of data painted over painter in their colours, the legend kept where the view
// has one.
ExportResult paintRecords(const DataFile& data, const chart::View& view,
                          chart::ViewPainter& painter, std::vector<chart::LegendEntry>& legend) {
    return forEachRecord(data, [&](std::int64_t n, const Record& record) -> ExportResult {
        painter.paintRecord(record, chart::recordColor(n));
        if (view.legend) {
            addToLegend(legend, n, record);
        }
        return {};
    });
}

// The picture of the selected records in the command's format, as file bytes.
Result<QByteArray, Failure> pictureOf(const ExportOptions& options, const DataFile& data) {
    const int scale = options.command == Command::Png ? options.scale : 1;
    const chart::PictureText text =
        chart::pictureText(options.file, runsOf(data.records), options.view, scale, kSoftware);
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    std::vector<chart::LegendEntry> legend;
    ExportResult painted;
    bool made = false;
    if (options.command == Command::Png) {
        chart::ViewPainter painter(options.view, scale);
        painted = paintRecords(data, options.view, painter, legend);
        made = painted.ok() && chart::writePng(out, painter.finish(legend), text);
    } else {
        const auto paint = [&](QPainter& device) {
            chart::ViewPainter painter(options.view, device);
            painted = paintRecords(data, options.view, painter, legend);
            (void)painter.finish(legend);
        };
        made = options.command == Command::Svg ? chart::writeSvg(out, text, paint)
                                               : chart::writePdf(out, text, paint);
    }
    if (!painted.ok()) {
        return painted.error();
    }
    if (!made) {
        return failure(kOutput, options.output, "cannot be written: the picture cannot be made");
    }
    return bytes;
}

ExportResult writeBytes(OutputFile& out, const QByteArray& bytes) {
    return out.write(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// png --each: a picture a record, in the selection's order.
ExportResult eachPicture(const ExportOptions& options, const Progress& progress) {
    const Result<DataFile, Failure> data = openSelected(options.file, options.records);
    if (!data.ok()) {
        return data.error();
    }
    if (auto done = makeFolder(options.eachDirectory); !done.ok()) {
        return done;
    }
    const std::int64_t total = selectedCount(data.value().records);
    std::int64_t done = 0;
    return forEachRecord(data.value(), [&](std::int64_t n, const Record& record) -> ExportResult {
        chart::ViewPainter painter(options.view, options.scale);
        painter.paintRecord(record, chart::recordColor(n));
        const chart::PictureText text =
            chart::pictureText(options.file, {{n, n}}, options.view, options.scale, kSoftware);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!chart::writePng(buffer, painter.finish({chart::legendEntry(n, record)}), text)) {
            return failure(kOutput, options.eachDirectory,
                           "cannot be written: the picture cannot be made");
        }
        char name[32];
        std::snprintf(name, sizeof name, "record-%06lld.png", static_cast<long long>(n));
        const std::string path = (std::filesystem::path(options.eachDirectory) / name).string();
        Result<OutputFile, Failure> out = OutputFile::open(path, data.value().identity);
        if (!out.ok()) {
            return out.error();
        }
        if (auto written = writeBytes(out.value(), bytes); !written.ok()) {
            return written;
        }
        if (auto committed = out.value().commit(); !committed.ok()) {
            return committed;
        }
        if (progress) {
            progress(++done, total, n);
        }
        return {};
    });
}

} // namespace

ExportResult viewPicture(const ExportOptions& options, const Progress& progress) {
    if (options.each) {
        return eachPicture(options, progress);
    }
    // The picture is made before the output is opened: a record missing from the file leaves
    // the output untouched.
    Result<DataFile, Failure> data = openSelected(options.file, options.records);
    if (!data.ok()) {
        return data.error();
    }
    Result<QByteArray, Failure> picture = pictureOf(options, data.value());
    if (!picture.ok()) {
        return picture.error();
    }
    Result<OutputFile, Failure> out = OutputFile::open(options.output, data.value().identity);
    if (!out.ok()) {
        return out.error();
    }
    if (auto written = writeBytes(out.value(), picture.value()); !written.ok()) {
        return written;
    }
    return out.value().commit();
}

} // namespace sorkam::exporting
