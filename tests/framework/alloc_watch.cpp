#include "alloc_watch.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> watching{false};
std::atomic<std::size_t> largest{0};
}  // namespace

void* operator new(std::size_t size) {
  if (watching.load() && size > largest.load()) largest.store(size);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace qf_test {

LargestAllocation::LargestAllocation() {
  largest.store(0);
  watching.store(true);
}

LargestAllocation::~LargestAllocation() { watching.store(false); }

std::size_t LargestAllocation::Bytes() const { return largest.load(); }

}  // namespace qf_test
