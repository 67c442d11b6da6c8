#include "platform/picture.h"

#include <objbase.h>
#include <olectl.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <vector>

#include "platform/files.h"
#include "platform/picture_header.h"

namespace velmora {

using Microsoft::WRL::ComPtr;

namespace {

// Files larger than this are not read at all: no picture within the pixel
// budget needs more (a 24-bit BMP of 100 million pixels is 300 MB).
constexpr uint64_t kMaxFileBytes = 512ULL << 20;

// The program has one user-interface thread; COM is started on it once,
// apartment-threaded, by the first picture that needs a decoder. A start
// that failed is tried again by the next picture, never kept for the run.
bool EnsureCom() {
    static bool ready = false;
    if (!ready) {
        const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        ready = SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
    }
    return ready;
}

IWICImagingFactory* Wic() {
    // Kept for the whole run once made: creating the factory for every
    // picture costs more than the small pictures take to decode. One that
    // could not be made is tried again by the next picture.
    static ComPtr<IWICImagingFactory> factory;
    if (!factory) ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
    return factory.Get();
}

bool SizeAllowed(uint64_t width, uint64_t height) {
    return width > 0 && height > 0 && width * height <= kPixelBudget && width <= INT_MAX / 4 && height <= INT_MAX;
}

// A DIB section of `bitCount` bits a pixel, rows top-down for a negative
// `height`, and its pixels.
UniqueBitmap CreateDib(int width, int height, WORD bitCount, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    *bits = nullptr;
    UniqueBitmap dib(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
    if (!dib) *bits = nullptr;
    return dib;
}

// A 32-bit top-down DIB section and its pixels (blue, green, red, alpha).
UniqueBitmap CreateDib32(int width, int height, uint32_t** bits) {
    void* p = nullptr;
    UniqueBitmap dib = CreateDib(width, -height, 32, &p);
    *bits = static_cast<uint32_t*>(p);
    return dib;
}

const uint32_t* PixelsOf(HBITMAP bitmap) {
    DIBSECTION section{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof section, &section) != sizeof section) return nullptr;
    ::GdiFlush();
    return static_cast<const uint32_t*>(section.dsBm.bmBits);
}

bool AllOpaque(const uint32_t* pixels, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if ((pixels[i] >> 24) != 0xFF) return false;
    }
    return true;
}

// A 24-bit bottom-up DIB section: its pixels are laid out exactly as the
// rows of a 24-bit BMP file.
UniqueBitmap CreateDib24(int width, int height, BYTE** bits) {
    void* p = nullptr;
    UniqueBitmap dib = CreateDib(width, height, 24, &p);
    *bits = static_cast<BYTE*>(p);
    return dib;
}

size_t Stride24(size_t width) { return (width * 3 + 3) & ~size_t{3}; }

// JPEG and 24-bit BMP: decoded straight into the rows of a 24-bit DIB, the
// very bytes the wallpaper bitmap is written from, band by band (the
// decoder hands rows top-down, the DIB keeps them bottom-up).
std::optional<Picture> DecodeOpaque24(IWICBitmapFrameDecode* frame, UINT width, UINT height) {
    BYTE* bits = nullptr;
    UniqueBitmap dib = CreateDib24(static_cast<int>(width), static_cast<int>(height), &bits);
    if (!dib) return std::nullopt;
    const size_t stride = Stride24(width), row = size_t{width} * 3;
    const UINT bandRows = std::max<UINT>(1, static_cast<UINT>((size_t{1} << 20) / stride));
    std::vector<BYTE> band(stride * std::min(bandRows, height));
    for (UINT y = 0; y < height; y += bandRows) {
        const UINT rows = std::min(bandRows, height - y);
        const WICRect rect{0, static_cast<INT>(y), static_cast<INT>(width), static_cast<INT>(rows)};
        if (FAILED(frame->CopyPixels(&rect, static_cast<UINT>(stride), static_cast<UINT>(stride * rows),
                                     band.data()))) {
            return std::nullopt;
        }
        for (UINT r = 0; r < rows; ++r) {
            std::memcpy(bits + (height - 1 - (y + r)) * stride, band.data() + r * stride, row);
        }
    }
    return Picture(std::move(dib), static_cast<int>(width), static_cast<int>(height), true);
}

// Raster formats through the Windows Imaging Component, converted to
// premultiplied BGRA (its conversion of a GIF to 24 bits fails under Wine;
// to 32 bits it works everywhere).
std::optional<Picture> DecodeWithWic(const std::string& bytes) {
    IWICImagingFactory* factory = Wic();
    if (!factory) return std::nullopt;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                            static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame))) {
        return std::nullopt;
    }
    UINT width = 0, height = 0;
    WICPixelFormatGUID format{};
    if (FAILED(frame->GetSize(&width, &height)) || !SizeAllowed(width, height) ||
        FAILED(frame->GetPixelFormat(&format))) {
        return std::nullopt;
    }
    if (format == GUID_WICPixelFormat24bppBGR) return DecodeOpaque24(frame.Get(), width, height);
    uint32_t* bits = nullptr;
    UniqueBitmap dib = CreateDib32(static_cast<int>(width), static_cast<int>(height), &bits);
    if (!dib) return std::nullopt;
    const UINT stride = width * 4;
    ComPtr<IWICBitmapSource> converted;
    if (FAILED(::WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame.Get(), &converted)) ||
        FAILED(converted->CopyPixels(nullptr, stride, stride * height, reinterpret_cast<BYTE*>(bits)))) {
        return std::nullopt;
    }
    return Picture(std::move(dib), static_cast<int>(width), static_cast<int>(height));
}

