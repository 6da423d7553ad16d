#include "LoadedImage.h"

#include "ImageFile.h"

LoadedImage::LoadedImage(const std::string& path) {
    missing = !ReadImageFile(path, texels, error);
}

const MipPyramid& LoadedImage::Pyramid() const {
    std::call_once(pyramidOnce, [this] { pyramid = std::make_unique<MipPyramid>(texels); });
    return *pyramid;
}

const SummedAreaTable& LoadedImage::SummedArea() const {
    std::call_once(summedAreaOnce,
                   [this] { summedArea = std::make_unique<SummedAreaTable>(texels); });
    return *summedArea;
}
