// Scans, all-equal tests and fills of the kernel string library beside glibc and plain
// loops at 64 B, 4 KiB and 1 MiB; the 4 KiB scans beside memchr and wmemchr with the
// buffer aligned or not and the match last or absent; lower-casing and collation
// extremes over 1 MiB of mixed text.
//
// The vd* rows go through the exported names, so they run the form the processor probe
// picked; the Avx2, Sse2 and Portable rows call those forms directly. With repetitions,
// each row also reports its fastest repetition ("_min"), the steadiest figure on a busy
// machine.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <random>
#include <vector>

#include "bench/kstr/scalar_loops.h"
#include "kstr/forms.h"
#include "zq/zqvnle.h"

// The library reads the kernel handle; without one it uses its own tables.
extern "C" {
zq::KernelHandle* Exported_ZQHandle = nullptr;
}

namespace {

using zq::ZQChar;

// A 64-byte-aligned buffer of n bytes, freed on scope exit.
struct AlignedBuffer {
  explicit AlignedBuffer(std::size_t n)
      : bytes(static_cast<unsigned char*>(std::aligned_alloc(64, (n + 63) / 64 * 64))) {}
  ~AlignedBuffer() { std::free(bytes); }
  AlignedBuffer(const AlignedBuffer&) = delete;
  AlignedBuffer& operator=(const AlignedBuffer&) = delete;
  unsigned char* bytes;
};

double fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

void sizes(benchmark::internal::Benchmark* b) {
  b->Arg(64)->Arg(4096)->Arg(1 << 20)->ComputeStatistics("min", fastest);
}

std::size_t bytesOf(const benchmark::State& state) {
  return static_cast<std::size_t>(state.range(0));
}

void countBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

// Scans look for a byte that is not there, so every one reads the whole buffer.
void BM_vdMemScan(benchmark::State& state) {
  AlignedBuffer buffer(bytesOf(state));
  std::memset(buffer.bytes, 'a', bytesOf(state));
  for (auto _ : state) benchmark::DoNotOptimize(vdMemScan(buffer.bytes, bytesOf(state), 'z'));
  countBytes(state);
}
// A scan through one form directly.
void scanWithForm(benchmark::State& state, const zq::kstr::FormRoutines& form) {
  AlignedBuffer buffer(bytesOf(state));
  std::memset(buffer.bytes, 'a', bytesOf(state));
  for (auto _ : state) benchmark::DoNotOptimize(form.mem_scan(buffer.bytes, bytesOf(state), 'z'));
  countBytes(state);
}
void BM_Avx2MemScan(benchmark::State& state) {
  if (static_cast<int>(zq::kstr::bestVectorForm()) < static_cast<int>(zq::kstr::VectorForm::kAvx2)) {
    state.SkipWithError("this processor does not run the form");
    return;
  }
  scanWithForm(state, zq::kstr::kAvx2Routines);
}
void BM_Sse2MemScan(benchmark::State& state) { scanWithForm(state, zq::kstr::kSse2Routines); }
void BM_memchr(benchmark::State& state) {
  AlignedBuffer buffer(bytesOf(state));
  std::memset(buffer.bytes, 'a', bytesOf(state));
  for (auto _ : state) benchmark::DoNotOptimize(std::memchr(buffer.bytes, 'z', bytesOf(state)));
  countBytes(state);
}
void BM_ScalarScan(benchmark::State& state) {
  AlignedBuffer buffer(bytesOf(state));
  std::memset(buffer.bytes, 'a', bytesOf(state));
  for (auto _ : state) {
    benchmark::DoNotOptimize(zq::bench::scalarScan(buffer.bytes, bytesOf(state), 'z'));
  }
  countBytes(state);
}

// vdMemNScan and vdMemNot look for a byte that differs; in all three every byte is read.
void BM_vdMemNScan(benchmark::State& state) {
  AlignedBuffer buffer(bytesOf(state));
  std::memset(buffer.bytes, 'a', bytesOf(state));
  for (auto _ : state) benchmark::DoNotOptimize(vdMemNScan(buffer.bytes, bytesOf(state), 'a'));
  countBytes(state);
}
void BM_vdMemNot(benchmark::State& state) {
  AlignedBuffer buffer(bytesOf(state));
  std::memset(buffer.bytes, 'a', bytesOf(state));
  for (auto _ : state) benchmark::DoNotOptimize(vdMemNot('a', buffer.bytes, bytesOf(state)));
  countBytes(state);
}

// The unit scans: vdMemTNScan and vdMemTNot look for a unit that differs, wmemchr for one
// that is equal; in all three every unit is read.
void BM_vdMemTNScan(benchmark::State& state) {
  const std::size_t n = bytesOf(state) / 4;
  AlignedBuffer buffer(bytesOf(state));
  auto* units = reinterpret_cast<ZQChar*>(buffer.bytes);
  for (std::size_t i = 0; i < n; ++i) units[i] = 0x4E00;
  for (auto _ : state) benchmark::DoNotOptimize(vdMemTNScan(units, n, 0x4E00));
  countBytes(state);
}
void BM_vdMemTNot(benchmark::State& state) {
  const std::size_t n = bytesOf(state) / 4;
  AlignedBuffer buffer(bytesOf(state));
  auto* units = reinterpret_cast<ZQChar*>(buffer.bytes);
  for (std::size_t i = 0; i < n; ++i) units[i] = 0x4E00;
  for (auto _ : state) benchmark::DoNotOptimize(vdMemTNot(0x4E00, units, n));
  countBytes(state);
}
void BM_wmemchr(benchmark::State& state) {
  const std::size_t n = bytesOf(state) / 4;
  AlignedBuffer buffer(bytesOf(state));
  auto* units = reinterpret_cast<wchar_t*>(buffer.bytes);
  for (std::size_t i = 0; i < n; ++i) units[i] = 0x4E00;
  for (auto _ : state) benchmark::DoNotOptimize(std::wmemchr(units, 0x4E01, n));
  countBytes(state);
}
void BM_ScalarUnitNScan(benchmark::State& state) {
  const std::size_t n = bytesOf(state) / 4;
  AlignedBuffer buffer(bytesOf(state));
  auto* units = reinterpret_cast<std::uint32_t*>(buffer.bytes);
  for (std::size_t i = 0; i < n; ++i) units[i] = 0x4E00;
  for (auto _ : state) benchmark::DoNotOptimize(zq::bench::scalarUnitNScan(units, n, 0x4E00));
  countBytes(state);
}

// The 4 KiB scans with the buffer's start on a 64-byte boundary (offset 0) or one unit
// past it (offset 1), and the unit sought absent (last 0) or the last one (last 1); for
// vdMemTNScan the unit sought is one that differs.
constexpr std::size_t kPlacedBytes = 4096;

void placements(benchmark::internal::Benchmark* b) {
  b->ArgNames({"offset", "last"})->Args({0, 0})->Args({1, 0})->Args({0, 1})->Args({1, 1});
  b->ComputeStatistics("min", fastest);
}

// 4 KiB of `fill` placed in `buffer` as the state's arguments say, ending in `sought`
// when the match is to be last.
template <class Unit>
Unit* placeUnits(AlignedBuffer& buffer, const benchmark::State& state, Unit fill, Unit sought) {
  Unit* units = reinterpret_cast<Unit*>(buffer.bytes) + state.range(0);
  constexpr std::size_t n = kPlacedBytes / sizeof(Unit);
  std::fill_n(units, n, fill);
  if (state.range(1) == 1) units[n - 1] = sought;
  return units;
}

void countPlacedBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kPlacedBytes));
}

