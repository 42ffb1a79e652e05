// Every suite entry against the stand-in host, clean and under each class of wrong
// result: the whole of what it writes (what it tells the harness and the listing it
// writes through the host) against the reviewed listing in tests/golden/.
// ZQ_GOLDEN_WRITE=1 (`make golden`) rewrites the listings instead of comparing.
#include <gtest/gtest.h>
#include <lzma.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "host/journal.h"
#include "listing_diff.h"
#include "zq/host.h"
#include "zq/zqvnle.h"

namespace {

namespace fs = std::filesystem;
using zq::testing::firstDifferences;

struct ResultClass {
  ZqhostCorruption corruption;
  const char* name;
  const char* said;  // how the listing's first line names it
};
constexpr ResultClass kClasses[] = {
    {ZQHOST_CORRUPT_NONE, "clean", "every result right"},
    {ZQHOST_CORRUPT_TEXT, "text", "the first unit of every formatted text wrong"},
    {ZQHOST_CORRUPT_LENGTH, "length", "every converted length and consumed count one more"},
    {ZQHOST_CORRUPT_STATUS, "status", "every status wrong"},
    {ZQHOST_CORRUPT_VALUE, "value", "the lowest bit of every parsed value flipped"},
    {ZQHOST_CORRUPT_DATE, "date", "every parsed date one day later"},
};

struct SuiteEntry {
  zq::SuiteSlot slot;
  const char* name;
};
constexpr SuiteEntry kSuites[] = {
    {zq::SuiteSlot::Sanity1, "sanity1"},     {zq::SuiteSlot::Sanity2, "sanity2"},
    {zq::SuiteSlot::Function1, "function1"}, {zq::SuiteSlot::Perf, "perf"},
    {zq::SuiteSlot::IEEEConv, "ieeeconv"},
};

// The perf suite's cases time this many calls.
constexpr std::int32_t kPerfIterations = 1;

void appendUtf8(std::string& out, zq::ZQChar c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    char spelled[16];
    std::snprintf(spelled, sizeof spelled, "<U+%04X>", static_cast<unsigned>(c));
    out += spelled;
  } else if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
  } else if (c < 0x10000) {
    out += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
            static_cast<char>(0x80 | (c & 0x3F))};
  } else {
    out += {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
            static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
  }
}

// UTF-8 of suite text on one transcript line: a newline is written "\n" and a
// backslash "\\"; a unit that is no Unicode scalar value as <U+XXXX>.
void appendText(std::string& out, const zq::ZQChar* text, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (text[i] == '\n' || text[i] == '\\') {
      out += text[i] == '\n' ? "\\n" : "\\\\";
      continue;
    }
    appendUtf8(out, text[i]);
  }
}

std::string textOf(const zq::ZQChar* text) {
  if (text == nullptr) return "(null)";
  std::size_t count = 0;
  while (text[count] != 0) ++count;
  std::string out;
  appendText(out, text, count);
  return out;
}

std::string hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

// What a suite told the harness, a line a call in the order of the calls: "begin",
// "step", "message SEVERITY", "FAIL" with the check's values. Runs of passed checks
// are one line, "pass N". Check lines leave out the source line, so that moving a
// check in its file does not change the listing.
class Transcript {
 public:
  void add(const std::string& line) {
    writePasses();
    text_ += line;
    text_ += '\n';
  }
  std::int64_t check(bool passed, const std::string& what, const zq::ZQChar* file,
                     const std::string& values) {
    if (passed) {
      ++passes_;
      return 1;
    }
    ++failures_;
    add("FAIL " + what + " (" + textOf(file) + "): " + values);
    return 0;
  }
  std::string finish() {
    writePasses();
    return text_;
  }
  std::int64_t failures() const { return failures_; }

  static Transcript& of(zq::Word ctx) { return *reinterpret_cast<Transcript*>(ctx); }
  zq::Word context() { return reinterpret_cast<zq::Word>(this); }

 private:
  void writePasses() {
    if (passes_ == 0) return;
    text_ += "pass " + std::to_string(passes_) + "\n";
    passes_ = 0;
  }
  std::string text_;
  std::int64_t passes_ = 0;
  std::int64_t failures_ = 0;
};

