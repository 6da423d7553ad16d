// The reference-manager layer through the host's reference protocol.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ReferenceManager.h"
#include "SolidColorMap.h"
#include "imtl.h"

namespace {

// What a callback saw.
struct Heard {
    RefMessage message;
    int callback;  // which callback
};

struct CallbackLog {
    std::vector<Heard> heard;
};

// A callback's owner: the log and the callback's own number.
struct Listener {
    CallbackLog* log;
    int number;
};

RefResult Record(void* owner, RefMessage message, std::uint64_t&) {
    auto* listener = static_cast<Listener*>(owner);
    listener->log->heard.push_back({message, listener->number});
    return REF_SUCCEED;
}

// A map base that counts the host's part of cloning.
class CountingBase : public Texmap {
public:
    void BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) override {
        ++baseClones;
        Texmap::BaseClone(from, to, remap);
    }
    int baseClones = 0;
};

class Layer : public ReferenceManager<CountingBase, 0> {
public:
    ~Layer() override = default;
    AColor EvalColor(ShadeContext&) override { return AColor(0.0f, 0.0f, 0.0f, 1.0f); }
    Point3 EvalNormalPerturb(ShadeContext&) override { return Point3(0.0f, 0.0f, 0.0f); }
    void Update(TimeValue, Interval&) override {}
    void Reset() override {}
    Interval Validity(TimeValue) override { return FOREVER; }
};

// Keeps targets alive the way a scene does: a target that loses its last dependent is deleted.
class Keeper : public ReferenceMaker {
public:
    explicit Keeper(int n) : slots(static_cast<std::size_t>(n), nullptr) {
        for (int i = 0; i < n; ++i) {
            ReplaceReference(i, new SolidColorMap());
        }
    }
    ~Keeper() override { DeleteAllRefsFromMe(); }
    int NumRefs() override { return static_cast<int>(slots.size()); }
    RefTargetHandle GetReference(int i) override { return slots[static_cast<std::size_t>(i)]; }
    void SetReference(int i, RefTargetHandle t) override { slots[static_cast<std::size_t>(i)] = t; }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage,
                               BOOL) override {
        return REF_SUCCEED;
    }
    SolidColorMap* Target(int i) { return static_cast<SolidColorMap*>(GetReference(i)); }

private:
    std::vector<RefTargetHandle> slots;
};

class ReferenceManagerTest : public ::testing::Test {
protected:
    RefCallback* Callback(int number) {
        listeners.push_back(new Listener{&log, number});
        return new RefCallback{listeners.back(), &Record};
    }
    void TearDown() override {
        for (Listener* l : listeners) {
            delete l;
        }
    }
    // Targets outlive the layers: the keeper is declared first, so it goes last.
    Keeper keeper{6};
    SolidColorMap& x = *keeper.Target(0);
    SolidColorMap& y = *keeper.Target(1);
    CallbackLog log;
    std::vector<Listener*> listeners;
};

}  // namespace

TEST_F(ReferenceManagerTest, ANewLayerHasNoReferences) {
    Layer layer;
    EXPECT_EQ(layer.NumRefs(), 0);
    EXPECT_EQ(layer.GetReference(0), nullptr);
    EXPECT_FALSE(layer.HasEntry(0));
    EXPECT_EQ(layer.GetTarget(0), nullptr);
    EXPECT_EQ(layer.GetReference(-1), nullptr);
}

TEST_F(ReferenceManagerTest, FixedEntriesTakeTheirIndex) {
    Layer layer;
    RefEntry* e0 = layer.AddEntry(0, 0, Callback(0), nullptr, false, true);
    ASSERT_NE(e0, nullptr);
    EXPECT_EQ(layer.NumRefs(), 1);
    EXPECT_EQ(layer.IndexOfEntry(e0), 0);
    EXPECT_EQ(e0->target, nullptr);
    EXPECT_FALSE(layer.HasEntry(1));
    layer.ReplaceReference(0, &x);
    EXPECT_EQ(layer.GetReference(0), &x);
    EXPECT_TRUE(layer.HasEntry(0));

    // A second entry for the same slot takes the index; the first moves up.
    RefEntry* e0b = layer.AddEntry(0, 0, Callback(1), nullptr, false, true);
    EXPECT_EQ(layer.IndexOfEntry(e0b), 0);
    EXPECT_EQ(layer.IndexOfEntry(e0), 1);
    EXPECT_EQ(layer.GetReference(1), &x);

    // A slot beyond the table leaves empty slots before it.
    Layer other;
    RefEntry* e3 = other.AddEntry(3, 0, Callback(2), &y, false, true);
    EXPECT_EQ(other.NumRefs(), 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(other.HasEntry(static_cast<std::uint64_t>(i))) << i;
    }
    EXPECT_EQ(other.GetReference(3), &y);
    EXPECT_EQ(other.IndexOfEntry(nullptr), 0);  // a null entry finds the first empty slot
    EXPECT_TRUE(other.RemoveEntry(e3, 3));
    EXPECT_TRUE(layer.RemoveEntry(e0, 0));
    EXPECT_TRUE(layer.RemoveEntry(e0b, 0));
}

