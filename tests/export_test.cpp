// sorkam-export: selections, each command's output against the file's bytes and the viewer's
// own painting, and the real program's statuses, outputs and failures.
#include "chart/Distance.h"
#include "export/ExportCommands.h"
#include "export/ExportOptions.h"
#include "export/Formats.h"
#include "export/Rank.h"
#include "export/RecordSelection.h"
#include "picture/ChartPicture.h"
#include "picture/ImagePlotSurface.h"
#include "plot/PlotFrame.h"
#include "tests/support/FakeViewer.h"
#include "tests/support/PdfPage.h"
#include "tests/support/TempFiles.h"
#include "viewer/RecordDisplay.h"

#include <QFile>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <set>
#include <sstream>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorkam {
namespace {

namespace fs = std::filesystem;
using namespace exporting;

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(RecordSelection, ReadsNumbersListsAndRanges) {
    using S = RecordSelection;
    EXPECT_EQ(parseRecordSelection("7"), S({{7, 7}}));
    EXPECT_EQ(parseRecordSelection("3,1,2"), S({{3, 3}, {1, 1}, {2, 2}}));
    EXPECT_EQ(parseRecordSelection("0,3-4,30"), S({{0, 0}, {3, 4}, {30, 30}}));
    EXPECT_EQ(parseRecordSelection("3-3"), S({{3, 3}}));
    // A range of any length costs no memory: it stays a range.
    EXPECT_EQ(selectedCount(*parseRecordSelection("0-2147483647,5")), (1LL << 31) + 1);
    // Open ranges run to the last record of the file, whatever it is.
    EXPECT_EQ(parseRecordSelection("all"), S({{0, kToTheLast}}));
    EXPECT_EQ(resolveSelection(*parseRecordSelection("2,1-"), 3).value(), S({{2, 2}, {1, 2}}));
    EXPECT_EQ(resolveSelection(*parseRecordSelection("3-"), 3).error(), 3);
    EXPECT_EQ(resolveSelection(*parseRecordSelection("1-5"), 3).error(), 3);
    for (const char* bad :
         {"", "-1", "a", "1,", ",1", "5-2", "1--2", "1 ", "0x3", "99999999999", "All", "-"}) {
        EXPECT_FALSE(parseRecordSelection(bad).has_value()) << bad;
    }
}

TEST(ExportOptions, RangesAreReadAsWrittenAndEveryRangeTheViewerWritesReadsBack) {
    const auto rangeOf = [](const std::string& range) {
        return parseExportOptions({"png", "f", "-r", "1", "-o", "a.png", "--range", range});
    };
    // Every one-decimal range exactly 8 wide, and one ending at 801; not a hair narrower.
    std::vector<std::string> refused;
    for (int tenths = 0; tenths + 80 <= 8010; ++tenths) {
        const auto decimal = [](int t) {
            return std::to_string(t / 10) + "." + std::to_string(t % 10);
        };
        const std::string range = decimal(tenths) + "-" + decimal(tenths + 80);
        if (!rangeOf(range).ok()) {
            refused.push_back(range);
        }
    }
    EXPECT_EQ(refused, std::vector<std::string>{});
    EXPECT_FALSE(rangeOf("0.5-8.4999999999999999").ok());
    EXPECT_FALSE(rangeOf("200-801.0000000000000001").ok());
    // The window's zooms and pans, down to the narrowest, as a picture's text writes them.
    chart::IndexRange range;
    bool narrowest = false;
    for (int step = 0; step < 400; ++step) {
        range = step % 7 == 6 ? chart::panned(range, (step % 3 - 1) * range.width() / 10.0 + 0.37)
                              : chart::zoomed(range, step % 5 == 4 ? 1.25 : 0.8, 35.5 + step * 1.9);
        narrowest = narrowest || range.width() == chart::kNarrowestRange;
        chart::View view;
        view.range = range;
        const std::string options = chart::pictureText("f.vid", {{1, 1}}, view, 1, "").options;
        std::vector<std::string> words = {"png", "f", "-o", "a.png"};
        std::istringstream split(options);
        for (std::string word; split >> word;) {
            words.push_back(word);
        }
        const auto parsed = parseExportOptions(words);
        ASSERT_TRUE(parsed.ok()) << options << ": " << parsed.error().message;
        EXPECT_EQ(parsed.value().view.range.first, range.first) << options;
        EXPECT_EQ(parsed.value().view.range.last, range.last) << options;
    }
    EXPECT_TRUE(narrowest);
}

TEST(ExportOptions, RefusesWhatDoesNotApplyAndReadsEverythingAfterDashes) {
    const auto usage = [](std::vector<std::string> words) {
        const auto parsed = parseExportOptions(words);
        return parsed.ok() ? std::string() : parsed.error().message;
    };
    EXPECT_EQ(usage({"info", "f", "-o", "x"}), "info does not take --output");
    EXPECT_EQ(usage({"csv", "f", "-r", "1", "--scale", "2"}), "csv does not take --scale");
    EXPECT_EQ(usage({"csv", "f", "-r", "1", "--json"}), "csv does not take --json");
    EXPECT_EQ(usage({"png", "f", "-r", "1", "-o", "a", "--each", "d"}),
              "png takes either -o or --each, not both");
    EXPECT_EQ(usage({"png", "f", "-r", "1", "-o", "a", "--scale", "5"}),
              "--scale takes 1 to 4, not 5");
    EXPECT_EQ(usage({"png", "f", "-r", "1"}), "png needs -o OUT.png or --each DIR");
    EXPECT_EQ(usage({"--help-all"}), "unknown option: --help-all");
    EXPECT_EQ(usage({"csv", "f"}), "csv needs the records: -r SEL");
    // The view's options belong to the pictures, and only whole views pass.
    EXPECT_EQ(usage({"info", "f", "--legend"}), "info does not take --legend");
    EXPECT_EQ(usage({"csv", "f", "-r", "1", "--range", "0-100"}), "csv does not take --range");
    EXPECT_EQ(usage({"svg", "f", "-r", "1", "-o", "a.svg", "--scale", "2"}),
              "svg does not take --scale");
    EXPECT_EQ(usage({"pdf", "f", "-r", "1", "--each", "d"}), "pdf does not take --each");
    EXPECT_EQ(usage({"svg", "f", "-r", "1"}), "svg needs -o OUT.svg");
    // A density is png's, of one picture; its own options go with it.
    EXPECT_EQ(usage({"svg", "f", "--density", "-o", "a.svg"}), "svg does not take --density");
    EXPECT_EQ(usage({"png", "f", "-r", "1", "-o", "a.png", "--over", "2"}),
              "--over goes with --density");
    EXPECT_EQ(usage({"png", "f", "--density", "--each", "d"}),
              "png --density makes one picture: name it with -o, not --each");
    EXPECT_EQ(usage({"png", "f", "--density", "-o", "a.png", "--density-scale", "square"}),
              "--density-scale takes log or linear, not square");
    EXPECT_EQ(usage({"pdf", "f", "-r", "1", "-o", "a.svg"}),
              "pdf writes PDF, but a.svg names a SVG file; name it a.pdf");
    for (const char* range : {"5-10", "0-802", "-1-100", "100", "a-b", "300-200"}) {
        EXPECT_EQ(
            usage({"png", "f", "-r", "1", "-o", "a.png", "--range", range}).rfind("--range", 0), 0u)
            << range;
    }
    for (const char* cursors : {"802", "1,", ",", "a", "1,2,3"}) {
        EXPECT_EQ(usage({"svg", "f", "-r", "1", "-o", "a.svg", "--cursors", cursors})
                      .rfind("--cursors", 0),
                  0u)
            << cursors;
    }
    const auto view = parseExportOptions(
        {"png", "f", "-r", "1", "-o", "a.png", "--range=200.25-400", "--cursors=,300", "--legend"});
    ASSERT_TRUE(view.ok());
    const chart::View& shown = view.value().view;
    EXPECT_EQ(shown.range.first, 200.25);
    EXPECT_EQ(shown.range.last, 400.0);
    EXPECT_EQ(shown.cursorA, std::nullopt);
    EXPECT_EQ(shown.cursorB, std::optional<int>(300));
    EXPECT_TRUE(shown.legend && view.value().showsView());

    const auto parsed = parseExportOptions({
        "-r",
        "3-3",
        "png",
        "--scale=4",
        "--",
        "-platform",
    });
    EXPECT_FALSE(parsed.ok()); // no output named
    const auto ok = parseExportOptions({"png", "-r3-3", "-o", "-", "--scale=4", "--", "-display"});
    ASSERT_TRUE(ok.ok());
    const auto& options = ok.value();
    EXPECT_EQ(options.file, "-display");
    EXPECT_EQ(options.output, "-");
    EXPECT_EQ(options.scale, 4);
    EXPECT_EQ(options.records, RecordSelection({{3, 3}}));
}

class ExportTest : public testing::Test {
protected:
    test::TempDir dir;
    std::string three = dir.write("three.vid", test::numberedRecords(3));
    std::string out(const std::string& name) const { return (dir.path() / name).string(); }
};

// What a format wrote, kept in memory.
class StringSink final : public OutputSink {
public:
    ExportResult write(std::string_view bytes) override {
        text += bytes;
        return {};
    }
    ExportResult flush() override { return {}; }

