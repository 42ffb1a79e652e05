// The HTML report: one self-contained page with the row x locale matrix, drill-down to each
// failure with its differences marked, and the perf results as bar charts.
//
// The page needs no script: each failing cell links to its section, which CSS shows
// only while it is the target of the address. A content security policy forbids
// every fetch, so the page never reaches the network.
#include <algorithm>
#include <cstdio>
#include <set>

#include "harness/catalog.h"
#include "harness/documents.h"
#include "harness/html_sections.h"
#include "harness/render.h"

namespace zq::harness {
namespace {

// Failures shown per cell; results.json keeps them all.
constexpr std::size_t kFailuresPerCell = 200;

std::string esc(const std::string& utf8) { return escapeMarkup(utf8); }

std::string hex(char32_t unit) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(unit));
  return text;
}

// The short name shown for an invisible unit and its full name, or null for units
// without one (they show as U+XXXX).
const char* invisibleName(char32_t unit, const char** full) {
  // unit -> abbreviation, name: the blanks and marks met in formatted numbers and
  // dates, and the controls a broken host might leave.
  struct Named {
    char32_t unit;
    const char* abbreviation;
    const char* name;
  };
  static constexpr Named kNamed[] = {
      {0x0000, "NUL", "null"},
      {0x0009, "TAB", "character tabulation"},
      {0x000A, "LF", "line feed"},
      {0x000D, "CR", "carriage return"},
      {0x0020, "SP", "space (trailing)"},
      {0x00A0, "NBSP", "no-break space"},
      {0x00AD, "SHY", "soft hyphen"},
      {0x061C, "ALM", "arabic letter mark"},
      {0x2007, "FIGSP", "figure space"},
      {0x2009, "THSP", "thin space"},
      {0x200A, "HSP", "hair space"},
      {0x200B, "ZWSP", "zero width space"},
      {0x200C, "ZWNJ", "zero width non-joiner"},
      {0x200D, "ZWJ", "zero width joiner"},
      {0x200E, "LRM", "left-to-right mark"},
      {0x200F, "RLM", "right-to-left mark"},
      {0x202F, "NNBSP", "narrow no-break space"},
      {0x2060, "WJ", "word joiner"},
      {0x3000, "IDSP", "ideographic space"},
      {0xFEFF, "BOM", "zero width no-break space"},
  };
  for (const Named& named : kNamed) {
    if (named.unit != unit) continue;
    *full = named.name;
    return named.abbreviation;
  }
  return nullptr;
}

std::string badge(char32_t unit) {
  const char* full = nullptr;
  const char* shown = invisibleName(unit, &full);
  if (shown == nullptr) return "<span class=\"inv\" title=\"" + hex(unit) + "\">" + hex(unit) + "</span>";
  return "<span class=\"inv\" title=\"" + hex(unit) + " " + full + "\">" + shown + "</span>";
}

// The units as HTML: invisible ones, and blanks at the end, as named badges; with
// `other`, every unit that differs from the unit at the same place there (or has no
// counterpart) is marked.
std::string unitsHtml(const std::u32string& units, const std::u32string* other) {
  if (units.empty()) return "<span class=\"empty\">(empty)</span>";
  std::size_t trailing_from = units.size();
  while (trailing_from > 0 && units[trailing_from - 1] == U' ') --trailing_from;
  std::string out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char32_t unit = units[i];
    const bool invisible = unit > 0x10FFFF || isInvisible(static_cast<ZQChar>(unit));
    std::string shown = invisible || i >= trailing_from ? badge(unit) : esc(utf8Of({unit}));
    const bool differs = other != nullptr && (i >= other->size() || (*other)[i] != unit);
    out += differs ? "<mark title=\"differs\">" + shown + "</mark>" : shown;
  }
  return out;
}

// The places where two texts differ, as "3 units differ: at 1, 4, 5".
std::string differenceNote(const std::u32string& a, const std::u32string& b) {
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    if (i >= a.size() || i >= b.size() || a[i] != b[i]) at.push_back(i);
  }
  if (at.empty()) return "the compared units are equal";
  std::string out = std::to_string(at.size()) + (at.size() == 1 ? " unit differs" : " units differ") + ": at ";
  for (std::size_t i = 0; i < at.size() && i < 12; ++i) out += (i == 0 ? "" : ", ") + std::to_string(at[i]);
  if (at.size() > 12) out += ", ...";
  if (a.size() != b.size()) {
    out += " (lengths " + std::to_string(a.size()) + " and " + std::to_string(b.size()) + ")";
  }
  return out;
}

