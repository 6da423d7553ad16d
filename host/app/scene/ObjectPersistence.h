// The saved state of a class that lives outside its references and parameter blocks (a file
// name, constant settings held in members). A class registers one with the class directory;
// classes that keep everything in references and blocks need none.
#pragma once

#include <string>

#include "SceneJson.h"
#include "ref.h"

class ObjectPersistence {
public:
    virtual ~ObjectPersistence() = default;
    // Fills data (an empty JSON object) with obj's own state, each setting under its name.
    virtual void Save(ReferenceTarget& obj, SceneJson& data) const = 0;
    // Sets obj's own state from data, after its references and blocks are loaded. Settings
    // missing from data keep the values obj had after Create(TRUE). place is the JSON path of
    // data; throws SceneError for an unknown setting or a value of the wrong type.
    virtual void Load(ReferenceTarget& obj, const SceneJson& data,
                      const std::string& place) const = 0;
};
