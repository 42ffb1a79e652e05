// A kernel with an NLS service of the test's own making, whose character operations
// record their calls and answer recognisably, installed as Exported_ZQHandle while alive.
#pragma once

#include <cstdint>
#include <vector>

#include "zq/zqvnle.h"

namespace zq::testing {

struct FakeNls {
  // Each table is followed by a pointer back to its fake.
  struct KernelTable {
    KernelHandle abi{};
    FakeNls* owner = nullptr;
  };
  struct NlsTable {
    NlsHandle abi{};
    FakeNls* owner = nullptr;
  };

  KernelTable kernel_table;
  NlsTable nls_table;
  KernelHandle& kernel = kernel_table.abi;
  NlsHandle& nls = nls_table.abi;
  std::vector<ZQChar> upcased;    // code points given to word 31
  std::vector<ZQChar> downcased;  // code points given to word 32
  std::vector<std::int64_t> case_counts;
  std::vector<std::uint32_t> masks;  // masks given to word 136
  std::vector<ZQChar> classified;
  int service_requests = 0;
  bool service_available = true;
  bool bad_service_request = false;  // a request with another name, length or word
  int classify_answer = 1;
  char service_token = 0;  // its address is the service object

  FakeNls() {
    kernel_table.owner = this;
    nls_table.owner = this;
    kernel.nls = &nls;
    nls.kernel = &kernel;
    // Upper-casing adds 0x1000 and lower-casing 0x2000, so a result shows its source.
    nls.UpcaseChar = [](NlsHandle* h, ZQChar c, std::int64_t count) -> ZQChar {
      FakeNls& self = of(h);
      self.upcased.push_back(c);
      self.case_counts.push_back(count);
      return c + 0x1000;
    };
    nls.DowncaseChar = [](NlsHandle* h, ZQChar c, std::int64_t count) -> ZQChar {
      FakeNls& self = of(h);
      self.downcased.push_back(c);
      self.case_counts.push_back(count);
      return c + 0x2000;
    };
    nls.ClassifyChar = [](NlsHandle* h, ZQChar c, std::uint32_t mask) -> std::int32_t {
      FakeNls& self = of(h);
      self.classified.push_back(c);
      self.masks.push_back(mask);
      return self.classify_answer;
    };
    kernel.GetService = [](KernelHandle* k, const ZQChar* name, std::int64_t length,
                           Word word) -> void* {
      FakeNls& self = *reinterpret_cast<KernelTable*>(k)->owner;
      ++self.service_requests;
      const ZQChar expected[] = {'z', 'q', 'n', 'l', 's', 'u', 'd', 'b'};
      bool same = length == 8 && word == 0 && name != nullptr;
      for (int i = 0; same && i < 8; ++i) same = name[i] == expected[i];
      if (!same) self.bad_service_request = true;
      return self.service_available ? &self.service_token : nullptr;
    };
    Exported_ZQHandle = &kernel;
  }
  ~FakeNls() { Exported_ZQHandle = nullptr; }
  FakeNls(const FakeNls&) = delete;
  FakeNls& operator=(const FakeNls&) = delete;

  int nlsCalls() const {
    return static_cast<int>(upcased.size() + downcased.size() + classified.size());
  }

  static FakeNls& of(NlsHandle* h) { return *reinterpret_cast<NlsTable*>(h)->owner; }
};

}  // namespace zq::testing
