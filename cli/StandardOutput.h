#pragma once
// vaelgen's standard output: everything it prints goes through here, so that
// a write that fails (a full disk, a closed descriptor) is reported and ends
// the program with status 1, while a reader that goes away early (`| head`)
// ends it quietly, as it does any program of the command line.

#include <string>
#include <string_view>

namespace vael::cli {

// Standard output gathered in large pieces: a run of many names spends its
// time generating, not in small writes. Once a write fails nothing more is
// written, and the run is told to end.
class Output {
 public:
  explicit Output(bool raw) : raw_(raw) {}
  ~Output() { Flush(); }
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  // A name's printed line: its text as the terminal takes it (UTF-8, or the
  // code page's own bytes with --raw) and a line break. Made wherever the
  // names are made, so it keeps no state.
  static void AppendNameLine(std::string& out, std::string_view codePageName, bool raw);

  // False once standard output takes no more.
  bool Text(std::string_view codePageText);
  bool Name(std::string_view codePageName);
  // Text already in the terminal's bytes, such as lines made by AppendNameLine.
  bool Printed(std::string_view bytes);

  // Everything written out: 0, or 1 after saying why not. A reader that
  // went away is not a failure.
  int Finish();

 private:
  void Flush();
  bool Written();
  void Failed();

  bool raw_;
  int error_ = 0;
  std::string buffer_;
};

// Closes standard output at the end of the program, as the last chance to
// learn of a failed write: 0, or 1 after saying why (unless a failure was
// already reported).
int CloseStandardOutput();

}  // namespace vael::cli
