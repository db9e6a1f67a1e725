/* libvael: Vael's name engine for other programs.
 *
 * A chapter is loaded once and is read only from then on: any number of
 * generators, on any number of threads, may share it. A generator makes
 * names one after another and belongs to one thread at a time. The same
 * chapter, options and seed give exactly the names `vaelgen --seed SEED`
 * prints with the same options, in the same order.
 *
 * Every text crossing this interface is UTF-8. Every call that returns an int
 * returns VAEL_OK or a negative VAEL_E_ code, and after a failure
 * vael_last_error() tells why. Nothing here writes a file, exits or throws.
 * docs/api.md describes the interface, its thread rules and its stability. */
#ifndef VAEL_VAEL_H
#define VAEL_VAEL_H

#include <stddef.h>
#include <stdint.h>

#if defined(__GNUC__) || defined(__clang__)
#define VAEL_API __attribute__((visibility("default")))
#else
#define VAEL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define VAEL_OK 0
#define VAEL_E_ARGUMENT (-1) /* a null pointer, a wrong size, a value out of range */
#define VAEL_E_SPACE (-2)    /* the buffer is too small; *length tells what is needed */
#define VAEL_E_LOAD (-3)     /* the chapter did not load */
#define VAEL_E_OPTION (-4)   /* an option this chapter cannot take, e.g. an initial letter
                                no sample name begins with */
#define VAEL_E_MEMORY (-5)   /* out of memory */
#define VAEL_E_INTERNAL (-6) /* an unexpected failure inside the engine */
#define VAEL_E_EXHAUSTED (-7) /* filters turned away VAEL_FILTER_TRIES names in a row */

/* "3.3.0": the library's full version. */
VAEL_API const char *vael_version(void);

/* The UTF-8 text of this thread's last failure: the call, then what failed,
 * e.g. "vael_chapter_open: elves.vel: no such file"; "" when none has
 * happened on this thread. Valid until this thread's next failure. */
VAEL_API const char *vael_last_error(void);

typedef struct vael_chapter vael_chapter;     /* read-only after loading, shareable */
typedef struct vael_generator vael_generator; /* one thread at a time */

/* The generation options. Set `size` to sizeof(vael_options) before passing
 * one in, to vael_chapter_options as well: later versions may add fields at
 * the end, and the size tells which ones a caller knows. Any number field
 * may be VAEL_OWN: the chapter's own value, as vaelgen takes for an option
 * not given. */
#define VAEL_OWN (-1)
typedef struct vael_options {
  int size;
  int fit;                                         /* 0..3 */
  int statistical, structural, prefixes, suffixes; /* 0 or 1 */
  char initial[8]; /* "" (or "*") for any initial, else one letter in UTF-8, of
                      either case, that some sample name begins with */
  int val;         /* screening level 0..9 (vaelgen --val) */
} vael_options;

/* --- Chapters --- */

/* A text chapter (.vel, UTF-8 or Windows-1252), a compiled chapter (.qch) or
 * a plain list of names (.txt, one per line). Writes nothing. */
VAEL_API int vael_chapter_open(const char *path, vael_chapter **out);

/* The same from bytes in memory; file_name tells the kind (".txt": a plain
 * list) and titles a list, and needs no file system. The bytes are copied as
 * far as needed: the caller may free them on return. */
VAEL_API int vael_chapter_from_memory(const void *bytes, size_t size, const char *file_name,
                                      vael_chapter **out);

/* A chapter from names, as a plain list of them loads (each name is one line
 * of the list, in UTF-8; names the chapter format cannot hold are left out,
 * and vael_chapter_left_out counts them). title may be NULL or "" for "names". */
VAEL_API int vael_chapter_from_names(const char *const *names, size_t count, const char *title,
                                     vael_chapter **out);

/* NULL is fine. Generators made from the chapter keep what they need of it and
 * may go on. */
VAEL_API void vael_chapter_free(vael_chapter *chapter);

/* The chapter's title; "" for a NULL chapter. */
VAEL_API const char *vael_chapter_title(const vael_chapter *chapter);

/* The header texts, by tag. */
typedef enum vael_text {
  VAEL_TEXT_TITLE = 0,
  VAEL_TEXT_LINE1 = 1,
  VAEL_TEXT_LINE2 = 2,
  VAEL_TEXT_AUTHOR = 3,
  VAEL_TEXT_DATE = 4,  /* "" for a compiled chapter, which does not keep it */
  VAEL_TEXT_TOPIC = 5, /* the help topic number as written, "0" for none */
  VAEL_TEXT_INITIALS = 6 /* every letter a sample name begins with, in the
                            chapter's order: the values `initial` may take */
} vael_text;

