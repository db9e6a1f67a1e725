#pragma once
// The make-up of names as shares of them, and the make-up the samples lead
// one to expect of generated names, with the gaps between two make-ups
// that the judgement bounds.

#include <map>
#include <string>
#include <vector>

#include "core/analysis/NameDistribution.h"
#include "core/analysis/TemplateRuns.h"

namespace vael {

struct NameShape {
  std::map<int, double> lengths;             // letters in a name -> share of names
  std::map<unsigned char, double> initials;  // first character -> share of names
  std::map<int, double> accents;             // accented letters in a name -> share of names
  double MeanLength() const;
};

// The shares of the counted names.
NameShape ShapeOf(const NameDistribution& names);

// What a chapter's templates make of its samples. Where the templates are
// the samples' own shapes, as in a chapter without TEMPLATES, that is the
// samples' make-up. Otherwise each template, by its weight, fills every
// element group with a part of a sample (a word between spaces and
// hyphens), drawn as often as the parts occur, and adds its own letters:
// where a template adds letters (Mac in front, -son behind) or groups,
// names are meant to be longer than the samples. spellings: the samples in
// capitals as the generator spells them.
NameShape ExpectedShape(const std::vector<WeightedTemplate>& templates,
                        const std::vector<std::string>& spellings);

// The gaps, in percentage points, 0 for make-ups alike:
// the largest difference between the shares of names of up to n letters,
// over every n (100: every name of one is shorter than every name of the other);
double LengthGap(const NameShape& a, const NameShape& b);
// the share of names whose first letter would have to change for the
// initials' shares to agree (half the summed differences of the shares);
double InitialGap(const NameShape& a, const NameShape& b);
// the same over the number of accented letters in a name.
double AccentGap(const NameShape& a, const NameShape& b);

}  // namespace vael
