// Figures for the work of a display: reading a record, painting the frame, showing a record and
// the repaint a resize does; and the parts of the export tool's picture. Each is reported as a
// median against its target.
#include "chart/Density.h"
#include "chart/Legend.h"
#include "chart/OverlayView.h"
#include "picture/Decorations.h"
#include "picture/ImagePlotSurface.h"
#include "plot/PlotFrame.h"
#include "raster/PalettePicture.h"
#include "record/RecordFile.h"
#include "tests/support/FakeViewer.h"
#include "tests/support/PainterPlotSurface.h"
#include "tests/support/TempFiles.h"
#include "viewer/RecordDisplay.h"
#include "viewer/RecordsList.h"
#include "viewer/window/RecordsWindow.h"
#include "viewer/window/ViewerWindow.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <thread>

namespace {

using namespace sorkam;

constexpr QSize kPlotSize{726, 237};

// Files shared by the benchmarks: the demo data, a one-record file, and a 1 GiB sparse file with
// the demo's record 23 in its place.
struct Files {
    test::TempDir dir;
    std::string demo = dir.write("demo.vid", testdata::demoFile(24));
    std::string single;
    std::string sparse;
    Files() {
        const auto all = testdata::demoFile(24);
        const std::vector<std::uint8_t> last(all.end() - 5024, all.end());
        single = dir.write("single.vid", last);
        sparse = (dir.path() / "sparse.vid").string();
        const int fd = ::open(sparse.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::ftruncate(fd, 1LL << 30) != 0 ||
            ::pwrite(fd, last.data(), last.size(), 23LL * 5024) != 5024) {
            std::perror("sparse file");
        }
        ::close(fd);
    }
};

Files& files() {
    static Files f;
    return f;
}

void BM_RecordFileRead(benchmark::State& state) {
    const std::string& path = files().demo;
    for (auto _ : state) {
        auto record = RecordFile::read(path, 5);
        benchmark::DoNotOptimize(record);
    }
}
BENCHMARK(BM_RecordFileRead);

void BM_DrawFrameBothSurfaces(benchmark::State& state) {
    ImagePlotSurface plotA(kPlotSize), plotB(kPlotSize);
    drawFrame(plotA, plotB); // the label shapes are kept after the first frame
    for (auto _ : state) {
        drawFrame(plotA, plotB);
    }
}
BENCHMARK(BM_DrawFrameBothSurfaces);

// The same frame through one QPainter per call: the figure the kept shapes are measured against.
void BM_DrawFramePlainQPainter(benchmark::State& state) {
    test::PainterPlotSurface plotA(kPlotSize), plotB(kPlotSize);
    for (auto _ : state) {
        drawFrame(plotA, plotB);
    }
}
BENCHMARK(BM_DrawFramePlainQPainter);

// showRecord with read and paint on both surfaces, record n of path.
template <typename Surface>
void showRecord(benchmark::State& state, const std::string& path, std::int16_t n) {
    Surface plotA(kPlotSize), plotB(kPlotSize);
    test::EventLog log;
    test::FakeHost host(log);
    RecordDisplay display(host, plotA, plotB);
    drawFrame(plotA, plotB);
    (void)display.showRecord(path, n); // the segment shapes are kept after the first record
    for (auto _ : state) {
        if (outcomeOf(display.showRecord(path, n)) != DisplayOutcome::Shown) {
            state.SkipWithError("record not shown");
            break;
        }
        log.events.clear();
    }
}

void BM_ShowRecordBothSurfaces(benchmark::State& state) {
    showRecord<ImagePlotSurface>(state, files().demo, 5);
}
BENCHMARK(BM_ShowRecordBothSurfaces);

void BM_ShowRecordPlainQPainter(benchmark::State& state) {
    showRecord<test::PainterPlotSurface>(state, files().demo, 5);
}
BENCHMARK(BM_ShowRecordPlainQPainter);

void BM_ShowRecordOneRecordFile(benchmark::State& state) {
    showRecord<ImagePlotSurface>(state, files().single, 0);
}
BENCHMARK(BM_ShowRecordOneRecordFile);

void BM_ShowRecordOneGiBSparseFile(benchmark::State& state) {
    showRecord<ImagePlotSurface>(state, files().sparse, 23);
}
BENCHMARK(BM_ShowRecordOneGiBSparseFile);

// The export tool's one picture, in its three parts: the bare chart inflated, a record's traces
// and the PNG compressed.
void BM_ExportBareChart(benchmark::State& state) {
    for (auto _ : state) {
        chart::PalettePicture picture(1);
        benchmark::DoNotOptimize(picture.pixels().data());
    }
}
BENCHMARK(BM_ExportBareChart)->Unit(benchmark::kMillisecond);

void BM_ExportTraces(benchmark::State& state) {
    chart::PalettePicture picture(1);
    const Record record = RecordFile::read(files().demo, 5).value();
    for (auto _ : state) {
        picture.add(record, 5);
        benchmark::DoNotOptimize(picture.pixels().data());
    }
}
BENCHMARK(BM_ExportTraces)->Unit(benchmark::kMillisecond);

void BM_ExportPng(benchmark::State& state) {
    chart::PalettePicture picture(1);
    picture.add(RecordFile::read(files().demo, 5).value(), 5);
    for (auto _ : state) {
        benchmark::DoNotOptimize(chart::pngOf(picture));
    }
}
BENCHMARK(BM_ExportPng)->Unit(benchmark::kMillisecond);

// A window on scripted dialogs showing path, on the screen.
struct ShownWindow {
    explicit ShownWindow(const std::string& path) {
        window.start(path);
        window.show();
        QApplication::processEvents();
    }
    test::EventLog log;
    test::ScriptedDialogs dialogs{log};
    ViewerWindow window{&dialogs, 96};
};

// What a resize does: the frame and the current record painted, then every widget repainted
// into the window's backing store.
void BM_ResizeRepaint(benchmark::State& state) {
    ShownWindow shown(files().demo);
    ViewerWindow& window = shown.window;
    QSize size(760, 560);
    for (auto _ : state) {
        size = size == QSize(760, 560) ? QSize(761, 561) : QSize(760, 560);
        window.resize(size);
        window.repaint();
    }
}
BENCHMARK(BM_ResizeRepaint)->Unit(benchmark::kMillisecond);

// What any view change repaints (a zoom, a pan, a record hidden from the legend, a cursor dragged
// in a zoomed view): both plots painted afresh from the 24 records on them, here zoomed to half
// the chart on both axes, then the cursors, their read-out and the legend with the values at the
// cursors painted over them. Target: 2 ms at scale 1, 6 ms at scale 2.
chart::Overlay demoOverlay() {
    chart::Overlay overlay;
    for (std::int16_t n = 0; n < 24; ++n) {
        overlay.add(n, RecordFile::read(files().demo, n).value());
    }
    return overlay;
}
void repaintView(benchmark::State& state, int scale) {
    ImagePlotSurface plotA(kPlotSize * scale, 96 * scale), plotB(kPlotSize * scale, 96 * scale);
    const chart::Overlay overlay = demoOverlay();
    chart::View half;
    half.range = chart::zoomed({}, 0.5, 400.0);
    half.values = chart::zoomedValues({}, 0.5, 130.0);
    half.cursorA = 300;
    half.cursorB = 420;
    half.legend = state.range(0) != 0;
    QImage over(kPlotSize * scale, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        plotA.clear();
        plotB.clear();
        chart::paintOverlay(plotA, plotB, overlay, half);
        const std::vector<chart::LegendEntry> legend = chart::legendEntries(overlay, half);
        for (int which = 0; which < 2; ++which) {
            QPainter painter(&over);
            painter.scale(scale, scale);
            chart::paintPlotDecorations(painter, kPlotSize, which, half, legend);
        }
    }
}
void BM_RepaintView24Records(benchmark::State& state) {
    repaintView(state, 1);
}
BENCHMARK(BM_RepaintView24Records)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
void BM_RepaintView24RecordsScale2(benchmark::State& state) {
    repaintView(state, 2);
}
BENCHMARK(BM_RepaintView24RecordsScale2)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A cursor dragged across a zoomed view of 24 records in the window: each move sets the cursor,
// repaints the view and the read-outs. Target: 2 ms.
void BM_DragCursor24Records(benchmark::State& state) {
    ShownWindow shown(files().demo);
    ViewerWindow& window = shown.window;
    for (int n = 1; n < 24; ++n) {
        window.findChild<QAction*>("nextAction")->trigger();
    }
    window.findChild<QAction*>("legendAction")->trigger();
    window.findChild<QAction*>("zoomInAction")->trigger();
    auto* plot = window.findChild<QWidget*>("plotA");
    const auto send = [plot](QEvent::Type type, int x, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(x, 100), plot->mapToGlobal(QPointF(x, 100)),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, {});
        QApplication::sendEvent(plot, &event);
    };
    send(QEvent::MouseButtonPress, 200, Qt::LeftButton);
    int x = 200;
    for (auto _ : state) {
        x = x < 500 ? x + 1 : 200; // a sample further each time, with values of its own
        send(QEvent::MouseMove, x, Qt::LeftButton);
        window.repaint();
    }
    send(QEvent::MouseButtonRelease, x, Qt::NoButton);
}
BENCHMARK(BM_DragCursor24Records)->Unit(benchmark::kMillisecond);