    std::string text;
};

Record recordWith(const std::string& header8, const std::string& header10) {
    Record record;
    record.header8 = header8;
    record.header10 = header10;
    return record;
}

TEST_F(ExportTest, InfoListsLengthRecordsAndHeaderTexts) {
    StringSink listed;
    InfoListing listing(listed);
    ASSERT_TRUE(listing.begin("three.vid", 15072, 3).ok());
    for (std::int64_t n = 0; n < 3; ++n) {
        ASSERT_TRUE(listing.add(n, RecordFile::read(three, n).value()).ok());
    }
    ASSERT_TRUE(listing.end().ok());
    EXPECT_EQ(listed.text.find("file:    three.vid\nlength:  15072 bytes\nrecords: 3\n"), 0u)
        << listed.text;
    EXPECT_NE(listed.text.find("\n     2  REC-2     TEXT-2    \n"), std::string::npos)
        << listed.text;

    // Header bytes that JSON must escape come back intact.
    StringSink odd;
    InfoJson json(odd);
    ASSERT_TRUE(json.begin("odd.vid", 5024, 1).ok());
    ASSERT_TRUE(json.add(0, recordWith("a\"b\\c\n  ", "x,y       ")).ok());
    ASSERT_TRUE(json.end().ok());
    QJsonParseError error{};
    const QJsonObject doc =
        QJsonDocument::fromJson(QByteArray::fromStdString(odd.text), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << odd.text;
    EXPECT_EQ(doc["length"].toInteger(), 5024);
    EXPECT_EQ(doc["records"].toInteger(), 1);
    const QJsonObject first = doc["headers"].toArray().at(0).toObject();
    EXPECT_EQ(first["header8"].toString(), QString("a\"b\\c\n  "));
    EXPECT_EQ(first["header10"].toString(), QString("x,y       "));

    StringSink empty;
    InfoJson none(empty);
    ASSERT_TRUE(none.begin("empty.vid", 0, 0).ok());
    ASSERT_TRUE(none.end().ok());
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(empty.text))
                  .object()["headers"]
                  .toArray()
                  .size(),
              0);
}

