// The frame update through the host's operations: snapshot, list sizing, pick table, pushes into
// bitmap sub-maps, validity, and the viewport handle.
#include <gtest/gtest.h>

#include <cmath>

#include "BitmapTexture.h"
#include "SampleVariation.h"
#include "SimpleRedrawService.h"
#include "SimpleShadeContext.h"
#include "SimpleTexHandleMaker.h"
#include "SolidColorMap.h"
#include "UpdateMap.h"
#include "maxapi.h"

namespace {

// A sub-map that records the times and intervals it is updated with, and whether redraws were
// suspended meanwhile.
class RecordingMap : public SolidColorMap {
public:
    using SolidColorMap::SolidColorMap;
    void Update(TimeValue t, Interval& valid) override {
        ++updates;
        lastTime = t;
        if (auto* service =
                static_cast<SimpleRedrawService*>(GetCOREInterface(REDRAW_SUSPEND_INTERFACE))) {
            redrawDepthDuringUpdate = service->Depth();
        }
        valid &= ownValidity;
    }
    int updates = 0;
    TimeValue lastTime = 0;
    int redrawDepthDuringUpdate = -1;
    Interval ownValidity = FOREVER;
};

// A bitmap whose coordinate generator is not the standard one.
class OddGeneratorBitmap : public BitmapTexture {
public:
    UVGen* GetTheUVGen() override { return &odd; }

private:
    class OddUVGen : public UVGen {
    public:
        void Update(TimeValue, Interval&) override {}
        void Reset() override {}
        Interval Validity(TimeValue) override { return FOREVER; }
        RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage,
                                   BOOL) override {
            return REF_SUCCEED;
        }
    } odd;
};

Interval Update(UpdateMap& map, TimeValue t) {
    Interval valid = FOREVER;
    map.Update(t, valid);
    return valid;
}

// Brings the map to a state whose validity holds: pushes into bitmaps echo back as changes
// that empty it, so a second update may be needed.
void Settle(UpdateMap& map, TimeValue t) {
    for (int i = 0; i < 3 && !map.frame.validity.InInterval(t); ++i) {
        Update(map, t);
    }
}

class FrameUpdateTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterCOREInterface(&redraw); }
    SimpleRedrawService redraw;
};

}  // namespace

TEST_F(FrameUpdateTest, TableOfOnOffAndWeightsAndItsPick) {
    UpdateMap map;
    auto* a = new RecordingMap(AColor(1.0f, 0.0f, 0.0f, 1.0f), Point3(1.0f, 0.0f, 0.0f));
    auto* b = new RecordingMap(AColor(0.0f, 1.0f, 0.0f, 1.0f), Point3(0.0f, 1.0f, 0.0f));
    auto* c = new RecordingMap(AColor(0.0f, 0.0f, 1.0f, 1.0f), Point3(0.0f, 0.0f, 1.0f));
    map.AddSubmaps({a, b, c});
    Update(map, 0);
    map.SetEntries({{true, 2}, {false, 5}, {true, 3}});
    Update(map, 0);

    const Tab<Texmap*>& slots = map.shading.pickTable.Slots();
    ASSERT_EQ(slots.Count(), 5);
    const Texmap* expected[] = {a, a, c, c, c};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(slots[i], expected[i]) << i;
    }
    // Key 1, seed 12345: pick draw 21593, index 3, that is C; its bump comes from C too.
    SimpleShadeContext sc;
    sc.mtlNum = 1;
    map.EvalColor(sc);
    sc.NewSample();
    EXPECT_EQ(map.EvalNormalPerturb(sc), Point3(0.0f, 0.0f, 1.0f));
    // Every sub-map is updated, the switched-off one included, with redraws suspended.
    EXPECT_EQ(b->updates, 2);
    EXPECT_EQ(c->redrawDepthDuringUpdate, 1);
    EXPECT_EQ(redraw.Depth(), 0);
}

