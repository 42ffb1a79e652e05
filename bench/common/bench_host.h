// One stand-in host kernel for a benchmark run, with the en_US and fr_FR locale handles
// and the string managers the benchmarks time.
#pragma once

#include <utility>
#include <vector>

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
    for (auto& [encoding, m] : managers) m->zqnlsSMDestroy(m);
    en_us->zqnlsLocaleDestroy(en_us);
    fr_fr->zqnlsLocaleDestroy(fr_fr);
    zqhostDestroy(kernel);
  }
  LocaleHandle* create(const char32_t* name) {
    return kernel->nls->zqnlsLocaleCreate(kernel->nls, reinterpret_cast<const ZQChar*>(name), 5);
  }
  // A string manager for `encoding`, made on first use.
  StringManager* manager(std::int32_t encoding) {
    for (auto& [number, m] : managers) {
      if (number == encoding) return m;
    }
    StringManager* m = nullptr;
    kernel->nls->zqnlsSMCreate(kernel->nls, encoding, 0, &m);
    managers.emplace_back(encoding, m);
    return m;
  }
  KernelHandle* kernel;
  LocaleHandle* en_us;
  LocaleHandle* fr_fr;
  std::vector<std::pair<std::int32_t, StringManager*>> managers;
};

// Made on first use, destroyed at exit.
inline Host& host() {
  static Host instance;
  return instance;
}

}  // namespace zq::bench
