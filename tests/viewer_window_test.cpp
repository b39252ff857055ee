// The window under the offscreen platform: layout, captions, fonts, keys, and what it shows.
#include "chart/Distance.h"
#include "picture/Decorations.h"
#include "plot/PlotFrame.h"
#include "tests/support/FakeViewer.h"
#include "tests/support/PdfPage.h"
#include "tests/support/TempFiles.h"
#include "viewer/Commands.h"
#include "viewer/Measurements.h"
#include "viewer/window/FileDialog.h"
#include "viewer/window/PictureFile.h"
#include "viewer/window/TextDisplay.h"
#include "viewer/window/ViewerWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace sorkam {
namespace {

int countColour(const QImage& img, QRgb rgb) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            n += img.pixel(x, y) == rgb ? 1 : 0;
        }
    }
    return n;
}

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QImage imageOf(PlotWidget* plot) {
    return plot->surface().image();
}

// The window's controls, found by their object names.
template <typename T> T* part(const ViewerWindow& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}
PlotWidget* plotA(const ViewerWindow& w) {
    return part<PlotWidget>(w, "plotA");
}
PlotWidget* plotB(const ViewerWindow& w) {
    return part<PlotWidget>(w, "plotB");
}
QLabel* captionA(const ViewerWindow& w) {
    return part<QLabel>(w, "captionA");
}
QLabel* captionB(const ViewerWindow& w) {
    return part<QLabel>(w, "captionB");
}
QLabel* statusLine(const ViewerWindow& w) {
    return part<QLabel>(w, "statusLine");
}
QPushButton* nextButton(const ViewerWindow& w) {
    return part<QPushButton>(w, "nextButton");
}
QPushButton* previousButton(const ViewerWindow& w) {
    return part<QPushButton>(w, "previousButton");
}
QPushButton* clearButton(const ViewerWindow& w) {
    return part<QPushButton>(w, "clearButton");
}

// A window on scripted dialogs, laid out at 96 dpi.
class WindowTest : public testing::Test {
protected:
    // Starts on path and shows the window; false when it never got on screen.
    bool showOn(const std::string& path) {
        w.start(path);
        w.show();
        return QTest::qWaitForWindowExposed(&w);
    }

    test::TempDir dir;
    test::EventLog log;
    test::ScriptedDialogs dialogs{log};
    ViewerWindow w{&dialogs, 96};
};

TEST(WindowLayout, ControlsStandAtTheirTwipsPlaces) {
    struct Place {
        int dpi;
        const char* name;
        QRect rect;
    };
    // At 96 dpi 15 twips are one pixel; at 144 dpi, 10.
    const Place places[] = {
        {96, "captionA", QRect(17, 0, 736, 22)},
        {96, "plotA", QRect(14, 21, 726, 237)},
        {96, "captionB", QRect(14, 259, 736, 22)},
        {96, "plotB", QRect(14, 280, 726, 237)},
        {96, "statusLine", QRect(14, 525, 407, 22)},
        {96, "clearButton", QRect(434, 525, 93, 26)},
        {96, "previousButton", QRect(539, 525, 93, 26)},
        {96, "nextButton", QRect(644, 525, 93, 26)},
        {96, "viewerWindow", QRect(99, 86, 755, 558)},
        {144, "plotB", QRect(21, 420, 1089, 356)},
        {144, "nextButton", QRect(966, 788, 139, 39)},
        {144, "viewerWindow", QRect(149, 129, 1133, 837)},
    };
    test::EventLog log;
    test::ScriptedDialogs dialogs(log);
    for (const Place& p : places) {
        ViewerWindow window(&dialogs, p.dpi);
        QWidget* control = QString(p.name) == "viewerWindow"
                               ? &window
                               : window.findChild<QWidget*>(QString::fromLatin1(p.name));
        ASSERT_NE(control, nullptr) << p.name;
        EXPECT_EQ(control->geometry(), p.rect) << p.name << " at " << p.dpi;
        if (auto* plot = qobject_cast<PlotWidget*>(control)) {
            EXPECT_EQ(plot->surface().image().size(), p.rect.size()) << p.name;
        }
    }
}

TEST_F(WindowTest, CaptionsAndFonts) {
    EXPECT_EQ(captionA(w)->text(), QString("VIDEO A"));
    EXPECT_EQ(captionB(w)->text(), QString("VIDEO B"));
    EXPECT_EQ(statusLine(w)->text(), QString());
    EXPECT_EQ(clearButton(w)->text(), QString("&Clear"));
    EXPECT_EQ(previousButton(w)->text(), QString("<"));
    EXPECT_EQ(nextButton(w)->text(), QString(">"));
    for (QLabel* label : {captionA(w), captionB(w), statusLine(w)}) {
        EXPECT_EQ(label->font().family(), QString("Times New Roman"));
        EXPECT_EQ(label->font().pointSizeF(), 14.25);
        EXPECT_TRUE(!label->font().bold() && !label->font().italic());
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        // fontconfig gives a face metric-compatible with Times New Roman.
        const QString face = QFontInfo(label->font()).family();
        EXPECT_TRUE(face.contains("Serif") || face.contains("Times")) << face.toStdString();
    }
    for (QPushButton* button : {clearButton(w), previousButton(w), nextButton(w)}) {
        EXPECT_EQ(button->font().pointSizeF(), 8.25);
        EXPECT_TRUE(!button->font().bold() && !button->font().italic());
    }
    EXPECT_EQ(w.font().pointSizeF(), 8.25);
}

TEST_F(WindowTest, TabOrderRunsFromTheTopPlotThroughTheButtons) {
    QList<QWidget*> order;
    QWidget* at = plotA(w);
    for (int k = 0; k < 5; ++k) {
        order.append(at);
        do {
            at = at->nextInFocusChain();
        } while (at->focusPolicy() == Qt::NoFocus);
    }
    const QList<QWidget*> expected = {plotA(w), nextButton(w), previousButton(w), clearButton(w),
                                      plotB(w)};
    EXPECT_EQ(order, expected);
}

