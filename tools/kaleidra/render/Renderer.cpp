#include "Renderer.h"

#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/parallel_for.h>
#include <oneapi/tbb/task_arena.h>

#include <algorithm>
#include <stdexcept>

#include "ImageSize.h"
#include "ProgressBar.h"
#include "SimpleShadeContext.h"

namespace {

void Collect(MtlBase* item, std::vector<Texmap*>& maps) {
    if (!item) {
        return;
    }
    if (item->SuperClassID() == TEXMAP_CLASS_ID) {
        Texmap* map = static_cast<Texmap*>(item);
        if (std::find(maps.begin(), maps.end(), map) != maps.end()) {
            return;
        }
        maps.push_back(map);
    }
    for (int i = 0; i < item->NumSubTexmaps(); ++i) {
        Collect(item->GetSubTexmap(i), maps);
    }
}

// Shades one pixel: the mean of its samples, summed in a fixed order.
void ShadePixel(Texmap& map, const Layout& layout, std::vector<SimpleNode>& nodes,
                SimpleShadeContext& sc, int x, int y, int perAxis, float* out) {
    float sum[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    for (int sy = 0; sy < perAxis; ++sy) {
        for (int sx = 0; sx < perAxis; ++sx) {
            const double px = x + (sx + 0.5) / perAxis;
            const double py = y + (sy + 0.5) / perAxis;
            const PixelKeys keys = layout.At(px, py);
            AColor c(kGroutColor[0], kGroutColor[1], kGroutColor[2], 1.0f);
            if (!keys.grout) {
                sc.NewSample();
                sc.mtlNum = keys.mtlNum;
                sc.SetNode(keys.node > 0 && keys.node <= nodes.size() ? &nodes[keys.node - 1]
                                                                      : nullptr);
                sc.SetUVW(0, keys.uvw);
                sc.SetUVW(99, keys.uvw99);
                sc.SetDUVW(Point3(keys.duvw.x / static_cast<float>(perAxis),
                                  keys.duvw.y / static_cast<float>(perAxis), 0.0f));
                c = map.EvalColor(sc);
            }
            sum[0] += c.r;
            sum[1] += c.g;
            sum[2] += c.b;
            sum[3] += c.a;
        }
    }
    const float n = static_cast<float>(perAxis * perAxis);
    for (int i = 0; i < 4; ++i) {
        out[i] = sum[i] / n;
    }
}

}  // namespace

std::vector<Texmap*> CollectMaps(const std::vector<MtlBase*>& roots) {
    std::vector<Texmap*> maps;
    for (MtlBase* root : roots) {
        Collect(root, maps);
    }
    return maps;
}

RenderPass::RenderPass(std::vector<Texmap*> passMaps, TimeValue t)
    : maps(std::move(passMaps)), time(t) {
    for (Texmap* map : maps) {
        map->RenderBegin(time, 0);
    }
}

RenderPass::~RenderPass() {
    for (Texmap* map : maps) {
        map->RenderEnd(time);
    }
}

long long SampleCount(const RenderSettings& settings) {
    return static_cast<long long>(settings.width) * settings.height * settings.samplesPerAxis *
           settings.samplesPerAxis;
}

Image RenderMap(Texmap& map, const RenderSettings& settings) {
    CheckImageSize(settings.width, settings.height);
    if (settings.samplesPerAxis < 1 || settings.samplesPerAxis > 16) {
        throw std::invalid_argument("samples per axis must be 1 to 16");
    }
    Interval valid = FOREVER;
    map.Update(settings.time, valid);

    const Layout layout(settings.layout, settings.width, settings.height);
    std::vector<SimpleNode> nodes;
    nodes.reserve(static_cast<std::size_t>(layout.NodeCount()));
    for (int i = 1; i <= layout.NodeCount(); ++i) {
        nodes.emplace_back(static_cast<ULONG>(i));
    }

    Image image(settings.width, settings.height);
    const int threads = settings.threads > 0 ? settings.threads : tbb::task_arena::automatic;
    tbb::task_arena arena(threads);
    arena.execute([&] {
        tbb::parallel_for(tbb::blocked_range<int>(0, settings.height),
                          [&](const tbb::blocked_range<int>& rows) {
                              SimpleShadeContext sc;
                              sc.SetTime(settings.time);
                              for (int y = rows.begin(); y != rows.end(); ++y) {
                                  for (int x = 0; x < settings.width; ++x) {
                                      ShadePixel(map, layout, nodes, sc, x, y,
                                                 settings.samplesPerAxis, image.Pixel(x, y));
                                  }
                                  if (settings.progress) {
                                      settings.progress->Advance(1);
                                  }
                              }
                          });
    });
    return image;
}