TEST_F(ExportTest, RankListsTheMostDistantRecordsFirstOnEveryCore) {
    // One sample 10 levels off of 3,208: rms sqrt(100 / 3208), the largest difference 10.
    Record flat;
    Record one = flat;
    one.channels[2][801] = 10;
    one.channels[3][802] = 200; // beyond the samples shown
    const chart::Distance d = chart::distanceBetween(one, flat);
    EXPECT_DOUBLE_EQ(d.rms, std::sqrt(100.0 / 3208));
    EXPECT_EQ(d.largest, 10);

    // 600 records flat at 100 (two shares of the work), but for 555 at 250, 300 at 220, 17 at 0.
    std::vector<std::uint8_t> file;
    for (int r = 0; r < 600; ++r) {
        const std::uint8_t level = r == 555 ? 250 : r == 300 ? 220 : r == 17 ? 0 : 100;
        testdata::ChannelSamples channels{};
        for (auto& channel : channels) {
            channel.fill(level);
        }
        testdata::appendRecord(file,
                               testdata::encodeRecord("R," + std::to_string(r), "T", channels));
    }
    const std::string data = dir.write("ranked.vid", file);
    ASSERT_TRUE(rank(data, std::nullopt, 0, std::nullopt, false, out("all.csv")).ok());
    std::ifstream all(out("all.csv"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(all, line);) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 601u);
    EXPECT_EQ(lines[0], "record,rms,max,header8,header10");
    EXPECT_EQ(lines[1], "555,150.000,150,\"R,555   \",\"T         \"");
    EXPECT_EQ(lines[2].substr(0, 13), "300,120.000,1");
    EXPECT_EQ(lines[3].substr(0, 12), "17,100.000,1");
    EXPECT_EQ(lines[4].substr(0, 8), "0,0.000,"); // ties in record order
    EXPECT_EQ(lines[600].substr(0, 10), "599,0.000,");

    // --top 2 --json over a selection.
    ASSERT_TRUE(rank(data, RecordSelection{{0, 400}}, 0, 2, true, out("top.json")).ok());
    QFile top(QString::fromStdString(out("top.json")));
    ASSERT_TRUE(top.open(QIODevice::ReadOnly));
    const QJsonObject doc = QJsonDocument::fromJson(top.readAll()).object();
    EXPECT_EQ(doc["against"].toInteger(), 0);
    const QJsonArray records = doc["records"].toArray();
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].toObject()["record"].toInteger(), 300);
    EXPECT_EQ(records[1].toObject()["max"].toInteger(), 100);

    // A reference the file does not hold: status 4, no output.
    EXPECT_EQ(rank(data, std::nullopt, 600, 1, false, out("none.csv")).error().status, kNoRecord);
    EXPECT_FALSE(std::filesystem::exists(out("none.csv")));
}

TEST_F(ExportTest, CsvHoldsEachRecordsSamplesFromTheFile) {
    StringSink rowsOut;
    CsvWriter writer(rowsOut);
    ASSERT_TRUE(writer.begin().ok());
    for (const std::int64_t n : {2, 0}) {
        ASSERT_TRUE(writer.add(n, RecordFile::read(three, n).value()).ok());
    }
    std::istringstream lines(rowsOut.text);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "record,header8,header10,index,channel1,channel2,channel3,channel4");
    int rows = 0;
    while (std::getline(lines, line)) {
        const int record = rows < 1200 ? 2 : 0;
        const int index = rows % 1200;
        std::ostringstream expected;
        // Trailing blanks of the header texts are kept, so the fields are quoted.
        expected << record << ",\"REC-" << record << "   \",\"TEXT-" << record << "    \","
                 << index;
        for (int c = 0; c < 4; ++c) {
            expected << ',' << int(test::numberedSample(record, c, index));
        }
        ASSERT_EQ(line, expected.str()) << "row " << rows; // LF endings: no CR left on the line
        ++rows;
    }
    EXPECT_EQ(rows, 2 * 1200);
}

TEST(CsvField, QuotesWhatCsvRequires) {
    EXPECT_EQ(csvField("07.12.26"), "07.12.26");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("TEXT-1    "), "\"TEXT-1    \"");
    EXPECT_EQ(csvField("a\nb"), "\"a\nb\"");
}

TEST_F(ExportTest, PicturesAreTheViewersPixels) {
    // The viewer paints records 0, 1, 2 over its frame; the export of 0-2 must hold the same, at
    // the window's own size and at twice its pixels.
    for (const int scale : {1, 2}) {
        const QSize plot(726 * scale, 237 * scale);
        ImagePlotSurface plotA(plot, 96 * scale), plotB(plot, 96 * scale);
        test::EventLog log;
        test::FakeHost host(log);
        RecordDisplay display(host, plotA, plotB);
        drawFrame(plotA, plotB);
        for (std::int16_t n = 0; n < 3; ++n) {
            ASSERT_EQ(outcomeOf(display.showRecord(three, n)), DisplayOutcome::Shown);
        }
        const std::string name = out("three-" + std::to_string(scale) + ".png");
        ASSERT_TRUE(png(three, {{0, 2}}, name, scale).ok());
        const QImage picture(QString::fromStdString(name));
        ASSERT_EQ(picture.size(), QSize(755, 538) * scale);
        EXPECT_EQ(picture.format(), QImage::Format_Indexed8); // a palette picture
        EXPECT_EQ(picture.dotsPerMeterX(), qRound(96 * scale / 0.0254));
        const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(rgb.copy(QRect(QPoint(14, 21) * scale, plot)), plotA.image()) << scale;
        EXPECT_EQ(rgb.copy(QRect(QPoint(14, 280) * scale, plot)), plotB.image()) << scale;
        // Around the plots, the captions as the window's fonts draw them.
        const chart::BareChart bare = chart::bareChart(scale);
        EXPECT_EQ(rgb.copy(0, 0, rgb.width(), 21 * scale),
                  bare.picture.copy(0, 0, rgb.width(), 21 * scale));
    }

    // One picture per record, each on a fresh frame, written on several threads.
    const fs::path each = dir.path() / "pictures";
    fs::create_directory(each);
    std::vector<std::int64_t> progress;
    ASSERT_TRUE(pngEach(three, {{2, 2}, {0, 0}}, each.string(), 2,
                        [&](std::int64_t, std::int64_t total, std::int64_t record) {
                            EXPECT_EQ(total, 2);
                            progress.push_back(record);
                        })
                    .ok());
    std::sort(progress.begin(), progress.end());
    EXPECT_EQ(progress, (std::vector<std::int64_t>{0, 2}));
    EXPECT_EQ(QImage(QString::fromStdString((each / "record-000002.png").string())).size(),
              QSize(1510, 1076));
    // Every picture of a run of several equals the picture of its record alone; the folder is
    // made where it is not there.
    const std::string nine = dir.write("nine.vid", test::numberedRecords(9));
    const fs::path made = dir.path() / "made" / "here";
    ASSERT_TRUE(pngEach(nine, {{0, kToTheLast}}, made.string(), 1, {}).ok());
    for (int n = 0; n < 9; ++n) {
        ASSERT_TRUE(png(nine, {{n, n}}, out("alone.png"), 1).ok());
        char name[32];
        std::snprintf(name, sizeof name, "record-%06d.png", n);
        EXPECT_EQ(contents(made / name), contents(out("alone.png"))) << n;
    }
}