std::string codePointRow(const char* label, const std::u32string& units, const std::u32string& other) {
  std::string out = "<tr><th scope=\"row\">" + std::string(label) + "</th>";
  for (std::size_t i = 0; i < units.size(); ++i) {
    const bool differs = i >= other.size() || other[i] != units[i];
    const std::string cell = hex(units[i]);
    out += "<td>" + (differs ? "<mark title=\"differs\">" + cell + "</mark>" : cell) + "</td>";
  }
  return out + "</tr>";
}

std::string journalHtml(const std::vector<std::u32string>& before, const std::vector<std::u32string>& after) {
  if (before.empty() && after.empty()) return "";
  std::string out = "<div class=\"journal\"><p class=\"label\">journal lines around the check</p><ol>";
  for (const std::u32string& line : before) {
    out += "<li class=\"before\"><span class=\"when\">before</span> " + unitsHtml(line, nullptr) + "</li>";
  }
  for (const std::u32string& line : after) {
    out += "<li><span class=\"when\">after</span> " + unitsHtml(line, nullptr) + "</li>";
  }
  return out + "</ol></div>";
}

std::string failureHtml(const CheckFailure& f) {
  const bool expected = f.outcome == Outcome::XFail;
  std::string out = std::string("<article class=\"failure ") + (expected ? "xfail" : "fail") + "\">";
  out += std::string("<h5><span class=\"tag\">") + (expected ? "XFAIL" : "FAIL") + "</span> " +
         checkKindName(f.kind) + " check <code>" + esc(f.expression) + "</code>";
  if (f.kind == CheckKind::Buffer) out += " against <code>" + esc(f.expected_expression) + "</code>";
  out += " at <code>" + esc(f.source) + ":" + std::to_string(f.line) + "</code></h5>";
  out += "<p class=\"step\"><span class=\"label\">step</span> " +
         (f.step.empty() ? std::string("(none)") : "<code>" + esc(f.step) + "</code>") + "</p>";
  if (expected) out += "<p class=\"reason\"><span class=\"label\">expected because</span> " + esc(f.reason) + "</p>";
  if (f.valuesInJournal() && !f.journal_after.empty()) {
    out += "<p>The suite registers this value failure as a check of 0 against 1; the values are in "
           "the journal lines below.</p>";
  } else {
    const std::string actual_label =
        f.kind == CheckKind::Buffer ? " <code>" + esc(f.expression) + "</code>" : "";
    const std::string expected_label =
        f.kind == CheckKind::Buffer ? " <code>" + esc(f.expected_expression) + "</code>" : "";
    out += "<table class=\"pair\"><thead><tr><th scope=\"col\">expected" + expected_label +
           "</th><th scope=\"col\">actual" + actual_label + "</th></tr></thead><tbody><tr><td>" +
           unitsHtml(f.expected_units, &f.actual_units) + "</td><td>" +
           unitsHtml(f.actual_units, &f.expected_units) + "</td></tr></tbody></table>";
    out += "<p class=\"diffnote\">" + esc(differenceNote(f.expected_units, f.actual_units)) + "</p>";
    out += "<details><summary>code points</summary><table class=\"cp\">" +
           codePointRow("expected", f.expected_units, f.actual_units) +
           codePointRow("actual", f.actual_units, f.expected_units) + "</table></details>";
  }
  if (!f.note.empty()) out += "<p class=\"note\"><span class=\"label\">note</span> " + esc(f.note) + "</p>";
  if (!f.messages_before.empty() || !f.messages_after.empty()) {
    out += "<div class=\"messages\"><p class=\"label\">messages</p><ul>";
    for (const std::string& m : f.messages_before) out += "<li><span class=\"when\">before</span> " + esc(m) + "</li>";
    for (const std::string& m : f.messages_after) out += "<li><span class=\"when\">after</span> " + esc(m) + "</li>";
    out += "</ul></div>";
  }
  out += journalHtml(f.journal_before, f.journal_after);
  return out + "</article>";
}

