// Vael's name engine for browsers and Node.js 18+: the same engine as the
// window and vaelgen, compiled to WebAssembly. Load it once, open chapters
// from their bytes, make names:
//
//   const vael = await loadVael();
//   const chapter = vael.openChapter(bytes, 'elves.vel');
//   chapter.names(10, { seed: 3 });  // as `vaelgen -n 10 --seed 3 elves.vel`
//
// Failures throw VaelError, with the text the window shows.
import createVaelModule from './vael-wasm.mjs';

const OK = 0;
const E_SPACE = -2;
const E_LOAD = -3;
const FILTERS_SIZE = 48; // sizeof(vael_filters)
// vael_filters' fields by offset: numbers, then texts (pointers).
const FILTER_NUMBERS = { unique: 4, minLength: 8, maxLength: 12, noSamples: 16, novel: 20, clean: 40 };
const FILTER_TEXTS = { startsWith: 24, endsWith: 28, contains: 32, excludes: 36, cleanWords: 44 };
const OWN = -1;
const OPTIONS_SIZE = 36; // sizeof(vael_options); WebCalls.cpp holds the layout to it
const TEXTS = ['title', 'line1', 'line2', 'author', 'date', 'topic', 'initials'];
const SWITCHES = ['statistical', 'structural', 'prefixes', 'suffixes'];
// Names come out of the module this many bytes at a time, decoded at once.
const NAME_BUFFER = 1 << 16;

export class VaelError extends Error {
  // lines: the window's three information lines for this failure, when it
  // shows one ("FAILURE", what failed, "Cause: ..."); else undefined.
  constructor(message, lines) {
    super(message);
    this.name = 'VaelError';
    this.lines = lines;
  }
}

// The compiled engine: from bytes given or read from a file, or compiled
// while it downloads. The loader never looks for the file itself, which
// it cannot do under Node.
async function compiled(url, wasm) {
  if (wasm) return WebAssembly.compile(wasm);
  if (url.protocol === 'file:') {
    const { readFile } = await import('node:fs/promises');
    return WebAssembly.compile(await readFile(url));
  }
  const response = await fetch(url);
  if (!response.ok) throw new VaelError(`${url}: ${response.status} ${response.statusText}`);
  // Compiled as it arrives where the server calls it application/wasm, as
  // streaming compilation requires; otherwise compiled whole.
  if (WebAssembly.compileStreaming && /^application\/wasm\b/.test(response.headers.get('content-type') ?? '')) {
    return WebAssembly.compileStreaming(response);
  }
  return WebAssembly.compile(await response.arrayBuffer());
}

// Loads the engine. The wasm file lies beside this module; `wasm` may hand
// its bytes over instead.
export async function loadVael({ wasm } = {}) {
  const code = await compiled(new URL('./vael-wasm.wasm', import.meta.url), wasm);
  const module = await createVaelModule({
    instantiateWasm(imports, receive) {
      WebAssembly.instantiate(code, imports).then((instance) => receive(instance, code));
      return {};
    },
    print() {},
    printErr() {},
  });
  return new Vael(module);
}

// Takes a folder of the module's file system away with all it holds.
function removeFolder(FS, folder) {
  for (const name of FS.readdir(folder)) {
    if (name === '.' || name === '..') continue;
    const path = `${folder}/${name}`;
    if (FS.isDir(FS.stat(path).mode)) removeFolder(FS, path);
    else FS.unlink(path);
  }
  FS.rmdir(folder);
}

