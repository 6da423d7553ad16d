// A concrete shading context for the host application, tests and benchmarks: one sample with
// its material ID, node, time and texture coordinates, and a real per-sample result cache.
// Call NewSample() between samples; it empties the cache without touching the heap.
#pragma once

#include <array>
#include <cstdint>

#include "imtl.h"
#include "inode.h"

// A scene node that is nothing but its handle.
class SimpleNode : public INode {
public:
    explicit SimpleNode(ULONG nodeHandle) : handle(nodeHandle) {}
    ULONG GetHandle() override { return handle; }

private:
    ULONG handle;
};

class SimpleShadeContext : public ShadeContext {
public:
    static constexpr int kChannels = 100;   // mapping channels 0 .. 99
    static constexpr int kCacheSlots = 16;  // results kept per sample; oldest replaced first

    SimpleShadeContext() { uvw.fill(Point3(0.0f, 0.0f, 0.0f)); }

    // Starts a new sample: the cache is emptied and the G-buffer ID cleared.
    void NewSample();

    void SetNode(INode* n) { node = n; }
    void SetTime(TimeValue t) { time = t; }
    // Sets the coordinates of a channel; channels outside 0 .. 99 are ignored.
    void SetUVW(int channel, const Point3& p);
    void SetDUVW(const Point3& d) { duvw = d; }
    void SetInMtlEditor(BOOL on) { inMtlEditor = on; }

    BOOL InMtlEditor() override { return inMtlEditor; }
    TimeValue CurTime() override { return time; }
    INode* Node() override { return node; }
    // Channels outside 0 .. 99 read as the origin.
    Point3 UVW(int channel = 0) override;
    Point3 DUVW(int channel = 0) override;

    BOOL GetCache(Texmap* map, AColor& c) override;
    BOOL GetCache(Texmap* map, float& f) override;
    BOOL GetCache(Texmap* map, Point3& p) override;
    void PutCache(Texmap* map, const AColor& c) override;
    void PutCache(Texmap* map, const float f) override;
    void PutCache(Texmap* map, const Point3& p) override;
    void TossCache(Texmap* map) override;

    void SetGBufferID(int gbid) override;
    // How often SetGBufferID was called since the last NewSample().
    int GBufferIdCalls() const { return gbufferIdCalls; }

private:
    enum class Kind : std::uint8_t { Color, Mono, Perturb };
    struct CacheEntry {
        Texmap* map;
        Kind kind;
        AColor color;  // Mono stores its value in color.r, Perturb in color.r/g/b
    };

    CacheEntry* Find(Texmap* map, Kind kind) {
        for (int i = 0; i < cacheUsed; ++i) {
            CacheEntry& e = cache[static_cast<std::size_t>(i)];
            if (e.map == map && e.kind == kind) {
                return &e;
            }
        }
        return nullptr;
    }
    void Store(Texmap* map, Kind kind, const AColor& value);

    std::array<Point3, kChannels> uvw;
    Point3 duvw{0.0f, 0.0f, 0.0f};
    INode* node = nullptr;
    TimeValue time = 0;
    BOOL inMtlEditor = FALSE;
    std::array<CacheEntry, kCacheSlots> cache{};
    int cacheUsed = 0;
    int cacheNext = 0;
    int gbufferIdCalls = 0;
};
