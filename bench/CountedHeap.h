#pragma once
// The benchmark's own heap count: operator new and delete replaced, so that
// what a piece of work holds can be told in bytes. Include it in one source
// file of a benchmark program only.
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

// Every heap byte the process holds, and the most it held since the last reset.
namespace {
std::atomic<long long> g_heldBytes{0};
std::atomic<long long> g_peakBytes{0};

void Count(long long bytes)
{
    long long now = g_heldBytes += bytes;
    long long peak = g_peakBytes.load();
    while (now > peak && !g_peakBytes.compare_exchange_weak(peak, now)) {
    }
}

void* CountedAllocate(size_t size)
{
    void* memory = std::malloc(size ? size : 1);
    if (!memory)
        throw std::bad_alloc();
    Count(static_cast<long long>(malloc_usable_size(memory)));
    return memory;
}

void CountedFree(void* memory)
{
    if (!memory)
        return;
    Count(-static_cast<long long>(malloc_usable_size(memory)));
    std::free(memory);
}
}  // namespace

void* operator new(size_t size) { return CountedAllocate(size); }
void* operator new[](size_t size) { return CountedAllocate(size); }
void operator delete(void* memory) noexcept { CountedFree(memory); }
void operator delete[](void* memory) noexcept { CountedFree(memory); }
void operator delete(void* memory, size_t) noexcept { CountedFree(memory); }
void operator delete[](void* memory, size_t) noexcept { CountedFree(memory); }
