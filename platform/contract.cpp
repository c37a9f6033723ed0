#include "platform/contract.h"

#include <cstdio>
#include <cstdlib>

namespace zr::platform {

void ContractViolated(const char* what) {
  std::fprintf(stderr, "zr93kw-setfactory: programming error: %s\n", what);
  std::abort();
}

}  // namespace zr::platform
