#include "SceneLayout.h"

namespace {

bool IsFlat(const SceneJson& v) {
    if (v.is_object()) {
        return v.empty();
    }
    if (!v.is_array()) {
        return true;
    }
    for (const SceneJson& e : v) {
        if (e.is_object() || (e.is_array() && !IsFlat(e))) {
            return false;
        }
    }
    return true;
}

void LayOutFlat(const SceneJson& v, std::string& out) {
    if (!v.is_array()) {
        out += v.dump();
        return;
    }
    out += '[';
    for (std::size_t i = 0; i < v.size(); ++i) {
        out += i ? ", " : "";
        LayOutFlat(v[i], out);
    }
    out += ']';
}

void LayOut(const SceneJson& v, std::size_t indent, std::string& out) {
    if (IsFlat(v)) {
        LayOutFlat(v, out);
        return;
    }
    const std::string inner(indent + 2, ' ');
    out += v.is_object() ? "{\n" : "[\n";
    std::size_t i = 0;
    for (auto it = v.begin(); it != v.end(); ++it, ++i) {
        out += inner;
        if (v.is_object()) {
            out += SceneJson(it.key()).dump() + ": ";
        }
        LayOut(*it, indent + 2, out);
        out += i + 1 < v.size() ? ",\n" : "\n";
    }
    out += std::string(indent, ' ') + (v.is_object() ? "}" : "]");
}

}  // namespace

std::string LayOutScene(const SceneJson& doc) {
    std::string out;
    LayOut(doc, 0, out);
    return out + "\n";
}