void BM_vdMemScan_4KiB(benchmark::State& state) {
  AlignedBuffer buffer(kPlacedBytes + 64);
  const unsigned char* bytes = placeUnits<unsigned char>(buffer, state, 'a', 'z');
  for (auto _ : state) benchmark::DoNotOptimize(vdMemScan(bytes, kPlacedBytes, 'z'));
  countPlacedBytes(state);
}
void BM_memchr_4KiB(benchmark::State& state) {
  AlignedBuffer buffer(kPlacedBytes + 64);
  const unsigned char* bytes = placeUnits<unsigned char>(buffer, state, 'a', 'z');
  for (auto _ : state) benchmark::DoNotOptimize(std::memchr(bytes, 'z', kPlacedBytes));
  countPlacedBytes(state);
}
void BM_vdMemTNScan_4KiB(benchmark::State& state) {
  AlignedBuffer buffer(kPlacedBytes + 64);
  const ZQChar* units = placeUnits<ZQChar>(buffer, state, 0x4E00, 0x4E01);
  for (auto _ : state) {
    benchmark::DoNotOptimize(vdMemTNScan(units, kPlacedBytes / sizeof(ZQChar), 0x4E00));
  }
  countPlacedBytes(state);
}
void BM_wmemchr_4KiB(benchmark::State& state) {
  AlignedBuffer buffer(kPlacedBytes + 64);
  const wchar_t* units = placeUnits<wchar_t>(buffer, state, 0x4E00, 0x4E01);
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::wmemchr(units, 0x4E01, kPlacedBytes / sizeof(wchar_t)));
  }
  countPlacedBytes(state);
}