// An id made of letters, digits, '-' and '_' only.
std::string idPart(const std::string& text) {
  std::string out;
  for (char c : text) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    out += plain ? c : '-';
  }
  return out;
}

// The matrix's view of the run: rows, columns and what each cell holds.
struct Cell {
  std::int64_t checks = 0;
  std::int64_t failed = 0;
  std::int64_t xfail = 0;
  std::vector<const CheckFailure*> failures;
};

struct Matrix {
  std::vector<std::pair<std::string, std::string>> rows;  // (area, suite)
  std::vector<std::string> locales;                       // sorted; "" (no locale) last
  std::map<std::pair<std::string, std::string>, Cell> cells;  // (area, locale)
};

Matrix matrixOf(const RunResults& r) {
  Matrix m;
  std::set<std::string> locales;
  for (const SuiteResult& suite : r.suites) {
    for (const std::string& area : suite.tally.areas) m.rows.emplace_back(area, suite.name);
    for (const auto& [place, counts] : suite.tally.cells) {
      Cell& cell = m.cells[{place.area, place.locale}];
      cell.checks += counts.checks;
      cell.failed += counts.failed;
      locales.insert(place.locale);
    }
    for (const CheckFailure& f : suite.tally.failures) {
      Cell& cell = m.cells[{f.place.area, f.place.locale}];
      if (f.outcome == Outcome::XFail) ++cell.xfail;
      cell.failures.push_back(&f);
    }
  }
  for (const std::string& locale : locales) {
    if (!locale.empty()) m.locales.push_back(locale);
  }
  if (locales.count("") != 0) m.locales.push_back("");
  return m;
}

std::string matrixCell(const std::string& area, const std::string& locale, const Cell* cell) {
  if (cell == nullptr || cell->checks == 0) {
    return "<td class=\"none\"><span aria-hidden=\"true\">&#8211;</span><span class=\"sr\">no checks</span></td>";
  }
  const std::int64_t passed = cell->checks - cell->failed;
  const std::int64_t unexpected = cell->failed - cell->xfail;
  const std::string counts = std::to_string(passed) + " / " + std::to_string(cell->checks);
  if (cell->failed == 0) {
    return "<td class=\"pass\"><span aria-hidden=\"true\">&#10003;</span> " + counts +
           "<span class=\"sr\"> passed</span></td>";
  }
  const char* kind = unexpected > 0 ? "fail" : "xfail";
  const char* symbol = unexpected > 0 ? "&#10007;" : "&#9681;";
  std::string label = area + " in " + localeLabel(locale) + ": " + std::to_string(passed) + " of " +
                      std::to_string(cell->checks) + " passed, " + std::to_string(unexpected) + " failed";
  if (cell->xfail > 0) label += ", " + std::to_string(cell->xfail) + " expected to fail";
  return std::string("<td class=\"") + kind + "\"><a href=\"#" + cellId(area, locale) + "\" aria-label=\"" +
         esc(label) + "\"><span aria-hidden=\"true\">" + symbol + "</span> " + counts + "</a></td>";
}

std::string matrixHtml(const Matrix& m) {
  std::string out =
      "<section id=\"matrix\" aria-labelledby=\"matrix-title\"><h2 id=\"matrix-title\">Checks by suite and "
      "locale</h2><p class=\"legend\"><span class=\"key pass\">&#10003; all passed</span> <span class=\"key "
      "fail\">&#10007; unexpected failures</span> <span class=\"key xfail\">&#9681; expected failures "
      "only</span> Each cell shows passed / total checks; a failing cell opens its failures.</p>"
      "<div class=\"scroll\"><table class=\"matrix\"><thead><tr><th scope=\"col\">suite</th>";
  for (const std::string& locale : m.locales) out += "<th scope=\"col\">" + esc(localeLabel(locale)) + "</th>";
  out += "<th scope=\"col\">all</th></tr></thead><tbody>";
  for (const auto& [area, suite] : m.rows) {
    out += "<tr><th scope=\"row\">" + esc(area);
    if (area != suite) out += " <span class=\"suite\">" + esc(suite) + "</span>";
    out += "</th>";
    Cell total;
    for (const std::string& locale : m.locales) {
      const auto it = m.cells.find({area, locale});
      const Cell* cell = it == m.cells.end() ? nullptr : &it->second;
      out += matrixCell(area, locale, cell);
      if (cell == nullptr) continue;
      total.checks += cell->checks;
      total.failed += cell->failed;
      total.xfail += cell->xfail;
    }
    const std::int64_t passed = total.checks - total.failed;
    out += "<td class=\"total\">" + std::to_string(passed) + " / " + std::to_string(total.checks) + "</td></tr>";
  }
  return out + "</tbody></table></div></section>";
}

