// The process-wide cache of image files. Each file (keyed by its path exactly as given) is read
// once however many bitmap textures use it. Loading, Reload and Clear happen on the main thread
// (during Update or a user action), never while render threads evaluate; evaluation only reads
// the image a slot currently points to.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "LoadedImage.h"

class ImageCache {
public:
    // One file's place in the cache. Users keep the slot; Reload points it at the new image.
    class Slot {
    public:
        // The current image; never null once the slot is handed out.
        const LoadedImage* Current() const { return current.load(std::memory_order_acquire); }

    private:
        friend class ImageCache;
        std::atomic<const LoadedImage*> current{nullptr};
        // Every version read for this path: a replaced image stays alive until Clear, so a
        // reader that fetched it earlier never sees it freed.
        std::vector<std::unique_ptr<const LoadedImage>> versions;
    };

    static ImageCache& Global();

    // The slot of path, reading the file on its first use. A missing or unreadable file gives
    // a slot whose image is Missing() and is recorded in MissingFiles.
    std::shared_ptr<const Slot> Acquire(const std::string& path);
    // Reads path again and points its slot (every user's) at the result. A file that now reads
    // leaves MissingFiles; one that no longer reads joins it.
    void Reload(const std::string& path);

    // Files that could not be read, each once, in the order first met.
    std::vector<std::string> MissingFiles() const;
    // The reader's reason for a missing file; empty when path is not missing.
    std::string MissingReason(const std::string& path) const;
    // How many times a file was read (first uses and reloads).
    int LoadCount() const;

    // A folder where relative file names are also looked for (after the working folder), in
    // the order added: the host adds the folder of each scene it opens, so a scene's relative
    // bitmap paths work from anywhere. Files stay keyed by the name as given.
    void AddSearchFolder(const std::string& folder);

    // Forgets every file, the missing list, the search folders and the load count. Slots already
    // handed out keep their images; their users get a fresh slot from their next Acquire.
    void Clear();

private:
    void Load(const std::string& path, Slot& slot);
    // The file to read for path: path itself unless it is relative, absent, and present in a
    // search folder.
    std::string Locate(const std::string& path) const;

    mutable std::mutex mutex;
    std::map<std::string, std::shared_ptr<Slot>> slots;
    std::vector<std::string> missing;
    std::vector<std::string> searchFolders;
    int loads = 0;
};