// V: the value axis fitted to 24 records over a zoomed index range. Target: 1 ms.
void BM_FitValues24Records(benchmark::State& state) {
    const chart::Overlay overlay = demoOverlay();
    const chart::IndexRange range = chart::zoomed({}, 0.5, 400.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(chart::fittedValues(overlay, {}, range));
    }
}
BENCHMARK(BM_FitValues24Records)->Unit(benchmark::kMicrosecond);

// The records window opened on a sparse file of 2^31 records and painted: only the rows in view
// are read. Target: 100 ms.
std::string sparseRecords(const char* name, std::int64_t count) {
    const std::string path = (files().dir.path() / name).string();
    std::filesystem::resize_file(files().dir.write(name, {}), count * 5024);
    return path;
}
void BM_RecordsWindowOn2To31Records(benchmark::State& state) {
    const std::string path = sparseRecords("huge.vid", std::int64_t{1} << 31);
    for (auto _ : state) {
        RecordsWindow records(
            path, [](std::int64_t) { return false; }, [](const std::vector<std::int64_t>&) {},
            [](const std::vector<std::int64_t>&) {}, nullptr);
        records.show();
        records.repaint();
    }
}
BENCHMARK(BM_RecordsWindowOn2To31Records)->Unit(benchmark::kMillisecond);

