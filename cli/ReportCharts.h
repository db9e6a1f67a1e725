#pragma once
// Bar charts of the report page as inline SVG: samples against generated
// names, side by side per category.

#include <string>
#include <vector>

namespace vael::cli {

struct ChartData {
  std::string caption;   // escaped UTF-8
  std::string xLabel;    // escaped UTF-8
  std::string yLabel;    // escaped UTF-8
  std::vector<std::string> categories;  // escaped UTF-8, one per bar pair
  std::vector<double> samples;    // percent, one per category
  std::vector<double> generated;  // percent, one per category
  bool samplesKnown = true;       // false: only the generated series is drawn
};

// A <figure> with the chart, or with a line saying there is nothing to chart
// when there are no categories.
std::string BarChart(const ChartData& chart);

}  // namespace vael::cli
