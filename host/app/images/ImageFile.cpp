#include "ImageFile.h"

#include <OpenImageIO/imageio.h>

#include <exception>

namespace {

// Copies interleaved pixels of nch channels (rows top-down, as files store them) into RGBA
// with rows bottom-up.
void ToRgba(const std::vector<float>& pixels, int nch, int alphaChannel, FloatImage& image) {
    const auto channels = static_cast<std::size_t>(nch);
    for (int y = 0; y < image.height; ++y) {
        const int fileRow = image.height - 1 - y;
        for (int x = 0; x < image.width; ++x) {
            const float* src = pixels.data() + (static_cast<std::size_t>(fileRow) *
                                                    static_cast<std::size_t>(image.width) +
                                                static_cast<std::size_t>(x)) *
                                                   channels;
            float* dst = image.Texel(x, y);
            const bool grey = nch < 3;
            dst[0] = src[0];
            dst[1] = grey ? src[0] : src[1];
            dst[2] = grey ? src[0] : src[2];
            dst[3] = alphaChannel >= 0 ? src[alphaChannel] : 1.0f;
        }
    }
}

}  // namespace

bool ReadImageFile(const std::string& path, FloatImage& image, std::string& error) {
    image = FloatImage();
    try {
        // Values as stored: without this, files with unassociated alpha (PNG, some TIFF)
        // would come back multiplied by their alpha.
        OIIO::ImageSpec config;
        config.attribute("oiio:UnassociatedAlpha", 1);
        auto in = OIIO::ImageInput::open(path, &config);
        if (!in) {
            error = OIIO::geterror();
            if (error.empty()) {
                error = "cannot open " + path;
            }
            return false;
        }
        const OIIO::ImageSpec& format = in->spec();
        const int nch = format.nchannels;
        if (format.width <= 0 || format.height <= 0 || nch <= 0 || format.depth > 1) {
            error = path + ": not a 2D image with channels";
            return false;
        }
        std::vector<float> pixels(static_cast<std::size_t>(format.width) *
                                  static_cast<std::size_t>(format.height) *
                                  static_cast<std::size_t>(nch));
        if (!in->read_image(0, 0, 0, nch, OIIO::TypeDesc::FLOAT, pixels.data())) {
            error = in->geterror();
            if (error.empty()) {
                error = "cannot read " + path;
            }
            return false;
        }
        int alpha = format.alpha_channel;
        if (alpha < 0 && nch == 2) {
            alpha = 1;  // grey and alpha, even when the file does not name the channel
        }
        if (alpha >= nch) {
            alpha = -1;
        }
        image = FloatImage(format.width, format.height);
        ToRgba(pixels, nch, alpha, image);
        return true;
    } catch (const std::exception& e) {
        image = FloatImage();
        error = e.what();
        return false;
    }
}
