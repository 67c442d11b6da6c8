// What a picture file claims about itself, read from its first bytes before
// any decoder sees it: the format and the natural size. Decoders trust these
// numbers and allocate by them, so a forged size is caught here.
#pragma once

#include <cstdint>
#include <string_view>

namespace velmora {

enum class PictureFormat {
    Unknown,
    Bmp,
    Ico,
    Cur,
    Wmf,           // a bare Windows metafile: no size in its header
    PlaceableWmf,  // a metafile with the 22-byte placeable header and its bounds
    Gif,
    Jpeg,
    Png,
};

enum class HeaderStatus {
    Ok,
    NotAPicture,  // no signature of a known format
    Damaged,      // a known signature, but the header is cut short or impossible
};

struct PictureHeader {
    HeaderStatus status = HeaderStatus::NotAPicture;
    PictureFormat format = PictureFormat::Unknown;
    // The natural size in pixels the file claims for the picture shown (the
    // first image of an icon file, the logical screen of a GIF; a placeable
    // metafile's bounds at 96 dots per inch). 0 x 0 for a bare metafile.
    uint32_t width = 0;
    uint32_t height = 0;
    // The largest image the file claims anywhere (every icon entry, the
    // first GIF frame), in pixels: what a decoder might allocate.
    uint64_t largestPixels = 0;
};

// Reads the header from the start of a file. `bytes` may be the whole file
// or only its beginning; a JPEG's size can follow long metadata, so give it
// enough (the whole file is always enough).
PictureHeader ReadPictureHeader(std::string_view bytes);

// Whether a decoder may be given the file: a readable header and nothing
// claimed over `budget` pixels.
bool WithinBudget(const PictureHeader& header, uint64_t budget);

}  // namespace velmora
