// Reads the "data" object of a class's own saved state: each member is handed to the setter
// registered under its name; a name without a setter is an error.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "SceneError.h"
#include "SceneJson.h"

class SettingsReader {
public:
    using Setter = std::function<void(const SceneJson& value, const std::string& place)>;

    SettingsReader& On(const char* name, Setter setter) {
        setters.emplace_back(name, std::move(setter));
        return *this;
    }

    void Read(const SceneJson& data, const std::string& place) const {
        if (!data.is_object()) {
            throw SceneErrorAt(place, "expected an object, found " + DescribeJson(data));
        }
        for (const auto& member : data.items()) {
            const std::string at = place + "." + member.key();
            const Setter* setter = Find(member.key());
            if (!setter) {
                throw SceneErrorAt(at, "unknown setting");
            }
            (*setter)(member.value(), at);
        }
    }

private:
    const Setter* Find(const std::string& name) const {
        for (const auto& s : setters) {
            if (s.first == name) {
                return &s.second;
            }
        }
        return nullptr;
    }

    std::vector<std::pair<std::string, Setter>> setters;
};
