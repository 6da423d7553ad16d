// A parameter block as a scene file holds it: a JSON object with every saved parameter under its
// internal name, in definition order. Values are what a script sees: floats, angles in degrees,
// integers, booleans as true/false, colours and points as [r, g, b] / [x, y, z], texture maps
// as object ids or null, tables as arrays of entries. An animated entry is
// {"keys": [[time, value], ...]} in key order.
#pragma once

#include <functional>
#include <string>

#include "SceneJson.h"
#include "iparamb2.h"

// The parameter block held by target, or null when target is something else.
IParamBlock2* AsParamBlock(ReferenceTarget* target);

// The id written for a texture map held by the block (null for none).
using TexmapToJson = std::function<SceneJson(Texmap* map)>;
SceneJson ParamBlockToJson(IParamBlock2& block, const TexmapToJson& texmapId);

// The texture map an id in the file stands for; throws SceneError naming place.
using JsonToTexmap = std::function<Texmap*(const SceneJson& id, const std::string& place)>;
// Sets the parameters named in values through the block's own operations (SetValue, SetKey,
// SetCount, DeleteKeys), so the owner gets the messages of ordinary edits. Parameters values
// does not name keep what they hold. Unknown and unsaved parameters, values of the wrong type
// and keys on parameters that cannot be animated are errors. Values are set as saved: ranges
// are enforced where users enter values, not when a scene is loaded.
void JsonToParamBlock(const SceneJson& values, IParamBlock2& block, const JsonToTexmap& texmap,
                      const std::string& place);