TEST_F(FrameUpdateTest, SnapshotConvertsTheDistributions) {
    UpdateMap map;
    IParamBlock2* pb = map.pblock;
    pb->SetValue(pb_occ_gamma, 0, 80.0f);
    pb->SetValue(pb_occ_hue, 0, 30.0f);
    pb->SetValue(pb_occ_sat, 0, 0.0f);
    pb->SetValue(pb_rnd_by, 0, 2);
    pb->SetValue(pb_seed, 0, 777);
    pb->SetValue(pb_sub_color, 0, Color(0.1f, 0.2f, 0.3f));
    pb->SetValue(pb_use_color, 0, 1);
    pb->SetValue(pb_all_hue, 0, -12.5f);
    Update(map, 0);
    const ShadeSettings& s = map.shading.settings;
    EXPECT_EQ(s.gammaDistribution, 1.0f - 80.0f / 100.0f);
    EXPECT_EQ(s.hueDistribution, 30.0f / 100.0f);
    EXPECT_EQ(s.satDistribution, 0.0f);
    EXPECT_EQ(s.keyMode, 2);
    EXPECT_EQ(s.seed, 777);
    EXPECT_EQ(s.subColor, Color(0.1f, 0.2f, 0.3f));
    EXPECT_EQ(s.useColor, 1);
    EXPECT_EQ(s.allHue, -12.5f);
    EXPECT_EQ(s.rndGamma, 0.2f);  // the block's default, read unchanged
}

TEST_F(FrameUpdateTest, ListsFollowTheSubMapListAndNewEntriesAreOnWithWeightOne) {
    UpdateMap map;
    map.AddSubmaps({new SolidColorMap(), new SolidColorMap()});
    Update(map, 0);
    map.SetEntries({{false, 7}, {true, 4}});
    map.AddSubmaps({new SolidColorMap()});
    Update(map, 0);
    IParamBlock2* pb = map.pblock;
    ASSERT_EQ(pb->Count(pb_submap_on), 3);
    ASSERT_EQ(pb->Count(pb_probability), 3);
    EXPECT_EQ(pb->GetInt(pb_submap_on, 0, 0), 0);
    EXPECT_EQ(pb->GetInt(pb_probability, 0, 1), 4);
    EXPECT_EQ(pb->GetInt(pb_submap_on, 0, 2), 1);
    EXPECT_EQ(pb->GetInt(pb_probability, 0, 2), 1);
    EXPECT_EQ(map.shading.pickTable.TotalWeight(), 5u);

    // Shrinking the sub-map list cuts the other two from the end.
    pb->Delete(pb_submaps, 0, 2);
    Update(map, 0);
    EXPECT_EQ(pb->Count(pb_submap_on), 1);
    EXPECT_EQ(pb->Count(pb_probability), 1);
}

TEST_F(FrameUpdateTest, ZeroNegativeWeightsEmptySlotsAndAllOffAddNothing) {
    UpdateMap map;
    map.AddSubmaps({new SolidColorMap(AColor(1.0f, 1.0f, 1.0f, 1.0f)), nullptr,
                    new SolidColorMap(AColor(1.0f, 1.0f, 1.0f, 1.0f))});
    Update(map, 0);
    map.SetEntries({{true, 0}, {true, 9}, {true, -3}});
    Update(map, 0);
    EXPECT_TRUE(map.shading.pickTable.Empty());
    SimpleShadeContext sc;
    EXPECT_EQ(map.EvalColor(sc), AColor(0.0f, 0.0f, 0.0f, 1.0f));

    map.SetEntries({{false, 1}, {false, 1}, {false, 1}});
    Update(map, 0);
    EXPECT_TRUE(map.shading.pickTable.Empty());
}

TEST_F(FrameUpdateTest, FirstRebuildPushesEverySettingIntoSwitchedOnBitmapsOnly) {
    // Nothing has been pushed before the first rebuild, so all three settings go out, also
    // where they equal the bitmap's own defaults.
    UpdateMap map;
    auto* on = new BitmapTexture();
    auto* off = new BitmapTexture();
    on->GetUVGen()->SetBlur(3.0f, 0);
    on->SetFilterType(FILTER_SAT);
    off->GetUVGen()->SetBlur(3.0f, 0);
    off->SetFilterType(FILTER_SAT);
    map.AddSubmaps({on, off});
    map.pblock->SetCount(pb_submap_on, 2);
    map.pblock->SetValue(pb_submap_on, 0, 0, 1);
    Settle(map, 0);
    EXPECT_EQ(on->GetFilterType(), FILTER_PYR);
    EXPECT_EQ(on->GetUVGen()->GetBlur(0), 1.0f);
    EXPECT_EQ(off->GetFilterType(), FILTER_SAT);
    EXPECT_EQ(off->GetUVGen()->GetBlur(0), 3.0f);
}