TEST_F(WindowTest, TitleIsTheAppUntilAFileIsShownThenThePathAsTyped) {
    EXPECT_EQ(w.windowTitle(), QString("sorkam"));
    const std::string path = dir.write("run [*] <b>1<i> é.vid", test::numberedRecords(1));
    ASSERT_TRUE(showOn(path));
    EXPECT_FALSE(w.exitStatus());
    // Qt would drop a "[*]" placeholder; the title must read exactly as the path.
    EXPECT_EQ(w.windowTitle(), literalWindowTitle(QString::fromStdString(path)));
    EXPECT_EQ(w.windowHandle()->title(), QString::fromStdString(path));
}

TEST_F(WindowTest, StatusShowsHeaderBytesAsTextInTheRecordsColour) {
    testdata::ChannelSamples none{};
    std::vector<std::uint8_t> file;
    testdata::appendRecord(file, testdata::encodeRecord("<b>x</b>", "A&B\tC", none));
    testdata::appendRecord(file, testdata::encodeRecord("12.05.26", "10:00:00.0", none));
    w.start(dir.write("status.vid", file));
    EXPECT_EQ(statusLine(w)->text(), QString("<b>x</b> A&B\\x09C     "));
    EXPECT_EQ(statusLine(w)->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    nextButton(w)->click();
    EXPECT_EQ(statusLine(w)->text(), QString("12.05.26 10:00:00.0"));
    EXPECT_EQ(statusLine(w)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(statusLine(w)->palette().color(QPalette::Window), QColor(0, 0, 0));
}

TEST_F(WindowTest, ButtonsAndAltCDriveTheController) {
    ASSERT_TRUE(showOn(dir.write("demo.vid", testdata::demoFile(3))));
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_EQ(countColour(imageOf(plotA(w)), red), 0);

    QTest::mouseClick(nextButton(w), Qt::LeftButton);
    EXPECT_EQ(w.controller().recordNumber(), 1);
    EXPECT_GT(countColour(imageOf(plotA(w)), red), 500);
    EXPECT_GT(countColour(imageOf(plotB(w)), red), 500);

    QTest::mouseClick(previousButton(w), Qt::LeftButton);
    EXPECT_EQ(w.controller().recordNumber(), 0);
    QTest::mouseClick(previousButton(w), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"top-of-file"});

    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(countColour(imageOf(plotA(w)), red), 0);
    EXPECT_GT(countColour(imageOf(plotA(w)), qRgb(0, 0, 0)), 0);
    // Only the frame is left: no trace of record 0 either.
    ViewerWindow bare(&dialogs, 96);
    drawFrame(plotA(bare)->surface(), plotB(bare)->surface());
    EXPECT_EQ(imageOf(plotA(w)), imageOf(plotA(bare)));
    EXPECT_EQ(imageOf(plotB(w)), imageOf(plotB(bare)));
}

TEST_F(WindowTest, EnlargingKeepsTheLayoutAndRepaints) {
    ASSERT_TRUE(showOn(dir.write("demo.vid", testdata::demoFile(2))));
    nextButton(w)->click();
    clearButton(w)->click();
    const QRect plotBefore = plotB(w)->geometry();
    const QRect nextBefore = nextButton(w)->geometry();
    w.resize(1000, 800);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.size() == QSize(1000, 800); }, 5000));
    EXPECT_EQ(plotB(w)->geometry(), plotBefore);
    EXPECT_EQ(nextButton(w)->geometry(), nextBefore);
    // The resize painted the current record (1, red) onto the cleared frame.
    EXPECT_GT(countColour(imageOf(plotA(w)), qRgb(255, 0, 0)), 500);
    EXPECT_EQ(w.controller().recordNumber(), 1);
}

TEST_F(WindowTest, APlotAtTwiceTheDevicePixelsStartsBlankAndRepaintsAlike) {
    ASSERT_TRUE(showOn(dir.write("demo.vid", testdata::demoFile(2))));
    plotA(w)->setPixelRatio(2.0);
    EXPECT_EQ(imageOf(plotA(w)).size(), QSize(1452, 474));
    EXPECT_EQ(countColour(imageOf(plotA(w)), qRgb(0, 0, 0)), 0); // a blank picture
    w.resize(w.width() + 1, w.height()); // repainted as after a move to another screen
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return countColour(imageOf(plotA(w)), qRgb(0, 0, 0)) > 1000; }, 5000));
}

// Rows of the picture that hold a black pixel left of the vertical axis and above value 255: the
// value label 260.
int labelRows(const QImage& img) {
    const int right = img.width() * 30 / 935;
    const int bottom = img.height() * 35 / 315;
    int rows = 0;
    for (int y = 0; y < bottom; ++y) {
        bool ink = false;
        for (int x = 0; x < right && !ink; ++x) {
            ink = img.pixel(x, y) == qRgb(0, 0, 0);
        }
        rows += ink ? 1 : 0;
    }
    return rows;
}

TEST(PlotWidget, AtTwiceTheDevicePixelsLinesStayOneDevicePixelAndTextKeepsItsSize) {
    PlotWidget single(chart::kPlotA, 96);
    drawFrameOn(single.surface());
    PlotWidget widget(chart::kPlotA, 96);
    widget.setPixelRatio(2.0);
    ImagePlotSurface& s = widget.surface();
    ASSERT_EQ(s.image().size(), QSize(1452, 474));
    drawFrameOn(s);
    s.drawLine(400, 50, 400, 250, 0x0000FF); // a vertical trace
    const QImage img = s.image();
    const int row = img.height() / 2;
    int red = 0;
    for (int x = 0; x < img.width(); ++x) {
        red += img.pixel(x, row) == qRgb(255, 0, 0) ? 1 : 0;
    }
    EXPECT_EQ(red, 1);
    // The numbers take twice the device pixels: the same size on the screen, only sharper.
    const int once = labelRows(single.surface().image());
    ASSERT_GT(once, 4);
    EXPECT_NEAR(labelRows(img), 2 * once, 2) << once;
}

