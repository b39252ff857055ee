#pragma once

#include "plot/PlotSurface.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace sorkam::test {

// A plot surface that paints nothing and appends every call to a list, keeping the current
// point the way a real surface does. A printed line is kLineHeight user units high.
class RecordingSurface final : public PlotSurface {
public:
    enum class Op { Scale, Line, PSet, Print, Cls };
    struct Call {
        Op op;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        std::optional<Color> color; // Line with an explicit colour
        std::int16_t value = 0;     // Print
        float atX = 0, atY = 0;     // Print: the current point it printed at
    };
    static constexpr float kLineHeight = 10.0f;

    static Call call(Op op, float x1 = 0, float y1 = 0, float x2 = 0, float y2 = 0,
                     std::optional<Color> color = std::nullopt) {
        Call c{};
        c.op = op;
        c.x1 = x1;
        c.y1 = y1;
        c.x2 = x2;
        c.y2 = y2;
        c.color = color;
        return c;
    }

    void Scale(float x1, float y1, float x2, float y2) override {
        calls.push_back(call(Op::Scale, x1, y1, x2, y2));
        left = x1;
        downward = y2 < y1 ? -1.0f : 1.0f;
    }
    void Line(float x1, float y1, float x2, float y2) override {
        calls.push_back(call(Op::Line, x1, y1, x2, y2));
        x = x2;
        y = y2;
    }
    void Line(float x1, float y1, float x2, float y2, Color color) override {
        calls.push_back(call(Op::Line, x1, y1, x2, y2, color));
        x = x2;
        y = y2;
    }
    void PSet(float px, float py) override {
        calls.push_back(call(Op::PSet, px, py, px, py));
        x = px;
        y = py;
    }
    void Print(std::int16_t value) override {
        Call c = call(Op::Print);
        c.value = value;
        c.atX = x;
        c.atY = y;
        calls.push_back(c);
        x = left;
        y += downward * kLineHeight;
    }
    void Cls() override {
        calls.push_back(call(Op::Cls));
        x = 0;
        y = 0;
    }
    [[nodiscard]] float CurrentX() const override { return x; }
    [[nodiscard]] float CurrentY() const override { return y; }
    void SetCurrentX(float nx) override { x = nx; }
    void SetCurrentY(float ny) override { y = ny; }

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

private:
    float x = 0, y = 0, left = 0, downward = 1.0f;
};

} // namespace sorkam::test
