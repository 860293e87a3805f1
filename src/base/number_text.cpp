#include "base/number_text.h"

#include <charconv>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace veltrix {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the number at the start of text (after any blanks and sign handling by the caller).
// Returns the span [begin, end) of the unsigned decimal number or an empty span.
struct NumberSpan {
    bool negative = false;
    std::string digits;  // the unsigned number text, ready for from_chars
};

NumberSpan scanNumber(std::string_view text) {
    NumberSpan span;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        span.negative = text[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t intDigits = 0, fracDigits = 0;
    while (i < text.size() && isDigit(text[i])) { ++i; ++intDigits; }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) { ++i; ++fracDigits; }
    }
    if (intDigits + fracDigits == 0) return {};
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < text.size() && isDigit(text[j])) { ++j; ++expDigits; }
        if (expDigits > 0) end = j;
    }
    span.digits.assign(text.substr(start, end - start));
    if (span.digits.front() == '.') span.digits.insert(span.digits.begin(), '0');
    return span;
}

template <typename T>
T leadingNumber(std::string_view text) {
    const NumberSpan span = scanNumber(text);
    if (span.digits.empty()) return T(0);
    T value{};
    const char* first = span.digits.data();
    const char* last = first + span.digits.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr == first) return T(0);
    return span.negative ? -value : value;
}

// The power of ten of the first significant digit of an unsigned number text ("123.4e5": 7,
// "0.004": -3), the exponent saturated far beyond any floating type; 0 for a zero.
long long decimalMagnitude(std::string_view digits) {
    const std::size_t e = digits.find_first_of("eE");
    const std::string_view mantissa = digits.substr(0, e);
    long long exponent = 0;
    if (e != std::string_view::npos) {
        std::size_t i = e + 1;
        const bool negative = i < digits.size() && digits[i] == '-';
        if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) ++i;
        for (; i < digits.size(); ++i) exponent = std::min(exponent * 10 + (digits[i] - '0'), 1000000LL);
        if (negative) exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return 0;
    const long long position = first < point ? static_cast<long long>(point - first) - 1
                                             : -static_cast<long long>(first - point);
    return position + exponent;
}

}  // namespace

bool leadingFloatInRange(std::string_view text) {
    const NumberSpan span = scanNumber(text);
    if (span.digits.empty()) return true;
    const char* first = span.digits.data();
    const char* last = first + span.digits.size();
    float single{};
    if (std::from_chars(first, last, single).ec == std::errc()) return true;
    // Out of a single's range: too large, unless it is a tiny number (which reads as 0).
    double value{};
    if (std::from_chars(first, last, value).ec == std::errc()) return std::fabs(value) < 1;
    return decimalMagnitude(span.digits) < 0;
}

namespace {

// Removes the integer zero of "0.x" / "-0.x" and turns "-0" into "0".
std::string dropLeadingZero(std::string text) {
    if (text == "-0") return "0";
    if (text.rfind("0.", 0) == 0) return text.substr(1);
    if (text.rfind("-0.", 0) == 0) return "-" + text.substr(2);
    return text;
}

template <typename T>
std::string shortestFixed(T value) {
    if (value == 0) return "0";
    char buf[512];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return dropLeadingZero(std::string(buf, res.ptr));
}

// At most `precision` significant digits of the exact value in fixed notation, trailing zeros
// trimmed; whole values in full.
std::string significant(double value, int precision) {
    if (!std::isfinite(value)) return value < 0 ? "-inf" : (value > 0 ? "inf" : "nan");
    if (value == 0) return "0";
    char buf[512];
    if (value == std::floor(value)) {
        std::snprintf(buf, sizeof buf, "%.0f", value);
        return buf;
    }
    std::snprintf(buf, sizeof buf, "%.*e", precision - 1, std::fabs(value));
    // buf is "d.ddddde[+-]xx"
    std::string mantissa;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.') mantissa.push_back(*p);
    const int exponent = std::atoi(p + 1);
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
    std::string out = value < 0 ? "-" : "";
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += mantissa;
    } else {
        const auto intLen = static_cast<std::size_t>(exponent) + 1;
        if (mantissa.size() <= intLen) {
            out += mantissa;
            out.append(intLen - mantissa.size(), '0');
        } else {
            out += mantissa.substr(0, intLen);
            out += '.';
            out += mantissa.substr(intLen);
        }
    }
    return out;
}

}  // namespace

float leadingFloat(std::string_view text) { return leadingNumber<float>(text); }
double leadingDouble(std::string_view text) { return leadingNumber<double>(text); }

std::string tableNumber(float value) { return shortestFixed(value); }
std::string tableNumber(double value) { return shortestFixed(value); }
std::string tableNumber(long long value) { return std::to_string(value); }

std::string generalText(float value) { return significant(static_cast<double>(value), 7); }
std::string generalText(double value) { return significant(value, 15); }
std::string generalText(long long value) { return std::to_string(value); }

std::string fixedText(double value, int decimals, bool leadingZero) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    std::string text = buf;
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    if (!leadingZero) {
        if (text.rfind("0.", 0) == 0) text.erase(0, 1);
        else if (text.rfind("-0.", 0) == 0) text.erase(1, 1);
    }
    return text;
}

std::string printNumber(float value) {
    return (value < 0 ? "-" : " ") + generalText(std::fabs(value)) + " ";
}

std::string printNumber(double value) {
    return (value < 0 ? "-" : " ") + generalText(std::fabs(value)) + " ";
}

float displayRound(float value) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.3f", static_cast<double>(value));
    std::string text(buf);
    if (text.size() > 7) text.resize(7);
    return leadingFloat(text);
}

double roundHalfEven(double value) { return std::nearbyint(value); }

}  // namespace veltrix
