// The HTML report's performance section and its changes against a baseline.
#include <algorithm>
#include <cstdio>

#include "harness/documents.h"
#include "harness/html_sections.h"
#include "harness/perf_calibration.h"
#include "harness/perf_listing.h"

namespace zq::harness {
namespace {

std::string esc(const std::string& utf8) { return escapeMarkup(utf8); }

// A timed case and, with a baseline, the same case there.
struct PerfRow {
  const PerfResult* result;
  const CaseComparison* compared;  // null where there is no baseline or it lacks the case
};

// A figure per call and the class its bar is drawn with: pale when imprecise, hollow
// when only a bound.
std::string barClass(const char* base, const std::optional<PerCall>& figure) {
  if (!figure || figure->precision == Precision::Precise) return base;
  return std::string(base) + (figure->precision == Precision::Imprecise ? " imprecise" : " bound");
}

// One horizontal bar chart: a bar per case of the routine, labelled with its locale and
// encoding, its CPU nanoseconds per call written beside it; with a baseline, a thin grey
// bar under each for the same case there, and the ratio.
std::string chartSvg(const std::string& routine, const std::vector<PerfRow>& rows, bool with_baseline,
                     int index) {
  constexpr int kLabelWidth = 190;
  constexpr int kBarSpace = 230;
  constexpr int kWidth = kLabelWidth + kBarSpace + 150;
  const int row_height = with_baseline ? 34 : 22;
  // The scale: the largest figure, bounds left out unless there is nothing else (a
  // bound may lie far above the true figure); longer bars stop at the edge.
  double top = 0;
  double top_bound = 0;
  const auto scale = [&](const std::optional<PerCall>& f) {
    if (!f) return;
    double& edge = f->precision == Precision::UpperBound ? top_bound : top;
    edge = std::max(edge, f->ns);
  };
  for (const PerfRow& row : rows) {
    scale(row.result->cpuPerCall());
    if (row.compared != nullptr) scale(row.compared->baseline.cpuPerCall());
  }
  if (top == 0) top = top_bound;
  // A bar with its value written after it; its title tells the whole figure.
  const auto bar = [&](const std::optional<PerCall>& figure, const char* base, int y, int height,
                       const std::string& title, const std::string& text) {
    const double value = figure ? std::min(figure->ns, top) : 0;
    const int width = std::max(1, top > 0 ? static_cast<int>(value / top * kBarSpace + 0.5) : 0);
    return "<rect x=\"" + std::to_string(kLabelWidth) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
           std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" class=\"" +
           barClass(base, figure) + "\"><title>" + esc(title) + "</title></rect><text x=\"" +
           std::to_string(kLabelWidth + width + 6) + "\" y=\"" + std::to_string(y + height - 2) +
           "\" class=\"" + base + "\">" + esc(text) + "</text>";
  };
  const int height = static_cast<int>(rows.size()) * row_height + 8;
  const std::string title_id = "chart-title-" + std::to_string(index);
  std::string out = "<figure class=\"chart\"><figcaption id=\"" + title_id + "\"><code>" + esc(routine) +
                    "</code>: CPU ns per call, by locale and encoding" +
                    (with_baseline ? "; under each bar, in grey, the baseline's" : "") +
                    "</figcaption><svg xmlns=\"http://www.w3.org/2000/svg\" role=\"img\" aria-labelledby=\"" +
                    title_id + "\" width=\"" + std::to_string(kWidth) + "\" height=\"" + std::to_string(height) +
                    "\" viewBox=\"0 0 " + std::to_string(kWidth) + " " + std::to_string(height) + "\">";
  int y = 4;
  for (const PerfRow& row : rows) {
    const PerfResult& p = *row.result;
    const std::string label = p.locale + " " + p.encoding;
    const std::string figure = perCallText(p.cpuPerCall());
    const bool has_ratio = row.compared != nullptr && row.compared->ratio;
    const std::string ratio = has_ratio ? "  " + ratioText(*row.compared) : "";
    out += "<text x=\"" + std::to_string(kLabelWidth - 8) + "\" y=\"" + std::to_string(y + 15) +
           "\" text-anchor=\"end\">" + esc(label) + "</text>" +
           bar(p.cpuPerCall(), "bar", y + 3, 16, label + ": " + figure + " ns per call, " +
               std::to_string(p.iterations) + " iterations", figure + ratio);
    if (row.compared != nullptr) {
      const std::optional<PerCall> then = row.compared->baseline.cpuPerCall();
      const std::string before = perCallText(then);
      out += bar(then, "base", y + 21, 9, label + " in the baseline: " + before + " ns per call, " +
                 std::to_string(row.compared->baseline.iterations) + " iterations", "baseline " + before);
    } else if (with_baseline) {
      out += "<text x=\"" + std::to_string(kLabelWidth) + "\" y=\"" + std::to_string(y + 30) +
             "\" class=\"base\">not in the baseline</text>";
    }
    y += row_height;
  }
  return out + "</svg></figure>";
}

// How each call's iterations were chosen.
std::string iterationsHtml(const std::vector<PerfCall>& calls) {
  std::string items;
  for (const PerfCall& call : calls) {
    items += "<li>routine " + std::to_string(call.routine) + ": " +
             (call.iterations > 0 ? std::to_string(call.iterations) : std::string("each case's default")) +
             (call.calibrated ? " iterations, calibrated by " + std::to_string(call.short_calls) + " short calls"
                              : std::string(" iterations, as given")) +
             "</li>";
  }
  if (items.empty()) return "";
  return "<p>Iterations a case, per call of the suite; a calibrated call gives each case at least " +
         std::to_string(kCalibratedCaseMs) + " ms of CPU time:</p><ul class=\"calls\">" + items + "</ul>";
}

std::string figureCell(const std::optional<PerCall>& figure) {
  const bool marked = figure && figure->precision != Precision::Precise;
  return std::string("<td class=\"num") + (marked ? " marked" : "") + "\">" + esc(perCallText(figure)) + "</td>";
}

}  // namespace

std::string perfHtml(const RunResults& r) {
  if (r.perf.empty()) return "";
  std::vector<PerfRow> rows;
  for (const PerfResult& p : r.perf) rows.push_back({&p, nullptr});
  if (r.baseline) {
    for (const CaseComparison& c : r.baseline->cases) rows[c.perf_index].compared = &c;
  }
  const bool with_baseline = r.baseline && r.baseline->has_perf;
  std::string out =
      "<section id=\"perf\" aria-labelledby=\"perf-title\"><h2 id=\"perf-title\">Performance</h2><p>CPU time "
      "(user and system) per call of each timed case, in nanoseconds: the suite's whole milliseconds over the "
      "iterations. A figure from fewer than " + std::to_string(kPreciseFromMs) +
      " ms in all is imprecise (marked ~, drawn pale); one from 0 ms is only an upper bound (marked &lt;, "
      "drawn hollow).</p>" + iterationsHtml(r.perf_calls);
  std::vector<std::string> routines;
  for (const PerfResult& p : r.perf) {
    if (std::find(routines.begin(), routines.end(), p.routine) == routines.end()) routines.push_back(p.routine);
  }
  out += "<div class=\"charts\">";
  int index = 0;
  for (const std::string& routine : routines) {
    std::vector<PerfRow> chart_rows;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(chart_rows),
                 [&](const PerfRow& row) { return row.result->routine == routine; });
    out += chartSvg(routine, chart_rows, with_baseline, index++);
  }
  out += "</div>";
  out +=
      "<details><summary>all perf results</summary><div class=\"scroll\"><table><thead><tr><th "
      "scope=\"col\">routine</th><th scope=\"col\">locale</th><th scope=\"col\">encoding</th><th "
      "scope=\"col\">iterations</th><th scope=\"col\">user CPU ms</th><th scope=\"col\">system CPU ms</th><th "
      "scope=\"col\">elapsed ms</th><th scope=\"col\">CPU ns per call</th><th scope=\"col\">elapsed ns per "
      "call</th>";
  if (with_baseline) out += "<th scope=\"col\">baseline CPU ns per call</th><th scope=\"col\">ratio</th>";
  out += "<th scope=\"col\">description</th></tr></thead><tbody>";
  for (const PerfRow& row : rows) {
    const PerfResult& p = *row.result;
    out += "<tr><td>" + esc(p.routine) + "</td><td>" + esc(p.locale) + "</td><td>" + esc(p.encoding) +
           "</td><td class=\"num\">" + std::to_string(p.iterations) + "</td><td class=\"num\">" +
           std::to_string(p.user_ms) + "</td><td class=\"num\">" + std::to_string(p.system_ms) +
           "</td><td class=\"num\">" + std::to_string(p.elapsed_ms) + "</td>" + figureCell(p.cpuPerCall()) +
           figureCell(p.elapsedPerCall());
    if (with_baseline && row.compared != nullptr) {
      out += figureCell(row.compared->baseline.cpuPerCall()) + "<td class=\"num" +
             (row.compared->slower ? " slower" : "") + "\">" + esc(ratioText(*row.compared)) + "</td>";
    } else if (with_baseline) {
      out += "<td>not in the baseline</td><td></td>";
    }
    out += "<td>" + esc(p.description) + "</td></tr>";
  }
  return out + "</tbody></table></div></details></section>";
}

