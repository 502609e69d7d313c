#include "definitions/value_format.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tags/tag_database.h"

namespace zephane {

namespace {

constexpr double kTicksPerSecond = 30.0;
constexpr double kAngleUnitsPerDegree = 65536.0 / 360.0;

std::int64_t clamp_to(std::int64_t value, int width, bool is_signed) {
    return std::clamp(value, stored_minimum(width, is_signed), stored_maximum(width, is_signed));
}

std::int64_t rounded(double value) {
    // Halves away from zero; values beyond any stored width saturate before the conversion.
    if (!(value == value)) return 0; // NaN
    value = std::clamp(value, -9.0e18, 9.0e18);
    return std::llround(value);
}

std::int64_t wrap_turn(std::int64_t units) { return ((units % 65536) + 65536) % 65536; }

// Stored units per shown unit and the stored width of the scaled encodings.
struct Scale {
    double per_unit;
    int width;
    bool is_signed;
};

std::optional<Scale> scale_of(Encoding encoding, int width) {
    switch (encoding) {
    case Encoding::fixed_16_16: return Scale{65536.0, 4, true};
    case Encoding::fixed_8_8: return Scale{256.0, 2, true};
    case Encoding::fraction_65536: return Scale{65536.0, 2, false};
    case Encoding::fraction_256: return Scale{256.0, 1, false};
    case Encoding::unit_fraction_16: return Scale{65535.0, 2, false};
    case Encoding::unit_fraction_8: return Scale{255.0, 1, false};
    case Encoding::world_distance_16: return Scale{512.0, 2, true};
    case Encoding::world_distance_32: return Scale{512.0, width, true};
    default: return std::nullopt;
    }
}

} // namespace

std::int64_t stored_minimum(int width, bool is_signed) {
    if (!is_signed) return 0;
    return -(std::int64_t{1} << (8 * width - 1));
}

std::int64_t stored_maximum(int width, bool is_signed) {
    return is_signed ? (std::int64_t{1} << (8 * width - 1)) - 1 : (std::int64_t{1} << (8 * width)) - 1;
}

std::string format_decimal(double value, int decimals) {
    char text[512];
    std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 1, 20), value);
    std::string out = text;
    if (out.find('.') != std::string::npos) {
        while (out.back() == '0' && out[out.size() - 2] != '.') out.pop_back();
    }
    if (out == "-0.0") out = "0.0";
    return out;
}

double parse_number(const std::string& text) {
    const char* start = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start || !std::isfinite(value)) return 0.0;
    return value;
}

std::int64_t parse_integer(const std::string& text) {
    const char* start = text.c_str();
    char* end = nullptr;
    const long long value = std::strtoll(start, &end, 10);
    return end == start ? 0 : value;
}

int default_decimals(Encoding encoding) {
    switch (encoding) {
    case Encoding::fixed_16_16:
    case Encoding::fraction_65536:
    case Encoding::unit_fraction_16:
    case Encoding::world_distance_32:
    case Encoding::decimal: return 4;
    case Encoding::fixed_8_8:
    case Encoding::fraction_256:
    case Encoding::unit_fraction_8:
    case Encoding::world_distance_16:
    case Encoding::ticks: return 3;
    case Encoding::angle:
    case Encoding::angular_rate: return 2;
    default: return 0;
    }
}

std::string format_stored(const NumericFormat& format, std::int64_t stored) {
    if (const auto scale = scale_of(format.encoding, format.width))
        return format_decimal(static_cast<double>(stored) / scale->per_unit, default_decimals(format.encoding));
    switch (format.encoding) {
    case Encoding::decimal:
        return format_decimal(std::bit_cast<float>(static_cast<std::uint32_t>(stored)), format.decimals);
    case Encoding::angle:
        return format_decimal(static_cast<double>(stored & 0xFFFF) / kAngleUnitsPerDegree, 2);
    case Encoding::angular_rate:
        return format_decimal(static_cast<double>(stored & 0xFFFF) / kAngleUnitsPerDegree * kTicksPerSecond, 2);
    case Encoding::colour_component: return std::to_string((stored >> 8) & 0xFF); // the high byte
    case Encoding::ticks: return format_decimal(static_cast<double>(stored) / kTicksPerSecond, format.decimals);
    case Encoding::whole_seconds: return std::to_string(rounded(static_cast<double>(stored) / kTicksPerSecond));
    default: return std::to_string(stored);
    }
}