template <class Value>
std::string expectedActual(Value expected, Value actual) {
  return "expected " + std::to_string(expected) + ", actual " + std::to_string(actual);
}

template <class Value, const char* kName>
std::int64_t checkValue(Value expected, Value actual, const zq::ZQChar* expression,
                        const zq::ZQChar* file, std::int64_t, zq::Word ctx, zq::Word) {
  return Transcript::of(ctx).check(expected == actual,
                                   std::string(kName) + " " + textOf(expression), file,
                                   expectedActual(expected, actual));
}
constexpr char kCheckInt[] = "CheckInt";
constexpr char kCheckInt64[] = "CheckInt64";
constexpr char kCheckUint64[] = "CheckUint64";

zq::TestServices transcriptServices() {
  zq::TestServices s{};
  s.BeginTest = [](const zq::ZQChar* name, zq::Word ctx, zq::Word) {
    Transcript::of(ctx).add("begin " + textOf(name));
  };
  s.NoteStep = [](const zq::ZQChar* text, zq::Word ctx, zq::Word) {
    Transcript::of(ctx).add("step " + textOf(text));
  };
  s.ReportMessage = [](const zq::ZQChar* text, std::int64_t severity, zq::Word ctx) {
    Transcript::of(ctx).add("message " + std::to_string(severity) + " " + textOf(text));
  };
  // CheckHandle is the one check whose non-zero result means failure.
  s.CheckHandle = [](const void* pointer, const zq::ZQChar* expression, const zq::ZQChar* file,
                     std::int64_t, zq::Word ctx, zq::Word) -> std::int64_t {
    return 1 - Transcript::of(ctx).check(pointer != nullptr, "CheckHandle " + textOf(expression),
                                         file, "null");
  };
  s.CheckStatus = [](zq::Status expected, zq::Status actual, const zq::ZQChar* expression,
                     const zq::ZQChar* file, std::int64_t, zq::Word ctx, zq::Word) {
    return Transcript::of(ctx).check(expected == actual, "CheckStatus " + textOf(expression),
                                     file, "expected " + hex(expected) + ", actual " + hex(actual));
  };
  s.CheckInt = checkValue<std::int32_t, kCheckInt>;
  s.CheckInt64 = checkValue<std::int64_t, kCheckInt64>;
  s.CheckUint64 = checkValue<std::uint64_t, kCheckUint64>;
  // The byte count need not be a whole number of units: the bytes after the whole
  // units are shown in hex.
  s.CheckBuffer = [](const zq::ZQChar* actual, const zq::ZQChar* expected,
                     std::int64_t byte_count, const zq::ZQChar* actual_text,
                     const zq::ZQChar* expected_text, const zq::ZQChar* file, std::int64_t,
                     zq::Word ctx, zq::Word) {
    const auto bytes = static_cast<std::size_t>(std::max<std::int64_t>(byte_count, 0));
    const auto shown = [bytes](const zq::ZQChar* buffer) {
      std::string text = "\"";
      appendText(text, buffer, bytes / 4);
      text += '"';
      for (std::size_t i = bytes / 4 * 4; i < bytes; ++i) {
        char byte[8];
        std::snprintf(byte, sizeof byte, " %02X", reinterpret_cast<const unsigned char*>(buffer)[i]);
        text += byte;
      }
      return text;
    };
    return Transcript::of(ctx).check(
        byte_count >= 0 && std::memcmp(actual, expected, bytes) == 0,
        "CheckBuffer " + textOf(actual_text) + " against " + textOf(expected_text), file,
        std::to_string(byte_count) + " bytes: actual " + shown(actual) + ", expected " +
            shown(expected));
  };
  return s;
}

std::string fileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The golden listings are kept xz-compressed (`xzcat` shows one): together they are
// ten times the size of the rest of the tree. The preset is xz's default, and the
// encoder is deterministic, so an unchanged listing compresses to the same bytes.
constexpr std::uint32_t kXzPreset = 6;

