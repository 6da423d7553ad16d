// The host SDK's umbrella header.
#pragma once

#include "acolor.h"
#include "color.h"
#include "hsv.h"
#include "imtl.h"
#include "inode.h"
#include "interval.h"
#include "maxheap.h"
#include "maxtypes.h"
#include "point3.h"
#include "ref.h"
#include "strclass.h"
#include "tab.h"
#include "windows.h"