// The real program.
struct ToolRun {
    int status;
    QString err;
    QByteArray out;
};

// Runs the tool (or program, which runs the tool) with args, after setUp.
ToolRun exportTool(const QStringList& args, const std::function<void(QProcess&)>& setUp = {},
                   const QString& program = QStringLiteral(SORKAM_EXPORT_BINARY)) {
    QProcess process;
    if (setUp) {
        setUp(process);
    }
    process.start(program, args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError()), process.readAllStandardOutput()};
}

// Files in the folder other than the ones named.
std::vector<std::string> othersIn(const fs::path& folder, std::set<std::string> expected) {
    std::vector<std::string> others;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!expected.contains(entry.path().filename().string())) {
            others.push_back(entry.path().filename().string());
        }
    }
    return others;
}

// How many polylines of an SVG drawing are stroked in each colour.
std::map<QString, int> polylinesByStroke(const QByteArray& svg, QString& title, int& texts,
                                         int& images) {
    std::map<QString, int> counts;
    std::vector<QString> strokes{QString()};
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QString stroke = xml.attributes().value("stroke").toString();
            strokes.push_back(stroke.isEmpty() ? strokes.back() : stroke);
            counts[strokes.back()] += xml.name() == u"polyline" ? 1 : 0;
            texts += xml.name() == u"text" ? 1 : 0;
            images += xml.name() == u"image" ? 1 : 0;
            if (xml.name() == u"title") {
                title = xml.readElementText();
                strokes.pop_back();
            }
        } else if (xml.isEndElement()) {
            strokes.pop_back();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return counts;
}

TEST_F(ExportTest, AnSvgHoldsAPolylineAChannelAndItsTextsAsText) {
    const QString data = QString::fromStdString(three);
    const QString svg = QString::fromStdString(out("two.svg"));
    ASSERT_EQ(exportTool({"svg", data, "-r", "1-2", "-o", svg}).status, 0);
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString title;
    int texts = 0;
    int images = 0;
    const auto strokes = polylinesByStroke(file.readAll(), title, texts, images);
    // Record 1 red and record 2 green: a polyline for each of their four channels.
    EXPECT_EQ(strokes.at("#ff0000"), 4);
    EXPECT_EQ(strokes.at("#00ff00"), 4);
    EXPECT_EQ(title, "three.vid, records 1-2");
    EXPECT_GE(texts, 2 + 2 * (13 + 17)); // captions, value and index numbers as text
    EXPECT_EQ(images, 0);
}

