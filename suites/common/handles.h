// The opening every suite shares: find the kernel and NLS handles or report and stop.
#pragma once

#include "suites/common/suite.h"

namespace zq::suite {

// The kernel handle, checked with CheckHandle ("zqh"); null after the report
// "Could not get ZQ handle".
inline KernelHandle* acquireKernel(const Harness& f,
                                   std::int64_t line = __builtin_LINE()) {
  noteStep(f, U"zqGetHandle: get the main ZQ handle");
  KernelHandle* kernel = kernelHandle();
  if (!checkHandle(f, kernel, U"zqh", line)) {
    report(f, U"Could not get ZQ handle", SEVERITY_ERROR);
    return nullptr;
  }
  return kernel;
}

// The kernel's NLS handle, checked with CheckHandle under `expression`; null after the
// report "Could not get ZQNLS handle". `step` is the suite's own step text.
inline NlsHandle* acquireNls(const Harness& f, KernelHandle* kernel, const char32_t* step,
                             const char32_t* expression,
                             std::int64_t line = __builtin_LINE()) {
  noteStep(f, step);
  NlsHandle* nls = nlsHandle(kernel);
  if (!checkHandle(f, nls, expression, line)) {
    report(f, U"Could not get ZQNLS handle", SEVERITY_ERROR);
    return nullptr;
  }
  return nls;
}

}  // namespace zq::suite
