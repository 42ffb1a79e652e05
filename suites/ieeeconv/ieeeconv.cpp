// zqvnleIEEEConv: double formatting under both decimal-conversion modes, in 18 locales.
//
// Pass 1 runs in the mode the host is in; pass 2 switches the host to the other mode
// and runs again. Each vector is formatted by both double operations and compared with
// the expectation of the mode in force, localised for the locale's separators.
//
// The mode word is shared host state. It is read only through a checked chain, and a
// guard writes the saved value back whenever the suite has changed it, on every return
// path, so every other user of the host finds it as it was.
#include <algorithm>
#include <iterator>

#include "suites/common/handles.h"
#include "suites/common/separators.h"
#include "suites/ieeeconv/ieeeconv_table.h"

using namespace zq;
using namespace zq::suite;
using zq::ieeeconv::FormatVector;

namespace {

// Units of the output and expected-text buffers, and of the status texts.
constexpr std::int64_t kOutputUnits = 72;
constexpr int kStatusUnits = 200;
constexpr std::uint32_t kGroupedOptions = LOCALE_NFMT_QORWD | LOCALE_NFMT_GROUP;

enum class PassMode { Compatible, Stdieee };

// The mode word at the end of kernel word 41's chain, or null where any link is missing.
std::int32_t* modeWord(KernelHandle* kernel) {
  if (kernel == nullptr || kernel->conversion == nullptr) return nullptr;
  ConversionOptions* options = kernel->conversion->options;
  return options != nullptr ? &options->decimal_conversion_mode : nullptr;
}

// Owns the suite's changes to the mode word: the saved value goes back when the suite
// returns, whichever way it returns, if the word was ever written.
class ModeWord {
 public:
  // Under no-verify the word is neither read nor written, and the saved mode is 0.
  ModeWord(KernelHandle* kernel, bool no_verify)
      : word_(no_verify ? nullptr : modeWord(kernel)), saved_(word_ != nullptr ? *word_ : 0) {}
  ModeWord(const ModeWord&) = delete;
  ModeWord& operator=(const ModeWord&) = delete;
  ~ModeWord() {
    if (changed_) *word_ = saved_;
  }
  std::int32_t saved() const { return saved_; }
  void write(std::int32_t mode) {
    if (word_ == nullptr) return;
    *word_ = mode;
    changed_ = true;
  }

