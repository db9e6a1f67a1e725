#pragma once
// The decision log of one logged generation. Records are written as
// produced: Windows-1252 bytes, "\r\n" line ends, element texts in coded
// form, pieces and names in final form. They go to a sink the caller
// passes: the window's is the file "!vel_log.txt" in the working folder,
// a program's may keep the log as text. Every record is a no-op unless the
// request asked for a log and gave a sink; a sink that cannot keep the log
// changes nothing else.

#include <fstream>
#include <string>
#include <string_view>

namespace vael {

inline constexpr char kLogFileName[] = "!vel_log.txt";

// Where the log of one name goes.
class LogSink {
 public:
  virtual ~LogSink() = default;
  // A logged name begins: whatever the sink held is replaced.
  virtual void Begin() = 0;
  virtual void Write(std::string_view text) = 0;
  // The name is finished. False when the sink could not keep all of it.
  virtual bool End() = 0;
};

// The log as text in memory.
class LogText final : public LogSink {
 public:
  void Begin() override { text_.clear(); }
  void Write(std::string_view text) override { text_ += text; }
  bool End() override { return true; }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// The log in the file kLogFileName in the working folder, rewritten for
// every logged name and open only while that name is made. A folder that
// cannot take the file, or a full disk, ends in false. It is a file stream
// as well, so that code which opens it on a file of its choosing receives
// the records of whatever it logs meanwhile.
class LogFile final : public std::ofstream, public LogSink {
 public:
  void Begin() override;
  void Write(std::string_view text) override;
  bool End() override;
};

class GenerationLog {
 public:
  // Records nothing unless `enabled` and there is a sink.
  GenerationLog(LogSink* sink, bool enabled)
      : sink_(enabled ? sink : nullptr), enabled_(sink_ != nullptr) {}

  // Replaces an older log and writes the header up to the template text.
  void Create();
  // True when no log was asked for, or when the sink kept every record.
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

  LogSink* sink_;
  bool enabled_;
};

}  // namespace vael