TEST_F(WindowTest, KeysStepOpenAndCloseWhereverTheFocusIs) {
    ASSERT_TRUE(showOn(dir.write("demo.vid", testdata::demoFile(4))));
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const QRgb red = qRgb(255, 0, 0);
    for (QWidget* focus : {static_cast<QWidget*>(plotB(w)), static_cast<QWidget*>(nextButton(w))}) {
        focus->setFocus();
        if (focus == plotB(w)) { // the focus shows on the plot
            EXPECT_EQ(plotB(w)->grab().toImage().pixel(0, 0),
                      plotB(w)->palette().color(QPalette::Highlight).rgb());
            EXPECT_NE(plotA(w)->grab().toImage().pixel(0, 0),
                      plotB(w)->palette().color(QPalette::Highlight).rgb());
        }
        QTest::keyClick(focus, Qt::Key_Right);
        QTest::keyClick(focus, Qt::Key_PageDown);
        QTest::keyClick(focus, Qt::Key_Left);
        EXPECT_EQ(w.controller().recordNumber(), 1);
        QTest::keyClick(focus, Qt::Key_PageUp);
        QTest::keyClick(focus, Qt::Key_PageUp); // at record 0: the same box as "<"
        EXPECT_EQ(w.controller().recordNumber(), 0);
    }
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"top-of-file", "top-of-file"}));
    EXPECT_GT(countColour(imageOf(plotA(w)), red), 500);
    EXPECT_TRUE(nextButton(w)->toolTip().contains("Right"));
    EXPECT_EQ(nextButton(w)->accessibleName(), QString("Next record"));
    EXPECT_EQ(plotA(w)->accessibleName(), QString("VIDEO A plot"));

    // Ctrl+O: Cancel changes nothing; a file that cannot be read is reported and the current
    // file and view stay; another file starts over with record 0 on a fresh frame.
    const std::string demo = w.controller().dataFile();
    QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.startedNear, demo); // the dialog starts in the shown file's folder
    dialogs.fileNames = {(dir.path() / "missing.vid").string()};
    QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.messages.back(), (dir.path() / "missing.vid").string() + " Error= 1");
    EXPECT_EQ(w.controller().dataFile(), demo);
    EXPECT_GT(countColour(imageOf(plotA(w)), red), 500);
    EXPECT_FALSE(w.exitStatus());
    const std::string other = dir.write("other.vid", test::numberedRecords(2));
    dialogs.fileNames = {other};
    QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(w.controller().dataFile(), other);
    EXPECT_EQ(w.windowTitle(), QString::fromStdString(other));
    EXPECT_EQ(w.controller().recordNumber(), 0);
    EXPECT_EQ(countColour(imageOf(plotA(w)), red), 0);

    // A file dropped onto the window, its name's bytes kept even where they are not UTF-8.
    const std::string latin = dir.write("caf\xE9.vid", test::numberedRecords(1));
    QMimeData data;
    data.setUrls(
        {QUrl(QStringLiteral("file://") +
              QString::fromLatin1(QByteArray::fromStdString(latin).toPercentEncoding("/")))});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &drop);
    EXPECT_EQ(w.controller().dataFile(), latin);

    // F5 reads the file again: a copy cut to one record says so once.
    dialogs.messages.clear();
    const std::string cut = dir.write("cut.vid", testdata::demoFile(4));
    dialogs.fileNames = {cut};
    QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_Right);
    std::filesystem::resize_file(cut, 5024);
    QTest::keyClick(&w, Qt::Key_F5);
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"end-of-file"}));
    dialogs.messages.clear();
    QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.exitStatus(), std::optional<int>(kClosedExitStatus));
}

TEST_F(WindowTest, EveryCommandIsAnActionWithTheKeysThatHelpAndTheManualName) {
    std::ifstream manualFile(SORKAM_MANUAL_PAGE);
    const std::string manual((std::istreambuf_iterator<char>(manualFile)), {});
    ASSERT_FALSE(manual.empty());
    for (const Command& command : kCommands) {
        const QString name = QString::fromUtf8(command.name.data(), command.name.size());
        auto* action = w.findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << command.name;
        QStringList keys;
        for (const QKeySequence& key : action->shortcuts()) {
            keys.append(key.toString(QKeySequence::PortableText));
        }
        EXPECT_EQ(keys.join(", ").toStdString(), command.keys);
        EXPECT_TRUE(plotA(w)->actions().contains(action)) << command.name; // the context menu
        for (const QString& key : keys) {
            EXPECT_NE(manual.find(key.toStdString()), std::string::npos) << key.toStdString();
        }
    }
    EXPECT_TRUE(nextButton(w)->toolTip().endsWith("(Right, PgDown)"));
}

