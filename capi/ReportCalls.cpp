// The report figures: one setting measured, and a whole chapter report.

#include <memory>
#include <optional>
#include <string>

#include "capi/Failure.h"
#include "capi/Handles.h"
#include "capi/Options.h"
#include "core/analysis/ChapterReport.h"
#include "core/analysis/Judgement.h"
#include "core/analysis/SampleComparison.h"
#include "core/analysis/SettingFigures.h"

namespace vael::capi {
namespace {

// vaelgen --figures takes as many.
constexpr int kMaxMeasuredNames = 1000000;

int CheckCount(const char* call, const char* what, int count) {
  if (count >= 1 && count <= kMaxMeasuredNames) return VAEL_OK;
  return Fail(VAEL_E_ARGUMENT, std::string(call) + ": " + what + " is " + std::to_string(count) +
                                   "; it takes 1 to " + std::to_string(kMaxMeasuredNames));
}

int FiguresOut(const char* call, const SettingFigures& figures, vael_figures* out) {
  if (out == nullptr) return NullArgument(call, "figures");
  if (int status = CheckSize(call, "vael_figures", out->size, sizeof(vael_figures))) return status;
  out->compared = figures.compared;
  out->names = figures.names;
  out->distinct = figures.distinct;
  out->distinct_new = figures.distinctNew;
  out->sample_copies = figures.sampleCopies;
  out->near_copies = figures.nearCopies;
  out->unseen_pairs = figures.unseenPairs;
  out->mean_length = figures.meanLength;
  out->expected_mean_length = figures.expectedMeanLength;
  out->length_gap = figures.lengthGap;
  out->initial_gap = figures.initialGap;
  out->accent_gap = figures.accentGap;
  // The header's bits are 1 << Bound.
  out->broken = BrokenBounds(figures);
  return VAEL_OK;
}

}  // namespace
}  // namespace vael::capi

using namespace vael::capi;

static_assert(VAEL_BOUND_COPIES == 1u << static_cast<int>(vael::Bound::Copies));
static_assert(VAEL_BOUND_ACCENTS == 1u << static_cast<int>(vael::Bound::Accents));
static_assert(vael::kBoundCount == 6);

extern "C" {

int vael_chapter_measure(const vael_chapter* chapter, const vael_options* options, int names,
                         uint32_t seed, vael_figures* out) {
  constexpr const char* call = "vael_chapter_measure";
  return Guarded(call, [&] {
    if (chapter == nullptr) return NullArgument(call, "chapter");
    if (out == nullptr) return NullArgument(call, "out");
    if (int status = CheckCount(call, "names", names)) return status;
    vael::GenerationOptions request;
    if (int status = RequestFromOptions(call, *chapter->chapter, options, request)) return status;
    std::optional<vael::SampleComparison> comparison;
    if (chapter->samples) comparison.emplace(*chapter->chapter, *chapter->samples);
    const vael::SettingFigures figures = vael::MeasureSetting(
        *chapter->chapter, request, comparison ? &*comparison : nullptr, names, seed);
    return FiguresOut(call, figures, out);
  });
}

int vael_chapter_report(const vael_chapter* chapter, int names_per_setting, uint32_t seed,
                        vael_report** out) {
  constexpr const char* call = "vael_chapter_report";
  return Guarded(call, [&] {
    if (out == nullptr) return NullArgument(call, "out");
    *out = nullptr;
    if (chapter == nullptr) return NullArgument(call, "chapter");
    if (int status = CheckCount(call, "names_per_setting", names_per_setting)) return status;
    auto report = std::make_unique<vael_report>();
    report->report = vael::MakeChapterReport(*chapter->chapter,
                                             chapter->samples.get(),
                                             seed, names_per_setting);
    // The judgement's reasons are written in plain ASCII.
    report->reason = report->report.judgement.reason;
    *out = report.release();
    return VAEL_OK;
  });
}

void vael_report_free(vael_report* report) { delete report; }

int vael_report_rows(const vael_report* report) {
  return report != nullptr ? static_cast<int>(report->report.rows.size()) : 0;
}

int vael_report_row(const vael_report* report, int row, vael_options* setting,
                    vael_figures* figures) {
  constexpr const char* call = "vael_report_row";
  return Guarded(call, [&] {
    if (report == nullptr) return NullArgument(call, "report");
    const auto& rows = report->report.rows;
    if (row < 0 || row >= static_cast<int>(rows.size())) {
      return Fail(VAEL_E_ARGUMENT, std::string(call) + ": row " + std::to_string(row) +
                                       " is not one of the report's " +
                                       std::to_string(rows.size()));
    }
    const vael::SettingFigures& figures_ = rows[static_cast<std::size_t>(row)];
    if (setting != nullptr) {
      if (int status = OptionsFromRequest(call, figures_.setting, setting)) return status;
    }
    if (figures != nullptr) return FiguresOut(call, figures_, figures);
    return VAEL_OK;
  });
}

int vael_report_best(const vael_report* report) {
  return report != nullptr ? report->report.judgement.best : -1;
}

int vael_report_closest(const vael_report* report) {
  return report != nullptr ? report->report.judgement.closest : -1;
}

int vael_report_recommended_row(const vael_report* report) {
  return report != nullptr ? report->report.recommendedRow : -1;
}

const char* vael_report_reason(const vael_report* report) {
  return report != nullptr ? report->reason.c_str() : "";
}

}  // extern "C"
