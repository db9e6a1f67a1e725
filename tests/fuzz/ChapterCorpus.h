#pragma once
// The chapters robustness tests run over: the fuzz seed corpora, the sample
// library and the test data, each as raw bytes of a text chapter.

#include <string>
#include <vector>

namespace vael::test {

struct CorpusChapter {
  std::string origin;  // file it came from, for failure messages
  std::string bytes;
};

std::vector<CorpusChapter> CollectCorpusChapters();

}  // namespace vael::test