TEST_F(ReferenceManagerTest, RemovingAFixedEntryLeavesItsIndexEmpty) {
    Layer layer;
    RefEntry* e0 = layer.AddEntry(0, 0, Callback(0), &x, false, true);
    EXPECT_EQ(layer.GetReference(0), &x);
    EXPECT_EQ(x.GetDependents().size(), 2u);  // the keeper and the layer
    EXPECT_TRUE(layer.RemoveEntry(e0, 0));
    EXPECT_EQ(layer.NumRefs(), 1);
    EXPECT_EQ(layer.GetReference(0), nullptr);
    EXPECT_FALSE(layer.HasEntry(0));
    EXPECT_EQ(x.GetDependents().size(), 1u);
    // An entry that is not in the table is refused without change.
    RefEntry stranger{0, nullptr, nullptr};
    EXPECT_FALSE(layer.RemoveEntry(&stranger, 0));
}

TEST_F(ReferenceManagerTest, SetReferenceOutsideTheTableChangesNothing) {
    Layer layer;
    RefEntry* e0 = layer.AddEntry(0, 0, Callback(0), &x, false, true);
    RefEntry* e1 = layer.AddEntry(1, 0, Callback(1), nullptr, false, true);
    layer.SetReference(5, &y);
    layer.SetReference(-1, &y);  // the host's base implementation: stores nothing here
    EXPECT_EQ(layer.NumRefs(), 2);
    EXPECT_EQ(layer.GetReference(0), &x);
    EXPECT_EQ(layer.GetReference(1), nullptr);
    layer.RemoveEntry(e1, 1);
    layer.RemoveEntry(e0, 0);
}

TEST_F(ReferenceManagerTest, MessagesReachTheCallbackOfTheFirstEntryHoldingTheTarget) {
    Layer layer;
    RefEntry* e0 = layer.AddEntry(0, 0, Callback(0), &x, false, true);
    RefEntry* e1 = layer.AddEntry(1, 0, Callback(1), &x, false, true);
    x.NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    ASSERT_EQ(log.heard.size(), 1u);
    EXPECT_EQ(log.heard[0].message, static_cast<RefMessage>(REFMSG_CHANGE));
    EXPECT_EQ(log.heard[0].callback, 0);

    // A target no entry holds reaches no callback.
    PartID part = PART_ALL;
    EXPECT_EQ(layer.NotifyRefChanged(FOREVER, &y, part, REFMSG_CHANGE, TRUE), REF_SUCCEED);
    EXPECT_EQ(log.heard.size(), 1u);

    // Deletion notice: the callback hears it first, then only the first entry forgets the
    // target and stays in the table.
    EXPECT_EQ(layer.NotifyRefChanged(FOREVER, &x, part, REFMSG_TARGET_DELETED, TRUE), REF_SUCCEED);
    ASSERT_EQ(log.heard.size(), 2u);
    EXPECT_EQ(log.heard[1].message, static_cast<RefMessage>(REFMSG_TARGET_DELETED));
    EXPECT_EQ(layer.GetReference(0), nullptr);
    EXPECT_TRUE(layer.HasEntry(0));
    EXPECT_EQ(layer.GetReference(1), &x);
    layer.RemoveEntry(e1, 1);
    layer.RemoveEntry(e0, 0);
}

TEST_F(ReferenceManagerTest, DeletingATargetClearsTheEntryButKeepsIt) {
    Layer layer;
    auto* doomed = new SolidColorMap();
    RefEntry* e0 = layer.AddEntry(0, 0, Callback(0), doomed, false, true);
    doomed->DeleteThis();
    ASSERT_FALSE(log.heard.empty());
    EXPECT_EQ(log.heard.front().message, static_cast<RefMessage>(REFMSG_TARGET_DELETED));
    EXPECT_EQ(layer.GetReference(0), nullptr);
    EXPECT_TRUE(layer.HasEntry(0));
    layer.RemoveEntry(e0, 0);
}

