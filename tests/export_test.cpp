// sorkam-export: selections, each subcommand's output against the file's bytes and the viewer's
// own painting, and each error path of the real program.
#include "export/ExportCommands.h"
#include "export/PlotPicture.h"
#include "export/RecordSelection.h"
#include "plot/PlotFrame.h"
#include "support/FakeViewer.h"
#include "support/TempFiles.h"
#include "viewer/PlotWidget.h"
#include "viewer/RecordDisplay.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace sorkam {
namespace {

namespace fs = std::filesystem;
using namespace exporting;

TEST(RecordSelection, ReadsNumbersListsAndRanges) {
    using V = std::vector<std::int64_t>;
    EXPECT_EQ(parseRecordSelection("7"), V({7}));
    EXPECT_EQ(parseRecordSelection("3,1,2"), V({3, 1, 2}));
    EXPECT_EQ(parseRecordSelection("2-5"), V({2, 3, 4, 5}));
    EXPECT_EQ(parseRecordSelection("0,3-4,30"), V({0, 3, 4, 30}));
    EXPECT_EQ(parseRecordSelection("100000"), V({100000}));
    for (const char* bad : {"", "-1", "a", "1,", ",1", "5-2", "1-", "1--2", "1 ", "0x3",
                            "99999999999", "0-2147483647"}) {
        EXPECT_FALSE(parseRecordSelection(bad).has_value()) << bad;
    }
}

TEST(RecordSelection, CountsThePresentRecordsLikeTheViewer) {
    EXPECT_EQ(recordsPresent(0), 0);
    EXPECT_EQ(recordsPresent(1), 0);
    EXPECT_EQ(recordsPresent(2), 1);
    EXPECT_EQ(recordsPresent(5024), 1);
    EXPECT_EQ(recordsPresent(5025), 1);
    EXPECT_EQ(recordsPresent(5026), 2);
    EXPECT_EQ(recordsPresent(1LL << 30), (((1LL << 30) - 2) / 5024) + 1);
}

class ExportTest : public testing::Test {
protected:
    test::TempDir dir;
    std::string three = dir.write("three.vid", test::numberedRecords(3));
};

TEST_F(ExportTest, InfoListsLengthRecordsAndHeaderTexts) {
    std::ostringstream text;
    ASSERT_FALSE(info(three, false, text));
    EXPECT_NE(text.str().find("length:  15072 bytes\n"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("records: 3\n"), std::string::npos);
    EXPECT_NE(text.str().find("     2  REC-2     TEXT-2    \n"), std::string::npos) << text.str();

    // Header bytes that JSON must escape come back intact.
    std::vector<std::uint8_t> file;
    std::array<ChannelBuffer, 4> none{};
    testdata::appendRecord(file, testdata::encodeRecord("a\"b\\c\n", "x,y", none));
    std::ostringstream json;
    ASSERT_FALSE(info(dir.write("odd.vid", file), true, json));
    const QJsonObject doc = QJsonDocument::fromJson(QByteArray::fromStdString(json.str())).object();
    EXPECT_EQ(doc["length"].toInteger(), 5024);
    EXPECT_EQ(doc["records"].toInteger(), 1);
    const QJsonObject first = doc["headers"].toArray().at(0).toObject();
    EXPECT_EQ(first["header8"].toString(), QString("a\"b\\c\u240A  "));
    EXPECT_EQ(first["header10"].toString(), QString("x,y       "));
}

TEST_F(ExportTest, CsvHoldsEachRecordsSamplesFromTheFile) {
    std::ostringstream out;
    ASSERT_FALSE(csv(three, {2, 0}, "-", out));
    std::istringstream lines(out.str());
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "record,header8,header10,index,channel1,channel2,channel3,channel4\r");
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
        ASSERT_EQ(line, expected.str() + "\r") << "row " << rows;
        ++rows;
    }
    EXPECT_EQ(rows, 2 * 1200);

    // To a file: the same text as to stdout.
    const std::string path = (dir.path() / "out.csv").string();
    std::ostringstream one;
    ASSERT_FALSE(csv(three, {1}, "-", one));
    ASSERT_FALSE(csv(three, {1}, path, out));
    std::ifstream written(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), one.str());
}

TEST(CsvField, QuotesWhatCsvRequires) {
    EXPECT_EQ(csvField("07.12.26"), "07.12.26");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("TEXT-1    "), "\"TEXT-1    \"");
    EXPECT_EQ(csvField("a\nb"), "\"a\nb\"");
}

