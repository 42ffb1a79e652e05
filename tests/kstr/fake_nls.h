// A kernel with an NLS service of the test's own making, whose character operations
// record their calls and answer recognisably, installed as Exported_ZQHandle while alive.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "zq/zqvnle.h"

namespace zq::testing {

struct FakeNls {
  KernelHandle kernel{};
  NlsHandle nls{};
  std::vector<ZQChar> upcased;       // code points given to word 31
  std::vector<ZQChar> downcased;     // code points given to word 32
  std::vector<std::uint32_t> masks;  // masks given to word 136
  int service_requests = 0;
  bool service_available = true;
  // A call through another handle or for other than one code point, or a service request
  // for another name than the 8 units "zqnlsudb" or another word than 0.
  bool bad_request = false;
  int classify_answer = 1;
  char service_token = 0;  // its address is the service object

  FakeNls() {
    kernel.nls = &nls;
    nls.kernel = &kernel;
    live() = this;
    Exported_ZQHandle = &kernel;
    // Upper-casing adds 0x1000 and lower-casing 0x2000, so a result shows its source.
    nls.UpcaseChar = [](NlsHandle* h, ZQChar c, std::int64_t count) -> ZQChar {
      called(h, count == 1).upcased.push_back(c);
      return c + 0x1000;
    };
    nls.DowncaseChar = [](NlsHandle* h, ZQChar c, std::int64_t count) -> ZQChar {
      called(h, count == 1).downcased.push_back(c);
      return c + 0x2000;
    };
    nls.ClassifyChar = [](NlsHandle* h, ZQChar, std::uint32_t mask) -> std::int32_t {
      FakeNls& self = called(h, true);
      self.masks.push_back(mask);
      return self.classify_answer;
    };
    kernel.GetService = [](KernelHandle* k, const ZQChar* name, std::int64_t length,
                           Word word) -> void* {
      FakeNls& self = *live();
      ++self.service_requests;
      const char32_t expected[] = U"zqnlsudb";
      if (k != &self.kernel || length != 8 || word != 0 || name == nullptr ||
          !std::equal(name, name + 8, expected)) {
        self.bad_request = true;
      }
      return self.service_available ? &self.service_token : nullptr;
    };
  }
  ~FakeNls() {
    Exported_ZQHandle = nullptr;
    live() = nullptr;
  }
  FakeNls(const FakeNls&) = delete;
  FakeNls& operator=(const FakeNls&) = delete;

  int nlsCalls() const {
    return static_cast<int>(upcased.size() + downcased.size() + masks.size());
  }

  static FakeNls*& live() {
    static FakeNls* fake = nullptr;
    return fake;
  }
  // The live fake, noting a call through a handle not its own or with bad arguments.
  static FakeNls& called(NlsHandle* h, bool arguments_ok) {
    if (h != &live()->nls || !arguments_ok) live()->bad_request = true;
    return *live();
  }
};

}  // namespace zq::testing
