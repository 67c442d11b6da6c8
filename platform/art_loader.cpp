// The program's pictures at the scale in use. At 96 dpi they come from the
// resources, where the generator stored them packed; at any other DPI the
// same drawing code (resources/art) draws them for that DPI. Either way it
// is done once: a window opened again, or another window at the same DPI,
// copies what was kept instead of unpacking or drawing it afresh.
#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include "platform/controls.h"
#include "platform/scale.h"
#include "platform/window.h"
#include "resources/art/artwork.h"
#include "resources/art_pack.h"
#include "resources/ids.h"

namespace velmora {

namespace {

UniqueBitmap DibOf(int width, int height, int bits, const uint8_t* rows, size_t size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as the rows are
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits_ = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (bitmap) std::memcpy(bits_, rows, size);
    return bitmap;
}

// The stored picture `id`, unpacked: the bitmap file's rows as they are.
std::optional<art::Bitmap> UnpackStoredBitmap(int id) {
    HMODULE module = AppInstance();
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), PACKED_BITMAP_TYPE);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* data = loaded ? static_cast<const uint8_t*>(::LockResource(loaded)) : nullptr;
    if (!data) return std::nullopt;
    const auto file = art_pack::Unpack({data, ::SizeofResource(module, found)});
    if (!file || file->size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return std::nullopt;
    BITMAPFILEHEADER head{};
    std::memcpy(&head, file->data(), sizeof head);
    BITMAPINFOHEADER h{};
    std::memcpy(&h, file->data() + sizeof head, sizeof h);
    if (h.biHeight <= 0 || h.biWidth <= 0 || (h.biBitCount != 24 && h.biBitCount != 32)) return std::nullopt;
    const size_t stride = (size_t(h.biWidth) * h.biBitCount + 31) / 32 * 4;
    const size_t rowsSize = stride * size_t(h.biHeight);
    if (head.bfOffBits > file->size() || rowsSize > file->size() - head.bfOffBits) return std::nullopt;
    const uint8_t* rows = file->data() + head.bfOffBits;
    return art::Bitmap{h.biWidth, h.biHeight, h.biBitCount, std::vector<uint8_t>(rows, rows + rowsSize)};
}

// Every picture a window has used so far, by picture and DPI: unpacked from
// the resources at 96 dpi, drawn at any other. Windows are opened again and
// again, and each opening then only copies what it needs. A run meets a
// handful of DPIs at most, so this stays a few sets of pictures.
const art::Bitmap* KeptBitmap(int id, unsigned dpi) {
    static std::map<std::pair<int, unsigned>, art::Bitmap> kept;
    const auto key = std::make_pair(id, dpi);
    if (auto it = kept.find(key); it != kept.end()) return &it->second;
    std::optional<art::Bitmap> bitmap =
        dpi == kDesignDpi ? UnpackStoredBitmap(id) : art::DrawBitmapResource(id, static_cast<int>(dpi));
    if (!bitmap) return nullptr;
    return &kept.emplace(key, std::move(*bitmap)).first->second;
}

UniqueIcon IconOf(const art::Bitmap& colour) {
    // The mask only matters to readers without alpha; all clear, the
    // colour's alpha does the cutting out.
    const int w = colour.width, h = colour.height;
    UniqueBitmap colourDib = DibOf(w, h, 32, colour.rows.data(), colour.rows.size());
    const std::vector<uint8_t> clear(size_t((w + 15) / 16 * 2) * size_t(h), 0);
    UniqueBitmap mask(::CreateBitmap(w, h, 1, 1, clear.data()));
    if (!colourDib || !mask) return UniqueIcon();
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colourDib.get();
    info.hbmMask = mask.get();
    return UniqueIcon(::CreateIconIndirect(&info));  // copies both bitmaps
}

// The size the icon resource holds it in, drawn by the generator; 0 for one
// held in several sizes.
int StoredIconSize(int id) {
    switch (id) {
        case IDI_SEARCH_CLOSE: return art::kBallSize;
        case IDI_PICKER_CLOSE: return 16;
        default: return 0;
    }
}

}  // namespace

UniqueBitmap LoadBitmapResource(int id, unsigned dpi) {
    // Brought into the range windows lay out at, as they do.
    dpi = static_cast<unsigned>(UsableDpi(dpi));
    const art::Bitmap* b = KeptBitmap(id, dpi);
    if (!b) return UniqueBitmap();
    return DibOf(b->width, b->height, b->bits, b->rows.data(), b->rows.size());
}

void PrepareBitmapResource(int id, unsigned dpi) { KeptBitmap(id, static_cast<unsigned>(UsableDpi(dpi))); }

UniqueIcon LoadIconResource(int id, int size) {
    const int stored = StoredIconSize(id);
    if (stored == 0 || stored == size) {
        return UniqueIcon(static_cast<HICON>(
            ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    }
    if (size <= 0 || size > 256) return UniqueIcon();
    const std::optional<art::Bitmap> drawn = art::DrawIconResource(id, size);
    return drawn ? IconOf(*drawn) : UniqueIcon();
}

}  // namespace velmora
