#pragma once
// One loaded name style. A single TVaelChapter lives for the whole run and is
// refilled by every Load(); the generator and the screening checks read its
// tables, and the generator keeps its own state (history, builder) in it.
//
// The object is two parts. ChapterTables is everything Load builds: read
// only afterwards, so several generators (one per thread of a bulk run) may
// share it. GenerationState is one generator's own state; the chapter
// carries the one that GenerateName uses.
//
// Table conventions shared by every module:
//  - Element codes: vowel element i has code i (0..98); consonant element j
//    has code 100 + j (100..1122). A code of 100 or more is a consonant.
//  - Lists that grow with the chapter (elements, templates, pairs, variants,
//    end-pair flag rows) are vectors holding exactly `...Count` entries.
//  - Fixed tables are std::array and are cleared, not reallocated, per load.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/chapter/ChapterLimits.h"
#include "core/chapter/PlainList.h"
#include "core/generation/DerivedTables.h"
#include "core/generation/GenerationState.h"

namespace vael {

// Whoever shows load progress (the main window's gauge). The caller sets the
// range 1..16 at position 1 before Load; the loader steps it once per stage
// of a text analysis and sets it to 16 at the end of a compiled load.
class LoadProgress {
 public:
  virtual ~LoadProgress() = default;
  virtual void StepProgress() = 0;
  virtual void SetProgressPosition(int position) = 0;
};

struct ChapterTables {
  // --- Header texts and options (the chapter file's tags) ---
  bool loaded = false;
  std::string errorText;
  char32_t errorCharacter = 0;  // a character of the file the code page lacks
  std::string title, line1, line2, author, date;
  std::string topic = "0";
  std::array<std::string, kMaxSpecialConsonants> specialConsonants;
  int specialConsonantCount = 0;
  std::vector<std::string> templates;  // templateCount entries
  std::vector<int> templateWeights;    // templateCount entries
  int templateCount = 0;
  bool structGen = false, statGen = false, shuffle = false;
  bool prefixOption = false, suffixOption = false;
  int fitLevel = 0, valLevel = 0, punctLevel = 0;
  int yMode = 0;  // 0 none, 1 Y:CON, 2 Y:SEMI
  int uMode = 0;  // 0 none, 2 U:SEMI
  // Steer the analysis only; a compiled chapter does not keep them.
  bool softConsonants = false, multiVowels = false;

  // --- Name analysis ---
  std::vector<std::string> vowelElements;      // vowelElementCount entries
  int vowelElementCount = 0;
  std::vector<std::string> consonantElements;  // consonantElementCount entries, coded
  int consonantElementCount = 0;
  int maxElements = 0;
  int nameCount = 0;
  int pairCapacity = 0;  // max(3 * nameCount, 256)
  std::string initialLetters;

  // --- Statistics (name letter index / element code indexed) ---
  std::array<int, kLetterTableSize> minRepeatDistance{};
  std::array<int, kLetterTableSize> maxLetterPercent{};
  std::vector<ElementPair> startPairs;  // startPairCount entries
  std::vector<int> startPairWeights;
  int startPairCount = 0;
  std::vector<ElementPair> endPairs;  // endPairCount entries
  std::vector<int> endPairWeights;
  int endPairCount = 0;
  std::vector<std::array<std::uint8_t, kEndPairFlags>> endPairBefore1;  // per end pair
  std::vector<std::array<std::uint8_t, kEndPairFlags>> endPairBefore2;
  // [vowel code][consonant letter index]
  std::array<std::array<std::uint8_t, kConsonantLetterColumns>, kVowelRows> vowelAfterConsonant{};
  // [consonant letter index][vowel code]
  std::array<std::array<std::uint8_t, kVowelRows>, kConsonantLetterColumns> consonantAfterVowel{};
  // [later consonant's first letter][earlier consonant's last letter]
  std::array<std::array<std::uint8_t, kConsonantLetterColumns>, kConsonantLetterColumns>
      consonantAcrossVowel{};
  // [vowel code][vowel code two places earlier]
  std::array<std::array<std::uint8_t, kVowelRows>, kVowelRows> vowelAcrossConsonant{};
  std::array<int, kStructureTypes> structureTypeCounts{};
  std::array<std::vector<std::string>, kStructureTypes> structureVariants;
  std::array<std::vector<int>, kStructureTypes> structureVariantWeights;
  std::array<int, kStructureTypes> structureVariantCounts{};
  std::array<std::array<int, kPositionSlots>, kVowelRows> vowelPositionCounts{};
  std::array<std::array<int, kPositionSlots>, kConsonantRows> consonantPositionCounts{};

  // --- Built from the tables above at the end of every load ---
  // Code that changes the tables above by hand calls RebuildDerivedTables.
  DerivedTables derived;
};

// Reads a whole chapter file (anything but a folder, so a pipe works too).
bool ReadChapterFile(const std::string& path, std::string& bytes);

class TVaelChapter : public ChapterTables, public GenerationState {
 public:
  TVaelChapter();
  explicit TVaelChapter(LoadProgress* owner);
  TVaelChapter(const TVaelChapter&) = delete;
  TVaelChapter& operator=(const TVaelChapter&) = delete;

  // Loads a text chapter (*.vel, in Windows-1252 or UTF-8) or a compiled
  // chapter (*.qch). Outcome in `loaded` and `errorText`; never throws.
  void Load(const std::string& path);

  // Analyses a chapter text held in memory, in code-page bytes; nothing is
  // cached. Outcome as for Load.
  void LoadText(std::string_view text);

  // Loads a plain list of names (one per line) as a chapter with
  // kPlainListOptions, titled after the file; nothing is cached, since a list
  // is analysed in moments. The reading is returned for its reports of the
  // names left out.
  PlainList LoadList(const std::string& path);

  // The failure for the user, in UTF-8: errorText, and the character that
  // errorCharacter names, which the code page cannot hold.
  std::string ErrorTextUtf8() const;

  LoadProgress* owner = nullptr;
};

// The sample names of the text chapter at path, in capitals, as Load reads
// them. False for a compiled chapter, which does not keep them, and for a
// file that cannot be read or holds no name list.
bool ReadSampleNames(const std::string& path, std::vector<std::string>& names);

}  // namespace vael
