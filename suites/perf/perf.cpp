// zqvnlePerf: verifies, then times, five NLS conversion routines over the benchmark
// cases the harness's selectors choose, one result line per timed case in its listing.
#include <algorithm>
#include <cstring>

#include "suites/common/handles.h"
#include "suites/common/listing.h"
#include "suites/conformance/locale_loop.h"
#include "suites/perf/perf_table.h"

using namespace zq;
using namespace zq::suite;
using zq::conformance::CaseText;
using zq::perf::PerfCase;
using zq::perf::Routine;

namespace {

constexpr std::int64_t kOutputUnits = 100;
constexpr std::int64_t kStatusUnits = 160;
constexpr std::int64_t kLocaleUnits = 5;

const char32_t* routineName(Routine routine) {
  switch (routine) {
    case Routine::kStringToDouble: return U"zqnlsStringToDouble";
    case Routine::kStringFromDouble: return U"zqnlsStringFromDouble";
    case Routine::kDateFormat: return U"zqnlsLocaleDateFormat";
    case Routine::kCurrencyFormat: return U"zqnlsLocaleCurrencyFormat";
    case Routine::kDoubleFormat: return U"zqnlsLocaleDoubleFormat";
  }
  return U"";
}

const char32_t* resultFormat(Routine routine) {
  switch (routine) {
    case Routine::kStringToDouble:
      return U"zqnlsStringToDouble       %c%c%c%c%c    %-12s   %-12i  %-.12i    %-.12i      "
             U"%-.12i        %-30s\n";
    case Routine::kStringFromDouble:
      return U"zqnlsStringFromDouble     %c%c%c%c%c    %-12s   %-12i  %-.12i    %-.12i      "
             U"%-.12i        %-30s\n";
    case Routine::kDateFormat:
      return U"zqnlsLocaleDateFormat     %c%c%c%c%c    %-12s   %-12i  %-.12i    %-.12i      "
             U"%-.12i        %-30s\n";
    case Routine::kCurrencyFormat:
      return U"zqnlsLocaleCurrencyFormat %c%c%c%c%c    %-12s   %-12i  %-.12i    %-.12i      "
             U"%-.12i        %-30s\n";
    case Routine::kDoubleFormat:
      return U"zqnlsLocaleDoubleFormat   %c%c%c%c%c    %-12s   %-12i  %-.12i    %-.12i      "
             U"%-.12i        %-30s\n";
  }
  return U"";
}

// A message text: `head`, the routine's name, `tail`.
CaseText routineText(const char32_t* head, Routine routine, const char32_t* tail) {
  CaseText text;
  text.add(head).add(routineName(routine)).add(tail);
  return text;
}

bool usesStringManager(Routine routine) {
  return routine == Routine::kStringToDouble || routine == Routine::kStringFromDouble;
}

// What every case of one call works with.
struct PerfRun {
  Harness harness;  // with the suite's journal
  NlsHandle* nls;
  TimingService* timer;
  const SuiteState* state;
};

// One selected case: its settings, its host objects and its output buffer.
struct CaseRun {
  const PerfCase& row;
  std::int32_t n;
  Routine routine;
  std::int32_t iterations;
  ZQChar locale[kLocaleUnits + 1] = {};
  std::int32_t encoding = 0;
  const ZQChar* encoding_name = nullptr;
  StringManager* manager = nullptr;
  LocaleHandle* locale_handle = nullptr;
  ZQChar output[kOutputUnits] = {};
};

// What the verification call returned besides its status.
struct Outputs {
  std::int64_t length = 0;
  double value = 0;
};

// A case runs when its default flag says so, or when at least one selector is given
// and it matches every selector given.
bool selected(const PerfCase& row, const SuiteState& state) {
  if (row.default_flag != 0) return true;
  const bool by_locale = state.perf_locale_given > 0;
  const bool by_encoding = state.perf_encoding > 0;
  const bool by_routine = state.perf_routine != 0;
  if (!by_locale && !by_encoding && !by_routine) return false;
  if (by_locale && zqzsCompare(state.perf_locale, kLocaleUnits, zt(row.locale),
                               kLocaleUnits) == 0) {
    return false;
  }
  if (by_encoding && state.perf_encoding != row.encoding) return false;
  return !by_routine || state.perf_routine == static_cast<std::int32_t>(row.routine);
}

// The verification call's status, length and result against the record. False after
// the failure's report and journal lines.
bool verify(const PerfRun& run, CaseRun& c, Status status, const Outputs& out) {
  const Harness& f = run.harness;
  const Routine r = c.routine;
  const PerfCase& row = c.row;
  const bool byte_routine = usesStringManager(r);
  if (!checkStatus(f, ZQ_OK, status, U"status")) {
    report(f, routineText(U"", r, U" did not return ZQ_OK.").data(), SEVERITY_ERROR);
    const auto text = statusText<kStatusUnits>(f, status);
    if (byte_routine) {
      journalText(f, JNL_LEVEL_DETAIL,
                  routineText(U"", r, U" Test %i: returned status of '%*s' when ZQ_OK was "
                                      U"expected for %s."),
                  c.n, text.length, text.text, c.encoding_name);
    } else {
      journalText(f, JNL_LEVEL_DETAIL,
                  routineText(U"", r, U" Test %i: returned status of '%*s' when ZQ_OK was "
                                      U"expected for %s (%s)."),
                  c.n, text.length, text.text, c.locale, c.encoding_name);
    }
    return false;
  }

  const std::int64_t expected_length =
      r == Routine::kStringFromDouble ? row.text_length
                                      : static_cast<std::int64_t>(row.expected_length);
  if (!checkInt(f, checkedInt32(expected_length), checkedInt32(out.length),
                byte_routine ? U"cnvL" : U"convertedL")) {
    report(f, routineText(U"", r, U" gave unexpected number converted bytes.").data(),
           SEVERITY_ERROR);
    if (byte_routine) {
      journalText(f, JNL_LEVEL_DETAIL,
                  routineText(U"", r, U" Test: %i: returned cnvL of %i when %i was expected "
                                      U"for %s"),
                  c.n, out.length, expected_length, c.encoding_name);
    } else {
      journalText(f, JNL_LEVEL_DETAIL,
                  routineText(U"", r, U" Test: %i: returned cnvL of %i when %i was expected "
                                      U"for %s (%s)"),
                  c.n, out.length, expected_length, c.locale, c.encoding_name);
    }
    return false;
  }

  switch (r) {
    case Routine::kStringToDouble:
      if (out.value == row.value) return true;
      checkInt(f, 0, 1, U"1");
      report(f, U"zqnlsStringToDouble gave unexpected double value.", SEVERITY_ERROR);
      journalLine(f, JNL_LEVEL_DETAIL,
                  U"zqnlsStringToDouble Test: %i: returned double of %f when %f was expected "
                  U"for %s",
                  c.n, out.value, row.value, c.encoding_name);
      return false;
    case Routine::kStringFromDouble: {
      const auto* bytes = reinterpret_cast<const unsigned char*>(c.output);
      const std::int64_t count =
          clampUnits(out.length, std::min<std::int64_t>(perf::kByteTextSize, sizeof c.output));
      if (f.services->CheckBuffer(reinterpret_cast<const ZQChar*>(row.text), c.output, count,
                                  zt(U"format_performance_tests[i].string"), zt(U"destbuf"),
                                  zt(f.source), __builtin_LINE(), f.ctx, 0) != 0) {
        return true;
      }
      report(f, U"ERROR: zqnlsStringFromDouble did not return correct string buffer",
             SEVERITY_ERROR);
      journalLine(f, JNL_LEVEL_DETAIL,
                  U"zqnlsStringFromDouble TEST%.2i: returned incorrect string buffer.", c.n);
      for (std::int64_t i = 0; i < count; ++i) {
        const auto expected = static_cast<unsigned char>(row.text[i]);
        journalLine(f, JNL_LEVEL_INFO, U"    expected[%2d]= %4x  fmtbuf[%2d]= %4x", i, expected,
                    i, bytes[i]);
      }
      return false;
    }
    case Routine::kDateFormat:
    case Routine::kCurrencyFormat:
    case Routine::kDoubleFormat: {
      const std::int64_t count = clampUnits(out.length, kOutputUnits);
      const ZQChar* expected = zt(row.expected);
      if (checkBuffer(f, expected, c.output, count, U"format_performance_tests[i].fmtbuf",
                      U"fmtbuf")) {
        return true;
      }
      report(f, routineText(U"ERROR: ", r, U" did not return correct date buffer").data(),
             SEVERITY_ERROR);
      journalText(f, JNL_LEVEL_DETAIL,
                  routineText(U"", r, U" TEST%.2i: returned incorrect date buffer."), c.n);
      for (std::int64_t i = 0; i < count; ++i) {
        journalLine(f, JNL_LEVEL_INFO, U"    expected[%2d]= %4x(%c)  fmtbuf[%2d]= %4x(%c)", i,
                    expected[i], expected[i], i, c.output[i], c.output[i]);
      }
      return false;
    }
  }
  return false;
}

// GetTimes into `times`; false after the failure's report and journal line. `which`
// is "start" or "end".
bool getTimes(const PerfRun& run, const CaseRun& c, TimingRecord& times, const char32_t* which) {
  const Status status = run.timer->GetTimes(run.timer, &times);
  if (checkStatus(run.harness, ZQ_OK, status, U"status")) return true;
  CaseText head;
  head.add(U"GetTimes did not successfully get ").add(which).add(U" time for ");
  CaseText message = head;
  message.add(routineName(c.routine)).add(U" test.");
  report(run.harness, message.data(), SEVERITY_ERROR);
  head.add(routineName(c.routine)).add(U" for %s.");
  journalText(run.harness, JNL_LEVEL_DETAIL, head, c.encoding_name);
  return false;
}

// The verification call, then, when it passed, the timed calls and the result line.
// The timed loop holds nothing but the clearing of the output buffer and the call.
template <class Call>
void verifyAndTime(const PerfRun& run, CaseRun& c, const Outputs& out, Call call) {
  std::memset(c.output, 0, sizeof c.output);
  if (!verify(run, c, call(), out)) return;

  TimingRecord start{};
  TimingRecord end{};
  if (!getTimes(run, c, start, U"start")) return;
  for (std::int32_t i = 0; i < c.iterations; ++i) {
    std::memset(c.output, 0, sizeof c.output);
    call();
  }
  if (!getTimes(run, c, end, U"end")) return;

  TimeValue user{};
  TimeValue system{};
  TimeValue elapsed{};
  run.timer->DiffTimes(run.timer, &end.user, &start.user, &user);
  run.timer->DiffTimes(run.timer, &end.system, &start.system, &system);
  run.timer->DiffTimes(run.timer, &end.elapsed, &start.elapsed, &elapsed);
  journalLine(run.harness, JNL_LEVEL_INFO, resultFormat(c.routine), c.locale[0], c.locale[1],
              c.locale[2], c.locale[3], c.locale[4], c.encoding_name, c.iterations,
              user.milliseconds, system.milliseconds, elapsed.milliseconds,
              zt(c.row.description));
}

// Calls the case's routine with its record's arguments.
void runRoutine(const PerfRun& run, CaseRun& c) {
  const PerfCase& row = c.row;
  Outputs out;
  LocaleHandle* l = c.locale_handle;
  const auto options = static_cast<std::uint32_t>(row.options);
  switch (c.routine) {
    case Routine::kStringToDouble:
      verifyAndTime(run, c, out, [&] {
        return stringToDouble(c.manager, l, row.text, row.text_length, options, &out.value,
                              &out.length);
      });
      return;
    case Routine::kStringFromDouble:
      verifyAndTime(run, c, out, [&] {
        return stringFromDouble(c.manager, l, row.value, row.width, row.precision, options,
                                reinterpret_cast<char*>(c.output), row.text_length, &out.length);
      });
      return;
    case Routine::kDateFormat:
      verifyAndTime(run, c, out, [&] {
        return formatDate(l, row.month, row.day, row.year, row.options, c.output,
                          static_cast<std::int64_t>(row.capacity), &out.length);
      });
      return;
    case Routine::kCurrencyFormat:
      verifyAndTime(run, c, out, [&] {
        return formatCurrency(l, row.value, row.width, row.precision, options, c.output,
                              static_cast<std::int64_t>(row.capacity), &out.length);
      });
      return;
    case Routine::kDoubleFormat:
      verifyAndTime(run, c, out, [&] {
        return formatDouble(l, row.value, row.width, row.precision, options, c.output,
                            static_cast<std::int64_t>(row.capacity), &out.length);
      });
      return;
  }
}

// Destroys the case's string manager, checking the status.
void releaseStringManager(const PerfRun& run, const CaseRun& c) {
  const Status status = destroyStringManager(c.manager);
  if (checkStatus(run.harness, ZQ_OK, status, U"status")) return;
  report(run.harness, routineText(U"zqnlsSMDestroy did not return expected status in ", c.routine,
                            U" test.").data(),
         SEVERITY_ERROR);
  journalText(run.harness, JNL_LEVEL_DETAIL,
              routineText(U"", c.routine,
                          U" Test %i: zqnlsSMDestroy failed to return correct status for cei %s."),
              c.n, c.encoding_name);
}

// One selected case from its encoding's properties to its result line; whatever it
// created is destroyed, in reverse order, on every path.
void runCase(const PerfRun& run, const PerfCase& row, std::int32_t n) {
  const Harness& f = run.harness;
  const SuiteState& state = *run.state;
  CaseRun c{row, n, row.routine, state.perf_iterations > 0 ? state.perf_iterations
                                                           : row.default_iterations};
  const ZQChar* locale = state.perf_locale_given > 0 ? state.perf_locale : zt(row.locale);
  std::copy_n(locale, kLocaleUnits, c.locale);
  c.locale[kLocaleUnits] = 0;
  c.encoding = state.perf_encoding > 0 ? state.perf_encoding : row.encoding;

  EncodingProperties properties{};
  const Status properties_status = encodingProperties(run.nls, c.encoding, &properties);
  if (!checkStatus(f, ZQ_OK, properties_status, U"status")) {
    report(f, U"zqnlsGetEncodingProperties gave unexpected return code.", SEVERITY_ERROR);
    const auto text = statusText<kStatusUnits>(f, properties_status);
    journalLine(f, JNL_LEVEL_DETAIL,
                U"zqnlsGetEncodingProperties Test %i:  returned status of '%*s' when ZQ_OK was "
                U"expected.",
                n, text.length, text.text);
  }
  // An encoding without properties has no name to print.
  c.encoding_name = properties.name != nullptr ? properties.name : zt(U"");

  if (usesStringManager(c.routine)) {
    const Status status = createStringManager(run.nls, c.encoding, &c.manager);
    if (!checkStatus(f, ZQ_OK, status, U"status") || c.manager == nullptr) {
      report(f, U"zqnlsSMCreate gave unexpected return code.", SEVERITY_ERROR);
      const auto text = statusText<kStatusUnits>(f, status);
      journalText(f, JNL_LEVEL_DETAIL,
                  routineText(U"", c.routine,
                              U" Test: %i: zqnlsSMCreate returned status of '%*s' when ZQ_OK "
                              U"was expected."),
                  n, text.length, text.text);
      return;
    }
  }

  c.locale_handle = createLocale(run.nls, c.locale, kLocaleUnits);
  if (checkHandle(f, c.locale_handle, U"localeh")) {
    runRoutine(run, c);
    destroyLocale(c.locale_handle);
  } else {
    report(f, routineText(U"", c.routine,
                          U" Test was unable to get locale handle with zqnlsLocaleCreate")
                  .data(),
           SEVERITY_ERROR);
    journalText(f, JNL_LEVEL_DETAIL,
                routineText(U"", c.routine,
                            U" Test %i: zqnlsLocaleCreate failed to return locale handle for "
                            U"%s."),
                n, c.encoding_name);
  }
  if (c.manager != nullptr) releaseStringManager(run, c);
}

// "jnlthd" and the run code's two units, zero-terminated.
void journalName(const void* run_record, ZQChar (&name)[9]) {
  const ZQChar* run_code = static_cast<const RunRecord*>(run_record)->run_code;
  std::copy_n(zt(U"jnlthd"), 6, name);
  name[6] = run_code[0];
  name[7] = run_code[1];
  name[8] = 0;
}

}  // namespace

