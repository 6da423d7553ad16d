// The host's built-in classes as its class directory lists them, each with the persistence of
// its state outside references and blocks:
//   Bitmap (BitmapTexture)      "fileName"; filtering lives in its block, blur and rotation in
//                               its coordinate generator (reference 1)
//   Solid Color (SolidColorMap) "color" [r, g, b, a], "perturb" [x, y, z]
//   UVGen (StandardUVGen)       "blur", "wAngle" (degrees), "uScale", "vScale", "uOffset",
//                               "vOffset"
//   Simple Material             nothing beyond its reference (the map)
#pragma once

#include "ClassDirectory.h"

void RegisterHostClasses(ClassDirectory& directory);