TEST_F(ExportTest, EveryPictureNamesAFileExactlyWhateverItsNameHolds) {
    // Markup, runs of blanks and a character XML forbids (U+FFFE).
    const std::string name = "R&D <a> ]]>  b\xEF\xBF\xBE.vid";
    const std::string data = dir.write(name, test::numberedRecords(2));
    const QString title = QString::fromStdString(name) + ", records 1";
    const auto made = [&](const char* command, const std::string& file) {
        const ToolRun run = exportTool({command, QString::fromStdString(data), "-r", "1", "-o",
                                        QString::fromStdString(out(file))});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return QString::fromStdString(out(file));
    };
    // PNG texts exactly (Qt's own reader would collapse the blanks): the plain picture's and
    // a view's.
    const auto pngText = [](const QString& file, const std::string& keyword) {
        const std::string png = contents(file.toStdString());
        for (std::size_t at = 8; at + 12 <= png.size();) {
            const std::size_t length = (std::size_t(std::uint8_t(png[at])) << 24) |
                                       (std::size_t(std::uint8_t(png[at + 1])) << 16) |
                                       (std::size_t(std::uint8_t(png[at + 2])) << 8) |
                                       std::uint8_t(png[at + 3]);
            const std::string data = png.substr(at + 8, length);
            if (png.compare(at + 4, 4, "iTXt") == 0 && data.rfind(keyword + '\0', 0) == 0) {
                return data.substr(keyword.size() + 5);
            }
            at += 12 + length;
        }
        return std::string();
    };
    EXPECT_EQ(pngText(made("png", "named.png"), "Title"), title.toStdString());
    const ToolRun view = exportTool({"png", QString::fromStdString(data), "-r", "1", "--legend",
                                     "-o", QString::fromStdString(out("view.png"))});
    ASSERT_EQ(view.status, 0) << view.err.toStdString();
    EXPECT_EQ(pngText(QString::fromStdString(out("view.png")), "Source"), name);
    // The SVG is well-formed, with U+FFFE shown as U+FFFD; so does a PDF reader show it.
    const QString readable = QString(title).replace(QChar(0xFFFE), QChar(0xFFFD));
    QFile svg(made("svg", "named.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QString svgTitle;
    int texts = 0;
    int images = 0;
    polylinesByStroke(svg.readAll(), svgTitle, texts, images);
    EXPECT_EQ(svgTitle, readable);
    // A PDF reader finds the title and reads the document without a complaint.
    const QString pdf = made("pdf", "named.pdf");
    const ToolRun info = exportTool({pdf}, {}, QStringLiteral("pdfinfo"));
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.err, QString());
    EXPECT_TRUE(QString::fromUtf8(info.out).contains("Title:           " + readable + "\n"))
        << info.out.toStdString();
}

TEST_F(ExportTest, APdfSaysWhatItShowsAndItsObjectsAreWhereItsTableSays) {
    const QString data = QString::fromStdString(three);
    const QString pdf = QString::fromStdString(out("two.pdf"));
    ASSERT_EQ(exportTool({"pdf", data, "-r", "1-2", "-o", pdf, "--legend"}).status, 0);
    const std::string document = contents(pdf.toStdString());
    EXPECT_EQ(document.rfind("%PDF-", 0), 0u);
    EXPECT_NE(document.find("/Title"), std::string::npos);
    EXPECT_NE(document.find("<dc:description><rdf:Alt><rdf:li xml:lang='x-default'>VIDEO A "
                            "(channels 1 and 3) and VIDEO B (channels 2 and 4) of records 1-2 of "
                            "three.vid, samples 0 to 801, with a legend<"),
              std::string::npos);
    EXPECT_EQ(document.find("/Subtype /Image"), std::string::npos);
    // The subject written into the document information: every object still where the
    // cross-reference table says it is.
    EXPECT_NE(document.find("/Subject <FEFF0056004900440045004F"), std::string::npos); // "VIDEO"
    const std::size_t xref = std::stoul(document.substr(document.rfind("startxref") + 10));
    ASSERT_EQ(document.compare(xref, 5, "xref\n"), 0);
    std::istringstream table(document.substr(xref + 5));
    int first = 0;
    int count = 0;
    table >> first >> count;
    table.ignore(1);
    for (int k = 0; k < count; ++k) {
        std::string entry(20, '\0');
        table.read(entry.data(), 20);
        if (entry[17] == 'n') {
            const std::string object = std::to_string(k) + " 0 obj";
            EXPECT_EQ(document.compare(std::stoul(entry.substr(0, 10)), object.size(), object), 0)
                << k;
        }
    }
    // The page: record 1 red and record 2 green, a stroked path for each of their four channels;
    // the legend's texts in the standard face.
    const std::string page = test::pdfPageContent(document);
    const auto paths = [&](const std::string& stroke) {
        int count = 0;
        for (std::size_t at = page.find(stroke); at != std::string::npos;
             at = page.find(stroke, at + 1)) {
            const std::string group = page.substr(at, page.find("Q\n", at) - at);
            for (std::size_t m = group.find(" m "); m != std::string::npos;
                 m = group.find(" m ", m + 1)) {
                ++count;
            }
        }
        return count;
    };
    EXPECT_EQ(paths("1 0 0 RG"), 4) << page.substr(0, 2000);
    EXPECT_EQ(paths("0 1 0 RG"), 4);
    EXPECT_NE(page.find("(1  REC-1"), std::string::npos);
    EXPECT_NE(document.find("/BaseFont /Times-Roman"), std::string::npos);
}

TEST_F(ExportTest, APngNamesTheOptionsThatPaintItAgainAndEachPictureIsItsRecordAlone) {
    // A PNG's texts: the plain picture's and the view's, which a script can paint again.
    const QString data = QString::fromStdString(three);
    const QString plain = QString::fromStdString(out("plain.png"));
    const QString view = QString::fromStdString(out("view.png"));
    ASSERT_EQ(exportTool({"png", data, "-r", "1-2", "-o", plain}).status, 0);
    const QStringList options = {"--range", "100-300.5", "--cursors", "150,250", "--legend"};
    ASSERT_EQ(exportTool(QStringList{"png", data, "-r", "1-2", "-o", view} + options).status, 0);
    EXPECT_EQ(QImageReader(plain).text("Title"), "three.vid, records 1-2");
    EXPECT_EQ(QImageReader(plain).text("Source"), "three.vid");
    EXPECT_EQ(QImageReader(plain).text("Software"), "sorkam-export " SORKAM_VERSION);
    EXPECT_EQ(QImageReader(plain).text("Comment"), "sorkam-export -r 1-2");
    EXPECT_EQ(QImageReader(view).text("Comment"), "sorkam-export -r 1-2 " + options.join(' '));
    EXPECT_EQ(QImage(view).size(), QImage(plain).size());
    EXPECT_NE(QImage(view).convertToFormat(QImage::Format_RGB32),
              QImage(plain).convertToFormat(QImage::Format_RGB32));

    // One picture a record, each the picture of its record alone.
    const QString each = QString::fromStdString(out("each"));
    ASSERT_EQ(exportTool(QStringList{"png", data, "-r", "2,1", "--each", each} + options).status,
              0);
    ASSERT_EQ(exportTool(QStringList{"png", data, "-r", "1", "-o", view} + options).status, 0);
    EXPECT_EQ(QImage(each + "/record-000001.png"), QImage(view));
    EXPECT_EQ(QImageReader(each + "/record-000002.png").text("Title"), "three.vid, records 2");

    // A record the file does not hold leaves no drawing behind.
    const ToolRun missing =
        exportTool({"svg", data, "-r", "1,7", "-o", QString::fromStdString(out("none.svg"))});
    EXPECT_EQ(missing.status, kNoRecord);
    EXPECT_FALSE(fs::exists(out("none.svg")));
}

TEST_F(ExportTest, EachErrorHasItsStatusAndOneLineAndLeavesNoOutput) {
    const QString data = QString::fromStdString(three);
    const QString outDir = QString::fromStdString(dir.path().string());
    const QString missing = outDir + "/missing.vid";
    fs::create_symlink(three, dir.path() / "link.out");
    fs::create_hard_link(three, dir.path() / "hard.out");
    struct Case {
        QStringList args;
        int status;
        QString names;
    };
    const std::vector<Case> cases = {
        {{"info", missing}, kDataFile, missing},
        {{"csv", missing, "-r", "0"}, kDataFile, missing},
        {{"png", outDir, "-r", "0", "-o", outDir + "/a.png"}, kDataFile, outDir},
        {{"csv", data, "-r", "3"}, kNoRecord, "record 3 is not in the file (it holds 3 records"},
        {{"png", data, "-r", "1,5", "--each", outDir}, kNoRecord, "record 5"},
        {{"csv", data, "-r", "0-2", "-o", outDir + "/link.out"}, kOutputIsData, "link.out"},
        {{"png", data, "-r", "0", "-o", outDir + "/hard.out"}, kOutputIsData, "hard.out"},
        {{"png", data, "-r", "0", "-o", data}, kOutputIsData, data},
        {{"csv", data, "-r", "0", "-o", outDir + "/no/such/dir/a.csv"}, kOutput, "a.csv"},
        {{"png", data, "-r", "0", "--each", data}, kOutput, "cannot be written: Not a directory"},
        {{"csv", data, "-r", "3-"}, kNoRecord, "record 3 is not in the file"},
        {{"info", data, "-r", "1,4"}, kNoRecord, "record 4 is not in the file"},
        {{"png", data, "-r", "1", "-o", outDir + "/a.JPG"}, kUsage, "names a JPEG file; name it"},
        {{"csv", data, "-r", "1", "-o", outDir + "/a.png"}, kUsage, "csv writes CSV"},
        {{"png", data, "-r", "x", "-o", outDir + "/a.png"}, kUsage, "not a record selection: x"},
        {{"info", data, "--scale", "2"}, kUsage, "info does not take --scale"},
        {{"bogus", data}, kUsage, "bogus"},
    };
    for (const Case& c : cases) {
        const ToolRun run = exportTool(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.join(' ').toStdString();
        const QStringList lines = run.err.split('\n', Qt::SkipEmptyParts);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines[0].startsWith("sorkam-export: ")) << run.err.toStdString();
        EXPECT_TRUE(lines[0].contains(c.names)) << lines[0].toStdString();
        EXPECT_EQ(lines.size(), c.status == kUsage ? 2 : 1) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    // The data file refused through standard output and /dev/fd, for every command.
    for (const QStringList& args : {QStringList{"info", data},
                                    {"csv", data, "-r", "0"},
                                    {"png", data, "-r", "0", "-o", "-"},
                                    {"csv", data, "-r", "0", "-o", "/dev/stdout"}}) {
        const ToolRun run = exportTool(
            args, [&](QProcess& p) { p.setStandardOutputFile(data, QIODevice::Append); });
        EXPECT_EQ(run.status, kOutputIsData) << args.join(' ').toStdString();
    }
    EXPECT_EQ(contents(three), contents(dir.write("again.vid", test::numberedRecords(3))));
    EXPECT_EQ(othersIn(dir.path(), {"three.vid", "again.vid", "link.out", "hard.out"}),
              std::vector<std::string>{});
}

TEST_F(ExportTest, FailedWritesEndWithStatusFiveAndLeaveNoFile) {
    const QString data = QString::fromStdString(three);
    const QString outDir = QString::fromStdString(dir.path().string());
    // A full device, as the output and as standard output: reported, and left a device.
    for (const QStringList& args : {QStringList{"csv", data, "-r", "0", "-o", "/dev/full"},
                                    {"png", data, "-r", "0", "-o", "-"},
                                    {"info", data, "--json"},
                                    {"--help"}}) {
        const ToolRun run =
            exportTool(args, [](QProcess& p) { p.setStandardOutputFile("/dev/full"); });
        EXPECT_EQ(run.status, kOutput) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("No space left on device")) << run.err.toStdString();
    }
    struct stat full {};
    ASSERT_EQ(::stat("/dev/full", &full), 0);
    EXPECT_TRUE(S_ISCHR(full.st_mode));

    // Files that grow past what the system allows: nothing is left behind, on any path.
    const auto smallFiles = [](QProcess& p) {
        p.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    };
    for (const QStringList& args :
         {QStringList{"csv", data, "-r", "0-2", "-o", outDir + "/rows.csv"},
          {"png", data, "-r", "0-2", "-o", outDir + "/all.png"},
          {"png", data, "-r", "0-2", "--each", outDir}}) {
        const ToolRun run = exportTool(args, smallFiles);
        EXPECT_EQ(run.status, kOutput) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("File too large")) << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    }
    EXPECT_EQ(othersIn(dir.path(), {"three.vid"}), std::vector<std::string>{});
}

