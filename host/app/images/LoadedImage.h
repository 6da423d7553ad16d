// One image file as the cache holds it: its texels, or the reason it could not be read, and
// the filtering structures built from the texels on first use.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "FloatImage.h"
#include "MipPyramid.h"
#include "SummedAreaTable.h"

class LoadedImage {
public:
    // Reads the file now; a failure leaves the image missing with the reader's reason.
    explicit LoadedImage(const std::string& path);

    bool Missing() const { return missing; }
    const std::string& Error() const { return error; }
    const FloatImage& Texels() const { return texels; }

    // Built once, on the first call, whichever thread makes it; later calls only read.
    // Not valid for a missing image.
    const MipPyramid& Pyramid() const;
    const SummedAreaTable& SummedArea() const;

private:
    FloatImage texels;
    bool missing = false;
    std::string error;
    mutable std::once_flag pyramidOnce, summedAreaOnce;
    mutable std::unique_ptr<MipPyramid> pyramid;
    mutable std::unique_ptr<SummedAreaTable> summedArea;
};
