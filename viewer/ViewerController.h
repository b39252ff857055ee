#pragma once

#include "chart/Overlay.h"
#include "chart/View.h"
#include "plot/PlotSurface.h"
#include "viewer/DensityJob.h"
#include "viewer/RecordDisplay.h"
#include "viewer/ViewerHost.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace sorkam {

// The viewer's command logic and the one owner of its state: the data file (from the command line,
// the open-file dialog or a drop), the current record number (kept within -1..23), the records on
// the plots, the view (range, cursors, hidden records, legend) and whether the file is followed.
// Turns the window's commands and events into frame painting, record display, messages and
// changes of the view; the window draws what it is given. Decides when the program ends.
class ViewerController {
public:
    // Records 0..23 can be reached; showNext stops above 22 and showPrevious below 1.
    static constexpr std::int16_t kLastRecord = 23;

    ViewerController(ViewerHost& host, UserDialogs& dialogs, PlotSurface& plotA,
                     PlotSurface& plotB);

    // Every event goes through here: runs its handler to completion, then the repaint a resize
    // asked for meanwhile (during a modal box); runs nothing once the program is ending or while
    // another handler runs.
    void handle(const std::function<void()>& handler);
    // The window was shown, resized or restored: repaint() now, or after the running handler.
    void resized();
    // The system says the data file changed: fileChanged() now, or after the running handler
    // (a box the last new record brought up, say), so no record a recorder appends is missed.
    void fileNoticed();

    // The handlers. Start-up: the data file from the whole command-line text (or the dialog when it
    // is empty), record 0, the frame, and record 0 painted.
    void start(const std::string& commandLine);
    // The window was shown or changed size: frame and current record painted over what is there.
    void repaint();
    // The plots start again blank (on a screen with another pixel ratio): the frame and every
    // record on them painted again, in their order, from what was read.
    void repaintOverlay();
    // ">": the next record, or "end-of-file" at record 23.
    void showNext();
    // "<": the previous record, or "top-of-file" at record 0.
    void showPrevious();
    // "&Clear": both surfaces back to the bare frame; the current record is not painted again.
    void clearPlots();
    // Another file while running: it starts over as at start-up (its path in the title, record
    // 0 on a fresh frame, the whole chart, no cursors; the legend stays on or off). One that cannot
    // be read is reported and the current file and view stay; the program goes on.
    void openAnother(const std::string& path);
    // The open-file dialog, then openAnother with the file chosen; Cancel changes nothing.
    void openWithDialog();
    // The window's content grows with it, or stands at its fixed layout again; both plots
    // painted afresh at their new size with the frame, every record on them, and the current
    // record on top.
    void toggleGrowWithWindow();
    // The user closes the window: the program ends with status 0.
    void closeWindow();

    // Home, End and Ctrl+G: record 0, the last record in the file (at most 23), or the record the
    // user names, each shown as stepping shows it; where the file does not hold it, the box
    // stepping past the end shows, and the current record stays.
    void showFirst();
    void showLast();
    void goToRecord();
    // F5: the frame and every record on the plots painted afresh from the file, in their order;
    // one "end-of-file" box where the file no longer holds some of them.
    void reload();
    // L, Esc: the legend shown or hidden, both cursors removed.
    void toggleLegend();
    void removeCursors();
    // Ctrl+S: the view saved to a file the user names in the save dialog (starting in the data
    // file's folder, named after it and the records). A file that cannot be written is reported
    // in a box; the view stays.
    void saveView();
    // The name the save dialog suggests: the data file's, its folder and its extension left off,
    // and the records on the plots ("demo-records-0-2,5.png") in the data file's folder.
    [[nodiscard]] std::string suggestedPictureName() const;
    // Zoom on the sample index: in (half as many samples) and out, centred on cursor A where it
    // is set, else around the index under the pointer where it rests on a plot, else around the
    // middle; back to the whole chart on both axes; around a sample index (factor below 1 zooms
    // in); moved by samples.
    void zoomIn();
    void zoomOut();
    void zoomWhole();
    void zoomAround(double factor, double index);
    void pan(double samples);
    // Zoom on the value axis around a value; both axes to a rectangle's indices and values; the
    // value axis fitted to the shown records' samples in the index range (unchanged with none).
    void zoomValuesAround(double factor, double value);
    void zoomToBox(double first, double last, double low, double high);
    void fitValues();
    // Ctrl+R: the record shown last becomes the reference (kept as read); D: the plots show each
    // record minus the reference on the differences' value range (the record shown last becomes
    // the reference where there is none), or again as they were, value range and all.
    void makeReference();
    void toggleDifference();
    // P: under the records, how densely every record of the file covers the plots, counted in
    // the background for the view's ranges at the plots' size (again when they change), or no
    // longer; Esc while it is counted stops it. densityCounted takes the count once it is done.
    void toggleDensity();
    void densityCounted();
    // While the density is counted: how far, 0 to 1, and of how many records.
    [[nodiscard]] std::optional<std::pair<double, std::int64_t>> densityCounting() const;
    // Records picked in the records window, in order, each shown as stepping shows it (painted
    // over the others, the status line, the legend); one within 0..23 becomes the stepping
    // position. Where the file no longer holds one, "end-of-file" and the rest are not shown.
    void showRecords(const std::vector<std::int64_t>& numbers);
    // Records taken off the plots: both painted afresh with the frame and the records kept.
    void removeRecords(const std::vector<std::int64_t>& numbers);
    // Cursor A (or B) at the sample nearest an index, 0..801.
    void setCursor(bool b, double index);
    // A record on the plots hidden, or shown again, without reading the file.
    void toggleRecordShown(std::int64_t n);
    // F: following the file as a recorder writes it, on or off. While on, fileChanged shows each
    // new complete record as ">" would, up to record 23; a record still being written waits.
    void toggleFollowing();
    void fileChanged();
    // Following ends (the file can no longer be watched).
    void stopFollowing();