 private:
  std::int32_t* word_;
  std::int32_t saved_;
  bool changed_ = false;
};

struct Banner {
  const char32_t* shown;
  const char32_t* journal;
};

// Picks the pass mode from the saved mode and announces it; pass 2 switches the host.
PassMode beginPass(const Harness& f, ModeWord& mode, int pass) {
  // saved mode x pass -> pass mode and banner
  const bool saved_compatible = mode.saved() != 0;
  PassMode pass_mode = saved_compatible ? PassMode::Compatible : PassMode::Stdieee;
  Banner banner{
      U"**************Beginning zqvnleIEEEConv testing with DECIMALCONV = STDIEEE *************",
      U"\n***Beginning zqvnleIEEEConv testing with DECIMALCONV = STDIEEE ***\n"};
  if (pass == 1 && saved_compatible) {
    banner = {U"**************Beginning zqvnleIEEEConv testing with DECIMALCONV = COMPATIBLE "
              U"*************",
              U"\n***Beginning zqvnleIEEEConv testing with DECIMALCONV = COMPATIBLE ***\n"};
  }
  if (pass == 2 && !saved_compatible) {
    mode.write(DECIMALCONV_COMPATIBLE);
    pass_mode = PassMode::Compatible;
    banner = {U"**************Beginning zqvnleIEEEConv testing with reset DECIMALCONV = "
              U"COMPATIBLE *************",
              U"\n***Beginning zqvnleIEEEConv testing with reset DECIMALCONV = COMPATIBLE ***\n"};
  }
  if (pass == 2 && saved_compatible) {
    mode.write(DECIMALCONV_STDIEEE);
    pass_mode = PassMode::Stdieee;
    banner = {U"**************Beginning zqvnleIEEEConv testing with reset DECIMALCONV = "
              U"STDIEEE *************",
              U"\n***Beginning zqvnleIEEEConv testing with reset DECIMALCONV = STDIEEE ***\n"};
  }
  report(f, banner.shown, SEVERITY_INFO);
  noteStep(f, banner.shown);
  journalLine(f, JNL_LEVEL_INFO, banner.journal);
  return pass_mode;
}

// The expected text in the locale's separators: a grouped vector takes both of its
// style's separators, any other vector only the decimal one.
std::int64_t localiseExpected(SeparatorStyle style, std::uint32_t options, const ZQChar* text,
                              std::int64_t length, ZQChar (&out)[kOutputUnits + 1]) {
  std::fill(std::begin(out), std::end(out), ZQChar{0});
  const Separators separators = separatorsOf(style);
  const ZQChar grouping = options == kGroupedOptions ? separators.grouping : ',';
  return localiseText(text, length, separators.decimal, grouping, out, kOutputUnits);
}

// The journal formats' common arguments: test number, option word, the first five units
// of the locale name.
struct VectorContext {
  const Harness& harness;
  const LocaleStyle& locale;
  int test;
  std::int32_t options;
};

template <class... Args>
void vectorLine(const VectorContext& v, const char32_t* format, Args... args) {
  const ZQChar* name = zt(v.locale.name);
  journalLine(v.harness, JNL_LEVEL_DETAIL, format, v.test, v.options, name[0], name[1], name[2],
              name[3], name[4], args...);
}

void checkVectorStatus(const VectorContext& v, Status expected, Status actual,
                       const char32_t* expression, const char32_t* format,
                       std::int64_t line = __builtin_LINE()) {
  if (checkStatus(v.harness, expected, actual, expression, line)) return;
  const auto actual_text = statusText<kStatusUnits>(v.harness, actual);
  const auto expected_text = statusText<kStatusUnits>(v.harness, expected);
  vectorLine(v, format, actual_text.length, actual_text.text, expected_text.length,
             expected_text.text);
}

void runVector(const Harness& f, LocaleHandle* locale, const LocaleStyle& row, int test,
               const FormatVector& vector, PassMode mode, bool no_verify) {
  ZQChar fmtbuf[kOutputUnits + 1] = {};
  ZQChar fmtbuf2[kOutputUnits + 1] = {};
  std::int64_t length1 = 0;
  std::int64_t length2 = 0;
  // The announced capacity never reaches past the buffers.
  const std::int64_t capacity = std::clamp<std::int64_t>(vector.buffer_length, 0, kOutputUnits);
  const auto options = static_cast<std::uint32_t>(vector.options);
  const Status status1 = formatDouble(locale, vector.value, vector.width, vector.precision,
                                      options, fmtbuf, capacity, &length1);
  const Status status2 = formatDoubleExOpts(locale, vector.value, vector.width,
                                            vector.precision, options, fmtbuf2, capacity,
                                            &length2, nullptr);
  if (no_verify) {
    for (int i = 0; i < 6; ++i) checkInt(f, 1, 1, U"1");
    return;
  }

  const bool compatible = mode == PassMode::Compatible;
  const Status expected_status = compatible ? vector.compatible_status : vector.stdieee_status;
  const auto expected_length = static_cast<std::int64_t>(
      compatible ? vector.compatible_length : vector.stdieee_length);
  const VectorContext v{f, row, test, vector.options};
  checkVectorStatus(v, expected_status, status1, U"status",
                    U"TEST%.2i: zqnlsLocaleDoubleFormat (option#%d - %c%c%c%c%c) status was "
                    U"'%*s' but should have been '%*s'");
  checkVectorStatus(v, expected_status, status2, U"status2",
                    U"TEST%.2i: zqnlsLocaleDoubleFormatExOpts (option#%d - %c%c%c%c%c) status "
                    U"was '%*s' but should have been '%*s'");

  ZQChar expected[kOutputUnits + 1];
  localiseExpected(row.style, options, compatible ? vector.compatible_text : vector.stdieee_text,
                   expected_length, expected);

  if (!checkInt(f, checkedInt32(expected_length), checkedInt32(length1), U"cnvL")) {
    report(f,
           U"ERROR: zqnlsLocaleDoubleFormat did not return expected number of converted "
           U"characters",
           SEVERITY_ERROR);
    vectorLine(v,
               U"TEST%.2i: zqnlsLocaleDoubleFormat (option#%d - %c%c%c%c%c) ZQChars consumed was "
               U"%d but should have been %d",
               length1, expected_length);
  }
  if (!checkInt(f, checkedInt32(expected_length), checkedInt32(length2), U"cnvL2")) {
    report(f,
           U"ERROR: zqnlsLocaleDoubleFormatWithExOpts did not return expected number of "
           U"converted characters",
           SEVERITY_ERROR);
    vectorLine(v,
               U"TEST%.2i: zqnlsLocaleDoubleFormatWithExOpts (option#%d - %c%c%c%c%c) ZQChars "
               U"consumed was %d but should have been %d",
               length2, expected_length);
  }
  // The contents are compared over the length each call returned, within the buffers.
  const std::int64_t units1 = clampUnits(length1, kOutputUnits);
  if (!checkBuffer(f, expected, fmtbuf, units1, U"expected", U"fmtbuf")) {
    report(f, U"ERROR: zqnlsLocaleDoubleFormat did not return correct contents in update buffer",
           SEVERITY_ERROR);
    vectorLine(v, U"TEST%.2i: zqnlsLocaleDoubleFormat (option#%d - %c%c%c%c%c) returned "
                  U"incorrect contents in update buffer.");
    for (std::int64_t i = 0; i < units1; ++i) {
      journalLine(f, JNL_LEVEL_INFO, U"                 expected[%2d]= %4x  fmtbuf[%2d]= %4x",
                  i, expected[i], i, fmtbuf[i]);
    }
  }
  if (!checkBuffer(f, expected, fmtbuf2, clampUnits(length2, kOutputUnits), U"expected",
                   U"fmtbuf2")) {
    report(f,
           U"ERROR: zqnlsLocaleDoubleFormatWithExOpts did not return correct contents in update "
           U"buffer",
           SEVERITY_ERROR);
    vectorLine(v, U"TEST%.2i: zqnlsLocaleDoubleFormatWithExOpts (option#%d - %c%c%c%c%c) "
                  U"returned incorrect contents in update buffer.");
  }
}

// One pass over every locale. False when a handle was missing: the suite then ends.
bool runPass(const Harness& f, ModeWord& mode, int pass, bool no_verify) {
  KernelHandle* kernel = acquireKernel(f);
  if (kernel == nullptr) return false;
  NlsHandle* nls = acquireNls(f, kernel, U"zqExtensionLoad:Get the zq NLS handle", U"nls");
  if (nls == nullptr) return false;
  noteStep(f, U"checking for ieee decimal conversion");
  const PassMode pass_mode = beginPass(f, mode, pass);

  // The locales of LocaleInfo, in its order, each with its separator style.
  for (const LocaleStyle& row : kLocaleStyles) {
    noteStep(f, U"get handle from zqnlsLocaleCreate");
    LocaleHandle* locale = createLocale(nls, zt(row.name), zlen(row.name));
    if (!checkHandle(f, locale, U"currentLocale")) {
      report(f, U"Failed to get handle for currentLocale", SEVERITY_ERROR);
      return false;
    }
    noteStep(f, U"zqnlsLocaleDoubleFormat tests \n");
    int test = 0;
    for (const FormatVector& vector : ieeeconv::formatVectors()) {
      runVector(f, locale, row, ++test, vector, pass_mode, no_verify);
    }
    noteStep(f, U"Release the Locale Handle");
    if (!checkStatus(f, ZQ_OK, destroyLocale(locale), U"status")) {
      report(f, U"zqnlsLocaleDestroy failed", SEVERITY_ERROR);
    }
  }
  return true;
}

}  // namespace

extern "C" std::int64_t zqvnleIEEEConv(TestServices* services, Word ctx, SuiteState* state,
                                       void*, void* journal) {
  const Harness f{services, ctx, U"zqtest/src/zqvnle3", static_cast<Journal*>(journal)};
  const bool no_verify = state != nullptr && state->no_verify != 0;
  // The mode is read through the kernel handle only once the chain is known to be there;
  // a missing handle is reported by the pass itself.
  ModeWord mode(kernelHandle(), no_verify);
  for (int pass = 1; pass <= 2; ++pass) {
    if (!runPass(f, mode, pass, no_verify)) return 1;
  }
  return 0;
}
