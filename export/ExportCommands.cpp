#include "export/ExportCommands.h"

#include "export/ExportOptions.h"

#include "chart/Density.h"
#include "chart/RecordColors.h"
#include "chart/RecordPainter.h"
#include "vector/PdfPicture.h"
#include "vector/SvgPicture.h"

#include "chart/ShownText.h"
#include "export/Formats.h"
#include "export/OutputFile.h"
#include "export/PictureWriters.h"
#include "export/SelectedRecords.h"
#include "raster/PalettePicture.h"
#include "record/RecordFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace sorkam::exporting {

namespace {

namespace fs = std::filesystem;

// Writes a picture's PNG bytes to out, with texts.
ExportResult writePng(OutputFile& out, const std::string& output, const PalettePicture& picture,
                      const chart::PngTexts& texts) {
    const std::string bytes = pngOf(picture, texts);
    if (bytes.empty()) {
        return failure(kOutput, output, "cannot be written: the picture cannot be compressed");
    }
    return out.write(bytes);
}

} // namespace

ExportResult info(const std::string& file, const std::optional<RecordSelection>& records, bool json,
                  const std::string& output) {
    Result<Opened, Failure> opened = withOutput(openSelected(file, records), output);
    if (!opened.ok()) {
        return opened.error();
    }
    auto& [data, out] = opened.value();
    InfoListing listing(out);
    InfoJson object(out);
    InfoWriter& writer = json ? static_cast<InfoWriter&>(object) : listing;
    const std::int64_t count = RecordFile::recordCount(data.length);
    if (auto done = writer.begin(chart::escapedName(file), data.length, count); !done.ok()) {
        return done;
    }
    // The length and count at once, however long the listing takes.
    if (auto done = out.flush(); !done.ok()) {
        return done;
    }
    if (auto done = forEachRecord(
            data, [&](std::int64_t n, const Record& record) { return writer.add(n, record); });
        !done.ok()) {
        return done;
    }
    if (auto done = writer.end(); !done.ok()) {
        return done;
    }
    return out.commit();
}

ExportResult png(const std::string& file, const RecordSelection& records, const std::string& output,
                 int scale) {
    Result<Opened, Failure> opened = withOutput(openSelected(file, records), output);
    if (!opened.ok()) {
        return opened.error();
    }
    auto& [data, out] = opened.value();
    PalettePicture picture(scale);
    if (auto done = forEachRecord(data,
                                  [&](std::int64_t n, const Record& record) -> ExportResult {
                                      picture.add(record, n);
                                      return {};
                                  });
        !done.ok()) {
        return done;
    }
    const chart::PictureText text =
        chart::pictureText(file, runsOf(data.records), {}, scale, kSoftware);
    if (auto done = writePng(out, output, picture, chart::pngTexts(text)); !done.ok()) {
        return done;
    }
    return out.commit();
}

namespace {

// The selected records in view as a document written by hand (SvgPicture or PdfPicture), written
// to the output as they are read.
template <typename Picture>
ExportResult vectorPicture(const std::string& file, const RecordSelection& records,
                           const chart::View& view, const std::string& output) {
    Result<Opened, Failure> opened = withOutput(openSelected(file, records), output);
    if (!opened.ok()) {
        return opened.error();
    }
    auto& [data, out] = opened.value();
    ExportResult written;
    Picture picture(view, chart::pictureText(file, runsOf(data.records), view, 1, kSoftware),
                    [&](std::string_view piece) {
                        written = out.write(piece);
                        return written.ok();
                    });
    std::vector<chart::LegendEntry> legend;
    if (auto done = forEachRecord(data,
                                  [&](std::int64_t n, const Record& record) -> ExportResult {
                                      picture.paintRecord(record, chart::recordColor(n));
                                      if (view.legend) {
                                          chart::addToLegend(legend, n, record, view);
                                      }
                                      return written;
                                  });
        !done.ok()) {
        return done;
    }
    if (!picture.finish(legend)) {
        return written.ok() ? failure(kOutput, output,
                                      "cannot be written: the picture cannot be "
                                      "compressed")
                            : written;
    }
    return out.commit();
}

} // namespace

ExportResult svg(const std::string& file, const RecordSelection& records, const chart::View& view,
                 const std::string& output) {
    return vectorPicture<chart::SvgPicture>(file, records, view, output);
}

ExportResult pdf(const std::string& file, const RecordSelection& records, const chart::View& view,
                 const std::string& output) {
    return vectorPicture<chart::PdfPicture>(file, records, view, output);
}