TEST_F(WindowTest, AnotherFileWithoutARecordIsRefusedAndNothingChanges) {
    ASSERT_TRUE(showOn(dir.write("demo.vid", testdata::demoFile(2))));
    nextButton(w)->click();
    const QImage before = imageOf(plotA(w));
    const QString title = w.windowTitle();
    const QString status = statusLine(w)->text();
    const std::string empty = dir.write("empty.vid", {});
    const std::string oneByte = dir.write("one.vid", {0x41});
    dialogs.fileNames = {empty};
    QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier); // through the dialog
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(oneByte))});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &drop); // dropped
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::string>{empty + " Error= 4", oneByte + " Error= 4"}));
    EXPECT_EQ(w.windowTitle(), title);
    EXPECT_EQ(statusLine(w)->text(), status);
    EXPECT_EQ(imageOf(plotA(w)), before);
    // A resize afterwards paints the file still shown and ends nothing.
    w.resize(w.width() + 10, w.height());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !w.exitStatus() && w.controller().recordNumber() == 1; }, 1000));
    EXPECT_FALSE(w.exitStatus());
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(WindowTest, ZoomLegendCursorsAndHiddenRecordsLeaveThePlotsAsTheyWere) {
    ASSERT_TRUE(showOn(dir.write("demo.vid", testdata::demoFile(3))));
    nextButton(w)->click();
    nextButton(w)->click();
    const auto shown = [&] { return plotA(w)->grab().toImage(); };
    const QImage before = shown();
    const QImage kept = imageOf(plotA(w));
    const auto trigger = [&](const char* name) { w.findChild<QAction*>(name)->trigger(); };

    trigger("zoomInAction");
    EXPECT_NE(shown(), before);
    EXPECT_EQ(w.controller().view().range.width(), 801 / 2.0);
    trigger("zoomWholeAction");
    EXPECT_EQ(shown(), before); // the whole chart exactly as it was
    // A touchpad's fine steps add up to a wheel's: four of 30 zoom as one of 120 does, keeping
    // the sample under the pointer where it was.
    const auto indexAtPointer = [&] {
        return chart::indexAtColumn(w.controller().view().range, 333, plotA(w)->width());
    };
    const double underPointer = indexAtPointer();
    for (int k = 0; k < 4; ++k) {
        QWheelEvent wheel(QPointF(333, 90), plotA(w)->mapToGlobal(QPointF(333, 90)), {}, {0, 30},
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(plotA(w), &wheel);
    }
    EXPECT_NEAR(w.controller().view().range.width(), 801 * 0.8, 1e-3);
    EXPECT_NEAR(indexAtPointer(), underPointer, 0.01);
    trigger("zoomWholeAction");

    trigger("legendAction");
    EXPECT_NE(shown(), before);
    // A click on record 1's row hides it, read from nowhere: no red left; a second shows it.
    const auto rows =
        chart::legendRows(chart::legendEntries(w.controller().overlay(), w.controller().view()), 0,
                          plotA(w)->size(), w.font());
    ASSERT_EQ(rows.size(), 3u);
    QTest::mouseClick(plotA(w), Qt::LeftButton, {}, rows[1].rect.center());
    EXPECT_EQ(countColour(shown(), qRgb(255, 0, 0)), 0);
    QTest::mouseClick(plotA(w), Qt::LeftButton, {}, rows[1].rect.center());
    trigger("legendAction");
    EXPECT_EQ(shown(), before);

    // A click on the last column puts the cursor on the last sample.
    QTest::mouseClick(plotB(w), Qt::LeftButton, {},
                      QPoint(chart::columnOfIndex({}, 801, plotB(w)->width()), 100));
    EXPECT_EQ(w.controller().view().cursorA, std::optional<int>(801));
    // Cursors across both plots, never into their pictures; Esc removes them.
    QTest::mouseClick(plotA(w), Qt::LeftButton, {}, QPoint(200, 100));
    QTest::mouseClick(plotB(w), Qt::LeftButton, Qt::ShiftModifier, QPoint(300, 100));
    EXPECT_EQ(w.controller().view().cursorA,
              std::optional<int>(std::lround(200 * 935.0 / 725 - 35)));
    EXPECT_TRUE(w.controller().view().cursorB.has_value());
    EXPECT_NE(shown(), before);
    EXPECT_EQ(imageOf(plotA(w)), kept);
    // The measurements between them, in a window of their own; Ctrl+C there copies the table.
    trigger("measurementsAction");
    auto* measurements = w.findChild<QWidget*>("measurementsWindow");
    ASSERT_NE(measurements, nullptr);
    EXPECT_TRUE(measurements->isVisible());
    EXPECT_TRUE(measurements->windowTitle().contains("Measurements"));
    measurements->findChild<QAction*>("copyAction")->trigger();
    const auto expected = measurementsText(
        w.controller().view(), measure(w.controller().overlay(), w.controller().view()));
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), expected);
    EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), 2 + 3 * 4);

    trigger("removeCursorsAction");
    EXPECT_EQ(shown(), before);
    // It copies what it shows; Esc closes it, and M opens and closes it as L does the legend.
    measurements->findChild<QAction*>("copyAction")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString());
    QApplication::setActiveWindow(measurements); // as a click on it makes it
    QTest::keyClick(measurements, Qt::Key_Escape);
    EXPECT_FALSE(measurements->isVisible());
    EXPECT_FALSE(w.findChild<QAction*>("measurementsAction")->isChecked());
    trigger("measurementsAction");
    EXPECT_TRUE(measurements->isVisible());
    trigger("measurementsAction");
    EXPECT_FALSE(measurements->isVisible());
}

// The numbers of the records on the plots, in their order.
std::vector<std::int64_t> numbersOf(const chart::Overlay& overlay) {
    std::vector<std::int64_t> numbers;
    for (const chart::OverlayRecord& shown : overlay.records()) {
        numbers.push_back(shown.number);
    }
    return numbers;
}

