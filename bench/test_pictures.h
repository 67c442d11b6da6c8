// Pictures the benchmarks make for themselves: photograph-like JPEGs.
#pragma once

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::bench {

// A photograph-like JPEG: smooth gradients with some fine detail, so that
// the file has a realistic size (a flat picture compresses to nothing).
inline bool WriteJpeg(const std::wstring& path, int w, int h, int seed) {
    Microsoft::WRL::ComPtr<IWICImagingFactory> factory;
    Microsoft::WRL::ComPtr<IWICStream> stream;
    Microsoft::WRL::ComPtr<IWICBitmapEncoder> encoder;
    Microsoft::WRL::ComPtr<IWICBitmapFrameEncode> frame;
    Microsoft::WRL::ComPtr<IPropertyBag2> options;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateStream(&stream)) || FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, &options)) || FAILED(frame->Initialize(options.Get())) ||
        FAILED(frame->SetSize(w, h))) {
        return false;
    }
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    frame->SetPixelFormat(&format);
    const UINT stride = (w * 3 + 3) & ~3;
    std::vector<BYTE> pixels(static_cast<size_t>(stride) * h);
    uint32_t noise = 2463534242u + seed;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            BYTE* p = &pixels[static_cast<size_t>(y) * stride + x * 3];
            p[0] = static_cast<BYTE>(255 * y / h + (noise & 15));
            p[1] = static_cast<BYTE>((x / 7 + y / 5 + seed * 40) & 0xFF);
            p[2] = static_cast<BYTE>(255 * x / w);
        }
    }
    return SUCCEEDED(frame->WritePixels(h, stride, static_cast<UINT>(pixels.size()), pixels.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

}  // namespace velmora::bench
