#include "SceneJson.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "SceneError.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

double DegreesFromRadians(float radians) {
    return static_cast<double>(radians) * 180.0 / kPi;
}

float RadiansFromDegrees(double degrees) {
    return static_cast<float>(degrees * kPi / 180.0);
}

// The double nearest to the shortest decimal rendering of exact for which backToFloat gives
// want. The JSON writer prints that double with the fewest digits that read back as it, so the
// file shows the short decimal and reading it gives the same double again.
template <typename BackToFloat>
double ShortestDecimal(double exact, float want, BackToFloat backToFloat) {
    for (int digits = 1; digits <= 17; ++digits) {
        char text[40];
        std::snprintf(text, sizeof text, "%.*g", digits, exact);
        const double candidate = std::strtod(text, nullptr);
        if (backToFloat(candidate) == want) {
            return candidate;
        }
    }
    return exact;
}

SceneJson NonFiniteToJson(float v) {
    if (std::isnan(v)) {
        return "nan";
    }
    return v > 0.0f ? "inf" : "-inf";
}

float NumberOrNonFinite(const SceneJson& v, const std::string& place, bool* isNumber) {
    *isNumber = v.is_number();
    if (v.is_number()) {
        return 0.0f;
    }
    if (v.is_string()) {
        const std::string& s = v.get_ref<const std::string&>();
        if (s == "inf") {
            return std::numeric_limits<float>::infinity();
        }
        if (s == "-inf") {
            return -std::numeric_limits<float>::infinity();
        }
        if (s == "nan") {
            return std::numeric_limits<float>::quiet_NaN();
        }
    }
    throw SceneErrorAt(place, "expected a number, found " + DescribeJson(v));
}

template <std::size_t N>
void ReadChannels(const SceneJson& v, const std::string& place, const char* shape, float* out) {
    if (!v.is_array() || v.size() != N) {
        throw SceneErrorAt(place, std::string("expected ") + shape + ", found " + DescribeJson(v));
    }
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = JsonToFloat(v[i], place + "[" + std::to_string(i) + "]");
    }
}

}  // namespace

SceneJson FloatToJson(float v) {
    if (!std::isfinite(v)) {
        return NonFiniteToJson(v);
    }
    return ShortestDecimal(static_cast<double>(v), v,
                           [](double d) { return static_cast<float>(d); });
}

SceneJson AngleToJson(float radians) {
    if (!std::isfinite(radians)) {
        return NonFiniteToJson(radians);
    }
    return ShortestDecimal(DegreesFromRadians(radians), radians, RadiansFromDegrees);
}

SceneJson ColorToJson(const Color& c) {
    return SceneJson::array({FloatToJson(c.r), FloatToJson(c.g), FloatToJson(c.b)});
}

SceneJson AColorToJson(const AColor& c) {
    return SceneJson::array(
        {FloatToJson(c.r), FloatToJson(c.g), FloatToJson(c.b), FloatToJson(c.a)});
}

SceneJson Point3ToJson(const Point3& p) {
    return SceneJson::array({FloatToJson(p.x), FloatToJson(p.y), FloatToJson(p.z)});
}

float JsonToFloat(const SceneJson& v, const std::string& place) {
    bool isNumber = false;
    const float special = NumberOrNonFinite(v, place, &isNumber);
    return isNumber ? static_cast<float>(v.get<double>()) : special;
}

float JsonToAngle(const SceneJson& v, const std::string& place) {
    bool isNumber = false;
    const float special = NumberOrNonFinite(v, place, &isNumber);
    return isNumber ? RadiansFromDegrees(v.get<double>()) : special;
}

int JsonToInt(const SceneJson& v, const std::string& place) {
    if (v.is_number_integer()) {
        if (v.is_number_unsigned()) {
            const auto u = v.get<std::uint64_t>();
            if (u <= static_cast<std::uint64_t>(std::numeric_limits<int>::max())) {
                return static_cast<int>(u);
            }
        } else {
            const auto i = v.get<std::int64_t>();
            if (i >= std::numeric_limits<int>::min() && i <= std::numeric_limits<int>::max()) {
                return static_cast<int>(i);
            }
        }
        throw SceneErrorAt(place, "integer " + v.dump() + " is out of range");
    }
    throw SceneErrorAt(place, "expected an integer, found " + DescribeJson(v));
}

bool JsonToBool(const SceneJson& v, const std::string& place) {
    if (!v.is_boolean()) {
        throw SceneErrorAt(place, "expected true or false, found " + DescribeJson(v));
    }
    return v.get<bool>();
}

Color JsonToColor(const SceneJson& v, const std::string& place) {
    float c[3];
    ReadChannels<3>(v, place, "[r, g, b]", c);
    return Color(c[0], c[1], c[2]);
}

AColor JsonToAColor(const SceneJson& v, const std::string& place) {
    float c[4];
    ReadChannels<4>(v, place, "[r, g, b, a]", c);
    return AColor(c[0], c[1], c[2], c[3]);
}

Point3 JsonToPoint3(const SceneJson& v, const std::string& place) {
    float c[3];
    ReadChannels<3>(v, place, "[x, y, z]", c);
    return Point3(c[0], c[1], c[2]);
}

std::wstring JsonToText(const SceneJson& v, const std::string& place) {
    if (!v.is_string()) {
        throw SceneErrorAt(place, "expected a string, found " + DescribeJson(v));
    }
    return FromUtf8(v.get_ref<const std::string&>());
}

const SceneJson& JsonMember(const SceneJson& v, const char* key, const std::string& place) {
    if (!v.is_object()) {
        throw SceneErrorAt(place, "expected an object, found " + DescribeJson(v));
    }
    const auto it = v.find(key);
    if (it == v.end()) {
        throw SceneErrorAt(place, std::string("missing \"") + key + "\"");
    }
    return *it;
}

std::string DescribeJson(const SceneJson& v) {
    switch (v.type()) {
        case SceneJson::value_t::null:
            return "null";
        case SceneJson::value_t::boolean:
            return v.get<bool>() ? "true" : "false";
        case SceneJson::value_t::string:
            return "the string " + v.dump();
        case SceneJson::value_t::array:
            return "an array of " + std::to_string(v.size());
        case SceneJson::value_t::object:
            return "an object";
        default:
            return "the number " + v.dump();
    }
}
