#pragma once
// Watches the largest single allocation made through operator new while a scope runs.
#include <cstddef>

namespace qf_test {

class LargestAllocation {
 public:
  LargestAllocation();
  ~LargestAllocation();
  std::size_t Bytes() const;
};

}  // namespace qf_test
