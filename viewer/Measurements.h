#pragma once

#include "chart/Overlay.h"
#include "chart/View.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sorkam {

// What the cursors measure on one channel of one record: its samples at A and at B, the change
// from A to B, and the least, greatest and mean sample from A to B inclusive.
struct Measurement {
    std::int64_t record = 0;
    Color color = 0; // the record's
    int channel = 1; // 1..4
    int atA = 0;
    int atB = 0;
    int change = 0;
    int least = 0;
    int greatest = 0;
    double mean = 0.0;
};

// The measurements of every record on the plots that the view shows, channel by channel, between
// its cursors (in either order); none unless both are placed.
[[nodiscard]] std::vector<Measurement> measure(const chart::Overlay& overlay,
                                               const chart::View& view);

// The table's headings, and one measurement's cells as the table and its text show them: the
// record, its plot and channel ("VIDEO A, channel 1"), then the numbers.
[[nodiscard]] std::vector<std::string> measurementHeadings();
[[nodiscard]] std::vector<std::string> measurementCells(const Measurement& m);

// The measurements in view as text: the cursors' read-out ("A 223  B 352  B−A 129"), then the
// table tab-separated, a header row and a row each; lines end in LF.
[[nodiscard]] std::string measurementsText(const chart::View& view,
                                           const std::vector<Measurement>& rows);

} // namespace sorkam