std::string drillHtml(const std::string& area, const std::string& locale, const Cell& cell) {
  const std::int64_t unexpected = cell.failed - cell.xfail;
  std::string out = "<section class=\"drill\" id=\"" + cellId(area, locale) + "\" tabindex=\"-1\"><h3>" + esc(area) +
                    " in " + esc(localeLabel(locale)) + ": " + std::to_string(unexpected) + " failed";
  if (cell.xfail > 0) out += ", " + std::to_string(cell.xfail) + " expected to fail";
  out += ", of " + std::to_string(cell.checks) + " checks</h3>";
  // Failures in the order made, under a heading whenever the family changes.
  std::string family;
  std::size_t shown = 0;
  for (const CheckFailure* f : cell.failures) {
    if (shown == kFailuresPerCell) break;
    if (shown == 0 || f->place.family != family) {
      family = f->place.family;
      out += "<h4>" + esc(family) + "</h4>";
    }
    out += failureHtml(*f);
    ++shown;
  }
  if (static_cast<std::int64_t>(shown) < cell.failed) {
    out += "<p>" + std::to_string(cell.failed - static_cast<std::int64_t>(shown)) +
           " more failures are not shown here; the JSON results hold every kept failure.</p>";
  }
  return out + "<p><a href=\"#matrix\">Back to the matrix</a></p></section>";
}

// One line per failure, each linking to its cell: what failed, where, and why.
std::string glanceHtml(const RunResults& r) {
  constexpr std::size_t kListed = 50;
  std::string items;
  std::size_t listed = 0;
  for (const SuiteResult& suite : r.suites) {
    for (const CheckFailure& f : suite.tally.failures) {
      if (f.outcome != Outcome::Fail || listed == kListed) continue;
      ++listed;
      std::string why = f.valuesInJournal() && !f.journal_after.empty()
                            ? visibleText(f.journal_after.front())
                            : "expected " + f.expected + ", actual " + f.actual;
      items += "<li><a href=\"#" + cellId(f.place.area, f.place.locale) + "\">" + esc(f.place.area) + " in " +
               esc(localeLabel(f.place.locale)) + "</a> <code>" + esc(f.place.family) + "</code> " +
               checkKindName(f.kind) + " check: " + esc(why) + "</li>";
    }
  }
  if (items.empty()) return "";
  const std::int64_t unexpected = r.unexpectedFailures();
  std::string out = "<section id=\"failures\" aria-labelledby=\"failures-title\"><h2 id=\"failures-title\">"
                    "Unexpected failures</h2><ol class=\"glance\">" + items + "</ol>";
  if (unexpected > static_cast<std::int64_t>(listed)) {
    out += "<p>and " + std::to_string(unexpected - static_cast<std::int64_t>(listed)) + " more.</p>";
  }
  return out + "</section>";
}

std::string staleHtml(const RunResults& r) {
  if (r.stale.empty()) return "";
  std::string out =
      "<section id=\"xpass\" aria-labelledby=\"xpass-title\"><h2 id=\"xpass-title\">Expected failures that "
      "passed (XPASS)</h2><p>These entries of " + esc(r.info.expect_file) +
      " matched no failed check: the checks now pass, so the entries are stale.</p><table><thead><tr><th "
      "scope=\"col\">line</th><th scope=\"col\">suite</th><th scope=\"col\">locale</th><th "
      "scope=\"col\">key</th><th scope=\"col\">reason</th></tr></thead><tbody>";
  for (const StaleExpectation& s : r.stale) {
    out += "<tr><td>" + std::to_string(s.line) + "</td><td>" + esc(s.area) + "</td><td>" +
           esc(localeLabel(s.locale)) + "</td><td><code>" + esc(s.key) + "</code></td><td>" + esc(s.reason) +
           "</td></tr>";
  }
  return out + "</tbody></table></section>";
}

