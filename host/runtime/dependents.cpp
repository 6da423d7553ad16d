// Walking up the reference graph: every maker that depends on a target, directly or through
// others, each visited once.
#include <algorithm>
#include <vector>

#include "ref.h"

int ReferenceTarget::DoEnumDependents(DependentEnumProc* dep) {
    return dep ? DoEnumDependentsImpl(dep) : 0;
}

int ReferenceTarget::DoEnumDependentsImpl(DependentEnumProc* dep) {
    // Breadth first from this target; a maker reached twice (a diamond, or a loop) is visited
    // once.
    std::vector<ReferenceMaker*> visited;
    std::vector<ReferenceMaker*> pending{this};
    for (std::size_t next = 0; next < pending.size(); ++next) {
        ReferenceMaker* maker = pending[next];
        if (std::find(visited.begin(), visited.end(), maker) != visited.end()) {
            continue;
        }
        visited.push_back(maker);
        const int answer = dep->proc(maker);
        if (answer == DEP_ENUM_HALT) {
            return 1;
        }
        if (answer == DEP_ENUM_SKIP) {
            continue;
        }
        if (auto* target = dynamic_cast<ReferenceTarget*>(maker)) {
            for (ReferenceMaker* above : target->GetDependents()) {
                pending.push_back(above);
            }
        }
    }
    return 0;
}
