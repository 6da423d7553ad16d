// Renders a preview of a map over a layout: every pixel takes a fixed set of stratified samples,
// each with the keys the layout gives it, shaded through the map in its own shading context and
// written to its own place, so the picture is the same whatever the number of threads.
#pragma once

#include <vector>

#include "Image.h"
#include "Layout.h"
#include "imtl.h"

class ProgressBar;

struct RenderSettings {
    LayoutKind layout = LayoutKind::Planks;
    int width = 512;
    int height = 512;
    TimeValue time = 0;
    int threads = 0;                  // 0: every core
    int samplesPerAxis = 2;           // samplesPerAxis² samples per pixel on a regular grid
    ProgressBar* progress = nullptr;  // advanced once per finished row
};

// The colour of the gap between elements.
constexpr float kGroutColor[3] = {0.08f, 0.06f, 0.045f};

// Every texture map reachable from roots through their sub-maps, each once, parents first.
std::vector<Texmap*> CollectMaps(const std::vector<MtlBase*>& roots);

// Starts a render on every map (RenderBegin(t, 0)) and ends it (RenderEnd(t)) when it goes.
class RenderPass {
public:
    RenderPass(std::vector<Texmap*> maps, TimeValue t);
    ~RenderPass();
    RenderPass(const RenderPass&) = delete;
    RenderPass& operator=(const RenderPass&) = delete;

private:
    std::vector<Texmap*> maps;
    TimeValue time;
};

// Updates map at the settings' time and renders it; the caller has begun the render pass.
// Throws std::invalid_argument for a size outside the limits of ImageSize.h.
Image RenderMap(Texmap& map, const RenderSettings& settings);

// The number of samples RenderMap evaluates or fills for these settings.
long long SampleCount(const RenderSettings& settings);