TEST_F(ReferenceManagerTest, DependencyAndPersistenceQueries) {
    Layer layer;
    SolidColorMap& weakPersistent = *keeper.Target(2);
    SolidColorMap& weakTransient = *keeper.Target(3);
    SolidColorMap& strong = *keeper.Target(4);
    SolidColorMap& stranger = *keeper.Target(5);
    RefEntry* a = layer.AddEntry(0, 0, nullptr, &weakPersistent, true, true);
    RefEntry* b = layer.AddEntry(1, 0, nullptr, &weakTransient, true, false);
    RefEntry* c = layer.AddEntry(2, 0, nullptr, &strong, false, true);
    EXPECT_FALSE(layer.IsRealDependency(&weakPersistent));
    EXPECT_FALSE(layer.IsRealDependency(&weakTransient));
    EXPECT_TRUE(layer.IsRealDependency(&strong));
    EXPECT_TRUE(layer.IsRealDependency(&stranger));
    EXPECT_TRUE(layer.ShouldPersistWeakRef(&weakPersistent));
    EXPECT_FALSE(layer.ShouldPersistWeakRef(&weakTransient));
    EXPECT_TRUE(layer.ShouldPersistWeakRef(&stranger));
    layer.RemoveEntry(c, 2);
    layer.RemoveEntry(b, 1);
    layer.RemoveEntry(a, 0);
}

TEST_F(ReferenceManagerTest, BaseCloneClonesStrongAndSharesWeakReferences) {
    Layer from, to;
    auto* strong = new SolidColorMap(AColor(0.2f, 0.4f, 0.6f, 1.0f));
    RefEntry* f0 = from.AddEntry(0, 0, nullptr, strong, false, true);
    RefEntry* f1 = from.AddEntry(1, 0, nullptr, &x, true, true);
    RefEntry* t0 = to.AddEntry(0, 0, nullptr, nullptr, false, true);
    RefEntry* t1 = to.AddEntry(1, 0, nullptr, nullptr, true, true);
    RemapDir& remap = NewRemapDir();

    // With itself or with nothing: no effect at all, not even the host's part.
    from.BaseClone(&from, &from, remap);
    from.BaseClone(&from, nullptr, remap);
    from.BaseClone(nullptr, &to, remap);
    EXPECT_EQ(from.baseClones, 0);

    from.BaseClone(&from, &to, remap);
    EXPECT_EQ(from.baseClones, 1);
    ASSERT_NE(to.GetReference(0), nullptr);
    EXPECT_NE(to.GetReference(0), strong);
    EXPECT_EQ(to.GetReference(0), remap.FindMapping(strong));
    EXPECT_EQ(to.GetReference(1), &x);
    remap.DeleteThis();
    to.RemoveEntry(t1, 1);
    to.RemoveEntry(t0, 0);
    from.RemoveEntry(f1, 1);
    from.RemoveEntry(f0, 0);
}

TEST_F(ReferenceManagerTest, ListsGrowAndShrinkBackToBack) {
    Layer layer;
    RefEntry* e0 = layer.AddEntry(0, 0, Callback(0), &x, false, true);
    EXPECT_TRUE(layer.MakeList(1));
    EXPECT_EQ(layer.NumRefs(), 1);
    EXPECT_EQ(layer.FirstListSlot(), 1u);
    EXPECT_EQ(layer.ListCounts(), std::vector<std::uint64_t>{0});

    SolidColorMap& a = *keeper.Target(2);
    SolidColorMap& b = *keeper.Target(3);
    RefEntry* e1 = layer.AddEntry(1, -1, Callback(1), &a, false, true);
    EXPECT_EQ(layer.IndexOfEntry(e1), 1);
    EXPECT_EQ(layer.GetReference(1), &a);
    RefEntry* e2 = layer.AddEntry(1, -1, Callback(2), &b, false, true);
    EXPECT_EQ(layer.IndexOfEntry(e2), 2);
    EXPECT_EQ(layer.ListCounts(), std::vector<std::uint64_t>{2});

    EXPECT_TRUE(layer.RemoveEntry(e1, 1));
    EXPECT_EQ(layer.NumRefs(), 2);
    EXPECT_EQ(layer.GetReference(1), &b);
    EXPECT_EQ(layer.ListCounts(), std::vector<std::uint64_t>{1});
    layer.RemoveEntry(e2, 1);
    layer.RemoveEntry(e0, 0);
}

TEST_F(ReferenceManagerTest, AListSlotBeyondAnyAddressableIndexIsRefused) {
    // Without MakeList, lists would start at index 2^31 - 1: refused instead of allocating
    // billions of empty slots.
    Layer layer;
    EXPECT_EQ(layer.AddEntry(0x7FFFFFFFu, -1, nullptr, &x, false, true), nullptr);
    EXPECT_EQ(layer.NumRefs(), 0);
    EXPECT_TRUE(layer.ListCounts().empty());
}
