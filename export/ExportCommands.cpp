#include "export/ExportCommands.h"

#include "chart/RecordColors.h"
#include "chart/RecordPainter.h"
#include "vector/PdfPicture.h"
#include "vector/SvgPicture.h"

#include "chart/ShownText.h"
#include "export/Formats.h"
#include "export/OutputFile.h"
#include "export/PalettePicture.h"
#include "export/PictureWriters.h"
#include "export/SelectedRecords.h"
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
