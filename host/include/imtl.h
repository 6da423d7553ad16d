// Materials, texture maps and shading contexts.
#pragma once

#include "Materials/ISubMap.h"
#include "Materials/MtlBase.h"
#include "Materials/TexHandle.h"
#include "Materials/Texmap.h"
#include "Rendering/ShadeContext.h"
#include "acolor.h"
#include "color.h"
#include "interval.h"
#include "point3.h"
