"""Vael's name engine: new names in the style of a chapter's sample names.

    import vael
    chapter = vael.Chapter("villages.vel")
    print(chapter.names(10, seed=7))            # what vaelgen --seed 7 prints
    for name in chapter.generator(fit=3):       # endless
        ...

A chapter is read only once loaded: threads may share it, and names are made
with the GIL released, so several threads make names side by side.
"""

from vael._vael import (BOUND_ACCENTS, BOUND_COPIES, BOUND_INITIALS, BOUND_LENGTHS,
                        BOUND_MEAN_LENGTH, BOUND_UNSEEN_PAIRS, Chapter, Error, Figures,
                        Generator, Report, version)

__version__ = version()
__all__ = ["Chapter", "Error", "Figures", "Generator", "Report", "version", "BOUND_ACCENTS",
           "BOUND_COPIES", "BOUND_INITIALS", "BOUND_LENGTHS", "BOUND_MEAN_LENGTH",
           "BOUND_UNSEEN_PAIRS"]

# The classes are this module's, wherever they are shown.
for _class in (Chapter, Error, Figures, Generator, Report):
    _class.__module__ = __name__
del _class
