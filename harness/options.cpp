// Parsing of the zqtest command line into HarnessOptions.
#include "harness/options.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>
#include <system_error>

namespace zq::harness {
namespace {

// True when all of `text` is one number of type T in `base`.
template <class T>
bool parseWhole(const std::string& text, int base, T& out) {
  if (text.empty()) return false;
  const char* first = text.data();
  const char* last = first + text.size();
  const auto [end, error] = std::from_chars(first, last, out, base);
  return error == std::errc{} && end == last;
}

bool parseMask(const std::string& text, std::uint32_t& out) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return parseWhole(text.substr(2), 16, out);
  }
  return parseWhole(text, 10, out);
}

// Printable ASCII other than the blank.
bool isGraphicAscii(char c) { return c > 0x20 && c < 0x7F; }

// A run code goes into listing file names, so it may not name a directory.
bool isRunCode(const std::string& text) {
  if (text.size() != 2) return false;
  for (char c : text) {
    if (!isGraphicAscii(c) || c == '/' || c == '\\') return false;
  }
  return true;
}

bool isLocaleSelector(const std::string& text) {
  if (text.size() != 5) return false;
  for (char c : text) {
    if (!isGraphicAscii(c)) return false;
  }
  return true;
}

std::optional<SuiteSlot> slotNamed(const std::string& name) {
  for (SuiteSlot slot : {SuiteSlot::Sanity1, SuiteSlot::Sanity2, SuiteSlot::Function1,
                         SuiteSlot::Perf, SuiteSlot::IEEEConv}) {
    if (name == suiteName(slot)) return slot;
  }
  return std::nullopt;
}

// Applies one option that takes a value; returns the error text or "".
std::string applyValue(HarnessOptions& o, const std::string& name, const std::string& value) {
  if (name == "--lib") {
    if (value.empty()) return "--lib needs a library path";
    o.library_path = value;
    return "";
  }
  if (name == "--suite") {
    if (value == "all") {
      o.suite.reset();
      return "";
    }
    o.suite = slotNamed(value);
    if (o.suite) return "";
    return "--suite: unknown suite '" + value +
           "' (sanity1, sanity2, function1, perf, ieeeconv or all)";
  }
  if (name == "--mask") {
    if (parseMask(value, o.selection_mask)) return "";
    return "--mask: '" + value + "' is not a number from 0 to 4294967295";
  }
  if (name == "--run-code") {
    if (!isRunCode(value)) {
      return "--run-code: '" + value + "' is not exactly two characters (letters, digits, "
             "punctuation other than slashes)";
    }
    o.run_code = value;
    return "";
  }
  if (name == "--out") {
    if (value.empty()) return "--out needs a directory";
    o.output_dir = value;
    return "";
  }
  if (name == "--perf-iterations") {
    o.perf_iterations_auto = value == "auto";
    o.perf_iterations = 0;
    if (o.perf_iterations_auto || parseWhole(value, 10, o.perf_iterations)) return "";
    return "--perf-iterations: '" + value + "' is neither auto nor a 32-bit integer";
  }
  if (name == "--perf-threshold") {
    std::string_view number = value;
    if (!number.empty() && number.back() == '%') number.remove_suffix(1);
    double percent = -1;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), percent);
    if (error == std::errc{} && end == number.data() + number.size() && percent >= 0 &&
        percent <= 1e6) {
      o.perf_threshold_percent = percent;
      return "";
    }
    return "--perf-threshold: '" + value + "' is not a percentage such as 10 or 2.5%";
  }
  if (name == "--perf-routine") {
    o.perf_all_routines = value == "all";
    if (o.perf_all_routines) {
      o.perf_routine = 0;
      return "";
    }
    if (parseWhole(value, 10, o.perf_routine)) return "";
    return "--perf-routine: '" + value + "' is neither all nor a 32-bit integer";
  }
  if (name == "--color") {
    const std::pair<const char*, ColorMode> modes[] = {
        {"auto", ColorMode::Auto}, {"always", ColorMode::Always}, {"never", ColorMode::Never}};
    for (const auto& [word, mode] : modes) {
      if (value == word) {
        o.color = mode;
        return "";
      }
    }
    return "--color: '" + value + "' is not auto, always or never";
  }
  if (name == "--decimal-conversion") {
    // The host's decimal-conversion mode word: COMPATIBLE 1, STDIEEE 0.
    if (value != "compatible" && value != "stdieee") {
      return "--decimal-conversion: '" + value + "' is not compatible or stdieee";
    }
    o.decimal_conversion = value == "compatible" ? 1 : 0;
    return "";
  }
  for (auto [option, field] :
       {std::pair{"--junit", &o.junit}, std::pair{"--json", &o.json}, std::pair{"--html", &o.html},
        std::pair{"--perf-csv", &o.perf_csv}, std::pair{"--expect", &o.expect},
        std::pair{"--baseline", &o.baseline},
        std::pair{"--write-expect", &o.write_expect}}) {
    if (name != option) continue;
    if (value.empty()) return name + (name == "--baseline" ? " needs a directory" : " needs a file name");
    *field = value;
    return "";
  }
  if (name == "--perf-encoding") {
    if (parseWhole(value, 10, o.perf_encoding)) return "";
    return "--perf-encoding: '" + value + "' is not a 32-bit integer";
  }
  if (name == "--perf-locale") {
    if (!isLocaleSelector(value)) {
      return "--perf-locale: '" + value + "' is not five characters such as fr_FR";
    }
    o.perf_locale = value;
    return "";
  }
  return "unknown option '" + name + "'";
}

