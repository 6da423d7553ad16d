#include "Scene.h"

Scene::~Scene() {
    DeleteAllRefsFromMe();
}

bool Scene::AddRoot(const MSTR& name, MtlBase* root) {
    for (const MSTR& n : names) {
        if (n == name) {
            return false;
        }
    }
    names.push_back(name);
    roots.push_back(nullptr);
    ReplaceReference(NumRoots() - 1, root);
    return true;
}

MtlBase* Scene::GetRoot(int i) {
    return dynamic_cast<MtlBase*>(GetReference(i));
}

MtlBase* Scene::FindRoot(const MSTR& name) {
    for (int i = 0; i < NumRoots(); ++i) {
        if (RootName(i) == name) {
            return GetRoot(i);
        }
    }
    return nullptr;
}

RefTargetHandle Scene::GetReference(int i) {
    return i >= 0 && i < NumRoots() ? roots[static_cast<std::size_t>(i)] : nullptr;
}

void Scene::SetReference(int i, RefTargetHandle rtarg) {
    if (i >= 0 && i < NumRoots()) {
        roots[static_cast<std::size_t>(i)] = rtarg;
    }
}
