// The JSON value type of scene files and the conversions every part of a scene file shares:
// exact floats, angles shown in degrees, colours, integers, booleans and texts, each read with
// a check of its type. Readers throw SceneError naming the place (a JSON path) and the reason.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "WideText.h"
#include "acolor.h"
#include "color.h"
#include "point3.h"
#include "strclass.h"

// Objects keep their keys in the order written, so a file lists parameters in definition order.
using SceneJson = nlohmann::ordered_json;

// A float written so that it reads back as the same single-precision value, with the fewest
// digits that do so. Infinities and NaN are written as the strings "inf", "-inf" and "nan".
SceneJson FloatToJson(float v);
// An angle held in radians, written in degrees: the degrees are computed in double from the
// float radians, and the fewest digits are written whose conversion back (in double, rounded
// once to float) gives the same radians.
SceneJson AngleToJson(float radians);
SceneJson ColorToJson(const Color& c);
SceneJson AColorToJson(const AColor& c);
SceneJson Point3ToJson(const Point3& p);

// Checked reads. place names the value in messages.
float JsonToFloat(const SceneJson& v, const std::string& place);
float JsonToAngle(const SceneJson& v, const std::string& place);
int JsonToInt(const SceneJson& v, const std::string& place);
bool JsonToBool(const SceneJson& v, const std::string& place);
Color JsonToColor(const SceneJson& v, const std::string& place);
AColor JsonToAColor(const SceneJson& v, const std::string& place);
Point3 JsonToPoint3(const SceneJson& v, const std::string& place);
std::wstring JsonToText(const SceneJson& v, const std::string& place);
// The member key of object v; SceneError when v is not an object or lacks key.
const SceneJson& JsonMember(const SceneJson& v, const char* key, const std::string& place);

// How a value is described in messages: "a string", "the number 1.5", "null", ...
std::string DescribeJson(const SceneJson& v);