std::string changesHtml(const RunResults& r) {
  if (!r.baseline) return "";
  const BaselineComparison& b = *r.baseline;
  const auto count = [&](GroupChange change) { return std::to_string(b.count(change)); };
  std::string out =
      "<section id=\"changes\" aria-labelledby=\"changes-title\"><h2 id=\"changes-title\">Changes against the "
      "baseline</h2><p>Compared with <code>" + esc(b.dir) + "</code> (" + esc(b.schema) +
      "). A check group is a suite (or conformance suite), a locale and an operation; it fails when any of its "
      "checks fails.</p><ul class=\"changes\"><li>" + count(GroupChange::NewlyFailing) +
      " check groups newly failing</li><li>" + count(GroupChange::NewlyPassing) +
      " newly passing</li><li>" +
      std::to_string(b.count(GroupChange::StillFailing) + b.count(GroupChange::StillPassing)) +
      " unchanged (" + count(GroupChange::StillFailing) + " failing in both)</li><li>" +
      count(GroupChange::NotRun) + " in the baseline only, not run here</li>";
  char threshold[32];
  std::snprintf(threshold, sizeof threshold, "%g %%", b.threshold_percent);
  if (b.has_perf) {
    out += "<li>" + std::to_string(b.cases.size()) + " timed cases compared, " +
           std::to_string(b.slowerCases()) + " slower than the baseline by more than " + threshold +
           " (only cases with precise figures on both sides are flagged)</li>";
  } else {
    out += "<li>the baseline holds no perf.csv: timings are not compared</li>";
  }
  out += "</ul>";
  if (!b.changed.empty()) {
    out += "<table><thead><tr><th scope=\"col\">change</th><th scope=\"col\">suite</th><th "
           "scope=\"col\">locale</th><th scope=\"col\">operation</th><th scope=\"col\">failed here</th><th "
           "scope=\"col\">failed in the baseline</th></tr></thead><tbody>";
    for (const GroupComparison& g : b.changed) {
      const bool failing = g.change == GroupChange::NewlyFailing;
      const std::string where = esc(localeLabel(g.place.locale));
      out += std::string("<tr class=\"") + (failing ? "newfail" : "newpass") + "\"><td>" +
             (failing ? "newly failing" : "newly passing") + "</td><td>" + esc(g.place.area) + "</td><td>" +
             (failing ? "<a href=\"#" + cellId(g.place.area, g.place.locale) + "\">" + where + "</a>" : where) +
             "</td><td><code>" + esc(g.place.family) + "</code></td><td class=\"num\">" +
             std::to_string(g.failed) + " of " + std::to_string(g.checks) + "</td><td class=\"num\">" +
             std::to_string(g.baseline_failed) + " of " + std::to_string(g.baseline_checks) + "</td></tr>";
    }
    out += "</tbody></table>";
  }
  std::string slower;
  for (const CaseComparison& c : b.cases) {
    if (!c.slower) continue;
    const PerfResult& p = r.perf[c.perf_index];
    slower += "<tr><td>" + esc(p.routine) + "</td><td>" + esc(p.locale) + "</td><td>" + esc(p.encoding) +
              "</td><td>" + esc(p.description) + "</td>" + figureCell(p.cpuPerCall()) +
              figureCell(c.baseline.cpuPerCall()) + "<td class=\"num slower\">" + esc(ratioText(c)) + "</td></tr>";
  }
  if (!slower.empty()) {
    out += "<h3>Timed cases slower than the baseline by more than " + std::string(threshold) +
           "</h3><table><thead><tr><th scope=\"col\">routine</th><th scope=\"col\">locale</th><th "
           "scope=\"col\">encoding</th><th scope=\"col\">description</th><th scope=\"col\">CPU ns per call</th><th "
           "scope=\"col\">baseline</th><th scope=\"col\">ratio</th></tr></thead><tbody>" + slower + "</tbody></table>";
  }
  return out + "</section>";
}

}  // namespace zq::harness