bool takesValue(const std::string& name) {
  for (const char* valued :
       {"--lib", "--suite", "--mask", "--run-code", "--out", "--perf-iterations", "--perf-routine",
        "--perf-encoding", "--perf-locale", "--perf-csv", "--junit", "--json", "--html",
        "--expect", "--write-expect", "--color", "--decimal-conversion", "--baseline",
        "--perf-threshold"}) {
    if (name == valued) return true;
  }
  return false;
}

}  // namespace

const char* suiteName(SuiteSlot slot) {
  switch (slot) {
    case SuiteSlot::Sanity1:
      return "sanity1";
    case SuiteSlot::Sanity2:
      return "sanity2";
    case SuiteSlot::Function1:
      return "function1";
    case SuiteSlot::Perf:
      return "perf";
    case SuiteSlot::IEEEConv:
      return "ieeeconv";
  }
  return "?";
}

ParsedOptions parseOptions(const std::vector<std::string>& args) {
  ParsedOptions parsed;
  HarnessOptions& o = parsed.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> value;
    const std::size_t equals = name.find('=');
    if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    if (name == "--help" || name == "--verbose" || name == "--no-verify" || name == "--list" ||
        name == "--self-check" || name == "--perf-fail-on-regression") {
      if (value) {
        parsed.error = name + " takes no value";
        return parsed;
      }
      if (name == "--help") o.help = true;
      if (name == "--verbose") o.verbose = true;
      if (name == "--no-verify") o.no_verify = true;
      if (name == "--list") o.list = true;
      if (name == "--self-check") o.self_check = true;
      if (name == "--perf-fail-on-regression") o.perf_fail_on_regression = true;
      continue;
    }
    if (!takesValue(name)) {
      parsed.error = "unknown option '" + args[i] + "'";
      return parsed;
    }
    if (!value) {
      // A following option is a forgotten value, not the value itself.
      if (i + 1 == args.size() || args[i + 1].rfind("--", 0) == 0) {
        parsed.error = name + " needs a value";
        return parsed;
      }
      value = args[++i];
    }
    parsed.error = applyValue(o, name, *value);
    if (!parsed.error.empty()) return parsed;
  }
  return parsed;
}

std::string usageText() {
  return "usage: zqtest [options]\n"
         "  --lib PATH             extension library (default: libzqvnle.so beside zqtest)\n"
         "  --suite NAME           sanity1, sanity2, function1, perf, ieeeconv or all "
         "(default all)\n"
         "  --mask N               suite selection mask (0 means all)\n"
         "  --verbose              set the verbose flag and print every failure\n"
         "  --no-verify            set the no-verify flag\n"
         "  --decimal-conversion compatible|stdieee  the host's mode before the suites run "
         "(default: the host's own, STDIEEE)\n"
         "  --run-code XY          two-character run code naming listing files (default 01)\n"
         "  --out DIR              directory for listing files (created if missing)\n"
         "  --perf-iterations auto|N  iterations of each timed case (default auto: calibrated "
         "per call to at least 100 ms of CPU time a case; 0: the case's default)\n"
         "  --perf-routine N|all   timed routine selector (0: none; all: routines 1-5, one "
         "call each)\n"
         "  --perf-encoding N      encoding selector (0 or less: none)\n"
         "  --perf-locale xx_XX    locale selector, five characters\n"
         "  --perf-csv FILE        write the perf results as CSV\n"
         "  --baseline DIR         compare with an earlier run's output (its results.json "
         "and perf.csv)\n"
         "  --perf-threshold P     flag a case slower than the baseline by more than P percent "
         "(default 10)\n"
         "  --perf-fail-on-regression  a flagged case fails the run\n"
         "  --junit FILE           write JUnit XML\n"
         "  --json FILE            write every result as JSON\n"
         "  --html FILE            write a self-contained HTML report\n"
         "  --expect FILE          known failures: XFAIL when they fail, XPASS when they pass\n"
         "  --write-expect FILE    write this run's failures as such a file\n"
         "  --color auto|always|never  colour the terminal report (auto: when it is a terminal)\n"
         "  --list                 print the suites, their record words, conformance suites and "
         "locales\n"
         "  --self-check           run every suite against a host that gives one class of result "
         "wrongly at a time, and show which suites notice\n"
         "  --help                 print this text\n"
         "exit status: 0 all checks passed (or failed as expected), 1 a check or suite failed, "
         "an expected failure passed or a check group failed that passed in the baseline, 2 "
         "usage, load or output error\n";
}

std::vector<SuiteSlot> suitesToRun(const HarnessOptions& options) {
  if (options.suite) return {*options.suite};
  return {SuiteSlot::Sanity1, SuiteSlot::Sanity2, SuiteSlot::Function1, SuiteSlot::Perf,
          SuiteSlot::IEEEConv};
}

SuiteState suiteStateFor(const HarnessOptions& options, std::int32_t perf_routine) {
  SuiteState state{};
  state.selection_mask = options.selection_mask;
  state.verbose = options.verbose ? 1 : 0;
  state.no_verify = options.no_verify ? 1 : 0;
  state.perf_routine = options.perf_all_routines ? perf_routine : options.perf_routine;
  state.perf_iterations =
      options.perf_iterations_auto ? 0 : std::min(options.perf_iterations, kMaxPerfIterations);
  state.perf_encoding = options.perf_encoding;
  if (options.perf_locale.size() == 5) {
    state.perf_locale_given = 1;
    for (std::size_t i = 0; i < 5; ++i) {
      state.perf_locale[i] = static_cast<unsigned char>(options.perf_locale[i]);
    }
  }
  return state;
}

}  // namespace zq::harness