std::int64_t parse_stored(const NumericFormat& format, const std::string& text) {
    if (const auto scale = scale_of(format.encoding, format.width))
        return clamp_to(rounded(parse_number(text) * scale->per_unit), scale->width, scale->is_signed);
    switch (format.encoding) {
    case Encoding::decimal:
        return std::bit_cast<std::uint32_t>(static_cast<float>(parse_number(text)));
    case Encoding::angle:
        return wrap_turn(static_cast<std::int64_t>(
            std::floor(std::clamp(parse_number(text), -1e15, 1e15) * kAngleUnitsPerDegree + 0.5)));
    case Encoding::angular_rate:
        // Degrees per second to an angle per tick, rounded: the shown value reads back to the
        // stored one, and rates of a turn per second or more keep their size.
        return wrap_turn(rounded(std::clamp(parse_number(text), -1e15, 1e15) / kTicksPerSecond * kAngleUnitsPerDegree));
    case Encoding::colour_component: return std::clamp<std::int64_t>(rounded(parse_number(text)), 0, 255) * 257;
    case Encoding::ticks:
        return clamp_to(rounded(parse_number(text) * kTicksPerSecond), format.width, format.is_signed);
    case Encoding::whole_seconds:
        return clamp_to(rounded(parse_number(text)) * 30, format.width, format.is_signed);
    default: return clamp_to(parse_integer(text), format.width, format.is_signed);
    }
}

namespace {
// The whole text (spaces around it aside) as a finite number.
std::optional<double> exact_number(const std::string& text) {
    const char* start = text.c_str();
    while (*start == ' ' || *start == '\t') ++start;
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start || !std::isfinite(value)) return std::nullopt;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0') return std::nullopt;
    return value;
}
} // namespace

bool typed_as_shown(const std::string& typed, const std::string& shown) {
    const std::optional<double> typed_value = exact_number(typed);
    const std::optional<double> shown_value = exact_number(shown);
    return typed_value && shown_value &&
           std::fabs(*typed_value - *shown_value) <= 1e-6 * std::max(1.0, std::fabs(*typed_value));
}

std::optional<std::string> stored_differently(const NumericFormat& format, const std::string& typed) {
    std::string shown = format_stored(format, parse_stored(format, typed));
    if (typed_as_shown(typed, shown)) return std::nullopt;
    return shown;
}

std::string format_tag_reference(const TagDatabase& db, tag_type type, tag_id id) {
    if (is_null_reference(id)) return "(tag unassigned)";
    if (const TagEntry* entry = db.find_tag(type, id)) return entry->name;
    return std::string("(missing tag '") + tag_id_to_text(id) + "')";
}

std::string fit_text(const std::string& text, std::size_t buffer_size) {
    if (buffer_size == 0) return {};
    std::string out = text.substr(0, buffer_size - 1);
    if (const auto nul = out.find('\0'); nul != std::string::npos) out.resize(nul);
    return out;
}

std::int64_t range_upper(const StoredRange& range) {
    return range.delta == 0 ? range.lower : range.lower + range.delta - 1;
}

StoredRange parse_range(const NumericFormat& format, const std::string& lower_text,
                        const std::string& upper_text) {
    return range_from_bounds(parse_stored(format, lower_text), parse_stored(format, upper_text),
                             format.width, format.is_signed);
}

StoredRange range_from_bounds(std::int64_t lower, std::int64_t upper, int width, bool is_signed) {
    if (lower == upper) return {lower, 0};
    if (upper < lower) std::swap(lower, upper);
    return {lower, std::min(upper - lower + 1, stored_maximum(width, is_signed))};
}

float decimal_range_upper(const DecimalRange& range) {
    return range.delta == 0.0f ? range.lower : range.lower + range.delta - 1.0f;
}

DecimalRange parse_decimal_range(const std::string& lower_text, const std::string& upper_text) {
    const RealRange range = real_range(static_cast<float>(parse_number(lower_text)),
                                       static_cast<float>(parse_number(upper_text)));
    return {static_cast<float>(range.lower), static_cast<float>(range.delta)};
}

RealRange real_range(double lower, double upper) {
    if (lower == upper) return {lower, 0.0};
    if (upper < lower) std::swap(lower, upper);
    return {lower, upper - lower + 1.0};
}

} // namespace zephane