    // The records on the plots since they were last cleared, in their order; the last is the
    // record painted last.
    [[nodiscard]] const chart::Overlay& overlay() const { return records; }
    [[nodiscard]] const chart::OverlayRecord* lastShown() const {
        return records.empty() ? nullptr : &records.records().back();
    }
    // What the plots show beyond the records (the sample range, the cursors, the hidden records,
    // the legend), and whether the file is followed.
    [[nodiscard]] const chart::View& view() const { return shown; }
    [[nodiscard]] bool following() const { return follow; }
    // While following: the whole records the file held when last looked at.
    [[nodiscard]] std::int64_t recordsFollowed() const { return wholeRecordsSeen; }
    // How many records the data file holds now; nothing when it cannot be examined.
    [[nodiscard]] std::optional<std::int64_t> recordsInFile() const;

    // The exit status once the program is ending; handle() runs nothing from then on.
    [[nodiscard]] std::optional<int> exitStatus() const { return endStatus; }
    [[nodiscard]] const std::string& dataFile() const { return file; }
    [[nodiscard]] std::int16_t recordNumber() const { return record; }

private:
    // Runs the open-file dialog until it yields a file; nothing when the user answers Cancel to
    // the retry question.
    std::optional<std::string> selectFile();
    // Shows the current record and answers what came of it.
    void showCurrent();
    // The file now named watched (or no longer) as following is on (or off), its records up to
    // its present end counted as seen.
    void followFromEnd();
    // The index range factor times as wide, as the keyboard zooms.
    void zoomByKey(double factor);
    // Home, End and Ctrl+G: record n shown, or "end-of-file" where the file does not hold it.
    void jumpTo(std::int16_t n);
    // The failure message in a box and on the terminal.
    void report(const std::string& path, const ReadFailure& failure);
    void end(int status);
    // After each handler: a density wanted but not counted for the view and plots as they are
    // now is dropped and counted afresh.
    void followDensity();

    ViewerHost& host;
    UserDialogs& dialogs;
    PlotSurface& plotA;
    PlotSurface& plotB;
    RecordDisplay display;
    std::string file;
    std::int16_t record = 0;
    chart::Overlay records;
    chart::View shown;
    chart::ValueRange valuesBeforeDifference; // the value range D goes back to
    bool follow = false;
    std::int64_t wholeRecordsSeen = 0; // complete records in the file when last looked at
    std::optional<int> endStatus;
    bool growWithWindow = false;
    bool running = false;
    bool repaintPending = false;
    bool changePending = false;
    bool densityWanted = false;
    DensityJob density;
};

// Exit status when the user closes the window.
inline constexpr int kClosedExitStatus = 0;
// Exit status when the user declines to pick a file.
inline constexpr int kCancelledExitStatus = 0;
// Exit status of a program that ended because the data file could not be read.
inline constexpr int kReadFailureExitStatus = 1;

} // namespace sorkam
