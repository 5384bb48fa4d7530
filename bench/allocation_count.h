// A counting replacement of the global operator new for a program that
// measures the heap blocks its code takes, counted per thread (an audio
// device may mix on a thread of its own).  Include it in exactly one source
// file of the program.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace bench {
inline thread_local uint64_t ThreadAllocations = 0;
}  // namespace bench

void* operator new(std::size_t size) {
  ++bench::ThreadAllocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