// Draws `render` twice, over black and over white, and takes the alpha of
// every pixel from the difference: icons with masks and metafiles leave
// parts of their box undrawn, and GDI drawing leaves no alpha of its own.
template <typename Render>
std::optional<Picture> RenderWithAlpha(int width, int height, Render render) {
    if (!SizeAllowed(static_cast<uint64_t>(width), static_cast<uint64_t>(height))) return std::nullopt;
    uint32_t *black = nullptr, *white = nullptr;
    UniqueBitmap overBlack = CreateDib32(width, height, &black);
    UniqueBitmap overWhite = CreateDib32(width, height, &white);
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!overBlack || !overWhite || !dc) return std::nullopt;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::memset(black, 0x00, count * 4);
    std::memset(white, 0xFF, count * 4);
    for (HBITMAP target : {overBlack.get(), overWhite.get()}) {
        SelectGuard select(dc.get(), target);
        if (!render(dc.get())) return std::nullopt;
        ::GdiFlush();
    }
    for (size_t i = 0; i < count; ++i) {
        const uint32_t b = black[i], w = white[i];
        uint32_t spread = 0;  // how much of the background shows through
        for (int shift = 0; shift < 24; shift += 8) {
            const int d = static_cast<int>((w >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
            spread = std::max<uint32_t>(spread, static_cast<uint32_t>(std::clamp(d, 0, 255)));
        }
        const uint32_t alpha = 255 - spread;
        uint32_t pixel = alpha << 24;
        for (int shift = 0; shift < 24; shift += 8) {
            pixel |= std::min((b >> shift) & 0xFF, alpha) << shift;  // over black: already premultiplied
        }
        black[i] = pixel;
    }
    return Picture(std::move(overBlack), width, height);
}

int ScreenDpi(int index) {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, index) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// Cursors (and icons WIC cannot read) through OLE's picture loader, the one
// system decoder that reads cursors.
std::optional<Picture> DecodeWithOle(const std::string& bytes) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return std::nullopt;
    void* p = ::GlobalLock(memory);
    if (!p) {
        ::GlobalFree(memory);
        return std::nullopt;
    }
    std::memcpy(p, bytes.data(), bytes.size());
    ::GlobalUnlock(memory);
    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(memory, TRUE, &stream))) {  // the stream frees the memory
        ::GlobalFree(memory);
        return std::nullopt;
    }
    ComPtr<IPicture> picture;
    if (FAILED(::OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(picture.GetAddressOf())))) {
        return std::nullopt;
    }
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    if (FAILED(picture->get_Width(&hmWidth)) || FAILED(picture->get_Height(&hmHeight)) || hmWidth <= 0 ||
        hmHeight <= 0) {
        return std::nullopt;
    }
    // HIMETRIC (1/100 mm) to pixels at the screen's resolution.
    const int width = ::MulDiv(hmWidth, ScreenDpi(LOGPIXELSX), 2540);
    const int height = ::MulDiv(hmHeight, ScreenDpi(LOGPIXELSY), 2540);
    return RenderWithAlpha(width, height, [&](HDC dc) {
        return SUCCEEDED(picture->Render(dc, 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr));
    });
}