namespace {

// The records of data painted on picture in its view, with their legend where the view has one.
ExportResult paintRecords(chart::PalettePicture& picture, const DataFile& data,
                          std::vector<chart::LegendEntry>& legend) {
    return forEachRecord(data, [&](std::int64_t n, const Record& record) -> ExportResult {
        picture.paintRecord(record, chart::recordColor(n));
        if (picture.view().legend) {
            chart::addToLegend(legend, n, record, picture.view());
        }
        return {};
    });
}

// The picture made, with text, written to output (opened only now: a picture that could not be
// made leaves it untouched) and put in place.
ExportResult savePng(const std::string& output, const FileIdentity& data,
                     const chart::PalettePicture& picture, const chart::PictureText& text) {
    Result<OutputFile, Failure> out = OutputFile::open(output, data);
    if (!out.ok()) {
        return out.error();
    }
    if (auto done = writePng(out.value(), output, picture, chart::pngTexts(text)); !done.ok()) {
        return done;
    }
    return out.value().commit();
}

// png --density: the selected records' density counted on every core, with the records of --over
// painted over it.
ExportResult densityPng(const ExportOptions& options, const DataFile& data) {
    const Result<DataFile, Failure> over = openSelected(options.file, options.over);
    if (!options.over.empty() && !over.ok()) {
        return over.error();
    }
    const int plotWidth = chart::PalettePicture::plotWidth(options.scale);
    const int plotHeight = chart::PalettePicture::plotHeight(options.scale);
    Result<chart::Density, ReadFailure> counted =
        chart::countDensity(data.path, runsOf(data.records), options.view, plotWidth, plotHeight);
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
    chart::View view = options.view;
    view.density = std::make_shared<const chart::Density>(std::move(counted.value()));
    chart::PalettePicture picture(options.scale, view);
    std::vector<chart::LegendEntry> legend;
    if (!options.over.empty()) {
        if (auto done = paintRecords(picture, over.value(), legend); !done.ok()) {
            return done;
        }
    }
    picture.decorate(legend);
    return savePng(options.output, data.identity, picture,
                   chart::pictureText(options.file,
                                      options.over.empty() ? chart::RecordRuns()
                                                           : runsOf(over.value().records),
                                      view, options.scale, kSoftware));
}

} // namespace

ExportResult viewPng(const ExportOptions& options, const Progress& progress) {
    const Result<DataFile, Failure> opened = openSelected(options.file, options.records);
    if (!opened.ok()) {
        return opened.error();
    }
    const DataFile& data = opened.value();
    if (options.density) {
        return densityPng(options, data);
    }
    chart::PalettePicture picture(options.scale, options.view);
    if (!options.each) {
        std::vector<chart::LegendEntry> legend;
        if (auto done = paintRecords(picture, data, legend); !done.ok()) {
            return done;
        }
        picture.decorate(legend);
        return savePng(options.output, data.identity, picture,
                       chart::pictureText(options.file, runsOf(data.records), options.view,
                                          options.scale, kSoftware));
    }
    const std::int64_t total = selectedCount(data.records);
    return forEachPicture(
        data, options.eachDirectory,
        [&](std::int64_t k, std::int64_t n, const Record& record,
            const std::string& path) -> ExportResult {
            picture.clear();
            picture.paintRecord(record, chart::recordColor(n));
            std::vector<chart::LegendEntry> legend;
            if (options.view.legend) {
                chart::addToLegend(legend, n, record, options.view);
            }
            picture.decorate(legend);
            if (auto done = savePng(path, data.identity, picture,
                                    chart::pictureText(options.file, {{n, n}}, options.view,
                                                       options.scale, kSoftware));
                !done.ok()) {
                return done;
            }
            if (progress) {
                progress(k + 1, total, n);
            }
            return ExportResult();
        });
}

ExportResult pngEach(const std::string& file, const RecordSelection& records,
                     const std::string& directory, int scale, const Progress& progress) {
    const Result<DataFile, Failure> data = openSelected(file, records);
    if (!data.ok()) {
        return data.error();
    }
    PalettePicture picture(scale);
    PictureWriters writers(picture, data.value().identity, selectedCount(data.value().records),
                           progress);
    std::int64_t submitted = 0;
    const ExportResult walked = forEachPicture(
        data.value(), directory,
        [&](std::int64_t k, std::int64_t n, const Record& record,
            const std::string& path) -> ExportResult {
            picture.clear();
            picture.add(record, n);
            const chart::PictureText text =
                chart::pictureText(file, {{n, n}}, {}, scale, kSoftware);
            if (!writers.submit(k, n, path, picture.pixels(), chart::pngTexts(text))) {
                return writers.finish(); // an earlier picture failed
            }
            submitted = k + 1;
            return {};
        });
    if (!walked.ok()) {
        writers.fail(submitted, walked.error());
    }
    return writers.finish();
}

ExportResult csv(const std::string& file, const RecordSelection& records,
                 const std::string& output) {
    Result<Opened, Failure> opened = withOutput(openSelected(file, records), output);
    if (!opened.ok()) {
        return opened.error();
    }
    auto& [data, out] = opened.value();
    CsvWriter writer(out);
    if (auto done = writer.begin(); !done.ok()) {
        return done;
    }
    if (auto done = forEachRecord(
            data, [&](std::int64_t n, const Record& record) { return writer.add(n, record); });
        !done.ok()) {
        return done;
    }
    return out.commit();
}

} // namespace sorkam::exporting
