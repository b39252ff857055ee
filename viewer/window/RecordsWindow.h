#pragma once

#include "viewer/RecordsList.h"

#include <QAbstractScrollArea>
#include <QWidget>

#include <functional>
#include <set>
#include <vector>

class QLabel;
class QLineEdit;
class QProgressBar;
class QTimer;

namespace sorkam {

// The rows of a RecordsList, drawn as they come into view: number, colour, header texts, whether
// the record is on the plots, and its distance from the reference. Click, Ctrl+click and
// Shift+click select; Enter or a double-click picks the selected records, Delete asks for them
// to be taken off the plots; a click on the Distance heading sorts by it.
class RecordTable final : public QAbstractScrollArea {
    Q_OBJECT
public:
    RecordTable(RecordsList& list, std::function<bool(std::int64_t)> onPlots, QWidget* parent);

    // The rows changed in number or content.
    void rowsChanged();
    // The selected records, in the rows' order.
    [[nodiscard]] std::vector<std::int64_t> selectedRecords() const;

signals:
    void picked();
    void removeAsked();
    void sortAsked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    [[nodiscard]] int rowHeight() const;
    [[nodiscard]] int visibleRows() const;
    [[nodiscard]] std::int64_t firstRow() const;
    [[nodiscard]] std::int64_t rowAt(int y) const;
    // The current row moved to row (kept in view), selecting from the anchor with extend.
    void moveTo(std::int64_t row, bool extend);

    RecordsList& list;
    std::function<bool(std::int64_t)> onPlots;
    std::set<std::int64_t> selected; // rows
    std::int64_t current = 0;
    std::int64_t anchor = 0;
};

// The records window (not modal): a filter line, its progress, and the table of every record in
// the file. Esc and Ctrl+W close it.
class RecordsWindow final : public QWidget {
    Q_OBJECT
public:
    // onPlots tells whether a record is on the plots; show and remove carry out a pick and a
    // Delete.
    RecordsWindow(const std::string& dataFile, std::function<bool(std::int64_t)> onPlots,
                  std::function<void(const std::vector<std::int64_t>&)> show,
                  std::function<void(const std::vector<std::int64_t>&)> remove, QWidget* parent);

    [[nodiscard]] RecordsList& records() { return list; }
    // The plots or the file changed: the rows drawn again, the count looked at again.
    void refresh();

signals:
    void shownChanged(bool shown);
    // The work in the background (matching, distances) has come to an end.
    void workDone();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Progress of the work in the background, shown until it is done.
    void follow();

    RecordsList list;
    QLineEdit* filter;
    QProgressBar* progress;
    QLabel* summary;
    RecordTable* table;
    QTimer* poll;
};

} // namespace sorkam
