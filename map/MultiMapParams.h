// The parameter block of a MultiMap: every persistent setting of a map. The parameter IDs, the
// block ID and the map's reference holding the block are shared with the shading core, which
// reads the block at each frame update.
#pragma once

#include "MultiMapParamIDs.h"
#include "iparamb2.h"

// The descriptor of the block, registered with the class descriptor when the plug-in loads.
extern ParamBlockDesc2 params;
