#include "ImageOutput.h"

#include <stdexcept>

#include "Image.h"
#include "ImageWriter.h"

void WriteImageAtomically(const std::string& path, const Image8& image) {
    const std::size_t expected = static_cast<std::size_t>(image.width) *
                                 static_cast<std::size_t>(image.height) *
                                 static_cast<std::size_t>(image.channels);
    if (image.width <= 0 || image.height <= 0 || image.pixels.size() != expected ||
        (image.channels != 3 && image.channels != 4)) {
        throw std::runtime_error(path + ": no image to write");
    }
    // The render command's writer takes float RGBA; v / 255 writes back as v in 8 bits.
    Image out(image.width, image.height);
    for (std::size_t pixel = 0; pixel < expected / static_cast<std::size_t>(image.channels);
         ++pixel) {
        const std::uint8_t* in =
            image.pixels.data() + pixel * static_cast<std::size_t>(image.channels);
        float* rgba = out.rgba.data() + pixel * 4;
        for (int c = 0; c < 3; ++c) {
            rgba[c] = static_cast<float>(in[c]) / 255.0f;
        }
        rgba[3] = image.channels == 4 ? static_cast<float>(in[3]) / 255.0f : 1.0f;
    }
    WriteImageFile(path, out);
}