// A metafile without the placeable header says nothing of its size: it is
// recorded once to learn the box it draws in, and shown as that box.
std::optional<Picture> DecodeBareMetafile(const std::string& bytes) {
    UniqueMetaFile metafile(
        ::SetMetaFileBitsEx(static_cast<UINT>(bytes.size()), reinterpret_cast<const BYTE*>(bytes.data())));
    if (!metafile) return std::nullopt;
    const HDC recorder = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    if (!recorder) return std::nullopt;
    ::PlayMetaFile(recorder, metafile.get());
    UniqueEnhMetaFile recorded(::CloseEnhMetaFile(recorder));
    ENHMETAHEADER header{};
    if (!recorded || !::GetEnhMetaFileHeader(recorded.get(), sizeof header, &header)) return std::nullopt;
    const RECTL box = header.rclBounds;  // inclusive, in pixels
    if (box.right < box.left || box.bottom < box.top) return std::nullopt;
    const int width = box.right - box.left + 1, height = box.bottom - box.top + 1;
    return RenderWithAlpha(width, height, [&](HDC dc) {
        POINT old{};
        ::SetViewportOrgEx(dc, -box.left, -box.top, &old);
        const BOOL played = ::PlayMetaFile(dc, metafile.get());
        ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
        return played != FALSE;
    });
}

// A placeable metafile's box, in its own units, is shown at the size its
// units per inch give on this screen. The box is mapped onto the picture
// here rather than by OLE's picture, whose player under Wine takes the
// drawing's coordinates for hundredths of a millimetre unless the metafile
// sets its window itself.
std::optional<Picture> DecodePlaceableMetafile(const std::string& bytes) {
    constexpr size_t kPlaceableHeader = 22;  // key, handle, box, units per inch, reserved, checksum
    const auto word = [&](size_t at) {
        return static_cast<int16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
    };
    const int left = word(6), top = word(8), right = word(10), bottom = word(12);
    const int inch = static_cast<uint16_t>(word(14));
    if (bytes.size() <= kPlaceableHeader || inch == 0 || right == left || bottom == top) return std::nullopt;
    UniqueMetaFile metafile(::SetMetaFileBitsEx(static_cast<UINT>(bytes.size() - kPlaceableHeader),
                                                        reinterpret_cast<const BYTE*>(bytes.data()) + kPlaceableHeader));
    if (!metafile) return std::nullopt;
    const int width = ::MulDiv(std::abs(right - left), ScreenDpi(LOGPIXELSX), inch);
    const int height = ::MulDiv(std::abs(bottom - top), ScreenDpi(LOGPIXELSY), inch);
    return RenderWithAlpha(width, height, [&](HDC dc) {
        ::SetMapMode(dc, MM_ANISOTROPIC);
        ::SetWindowOrgEx(dc, left, top, nullptr);
        ::SetWindowExtEx(dc, right - left, bottom - top, nullptr);
        ::SetViewportOrgEx(dc, 0, 0, nullptr);
        ::SetViewportExtEx(dc, width, height, nullptr);
        const BOOL played = ::PlayMetaFile(dc, metafile.get());
        ::SetMapMode(dc, MM_TEXT);
        ::SetWindowOrgEx(dc, 0, 0, nullptr);
        return played != FALSE;
    });
}

std::optional<Picture> Decode(const std::string& bytes) {
    const PictureHeader header = ReadPictureHeader(bytes);
    if (!WithinBudget(header, kPixelBudget)) return std::nullopt;
    if (header.format == PictureFormat::Wmf) return DecodeBareMetafile(bytes);
    if (header.format == PictureFormat::PlaceableWmf) return DecodePlaceableMetafile(bytes);
    if (!EnsureCom()) return std::nullopt;
    switch (header.format) {
    case PictureFormat::Bmp:
    case PictureFormat::Gif:
    case PictureFormat::Jpeg:
    case PictureFormat::Png:
        return DecodeWithWic(bytes);
    case PictureFormat::Ico:
        if (auto picture = DecodeWithWic(bytes)) return picture;
        return DecodeWithOle(bytes);
    case PictureFormat::Cur:
        return DecodeWithOle(bytes);
    default:
        return std::nullopt;
    }
}

}  // namespace

Picture::Picture(UniqueBitmap bitmap, int width, int height)
    : bitmap_(std::move(bitmap)), width_(width), height_(height) {
    const uint32_t* pixels = PixelsOf(bitmap_.get());
    opaque_ = !pixels || AllOpaque(pixels, static_cast<size_t>(width_) * static_cast<size_t>(height_));
}