// Typing a filter: the header texts of 1,000,008 records (the demo's 24 over and over, 5 GB,
// written first and then in the page cache) matched in the background to the end. Target: 2 s.
void BM_FilterMillionRecords(benchmark::State& state) {
    const std::string path = (files().dir.path() / "million.vid").string();
    {
        const auto demo = testdata::demoFile(24);
        std::ofstream out(path, std::ios::binary);
        for (int k = 0; k < 41'667; ++k) {
            out.write(reinterpret_cast<const char*>(demo.data()),
                      static_cast<std::streamsize>(demo.size()));
        }
    }
    for (auto _ : state) {
        RecordsList list(path);
        list.setFilter("14:03:2");
        while (list.filterProgress() < 1.0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_FilterMillionRecords)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime();

// Sharing the view from the window: 24 records with the legend on, copied to the clipboard as a
// picture, or saved as PNG, SVG or PDF (picture made, encoded and written).
struct SharedView : ShownWindow {
    SharedView() : ShownWindow(files().demo) {
        for (int n = 1; n < 24; ++n) {
            window.findChild<QAction*>("nextAction")->trigger();
        }
        window.findChild<QAction*>("legendAction")->trigger();
    }
};
void BM_CopyView24Records(benchmark::State& state) {
    SharedView shared;
    for (auto _ : state) {
        shared.window.findChild<QAction*>("copyViewAction")->trigger();
    }
}
BENCHMARK(BM_CopyView24Records)->Unit(benchmark::kMillisecond);
void saveView(benchmark::State& state, const char* extension) {
    SharedView shared;
    const std::string path =
        (std::filesystem::temp_directory_path() / ("sorkam-bench-view" + std::string(extension)))
            .string();
    for (auto _ : state) {
        if (!shared.window.saveView(path).ok()) {
            state.SkipWithError("not saved");
        }
    }
    std::filesystem::remove(path);
}
void BM_SaveView24RecordsPng(benchmark::State& state) {
    saveView(state, ".png");
}
BENCHMARK(BM_SaveView24RecordsPng)->Unit(benchmark::kMillisecond);
void BM_SaveView24RecordsSvg(benchmark::State& state) {
    saveView(state, ".svg");
}
BENCHMARK(BM_SaveView24RecordsSvg)->Unit(benchmark::kMillisecond);
void BM_SaveView24RecordsPdf(benchmark::State& state) {
    saveView(state, ".pdf");
}
BENCHMARK(BM_SaveView24RecordsPdf)->Unit(benchmark::kMillisecond);

// One record's four traces counted into a density at scale 1: 100,000 records take this
// 100,000 times, shared by the cores.
void BM_DensityOneRecord(benchmark::State& state) {
    const std::vector<std::uint8_t> file = testdata::demoFile(1);
    test::TempDir dir;
    const Record record = RecordFile::read(dir.write("one.vid", file), 0).value();
    chart::DensityCounter counter(chart::View{}, 726, 237);
    for (auto _ : state) {
        counter.add(record);
    }
}
BENCHMARK(BM_DensityOneRecord)->Unit(benchmark::kMicrosecond);

// From a record's last byte written to the file to the record painted in the window, while the
// window follows the file (the system's notification, the event loop, the read and the paint).
void BM_FollowLatency(benchmark::State& state) {
    const auto all = testdata::demoFile(24);
    const std::string path = files().dir.write("followed.vid", {all.begin(), all.begin() + 5024});
    ShownWindow shown(path);
    ViewerWindow& window = shown.window;
    window.findChild<QAction*>("followAction")->trigger();
    std::size_t written = 5024;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        std::ofstream(path, std::ios::binary | std::ios::app)
            .write(reinterpret_cast<const char*>(all.data()) + written, 5024);
        written += 5024;
        const auto wanted = static_cast<std::int16_t>(written / 5024 - 1);
        while (window.controller().recordNumber() != wanted &&
               std::chrono::steady_clock::now() - start < std::chrono::seconds(2)) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        window.repaint();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(BM_FollowLatency)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

// The processor time the window takes in a second while it follows a file that does not change:
// the watch is the system's notification, so it should take none.
void BM_IdleWhileFollowing(benchmark::State& state) {
    ShownWindow shown(files().demo);
    shown.window.findChild<QAction*>("followAction")->trigger();
    for (auto _ : state) {
        const std::clock_t before = std::clock();
        QEventLoop idle;
        QTimer::singleShot(1000, &idle, &QEventLoop::quit);
        idle.exec();
        state.SetIterationTime(static_cast<double>(std::clock() - before) / CLOCKS_PER_SEC);
    }
}
BENCHMARK(BM_IdleWhileFollowing)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// Prints the usual table, then each median against its target.
class TargetReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                const std::string& args = run.run_name.args;
                medians[run.run_name.function_name + (args.empty() ? "" : "/" + args)] =
                    run.GetAdjustedRealTime() * toMicroseconds(run.time_unit);
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const std::vector<std::pair<std::string, double>> targets = {
            {"BM_RecordFileRead", 10.0},
            {"BM_DrawFrameBothSurfaces", 100.0},
            {"BM_ShowRecordBothSurfaces", 50.0},
            {"BM_ShowRecordOneRecordFile", 50.0},
            {"BM_ShowRecordOneGiBSparseFile", 50.0},
            {"BM_ResizeRepaint", 16000.0},
            {"BM_RepaintView24Records/0", 2000.0},
            {"BM_RepaintView24Records/1", 2000.0},
            {"BM_RepaintView24RecordsScale2/0", 6000.0},
            {"BM_RepaintView24RecordsScale2/1", 6000.0},
            {"BM_DragCursor24Records", 2000.0},
            {"BM_FitValues24Records", 1000.0},
            {"BM_RecordsWindowOn2To31Records", 100000.0},
            {"BM_FilterMillionRecords", 2000000.0},
            {"BM_FollowLatency", 100000.0},
            {"BM_CopyView24Records", 100000.0},
            {"BM_SaveView24RecordsPng", 100000.0},
            {"BM_SaveView24RecordsSvg", 100000.0},
            {"BM_SaveView24RecordsPdf", 100000.0},
            {"BM_DensityOneRecord", 20.0}, // 100,000 records in 1 s on 2 cores
        };
        if (medians.empty()) {
            std::printf("\nno medians: run with --benchmark_repetitions=10 (make bench does)\n");
            return;
        }
        std::printf("\n%-32s %14s %14s\n", "median", "figure (us)", "target (us)");
        bool allMet = true;
        for (const auto& [name, target] : targets) {
            const auto found = medians.find(name);
            if (found == medians.end()) {
                continue;
            }
            const bool met = found->second <= target;
            allMet = allMet && met;
            std::printf("%-32s %14.2f %14.0f  %s\n", name.c_str(), found->second, target,
                        met ? "met" : "MISSED");
        }
        std::printf("%s\n", allMet ? "all targets met" : "some targets missed");
    }

private:
    static double toMicroseconds(benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kNanosecond:
            return 1e-3;
        case benchmark::kMicrosecond:
            return 1.0;
        case benchmark::kMillisecond:
            return 1e3;
        case benchmark::kSecond:
            return 1e6;
        }
        return 1.0;
    }
    std::map<std::string, double> medians;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
