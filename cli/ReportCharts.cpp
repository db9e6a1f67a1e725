#include "cli/ReportCharts.h"

#include <algorithm>
#include <cmath>

#include "cli/HtmlText.h"

namespace vael::cli {
namespace {

// Blue and orange from a palette made for readers with colour vision
// deficiency; they also differ in lightness, so a grey print keeps them apart.
constexpr const char* kSampleColour = "#0072B2";
constexpr const char* kGeneratedColour = "#E69F00";

constexpr double kWidth = 760;
constexpr double kHeight = 300;
constexpr double kLeft = 64, kRight = 16, kTop = 40, kBottom = 52;

// The smallest of 1, 2, 5 times a power of ten that makes at most five
// steps up to the largest value.
double TickStep(double largest) {
  if (largest <= 0) return 1;
  const double rough = largest / 5;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (double factor : {1.0, 2.0, 5.0, 10.0}) {
    if (factor * power >= rough) return factor * power;
  }
  return 10 * power;
}

std::string Number(double value) { return Fixed(value, 1); }

std::string Text(double x, double y, const std::string& text, const std::string& attributes) {
  return "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" " + attributes + ">" + text +
         "</text>\n";
}

std::string Rect(double x, double y, double width, double height, const char* colour,
                 const std::string& tooltip) {
  return "<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(width) +
         "\" height=\"" + Number(height) + "\" fill=\"" + colour +
         "\" stroke=\"#333333\" stroke-width=\"0.5\"><title>" + tooltip + "</title></rect>\n";
}

}  // namespace

std::string BarChart(const ChartData& chart) {
  std::string out = "<figure>\n<figcaption>" + chart.caption + "</figcaption>\n";
  const std::size_t count = chart.categories.size();
  if (count == 0) return out + "<p class=\"empty\">Nothing to chart.</p>\n</figure>\n";

  double largest = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (chart.samplesKnown && i < chart.samples.size()) largest = std::max(largest, chart.samples[i]);
    if (i < chart.generated.size()) largest = std::max(largest, chart.generated[i]);
  }
  const double step = TickStep(largest);
  const double top = std::max(step, std::ceil(largest / step - 1e-9) * step);
  const double plotWidth = kWidth - kLeft - kRight;
  const double plotHeight = kHeight - kTop - kBottom;
  const double band = plotWidth / static_cast<double>(count);
  const double bar = band * (chart.samplesKnown ? 0.38 : 0.6);
  auto yOf = [&](double value) { return kTop + plotHeight * (1 - value / top); };

  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + Number(kWidth) + " " +
         Number(kHeight) + "\" role=\"img\" aria-label=\"" + chart.caption + "\">\n";
  // Grid lines and the value axis.
  for (double value = 0; value <= top + step / 2; value += step) {
    const double y = yOf(value);
    out += "<line x1=\"" + Number(kLeft) + "\" y1=\"" + Number(y) + "\" x2=\"" +
           Number(kWidth - kRight) + "\" y2=\"" + Number(y) + "\" class=\"grid\"/>\n";
    out += Text(kLeft - 6, y + 4, Fixed(value, step < 1 ? 1 : 0), "class=\"tick\" text-anchor=\"end\"");
  }
  out += Text(16, kTop + plotHeight / 2, chart.yLabel,
              "class=\"axis\" text-anchor=\"middle\" transform=\"rotate(-90 16 " +
                  Number(kTop + plotHeight / 2) + ")\"");
  out += Text(kLeft + plotWidth / 2, kHeight - 8, chart.xLabel, "class=\"axis\" text-anchor=\"middle\"");

  // The bars, samples left and generated names right in each band.
  const double labelSize = std::min(12.0, std::max(7.0, band * 0.7));
  for (std::size_t i = 0; i < count; ++i) {
    const double left = kLeft + band * static_cast<double>(i);
    const double middle = left + band / 2;
    const double generated = i < chart.generated.size() ? chart.generated[i] : 0;
    if (chart.samplesKnown) {
      const double sample = i < chart.samples.size() ? chart.samples[i] : 0;
      out += Rect(middle - bar, yOf(sample), bar, yOf(0) - yOf(sample), kSampleColour,
                  chart.categories[i] + ": samples " + Fixed(sample, 1) + " %");
      out += Rect(middle, yOf(generated), bar, yOf(0) - yOf(generated), kGeneratedColour,
                  chart.categories[i] + ": generated " + Fixed(generated, 1) + " %");
    } else {
      out += Rect(middle - bar / 2, yOf(generated), bar, yOf(0) - yOf(generated), kGeneratedColour,
                  chart.categories[i] + ": generated " + Fixed(generated, 1) + " %");
    }
    out += Text(middle, yOf(0) + 16, chart.categories[i],
                "class=\"category\" text-anchor=\"middle\" font-size=\"" + Number(labelSize) + "\"");
  }
  out += "<line x1=\"" + Number(kLeft) + "\" y1=\"" + Number(yOf(0)) + "\" x2=\"" +
         Number(kWidth - kRight) + "\" y2=\"" + Number(yOf(0)) + "\" class=\"baseline\"/>\n";

  // Legend, top right.
  double x = kWidth - kRight - (chart.samplesKnown ? 250 : 140);
  if (chart.samplesKnown) {
    out += "<rect x=\"" + Number(x) + "\" y=\"12\" width=\"14\" height=\"14\" fill=\"" +
           kSampleColour + "\" stroke=\"#333333\" stroke-width=\"0.5\"/>\n";
    out += Text(x + 20, 24, "sample names", "class=\"legend\"");
    x += 120;
  }
  out += "<rect x=\"" + Number(x) + "\" y=\"12\" width=\"14\" height=\"14\" fill=\"" +
         kGeneratedColour + "\" stroke=\"#333333\" stroke-width=\"0.5\"/>\n";
  out += Text(x + 20, 24, "generated names", "class=\"legend\"");
  return out + "</svg>\n</figure>\n";
}

}  // namespace vael::cli
