#pragma once
// Reads a generation log back record by record and checks its structure:
// the header, builder calls (relaxations, structure line, one line per
// position, then a reason or the result), the driver's records after each
// call, and the final record. Accepted pieces are screened again at the val
// level the log says was in force.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "core/Vael.h"

namespace vael::test {

struct LogSummary {
  std::string templateText;
  std::vector<std::string> acceptedPieces;
  // Per accepted piece: the initial letter had been given up for its
  // element group (or for the whole name) when it was built.
  std::vector<bool> withoutInitialLetter;
  int structureLines = 0;
  int failedCalls = 0;
  bool droppedInitialLetter = false;
  std::string finalName;
};

// Records of the log as regular expressions, tried in this order at the
// current position.
inline LogSummary CheckLog(const TVaelChapter& chapter, const GenerationOptions& options,
                           const std::string& log) {
  LogSummary summary;
  const std::string header = "Vael log file\r\n\r\nTEMPLATE:\t";
  EXPECT_TRUE(log.starts_with(header)) << log.substr(0, 40);
  if (!log.starts_with(header)) return summary;
  std::size_t at = header.size();
  const std::size_t templateEnd = log.find("\r\n", at);
  summary.templateText = log.substr(at, templateEnd - at);
  at = templateEnd + 2;

  const std::regex relaxation(
      "(Changed \"Fit lvl\" to [012]|Dropped \"(Prefix|Suffix|Structure|Initial "
      "letter|Template|Element group)\")\\.\r\n\r\n");
  const std::regex structure("\r\nStructure:\t(\\d+)( \\((\\d+) = ([^)\r\n]*)\\))?\r\n\r\n");
  const std::regex pairLine("(?:[^ \r\n]+ )+: ([^ .\r\n]+)\\.([^ \r\n]+) \r\n");
  const std::regex singleLine("(?:[^ \r\n]+ )+: ([^ \r\n]+)\r\n");
  const std::regex noOption("(!NOOPT|!PRE/NOOPT|!SUF/NOOPT)\r\n\r\n");
  // The piece is written twice and the next record follows it directly.
  const std::regex result("\r\n-> ([^ \r\n]+) -> \\1");
  const std::regex valChange("Changed \"Val lvl\" to (\\d)\\.\r\n\r\n");
  const std::regex rejection("\r\nFail: (!REP|!BAD|!DIST/.|!FREQ/.)\r\n\r\n");
  const std::regex history("(Fail: !HIST|Ignored history conflict)\\.?\r\n\r\n");
  const std::regex finalRecord("\r\n-> ([^\r\n]*)$");

  int level = options.val;
  int type = -1;
  int positions = 0;
  std::string pending;  // a piece waiting for the driver's verdict
  // Element group being filled, counted again from 0 when a history
  // conflict rebuilds the name; groups that gave the letter up keep it so.
  std::size_t group = 0;
  std::vector<bool> groupDropped;
  bool nameDropped = false;
  std::smatch m;
  auto match = [&](const std::regex& re) {
    return std::regex_search(log.cbegin() + static_cast<std::ptrdiff_t>(at), log.cend(), m, re,
                             std::regex_constants::match_continuous);
  };
  while (at < log.size()) {
    if (match(structure)) {
      type = std::stoi(m[1]);
      ++summary.structureLines;
      EXPECT_EQ(m[2].matched, options.structural) << m.str();
      positions = 0;
    } else if (match(pairLine)) {
      positions += 2;
    } else if (match(singleLine)) {
      positions += 1;
    } else if (match(noOption)) {
      ++summary.failedCalls;
      positions = 0;
    } else if (match(result)) {
      EXPECT_EQ(positions, type / 2 + 2) << "positions of a type " << type << " structure";
      pending = m[1];
      positions = 0;
    } else if (match(valChange)) {
      const int lowered = std::stoi(m[1]);
      EXPECT_TRUE(lowered == level - 1 || lowered == 0) << level << " -> " << lowered;
      level = lowered;
    } else if (match(rejection)) {
      EXPECT_FALSE(pending.empty());
      EXPECT_EQ(CheckCandidate(chapter, pending, level), m[1].str()) << pending << " at " << level;
      pending.clear();
    } else if (match(relaxation)) {
      if (m.str().find("Initial letter") != std::string::npos) {
        summary.droppedInitialLetter = true;
        if (summary.structureLines == 0 && summary.failedCalls == 0) nameDropped = true;
        if (groupDropped.size() <= group) groupDropped.resize(group + 1, false);
        groupDropped[group] = true;
      }
    } else if (match(history)) {
      group = 0;
    } else if (match(finalRecord)) {
      summary.finalName = m[1];
    } else if (log.compare(at, 2, "\r\n") == 0 && !pending.empty()) {
      EXPECT_EQ(CheckCandidate(chapter, pending, level), "") << pending << " accepted at " << level;
      summary.acceptedPieces.push_back(pending);
      summary.withoutInitialLetter.push_back(nameDropped ||
                                             (group < groupDropped.size() && groupDropped[group]));
      ++group;
      pending.clear();
      at += 2;
      continue;
    } else {
      ADD_FAILURE() << "unexpected record at byte " << at << ": " << log.substr(at, 60);
      break;
    }
    at += static_cast<std::size_t>(m.length(0));
  }
  EXPECT_TRUE(pending.empty()) << "piece without a verdict: " << pending;
  return summary;
}

}  // namespace vael::test
