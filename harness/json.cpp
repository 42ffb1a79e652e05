// The run's results as versioned JSON: run facts, totals, counts by place, every kept failure.
#include "harness/documents.h"

#include <cstdio>

#include "harness/baseline.h"
#include "harness/catalog.h"
#include "harness/render.h"

namespace zq::harness {
namespace {

// Builds one JSON text; members are written in the order given, with commas between.
class Json {
 public:
  Json& open(char bracket) {
    comma();
    out_ += bracket;
    first_ = true;
    return *this;
  }
  Json& close(char bracket) {
    out_ += bracket;
    first_ = false;
    return *this;
  }
  Json& key(const char* name) {
    comma();
    string(name);
    out_ += ':';
    first_ = true;  // the value follows without a comma
    return *this;
  }
  Json& value(const std::string& utf8) {
    comma();
    string(utf8);
    return *this;
  }
  Json& value(const std::u32string& units) { return value(utf8Of(units)); }
  Json& value(const char* utf8) { return value(std::string(utf8)); }
  Json& value(std::int64_t number) {
    comma();
    out_ += std::to_string(number);
    return *this;
  }
  Json& value(int number) { return value(static_cast<std::int64_t>(number)); }
  Json& value(double number) {
    comma();
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", number);
    out_ += text;
    return *this;
  }
  Json& value(bool flag) {
    comma();
    out_ += flag ? "true" : "false";
    return *this;
  }
  Json& null() {
    comma();
    out_ += "null";
    return *this;
  }
  template <class T>
  Json& member(const char* name, const T& v) {
    return key(name).value(v);
  }
  template <class List>
  Json& array(const char* name, const List& items) {
    key(name).open('[');
    for (const auto& item : items) value(item);
    return close(']');
  }
  std::string text() const { return out_ + "\n"; }

 private:
  void comma() {
    if (!first_) out_ += ',';
    first_ = false;
  }
  void string(const std::string& utf8) {
    out_ += '"';
    for (char c : utf8) {
      const auto u = static_cast<unsigned char>(c);
      if (c == '"' || c == '\\') {
        out_ += '\\';
        out_ += c;
        continue;
      }
      if (u < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
        out_ += escaped;
        continue;
      }
      out_ += c;
    }
    out_ += '"';
  }

