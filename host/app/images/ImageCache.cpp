#include "ImageCache.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

ImageCache& ImageCache::Global() {
    static ImageCache cache;
    return cache;
}

std::string ImageCache::Locate(const std::string& path) const {
    const std::filesystem::path name(path);
    std::error_code error;
    if (path.empty() || name.is_absolute() || std::filesystem::exists(name, error)) {
        return path;
    }
    for (const std::string& folder : searchFolders) {
        const std::filesystem::path candidate = std::filesystem::path(folder) / name;
        if (std::filesystem::exists(candidate, error)) {
            return candidate.string();
        }
    }
    return path;
}

void ImageCache::AddSearchFolder(const std::string& folder) {
    std::lock_guard<std::mutex> lock(mutex);
    if (std::find(searchFolders.begin(), searchFolders.end(), folder) == searchFolders.end()) {
        searchFolders.push_back(folder);
    }
}

void ImageCache::Load(const std::string& path, Slot& slot) {
    auto image = std::make_unique<const LoadedImage>(Locate(path));
    ++loads;
    const auto listed = std::find(missing.begin(), missing.end(), path);
    if (image->Missing() && listed == missing.end()) {
        missing.push_back(path);
    } else if (!image->Missing() && listed != missing.end()) {
        missing.erase(listed);
    }
    slot.current.store(image.get(), std::memory_order_release);
    slot.versions.push_back(std::move(image));
}

std::shared_ptr<const ImageCache::Slot> ImageCache::Acquire(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex);
    auto& slot = slots[path];
    if (!slot) {
        slot = std::make_shared<Slot>();
        Load(path, *slot);
    }
    return slot;
}

void ImageCache::Reload(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex);
    auto& slot = slots[path];
    if (!slot) {
        slot = std::make_shared<Slot>();
    }
    Load(path, *slot);
}

std::vector<std::string> ImageCache::MissingFiles() const {
    std::lock_guard<std::mutex> lock(mutex);
    return missing;
}

std::string ImageCache::MissingReason(const std::string& path) const {
    std::lock_guard<std::mutex> lock(mutex);
    const auto found = slots.find(path);
    if (found == slots.end()) {
        return std::string();
    }
    const LoadedImage* image = found->second->Current();
    return image->Missing() ? image->Error() : std::string();
}

int ImageCache::LoadCount() const {
    std::lock_guard<std::mutex> lock(mutex);
    return loads;
}

void ImageCache::Clear() {
    std::lock_guard<std::mutex> lock(mutex);
    slots.clear();
    missing.clear();
    searchFolders.clear();
    loads = 0;
}