void BM_vdMemSet(benchmark::State& state) {
  AlignedBuffer buffer(bytesOf(state));
  for (auto _ : state) {
    vdMemSet(buffer.bytes, 0x5A, bytesOf(state));
    benchmark::ClobberMemory();
  }
  countBytes(state);
}
void BM_memset(benchmark::State& state) {
  AlignedBuffer buffer(bytesOf(state));
  for (auto _ : state) {
    std::memset(buffer.bytes, 0x5A, bytesOf(state));
    benchmark::ClobberMemory();
  }
  countBytes(state);
}
void BM_ScalarFill(benchmark::State& state) {
  AlignedBuffer buffer(bytesOf(state));
  for (auto _ : state) {
    zq::bench::scalarFill(buffer.bytes, 0x5A, bytesOf(state));
    benchmark::ClobberMemory();
  }
  countBytes(state);
}

void BM_vdMemTSet(benchmark::State& state) {
  const std::size_t n = bytesOf(state) / 4;
  AlignedBuffer buffer(bytesOf(state));
  auto* units = reinterpret_cast<ZQChar*>(buffer.bytes);
  for (auto _ : state) {
    vdMemTSet(units, 0x4E00, n);
    benchmark::ClobberMemory();
  }
  countBytes(state);
}
void BM_wmemset(benchmark::State& state) {
  const std::size_t n = bytesOf(state) / 4;
  AlignedBuffer buffer(bytesOf(state));
  auto* units = reinterpret_cast<wchar_t*>(buffer.bytes);
  for (auto _ : state) {
    std::wmemset(units, 0x4E00, n);
    benchmark::ClobberMemory();
  }
  countBytes(state);
}
void BM_ScalarUnitFill(benchmark::State& state) {
  const std::size_t n = bytesOf(state) / 4;
  AlignedBuffer buffer(bytesOf(state));
  auto* units = reinterpret_cast<std::uint32_t*>(buffer.bytes);
  for (auto _ : state) {
    zq::bench::scalarUnitFill(units, 0x4E00, n);
    benchmark::ClobberMemory();
  }
  countBytes(state);
}

