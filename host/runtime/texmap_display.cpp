// The host's viewport rendering of a map: one sample per pixel centre, texture coordinates of
// channel 0 spanning the bitmap, material ID 0, no scene node.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "imtl.h"

namespace {

// A viewport sample: coordinates only. It keeps no cache, which costs only speed.
class SwatchShadeContext : public ShadeContext {
public:
    SwatchShadeContext(TimeValue t, const Point3& uvw, const Point3& duvw)
        : time(t), coords(uvw), footprint(duvw) {}
    BOOL InMtlEditor() override { return TRUE; }
    TimeValue CurTime() override { return time; }
    Point3 UVW(int channel) override { return channel == 0 ? coords : Point3(0.0f, 0.0f, 0.0f); }
    Point3 DUVW(int channel) override {
        return channel == 0 ? footprint : Point3(0.0f, 0.0f, 0.0f);
    }

private:
    TimeValue time;
    Point3 coords, footprint;
};

BYTE ToByte(float x) {
    if (!(x > 0.0f)) {
        return 0;
    }
    return x >= 1.0f ? 255 : static_cast<BYTE>(x * 255.0f + 0.5f);
}

}  // namespace

BITMAPINFO* Texmap::GetVPDisplayDIB(TimeValue t, TexHandleMaker& thmaker, Interval& valid,
                                    BOOL mono, int forceW, int forceH) {
    const int width = forceW > 0 ? forceW : std::max(1, thmaker.Size());
    const int height = forceH > 0 ? forceH : std::max(1, thmaker.Size());
    Update(t, valid);

    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    auto* info = static_cast<BITMAPINFO*>(std::malloc(sizeof(BITMAPINFOHEADER) + pixels * 4));
    if (!info) {
        throw std::bad_alloc();
    }
    BITMAPINFOHEADER& h = info->bmiHeader;
    std::memset(&h, 0, sizeof h);
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(pixels * 4);

    BYTE* out = reinterpret_cast<BYTE*>(info) + sizeof(BITMAPINFOHEADER);
    const Point3 footprint(1.0f / static_cast<float>(width), 1.0f / static_cast<float>(height),
                           0.0f);
    for (int row = 0; row < height; ++row) {  // bottom-up: row 0 is v near 0
        for (int col = 0; col < width; ++col) {
            const Point3 uvw((static_cast<float>(col) + 0.5f) / static_cast<float>(width),
                             (static_cast<float>(row) + 0.5f) / static_cast<float>(height), 0.0f);
            SwatchShadeContext sc(t, uvw, footprint);
            AColor c;
            if (mono) {
                const float m = EvalMono(sc);
                c = AColor(m, m, m, 1.0f);
            } else {
                c = EvalColor(sc);
            }
            out[0] = ToByte(c.b);
            out[1] = ToByte(c.g);
            out[2] = ToByte(c.r);
            out[3] = ToByte(c.a);
            out += 4;
        }
    }
    return info;
}