TEST_F(ExportTest, PicturesAreTheViewersPixels) {
    // The viewer paints records 0, 1, 2 over its frame; the export of 0-2 must hold the same.
    ImagePlotSurface pic0(QSize(726, 237)), pic1(QSize(726, 237));
    test::EventLog log;
    test::FakeHost host(log);
    test::ScriptedDialogs dialogs(log);
    RecordDisplay display(host, dialogs, pic0, pic1);
    DrawFrame(pic0, pic1);
    for (std::int16_t n = 0; n < 3; ++n) {
        std::int16_t shown = n;
        ASSERT_EQ(display.ShowRecord(three, shown), DisplayOutcome::Shown);
    }
    const std::string out = (dir.path() / "three.png").string();
    ASSERT_FALSE(png(three, {0, 1, 2}, out, 1));
    const QImage picture(QString::fromStdString(out));
    ASSERT_EQ(picture.size(), QSize(755, 538));
    EXPECT_EQ(picture.copy(14, 21, 726, 237).convertToFormat(QImage::Format_RGB32), pic0.image());
    EXPECT_EQ(picture.copy(14, 280, 726, 237).convertToFormat(QImage::Format_RGB32), pic1.image());
}

TEST_F(ExportTest, EachRecordGetsItsOwnPictureAtScaleTwo) {
    const fs::path out = dir.path() / "pictures";
    fs::create_directory(out);
    std::vector<std::size_t> progress;
    ASSERT_FALSE(pngEach(three, {0, 2}, out.string(), 2,
                         [&](std::size_t done, std::size_t) { progress.push_back(done); }));
    EXPECT_EQ(progress, (std::vector<std::size_t>{1, 2}));
    const QImage second(QString::fromStdString((out / "record-000002.png").string()));
    EXPECT_EQ(second.size(), QSize(1510, 1076));
    EXPECT_TRUE(fs::exists(out / "record-000000.png"));
    EXPECT_FALSE(fs::exists(out / "record-000001.png"));
}

TEST(HighDensity, TracesStayOneDevicePixelWide) {
    PlotWidget widget(QSize(726, 237), 96, 2.0);
    ImagePlotSurface& s = widget.surface();
    ASSERT_EQ(s.image().size(), QSize(1452, 474));
    s.Scale(0, 315, 935, 0);
    s.Line(400, 50, 400, 250, 0x0000FF); // a vertical trace
    const QImage img = s.image();
    const int row = img.height() / 2;
    int red = 0;
    for (int x = 0; x < img.width(); ++x) {
        red += img.pixel(x, row) == qRgb(255, 0, 0) ? 1 : 0;
    }
    EXPECT_EQ(red, 1);
}

// The real program: each error has its status and one line on stderr naming the file, and
// leaves no output behind.
struct ToolRun {
    int status;
    QString err;
};

ToolRun exportTool(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(SORKAM_EXPORT_BINARY), args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

TEST_F(ExportTest, ErrorsHaveTheirStatusAndOneLine) {
    const QString data = QString::fromStdString(three);
    const QString outDir = QString::fromStdString(dir.path().string());
    const QString missing = outDir + "/missing.vid";
    struct Case {
        QStringList args;
        int status;
        QString names;
    };
    fs::create_symlink(three, dir.path() / "link.png");
    const std::vector<Case> cases = {
        {{"info", missing}, kDataFile, missing},
        {{"csv", data, "-r", "3"}, kNoRecord, data},
        {{"png", data, "-r", "0", "-o", data}, kOutputIsData, data},
        {{"png", data, "-r", "0", "-o", outDir + "/link.png"}, kOutputIsData, "link.png"},
        {{"csv", data, "-r", "0", "-o", outDir + "/no/such/dir/out.csv"}, kOutput, "out.csv"},
        {{"png", data, "-r", "0", "--each", outDir + "/three.vid"}, kOutput, "three.vid"},
        {{"png", data, "-r", "x", "-o", outDir + "/a.png"}, kUsage, "x"},
        {{"png", data, "-r", "0"}, kUsage, "-o"},
        {{"bogus", data}, kUsage, "bogus"},
    };
    for (const Case& c : cases) {
        const ToolRun run = exportTool(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.join(' ').toStdString();
        const QString first = run.err.section('\n', 0, 0);
        EXPECT_TRUE(first.startsWith("sorkam-export: ")) << run.err.toStdString();
        EXPECT_TRUE(first.contains(c.names)) << first.toStdString();
    }
    EXPECT_FALSE(fs::exists(dir.path() / "a.png"));
    EXPECT_FALSE(fs::exists(dir.path() / "no"));
    EXPECT_EQ(fs::file_size(three), 3u * 5024u); // the data file is untouched
    const ToolRun ok = exportTool({"csv", data, "-r", "1", "-o", outDir + "/one.csv"});
    EXPECT_EQ(ok.status, kOk);
    EXPECT_TRUE(ok.err.isEmpty()) << ok.err.toStdString();
    EXPECT_EQ(exportTool({"--version"}).status, kOk);
}

} // namespace
} // namespace sorkam
