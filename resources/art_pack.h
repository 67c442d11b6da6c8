// The packed form the artwork is stored in inside Velmora.exe: a byte-wise
// difference filter (each byte minus the byte a pixel or a row before it)
// followed by LZ77 in the LZ4 sequence layout. The artwork generator packs,
// the program unpacks on first use; both include this header, which needs
// nothing but the standard library.
//
// Layout: "VPK1", the unpacked size, the offset where filtering starts and
// the filter distance (each 32-bit little-endian), then sequences of
//   token (literal count << 4 | match length - 4), literal count extension,
//   literals, match offset (16-bit), match length extension;
// a count of 15 continues in bytes of 255 and a last byte below 255. The
// last sequence has literals only.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

namespace velmora::art_pack {

inline constexpr size_t kHeaderSize = 16;
inline constexpr size_t kMinMatch = 4;
inline constexpr size_t kMaxOffset = 65535;
// More than any picture the program holds; a header claiming more is refused.
inline constexpr size_t kMaxUnpackedSize = size_t(64) << 20;

namespace detail {

inline uint32_t Get32(std::span<const uint8_t> in, size_t at) {
    return uint32_t(in[at]) | uint32_t(in[at + 1]) << 8 | uint32_t(in[at + 2]) << 16 | uint32_t(in[at + 3]) << 24;
}
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
inline void PutCount(std::vector<uint8_t>& out, size_t n) {
    for (; n >= 255; n -= 255) out.push_back(255);
    out.push_back(uint8_t(n));
}
// Reads a count continued past 15; false when the input ends first.
inline bool GetCount(std::span<const uint8_t> in, size_t& at, size_t& n) {
    for (;;) {
        if (at >= in.size()) return false;
        const uint8_t b = in[at++];
        n += b;
        if (b != 255) return true;
    }
}
inline void PutSequence(std::vector<uint8_t>& out, std::span<const uint8_t> literals, size_t offset, size_t length) {
    const size_t lit = literals.size();
    const size_t extra = length ? length - kMinMatch : 0;
    out.push_back(uint8_t((lit < 15 ? lit : 15) << 4 | (extra < 15 ? extra : 15)));
    if (lit >= 15) PutCount(out, lit - 15);
    out.insert(out.end(), literals.begin(), literals.end());
    if (!length) return;
    out.push_back(uint8_t(offset));
    out.push_back(uint8_t(offset >> 8));
    if (extra >= 15) PutCount(out, extra - 15);
}

}  // namespace detail

// Each byte from start + distance on, minus the byte `distance` before it
// (one pixel or one row of a bitmap); distance 0 leaves the bytes as they are.
inline std::vector<uint8_t> Filter(std::span<const uint8_t> raw, size_t start, size_t distance) {
    std::vector<uint8_t> out(raw.begin(), raw.end());
    if (distance == 0) return out;
    for (size_t i = raw.size(); i-- > start + distance;) out[i] = uint8_t(raw[i] - raw[i - distance]);
    return out;
}

// Packs bytes; filtering starts at `start` with the given distance (0: none).
inline std::vector<uint8_t> Pack(std::span<const uint8_t> raw, size_t start = 0, size_t distance = 0) {
    const std::vector<uint8_t> data = Filter(raw, start, distance);
    std::vector<uint8_t> out{'V', 'P', 'K', '1'};
    detail::Put32(out, uint32_t(raw.size()));
    detail::Put32(out, uint32_t(start));
    detail::Put32(out, uint32_t(distance));
    constexpr size_t kHashBits = 16, kChain = 256;
    std::vector<int64_t> head(size_t(1) << kHashBits, -1), prev(data.size(), -1);
    auto hash = [&](size_t i) {
        return (detail::Get32(data, i) * 2654435761u) >> (32 - kHashBits);
    };
    size_t literalStart = 0, i = 0;
    while (i + kMinMatch <= data.size()) {
        size_t best = 0, bestOffset = 0;
        int64_t candidate = head[hash(i)];
        for (size_t step = 0; candidate >= 0 && step < kChain; ++step, candidate = prev[size_t(candidate)]) {
            const size_t from = size_t(candidate);
            if (i - from > kMaxOffset) break;
            size_t n = 0;
            while (i + n < data.size() && data[from + n] == data[i + n]) ++n;
            if (n > best) best = n, bestOffset = i - from;
        }
        const size_t end = best >= kMinMatch ? i + best : i + 1;
        for (; i < end && i + kMinMatch <= data.size(); ++i) {
            const uint32_t h = hash(i);
            prev[i] = head[h];
            head[h] = int64_t(i);
        }
        i = end;
        if (best < kMinMatch) continue;
        detail::PutSequence(out, std::span(data).subspan(literalStart, end - best - literalStart), bestOffset, best);
        literalStart = end;
    }
    detail::PutSequence(out, std::span(data).subspan(literalStart), 0, 0);
    return out;
}

// The original bytes, or nothing when `packed` is not a whole, well-formed
// packing (every length and offset is checked against what is there).
inline std::optional<std::vector<uint8_t>> Unpack(std::span<const uint8_t> packed) {
    if (packed.size() < kHeaderSize || packed[0] != 'V' || packed[1] != 'P' || packed[2] != 'K' || packed[3] != '1') {
        return std::nullopt;
    }
    const size_t size = detail::Get32(packed, 4), start = detail::Get32(packed, 8);
    const size_t distance = detail::Get32(packed, 12);
    if (size > kMaxUnpackedSize) return std::nullopt;
    // Written in place: the panel's skin unpacks on every opening.
    std::vector<uint8_t> out(size);
    uint8_t* const first = out.data();
    size_t done = 0;
    size_t at = kHeaderSize;
    bool ended = false;  // by the last sequence, literals only
    while (!ended && at < packed.size()) {
        const uint8_t token = packed[at++];
        size_t lit = token >> 4;
        if (lit == 15 && !detail::GetCount(packed, at, lit)) return std::nullopt;
        if (lit > packed.size() - at || lit > size - done) return std::nullopt;
        if (lit) std::memcpy(first + done, packed.data() + at, lit);
        done += lit;
        at += lit;
        ended = at == packed.size();
        if (ended) break;
        if (packed.size() - at < 2) return std::nullopt;
        const size_t offset = size_t(packed[at]) | size_t(packed[at + 1]) << 8;
        at += 2;
        size_t length = (token & 15) + kMinMatch;
        if ((token & 15) == 15 && !detail::GetCount(packed, at, length)) return std::nullopt;
        if (offset == 0 || offset > done || length > size - done) return std::nullopt;
        // Byte by byte: a match may overlap what it is copying.
        const uint8_t* from = first + done - offset;
        uint8_t* to = first + done;
        for (size_t n = 0; n < length; ++n) to[n] = from[n];
        done += length;
    }
    if (!ended || done != size) return std::nullopt;
    if (distance != 0) {
        for (size_t i = start + distance; i < size; ++i) first[i] = uint8_t(first[i] + first[i - distance]);
    }
    return out;
}

}  // namespace velmora::art_pack
