#include "core/generation/GenerationLog.h"

#include <string>

namespace vael {

void LogFile::Begin() {
  if (is_open()) close();
  clear();
  open(kLogFileName, std::ios::binary | std::ios::trunc);
}

void LogFile::Write(std::string_view text) {
  if (is_open()) write(text.data(), static_cast<std::streamsize>(text.size()));
}

bool LogFile::End() {
  if (!is_open()) return false;
  const bool written = good();
  close();
  return written && !fail();
}

void GenerationLog::Write(std::string_view text) {
  if (enabled_) sink_->Write(text);
}

void GenerationLog::Create() {
  if (!enabled_) return;
  sink_->Begin();
  Write("Vael log file\r\n\r\nTEMPLATE:\t");
}

bool GenerationLog::Close() {
  if (!enabled_) return true;
  return sink_->End();
}

void GenerationLog::TemplateLine(std::string_view templateText) {
  Write(templateText);
  Write("\r\n");
}

void GenerationLog::ValLevelChanged(int level) {
  if (!enabled_) return;
  Write("Changed \"Val lvl\" to ");
  Write(std::to_string(level).substr(0, 1));
  Write(".\r\n\r\n");
}

void GenerationLog::Rejected(std::string_view reason) {
  Write("\r\nFail: ");
  Write(reason);
  Write("\r\n\r\n");
}

void GenerationLog::PieceAccepted() { Write("\r\n"); }

void GenerationLog::HistoryConflict() { Write("Fail: !HIST\r\n\r\n"); }

void GenerationLog::HistoryConflictIgnored() { Write("Ignored history conflict.\r\n\r\n"); }

void GenerationLog::FinalName(std::string_view name) {
  Write("\r\n-> ");
  Write(name);
}

void GenerationLog::FitLevelChanged(int fit) {
  if (!enabled_) return;
  Write("Changed \"Fit lvl\" to ");
  Write(std::to_string(fit));
  Write(".\r\n\r\n");
}

void GenerationLog::StructureLine(int type) {
  if (!enabled_) return;
  Write("\r\nStructure:\t");
  Write(std::to_string(type));
  Write("\r\n\r\n");
}

void GenerationLog::StructureLine(int type, int variantIndex, std::string_view variantText) {
  if (!enabled_) return;
  Write("\r\nStructure:\t");
  Write(std::to_string(type));
  Write(" (");
  Write(std::to_string(variantIndex));
  Write(" = ");
  Write(variantText);
  Write(")\r\n\r\n");
}

void GenerationLog::Candidate(std::string_view text) {
  Write(text);
  Write(" ");
}

void GenerationLog::PairCandidate(std::string_view first, std::string_view second) {
  Write(first);
  Write(second);
  Write(" ");
}

void GenerationLog::Choice(std::string_view text) {
  Write(": ");
  Write(text);
}

void GenerationLog::PairChoice(std::string_view first, std::string_view second) {
  Write(": ");
  Write(first);
  Write(".");
  Write(second);
  Write(" ");
}

void GenerationLog::EndOfPosition() { Write("\r\n"); }

void GenerationLog::NoOption(std::string_view reason) {
  Write(reason);
  Write("\r\n\r\n");
}

void GenerationLog::PieceResult(std::string_view piece) {
  Write("\r\n-> ");
  Write(piece);
  Write(" -> ");
  Write(piece);
}

void GenerationLog::Dropped(std::string_view what) {
  Write("Dropped \"");
  Write(what);
  Write("\".\r\n\r\n");
}

}  // namespace vael
