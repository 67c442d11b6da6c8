// The window placement record: a value the codec reads, written and read
// again, is the same single-precision number, and writing is stable; a
// number it writes is always read back. A window brought back onto the
// screens keeps its size and overlaps a work area.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_check.h"
#include "settings/placement_codec.h"

namespace {

using namespace velmora::placement;

void CheckRoundTrip(double twips) {
    const std::string text = FormatValue(twips);
    const float stored = static_cast<float>(twips);
    const std::optional<double> back = ParseValue(text);
    if (!std::isfinite(stored)) {
        FUZZ_CHECK(!back.has_value());  // "inf" / "nan": the default is used instead
        return;
    }
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(static_cast<float>(*back) == stored);
    FUZZ_CHECK(FormatValue(*back) == text);
}

Box BoxFrom(FuzzedDataProvider& input) {
    const int left = input.ConsumeIntegralInRange(-30000, 30000);
    const int top = input.ConsumeIntegralInRange(-30000, 30000);
    return {left, top, left + input.ConsumeIntegralInRange(1, 20000), top + input.ConsumeIntegralInRange(1, 20000)};
}

bool Overlaps(const Box& a, const Box& b) {
    return std::max(a.left, b.left) < std::min(a.right, b.right) && std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string text = input.ConsumeRandomLengthString(256);
    if (const std::optional<double> value = ParseValue(text)) {
        FUZZ_CHECK(std::isfinite(*value) && std::fabs(*value) <= std::numeric_limits<float>::max());
        CheckRoundTrip(*value);
    }
    if (input.remaining_bytes() >= sizeof(double)) {
        double any = 0;
        const auto bytes = input.ConsumeBytes<std::uint8_t>(sizeof(double));
        std::memcpy(&any, bytes.data(), sizeof any);
        if (!std::isnan(any)) CheckRoundTrip(any);
    }

    const Box window = BoxFrom(input);
    std::vector<Box> areas;
    const int count = input.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < count; ++i) areas.push_back(BoxFrom(input));
    const Box placed = KeepOnScreen(window, areas);
    FUZZ_CHECK(placed.right - placed.left == window.right - window.left);
    FUZZ_CHECK(placed.bottom - placed.top == window.bottom - window.top);
    bool seen = areas.empty();
    for (const Box& a : areas) seen = seen || Overlaps(placed, a);
    FUZZ_CHECK(seen);
    // A window that can be seen stays where it is.
    for (const Box& a : areas) {
        if (Overlaps(window, a)) FUZZ_CHECK(placed == window);
    }
    return 0;
}