std::string xzCompressed(const std::string& text) {
  std::string out(lzma_stream_buffer_bound(text.size()), '\0');
  std::size_t size = 0;
  const lzma_ret ret = lzma_easy_buffer_encode(
      kXzPreset, LZMA_CHECK_CRC64, nullptr, reinterpret_cast<const std::uint8_t*>(text.data()),
      text.size(), reinterpret_cast<std::uint8_t*>(out.data()), &size, out.size());
  EXPECT_EQ(ret, LZMA_OK);
  out.resize(size);
  return out;
}

// The text of an xz file; nullopt when it is not one.
std::optional<std::string> xzDecompressed(const std::string& packed) {
  lzma_stream stream = LZMA_STREAM_INIT;
  if (lzma_stream_decoder(&stream, UINT64_MAX, 0) != LZMA_OK) return std::nullopt;
  std::string text;
  char chunk[1 << 16];
  stream.next_in = reinterpret_cast<const std::uint8_t*>(packed.data());
  stream.avail_in = packed.size();
  lzma_ret ret = LZMA_OK;
  while (ret == LZMA_OK) {
    stream.next_out = reinterpret_cast<std::uint8_t*>(chunk);
    stream.avail_out = sizeof chunk;
    ret = lzma_code(&stream, LZMA_FINISH);
    text.append(chunk, sizeof chunk - stream.avail_out);
  }
  lzma_end(&stream);
  if (ret != LZMA_STREAM_END) return std::nullopt;
  return text;
}

// The perf result lines' timing columns (user and system CPU and elapsed
// milliseconds, twelve digits each) differ from run to run: their digits become '#'.
std::string withoutTimings(std::string listing) {
  for (std::size_t line = 0; line < listing.size();) {
    const std::size_t end = std::min(listing.find('\n', line), listing.size());
    if (listing.compare(line, 5, "zqnls") == 0) {
      for (std::size_t i = line; i < end;) {
        std::size_t digits = 0;
        while (i + digits < end && std::isdigit(static_cast<unsigned char>(listing[i + digits]))) {
          ++digits;
        }
        const bool column = digits == 12 && listing[i - 1] == ' ' && listing[i + 12] == ' ';
        if (column) listing.replace(i, 12, 12, '#');
        i += digits > 0 ? digits : 1;
      }
    }
    line = end + 1;
  }
  return listing;
}

// One run of a suite entry as zqtest makes it, on a new host giving results of one
// class wrongly: what the suite told the harness, then each listing it wrote.
struct SuiteRun {
  std::string listing;
  std::int64_t failures = 0;
};

SuiteRun runSuite(const SuiteEntry& suite, const ResultClass& result_class,
                  const fs::path& out_dir) {
  void* host = zqhostCreate();
  auto* kernel = static_cast<zq::KernelHandle*>(host);
  zqhostSetOutputDir(host, out_dir.c_str());
  zqhostCorruptResults(host, result_class.corruption);
  // The harness journal the sanity and IEEE suites write to, kept in memory.
  zq::jnlparms parms{};
  zq::Journal* journal = kernel->CreateJournal(kernel, &parms, 0, "zqtest");
  zqextent(kernel);
  zq::ExtensionRecord* record = zqvnle();
  EXPECT_NE(record, nullptr);
  if (record == nullptr) return {};

  Transcript transcript;
  zq::TestServices services = transcriptServices();
  zq::RunRecord run_record{};
  run_record.run_code[0] = U'0';
  run_record.run_code[1] = U'1';
  const bool perf = suite.slot == zq::SuiteSlot::Perf;
  void* fourth = suite.slot == zq::SuiteSlot::Sanity1 || suite.slot == zq::SuiteSlot::Sanity2
                     ? static_cast<void*>(journal)
                     : suite.slot == zq::SuiteSlot::IEEEConv ? nullptr : &run_record;
  void* fifth = suite.slot == zq::SuiteSlot::IEEEConv ? journal : nullptr;
  std::string listings;
  // The perf suite is called once per routine, as --perf-routine all calls it; each
  // call writes its listing anew.
  for (std::int32_t routine = perf ? 1 : 0; routine <= (perf ? 5 : 0); ++routine) {
    zq::SuiteState state{};
    state.perf_routine = routine;
    state.perf_iterations = kPerfIterations;
    const std::int64_t result = record->suites[static_cast<int>(suite.slot)](
        &services, transcript.context(), &state, fourth, fifth);
    transcript.add("returned " + std::to_string(result));
    if (perf) {
      listings += "== zqvnlp.lst, routine " + std::to_string(routine) + "\n" +
                  withoutTimings(fileText(out_dir / "zqvnlp.lst"));
    }
  }
  record->RealDestroy(record);
  Exported_ZQHandle = nullptr;
  if (suite.slot == zq::SuiteSlot::Function1) {
    listings += "== nlf101.lst\n" + fileText(out_dir / "nlf101.lst");
  }
  if (fourth == journal || fifth == journal) {
    listings += "== harness journal\n";
    for (const char32_t unit : zq::host::journalText(journal)) appendUtf8(listings, unit);
  }
  journal->Destroy(journal);
  EXPECT_EQ(zqhostLiveObjects(host), 0);
  EXPECT_EQ(zqhostDestroy(host), 0);

  SuiteRun run;
  run.failures = transcript.failures();
  run.listing = std::string("# ") + suite.name + " on the stand-in host with " +
                result_class.said + "\n== harness services\n" + transcript.finish() + listings;
  return run;
}

