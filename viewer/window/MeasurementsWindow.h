#pragma once

#include "viewer/Measurements.h"

#include <QWidget>

class QLabel;
class QTableWidget;

namespace sorkam {

// The measurements between the cursors, in a window of its own that stays open beside the
// viewer's: the index distance B-A, then a row for each record and channel. Ctrl+C copies the
// table shown as tab-separated text with its header row; Esc and Ctrl+W close the window.
class MeasurementsWindow final : public QWidget {
    Q_OBJECT
public:
    explicit MeasurementsWindow(QWidget* parent = nullptr);

    // Shows what the cursors measure now; without both cursors, says how to set them.
    void showMeasurements(const chart::View& view, const std::vector<Measurement>& rows);
    // The table shown, as the clipboard gets it.
    [[nodiscard]] QString tableText() const;

signals:
    // The window was shown or closed.
    void shownChanged(bool shown);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QLabel* distance;
    QTableWidget* table;
    std::vector<Measurement> shown; // the table's rows
    chart::View cursors;            // the view they were measured in
    bool placed = false;            // both cursors are: the table is shown
};

} // namespace sorkam
