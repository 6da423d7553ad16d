// The weighted pick table, including the bound on stored slots for huge weights.
#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "PickTable.h"
#include "SolidColorMap.h"

namespace {

// The entry that a table with one slot per unit of weight holds at `index`.
Texmap* UnboundedEntry(const std::vector<std::pair<Texmap*, int>>& entries, std::uint64_t index) {
    for (const auto& e : entries) {
        if (e.second <= 0) {
            continue;
        }
        if (index < static_cast<std::uint64_t>(e.second)) {
            return e.first;
        }
        index -= static_cast<std::uint64_t>(e.second);
    }
    return nullptr;
}

std::uint64_t TotalOf(const std::vector<std::pair<Texmap*, int>>& entries) {
    std::uint64_t total = 0;
    for (const auto& e : entries) {
        total += e.second > 0 ? static_cast<std::uint64_t>(e.second) : 0;
    }
    return total;
}

PickTable Build(const std::vector<std::pair<Texmap*, int>>& entries) {
    PickTable t;
    for (const auto& e : entries) {
        t.Add(e.first, e.second);
    }
    return t;
}

}  // namespace

TEST(PickTable, EachEntryAsOftenAsItsWeightInListOrder) {
    SolidColorMap a, b, c;
    PickTable t = Build({{&a, 2}, {&c, 3}});
    ASSERT_EQ(t.Slots().Count(), 5);
    const Texmap* expected[] = {&a, &a, &c, &c, &c};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(t.Slots()[i], expected[i]) << i;
    }
    EXPECT_EQ(t.TotalWeight(), 5u);
    EXPECT_EQ(t.Pick(21593), &c);  // 21593 mod 5 = 3

    // A sub-map that stands twice is entered twice, with its two weights.
    PickTable twice = Build({{&a, 1}, {&b, 1}, {&a, 2}});
    ASSERT_EQ(twice.Slots().Count(), 4);
    EXPECT_EQ(twice.Slots()[0], &a);
    EXPECT_EQ(twice.Slots()[1], &b);
    EXPECT_EQ(twice.Slots()[3], &a);
}

TEST(PickTable, ZeroNegativeWeightsAndNullMapsAddNothing) {
    SolidColorMap a;
    PickTable t = Build({{&a, 0}, {&a, -4}, {nullptr, 3}});
    EXPECT_TRUE(t.Empty());
    EXPECT_EQ(t.Slots().Count(), 0);
    t.Add(&a, 1);
    EXPECT_FALSE(t.Empty());
    t.Clear();
    EXPECT_TRUE(t.Empty());
    EXPECT_EQ(t.Slots().Allocated(), 0);  // storage released
}

TEST(PickTable, SlotsBeyond32767AreNeverPicked) {
    SolidColorMap a, b;
    PickTable t = Build({{&a, 32768}, {&b, 10}});
    EXPECT_EQ(t.TotalWeight(), 32778u);
    for (int draw = 0; draw <= 32767; ++draw) {
        ASSERT_EQ(t.Pick(draw), &a) << draw;
    }
}

TEST(PickTable, HugeWeightsPickExactlyWhatTheUnboundedTableWould) {
    SolidColorMap a, b, c, d;
    const int kMax = 2147483647;
    const std::vector<std::vector<std::pair<Texmap*, int>>> tables = {
        {{&a, kMax}},
        {{&a, 5}, {&b, kMax}, {&c, 3}},
        {{&a, 20000}, {&b, 12000}, {&c, 1000}, {&d, 7}},  // boundary crosses 32768 inside c
        {{&a, kMax}, {&b, kMax}, {&c, kMax}},             // total beyond 2^32
        {{&a, 3}, {&b, 0}, {&c, -1}, {&d, 40000}},
        {{&a, 7}, {&b, 11}, {&c, 13}},  // an uneven total: the modulo bias shows
    };
    for (const auto& entries : tables) {
        const PickTable t = Build(entries);
        const std::uint64_t total = TotalOf(entries);
        ASSERT_EQ(t.TotalWeight(), total);
        ASSERT_LE(t.Slots().Count(), PickTable::kMaxStoredSlots);
        for (int draw = 0; draw <= 32767; ++draw) {
            ASSERT_EQ(t.Pick(draw),
                      UnboundedEntry(entries, static_cast<std::uint64_t>(draw) % total))
                << "draw " << draw << " of a table with total " << total;
        }
    }
}

TEST(PickTable, WeightOfTwoBillionUsesLessThanOneMebibyte) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizer allocators do not report heap use through mallinfo2";
#else
    SolidColorMap a;
    const std::size_t before = mallinfo2().uordblks;
    PickTable t;
    t.Add(&a, 2147483647);
    const std::size_t after = mallinfo2().uordblks;
    EXPECT_LT(after - before, std::size_t{1} << 20);
    EXPECT_EQ(t.TotalWeight(), 2147483647u);
    EXPECT_EQ(t.Slots().Count(), 32768);
#endif
}

TEST(PickTable, PickIndexIsTheExactModuloForEveryDrawAndSmallTotal) {
    SolidColorMap a;
    PickTable t;
    for (int total = 1; total <= 32769; ++total) {
        t.Add(&a, 1);
        for (std::uint32_t draw = 0; draw <= 32767; ++draw) {
            if (t.PickIndex(draw) != draw % static_cast<std::uint32_t>(total)) {
                FAIL() << "draw " << draw << " total " << total;
            }
        }
    }
}
