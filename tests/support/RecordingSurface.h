#pragma once

#include "plot/PlotSurface.h"

#include <cstdint>
#include <vector>

namespace sorkam::test {

// A plot surface that paints nothing and appends every call to a list.
class RecordingSurface final : public PlotSurface {
public:
    enum class Op { SetScale, DrawLine, DrawPoint, DrawNumber, Clear };
    struct Call {
        Op op;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0; // drawNumber and drawPoint: at (x1, y1)
        Color color = kForegroundColor;
        std::int16_t value = 0; // drawNumber
    };

    void setScale(float x1, float y1, float x2, float y2) override {
        calls.push_back({Op::SetScale, x1, y1, x2, y2});
    }
    void drawLine(float x1, float y1, float x2, float y2, Color color) override {
        calls.push_back({Op::DrawLine, x1, y1, x2, y2, color});
    }
    void drawPoint(float x, float y) override { calls.push_back({Op::DrawPoint, x, y, x, y}); }
    void drawNumber(float x, float y, std::int16_t value) override {
        calls.push_back({Op::DrawNumber, x, y, x, y, kForegroundColor, value});
    }
    void clear() override { calls.push_back({Op::Clear}); }

    [[nodiscard]] std::size_t count(Op op) const {
        std::size_t n = 0;
        for (const Call& c : calls) {
            n += c.op == op ? 1 : 0;
        }
        return n;
    }
    [[nodiscard]] std::vector<Call> only(Op op) const {
        std::vector<Call> out;
        for (const Call& c : calls) {
            if (c.op == op) {
                out.push_back(c);
            }
        }
        return out;
    }

    std::vector<Call> calls;
};

} // namespace sorkam::test
