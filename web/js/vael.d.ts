// Vael's name engine for browsers and Node.js 18+.

/** Generation options; a field left out takes the chapter's own value. */
/** Options over the chapter's own: one left out or null is the chapter's own. */
export interface NameOptions {
  /** Fit level, 0 to 3. */
  fit?: number | null;
  statistical?: boolean | null;
  structural?: boolean | null;
  prefixes?: boolean | null;
  suffixes?: boolean | null;
  /** One letter some sample name begins with, of either case; "*" or "" for any. */
  initial?: string | null;
  /** Screening level, 0 to 9. */
  val?: number | null;
}

/** Filters on the names made, as vaelgen's options of the same names; they pick among the names. A filter left out or null asks for nothing. */
export interface NameFilters {
  /** Never the same name twice. */
  unique?: boolean;
  /** Letters, spaces and hyphens not counted; 0 for no bound. */
  minLength?: number;
  maxLength?: number;
  /** Never a sample name, ignoring case (not for a compiled chapter). */
  noSamples?: boolean;
  /** Never a sample nor a near-copy of one (not for a compiled chapter). */
  novel?: boolean;
  /** Texts matched without regard to case or accents. */
  startsWith?: string;
  endsWith?: string;
  contains?: string;
  excludes?: string;
  /** Never a name that is, or holds as a word, an offensive word of the built-in list. */
  clean?: boolean;
  /** More words for clean, one entry a line or one a list item ("word", "stem*", "*stem", "*stem*"); implies clean. */
  cleanWords?: string | string[];
}

export interface GeneratorOptions extends NameOptions {
  /** 0 to 4294967295: the same chapter, options and seed give the same names. The clock when left out. */
  seed?: number;
  filters?: NameFilters;
}

/** A chapter's recommended options, every field given. */
export interface ChapterOptions {
  fit: number;
  statistical: boolean;
  structural: boolean;
  prefixes: boolean;
  suffixes: boolean;
  /** "*" for any. */
  initial: string;
  val: number;
}

export interface LoggedName {
  name: string;
  /** The decision log of the name, with CR LF line ends. */
  log: string;
}

export interface HistoryEntry {
  text: string;
  checked: boolean;
}

export interface Book {
  /** "" for the loose chapters ("Unbound"). */
  folder: string;
  title: string;
  /** The three information lines the window shows for the book. */
  info: [string, string, string];
  chapters: { file: string; title: string }[];
  /** The notes of the book's "chapters.hlp", by the number a chapter's `texts.topic` gives. */
  topics: HelpTopic[];
}

export interface HelpTopic {
  number: number;
  title: string;
  /** Each paragraph as the lines it shows (a list item is a line of its own). */
  paragraphs: string[][];
}

export class VaelError extends Error {
  /** The window's three information lines for this failure, where it shows one. */
  lines?: [string, string, string];
}

export class Generator {
  names(count: number): string[];
  next(): string;
  nextLogged(): LoggedName;
  /** Options from the next name on; the history of recent names goes on. */
  setOptions(options?: NameOptions): void;
  /** Filters from the next name on; null for none. Throws VaelError when no name can pass them. */
  setFilters(filters: NameFilters | null): void;
  close(): void;
}

export class Chapter {
  readonly title: string;
  readonly texts: {
    title: string;
    line1: string;
    line2: string;
    author: string;
    date: string;
    topic: string;
    /** Every letter a sample name begins with. */
    initials: string;
  };
  /** The chapter's recommended options. */
  readonly options: ChapterOptions;
  /** Names of a plain list that were left out. */
  readonly leftOut: number;
  /** As `vaelgen -n COUNT` with the same options and seed. */
  names(count: number, options?: GeneratorOptions): string[];
  /** One name and its decision log. */
  log(options?: GeneratorOptions): LoggedName;
  generator(options?: GeneratorOptions): Generator;
  close(): void;
}

export class Vael {
  readonly version: string;
  /** A chapter (.vel, .qch) or a plain list of names (.txt); fileName tells which. */
  openChapter(bytes: Uint8Array | ArrayBuffer, fileName: string): Chapter;
  clockSeed(): number;
  /** The document the window saves, in Windows-1252 bytes. */
  saveDocument(request: {
    format: 'rtf' | 'txt';
    chapterTitle: string;
    line1: string;
    /** Role-playing statistics block: 0 none, 1 to 5 a system. */
    system?: number;
    /** Description lines under each name: 0 none, 1 to 8. */
    lines?: number;
    /** Newest first, as the history list shows them. */
    history: HistoryEntry[];
  }): Uint8Array;
  /** The checked entries, else the selected one, as Copy puts them on the clipboard. */
  copyText(history: HistoryEntry[], selected?: number): string;
  /** A plain list of names written as a chapter file, titled `stem`. */
  listChapter(bytes: Uint8Array | ArrayBuffer, fileName: string, stem: string): {
    bytes: Uint8Array;
    leftOut: number;
  };
  /** The texts in the order the window lists titles, books and initial letters in. */
  sortTitles(texts: string[]): string[];
  /** The books and chapters of a library given as paths and bytes. */
  catalogue(files: Record<string, Uint8Array>): Book[];
}

export function loadVael(options?: { wasm?: Uint8Array | ArrayBuffer }): Promise<Vael>;
