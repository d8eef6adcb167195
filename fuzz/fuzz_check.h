#pragma once
// A broken promise in a fuzz target: say which, then end the run as a finding.
#include <cstdio>
#include <cstdlib>

#include "framework/objects/sysutils.h"

#define QF_FUZZ_CHECK(condition)                                                        \
  do {                                                                                  \
    if (!(condition)) {                                                                 \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                     \
    }                                                                                   \
  } while (0)