// A mouse event on a plot, with the buttons held after it.
void mouse(QWidget* plot, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = {}) {
    QMouseEvent event(type, at, plot->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(plot, &event);
}
void drag(QWidget* plot, Qt::MouseButton button, QPoint from, QPoint to) {
    mouse(plot, QEvent::MouseButtonPress, from, button, button);
    mouse(plot, QEvent::MouseMove, to, Qt::NoButton, button);
    mouse(plot, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

TEST_F(WindowTest, ADraggedCursorABoxZoomAndAFittedValueAxisComeBackWithCtrlZero) {
    ASSERT_TRUE(showOn(dir.write("demo.vid", testdata::demoFile(3))));
    nextButton(w)->click();
    nextButton(w)->click();
    const auto shown = [&] { return plotA(w)->grab().toImage(); };
    const QImage before = shown();
    const chart::View& view = w.controller().view();
    const QSize size = plotA(w)->size();
    const auto column = [&](int index) { return chart::columnOfIndex({}, index, size.width()); };

    // A press places cursor A and a drag moves it on; a press by its line, on either plot, drags
    // it again, and the pointer shows where that is.
    drag(plotA(w), Qt::LeftButton, {column(100), 100}, {column(150), 100});
    EXPECT_NEAR(view.cursorA.value_or(-1), 150, 1); // a pixel is 1.3 samples
    drag(plotB(w), Qt::LeftButton, {column(150) + 2, 100}, {column(400), 100});
    EXPECT_NEAR(view.cursorA.value_or(-1), 400, 1);
    EXPECT_FALSE(view.cursorB.has_value());
    const int a = *view.cursorA;
    mouse(plotA(w), QEvent::MouseMove, {column(a) - 2, 50}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(plotA(w)->cursor().shape(), Qt::SizeHorCursor);

    // A right-button rectangle: Esc while it is drawn takes it away, and not the cursor; drawn
    // again, both axes zoom to it.
    mouse(plotA(w), QEvent::MouseButtonPress, {100, 40}, Qt::RightButton, Qt::RightButton);
    mouse(plotA(w), QEvent::MouseMove, {300, 140}, Qt::NoButton, Qt::RightButton);
    QTest::keyClick(&w, Qt::Key_Escape);
    mouse(plotA(w), QEvent::MouseButtonRelease, {300, 140}, Qt::RightButton, Qt::NoButton);
    EXPECT_TRUE(view.zoomedOut());
    EXPECT_EQ(view.cursorA, std::optional<int>(a));
    drag(plotA(w), Qt::RightButton, {100, 40}, {300, 140});
    const chart::IndexRange range = chart::indexRangeBetween(
        chart::indexAtColumn({}, 100, size.width()), chart::indexAtColumn({}, 300, size.width()));
    const chart::ValueRange values = chart::valuesBetween(
        chart::valueAtRow({}, 40, size.height()), chart::valueAtRow({}, 140, size.height()));
    EXPECT_EQ(std::pair(view.range.first, view.range.last), std::pair(range.first, range.last));
    EXPECT_EQ(std::pair(view.values.low, view.values.high), std::pair(values.low, values.high));
    EXPECT_NE(shown(), before);

    // V fits the value axis to the records over the indices shown; Ctrl+0 and Esc bring back
    // exactly the plots as they were.
    w.findChild<QAction*>("fitValuesAction")->trigger();
    const auto fitted = chart::fittedValues(w.controller().overlay(), {}, range);
    ASSERT_TRUE(fitted.has_value());
    EXPECT_EQ(std::pair(view.values.low, view.values.high), std::pair(fitted->low, fitted->high));
    w.findChild<QAction*>("zoomWholeAction")->trigger();
    w.findChild<QAction*>("removeCursorsAction")->trigger();
    EXPECT_EQ(shown(), before);

    // Record 2 the reference, D: the records minus it, and the legend says so; D again, the
    // plots as they were.
    w.findChild<QAction*>("referenceAction")->trigger();
    w.findChild<QAction*>("differenceAction")->trigger();
    EXPECT_NE(shown(), before);
    const auto legend = chart::legendEntries(w.controller().overlay(), view);
    EXPECT_NE(legend.front().text.find("minus record 2"), std::string::npos);
    EXPECT_NE(legend.back().text.find("(reference)"), std::string::npos);
    w.findChild<QAction*>("differenceAction")->trigger();
    EXPECT_EQ(shown(), before);
}

TEST_F(WindowTest, TheRecordsWindowReachesEveryRecordAndTakesRecordsOffThePlots) {
    ASSERT_TRUE(showOn(dir.write("thirty.vid", test::numberedRecords(30))));
    w.findChild<QAction*>("recordsAction")->trigger();
    auto* records = w.findChild<QWidget*>("recordsWindow");
    ASSERT_NE(records, nullptr);
    EXPECT_TRUE(records->isVisible());
    EXPECT_EQ(records->windowTitle(), "Records");
    auto* table = records->findChild<QWidget*>("recordTable");
    QApplication::setActiveWindow(records); // its keys, not the viewer's
    // Records 27 and 28, picked with the keys: on the plots in order, the stepping position kept.
    QTest::keyClick(table, Qt::Key_End);
    QTest::keyClick(table, Qt::Key_Up);
    QTest::keyClick(table, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(numbersOf(w.controller().overlay()), (std::vector<std::int64_t>{0, 27, 28}));
    EXPECT_EQ(w.controller().recordNumber(), 0);
    EXPECT_GT(countColour(imageOf(plotA(w)), qRgb(0, 0, 255)), 100); // record 28, as 4 is
    // Delete takes them off; the plots are painted again from record 0 alone.
    QTest::keyClick(table, Qt::Key_Delete);
    EXPECT_EQ(numbersOf(w.controller().overlay()), (std::vector<std::int64_t>{0}));
    EXPECT_EQ(countColour(imageOf(plotA(w)), qRgb(0, 0, 255)), 0);
    // Record 0 the reference, Ctrl+Shift+D shows the record most distant from it, once the
    // distances are worked out.
    w.findChild<QAction*>("referenceAction")->trigger();
    w.findChild<QAction*>("mostDistantAction")->trigger();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return w.controller().overlay().records().size() == 2; }, 5000));
    const std::int64_t most = w.controller().lastShown()->number;
    const Record reference = w.controller().overlay().records().front().record;
    for (std::int64_t n = 0; n < 30; ++n) {
        const Record other = RecordFile::read(w.controller().dataFile(), n).value();
        EXPECT_FALSE(chart::rankedBefore(
            {n, chart::distanceBetween(other, reference)},
            {most, chart::distanceBetween(w.controller().lastShown()->record, reference)}))
            << n;
    }
    // Typing filters; Esc closes.
    auto* filter = records->findChild<QLineEdit*>("recordFilter");
    QTest::keyClicks(filter, "REC-2");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return records->findChild<QLabel*>("recordSummary")->text() == "11 of 30 records match";
        },
        5000))
        << records->findChild<QLabel*>("recordSummary")->text().toStdString();
    QTest::keyClick(records, Qt::Key_Escape);
    EXPECT_FALSE(records->isVisible());
    EXPECT_FALSE(w.findChild<QAction*>("recordsAction")->isChecked());
}

TEST_F(WindowTest, ALegendOfAllTwentyFourRecordsFitsThePlotAndEachRowIsClickable) {
    ASSERT_TRUE(showOn(dir.write("demo.vid", testdata::demoFile(24))));
    for (int k = 0; k < 23; ++k) {
        nextButton(w)->click();
    }
    w.findChild<QAction*>("legendAction")->trigger();
    const auto rows =
        chart::legendRows(chart::legendEntries(w.controller().overlay(), w.controller().view()), 0,
                          plotA(w)->size(), w.font());
    ASSERT_EQ(rows.size(), 24u);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        EXPECT_TRUE(plotA(w)->rect().contains(rows[k].rect)) << k;
        for (std::size_t j = 0; j < k; ++j) {
            EXPECT_FALSE(rows[k].rect.intersects(rows[j].rect)) << j << " and " << k;
        }
    }
    QTest::mouseClick(plotA(w), Qt::LeftButton, {}, rows[23].rect.center());
    EXPECT_FALSE(w.controller().view().shows(23));
}