Picture::Picture(UniqueBitmap bitmap, int width, int height, bool opaque)
    : bitmap_(std::move(bitmap)), width_(width), height_(height), opaque_(opaque) {}

void Picture::Draw(HDC dc, const RECT& to) const {
    if (!bitmap_ || to.right <= to.left || to.bottom <= to.top) return;
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    if (!source) return;
    SelectGuard select(source.get(), bitmap_.get());
    const int w = to.right - to.left, h = to.bottom - to.top;
    if (opaque_) {
        // Nothing to blend: a halftone stretch looks far better when a
        // photograph is shrunk into the preview.
        const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
        POINT oldOrigin{};
        ::SetBrushOrgEx(dc, 0, 0, &oldOrigin);
        ::StretchBlt(dc, to.left, to.top, w, h, source.get(), 0, 0, width_, height_, SRCCOPY);
        ::SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
        ::SetStretchBltMode(dc, oldMode);
    } else {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::GdiAlphaBlend(dc, to.left, to.top, w, h, source.get(), 0, 0, width_, height_, blend);
    }
}

PixelView Picture::Pixels() const {
    DIBSECTION section{};
    if (!bitmap_ || ::GetObjectW(bitmap_.get(), sizeof section, &section) != sizeof section) return {};
    ::GdiFlush();
    const int bpp = section.dsBm.bmBitsPixel / 8;
    if (bpp != 3 && bpp != 4) return {};
    const auto stride = static_cast<std::ptrdiff_t>(section.dsBm.bmWidthBytes);
    const auto* bits = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
    // A bottom-up section keeps its top row last.
    if (section.dsBmih.biHeight > 0) return {bits + stride * (height_ - 1), -stride, width_, height_, bpp};
    return {bits, stride, width_, height_, bpp};
}

FileRead ReadPictureFile(const std::wstring& path, std::string& bytes) {
    return ReadFileAfterHead(path, kMaxFileBytes, kPictureHeadBytes, [](std::string_view head, uint64_t size) {
        const PictureHeader header = ReadPictureHeader(head);
        if (header.status == HeaderStatus::Ok) return WithinBudget(header, kPixelBudget);
        // A JPEG's size may follow more metadata than the head holds, an
        // icon's entries may run past it: the whole file decides then.
        const bool cutShort = head.size() < size;
        return header.status == HeaderStatus::Damaged && cutShort &&
               (header.format == PictureFormat::Jpeg || header.format == PictureFormat::Ico ||
                header.format == PictureFormat::Cur);
    }, bytes);
}

std::optional<Picture> LoadPicture(const std::wstring& path) {
    try {
        std::string bytes;
        if (ReadPictureFile(path, bytes) != FileRead::Ok || bytes.empty()) return std::nullopt;
        return Decode(bytes);
    } catch (const std::bad_alloc&) {
        return std::nullopt;  // a file too big for the memory left
    }
}

