// The packed artwork form: what the generator packs, the program gets back
// byte for byte, and a damaged packing is refused, never read past.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "resources/art_pack.h"

namespace {

using velmora::art_pack::Pack;
using velmora::art_pack::Unpack;

std::vector<uint8_t> Noise(size_t n, uint32_t seed) {
    std::mt19937 gen(seed);
    std::vector<uint8_t> out(n);
    for (auto& b : out) b = uint8_t(gen());
    return out;
}

// A bottom-up 24-bit picture with a gradient, like the panel's skin.
std::vector<uint8_t> Gradient(size_t width, size_t height) {
    const size_t stride = (width * 3 + 3) & ~size_t(3);
    std::vector<uint8_t> out(54 + stride * height, 0);
    for (size_t y = 0; y < height; ++y)
        for (size_t x = 0; x < width; ++x)
            for (size_t c = 0; c < 3; ++c) out[54 + y * stride + x * 3 + c] = uint8_t(x * (c + 1) + y);
    return out;
}

TEST(ArtPack, GivesBackWhatWasPacked) {
    const std::vector<std::vector<uint8_t>> inputs = {
        {},
        {7},
        {1, 2, 3},
        std::vector<uint8_t>(100000, 0x5A),  // match lengths far past 15 + 255
        Noise(70000, 1),                     // literal runs past 15 + 255, no matches
        Gradient(203, 77),
    };
    for (const auto& raw : inputs) {
        for (size_t distance : {size_t(0), size_t(3), size_t(612)}) {
            const auto back = Unpack(Pack(raw, 54, distance));
            ASSERT_TRUE(back.has_value()) << raw.size() << " bytes, distance " << distance;
            EXPECT_EQ(*back, raw) << raw.size() << " bytes, distance " << distance;
        }
    }
}

TEST(ArtPack, MixedRunsAndNoiseRoundTrip) {
    std::vector<uint8_t> raw;
    for (uint32_t i = 0; i < 40; ++i) {
        const auto noise = Noise(i * 37 % 300, i);
        raw.insert(raw.end(), noise.begin(), noise.end());
        raw.insert(raw.end(), i * 53 % 700, uint8_t(i));
        // a copy of something far back, within and beyond the window
        if (raw.size() > 5000) raw.insert(raw.end(), raw.begin() + 100, raw.begin() + 400);
    }
    EXPECT_EQ(Unpack(Pack(raw)), raw);
}

TEST(ArtPack, FilterShrinksAGradient) {
    const auto raw = Gradient(320, 200);
    const size_t plain = Pack(raw).size();
    const size_t filtered = Pack(raw, 54, 3).size();
    EXPECT_LT(filtered, plain);
    EXPECT_LT(filtered, raw.size() / 10);
}

TEST(ArtPack, RefusesEveryTruncation) {
    const auto packed = Pack(Gradient(40, 30), 54, 3);
    for (size_t n = 0; n < packed.size(); ++n) {
        EXPECT_FALSE(Unpack(std::span(packed).first(n)).has_value()) << "cut at " << n;
    }
}

TEST(ArtPack, RefusesDamagedHeadersAndOffsets) {
    const std::vector<uint8_t> raw(5000, 9);
    auto packed = Pack(raw);
    auto badMagic = packed;
    badMagic[3] = '2';
    EXPECT_FALSE(Unpack(badMagic).has_value());
    auto tooLarge = packed;
    tooLarge[7] = 0x7F;  // claims about 2 GB
    EXPECT_FALSE(Unpack(tooLarge).has_value());
    auto shorter = packed;
    shorter[4] = uint8_t(shorter[4] - 1);  // one byte less than the sequences give
    EXPECT_FALSE(Unpack(shorter).has_value());
    // The first sequence is a literal 9 then a match one byte back; an
    // offset reaching before the start must be refused.
    auto farBack = packed;
    ASSERT_GE(farBack.size(), 20u);
    farBack[18] = 2;
    EXPECT_FALSE(Unpack(farBack).has_value());
    auto zeroOffset = packed;
    zeroOffset[18] = 0;
    EXPECT_FALSE(Unpack(zeroOffset).has_value());
}

}  // namespace
