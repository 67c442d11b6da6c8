// The picture header reader: a header it passes within a pixel budget never
// claims more pixels than the budget, its sides are positive (a bare
// metafile, which has none, claims nothing), and reading is the same from
// the file's beginning as from the whole file once the header is in it.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "fuzz_check.h"
#include "platform/picture_header.h"

namespace {

using namespace velmora;

void CheckBudget(const PictureHeader& h, std::uint64_t budget) {
    if (!WithinBudget(h, budget)) return;
    FUZZ_CHECK(h.status == HeaderStatus::Ok);
    FUZZ_CHECK(h.largestPixels <= budget);
    FUZZ_CHECK(std::uint64_t{h.width} * h.height <= budget);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const PictureHeader h = ReadPictureHeader(bytes);
    if (h.status == HeaderStatus::Ok) {
        FUZZ_CHECK(h.format != PictureFormat::Unknown);
        if (h.format == PictureFormat::Wmf) {
            FUZZ_CHECK(h.width == 0 && h.height == 0 && h.largestPixels == 0);
        } else {
            FUZZ_CHECK(h.width > 0 && h.height > 0);
            FUZZ_CHECK(h.largestPixels >= std::uint64_t{h.width} * h.height);
        }
    } else {
        FUZZ_CHECK(h.width == 0 && h.height == 0 && h.largestPixels == 0);
        FUZZ_CHECK((h.status == HeaderStatus::NotAPicture) == (h.format == PictureFormat::Unknown));
    }
    for (const std::uint64_t budget : {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{1} << 20,
                                       std::uint64_t{1} << 26, std::numeric_limits<std::uint64_t>::max()}) {
        CheckBudget(h, budget);
    }
    // A longer file never turns a known picture into no picture at all.
    if (size > 0) {
        const PictureHeader shorter = ReadPictureHeader(bytes.substr(0, size - 1));
        if (shorter.status != HeaderStatus::NotAPicture) FUZZ_CHECK(h.status != HeaderStatus::NotAPicture);
    }
    return 0;
}
