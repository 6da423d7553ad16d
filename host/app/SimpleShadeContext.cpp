#include "SimpleShadeContext.h"

void SimpleShadeContext::NewSample() {
    cacheUsed = 0;
    cacheNext = 0;
    gbufferIdCalls = 0;
    out = ShadeOutput();
}

void SimpleShadeContext::SetUVW(int channel, const Point3& p) {
    if (channel >= 0 && channel < kChannels) {
        uvw[static_cast<std::size_t>(channel)] = p;
    }
}

Point3 SimpleShadeContext::UVW(int channel) {
    if (channel < 0 || channel >= kChannels) {
        return Point3(0.0f, 0.0f, 0.0f);
    }
    return uvw[static_cast<std::size_t>(channel)];
}

Point3 SimpleShadeContext::DUVW(int) {
    return duvw;
}

void SimpleShadeContext::Store(Texmap* map, Kind kind, const AColor& value) {
    CacheEntry* e = Find(map, kind);
    if (!e) {
        e = &cache[static_cast<std::size_t>(cacheNext)];
        cacheNext = (cacheNext + 1) % kCacheSlots;
        cacheUsed += cacheUsed < kCacheSlots;
    }
    e->map = map;
    e->kind = kind;
    e->color = value;
}

BOOL SimpleShadeContext::GetCache(Texmap* map, AColor& c) {
    if (const CacheEntry* e = Find(map, Kind::Color)) {
        c = e->color;
        return TRUE;
    }
    return FALSE;
}

BOOL SimpleShadeContext::GetCache(Texmap* map, float& f) {
    if (const CacheEntry* e = Find(map, Kind::Mono)) {
        f = e->color.r;
        return TRUE;
    }
    return FALSE;
}

BOOL SimpleShadeContext::GetCache(Texmap* map, Point3& p) {
    if (const CacheEntry* e = Find(map, Kind::Perturb)) {
        p = Point3(e->color.r, e->color.g, e->color.b);
        return TRUE;
    }
    return FALSE;
}

void SimpleShadeContext::PutCache(Texmap* map, const AColor& c) {
    Store(map, Kind::Color, c);
}

void SimpleShadeContext::PutCache(Texmap* map, const float f) {
    Store(map, Kind::Mono, AColor(f, 0.0f, 0.0f, 0.0f));
}

void SimpleShadeContext::PutCache(Texmap* map, const Point3& p) {
    Store(map, Kind::Perturb, AColor(p.x, p.y, p.z, 0.0f));
}

void SimpleShadeContext::TossCache(Texmap* map) {
    int kept = 0;
    for (int i = 0; i < cacheUsed; ++i) {
        if (cache[static_cast<std::size_t>(i)].map != map) {
            cache[static_cast<std::size_t>(kept++)] = cache[static_cast<std::size_t>(i)];
        }
    }
    cacheUsed = kept;
    cacheNext = kept % kCacheSlots;
}

void SimpleShadeContext::SetGBufferID(int gbid) {
    ++gbufferIdCalls;
    ShadeContext::SetGBufferID(gbid);
}