// The picture sorkam-export paints of data with options, in folder; a run that fails fails the
// test and gives no picture.
QImage exportedPicture(const std::filesystem::path& folder, const std::string& data,
                       const QStringList& options) {
    const QString exported = QString::fromStdString((folder / "exported.png").string());
    QProcess tool;
    tool.start(SORKAM_EXPORT_BINARY,
               QStringList{"png", QString::fromStdString(data), "-o", exported} + options);
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0) {
        ADD_FAILURE() << tool.readAllStandardError().toStdString();
        return {};
    }
    return QImage(exported).convertToFormat(QImage::Format_RGB32);
}

TEST_F(WindowTest, PCountsTheDensityInTheBackgroundSavesItAsTheExportToolPaintsItAndGivesBack) {
    const std::string data = dir.write("many.vid", testdata::demoFile(30));
    ASSERT_TRUE(showOn(data));
    nextButton(w)->click();
    const QImage before = plotA(w)->grab().toImage();
    const auto trigger = [&](const char* name) { w.findChild<QAction*>(name)->trigger(); };

    // Esc while it is counted stops the counting and keeps the cursor.
    QTest::mouseClick(plotA(w), Qt::LeftButton, {}, QPoint(200, 100));
    trigger("densityAction");
    ASSERT_TRUE(w.controller().densityCounting());
    trigger("removeCursorsAction");
    EXPECT_FALSE(w.controller().densityCounting());
    EXPECT_TRUE(w.controller().view().cursorA);
    trigger("removeCursorsAction");

    // Counted in the background: every record of the file, under records 0 and 1.
    trigger("densityAction");
    QTRY_VERIFY_WITH_TIMEOUT(w.controller().view().density != nullptr, 20000);
    EXPECT_EQ(w.controller().view().density->records, 30);
    EXPECT_NE(plotA(w)->grab().toImage(), before);

    const std::string saved = (dir.path() / "density.png").string();
    dialogs.pictureNames = {saved};
    trigger("saveViewAction");
    QImageReader reader(QString::fromStdString(saved));
    const QString comment = reader.text("Comment");
    const QImage picture = reader.read().convertToFormat(QImage::Format_RGB32);
    QStringList options = comment.split(' ');
    ASSERT_EQ(options.takeFirst(), "sorkam-export");
    EXPECT_EQ(options.join(' '), "-r 0-29 --density --over 0-1");
    EXPECT_EQ(exportedPicture(dir.path(), data, options), picture);

    // SVG and PDF hold it as a picture of its pixels under their lines.
    dialogs.pictureNames = {(dir.path() / "density.svg").string(),
                            (dir.path() / "density.pdf").string()};
    trigger("saveViewAction");
    trigger("saveViewAction");
    EXPECT_NE(contents(dir.path() / "density.svg").find("<image"), std::string::npos);
    EXPECT_NE(contents(dir.path() / "density.pdf").find("/Subtype /Image"), std::string::npos);

    // P again: the plots exactly as they were.
    trigger("densityAction");
    EXPECT_EQ(w.controller().view().density, nullptr);
    EXPECT_EQ(plotA(w)->grab().toImage(), before);
}

TEST_F(WindowTest, TheSavedViewIsTheExportToolsPictureAndCopyAndPrintShowTheSame) {
    const std::string data = dir.write("demo.vid", testdata::demoFile(4));
    ASSERT_TRUE(showOn(data));
    nextButton(w)->click();
    nextButton(w)->click();
    const auto trigger = [&](const char* name) { w.findChild<QAction*>(name)->trigger(); };
    trigger("legendAction");
    QTest::mouseClick(plotA(w), Qt::LeftButton, {}, QPoint(200, 100));
    QTest::mouseClick(plotB(w), Qt::LeftButton, Qt::ShiftModifier, QPoint(300, 100));
    QWheelEvent wheel(QPointF(333, 90), plotA(w)->mapToGlobal(QPointF(333, 90)), {}, {0, 120},
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plotA(w), &wheel); // zoomed around the pointer, not on whole samples
    ASSERT_FALSE(w.controller().view().range.whole());
    QWheelEvent valueWheel(QPointF(333, 90), plotA(w)->mapToGlobal(QPointF(333, 90)), {}, {0, 120},
                           Qt::NoButton, Qt::ControlModifier | Qt::ShiftModifier, Qt::NoScrollPhase,
                           false);
    QApplication::sendEvent(plotA(w), &valueWheel); // and the values around the pointer
    ASSERT_FALSE(w.controller().view().values.whole());

    // Saved where the dialog says, which started beside the data file, named after the records.
    const std::string saved = (dir.path() / "view.png").string();
    dialogs.pictureNames = {saved};
    trigger("saveViewAction");
    EXPECT_EQ(log.count("save as:" + (dir.path() / "demo-records-0-2.png").string()), 1u);
    QImageReader reader(QString::fromStdString(saved));
    const QString comment = reader.text("Comment");
    const QImage picture = reader.read().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(755, 538));

    // The export tool, given the options the picture names, paints the same pixels.
    QStringList options = comment.split(' ');
    ASSERT_EQ(options.takeFirst(), "sorkam-export");
    EXPECT_TRUE(options.contains("--legend") && options.contains("--cursors") &&
                options.contains("--values"))
        << comment.toStdString();
    EXPECT_EQ(exportedPicture(dir.path(), data, options), picture) << comment.toStdString();

    // Copied: the same picture. Printed: the same view on the page.
    trigger("copyViewAction");
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture);
    trigger("printViewAction");
    ASSERT_TRUE(dialogs.printed);
    QImage page(picture.size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    dialogs.printed(painter);
    painter.end();
    EXPECT_GT(countColour(page, qRgb(255, 0, 0)), 100); // record 1's traces

    // SVG and PDF by their names; a file that cannot be written is told in a box, and the data
    // file is never replaced, under whatever name.
    dialogs.pictureNames = {(dir.path() / "view.svg").string(), (dir.path() / "view.PDF").string(),
                            (dir.path() / "no" / "view.png").string()};
    trigger("saveViewAction");
    trigger("saveViewAction");
    // The SVG is the export tool's, byte for byte but for the program its description names.
    QProcess tool;
    tool.start(SORKAM_EXPORT_BINARY,
               QStringList{"svg", QString::fromStdString(data), "-o",
                           QString::fromStdString((dir.path() / "exported.svg").string())} +
                   options);
    ASSERT_TRUE(tool.waitForFinished(60000));
    const auto drawing = [&](const char* name) {
        std::string text = contents(dir.path() / name);
        const std::size_t from = text.find("<desc>");
        return from == std::string::npos ? text : text.erase(from, text.find("</desc>") - from);
    };
    EXPECT_NE(drawing("view.svg").find("<polyline"), std::string::npos);
    EXPECT_EQ(drawing("view.svg"), drawing("exported.svg"));
    // So is the PDF's page.
    tool.start(SORKAM_EXPORT_BINARY,
               QStringList{"pdf", QString::fromStdString(data), "-o",
                           QString::fromStdString((dir.path() / "exported.pdf").string())} +
                   options);
    ASSERT_TRUE(tool.waitForFinished(60000));
    const std::string content = test::pdfPageContent(contents(dir.path() / "view.PDF"));
    EXPECT_NE(content.find(" RG"), std::string::npos);
    EXPECT_EQ(content, test::pdfPageContent(contents(dir.path() / "exported.pdf")));
    EXPECT_EQ(contents(dir.path() / "view.PDF").rfind("%PDF-", 0), 0u);
    trigger("saveViewAction");
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back(), "Cannot save " + (dir.path() / "no" / "view.png").string() +
                                           ": No such file or directory");
    const std::string before = contents(data);
    std::filesystem::create_symlink(data, dir.path() / "data.png");
    const auto refused =
        writePictureFile((dir.path() / "data.png").string(), data, [](QIODevice& file) {
            file.write("picture");
            return Result<void, std::string>();
        });
    // A picture that fails once its file was begun leaves no file behind.
    const auto half =
        writePictureFile((dir.path() / "half.png").string(), data, [](QIODevice& file) {
            file.write("half a picture");
            return Result<void, std::string>(std::string("the picture cannot be made"));
        });
    EXPECT_FALSE(half.ok());
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename().string().find("half"), std::string::npos) << entry.path();
    }
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error(), "it is the data file shown");
    EXPECT_EQ(contents(data), before);
}

