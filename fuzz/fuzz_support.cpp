// The fuzz targets' shared host, checks and seed writing.
#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "zq/host.h"

namespace zq::fuzz {
namespace {

struct FuzzHost {
  KernelHandle* kernel = nullptr;
  std::vector<LocaleHandle*> locales;  // in the host's table order
};

const FuzzHost& fuzzHost() {
  static const FuzzHost host = [] {
    FuzzHost made;
    made.kernel = static_cast<KernelHandle*>(zqhostCreate());
    for (const host::LocaleData& row : host::allLocaleData()) {
      ZQChar name[5];
      std::copy(row.name, row.name + 5, name);
      made.locales.push_back(made.kernel->nls->zqnlsLocaleCreate(made.kernel->nls, name, 5));
      require(made.locales.back() != nullptr, "every locale of the table has a handle");
    }
    return made;
  }();
  return host;
}

// Writes the seeds into `directory`, one file each.
void writeSeeds(const char* directory) {
  std::filesystem::create_directories(directory);
  const std::vector<Bytes> seeds = seedInputs(ZQ_FUZZ_TARGET);
  for (std::size_t i = 0; i < seeds.size(); ++i) {
    std::ofstream out(std::filesystem::path(directory) / ("seed-" + std::to_string(i)),
                      std::ios::binary);
    out.write(reinterpret_cast<const char*>(seeds[i].data()),
              static_cast<std::streamsize>(seeds[i].size()));
  }
  std::printf("%zu seeds written to %s\n", seeds.size(), directory);
}

}  // namespace

void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz: %s\n", what);
  std::abort();
}

ParserText parserText(const Input<ParseInput>& in) {
  if (in.header.length < 0) return {{}, in.header.length};
  const std::int64_t units = std::min<std::int64_t>(in.header.length, std::ssize(in.text));
  return {std::vector<ZQChar>(in.text.begin(), in.text.begin() + units), units};
}

Bytes parseSeed(std::uint32_t locale, std::uint8_t parser, std::uint32_t options,
                std::span<const ZQChar> text) {
  return encodeInput(
      ParseInput{static_cast<std::uint8_t>(locale), parser, static_cast<std::int16_t>(text.size()),
                 options},
      text);
}

KernelHandle* fuzzKernel() { return fuzzHost().kernel; }

LocaleHandle* fuzzLocale(std::uint32_t index) {
  const std::vector<LocaleHandle*>& locales = fuzzHost().locales;
  return locales[index % locales.size()];
}

const host::NumberSymbols& fuzzSymbols(std::uint32_t index) {
  const auto rows = host::allLocaleData();
  return rows[index % rows.size()].number;
}

}  // namespace zq::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (const char* directory = std::getenv("ZQ_FUZZ_SEEDS")) {
    zq::fuzz::writeSeeds(directory);
    std::exit(0);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zq::fuzz::fuzzOne(data, size);
  return 0;
}
