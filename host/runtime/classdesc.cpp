#include <cwchar>

#include "iparamb2.h"

const MCHAR* const TEXMAP_CAT_COMP = _M("Compositors");

int ClassDesc2::NumParamBlockDescs() {
    return static_cast<int>(pbDescs.size());
}

ParamBlockDesc2* ClassDesc2::GetParamBlockDesc(int i) {
    if (i < 0 || i >= NumParamBlockDescs()) {
        return nullptr;
    }
    return pbDescs[static_cast<std::size_t>(i)];
}

ParamBlockDesc2* ClassDesc2::GetParamBlockDescByID(BlockID id) {
    for (ParamBlockDesc2* pbd : pbDescs) {
        if (pbd->ID == id) {
            return pbd;
        }
    }
    return nullptr;
}

ParamBlockDesc2* ClassDesc2::GetParamBlockDescByName(const MCHAR* name) {
    for (ParamBlockDesc2* pbd : pbDescs) {
        if (name && pbd->int_name && std::wcscmp(pbd->int_name, name) == 0) {
            return pbd;
        }
    }
    return nullptr;
}

void ClassDesc2::AddParamBlockDesc(ParamBlockDesc2* pbd) {
    if (pbd) {
        pbDescs.push_back(pbd);
    }
}

void ClassDesc2::ClearParamBlockDescs() {
    pbDescs.clear();
}

void ClassDesc2::MakeAutoParamBlocks(ReferenceMaker* owner) {
    if (!owner) {
        return;
    }
    for (ParamBlockDesc2* pbd : pbDescs) {
        if (pbd->flags & P_AUTO_CONSTRUCT) {
            owner->ReplaceReference(pbd->ref_no, CreateParameterBlock2(pbd, owner));
        }
    }
}

void ClassDesc2::InvalidateUI(ParamBlockDesc2* pbd, ParamID id, int tabIndex) {
    if (pbd) {
        pbd->InvalidateUI(id, tabIndex);
    }
}

bool ClassDesc2::SetUserDlgProc(ParamBlockDesc2* pbd, ParamMap2UserDlgProc* proc) {
    return SetUserDlgProc(pbd, 0, proc);
}

bool ClassDesc2::SetUserDlgProc(ParamBlockDesc2* pbd, MapID map_id, ParamMap2UserDlgProc* proc) {
    if (!pbd) {
        return false;
    }
    pbd->SetUserDlgProc(map_id, proc);
    return true;
}