TEST_F(WindowTest, ReadOutsShowThePlaceAndTheSamplesOfTheLastRecord) {
    w.start(dir.write("three.vid", test::numberedRecords(3)));
    nextButton(w)->click();
    // The axes cross at (35, 25): pixel (27, 217) of a 726 x 237 plot area.
    EXPECT_EQ(
        w.plotReadOut(plotA(w), QPoint(27, 217)).toStdString(),
        "index 0, value 0\nrecord 1: channel 1 = " + std::to_string(test::numberedSample(1, 0, 0)) +
            ", channel 3 = " + std::to_string(test::numberedSample(1, 2, 0)));
    const QString right = w.plotReadOut(plotB(w), QPoint(725, 0));
    EXPECT_EQ(right, QString("index 900, value 290")); // beyond the trace: the place only
    const QString mid = w.plotReadOut(plotB(w), QPoint(400, 100));
    EXPECT_TRUE(mid.contains("record 1: channel 2 = ")) << mid.toStdString();
    EXPECT_TRUE(mid.contains(", channel 4 = ")) << mid.toStdString();
    EXPECT_EQ(w.statusReadOut(), QString("record 1 of the 3 records in the file"));
    clearButton(w)->click();
    EXPECT_FALSE(w.plotReadOut(plotA(w), QPoint(400, 100)).contains("record"));
}

TEST_F(WindowTest, AFailureAtStartUpEndsWithoutShowingTheWindow) {
    const std::string missing = (dir.path() / "missing.vid").string();
    w.start(missing);
    EXPECT_EQ(w.exitStatus(), std::optional<int>(kReadFailureExitStatus));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{missing + " Error= 1"});
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), QString::fromStdString(missing));
}

TEST_F(WindowTest, HeaderTextsShowEveryByteInCharactersTheStatusFontHas) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const QString shown = headerTextForDisplay(all);
    EXPECT_TRUE(shown.startsWith("\\x00\\x01")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(" !\"#")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("}~\\x7F\u20AC\\x81\u201A")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("\u00FE\u00FF")) << shown.toStdString();
    // No box for a character the face lacks (the soft hyphen is drawn only at a line break).
    const QFontMetrics metrics(statusLine(w)->font());
    for (const QChar c : shown) {
        EXPECT_TRUE(metrics.inFont(c) || c == QChar(0xAD)) << std::hex << int(c.unicode());
    }
}

TEST(TextDisplay, PathsShowTheirCharactersAndNothingThatHidesOrReordersThem) {
    const std::pair<const char*, QString> cases[] = {
        {"/data/run 1.vid", "/data/run 1.vid"},
        {"/d/\xc3\xa9t\xc3\xa9.vid", "/d/\u00e9t\u00e9.vid"},
        {"<b>&amp;</b>", "<b>&amp;</b>"},
        {"a\nb\tc", "a\u240Ab\u2409c"},
        {"run\xe2\x80\xae"
         "div.exe",
         "run[U+202E]div.exe"},
        {"a\xff"
         "b",
         "a\ufffdb"},
    };
    for (const auto& [path, shown] : cases) {
        EXPECT_EQ(pathForDisplay(path), shown) << path;
    }
}

