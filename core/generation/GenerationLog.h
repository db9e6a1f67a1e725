#pragma once
// The decision log of one logged generation, "!vel_log.txt" in the working
// folder. Records are written as produced: Windows-1252 bytes, "\r\n" line
// ends, element texts in coded form, pieces and names in final form. Every
// record is a no-op unless the request asked for a log; a file that cannot be
// created or written changes nothing else.

#include <fstream>
#include <string_view>

namespace vael {

inline constexpr char kLogFileName[] = "!vel_log.txt";

class GenerationLog {
 public:
  GenerationLog(std::ofstream& file, bool enabled) : file_(file), enabled_(enabled) {}

  // Replaces an older log and writes the header up to the template text.
  void Create();
  // True when no log was asked for, or when every record reached the file:
  // a folder that cannot take the file, or a full disk, answers false.
  bool Close();

  // --- Driver records ---
  void TemplateLine(std::string_view templateText);
  void ValLevelChanged(int level);  // written by the level's first character
  void Rejected(std::string_view reason);
  void PieceAccepted();
  void HistoryConflict();
  void HistoryConflictIgnored();
  void FinalName(std::string_view name);

  // --- Builder records ---
  void FitLevelChanged(int fit);
  void StructureLine(int type);
  void StructureLine(int type, int variantIndex, std::string_view variantText);
  void Candidate(std::string_view text);
  void PairCandidate(std::string_view first, std::string_view second);
  void Choice(std::string_view text);
  void PairChoice(std::string_view first, std::string_view second);
  void EndOfPosition();
  void NoOption(std::string_view reason);  // "!NOOPT", "!PRE/NOOPT", "!SUF/NOOPT"
  void PieceResult(std::string_view piece);

  // A rule given up, by the builder's relaxation or a fallback of the
  // driver: "Prefix", "Suffix", "Initial letter", "Structure", ...
  void Dropped(std::string_view what);

  bool enabled() const { return enabled_; }

 private:
  void Write(std::string_view text);

  std::ofstream& file_;
  bool enabled_;
};

}  // namespace vael
