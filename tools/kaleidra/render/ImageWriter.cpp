#include "ImageWriter.h"

#include <OpenImageIO/imageio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

struct Format {
    const char* oiioName;
    OIIO::TypeDesc type;
    int channels;
};

Format FormatFor(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".png") {
        return {"png", OIIO::TypeDesc::UINT8, 3};
    }
    if (ext == ".tif" || ext == ".tiff") {
        return {"tiff", OIIO::TypeDesc::UINT16, 3};
    }
    if (ext == ".exr") {
        return {"openexr", OIIO::TypeDesc::HALF, 4};
    }
    throw ImageWriteError(path + ": unknown image type \"" + ext +
                          "\" (use .png, .exr, .tif or .tiff)");
}

std::string FolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

// Creates an empty, uniquely named file in path's folder and returns its name.
std::string MakeTemporary(const std::string& path) {
    std::string pattern =
        FolderOf(path) + "/." + std::filesystem::path(path).filename().string() + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        throw ImageWriteError(path + ": cannot create a file in " + FolderOf(path) + ": " +
                              std::strerror(errno));
    }
    // mkstemp makes the file private; the picture gets the permissions of any new file.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    return std::string(name.data());
}

// The image with the format's channels: RGB drops alpha.
std::vector<float> Channels(const Image& image, int channels) {
    if (channels == 4) {
        return image.rgba;
    }
    std::vector<float> out;
    out.reserve(image.rgba.size() / 4 * 3);
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        out.insert(out.end(), image.rgba.begin() + static_cast<std::ptrdiff_t>(i),
                   image.rgba.begin() + static_cast<std::ptrdiff_t>(i + 3));
    }
    return out;
}

void WriteWithOiio(const std::string& file, const Format& format, const Image& image) {
    auto out = OIIO::ImageOutput::create(format.oiioName);
    if (!out) {
        throw std::runtime_error("no writer for " + std::string(format.oiioName) + ": " +
                                 OIIO::geterror());
    }
    OIIO::ImageSpec header(image.width, image.height, format.channels, format.type);
    const std::vector<float> pixels = Channels(image, format.channels);
    if (!out->open(file, header) || !out->write_image(OIIO::TypeDesc::FLOAT, pixels.data()) ||
        !out->close()) {
        throw std::runtime_error(out->geterror());
    }
}

}  // namespace

void CheckImageWritable(const std::string& path) {
    if (std::filesystem::is_directory(path)) {
        throw ImageWriteError(path + ": is a folder");
    }
    FormatFor(path);
    std::remove(MakeTemporary(path).c_str());
}

void WriteImageFile(const std::string& path, const Image& image) {
    if (std::filesystem::is_directory(path)) {
        throw ImageWriteError(path + ": is a folder");
    }
    const Format format = FormatFor(path);
    const std::string temporary = MakeTemporary(path);
    try {
        WriteWithOiio(temporary, format, image);
        std::error_code error;
        std::filesystem::rename(temporary, path, error);
        if (error) {
            throw std::runtime_error(error.message());
        }
    } catch (const std::exception& e) {
        std::remove(temporary.c_str());
        throw ImageWriteError(path + ": " + e.what());
    }
}
