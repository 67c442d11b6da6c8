// Pictures of the library: decoding a file into a bitmap and saving a
// bitmap as the BMP that becomes the wallpaper.
//
// Every format goes through decoders Windows itself provides. Before any
// decoder sees a file, its header is read here and a picture over the pixel
// budget is refused: a forged header crashes the decoders.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/files.h"
#include "platform/handles.h"
#include "platform/picture_scaling.h"

namespace velmora {

// The largest picture accepted, in pixels.
inline constexpr unsigned long long kPixelBudget = 100'000'000ULL;

// A decoded picture: a 32-bit top-down DIB section with premultiplied alpha
// at the picture's natural size in pixels. Move-only.
class Picture {
public:
    Picture() = default;
    Picture(UniqueBitmap bitmap, int width, int height);
    // When the maker knows already that every pixel is opaque (a JPEG), the
    // pixels need not be looked at again.
    Picture(UniqueBitmap bitmap, int width, int height, bool opaque);
    // Whether every pixel is fully opaque (drawn with a halftone stretch
    // then, which looks better than blending).
    bool opaque() const { return opaque_; }
    HBITMAP bitmap() const { return bitmap_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    explicit operator bool() const { return static_cast<bool>(bitmap_); }
    // Draws the picture stretched to `to`, blended over what is there.
    void Draw(HDC dc, const RECT& to) const;
    // Its pixels, for resampling; empty when there is no picture.
    PixelView Pixels() const;

private:
    UniqueBitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
    bool opaque_ = true;
};

// How much of a file is read first for its header: a picture the header
// rules out (no picture, or over the budget) is not read any further.
inline constexpr size_t kPictureHeadBytes = 256 * 1024;

// The bytes of a picture file for decoding: the head first, then the rest
// only when the head's header is sound and within kPixelBudget (or, for a
// JPEG or an icon cut short by the head, when the rest may still hold it).
// Refused when the head already rules the file out.
FileRead ReadPictureFile(const std::wstring& path, std::string& bytes);

// BMP, ICO, CUR, WMF (placeable or not), GIF (first frame), JPEG and PNG.
// Nothing for a missing, unreadable, truncated, corrupt or non-picture file
// or one whose header claims more than kPixelBudget pixels.
std::optional<Picture> LoadPicture(const std::wstring& path);

// Writes the picture at its own size as a 24-bit BMP (transparent parts over
// white), beside the target first and then put in its place. False when the
// file could not be written; the old file is then left as it was.
bool SaveBitmap24(const Picture& picture, const std::wstring& path);

// Writes a 24-bit BMP `width` x `height` whose rows `compose` hands to the
// sink it is given, in bands from the bottom up (rows top-down inside a
// band, `stride` bytes apart: the BMP's padded row). Beside the target
// first, then put in its place; false, and the old file left, when it could
// not be written or `compose` gave up.
using BitmapBandSink = std::function<bool(const std::uint8_t* rows, std::size_t stride, int top, int count)>;
bool SaveBitmapInBands(const std::wstring& path, int width, int height,
                       const std::function<bool(const BitmapBandSink& sink)>& compose);

// The picture's natural size from the file's header alone; nullopt when
// the header cannot say (no picture, or a bare metafile) or the picture
// would be refused (over kPixelBudget).
std::optional<SIZE> PictureSizeOf(const std::wstring& path);

}  // namespace velmora