TEST_F(WindowTest, FollowingGoesOnWithAFileMadeAnewAndStopsWhereItCannotBeWatched) {
    std::filesystem::create_directory(dir.path() / "recorder");
    const std::string path = dir.write("recorder/run.vid", test::numberedRecords(1));
    ASSERT_TRUE(showOn(path));
    auto* follow = w.findChild<QAction*>("followAction");
    follow->trigger();
    ASSERT_TRUE(w.controller().following());
    std::filesystem::remove(path);
    QTest::qWait(50);
    dir.write("recorder/run.vid", test::numberedRecords(2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.controller().recordNumber() == 1; }, 5000));
    EXPECT_EQ(w.followingNote(), "following the file: 2 records");
    // Records past 23 are not shown, and the mark says so.
    dir.write("recorder/run.vid", test::numberedRecords(27));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.controller().recordNumber() == 23; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return w.followingNote() ==
                   "following the file: 27 records, 3 after record 23 not shown";
        },
        5000))
        << w.followingNote().toStdString();
    // Its folder gone, there is nothing left to watch: the mark goes, and the tooltip says why.
    std::filesystem::remove_all(dir.path() / "recorder");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.controller().following(); }, 5000));
    EXPECT_FALSE(follow->isChecked());
    EXPECT_TRUE(follow->toolTip().endsWith("cannot be watched: No such file or directory"))
        << follow->toolTip().toStdString();
}

TEST_F(WindowTest, GrowingWithTheWindowMakesThePlotsLargerAndOffRestoresTheLayout) {
    ASSERT_TRUE(showOn(dir.write("demo.vid", testdata::demoFile(2))));
    nextButton(w)->click();
    previousButton(w)->click(); // record 1 (red) kept, record 0 the current one
    auto* grow = w.findChild<QAction*>("growAction");
    ASSERT_NE(grow, nullptr);
    grow->trigger();
    w.resize(1133, 837); // the layout at 144 dpi
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.size() == QSize(1133, 837); }, 5000));
    EXPECT_EQ(plotA(w)->geometry(), QRect(21, 32, 1089, 356));
    EXPECT_EQ(imageOf(plotA(w)).size(), QSize(1089, 356));
    EXPECT_EQ(nextButton(w)->geometry(), QRect(966, 788, 139, 39));
    EXPECT_GT(countColour(imageOf(plotA(w)), qRgb(0, 0, 0)), 3000);  // frame and record 0 again
    EXPECT_GT(countColour(imageOf(plotA(w)), qRgb(255, 0, 0)), 500); // and every kept record
    grow->trigger(); // off: the fixed layout, the window as large as it is
    EXPECT_EQ(plotA(w)->geometry(), QRect(14, 21, 726, 237));
    EXPECT_EQ(captionA(w)->font().pointSizeF(), 14.25);
    EXPECT_EQ(w.size(), QSize(1133, 837));
}

// Run by ctest on a 1024 x 576 screen (tests/screens/small.json); skipped on larger ones.
TEST(SmallScreen, TheWholeWindowFitsScaledAsOne) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    if (available.height() >= 600) {
        GTEST_SKIP() << "runs on the small screen only";
    }
    test::EventLog log;
    test::ScriptedDialogs dialogs(log);
    ViewerWindow w(&dialogs);
    test::TempDir dir;
    w.start(dir.write("demo.vid", testdata::demoFile(1)));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_TRUE(available.contains(w.frameGeometry())) << w.frameGeometry().height();
    for (const char* name : {"captionA", "plotA", "captionB", "plotB", "statusLine", "clearButton",
                             "previousButton", "nextButton"}) {
        EXPECT_TRUE(w.rect().contains(part<QWidget>(w, name)->geometry())) << name;
    }
    // Smaller as one: plots, text and buttons alike.
    EXPECT_LT(plotA(w)->height(), 237);
    EXPECT_EQ(imageOf(plotA(w)).size(), plotA(w)->size());
    EXPECT_LT(captionA(w)->font().pointSizeF(), 14.25);
    EXPECT_LT(nextButton(w)->font().pointSizeF(), 8.25);
    EXPECT_NEAR(double(plotA(w)->width()) / w.width(), 726.0 / 755.0, 0.01);
}

TEST(OpenFileDialog, ListsAndOpensNamesThatAreNotUtf8InColumnsThatFit) {
    test::TempDir dir;
    const std::string latin = dir.write("caf\xE9.vid", test::numberedRecords(1));
    dir.write("one.vid", {1});
    dir.write("plain.dat", test::numberedRecords(1));
    dir.write("notes.txt", {1});
    std::filesystem::create_directory(dir.path() / "runs");
    FileDialog dialog("open file", folderOf(latin));
    EXPECT_EQ(dialog.currentFolder(), dir.path().string());
    auto* view = dialog.findChild<QTreeView*>("entries");
    ASSERT_NE(view, nullptr);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QStringList names;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        names.append(view->model()->index(row, 0).data().toString());
    }
    EXPECT_EQ(names, QStringList({"runs/", "caf\uFFFD.vid", "one.vid", "plain.dat"}));
    EXPECT_EQ(view->model()->index(2, 1).data().toString(), "1 byte");
    for (int column = 0; column < 3; ++column) {
        EXPECT_GE(view->header()->sectionSize(column),
                  static_cast<QAbstractItemView*>(view)->sizeHintForColumn(column))
            << column;
    }
    // A typed pattern filters the list and opens nothing.
    auto* name = dialog.findChild<QLineEdit*>("fileName");
    ASSERT_NE(name, nullptr);
    name->setText("*.dat;o?e.vid");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(view->model()->rowCount(), 3); // runs/, one.vid, plain.dat
    name->setText("*.vid");
    QTest::keyClick(name, Qt::Key_Return);
    name->clear();
    view->setFocus();
    view->setCurrentIndex(view->model()->index(1, 0));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedPath(), latin);
}

TEST(TextDisplay, AFileDialogsNameForANonUtf8FileFindsItsBytes) {
    // The dialog shows "caf\xE9.vid" as "caf\uFFFD.vid"; what it returns must open that file.
    test::TempDir dir;
    const std::string latin = dir.write("caf\xE9.vid", test::numberedRecords(1));
    const QString shown = QFile::decodeName(QByteArray::fromStdString(latin));
    ASSERT_TRUE(shown.contains(QChar(0xFFFD)));
    EXPECT_EQ(pathBytes(shown), latin);
    const std::string plain = dir.write("plain.vid", test::numberedRecords(1));
    EXPECT_EQ(pathBytes(QString::fromStdString(plain)), plain);
}

} // namespace
} // namespace sorkam
