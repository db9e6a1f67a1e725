#pragma once
// The speed tricks of the engine, each of which can be left out of a build
// (cmake -DVAEL_TRICKS_OFF="NAME;...", which defines VAEL_WITHOUT_<NAME>), so
// that scripts/bench-compare --trick NAME measures what it gains against the
// same commit without it. Left out, each falls back to the plain way of doing
// the same thing, with the same names for every seed: the shipped build
// always has them all. Each trick's measured gain is written beside its code.

namespace vael::tricks {

#ifdef VAEL_WITHOUT_WRITTEN_OUT_DRAWS
inline constexpr bool kWrittenOutDraws = false;
#else
// Weighted draws with a small total look their outcome up (RunningDraw).
inline constexpr bool kWrittenOutDraws = true;
#endif

#ifdef VAEL_WITHOUT_FIXED_MODULUS
inline constexpr bool kFixedModulus = false;
#else
// Remainders by a kept divisor by multiplication (FixedModulus).
inline constexpr bool kFixedModulus = true;
#endif

#ifdef VAEL_WITHOUT_CANDIDATE_CACHE
inline constexpr bool kCandidateCache = false;
#else
// An element position's candidates worked out once per combination of tests.
inline constexpr bool kCandidateCache = true;
#endif

#ifdef VAEL_WITHOUT_SLOT_LINES
inline constexpr bool kSlotLines = false;
#else
// The slots of a run on several threads each on cache lines of their own.
inline constexpr bool kSlotLines = true;
#endif

#ifdef VAEL_WITHOUT_WORKER_LINES
inline constexpr bool kWorkerLines = false;
#else
// vaelgen's output lines written by the threads that make the names.
inline constexpr bool kWorkerLines = true;
#endif

#ifdef VAEL_WITHOUT_HISTORY_INDEX
inline constexpr bool kHistoryIndex = false;
#else
// The history's slots found by their name's hash.
inline constexpr bool kHistoryIndex = true;
#endif

#ifdef VAEL_WITHOUT_BAD_WORD_INDEX
inline constexpr bool kBadWordIndex = false;
#else
// A screened piece compared only with the bad words of its length.
inline constexpr bool kBadWordIndex = true;
#endif

#ifdef VAEL_WITHOUT_PAIR_CACHE
inline constexpr bool kPairCache = false;
#else
// The candidates of a start or end pair worked out once per combination.
inline constexpr bool kPairCache = true;
#endif

#ifdef VAEL_WITHOUT_SCREENING_CACHE
inline constexpr bool kScreeningCache = false;
#else
// The screening outcome of a piece worked out once per text and level.
inline constexpr bool kScreeningCache = true;
#endif

#ifdef VAEL_WITHOUT_TEXT_HASH
inline constexpr bool kTextHash = false;
#else
// Names hashed for the history inline, eight letters a step.
inline constexpr bool kTextHash = true;
#endif

}  // namespace vael::tricks