TEST_F(FrameUpdateTest, PushesOnlyWhatChangedAndOnlyToBitmapsThatAreOn) {
    UpdateMap map;
    auto* bitmap = new BitmapTexture();
    auto* disabled = new BitmapTexture();
    map.AddSubmaps({bitmap, disabled});
    Settle(map, 0);
    map.SetEntries({{true, 1}, {false, 1}});
    Settle(map, 0);
    auto* gen = static_cast<StandardUVGen*>(bitmap->GetUVGen());
    const int setsBefore = gen->SetCalls();

    // A later rebuild with unchanged settings pushes nothing.
    map.pblock->SetValue(pb_seed, 0, 4);
    Settle(map, 0);
    EXPECT_EQ(gen->SetCalls(), setsBefore);

    // Blur 1.0 -> 2.0 reaches the switched-on bitmap only.
    map.pblock->SetValue(pb_blur, 0, 2.0f);
    Settle(map, 0);
    EXPECT_EQ(bitmap->GetUVGen()->GetBlur(0), 2.0f);
    EXPECT_EQ(disabled->GetUVGen()->GetBlur(0), 1.0f);
    EXPECT_EQ(gen->SetCalls(), setsBefore + 1);

    // A bitmap added after that rebuild keeps its own blur until the setting changes again.
    auto* late = new BitmapTexture();
    late->GetUVGen()->SetBlur(5.0f, 0);
    map.AddSubmaps({late});
    Settle(map, 0);
    EXPECT_EQ(late->GetUVGen()->GetBlur(0), 5.0f);
    map.pblock->SetValue(pb_blur, 0, 0.5f);
    Settle(map, 0);
    EXPECT_EQ(late->GetUVGen()->GetBlur(0), 0.5f);
}

TEST_F(FrameUpdateTest, FilteringReachesBitmapsWhateverTheirGenerator) {
    UpdateMap map;
    auto* odd = new OddGeneratorBitmap();
    map.AddSubmaps({odd});
    map.pblock->SetValue(pb_filtering, 0, FILTER_NADA);
    map.pblock->SetValue(pb_blur, 0, 4.0f);
    Settle(map, 0);
    EXPECT_EQ(odd->GetFilterType(), FILTER_NADA);
    EXPECT_EQ(odd->GetUVGen()->GetBlur(0), 1.0f);  // blur and rotation need the standard one
}

TEST_F(FrameUpdateTest, NinetyDegreesReachSetWAngAsRadians) {
    UpdateMap map;
    auto* bitmap = new BitmapTexture();
    map.AddSubmaps({bitmap});
    map.pblock->SetValueEntered(pb_rotate, 0, 90.0f);
    Settle(map, 0);
    EXPECT_NEAR(bitmap->GetUVGen()->GetWAng(0), 1.5707964f, 1e-7f);
}

TEST_F(FrameUpdateTest, UpdateInsideValidityReadsNothingAndOnlyIntersects) {
    UpdateMap map;
    auto* sub = new RecordingMap();
    sub->ownValidity = Interval(-100, 100);
    map.AddSubmaps({sub});
    const Interval first = Update(map, 0);
    EXPECT_TRUE(first == Interval(-100, 100));
    ASSERT_EQ(sub->updates, 1);

    // A change the map is not told of is not seen inside the interval.
    DisableRefMsgs();
    map.pblock->SetValue(pb_seed, 0, 99);
    EnableRefMsgs();
    Interval valid(50, 500);
    map.Update(10, valid);
    EXPECT_TRUE(valid == Interval(50, 100));
    EXPECT_EQ(sub->updates, 1);
    EXPECT_EQ(map.shading.settings.seed, 12345);
    EXPECT_EQ(redraw.Suspensions(), 1);

    // Outside it, the map rebuilds; Validity reports the map's own interval.
    sub->ownValidity = Interval(150, 300);
    EXPECT_TRUE(map.Validity(200) == Interval(150, 300));
    EXPECT_EQ(sub->updates, 2);
    EXPECT_EQ(map.shading.settings.seed, 99);
}