/* One header text, UTF-8, owned by the chapter; NULL for a NULL chapter or an
 * unknown `which`. */
VAEL_API const char *vael_chapter_text(const vael_chapter *chapter, int which);

/* Names of a plain list that were left out (0 for a chapter). */
VAEL_API size_t vael_chapter_left_out(const vael_chapter *chapter);

/* The chapter's recommended options (its GENOPT tag), as vaelgen uses them
 * when none are given. out->size must be set. */
VAEL_API int vael_chapter_options(const vael_chapter *chapter, vael_options *out);

/* Checks the options against the chapter and puts the chapter's own value in
 * every VAEL_OWN field: the options a generator made with them uses. */
VAEL_API int vael_options_resolve(const vael_chapter *chapter, vael_options *options);

/* --- Generators --- */

/* A generator of names from the chapter with these options (NULL: the
 * chapter's own) and this seed. The options are checked here, once. */
VAEL_API int vael_generator_new(const vael_chapter *chapter, const vael_options *options,
                                uint32_t seed, vael_generator **out);

/* The next name, UTF-8 and NUL-terminated. *length (when length is not NULL)
 * receives the name's length in bytes without the NUL. When the buffer is too
 * small (size <= *length, a size of 0 included) the result is VAEL_E_SPACE:
 * the name is kept and comes with the next call, so a caller may ask with a
 * NULL buffer of size 0 for the length first. */
VAEL_API int vael_generator_next(vael_generator *g, char *buffer, size_t size, size_t *length);

/* Up to `count` names in one call, each NUL-terminated, one after another in
 * the buffer. It stops early before a name that does not fit, which is kept
 * for the next call. *made receives the names written, *length the bytes
 * written (NULs included). VAEL_E_SPACE when not even the first name fits:
 * *length then receives the bytes that name needs, its NUL included. */
VAEL_API int vael_generator_names(vael_generator *g, size_t count, char *buffer, size_t size,
                                  size_t *made, size_t *length);

/* As vael_generator_next, and the name's generation log is kept for
 * vael_generator_log. Logging changes no name. A name kept back by
 * VAEL_E_SPACE comes with the log it was made with (none, when it was made
 * by vael_generator_next or vael_generator_names). */
VAEL_API int vael_generator_next_logged(vael_generator *g, char *buffer, size_t size,
                                        size_t *length);

/* The generation log of the last name vael_generator_next_logged gave, UTF-8
 * with CR LF line ends as the log file has them; "" before the first. Buffer
 * rules as for vael_generator_next (the log stays). */
VAEL_API int vael_generator_log(const vael_generator *g, char *buffer, size_t size,
                                size_t *length);

/* Makes the generator use these options (NULL: the chapter's own) from its
 * next name on, its history and random numbers going on as they are, as the
 * window's generator does when its options change. Checked as in
 * vael_generator_new; on failure the generator keeps the options it had. A
 * name kept back by VAEL_E_SPACE was made with the old options and is
 * dropped. */
VAEL_API int vael_generator_set_options(vael_generator *g, const vael_options *options);

/* Starts over as a new generator with this seed: the same names again. */
VAEL_API int vael_generator_restart(vael_generator *g, uint32_t seed);

/* NULL is fine. */
VAEL_API void vael_generator_free(vael_generator *g);

/* --- Filters: which of the names made a generator hands over --- */

/* The filters of vaelgen's --unique, --min-length, --max-length,
 * --no-samples, --novel, --starts-with, --ends-with, --contains, --excludes
 * and --clean, with the same meaning. They only pick among the names the
 * generator makes: the names that pass are those vaelgen prints with the
 * same options, seed and filters. Set `size` to sizeof(vael_filters); a
 * field left 0 or NULL asks for nothing. Letters of the texts match
 * without regard to case or accents ("e" matches "É"). */
typedef struct vael_filters {
  int size;
  int unique;                 /* 1: never the same name twice (until a restart) */
  int min_length, max_length; /* letters, spaces and hyphens not counted; 0: no bound */
  int no_samples;             /* 1: never a sample name, ignoring case */
  int novel;                  /* 1: never a sample nor a near-copy of one */
  const char *starts_with;    /* UTF-8 text the name begins with; NULL or "" for any */
  const char *ends_with;      /* ... ends with */
  const char *contains;       /* ... holds */
  const char *excludes;       /* ... never holds */
  int clean;                  /* 1: never a name that is, or holds as a word, an
                                 offensive word of the list built into the library */
  const char *clean_words;    /* more words for clean, UTF-8, one entry per line as
                                 in a word list ("word", "stem*", "*stem", "*stem*");
                                 NULL for none; implies clean */
} vael_filters;