BENCHMARK(BM_vdMemScan)->Apply(sizes);
BENCHMARK(BM_Avx2MemScan)->Apply(sizes);
BENCHMARK(BM_Sse2MemScan)->Apply(sizes);
BENCHMARK(BM_memchr)->Apply(sizes);
BENCHMARK(BM_ScalarScan)->Apply(sizes);
BENCHMARK(BM_vdMemNScan)->Apply(sizes);
BENCHMARK(BM_vdMemNot)->Apply(sizes);
BENCHMARK(BM_vdMemTNScan)->Apply(sizes);
BENCHMARK(BM_vdMemTNot)->Apply(sizes);
BENCHMARK(BM_wmemchr)->Apply(sizes);
BENCHMARK(BM_ScalarUnitNScan)->Apply(sizes);
BENCHMARK(BM_vdMemScan_4KiB)->Apply(placements);
BENCHMARK(BM_memchr_4KiB)->Apply(placements);
BENCHMARK(BM_vdMemTNScan_4KiB)->Apply(placements);
BENCHMARK(BM_wmemchr_4KiB)->Apply(placements);
BENCHMARK(BM_vdMemSet)->Apply(sizes);
BENCHMARK(BM_memset)->Apply(sizes);
BENCHMARK(BM_ScalarFill)->Apply(sizes);
BENCHMARK(BM_vdMemTSet)->Apply(sizes);
BENCHMARK(BM_wmemset)->Apply(sizes);
BENCHMARK(BM_ScalarUnitFill)->Apply(sizes);

// 1 MiB of words: capitalised Latin with accents, Cyrillic, and runs of CJK ideographs,
// separated by spaces and punctuation.
std::vector<ZQChar> mixedText() {
  std::mt19937 random(7);
  std::vector<ZQChar> text;
  const std::size_t units = (std::size_t{1} << 20) / sizeof(ZQChar);
  auto pick = [&](ZQChar first, ZQChar last) {
    return first + static_cast<ZQChar>(random() % (last - first + 1));
  };
  while (text.size() < units) {
    const unsigned script = random() % 3;
    const unsigned letters = 2 + random() % 8;
    for (unsigned i = 0; i < letters; ++i) {
      if (script == 0)
        text.push_back(i == 0              ? pick('A', 'Z')
                       : random() % 8 == 0 ? pick(0xE0, 0xFF)
                                           : pick('a', 'z'));
      if (script == 1) text.push_back(i == 0 ? pick(0x410, 0x42F) : pick(0x430, 0x44F));
      if (script == 2) text.push_back(pick(0x4E00, 0x9FFF));
    }
    text.push_back(random() % 6 == 0 ? ',' : ' ');
  }
  text.resize(units);
  return text;
}

void BM_zqzstlo(benchmark::State& state) {
  std::vector<ZQChar> text = mixedText();
  for (auto _ : state) {
    zqzstlo(text.data(), static_cast<std::int64_t>(text.size()));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(
      static_cast<std::int64_t>(state.iterations() * text.size() * sizeof(ZQChar)));
}

// zqzstmin through a chosen form. Both operations work in place: from the second step on
// the text is already mapped, which costs the same, since every unit is looked up anyway.
void BM_zqzstmin(benchmark::State& state, zq::kstr::VectorForm form) {
  if (!zq::kstr::forceVectorForm(form)) {
    state.SkipWithError("this processor does not run the form");
    return;
  }
  std::vector<ZQChar> text = mixedText();
  for (auto _ : state) {
    zqzstmin(text.data(), static_cast<std::int64_t>(text.size()));
    benchmark::ClobberMemory();
  }
  zq::kstr::resetVectorForm();
  state.SetBytesProcessed(
      static_cast<std::int64_t>(state.iterations() * text.size() * sizeof(ZQChar)));
}

BENCHMARK(BM_zqzstlo);
BENCHMARK_CAPTURE(BM_zqzstmin, Avx2, zq::kstr::VectorForm::kAvx2);
BENCHMARK_CAPTURE(BM_zqzstmin, Sse2, zq::kstr::VectorForm::kSse2);
BENCHMARK_CAPTURE(BM_zqzstmin, Portable, zq::kstr::VectorForm::kPortable);

}  // namespace

BENCHMARK_MAIN();