TEST_F(ExportTest, SpecialOutputsAreWrittenInPlaceAndShrinkingFilesStopTheRun) {
    // A FIFO named as the output is written to and stays a FIFO.
    const std::string fifo = out("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto read = std::async(std::launch::async, [&] { return contents(fifo); });
    const ToolRun one = exportTool(
        {"csv", QString::fromStdString(three), "-r", "1", "-o", QString::fromStdString(fifo)});
    EXPECT_EQ(one.status, kOk) << one.err.toStdString();
    ASSERT_TRUE(csv(three, {{1, 1}}, out("one.csv")).ok());
    EXPECT_EQ(read.get(), contents(out("one.csv")));
    EXPECT_TRUE(fs::is_fifo(fifo));

    // A file that shrinks while its rows are written: the first record no longer there ends the
    // run with status 4. The program stalls on the FIFO until the file is cut.
    const std::string twenty = dir.write("twenty.vid", test::numberedRecords(20));
    QProcess process;
    process.start(
        QStringLiteral(SORKAM_EXPORT_BINARY),
        {"csv", QString::fromStdString(twenty), "-r", "0-19", "-o", QString::fromStdString(fifo)});
    std::ifstream reader(fifo, std::ios::binary);
    std::string first(1000, '\0');
    reader.read(first.data(), static_cast<std::streamsize>(first.size()));
    fs::resize_file(twenty, 5 * 5024);
    const std::string rest(std::istreambuf_iterator<char>(reader), {});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), kNoRecord);
    EXPECT_TRUE(process.readAllStandardError().contains("record 5 is not in the file"));
    const std::string all = first + rest;
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 1 + 5 * 1200)
        << "rows of the five records still in the file, not of zeros";
}

