#include "export/OptionNumbers.h"

#include "plot/PlotFrame.h"

#include <algorithm>
#include <cctype>

namespace sorkam::exporting {

namespace {

// A decimal number exactly as written: its whole part and its fraction's digits, without trailing
// zeros ("200.250" is 200 and "25", "1e-3" is 0 and "001"). Nothing for a negative number, one
// too large for a sample index, or anything else.
struct Decimal {
    long long whole = 0;
    std::string fraction;

    friend bool operator<(const Decimal& a, const Decimal& b) {
        if (a.whole != b.whole) {
            return a.whole < b.whole;
        }
        const std::size_t digits = std::max(a.fraction.size(), b.fraction.size());
        std::string x = a.fraction;
        std::string y = b.fraction;
        x.resize(digits, '0');
        y.resize(digits, '0');
        return x < y;
    }
};

std::optional<Decimal> decimalIn(std::string_view text) {
    std::size_t k = 0;
    std::string digits;
    std::size_t point = std::string::npos; // digits before the point
    for (; k < text.size() && (std::isdigit(static_cast<unsigned char>(text[k])) ||
                               (text[k] == '.' && point == std::string::npos));
         ++k) {
        if (text[k] == '.') {
            point = digits.size();
        } else {
            digits += text[k];
        }
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    long long exponent = 0;
    if (k < text.size() && (text[k] == 'e' || text[k] == 'E')) {
        const auto given = numberIn<int>(text.substr(k + (text.substr(k + 1, 1) == "+" ? 2 : 1)));
        if (!given || *given < -400 || *given > 400) {
            return std::nullopt;
        }
        exponent = *given;
        k = text.size();
    }
    if (k != text.size()) {
        return std::nullopt;
    }
    // The point moved by the exponent, then the digits split at it.
    long long at =
        static_cast<long long>(point == std::string::npos ? digits.size() : point) + exponent;
    if (at < 0) {
        digits.insert(0, static_cast<std::size_t>(-at), '0');
        at = 0;
    }
    if (static_cast<std::size_t>(at) > digits.size()) {
        digits.append(static_cast<std::size_t>(at) - digits.size(), '0');
    }
    std::string whole = digits.substr(0, static_cast<std::size_t>(at));
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.size() > 6) {
        return std::nullopt; // no sample index comes near
    }
    Decimal decimal{whole.empty() ? 0 : std::stoll(whole),
                    digits.substr(static_cast<std::size_t>(at))};
    while (!decimal.fraction.empty() && decimal.fraction.back() == '0') {
        decimal.fraction.pop_back();
    }
    return decimal;
}

} // namespace

namespace {

// "LOW-HIGH" within 0..whole, at least narrowest apart, compared as the decimals are written.
std::optional<std::pair<double, double>> spanIn(const std::string& text, long long whole,
                                                long long narrowest) {
    std::size_t dash = text.find('-', 1);
    while (dash != std::string::npos && (text[dash - 1] == 'e' || text[dash - 1] == 'E')) {
        dash = text.find('-', dash + 1); // the minus of an exponent
    }
    if (dash == std::string::npos) {
        return std::nullopt;
    }
    const std::string_view firstText = std::string_view(text).substr(0, dash);
    const std::string_view lastText = std::string_view(text).substr(dash + 1);
    const auto first = decimalIn(firstText);
    const auto last = decimalIn(lastText);
    const auto firstValue = numberIn<double>(firstText);
    const auto lastValue = numberIn<double>(lastText);
    if (!first || !last || !firstValue || !lastValue || Decimal{whole, {}} < *last ||
        *last < Decimal{first->whole + narrowest, first->fraction}) {
        return std::nullopt;
    }
    return std::pair(*firstValue, *lastValue);
}

} // namespace

std::optional<chart::IndexRange> rangeIn(const std::string& text) {
    const auto span = spanIn(text, kTraceSegments, static_cast<long long>(chart::kNarrowestRange));
    return span ? std::optional(chart::IndexRange{span->first, span->second}) : std::nullopt;
}

std::optional<chart::ValueRange> valuesIn(const std::string& text) {
    const auto span = spanIn(text, static_cast<long long>(kValueSpan),
                             static_cast<long long>(chart::kNarrowestValues));
    return span ? std::optional(chart::ValueRange{span->first, span->second}) : std::nullopt;
}

} // namespace sorkam::exporting
