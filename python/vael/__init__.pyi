import os
from typing import Iterator, Sequence, TypedDict

__version__: str

BOUND_COPIES: int
BOUND_UNSEEN_PAIRS: int
BOUND_MEAN_LENGTH: int
BOUND_LENGTHS: int
BOUND_INITIALS: int
BOUND_ACCENTS: int

def version() -> str:
    """The library's version, e.g. "3.3.0"."""

class Error(Exception):
    """A failure of the engine: a chapter that does not load, an option it cannot take."""

class Setting(TypedDict):
    fit: int
    statistical: bool
    structural: bool
    prefixes: bool
    suffixes: bool
    initial: str
    val: int

class Figures:
    """How the names of one setting hold against the chapter's samples."""
    @property
    def setting(self) -> Setting: ...
    @property
    def compared(self) -> bool: ...
    @property
    def names(self) -> int: ...
    @property
    def distinct(self) -> int: ...
    @property
    def distinct_new(self) -> int: ...
    @property
    def sample_copies(self) -> int: ...
    @property
    def near_copies(self) -> int: ...
    @property
    def unseen_pairs(self) -> int: ...
    @property
    def mean_length(self) -> float: ...
    @property
    def expected_mean_length(self) -> float: ...
    @property
    def length_gap(self) -> float: ...
    @property
    def initial_gap(self) -> float: ...
    @property
    def accent_gap(self) -> float: ...
    @property
    def broken(self) -> int: ...

class Report:
    """A chapter report: every setting tried, and the judgement."""
    @property
    def rows(self) -> list[Figures]: ...
    @property
    def best(self) -> int | None: ...
    @property
    def closest(self) -> int | None: ...
    @property
    def recommended_row(self) -> int: ...
    @property
    def reason(self) -> str: ...

class Generator:
    """An endless iterator of names. Threads may share one; each name goes to one of them."""
    def __iter__(self) -> Iterator[str]: ...
    def __next__(self) -> str: ...
    def next_logged(self) -> tuple[str, str]:
        """The next name and its generation log (CR LF line ends)."""
    def names(self, n: int) -> list[str]:
        """The next n names as a list."""
    def restart(self, seed: int | None = None) -> None:
        """Starts over with this seed (None: from the clock): the same names again."""

class Chapter:
    """A loaded chapter: read only, shared freely between threads."""
    def __init__(self, path: str | bytes | os.PathLike[str] | os.PathLike[bytes]) -> None:
        """Loads a text chapter (.vel), a compiled chapter (.qch) or a plain list (.txt)."""
    @staticmethod
    def from_names(names: Sequence[str], title: str | None = None) -> Chapter:
        """A chapter from sample names, as a plain list of them loads."""
    @staticmethod
    def from_bytes(data: bytes, file_name: str) -> Chapter:
        """A chapter from a chapter file's bytes; file_name tells the kind (.txt: a list)."""
    @property
    def title(self) -> str: ...
    @property
    def line1(self) -> str: ...
    @property
    def line2(self) -> str: ...
    @property
    def author(self) -> str: ...
    @property
    def date(self) -> str: ...
    @property
    def topic(self) -> str: ...
    @property
    def initials(self) -> str:
        """Every letter a sample name begins with: the values initial may take."""
    @property
    def left_out(self) -> int:
        """Names of a plain list that were left out."""
    @property
    def options(self) -> Setting:
        """The chapter's recommended options, which options left as None take."""
    def names(self, n: int, seed: int | None = None, fit: int | None = None,
              statistical: bool | None = None, structural: bool | None = None,
              prefixes: bool | None = None, suffixes: bool | None = None,
              initial: str | None = None, val: int | None = None,
              *, unique: bool = False, min_length: int = 0, max_length: int = 0,
              no_samples: bool = False, novel: bool = False, starts_with: str | None = None,
              ends_with: str | None = None, contains: str | None = None,
              excludes: str | None = None, clean: bool = False,
              clean_words: Sequence[str] | None = None) -> list[str]:
        """n names: those vaelgen --seed SEED prints with the same options and filters.

        The filters pick among the names made, as vaelgen's options of the same
        names do; Error when the chapter cannot give names that pass them."""
    def generator(self, seed: int | None = None, fit: int | None = None,
                  statistical: bool | None = None, structural: bool | None = None,
                  prefixes: bool | None = None, suffixes: bool | None = None,
                  initial: str | None = None, val: int | None = None,
                  *, unique: bool = False, min_length: int = 0, max_length: int = 0,
                  no_samples: bool = False, novel: bool = False,
                  starts_with: str | None = None, ends_with: str | None = None,
                  contains: str | None = None, excludes: str | None = None,
                  clean: bool = False, clean_words: Sequence[str] | None = None) -> Generator:
        """An endless iterator of names with these options, seed and filters."""
    def measure(self, n: int = 10000, seed: int = 1, fit: int | None = None,
                statistical: bool | None = None, structural: bool | None = None,
                prefixes: bool | None = None, suffixes: bool | None = None,
                initial: str | None = None, val: int | None = None) -> Figures:
        """The figures of n names made with these options and seed."""
    def report(self, n: int = 10000, seed: int = 1) -> Report:
        """Every setting a report tries, measured with n names each, and the judgement."""