TEST_F(ExportTest, ASignalThatEndsTheRunTakesTheUnfinishedFilesWithIt) {
    const QString data = QString::fromStdString(three);
    // A file too large for the system, with SIGXFSZ left to end the program: the signal ends it,
    // and the file it was writing goes with it.
    const ToolRun large = exportTool(
        {"csv", data, "-r", "0-2", "-o", QString::fromStdString(out("rows.csv"))}, [](QProcess& p) {
            p.setChildProcessModifier([] {
                const rlimit limit{4096, 4096};
                setrlimit(RLIMIT_FSIZE, &limit);
            });
        });
    EXPECT_EQ(large.status, -1); // ended by the signal
    // SIGTERM or SIGHUP while --each writes on several threads, at several moments: nothing
    // half-written is left behind, whichever thread was creating or writing a file.
    const std::string many = dir.write("many.vid", test::numberedRecords(60));
    for (const int delay : {20, 40, 80, 160}) {
        const fs::path folder = dir.path() / ("each-" + std::to_string(delay));
        QProcess process;
        process.start(QStringLiteral(SORKAM_EXPORT_BINARY),
                      {"png", QString::fromStdString(many), "-r", "all", "--scale", "2", "--each",
                       QString::fromStdString(folder.string())});
        ASSERT_TRUE(process.waitForStarted());
        QThread::msleep(delay);
        ::kill(static_cast<pid_t>(process.processId()), delay % 40 == 0 ? SIGHUP : SIGTERM);
        ASSERT_TRUE(process.waitForFinished(60000));
        if (!fs::exists(folder)) {
            continue; // ended before it made the folder
        }
        for (const auto& entry : fs::directory_iterator(folder)) {
            EXPECT_EQ(entry.path().filename().string().front(), 'r') << entry.path();
        }
    }
    EXPECT_EQ(othersIn(dir.path(),
                       {"three.vid", "many.vid", "each-20", "each-40", "each-80", "each-160"}),
              std::vector<std::string>{});
}

TEST_F(ExportTest, AnOutputThroughALinkReplacesTheFileItLeadsTo) {
    const std::string target = out("target.csv");
    std::ofstream(target) << "old\n";
    fs::create_symlink(target, out("link.csv"));
    const ToolRun linked = exportTool({"csv", QString::fromStdString(three), "-r", "1", "-o",
                                       QString::fromStdString(out("link.csv"))});
    EXPECT_EQ(linked.status, kOk) << linked.err.toStdString();
    EXPECT_TRUE(fs::is_symlink(out("link.csv")));
    EXPECT_EQ(contents(target).rfind("record,", 0), 0u) << contents(target);
}

TEST_F(ExportTest, ANameAsLongAsTheFileSystemAllowsIsWritten) {
    // The new file beside it has a shorter name.
    const QString data = QString::fromStdString(three);
    const std::string longest = out(std::string(251, 'n') + ".csv");
    const ToolRun longName =
        exportTool({"csv", data, "-r", "1", "-o", QString::fromStdString(longest)});
    EXPECT_EQ(longName.status, kOk) << longName.err.toStdString();
    EXPECT_TRUE(fs::is_regular_file(longest));
}

