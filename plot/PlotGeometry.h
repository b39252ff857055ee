#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace sorkam {

// A user scale: the user point at the interior's top-left corner and the extent to the
// bottom-right corner (either extent may be negative).
struct UserScale {
    float left = 0.0f;
    float top = 0.0f;
    float width = 1.0f;
    float height = 1.0f;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
};

struct PixelSegment {
    PixelPoint a;
    PixelPoint b;
};

// Maps user points to pixels of a width x height interior: the scale's top-left corner is pixel
// (0, 0) and its bottom-right corner pixel (width - 1, height - 1), rounded to the nearest. Far-off
// points stay representable as int. Made once per scale, used per point.
class PixelMapping {
public:
    PixelMapping(const UserScale& scale, int width, int height)
        : originX(scale.left), originY(scale.top),
          factorX(scale.width != 0.0f && width > 1 ? static_cast<float>(width - 1) / scale.width
                                                   : 0.0f),
          factorY(scale.height != 0.0f && height > 1 ? static_cast<float>(height - 1) / scale.height
                                                     : 0.0f) {}

    [[nodiscard]] PixelPoint operator()(float x, float y) const { return {column(x), row(y)}; }
    // Both ends of a line at once, each exactly as operator() maps it.
    [[nodiscard]] PixelSegment segment(float x1, float y1, float x2, float y2) const {
#if defined(__SSE2__)
        // The four coordinates go through the same steps side by side: a line is mapped for
        // every trace segment, 3,204 of them a record.
        const __m128 origin = _mm_setr_ps(originX, originY, originX, originY);
        const __m128 factor = _mm_setr_ps(factorX, factorY, factorX, factorY);
        const __m128 v = _mm_mul_ps(_mm_sub_ps(_mm_setr_ps(x1, y1, x2, y2), origin), factor);
        const __m128 limited = _mm_min_ps(_mm_max_ps(v, _mm_set1_ps(-kLimit)), _mm_set1_ps(kLimit));
        alignas(16) int p[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(p), _mm_cvtps_epi32(limited));
        return {{p[0], p[1]}, {p[2], p[3]}};
#else
        return {(*this)(x1, y1), (*this)(x2, y2)};
#endif
    }
    [[nodiscard]] int column(float x) const {
        return round((x - originX) * factorX);
    }
    [[nodiscard]] int row(float y) const {
        return round((y - originY) * factorY);
    }

private:
    // NaN and far-off values map to +-2^24.
    static constexpr float kLimit = 1 << 24;

    // To the nearest pixel, halves to even.
    static int round(float v) {
#if defined(__SSE2__)
        // One instruction each: these run for every point and line end the viewer paints.
        const __m128 limited =
            _mm_min_ss(_mm_max_ss(_mm_set_ss(v), _mm_set_ss(-kLimit)), _mm_set_ss(kLimit));
        return _mm_cvtss_si32(limited);
#else
        if (!(v > -kLimit)) {
            return -static_cast<int>(kLimit);
        }
        if (!(v < kLimit)) {
            return static_cast<int>(kLimit);
        }
        return static_cast<int>(std::nearbyint(v));
#endif
    }

    float originX;
    float originY;
    float factorX;
    float factorY;
};

// One point through a PixelMapping.
[[nodiscard]] inline PixelPoint toPixel(const UserScale& scale, int width, int height, float x,
                                        float y) {
    return PixelMapping(scale, width, height)(x, y);
}

// The text drawNumber writes for value: a leading space for zero or more (where a minus sign would
// stand), the digits, and one trailing space.
[[nodiscard]] std::string printedNumber(std::int16_t value);

} // namespace sorkam