TEST_F(FrameUpdateTest, AnimatedParameterMakesValidityAnInstant) {
    UpdateMap map;
    map.pblock->SetKey(pb_all_gamma, 0, 1.0f);
    map.pblock->SetKey(pb_all_gamma, 100, 3.0f);
    const Interval at50 = Update(map, 50);
    EXPECT_TRUE(at50 == Interval(50, 50));
    EXPECT_FLOAT_EQ(map.shading.settings.allGamma, 2.0f);
    Update(map, 75);
    EXPECT_FLOAT_EQ(map.shading.settings.allGamma, 2.5f);
    // After the last key the value holds for good.
    const Interval after = Update(map, 200);
    EXPECT_EQ(after.Start(), 100);
    EXPECT_EQ(after.End(), TIME_PosInfinity);
}

TEST_F(FrameUpdateTest, ListResizingSendsNoMessages) {
    UpdateMap map;
    map.AddSubmaps({new SolidColorMap(), new SolidColorMap()});
    Update(map, 0);
    // The map heard nothing from the resizing, so its snapshot is still valid.
    EXPECT_TRUE(map.frame.validity.InInterval(0));
}

TEST_F(FrameUpdateTest, NoBlockMeansNoUpdateAndTheIntervalUntouched) {
    ShadingCore shading;
    FrameState frame;
    Interval valid(3, 7);
    UpdateFrame(nullptr, 0, valid, shading, frame);
    EXPECT_TRUE(valid == Interval(3, 7));
    EXPECT_TRUE(frame.validity.Empty());
}

TEST_F(FrameUpdateTest, ViewportHandleIsDrawnOncePerInterval) {
    UpdateMap map;
    map.AddSubmaps({new SolidColorMap(AColor(0.5f, 0.5f, 0.5f, 1.0f))});
    SimpleTexHandleMaker maker(8);
    const DWORD_PTR first = map.GetActiveTexHandle(0, maker);
    EXPECT_EQ(map.GetActiveTexHandle(0, maker), first);
    EXPECT_EQ(maker.HandlesMade(), 1);

    // An animated setting narrows the handle's interval to an instant: a new time redraws.
    map.pblock->SetKey(pb_all_hue, 0, 0.0f);
    map.pblock->SetKey(pb_all_hue, 100, 90.0f);
    map.viewport.Discard();
    const DWORD_PTR at10 = map.GetActiveTexHandle(10, maker);
    EXPECT_EQ(map.GetActiveTexHandle(10, maker), at10);
    EXPECT_NE(map.GetActiveTexHandle(20, maker), at10);
    EXPECT_EQ(maker.HandlesMade(), 3);
}

TEST_F(FrameUpdateTest, ViewportBitmapShowsTheMap) {
    UpdateMap map;
    map.AddSubmaps({new SolidColorMap(AColor(1.0f, 0.5f, 0.0f, 1.0f))});
    map.pblock->SetValue(pb_rnd_gamma, 0, 0.0f);
    map.pblock->SetValue(pb_rnd_hue, 0, 0.0f);
    map.pblock->SetValue(pb_rnd_sat, 0, 0.0f);
    SimpleTexHandleMaker maker(4);
    Interval valid = FOREVER;
    BITMAPINFO* bitmap = map.GetVPDisplayDIB(0, maker, valid);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->bmiHeader.biWidth, 4);
    EXPECT_EQ(bitmap->bmiHeader.biHeight, 4);
    EXPECT_EQ(bitmap->bmiHeader.biBitCount, 32);
    const BYTE* pixel = reinterpret_cast<const BYTE*>(bitmap) + sizeof(BITMAPINFOHEADER);
    EXPECT_EQ(pixel[0], 0);    // blue
    EXPECT_EQ(pixel[1], 128);  // green
    EXPECT_EQ(pixel[2], 255);  // red
    std::free(bitmap);
}