TEST_F(ExportTest, AFileTheUserMayNotWriteIsRefusedAndRootKeepsItsModeAndOwner) {
    // As the shell's ">" refuses it. Both parts need root: one to give the file away and to run
    // the tool as another user, the other to be root.
    const QString data = QString::fromStdString(three);
    if (::geteuid() != 0) {
        GTEST_SKIP() << "the owners' part needs root";
    }
    const std::string readOnly = out("kept.csv");
    std::ofstream(readOnly) << "old\n";
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    ASSERT_EQ(::chown(readOnly.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    const ToolRun nobody =
        exportTool({"--reuid=65534", "--regid=65534", "--clear-groups", SORKAM_EXPORT_BINARY, "csv",
                    data, "-r", "1", "-o", QString::fromStdString(readOnly)},
                   {}, QStringLiteral("setpriv"));
    EXPECT_EQ(nobody.status, kOutput);
    EXPECT_TRUE(nobody.err.endsWith("kept.csv: cannot be written: Permission denied\n"))
        << nobody.err.toStdString();
    EXPECT_EQ(contents(readOnly), "old\n");
    const ToolRun root =
        exportTool({"csv", data, "-r", "1", "-o", QString::fromStdString(readOnly)});
    EXPECT_EQ(root.status, kOk) << root.err.toStdString();
    struct stat kept {};
    ASSERT_EQ(::stat(readOnly.c_str(), &kept), 0);
    EXPECT_EQ(kept.st_mode & 07777, 0444u);
    EXPECT_EQ(kept.st_uid, 65534u);
    EXPECT_NE(contents(readOnly), "old\n");
}

TEST_F(ExportTest, PicturesOfAViewNeedNoFontOnTheSystem) {
    // The faces are kept in the program: with no font at all, a legend's picture is the same.
    const QString data = QString::fromStdString(three);
    const QStringList view = {"png", data, "-r", "1", "--legend", "--cursors", "100", "-o"};
    ASSERT_EQ(exportTool(view + QStringList{QString::fromStdString(out("fonts.png"))}).status, 0);
    const std::string noFonts = out("no-fonts.conf");
    std::ofstream(noFonts) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    const ToolRun fontless = exportTool(
        view + QStringList{QString::fromStdString(out("fontless.png"))}, [&](QProcess& p) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("FONTCONFIG_FILE", QString::fromStdString(noFonts));
            p.setProcessEnvironment(environment);
        });
    ASSERT_EQ(fontless.status, 0) << fontless.err.toStdString();
    EXPECT_EQ(contents(out("fontless.png")), contents(out("fonts.png")));
}

TEST_F(ExportTest, ATerminalGetsNoPictureAndProgressEndsBeforeAMessage) {
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(::grantpt(terminal), 0);
    ASSERT_EQ(::unlockpt(terminal), 0);
    const QString pts = QString::fromLatin1(::ptsname(terminal));
    const QString data = QString::fromStdString(three);
    const ToolRun onTerminal = exportTool({"png", data, "-r", "1", "-o", "-"}, [&](QProcess& p) {
        p.setStandardOutputFile(pts, QIODevice::Append);
    });
    EXPECT_EQ(onTerminal.status, kUsage);
    EXPECT_TRUE(onTerminal.err.contains("will not write a picture to a terminal"));

    // Progress on the terminal, then a picture that cannot be written: the message starts a line.
    const std::string twenty = dir.write("twenty.vid", test::numberedRecords(20));
    const fs::path folder = dir.path() / "each";
    fs::create_directories(folder / "record-000012.png"); // a folder where a picture should go
    const ToolRun failing =
        exportTool({"png", QString::fromStdString(twenty), "-r", "all", "--each",
                    QString::fromStdString(folder.string())},
                   [&](QProcess& p) { p.setStandardErrorFile(pts, QIODevice::Append); });
    EXPECT_EQ(failing.status, kOutput);
    std::string shown;
    char buffer[4096];
    for (ssize_t got; (got = ::read(terminal, buffer, sizeof buffer)) > 0;) {
        shown.append(buffer, static_cast<std::size_t>(got));
        if (shown.find("Is a directory") != std::string::npos) {
            break;
        }
    }
    ::close(terminal);
    const std::size_t message = shown.find("sorkam-export:");
    ASSERT_NE(message, std::string::npos) << shown;
    EXPECT_TRUE(message == 0 || shown[message - 1] == '\n') << shown;
    EXPECT_NE(shown.find("record-000012.png: cannot be written: Is a directory"), std::string::npos)
        << shown;
}

TEST_F(ExportTest, InfoListsTheSelectedRecordsAndSaysWhereTheLastIsPartial) {
    auto bytes = test::numberedRecords(3);
    bytes.resize(2 * 5024 + 100);
    const QString partial = QString::fromStdString(dir.write("partial.vid", bytes));
    const ToolRun listed = exportTool({"info", partial, "-r", "2,0"});
    EXPECT_EQ(listed.status, kOk);
    const std::string text = listed.out.toStdString();
    EXPECT_NE(text.find("records: 3 (the last one partial: 100 of its 5024 bytes)\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("     2  REC-2"), std::string::npos);
    EXPECT_EQ(text.find("     1  REC-1"), std::string::npos) << "only the selected records";
    const ToolRun oneByte = exportTool({"info", QString::fromStdString(dir.write("one.vid", {7}))});
    EXPECT_NE(oneByte.out.toStdString().find("length:  1 byte\n"), std::string::npos);

    // /dev/stdout reaching an ordinary file is written in place, not replaced.
    const std::string target = out("stdout.csv");
    std::ofstream(target) << "";
    struct stat before {};
    ASSERT_EQ(::stat(target.c_str(), &before), 0);
    const ToolRun inPlace =
        exportTool({"csv", QString::fromStdString(three), "-r", "1", "-o", "/dev/stdout"},
                   [&](QProcess& p) { p.setStandardOutputFile(QString::fromStdString(target)); });
    EXPECT_EQ(inPlace.status, kOk) << inPlace.err.toStdString();
    struct stat after {};
    ASSERT_EQ(::stat(target.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(std::count(std::istreambuf_iterator<char>(std::ifstream(target).rdbuf()), {}, '\n'),
              1 + 1200);
}

TEST_F(ExportTest, NamesAreBytesAndNoDisplayIsNeeded) {
    // Latin-1 names in and out, passed as bytes by the shell, with a window system named that is
    // not there.
    fs::copy_file(three, out("caf\xE9.vid"));
    const QString script = QStringLiteral(
        "cd \"$1\" && \"$0\" png \"$(printf 'caf\\351.vid')\" -r 1 -o \"$(printf 'b\\351.png')\" "
        "&& \"$0\" info \"$(printf 'x\\351.vid')\"");
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DISPLAY", ":93");
    process.setProcessEnvironment(env);
    process.start("/bin/sh", {"-c", script, SORKAM_EXPORT_BINARY,
                              QString::fromStdString(dir.path().string())});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), kDataFile); // the picture was written; x\xE9.vid is missing
    EXPECT_TRUE(fs::exists(out("b\xE9.png")));
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "sorkam-export: x\\xE9.vid: cannot be read: No such file or directory\n");
    // No toolkit or window system library is loaded, whatever the command.
    QProcess readelf;
    readelf.start("readelf", {"-d", SORKAM_EXPORT_BINARY});
    ASSERT_TRUE(readelf.waitForFinished(60000));
    const QString needed = QString::fromUtf8(readelf.readAllStandardOutput());
    ASSERT_TRUE(needed.contains("NEEDED")) << needed.toStdString();
    for (const char* library : {"libQt6", "libX11", "libxcb", "libfontconfig", "libGL"}) {
        EXPECT_FALSE(needed.contains(library)) << library;
    }
}

} // namespace
} // namespace sorkam