extern "C" std::int64_t zqvnlePerf(TestServices* services, Word ctx, SuiteState* state,
                                   void* run_record, void*) {
  const Harness f{services, ctx, U"zqtest/src/zqvnlep1", nullptr};
  beginTest(f, U"zqvnlePerf");
  KernelHandle* kernel = acquireKernel(f);
  if (kernel == nullptr) return 1;
  NlsHandle* nls = acquireNls(f, kernel, U"Get ZQNLS handle", U"nlsh");
  if (nls == nullptr) return 1;

  ZQChar journal_name[9];
  journalName(run_record, journal_name);
  // The journal's name is ZQChar text; the host reads what it takes for a name.
  const ListingRequest request{.file = {zt(U"zqvnlp.lst"), 10, 1, 0, 0x400, 0, 0},
                               .load_argument = reinterpret_cast<Word>(U"testfile"),
                               .journal_flags = 1,
                               .journal_name = reinterpret_cast<const char*>(journal_name)};
  const Listing listing = openListing(f, kernel, request);
  if (listing.journal == nullptr) return 0;

  const PerfRun run{{services, ctx, f.source, listing.journal}, nls, nullptr, state};
  journalLine(run.harness, JNL_LEVEL_INFO, U"Performance Test for ZqvnlePerf \n");
  auto* timer = static_cast<TimingService*>(kernel->GetService(kernel, zt(U"zqperf"), 6, 0));
  if (timer != nullptr) {
    journalLine(run.harness, JNL_LEVEL_INFO,
                U"ROUTINE                   LOCALE   ENCODING       ITERATIONS    USER CPU (ms)   "
                U"SYSTEM CPU (ms)   ELAPSED TIME (ms)   DESCRIPTION");
    PerfRun timed = run;
    timed.timer = timer;
    const auto cases = perf::perfCases();
    for (std::size_t i = 0; i < cases.size(); ++i) {
      if (selected(cases[i], *state)) runCase(timed, cases[i], static_cast<std::int32_t>(i + 1));
    }
  }

  closeListing(listing);
  if (timer != nullptr) timer->Destroy(timer);
  return 0;
}