/* A filtered generator ends a call with VAEL_E_EXHAUSTED when this many
 * names in a row failed the filters: the chapter cannot give what they ask. */
#define VAEL_FILTER_TRIES 100000

/* Sets the generator's filters (NULL: none), from its next name on. Checked
 * here: VAEL_E_ARGUMENT for a wrong size, a negative length or a text that
 * is not UTF-8 or holds a character no name can hold; VAEL_E_OPTION for
 * filters no name of the chapter can pass (the message says why), and for
 * no_samples or novel on a compiled chapter, which keeps no sample names.
 * On failure the generator keeps the filters it had. A name kept back by
 * VAEL_E_SPACE comes next only if it passes the new filters. */
VAEL_API int vael_generator_set_filters(vael_generator *g, const vael_filters *filters);

/* A seed from the clock, for a run that is given none (as vaelgen without
 * --seed). */
VAEL_API uint32_t vael_clock_seed(void);

/* --- Report figures: how the names of a setting hold against the samples --- */

/* The bounds a setting must keep to qualify, as bits of vael_figures.broken. */
#define VAEL_BOUND_COPIES 0x01       /* samples and near-copies: at most 3 % */
#define VAEL_BOUND_UNSEEN_PAIRS 0x02 /* names with a letter pair no sample holds: 1 % */
#define VAEL_BOUND_MEAN_LENGTH 0x04  /* mean length within 0.5 letters of the samples' */
#define VAEL_BOUND_LENGTHS 0x08      /* spread of lengths: 10 percentage points */
#define VAEL_BOUND_INITIALS 0x10     /* initial letters: 10 points */
#define VAEL_BOUND_ACCENTS 0x20      /* accents: 5 points */

/* The figures of one setting: `names` names made with one seed. Set `size`
 * to sizeof(vael_figures) before passing one in. */
typedef struct vael_figures {
  int size;
  int compared;       /* 1: held against the samples, and the figures below
                         from distinct_new on mean something */
  int names;          /* names made */
  int distinct;       /* distinct names */
  int distinct_new;   /* distinct names that are neither a sample nor a near-copy */
  int sample_copies;  /* names equal to a sample, every repeat counted */
  int near_copies;    /* names that are near-copies of a sample */
  int unseen_pairs;   /* names holding a letter pair no sample holds */
  double mean_length; /* letters */
  double expected_mean_length;                   /* what the samples lead one to expect */
  double length_gap, initial_gap, accent_gap;    /* percentage points off that */
  unsigned broken;                               /* VAEL_BOUND_ bits */
} vael_figures;

/* Makes `names` names (1..1000000) with the options (NULL: the chapter's own)
 * on a generator of its own seeded with `seed`, and measures them. */
VAEL_API int vael_chapter_measure(const vael_chapter *chapter, const vael_options *options,
                                  int names, uint32_t seed, vael_figures *out);

/* A chapter report: every setting a report tries, measured with
 * `names_per_setting` names (1..1000000) each, and the judgement on them. */
typedef struct vael_report vael_report;
VAEL_API int vael_chapter_report(const vael_chapter *chapter, int names_per_setting,
                                 uint32_t seed, vael_report **out);
VAEL_API void vael_report_free(vael_report *report); /* NULL is fine */
/* The settings tried; 0 for a NULL report. */
VAEL_API int vael_report_rows(const vael_report *report);
/* The setting and the figures of one row (rows in the order the report
 * tries them); either pointer may be NULL, and the size of each given must
 * be set. */
VAEL_API int vael_report_row(const vael_report *report, int row, vael_options *setting,
                             vael_figures *figures);
/* The row of the best setting, -1 when none qualifies (or a NULL report). */
VAEL_API int vael_report_best(const vael_report *report);
/* When none qualifies: the row nearest to qualifying, else -1. */
VAEL_API int vael_report_closest(const vael_report *report);
/* The row of the chapter's recommended options. */
VAEL_API int vael_report_recommended_row(const vael_report *report);
/* When none qualifies: why, in UTF-8; "" otherwise. */
VAEL_API const char *vael_report_reason(const vael_report *report);

#ifdef __cplusplus
}
#endif

#endif /* VAEL_VAEL_H */
