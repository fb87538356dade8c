#include "solid/vector_state.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace toothwright {
namespace {

#if defined(__x86_64__)
// Compiled for AVX alone; called only where the processor has it.
__attribute__((target("avx"))) void ZeroUpper() {
  _mm256_zeroupper();
}
#endif

}  // namespace

void ClearVectorUpperHalves() {
#if defined(__x86_64__)
  if (__builtin_cpu_supports("avx")) ZeroUpper();
#endif
}

}  // namespace toothwright
