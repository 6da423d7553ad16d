// Class descriptors of the host's own classes that have none of their own elsewhere: the solid
// colour map and the standard texture-coordinate generator. The host lists them in its class
// directory so that scenes holding them can be loaded.
#pragma once

#include "iparamb2.h"

ClassDesc2* GetSolidColorMapDesc();
ClassDesc2* GetStandardUVGenDesc();
