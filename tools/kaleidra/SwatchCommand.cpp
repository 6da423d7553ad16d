// kaleidra swatch: the map's viewport swatch as the host draws it, written as an image.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "CommandRun.h"
#include "Commands.h"
#include "ImageOutput.h"
#include "OpenedMap.h"
#include "SimpleTexHandleMaker.h"

namespace {

constexpr int kLargestSwatch = 8192;

struct SwatchOptions {
    MapArguments map;
    std::string output;
    int size = 64;
    int time = 0;
};

struct FreeDib {
    void operator()(BITMAPINFO* p) const { std::free(p); }
};

// The device-independent bitmap (32 bits, BGRA, rows bottom-up) as RGB rows top-down.
Image8 DibToImage(const BITMAPINFO& dib) {
    Image8 image;
    image.width = dib.bmiHeader.biWidth;
    image.height = dib.bmiHeader.biHeight;
    image.channels = 3;
    const auto width = static_cast<std::size_t>(image.width);
    const auto height = static_cast<std::size_t>(image.height);
    image.pixels.resize(width * height * 3);
    const auto* bits = reinterpret_cast<const std::uint8_t*>(&dib) + sizeof(BITMAPINFOHEADER);
    for (std::size_t row = 0; row < height; ++row) {
        const std::uint8_t* in = bits + (height - 1 - row) * width * 4;
        std::uint8_t* out = image.pixels.data() + row * width * 3;
        for (std::size_t x = 0; x < width; ++x, in += 4, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return image;
}

int RunSwatch(const std::string& pluginPath, const SwatchOptions& options) {
    if (options.size <= 0 || options.size > kLargestSwatch) {
        throw std::runtime_error("--size " + std::to_string(options.size) +
                                 ": the swatch's edge must be 1 to " +
                                 std::to_string(kLargestSwatch) + " pixels");
    }
    OpenedMap opened(pluginPath, options.map);
    SimpleTexHandleMaker maker(options.size);
    Interval valid = FOREVER;
    std::unique_ptr<BITMAPINFO, FreeDib> dib(opened.Map()->GetVPDisplayDIB(
        options.time, maker, valid, FALSE, options.size, options.size));
    WriteImageAtomically(options.output, DibToImage(*dib));
    ReportMissingFiles("swatch", opened.Session());
    return 0;
}

}  // namespace

CommandAction AddSwatchCommand(CLI::App& app) {
    auto options = std::make_shared<SwatchOptions>();
    CLI::App* command = app.add_subcommand(
        "swatch", "Writes the map's viewport swatch, as the host draws it, to an image file");
    AddMapArguments(*command, options->map);
    command->add_option("-o,--output", options->output, "The image file to write (PNG, ...)")
        ->required();
    command->add_option("--size", options->size, "The swatch's edge in pixels (1 to 8192)")
        ->capture_default_str();
    command->add_option("--time", options->time, "The time in ticks")->capture_default_str();
    return [command, options] {
        return RunCommand("swatch",
                          [&] { return RunSwatch(PluginPathOption(*command), *options); });
    };
}