function asBytes(bytes) {
  if (bytes instanceof Uint8Array) return bytes;
  if (bytes instanceof ArrayBuffer) return new Uint8Array(bytes);
  if (ArrayBuffer.isView(bytes)) return new Uint8Array(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  throw new TypeError('chapter bytes must be a Uint8Array or an ArrayBuffer');
}

// The module's memory, seen through short-lived allocations.
class Memory {
  constructor(m) {
    this.m = m;
    this.encoder = new TextEncoder();
    this.decoder = new TextDecoder();
    this.out = this.reserve(16); // out-parameters: four 32-bit slots
  }
  get heap() {
    return this.m.HEAPU8; // renewed when memory grows: never kept
  }
  // Room for `size` bytes; throws rather than hand out address 0, which the
  // module's memory would take for a place to write.
  reserve(size) {
    const ptr = this.m._malloc(Math.max(size, 1));
    if (ptr === 0) throw new VaelError('out of memory');
    return ptr;
  }
  bytes(data) {
    const ptr = this.reserve(data.length);
    this.heap.set(data, ptr);
    return ptr;
  }
  // Allocations holding each of these bytes; none is left behind when one
  // cannot be made.
  allocate(data) {
    const made = [];
    try {
      for (const bytes of data) made.push(this.bytes(bytes));
      return made;
    } catch (error) {
      for (const ptr of made) this.m._free(ptr);
      throw error;
    }
  }
  string(text) {
    return this.bytes(this.cString(text));
  }
  cString(text) {
    return this.encoder.encode(`${text}\0`);
  }
  slot(i) {
    return this.out + 4 * i;
  }
  read(i) {
    return this.m.HEAPU32[(this.out >> 2) + i];
  }
  text(ptr, length) {
    return length === undefined
      ? this.m.UTF8ToString(ptr)
      : this.decoder.decode(this.heap.subarray(ptr, ptr + length));
  }
  copy(ptr, length) {
    return this.heap.slice(ptr, ptr + length);
  }
  // Runs fn with allocations that are freed afterwards.
  with(allocations, fn) {
    try {
      return fn(...allocations);
    } finally {
      for (const ptr of allocations) this.m._free(ptr);
    }
  }
  // History entries as NUL-terminated names one after another, and a mark
  // each: bytes still to be allocated, so that entries that are no entries
  // throw before anything is.
  history(items) {
    const names = this.cString(items.map((item) => `${item.text}`.replaceAll('\0', '')).join('\0'));
    const marks = Uint8Array.from(items, (item) => (item.checked ? 1 : 0));
    return [names, marks];
  }
}

function fail(memory) {
  return new VaelError(memory.text(memory.m._vael_last_error()));
}

// A value given for one of the interface's int fields, refused here by the
// caller's own name for it unless it is a whole number the field can hold:
// the field would wrap a larger one into range, and a stand-in value would
// have the library name a number the caller never gave.
function whole(name, value) {
  if (Number.isInteger(value) && value >= -0x80000000 && value <= 0x7fffffff) return value;
  const shown = typeof value === 'string' ? `"${value}"` : String(value);
  throw new VaelError(`${name}: ${shown} is not a whole number${Number.isInteger(value) ? ' in range' : ''}`);
}

// A filter's switch: true or false (or a number, 0 for off).
function onOff(name, value) {
  if (typeof value === 'boolean') return Number(value);
  if (typeof value === 'number' && !Number.isNaN(value)) return value !== 0 ? 1 : 0;
  const shown = typeof value === 'string' ? `"${value}"` : String(value);
  throw new VaelError(`${name}: ${shown} is not true or false`);
}

// A value given: left out, undefined and null all ask for nothing (the
// chapter's own option, no filter), as None does in Python.
const given = (value) => value !== undefined && value !== null;

// A filter's text: a string; the words for clean may also be a list of
// them, as Python takes them (one a line, as the word list holds them).
function filterText(name, value) {
  if (typeof value === 'string') return value;
  if (name === 'filters.cleanWords' && Array.isArray(value) && value.every((word) => typeof word === 'string')) {
    return value.join('\n');
  }
  throw new VaelError(`${name}: ${Array.isArray(value) ? 'a list' : String(value)} is not text`);
}

// Writes options over the chapter's own: a field not given stays VAEL_OWN.
// An option left out, undefined or null, is the chapter's own, as None is in
// Python; a switch is true or false (or a number, 0 for off).
function writeOptions(memory, ptr, options = {}) {
  const words = new Int32Array(OPTIONS_SIZE / 4).fill(OWN);
  words[0] = OPTIONS_SIZE;
  const { fit, val, initial } = options;
  if (given(fit)) words[1] = whole('fit', fit);
  SWITCHES.forEach((name, i) => {
    if (given(options[name])) words[2 + i] = onOff(name, options[name]);
  });
  if (given(val)) words[8] = whole('val', val);
  const bytes = new Uint8Array(words.buffer);
  bytes.fill(0, 24, 32);
  const letter = !given(initial) || initial === '*' ? '' : `${initial}`;
  const encoded = memory.encoder.encode(letter);
  if (encoded.length > 7) throw new VaelError(`initial: "${letter}" is not one letter`);
  bytes.set(encoded, 24);
  memory.heap.set(bytes, ptr);
}

function readOptions(memory, ptr) {
  const words = memory.m.HEAP32.subarray(ptr >> 2, (ptr >> 2) + OPTIONS_SIZE / 4);
  const options = { fit: words[1] };
  SWITCHES.forEach((name, i) => {
    options[name] = words[2 + i] === 1;
  });
  options.initial = memory.text(ptr + 24) || '*';
  options.val = words[8];
  return options;
}

export class Vael {
  #memory;

  constructor(module) {
    this.#memory = new Memory(module);
    this.version = module.UTF8ToString(module._vael_version());
  }

  // A chapter (.vel, .qch) or a plain list of names (.txt) from its bytes;
  // fileName tells which and titles a list.
  openChapter(bytes, fileName) {
    const memory = this.#memory;
    const m = memory.m;
    const data = asBytes(bytes);
    const handle = memory.with([memory.bytes(data), memory.string(fileName)], (ptr, name) => {
      const status = m._vael_chapter_from_memory(ptr, data.length, name, memory.slot(0));
      if (status === E_LOAD) {
        const cause = memory.text(m._vael_web_load_cause(ptr, data.length, name));
        throw new VaelError(cause, ['FAILURE', 'Attempt to open chapter failed.', `Cause: ${cause}`]);
      }
      if (status !== OK) throw fail(memory);
      return memory.read(0);
    });
    return new Chapter(memory, handle);
  }

  // A seed from the clock, as a run given none takes.
  clockSeed() {
    return this.#memory.m._vael_clock_seed() >>> 0;
  }

  // The document the window saves for these history entries (newest first,
  // { text, checked }): format 'rtf' or 'txt', the chapter's title and its
  // first information line, the statistics block's system (0: none) and
  // description lines (0: none). Windows-1252 bytes, as the window writes.
  saveDocument({ format, chapterTitle, line1, system = 0, lines = 0, history }) {
    const memory = this.#memory;
    const m = memory.m;
    const data = [memory.cString(chapterTitle), memory.cString(line1), ...memory.history(history)];
    return memory.with(memory.allocate(data),
      (title, line, names, marks) => {
        const ptr = m._vael_web_document(format === 'txt' ? 1 : 0, title, line, system, lines,
                                         names, history.length, marks, memory.slot(0));
        return memory.copy(ptr, memory.read(0));
      });
  }

  // What Copy puts on the clipboard: the checked entries, else the selected
  // one (index, -1 for none).
  copyText(history, selected = -1) {
    const memory = this.#memory;
    return memory.with(memory.allocate(memory.history(history)), (names, marks) =>
      memory.text(memory.m._vael_web_copy_text(names, history.length, marks, selected)));
  }

  // A plain list of names written as a chapter, as the window writes a
  // dropped list: { bytes, leftOut }. `stem` titles it.
  listChapter(bytes, fileName, stem) {
    const memory = this.#memory;
    const m = memory.m;
    const data = asBytes(bytes);
    return memory.with([memory.bytes(data), memory.string(fileName), memory.string(stem)],
      (ptr, name, title) => {
        const text = m._vael_web_list_chapter(ptr, data.length, name, title, memory.slot(0),
                                              memory.slot(1));
        if (text === 0) {
          const cause = memory.text(m._vael_web_cause());
          throw new VaelError(cause, ['FAILURE', 'Attempt to open chapter failed.', `Cause: ${cause}`]);
        }
        return { bytes: memory.copy(text, memory.read(0)), leftOut: memory.read(1) };
      });
  }

  // The texts in the order the window lists titles, initial letters and
  // books in.
  sortTitles(texts) {
    const memory = this.#memory;
    const m = memory.m;
    const strings = texts.map((text) => `${text}`.replaceAll('\0', ''));
    return memory.with([memory.string(strings.join('\0')), memory.reserve(4 * texts.length)],
      (names, order) => {
        m._vael_web_title_order(names, strings.length, order);
        return Array.from(m.HEAP32.subarray(order >> 2, (order >> 2) + strings.length),
                          (i) => texts[i]);
      });
  }

  // The books and chapters of a library given as { 'folder/file': bytes },
  // listed as the window lists them: [{ folder, title, info: [3 lines],
  // chapters: [{ file, title }] }].
  catalogue(files) {
    const { FS } = this.#memory.m;
    // A folder of its own, taken away again: a folder named after the clock
    // was still there for a second call in the same millisecond, and every
    // library stayed in the module's memory.
    let root = '/library';
    for (let n = 1; FS.analyzePath(root).exists; ++n) root = `/library-${n}`;
    FS.mkdir(root);
    const here = FS.cwd();
    try {
      for (const [path, bytes] of Object.entries(files)) {
        const parts = path.split('/');
        for (let i = 1; i < parts.length; ++i) {
          const folder = `${root}/${parts.slice(0, i).join('/')}`;
          if (!FS.analyzePath(folder).exists) FS.mkdir(folder);
        }
        FS.writeFile(`${root}/${path}`, asBytes(bytes));
      }
      FS.chdir(root);
      const memory = this.#memory;
      const text = memory.text(memory.m._vael_web_catalogue(memory.slot(0)), memory.read(0));
      const books = [];
      for (const line of text.split('\n')) {
        const [kind, ...fields] = line.split('\t');
        if (kind === 'B') {
          books.push({ folder: fields[0], title: fields[1], info: fields.slice(2, 5), chapters: [], topics: [] });
        } else if (kind === 'C') {
          books.at(-1).chapters.push({ file: fields[0], title: fields[1] });
        } else if (kind === 'T') {
          books.at(-1).topics.push({ number: Number(fields[0]), title: fields[1], paragraphs: [] });
        } else if (kind === 'P') {
          books.at(-1).topics.at(-1).paragraphs.push(fields);
        }
      }
      return books;
    } finally {
      FS.chdir(here);
      removeFolder(FS, root);
    }
  }
}

export class Chapter {
  #memory;
  #handle;

  constructor(memory, handle) {
    this.#memory = memory;
    this.#handle = handle;
    const m = memory.m;
    this.texts = {};
    TEXTS.forEach((name, i) => {
      this.texts[name] = memory.text(m._vael_chapter_text(handle, i));
    });
    this.title = this.texts.title;
    this.leftOut = m._vael_chapter_left_out(handle) >>> 0;
    this.options = memory.with([memory.reserve(OPTIONS_SIZE)], (ptr) => {
      m.HEAP32[ptr >> 2] = OPTIONS_SIZE;
      if (m._vael_chapter_options(handle, ptr) !== OK) throw fail(memory);
      return readOptions(memory, ptr);
    });
  }

  #live() {
    if (this.#handle === 0) throw new VaelError('the chapter is closed');
    return this.#handle;
  }

  // A generator of names with these options over the chapter's own, from
  // `seed` (the clock when not given).
  generator(options = {}) {
    const memory = this.#memory;
    const m = memory.m;
    const handle = this.#live();
    const seed = options.seed === undefined ? m._vael_clock_seed() >>> 0 : options.seed;
    if (!Number.isInteger(seed) || seed < 0 || seed > 0xffffffff) {
      throw new VaelError(`seed: ${seed} is not a whole number from 0 to 4294967295`);
    }
    const g = memory.with([memory.reserve(OPTIONS_SIZE)], (ptr) => {
      writeOptions(memory, ptr, options);
      if (m._vael_generator_new(handle, ptr, seed, memory.slot(0)) !== OK) throw fail(memory);
      return memory.read(0);
    });
    const generator = new Generator(memory, g);
    if (options.filters) {
      try {
        generator.setFilters(options.filters);
      } catch (error) {
        generator.close();
        throw error;
      }
    }
    return generator;
  }

  // `count` names, as `vaelgen -n COUNT` makes them with the same options
  // and seed.
  names(count, options = {}) {
    const generator = this.generator(options);
    try {
      return generator.names(count);
    } finally {
      generator.close();
    }
  }

  // One name and the decision log of its making: { name, log }.
  log(options = {}) {
    const generator = this.generator(options);
    try {
      return generator.nextLogged();
    } finally {
      generator.close();
    }
  }

  close() {
    if (this.#handle !== 0) this.#memory.m._vael_chapter_free(this.#handle);
    this.#handle = 0;
  }
}

export class Generator {
  #memory;
  #handle;
  #buffer = 0;

  constructor(memory, handle) {
    this.#memory = memory;
    this.#handle = handle;
  }

  #live() {
    if (this.#handle === 0) throw new VaelError('the generator is closed');
    return this.#handle;
  }

  // The next `count` names. They are made into one buffer and decoded
  // together: one string per name would cost more than the names.
  names(count) {
    if (!Number.isInteger(count) || count < 0) {
      throw new VaelError(`count: ${count} is not a whole number of names`);
    }
    const memory = this.#memory;
    const m = memory.m;
    const g = this.#live();
    if (this.#buffer === 0) this.#buffer = memory.reserve(NAME_BUFFER);
    let names = null;
    for (let made = 0; made < count;) {
      const status = m._vael_generator_names(g, count - made, this.#buffer, NAME_BUFFER,
                                             memory.slot(0), memory.slot(1));
      if (status !== OK) throw fail(memory);
      const part = memory.text(this.#buffer, memory.read(1) - 1).split('\0');
      if (names === null && part.length === count) return part;
      names ??= new Array(count);
      for (const name of part) names[made++] = name;
    }
    return names ?? [];
  }

  next() {
    return this.names(1)[0];
  }

  // The next name and the decision log of its making: { name, log }.
  nextLogged() {
    const memory = this.#memory;
    const m = memory.m;
    const g = this.#live();
    if (this.#buffer === 0) this.#buffer = memory.reserve(NAME_BUFFER);
    if (m._vael_generator_next_logged(g, this.#buffer, NAME_BUFFER, memory.slot(0)) !== OK) {
      throw fail(memory);
    }
    const name = memory.text(this.#buffer, memory.read(0));
    // Asked with no room, it tells the log's length.
    if (m._vael_generator_log(g, 0, 0, memory.slot(0)) !== E_SPACE) throw fail(memory);
    const size = memory.read(0) + 1;
    const log = memory.with([memory.reserve(size)], (ptr) => {
      if (m._vael_generator_log(g, ptr, size, memory.slot(0)) !== OK) throw fail(memory);
      return memory.text(ptr, memory.read(0));
    });
    return { name, log };
  }

  // Options for the names from here on; the history of recent names and the
  // random numbers go on, as in the window when its options change.
  setOptions(options = {}) {
    const memory = this.#memory;
    const m = memory.m;
    const g = this.#live();
    memory.with([memory.reserve(OPTIONS_SIZE)], (ptr) => {
      writeOptions(memory, ptr, options);
      if (m._vael_generator_set_options(g, ptr) !== OK) throw fail(memory);
    });
  }

  // Filters on the names from the next on (null: none), as vaelgen's
  // --unique, --min-length, --max-length, --no-samples, --novel,
  // --starts-with, --ends-with, --contains, --excludes, --clean and
  // --clean-list words: { unique, minLength, maxLength, noSamples, novel,
  // startsWith, endsWith, contains, excludes, clean, cleanWords }.
  setFilters(filters) {
    const memory = this.#memory;
    const m = memory.m;
    const g = this.#live();
    if (!filters) {
      if (m._vael_generator_set_filters(g, 0) !== OK) throw fail(memory);
      return;
    }
    for (const key of Object.keys(filters)) {
      if (!(key in FILTER_NUMBERS) && !(key in FILTER_TEXTS)) throw new VaelError(`filters: unknown filter ${key}`);
    }
    const texts = Object.keys(FILTER_TEXTS).filter((key) => given(filters[key]));
    const values = texts.map((key) => filterText(`filters.${key}`, filters[key]));
    memory.with([memory.reserve(FILTERS_SIZE), ...values.map((text) => memory.string(text))],
      (ptr, ...strings) => {
        const words = new Int32Array(FILTERS_SIZE / 4);
        words[0] = FILTERS_SIZE;
        // A filter left out, undefined or null asks for nothing.
        for (const [key, offset] of Object.entries(FILTER_NUMBERS)) {
          const value = filters[key];
          if (!given(value)) continue;
          words[offset / 4] = key.endsWith('Length') ? whole(`filters.${key}`, value)
            : onOff(`filters.${key}`, value);
        }
        texts.forEach((key, i) => { words[FILTER_TEXTS[key] / 4] = strings[i]; });
        memory.heap.set(new Uint8Array(words.buffer), ptr);
        if (m._vael_generator_set_filters(g, ptr) !== OK) throw fail(memory);
      });
  }

  close() {
    const m = this.#memory.m;
    if (this.#handle !== 0) m._vael_generator_free(this.#handle);
    if (this.#buffer !== 0) m._free(this.#buffer);
    this.#handle = 0;
    this.#buffer = 0;
  }
}