constexpr const char* kStyle = R"(
:root{--pass:#1a7f37;--pass-bg:#dafbe1;--fail:#b42318;--fail-bg:#ffe4e0;--xfail:#7a5800;--xfail-bg:#fff3c4;
--line:#d0d7de;--muted:#57606a;font-family:system-ui,-apple-system,"Segoe UI",sans-serif;color:#1f2328}
body{margin:0 auto;max-width:1280px;padding:1rem 1.5rem 3rem;line-height:1.45}
h1{font-size:1.5rem;margin:.2rem 0}h2{font-size:1.2rem;margin:1.6rem 0 .5rem}h3{font-size:1.05rem}
h4{font-size:.95rem;margin:1rem 0 .3rem;font-family:ui-monospace,monospace}h5{font-size:.9rem;margin:0 0 .4rem;font-weight:600}
code,.mono,.pair td,.cp td,.journal li{font-family:ui-monospace,"DejaVu Sans Mono",monospace}
.facts{display:grid;grid-template-columns:max-content 1fr;gap:.15rem 1rem;margin:.6rem 0;font-size:.9rem}
.facts dt{color:var(--muted)}.facts dd{margin:0}
.verdict{display:inline-block;padding:.2rem .6rem;border-radius:4px;font-weight:600;border:1px solid}
.verdict.pass{color:var(--pass);background:var(--pass-bg)}.verdict.fail{color:var(--fail);background:var(--fail-bg)}
.scroll{overflow-x:auto;position:relative;max-width:100%}
table{border-collapse:collapse;font-size:.85rem}th,td{border:1px solid var(--line);padding:.25rem .45rem;text-align:left}
thead th{background:#f6f8fa}
.matrix td{text-align:center;white-space:nowrap;min-width:3.6rem;padding:.2rem .3rem}
.matrix th[scope=row]{white-space:nowrap;position:sticky;left:0;z-index:1;background:#fff;box-shadow:2px 0 0 var(--line)}
.matrix thead th:first-child{position:sticky;left:0;z-index:2;box-shadow:2px 0 0 var(--line)}
.matrix .suite{color:var(--muted);font-weight:400;font-size:.8em}
td.pass{background:var(--pass-bg);color:var(--pass)}td.fail{background:var(--fail-bg);color:var(--fail);font-weight:600}
td.xfail{background:var(--xfail-bg);color:var(--xfail)}td.none{color:var(--muted)}td.total{font-weight:600}
td.fail a,td.xfail a{color:inherit;display:block;text-decoration:underline}
.legend{font-size:.85rem;color:var(--muted)}.key{padding:0 .35rem;border-radius:3px;margin-right:.4rem}
.key.pass{background:var(--pass-bg);color:var(--pass)}.key.fail{background:var(--fail-bg);color:var(--fail)}
.key.xfail{background:var(--xfail-bg);color:var(--xfail)}
.drill{display:none;border:2px solid var(--fail);border-radius:6px;padding:.2rem 1rem 1rem;margin:1.2rem 0}
.drill:target{display:block}
.failure{border-left:4px solid var(--fail);background:#fffafa;padding:.5rem .8rem;margin:.6rem 0}
.failure.xfail{border-left-color:var(--xfail);background:#fffdf2}
.tag{display:inline-block;font-size:.75rem;padding:0 .35rem;border-radius:3px;background:var(--fail);color:#fff}
.xfail .tag{background:var(--xfail)}
.label{color:var(--muted);font-size:.8rem;margin-right:.3rem}.failure p{margin:.3rem 0}
.pair{margin:.4rem 0;width:100%}.pair td{font-size:1rem;white-space:pre-wrap;width:50%}
mark{background:#ffd33d;color:#000;outline:1px solid #9a6700;text-decoration:underline wavy #b42318}
.inv{display:inline-block;font-size:.65rem;line-height:1.1;padding:0 .2rem;margin:0 .05rem;border:1px dashed #6e7781;
border-radius:3px;color:#3d4852;background:#eef1f4;vertical-align:middle}
.empty{color:var(--muted);font-style:italic}.diffnote{font-size:.85rem;color:var(--muted)}
.cp td{font-size:.75rem;padding:.1rem .3rem}details{margin:.3rem 0}summary{cursor:pointer;font-size:.85rem}
.journal ol,.messages ul{margin:.2rem 0;padding-left:1.2rem;font-size:.85rem}.journal li{white-space:pre-wrap}
.when{color:var(--muted);font-size:.75rem;font-family:system-ui,sans-serif}
.charts{display:grid;grid-template-columns:repeat(auto-fill,minmax(540px,1fr));gap:0 1.5rem}
.glance{font-size:.9rem;padding-left:1.4rem}.glance li{margin:.15rem 0}
.chart{margin:1rem 0}.chart figcaption{font-size:.9rem;margin-bottom:.3rem}
.chart text{font:12px ui-monospace,"DejaVu Sans Mono",monospace;fill:#1f2328}.bar{fill:#2f6feb}
.chart rect.base{fill:#8c959f}.chart text.base{font-size:10px;fill:var(--muted)}
.chart rect.imprecise{fill-opacity:.45}.chart rect.bound{fill-opacity:0;stroke:#2f6feb;stroke-dasharray:3 2}
.chart rect.base.bound{stroke:#8c959f}
td.num{text-align:right;font-variant-numeric:tabular-nums}td.marked{color:var(--muted)}
td.slower,tr.newfail td:first-child{color:var(--fail);font-weight:600}tr.newpass td:first-child{color:var(--pass)}
.calls,.changes{font-size:.9rem;margin:.2rem 0}
.sr{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);white-space:nowrap}
a:focus-visible,summary:focus-visible{outline:3px solid #0969da;outline-offset:2px}
)";

}  // namespace

std::string localeLabel(const std::string& locale) { return locale.empty() ? "no locale" : locale; }

std::string cellId(const std::string& area, const std::string& locale) {
  return "cell-" + idPart(area) + "-" + (locale.empty() ? std::string("none") : idPart(locale));
}

std::string htmlReport(const RunResults& r) {
  const Matrix m = matrixOf(r);
  const std::int64_t unexpected = r.unexpectedFailures();
  const bool passed = r.exit_code == 0;
  std::string verdict = passed ? "passed" : "failed";
  verdict += ": " + std::to_string(r.passed()) + " of " + std::to_string(r.checks()) + " checks passed, " +
             std::to_string(unexpected) + " failed";
  if (!r.info.expect_file.empty()) {
    verdict += ", " + std::to_string(r.expectedFailures()) + " expected to fail, " +
               std::to_string(r.stale.size()) + " expected failures passed";
  }
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
      "content=\"width=device-width, initial-scale=1\"><meta http-equiv=\"Content-Security-Policy\" "
      "content=\"default-src 'none'; style-src 'unsafe-inline'\"><title>zqtest report: " + esc(verdict) +
      "</title><style>" + kStyle + "</style></head><body><header><h1>zqtest report</h1><p class=\"verdict " +
      (passed ? "pass" : "fail") + "\">" + esc(verdict) + "</p><dl class=\"facts\"><dt>library</dt><dd>" +
      esc(r.info.extension) + " " + esc(r.info.version) + "</dd><dt>requires host</dt><dd>" +
      esc(r.info.required_host) + "</dd><dt>run code</dt><dd><code>" + esc(r.info.run_code) +
      "</code></dd><dt>decimal conversion</dt><dd>" + esc(r.info.decimal_conversion) +
      "</dd><dt>date</dt><dd>" + esc(r.info.date) + "</dd>";
  if (!r.info.expect_file.empty()) out += "<dt>expectations</dt><dd><code>" + esc(r.info.expect_file) + "</code></dd>";
  if (r.leaked) out += "<dt>host</dt><dd>objects leaked at shutdown</dd>";
  for (const SuiteResult& suite : r.suites) {
    if (suite.returned != 0) {
      out += "<dt>" + esc(suite.name) + "</dt><dd>returned " + std::to_string(suite.returned) + "</dd>";
    }
  }
  out += "</dl></header><main>" + matrixHtml(m) + glanceHtml(r) + changesHtml(r);
  for (const auto& [area, suite] : m.rows) {
    for (const std::string& locale : m.locales) {
      const auto it = m.cells.find({area, locale});
      if (it != m.cells.end() && it->second.failed > 0) out += drillHtml(area, locale, it->second);
    }
  }
  out += staleHtml(r) + perfHtml(r) + "</main></body></html>\n";
  return out;
}

}  // namespace zq::harness
