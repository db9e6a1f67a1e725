#pragma once
// The structure builder behind BuildCandidate, with the one addition the
// driver needs: word back when the initial letter had to be given up.

#include <string>

#include "core/chapter/Chapter.h"
#include "core/generation/GenerationState.h"
#include "core/generation/Generator.h"

namespace vael {

// One piece asked of the builder: the name's request (fit, the four
// switches, whether to log) and the letter this piece must begin with,
// which may differ from the request's (a group that gave it up).
struct PieceRequest {
  const GenerationOptions& options;
  char initialLetter = '*';
  // Set by the builder when no allowed structure type can begin with the
  // initial letter, so that the piece was built without it.
  bool initialLetterDropped = false;
};

// Retries on one structure before the builder gives it up and draws a new
// one. Relaxation ends at the 25th retry; after it only the split point
// decides whether a structure can be filled, and a structure of L elements
// has L - 2 of them, so a fillable one is all but sure to be filled long
// before this.
inline constexpr int kStructureRetryCap = 250;

// Type draws rejected for the initial letter before the builder picks among
// the acceptable types directly.
inline constexpr int kTypeDrawCap = 10000;

// Whether a structure of `type` may begin a piece that must begin with
// `letter` ('*' for any): odd types begin with a vowel, even types with a
// consonant, and the chapter's Y mode says which kind a Y is.
bool TypeAcceptsLetter(int type, char letter, int yMode);

// One candidate piece in capitals, left in state.piece, or "" when a
// position had no element. The element group's type draw must be in
// state.typeChoice.
const std::string& BuildPiece(const Chapter& chapter, GenerationState& state,
                              PieceRequest& request);

}  // namespace vael
