// One stand-in host for a whole benchmark run, with en_US and fr_FR locale handles.
#pragma once

#include "zq/host.h"
#include "zq/host_objects.h"

namespace zq::bench {

struct BenchHost {
  BenchHost() {
    kernel = static_cast<KernelHandle*>(zqhostCreate());
    en_us = create(U"en_US");
    fr_fr = create(U"fr_FR");
  }
  ~BenchHost() {
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

inline BenchHost& host() {
  static BenchHost instance;
  return instance;
}

}  // namespace zq::bench