  std::string out_;
  bool first_ = true;
};

// The code points of a text, for readers that must tell every unit apart.
std::vector<std::int64_t> codePoints(const std::u32string& units) {
  return {units.begin(), units.end()};
}

void writeFailure(Json& j, const CheckFailure& f) {
  j.open('{')
      .member("outcome", f.outcome == Outcome::XFail ? "XFAIL" : "FAIL")
      .member("area", f.place.area)
      .member("locale", f.place.locale)
      .member("family", f.place.family)
      .member("step", f.step)
      .member("kind", checkKindName(f.kind))
      .member("expression", f.expression);
  if (f.kind == CheckKind::Buffer) j.member("expected_expression", f.expected_expression);
  j.member("source", f.source)
      .member("line", f.line)
      .member("expected", f.expected_units)
      .member("actual", f.actual_units);
  if (f.kind == CheckKind::Buffer) {
    j.array("expected_code_points", codePoints(f.expected_units))
        .array("actual_code_points", codePoints(f.actual_units));
  }
  j.member("values_in_journal", f.valuesInJournal())
      .member("note", f.note)
      .array("messages_before", f.messages_before)
      .array("messages_after", f.messages_after)
      .array("journal_before", f.journal_before)
      .array("journal_after", f.journal_after);
  if (f.outcome == Outcome::XFail) j.member("reason", f.reason);
  j.close('}');
}

void writeSuite(Json& j, const SuiteResult& suite) {
  const auto expected = expectedByPlace(suite.tally);
  j.open('{')
      .member("name", suite.name)
      .member("returned", suite.returned)
      .member("missing_entry", suite.missing_entry)
      .member("seconds", suite.seconds)
      .member("checks", suite.tally.totalChecks())
      .member("failed", suite.tally.totalFailed())
      .member("failures_kept", static_cast<std::int64_t>(suite.tally.failures.size()));
  j.key("checks_by_service").open('{');
  for (std::size_t k = 0; k < kCheckKindCount; ++k) {
    j.key(checkKindName(static_cast<CheckKind>(k)))
        .open('{')
        .member("checks", suite.tally.checks[k])
        .member("failed", suite.tally.failed[k])
        .close('}');
  }
  j.close('}');
  j.key("areas").open('[');
  for (const std::string& area : suite.tally.areas) {
    j.open('{').member("name", area).member("mask_bit", static_cast<std::int64_t>(maskBitOfArea(area)));
    j.key("cells").open('[');
    for (const auto& [place, counts] : suite.tally.cells) {
      if (place.area != area) continue;
      const auto it = expected.find(place);
      j.open('{')
          .member("locale", place.locale)
          .member("family", place.family)
          .member("checks", counts.checks)
          .member("failed", counts.failed)
          .member("xfail", it == expected.end() ? std::int64_t{0} : it->second)
          .member("seconds", counts.seconds)
          .close('}');
    }
    j.close(']').close('}');
  }
  j.close(']');
  j.key("failures").open('[');
  for (const CheckFailure& f : suite.tally.failures) writeFailure(j, f);
  j.close(']').close('}');
}

// "NAME_ns_per_call" and "NAME_precision", or nulls where there is no figure.
void writePerCall(Json& j, const std::string& name, const std::optional<PerCall>& figure) {
  j.key((name + "_ns_per_call").c_str());
  if (figure) {
    j.value(figure->ns).member((name + "_precision").c_str(), precisionName(figure->precision));
    return;
  }
  j.null().key((name + "_precision").c_str()).null();
}

void writePerf(Json& j, const RunResults& r) {
  std::vector<const CaseComparison*> compared(r.perf.size(), nullptr);
  if (r.baseline) {
    for (const CaseComparison& c : r.baseline->cases) compared[c.perf_index] = &c;
  }
  j.key("perf").open('[');
  for (std::size_t i = 0; i < r.perf.size(); ++i) {
    const PerfResult& p = r.perf[i];
    j.open('{')
        .member("routine", p.routine)
        .member("locale", p.locale)
        .member("encoding", p.encoding)
        .member("iterations", p.iterations)
        .member("user_cpu_ms", p.user_ms)
        .member("system_cpu_ms", p.system_ms)
        .member("elapsed_ms", p.elapsed_ms);
    writePerCall(j, "cpu", p.cpuPerCall());
    writePerCall(j, "elapsed", p.elapsedPerCall());
    j.member("description", p.description);
    if (r.baseline) {
      j.key("baseline");
      if (const CaseComparison* c = compared[i]) {
        j.open('{').member("iterations", c->baseline.iterations);
        writePerCall(j, "cpu", c->baseline.cpuPerCall());
        j.key("ratio");
        if (c->ratio) {
          j.value(*c->ratio);
        } else {
          j.null();
        }
        j.member("precise", c->precise).member("slower", c->slower).close('}');
      } else {
        j.null();
      }
    }
    j.close('}');
  }
  j.close(']');
}

void writeBaseline(Json& j, const std::optional<BaselineComparison>& b) {
  j.key("baseline");
  if (!b) {
    j.null();
    return;
  }
  const char* const kChangeNames[kGroupChangeCount] = {"newly_failing", "newly_passing",
                                                        "still_failing", "still_passing", "not_run"};
  j.open('{')
      .member("dir", b->dir)
      .member("schema", b->schema)
      .member("has_perf", b->has_perf)
      .member("perf_threshold_percent", b->threshold_percent)
      .member("slower_cases", b->slowerCases())
      .member("compared_cases", static_cast<std::int64_t>(b->cases.size()));
  j.key("groups").open('{');
  for (std::size_t k = 0; k < kGroupChangeCount; ++k) j.member(kChangeNames[k], b->groups[k]);
  j.close('}');
  j.key("changed").open('[');
  for (const GroupComparison& g : b->changed) {
    j.open('{')
        .member("change", kChangeNames[static_cast<std::size_t>(g.change)])
        .member("area", g.place.area)
        .member("locale", g.place.locale)
        .member("family", g.place.family)
        .member("checks", g.checks)
        .member("failed", g.failed)
        .member("baseline_checks", g.baseline_checks)
        .member("baseline_failed", g.baseline_failed)
        .close('}');
  }
  j.close(']').close('}');
}

}  // namespace

std::string resultsJson(const RunResults& r) {
  Json j;
  j.open('{').member("schema", kResultsSchema);
  j.key("run")
      .open('{')
      .member("extension", r.info.extension)
      .member("version", r.info.version)
      .member("required_host", r.info.required_host)
      .member("run_code", r.info.run_code)
      .member("decimal_conversion", r.info.decimal_conversion)
      .member("date", r.info.date)
      .member("expect_file", r.info.expect_file)
      .member("leaked", r.leaked)
      .member("exit_code", r.exit_code)
      .close('}');
  j.key("totals")
      .open('{')
      .member("checks", r.checks())
      .member("passed", r.passed())
      .member("failed", r.failed())
      .member("fail", r.unexpectedFailures())
      .member("xfail", r.expectedFailures())
      .member("xpass", static_cast<std::int64_t>(r.stale.size()))
      .close('}');
  j.key("suites").open('[');
  for (const SuiteResult& suite : r.suites) writeSuite(j, suite);
  j.close(']');
  j.key("xpass").open('[');
  for (const StaleExpectation& s : r.stale) {
    j.open('{')
        .member("area", s.area)
        .member("locale", s.locale)
        .member("key", s.key)
        .member("reason", s.reason)
        .member("line", s.line)
        .close('}');
  }
  j.close(']');
  j.key("perf_calls").open('[');
  for (const PerfCall& call : r.perf_calls) {
    j.open('{')
        .member("routine", call.routine)
        .member("iterations", call.iterations)
        .member("calibrated", call.calibrated)
        .member("short_calls", call.short_calls)
        .close('}');
  }
  j.close(']');
  writePerf(j, r);
  writeBaseline(j, r.baseline);
  j.close('}');
  return j.text();
}

}  // namespace zq::harness
