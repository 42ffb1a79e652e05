// One stand-in host kernel for a benchmark run, with the en_US and fr_FR locale handles
// the benchmarks time.
#pragma once

#include "zq/host.h"
#include "zq/host_objects.h"

namespace zq::bench {

struct Host {
  Host() {
    kernel = static_cast<KernelHandle*>(zqhostCreate());
    en_us = create(U"en_US");
    fr_fr = create(U"fr_FR");
  }
  ~Host() {
    en_us->zqnlsLocaleDestroy(en_us);
    fr_fr->zqnlsLocaleDestroy(fr_fr);
    zqhostDestroy(kernel);
  }
  LocaleHandle* create(const char32_t* name) {
    return kernel->nls->zqnlsLocaleCreate(kernel->nls, reinterpret_cast<const ZQChar*>(name), 5);
  }
  KernelHandle* kernel;
  LocaleHandle* en_us;
  LocaleHandle* fr_fr;
};

// Made on first use, destroyed at exit.
inline Host& host() {
  static Host instance;
  return instance;
}

}  // namespace zq::bench