namespace {

// One row of the bitmap file: blue, green, red, premultiplied colour over
// white (colour + 255 - alpha), padding left as it is.
void WriteRow24(const uint32_t* row, size_t width, bool opaque, unsigned char* out) {
    if (opaque) {
        for (size_t x = 0; x < width; ++x, out += 3) {
            const uint32_t p = row[x];
            out[0] = static_cast<unsigned char>(p);
            out[1] = static_cast<unsigned char>(p >> 8);
            out[2] = static_cast<unsigned char>(p >> 16);
        }
        return;
    }
    for (size_t x = 0; x < width; ++x, out += 3) {
        const uint32_t p = row[x];
        const uint32_t clear = 255 - (p >> 24);
        out[0] = static_cast<unsigned char>(std::min<uint32_t>(255, (p & 0xFF) + clear));
        out[1] = static_cast<unsigned char>(std::min<uint32_t>(255, (p >> 8 & 0xFF) + clear));
        out[2] = static_cast<unsigned char>(std::min<uint32_t>(255, (p >> 16 & 0xFF) + clear));
    }
}

// The headers of a 24-bit bottom-up BMP of `width` x `height`.
bool WriteBitmapHeaders(HANDLE file, size_t width, size_t height) {
    const size_t imageSize = Stride24(width) * height;
    BITMAPFILEHEADER fileHeader{};
    BITMAPINFOHEADER info{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof fileHeader + sizeof info;
    fileHeader.bfSize = static_cast<DWORD>(fileHeader.bfOffBits + imageSize);
    info.biSize = sizeof info;
    info.biWidth = static_cast<LONG>(width);
    info.biHeight = static_cast<LONG>(height);  // bottom-up, as every reader expects
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(imageSize);
    info.biXPelsPerMeter = info.biYPelsPerMeter = 3780;  // 96 dots per inch
    return WriteAll(file, &fileHeader, sizeof fileHeader) && WriteAll(file, &info, sizeof info);
}

// The whole BMP file: headers, then bottom-up rows of 24 bits padded to four
// bytes, written in bands so that a large picture needs no second copy.
bool WriteBitmap24(HANDLE file, const Picture& picture) {
    DIBSECTION section{};
    if (!picture.bitmap() || ::GetObjectW(picture.bitmap(), sizeof section, &section) != sizeof section) return false;
    ::GdiFlush();
    const auto width = static_cast<size_t>(picture.width()), height = static_cast<size_t>(picture.height());
    const size_t stride = Stride24(width);
    const size_t imageSize = stride * height;
    if (!WriteBitmapHeaders(file, width, height)) return false;
    if (section.dsBm.bmBitsPixel == 24 && section.dsBmih.biHeight > 0) {
        // A decoded JPEG: the DIB's rows are the file's rows already.
        return WriteAll(file, section.dsBm.bmBits, imageSize);
    }
    if (section.dsBm.bmBitsPixel != 32) return false;
    const auto* pixels = static_cast<const uint32_t*>(section.dsBm.bmBits);
    const size_t bandRows = std::max<size_t>(1, (size_t{1} << 20) / stride);
    std::vector<unsigned char> band(stride * std::min(bandRows, height), 0);
    for (size_t done = 0; done < height;) {
        const size_t rows = std::min(bandRows, height - done);
        for (size_t r = 0; r < rows; ++r) {
            const size_t y = height - 1 - (done + r);
            WriteRow24(pixels + y * width, width, picture.opaque(), band.data() + r * stride);
        }
        if (!WriteAll(file, band.data(), rows * stride)) return false;
        done += rows;
    }
    return true;
}

}  // namespace

bool SaveBitmapInBands(const std::wstring& path, int width, int height,
                       const std::function<bool(const BitmapBandSink& sink)>& compose) {
    if (width <= 0 || height <= 0) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    return ReplaceFile(path, L".new", [&](HANDLE file) {
        if (!WriteBitmapHeaders(file, static_cast<size_t>(width), static_cast<size_t>(height))) return false;
        int expected = height;  // the next band ends where the last began
        // The band turned bottom-up, and written in one call: a call a row
        // costs more than the copy.
        std::vector<std::uint8_t> upturned;
        const BitmapBandSink sink = [&](const std::uint8_t* rows, std::size_t stride, int top, int count) {
            if (stride != Stride24(static_cast<size_t>(width)) || top + count != expected || count <= 0) return false;
            expected = top;
            upturned.resize(stride * static_cast<size_t>(count));
            for (int r = 0; r < count; ++r) {
                std::memcpy(upturned.data() + static_cast<size_t>(count - 1 - r) * stride,
                            rows + static_cast<size_t>(r) * stride, stride);
            }
            return WriteAll(file, upturned.data(), upturned.size());
        };
        try {
            return compose(sink) && expected == 0;
        } catch (const std::bad_alloc&) {
            return false;
        }
    }, false);
}

std::optional<SIZE> PictureSizeOf(const std::wstring& path) {
    // Enough for nearly every JPEG's size; the rest are taken as unknown.
    const PictureHeader header = ReadPictureHeader(ReadFileStart(path, 64 * 1024));
    if (header.status != HeaderStatus::Ok || header.width == 0 || header.height == 0 ||
        !WithinBudget(header, kPixelBudget)) {
        return std::nullopt;
    }
    return SIZE{static_cast<LONG>(header.width), static_cast<LONG>(header.height)};
}

bool SaveBitmap24(const Picture& picture, const std::wstring& path) {
    if (!picture) return false;
    // A folder in the bitmap's place is not replaced (a read-only bitmap is
    // refused by ReplaceFile).
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // Written beside the target and then moved over it, so that the desktop
    // never meets half a bitmap and a failed write leaves the old one.
    return ReplaceFile(path, L".new", [&](HANDLE file) {
        try {
            return WriteBitmap24(file, picture);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }, false);
}

}  // namespace velmora
