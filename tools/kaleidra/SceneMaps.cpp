#include "SceneMaps.h"

#include <set>

namespace {

void CollectMaps(ReferenceMaker* maker, std::set<ReferenceMaker*>& seen,
                 std::vector<Texmap*>& maps) {
    if (!maker || !seen.insert(maker).second) {
        return;
    }
    if (auto* map = dynamic_cast<Texmap*>(maker)) {
        maps.push_back(map);
    }
    for (int i = 0; i < maker->NumRefs(); ++i) {
        CollectMaps(maker->GetReference(i), seen, maps);
    }
}

}  // namespace

std::vector<Texmap*> SceneMaps(Scene& scene) {
    std::set<ReferenceMaker*> seen;
    std::vector<Texmap*> maps;
    for (int i = 0; i < scene.NumRoots(); ++i) {
        CollectMaps(scene.GetRoot(i), seen, maps);
    }
    return maps;
}
