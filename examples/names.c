/* Names from a chapter through libvael's C interface.
 *
 *   names CHAPTER [COUNT [SEED]]
 *
 * prints COUNT names (default 10) made with the chapter's own options; with a
 * SEED they are the names `vaelgen -n COUNT --seed SEED CHAPTER` prints. */
#include <stdio.h>
#include <stdlib.h>

#include <vael/vael.h>

int main(int argc, char **argv) {
  vael_chapter *chapter = NULL;
  vael_generator *generator = NULL;
  char name[256];
  long count = argc > 2 ? strtol(argv[2], NULL, 10) : 10;
  uint32_t seed = argc > 3 ? (uint32_t)strtoul(argv[3], NULL, 10) : vael_clock_seed();
  long i;

  if (argc < 2) {
    fprintf(stderr, "usage: names CHAPTER [COUNT [SEED]]\n");
    return 2;
  }
  if (vael_chapter_open(argv[1], &chapter) != VAEL_OK) {
    fprintf(stderr, "names: %s\n", vael_last_error());
    return 1;
  }
  /* NULL options: the chapter's own recommended ones. */
  if (vael_generator_new(chapter, NULL, seed, &generator) != VAEL_OK) {
    fprintf(stderr, "names: %s\n", vael_last_error());
    vael_chapter_free(chapter);
    return 1;
  }
  for (i = 0; i < count; ++i) {
    if (vael_generator_next(generator, name, sizeof name, NULL) != VAEL_OK) {
      fprintf(stderr, "names: %s\n", vael_last_error());
      break;
    }
    puts(name);
  }
  vael_generator_free(generator);
  vael_chapter_free(chapter);
  return i == count ? 0 : 1;
}
