#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KEYSTAVE_SSE2 1
#endif
#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#endif

// Index of the lowest set bit of a mask that is not zero.
inline unsigned LowestBit(uint64_t mask)
{
#if defined(_MSC_VER) && !defined(__clang__)
    unsigned long bit;
#if defined(_M_X64) || defined(_M_ARM64)
    _BitScanForward64(&bit, mask);
    return bit;
#else
    if (_BitScanForward(&bit, static_cast<unsigned long>(mask)))
        return bit;
    _BitScanForward(&bit, static_cast<unsigned long>(mask >> 32));
    return bit + 32;
#endif
#else
    return static_cast<unsigned>(__builtin_ctzll(mask));
#endif
}

// The first `c` in [from, end); `end` when there is none. Sixteen bytes at
// a time where the processor has SSE2 (every x86-64 does), then eight, then
// one: inline, because the lines of a listing are short enough that calling
// the library's search costs more than searching.
inline size_t FindByte(const char* data, size_t from, size_t end, char c)
{
    size_t i = from;
#ifdef KEYSTAVE_SSE2
    const __m128i wanted = _mm_set1_epi8(c);
    for (; i + 16 <= end; i += 16) {
        __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, wanted)));
        if (mask)
            return i + LowestBit(mask);
    }
#endif
#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // A byte equal to `c` becomes zero; the lowest zero byte sets the lowest
    // high bit (higher ones may be false alarms, but are never used). The
    // lowest bits are the first bytes: little-endian words only.
    const uint64_t ones = 0x0101010101010101ull;
    const uint64_t pattern = ones * static_cast<unsigned char>(c);
    for (; i + 8 <= end; i += 8) {
        uint64_t word;
        std::memcpy(&word, data + i, 8);
        word ^= pattern;
        uint64_t zero = (word - ones) & ~word & (ones << 7);
        if (zero)
            return i + LowestBit(zero) / 8;
    }
#endif
    for (; i < end; ++i)
        if (data[i] == c)
            return i;
    return end;
}

// The first byte in [from, end) other than `c`; `end` when there is none.
inline size_t SkipByte(const char* data, size_t from, size_t end, char c)
{
    size_t i = from;
    if (i < end && data[i] != c)
        return i;  // most lines begin with their name
#ifdef KEYSTAVE_SSE2
    const __m128i run = _mm_set1_epi8(c);
    for (; i + 16 <= end; i += 16) {
        __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        unsigned other = ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, run))) & 0xffffu;
        if (other)
            return i + LowestBit(other);
    }
#endif
#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    const uint64_t pattern = 0x0101010101010101ull * static_cast<unsigned char>(c);
    for (; i + 8 <= end; i += 8) {
        uint64_t word;
        std::memcpy(&word, data + i, 8);
        if (word != pattern)
            return i + LowestBit(word ^ pattern) / 8;
    }
#endif
    for (; i < end; ++i)
        if (data[i] != c)
            return i;
    return end;
}

// Whether every byte is below 128: such text reads the same in every code
// page Windows uses for ANSI or console text, and needs no conversion.
inline bool IsAscii(const char* data, size_t size)
{
    size_t at = 0;
    for (; at + 8 <= size; at += 8) {
        uint64_t word;
        std::memcpy(&word, data + at, 8);
        if (word & 0x8080808080808080ull)
            return false;
    }
    for (; at < size; ++at)
        if (static_cast<unsigned char>(data[at]) >= 0x80)
            return false;
    return true;
}