struct GoldenCase {
  SuiteEntry suite;
  ResultClass result_class;
};

// How gtest names a case in its reports.
void PrintTo(const GoldenCase& c, std::ostream* out) {
  *out << c.suite.name << " with " << c.result_class.said;
}

std::vector<GoldenCase> everyCase() {
  std::vector<GoldenCase> cases;
  for (const SuiteEntry& suite : kSuites) {
    for (const ResultClass& result_class : kClasses) cases.push_back({suite, result_class});
  }
  return cases;
}

class GoldenListing : public ::testing::TestWithParam<GoldenCase> {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/zqgolden_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    out_dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(out_dir_); }

  SuiteRun run(const ResultClass& result_class) {
    return runSuite(GetParam().suite, result_class, out_dir_);
  }

 private:
  fs::path out_dir_;
};

TEST_P(GoldenListing, MatchesTheReviewedListing) {
  const GoldenCase& c = GetParam();
  const bool clean = c.result_class.corruption == ZQHOST_CORRUPT_NONE;
  const SuiteRun run = this->run(c.result_class);
  ASSERT_TRUE(!clean || run.failures == 0) << "the clean run fails checks:\n" << run.listing;

  const fs::path golden = fs::path(ZQ_TEST_SOURCE_DIR) / "tests" / "golden" /
                          (std::string(c.suite.name) + "." + c.result_class.name + ".txt.xz");
  const std::optional<std::string> reviewed = xzDecompressed(fileText(golden));
  const char* write = std::getenv("ZQ_GOLDEN_WRITE");
  if (write != nullptr && std::string(write) == "1") {
    // A listing becomes a baseline only when the clean run of its suite passes every
    // check against the suite's own tables.
    ASSERT_TRUE(clean || this->run(kClasses[0]).failures == 0) << "the clean run fails checks";
    if (reviewed == run.listing) return;
    std::ofstream(golden, std::ios::binary | std::ios::trunc) << xzCompressed(run.listing);
    std::printf("rewrote %s\n", golden.c_str());
    return;
  }
  ASSERT_TRUE(reviewed) << "no golden listing " << golden << ": `make golden` writes it";
  const std::string differences = firstDifferences(*reviewed, run.listing);
  EXPECT_TRUE(differences.empty())
      << golden.string() << " differs from this run (- golden, + this run):\n"
      << differences
      << "Once the change to the suite's messages has been reviewed, `make golden` rewrites "
         "the golden listings.";
}

INSTANTIATE_TEST_SUITE_P(EverySuiteAndResultClass, GoldenListing,
                         ::testing::ValuesIn(everyCase()),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                           return std::string(info.param.suite.name) + "_" +
                                  info.param.result_class.name;
                         });

}  // namespace
