#include "tools/RecordWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>

namespace sorkam::testdata {

namespace {

constexpr std::size_t kBlockBytes = 1256;
constexpr std::size_t kSampleOffset = 56;
constexpr std::size_t kHeader8Offset = 26;
constexpr std::size_t kHeader10Offset = 40;

void putText(RecordBytes& bytes, std::size_t offset, std::size_t length, std::string_view text) {
    for (std::size_t i = 0; i < length; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(i < text.size() ? text[i] : ' ');
    }
}

std::uint8_t clampSample(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// A small deterministic generator, so the demo file is the same on every machine.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state(seed) {}
    // Uniform in -1..1.
    double next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / static_cast<double>(1u << 23) - 1.0;
    }

private:
    std::uint32_t state;
};

ChannelSamples demoChannels(int r) {
    constexpr double kPi = std::numbers::pi;
    ChannelSamples ch{};
    Noise noise(0x5eed0000u + static_cast<std::uint32_t>(r));
    const int stepAt = 140 + 6 * r;
    for (std::size_t idx = 0; idx < kSamplesPerChannel; ++idx) {
        const double i = static_cast<double>(idx);
        // Channel 1: a pulse train whose pulses wander later and grow a little.
        const double phase = std::fmod(i + 200.0 - 7.0 * r, 200.0);
        const double pulse = phase < 35.0 ? (150.0 + 2.0 * r) * std::min(1.0, phase / 4.0) : 0.0;
        ch[0][idx] = clampSample(40.0 + pulse + 3.0 * std::sin(i / 9.0));
        // Channel 2: a step with a damped overshoot that settles faster in later records.
        double step = 30.0;
        if (idx >= static_cast<std::size_t>(stepAt)) {
            const double t = i - stepAt;
            const double tau = 60.0 - 1.5 * r;
            step = 30.0 + 140.0 * (1.0 - std::exp(-t / tau) * std::cos(2.0 * kPi * t / 90.0));
        }
        ch[1][idx] = clampSample(step);
        // Channel 3: a decaying oscillation whose period and decay drift.
        const double decay = std::exp(-i / (220.0 + 12.0 * r));
        ch[2][idx] = clampSample(128.0 + 110.0 * decay * std::sin(2.0 * kPi * i / (55.0 + r)));
        // Channel 4: noise on a slow wave that moves up from record to record.
        const double wave = 25.0 * std::sin(2.0 * kPi * i / 400.0 + 0.3 * r);
        ch[3][idx] = clampSample(90.0 + 2.5 * r + wave + 18.0 * noise.next());
    }
    return ch;
}

} // namespace

RecordBytes encodeRecord(std::string_view header8, std::string_view header10,
                         const ChannelSamples& channels) {
    RecordBytes bytes{};
    putText(bytes, kHeader8Offset, 8, header8);
    putText(bytes, kHeader10Offset, 10, header10);
    for (std::size_t c = 0; c < channels.size(); ++c) {
        std::copy(channels[c].begin(), channels[c].end(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(c * kBlockBytes + kSampleOffset));
    }
    return bytes;
}

void appendRecord(std::vector<std::uint8_t>& file, const RecordBytes& record) {
    file.insert(file.end(), record.begin(), record.end());
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

std::vector<std::uint8_t> demoFile(int records) {
    std::vector<std::uint8_t> file;
    for (int r = 0; r < records; ++r) {
        // A run recorded on 7 December 2026 from 14:03:20, one record every 2.5 s.
        const int tenths = (14 * 3600 + 3 * 60 + 20) * 10 + 25 * r;
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d:%02d.%d", tenths / 36000, tenths / 600 % 60,
                      tenths / 10 % 60, tenths % 10);
        appendRecord(file, encodeRecord("07.12.26", time, demoChannels(r)));
    }
    return file;
}

} // namespace sorkam::testdata
