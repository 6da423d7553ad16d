#include "SampleLine.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <stdexcept>

namespace {

using nlohmann::json;

int IntField(const json& value, const char* name) {
    const bool fits =
        (value.is_number_unsigned() &&
         value.get<std::uint64_t>() <= static_cast<std::uint64_t>(INT_MAX)) ||
        (value.is_number_integer() && !value.is_number_unsigned() &&
         value.get<std::int64_t>() >= INT_MIN && value.get<std::int64_t>() <= INT_MAX);
    if (!fits) {
        throw std::runtime_error(std::string("\"") + name + "\" must be a 32-bit integer");
    }
    return static_cast<int>(value.get<std::int64_t>());
}

// A number beyond the float range becomes an infinity rather than an undefined conversion.
float NumberField(const json& value, const char* name) {
    if (!value.is_number()) {
        throw std::runtime_error(std::string("\"") + name + "\" must be a number");
    }
    const double d = value.get<double>();
    if (d > static_cast<double>(FLT_MAX)) {
        return HUGE_VALF;
    }
    if (d < -static_cast<double>(FLT_MAX)) {
        return -HUGE_VALF;
    }
    return static_cast<float>(d);
}

}  // namespace

SampleLine ParseSampleLine(const std::string& text) {
    json line;
    try {
        line = json::parse(text);
    } catch (const json::parse_error& e) {
        throw std::runtime_error(std::string("not JSON: ") + e.what());
    }
    if (!line.is_object()) {
        throw std::runtime_error("a sample must be a JSON object");
    }
    SampleLine sample;
    for (const auto& [key, value] : line.items()) {
        if (key == "mtlNum") {
            sample.mtlNum = IntField(value, "mtlNum");
        } else if (key == "node") {
            sample.node = IntField(value, "node");
        } else if (key == "time") {
            sample.time = IntField(value, "time");
        } else if (key == "uvw99") {
            sample.uvw99 = NumberField(value, "uvw99");
        } else if (key == "uvw") {
            if (!value.is_array() || value.size() != 3) {
                throw std::runtime_error("\"uvw\" must be an array of three numbers");
            }
            for (std::size_t i = 0; i < 3; ++i) {
                sample.uvw[i] = NumberField(value[i], "uvw");
            }
        } else {
            // A misspelt field would otherwise read as 0 without a word.
            throw std::runtime_error("unknown field \"" + key + "\"");
        }
    }
    return sample;
}
