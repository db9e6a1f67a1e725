// The JavaScript module against vaelgen: the same names, logs, documents
// and written chapters for the same chapter, options and seed; and how it
// fails.
import assert from 'node:assert/strict';
import { readFileSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { library, loadModule, testData, vaelgen, vaelgenOptions } from './support.mjs';

const { loadVael, VaelError } = await loadModule();
const vael = await loadVael();
const latin1 = new TextDecoder('windows-1252');

function open(path) {
  return vael.openChapter(readFileSync(path), path.split('/').at(-1));
}

const chapters = [
  join(library, 'elder/woodelves.vel'), // accents and vowel harmony
  join(library, 'stars/crews.vel'), // two-word names
  join(library, 'faecourt.qch'), // a compiled chapter
  join(testData, 'villages40.txt'), // a plain list
];
const optionSets = [
  { seed: 3 },
  { seed: 11, fit: 3, statistical: false, structural: true, prefixes: true, suffixes: true },
  { seed: 4294967295, fit: 0, statistical: true, structural: false, val: 6 },
  { seed: 7, initial: 'E' },
];

test('names equal vaelgen\'s for each chapter and option set', () => {
  for (const path of chapters) {
    const chapter = open(path);
    for (const options of optionSets) {
      const expected = vaelgen(['-n', '300', ...vaelgenOptions(options), path]).split('\n').slice(0, -1);
      assert.deepEqual(chapter.names(300, options), expected, `${path} ${JSON.stringify(options)}`);
    }
    chapter.close();
  }
});

test('a long run comes out whole across the module\'s buffer', () => {
  const chapter = open(join(library, 'northlands/finnish.vel'));
  const names = chapter.names(20000, { seed: 5 });
  const expected = vaelgen(['-n', '20000', '--seed', '5', join(library, 'northlands/finnish.vel')]);
  assert.equal(names.length, 20000);
  assert.equal(`${names.join('\n')}\n`, expected);
  assert.deepEqual(chapter.names(0, { seed: 5 }), []);
  chapter.close();
});

test('a generator goes on where it stopped, and changed options take the next name', () => {
  const path = join(library, 'elder/dwarves.vel');
  const chapter = open(path);
  const generator = chapter.generator({ seed: 9 });
  const parts = [...generator.names(3), generator.next(), generator.nextLogged().name, ...generator.names(5)];
  assert.deepEqual(parts, chapter.names(10, { seed: 9 }));
  generator.setOptions({ initial: 'b' });
  assert.ok(generator.names(50).every((name) => name.startsWith('B')));
  assert.throws(() => generator.setOptions({ fit: 4 }), VaelError);
  generator.close();
  assert.throws(() => generator.next(), /closed/);
  chapter.close();
});

test('the log of a name is vaelgen\'s log file, and logging changes no name', () => {
  const path = join(library, 'elder/woodelves.vel');
  const chapter = open(path);
  const folder = mkdtempSync(join(tmpdir(), 'vael-web-'));
  try {
    const { name, log } = chapter.log({ seed: 21, fit: 2 });
    assert.equal(name, chapter.names(1, { seed: 21, fit: 2 })[0]);
    vaelgen(['--log', '--seed', '21', '--fit', '2', path], { cwd: folder });
    assert.equal(log, latin1.decode(readFileSync(join(folder, '!vel_log.txt'))));
  } finally {
    rmSync(folder, { recursive: true });
  }
  chapter.close();
});

test('texts and recommended options of a chapter', () => {
  const chapter = open(join(library, 'elder/woodelves.vel'));
  assert.equal(chapter.title, 'Wood elves');
  assert.equal(chapter.texts.line2, 'A sounded final e is written with two dots');
  assert.deepEqual(chapter.options,
                   { fit: 1, statistical: true, structural: true, prefixes: false, suffixes: false,
                     initial: '*', val: 1 });
  assert.ok(chapter.texts.initials.includes('A'));
  chapter.close();
  assert.throws(() => chapter.names(1), /closed/);
});

test('saved documents are byte for byte vaelgen\'s', () => {
  const path = join(library, 'elder/woodelves.vel');
  const chapter = open(path);
  const folder = mkdtempSync(join(tmpdir(), 'vael-web-'));
  try {
    for (const [format, system, lines] of [['rtf', 0, 0], ['rtf', 2, 3], ['txt', 5, 0], ['txt', 0, 8], ['txt', 1, 1]]) {
      const names = chapter.names(12, { seed: 8 });
      const file = join(folder, `names.${format}`);
      vaelgen(['-n', '12', '--seed', '8', '-o', file, '--format', format, '--rpg', String(system),
               '--lines', String(lines), path]);
      // The history shows the newest name on top; every name is checked.
      const history = names.reverse().map((text) => ({ text, checked: true }));
      const bytes = vael.saveDocument({ format, chapterTitle: chapter.title, line1: chapter.texts.line1,
                                        system, lines, history });
      assert.deepEqual(Buffer.from(bytes), readFileSync(file), `${format} ${system} ${lines}`);
    }
    // A title and first line with curly apostrophes keep their own bytes.
    const curly = join(folder, 'curly.vel');
    writeFileSync(curly, Buffer.concat([Buffer.from('TITLE "Elves\x92 wood";\r\nLINE1 "The \x91soft\x92 names";', 'latin1'),
                                        readFileSync(path).subarray(readFileSync(path).indexOf('\r\nLINE2'))]));
    const withCurly = vael.openChapter(readFileSync(curly), 'curly.vel');
    assert.equal(withCurly.texts.line1, 'The \u2018soft\u2019 names');
    for (const format of ['rtf', 'txt']) {
      const file = join(folder, `curly.${format}`);
      vaelgen(['-n', '3', '--seed', '8', '-o', file, '--format', format, curly]);
      const history = withCurly.names(3, { seed: 8 }).reverse().map((text) => ({ text, checked: true }));
      const bytes = vael.saveDocument({ format, chapterTitle: withCurly.title, line1: withCurly.texts.line1, history });
      assert.deepEqual(Buffer.from(bytes), readFileSync(file), `curly ${format}`);
    }
    withCurly.close();
  } finally {
    rmSync(folder, { recursive: true });
  }
  chapter.close();
});

test('only checked entries are saved; copy takes them, else the chosen one', () => {
  const history = [{ text: 'Ëlinde', checked: true }, { text: 'Bram', checked: false },
                   { text: 'Cora', checked: true }];
  const text = latin1.decode(vael.saveDocument({ format: 'txt', chapterTitle: 'T', line1: 'L', history }));
  assert.ok(text.includes('Ëlinde') && text.includes('Cora') && !text.includes('Bram'));
  assert.equal(vael.copyText(history, 1), 'Ëlinde\r\nCora');
  history.forEach((entry) => { entry.checked = false; });
  assert.equal(vael.copyText(history, 1), 'Bram');
});

test('a call that throws on its arguments leaves nothing allocated', async () => {
  // The module's memory, seen from outside: its instance is caught as it is made.
  let memory;
  const instantiate = WebAssembly.instantiate;
  WebAssembly.instantiate = async (...args) => {
    const made = await instantiate(...args);
    memory = Object.values((made.instance ?? made).exports).find((value) => value instanceof WebAssembly.Memory);
    return made;
  };
  let own;
  try {
    own = await loadVael();
  } finally {
    WebAssembly.instantiate = instantiate;
  }
  const request = { format: 'txt', chapterTitle: 'T'.repeat(16 << 20), line1: 'L', history: [] };
  own.saveDocument(request);
  const size = memory.buffer.byteLength;
  for (let i = 0; i < 6; ++i) {
    assert.throws(() => own.saveDocument({ ...request, history: [null] }), TypeError);
    assert.throws(() => own.copyText([{ text: 'A' }, null]), TypeError);
  }
  assert.equal(memory.buffer.byteLength, size);
});

test('a list is written as a chapter as vaelgen --write-chapter writes it', () => {
  const list = join(testData, 'villages40.txt');
  const folder = mkdtempSync(join(tmpdir(), 'vael-web-'));
  try {
    const out = join(folder, 'villages.vel');
    vaelgen(['--write-chapter', out, '--title', 'villages', list]);
    const { bytes, leftOut } = vael.listChapter(readFileSync(list), 'villages40.txt', 'villages');
    assert.deepEqual(Buffer.from(bytes), readFileSync(out));
    assert.equal(leftOut, 0);
    assert.equal(vael.openChapter(bytes, 'villages.vel').title, 'villages');
  } finally {
    rmSync(folder, { recursive: true });
  }
});

test('a library is listed with its books and chapters, call after call', () => {
  const files = {};
  for (const path of ['elder/book.dat', 'elder/dwarves.vel', 'elder/woodelves.vel', 'goblins.vel']) {
    files[path] = readFileSync(join(library, path));
  }
  const first = vael.catalogue(files);
  assert.deepEqual(vael.catalogue(files), first);
  assert.deepEqual(first.map((book) => book.title), ['Unbound', 'Elder Realms']);
  assert.deepEqual(first[1].chapters.map((chapter) => chapter.file), ['dwarves.vel', 'woodelves.vel']);
  // Folder and file names come back as they were given, to be fetched by.
  const legends = vael.catalogue({ 'l\u00e9gendes/book.dat': files['elder/book.dat'],
                                   'l\u00e9gendes/\u00e9pop\u00e9e.vel': files['elder/dwarves.vel'] });
  assert.equal(legends[0].folder, 'l\u00e9gendes');
  assert.equal(legends[0].chapters[0].file, '\u00e9pop\u00e9e.vel');
  // Nothing of a library stays behind for the next.
  assert.deepEqual(vael.catalogue({ 'goblins.vel': files['goblins.vel'] })[0].chapters.length, 1);
  // Calls quicker than the clock's millisecond.
  for (let i = 0; i < 20; ++i) assert.deepEqual(vael.catalogue({}), []);
});

test('titles sort as the window lists them', () => {
  assert.deepEqual(vael.sortTitles(['Wild', 'Elder', 'Unbound']), ['Elder', 'Unbound', 'Wild']);
});

test('failures throw VaelError with the window\'s lines', () => {
  const cases = [
    [new Uint8Array(0), 'empty.vel'],
    [new TextEncoder().encode('TITLE "x";\nNAMES\n'), 'short.vel'],
    [new Uint8Array([0, 1, 2, 255, 0, 7]), 'binary.qch'],
    [new TextEncoder().encode('123\n!!!\n'), 'nothing.txt'],
  ];
  for (const [bytes, name] of cases) {
    assert.throws(() => vael.openChapter(bytes, name), (error) => {
      assert.ok(error instanceof VaelError, name);
      assert.equal(error.lines[0], 'FAILURE');
      assert.equal(error.lines[1], 'Attempt to open chapter failed.');
      assert.equal(error.lines[2], `Cause: ${error.message}`);
      assert.ok(error.message.length > 0);
      return true;
    });
  }
  assert.throws(() => vael.listChapter(new TextEncoder().encode('123\n'), 'n.txt', 'n'), VaelError);
  assert.throws(() => vael.openChapter('not bytes', 'x.vel'), TypeError);
  const chapter = open(join(library, 'elder/woodelves.vel'));
  assert.throws(() => chapter.names(1, { initial: 'X' }), /no sample name of this chapter begins with X/);
  assert.throws(() => chapter.names(1, { fit: 9 }), VaelError);
  assert.throws(() => chapter.names(1, { seed: -1 }), VaelError);
  assert.throws(() => chapter.names(1, { initial: 'too long' }), VaelError);
  assert.throws(() => chapter.names(-1), VaelError);
  // A value no int field holds is refused by the name it was given under,
  // not wrapped into range nor named as a number never given.
  assert.throws(() => chapter.names(1, { fit: '2' }), /^VaelError: fit: "2" is not a whole number$/);
  assert.throws(() => chapter.names(1, { val: 1.5 }), /val: 1.5 is not a whole number/);
  assert.throws(() => chapter.names(1, { val: 2 ** 32 + 1 }), /val: 4294967297 is not a whole number in range/);
  assert.throws(() => chapter.names(1, { statistical: 'no' }), /statistical: "no" is not true or false/);
  // null is the chapter's own, as a value left out (and as None in Python).
  assert.deepEqual(chapter.names(20, { seed: 6, fit: null, statistical: null, initial: null, val: null }),
                   chapter.names(20, { seed: 6 }));
  // A failure leaves the module usable.
  assert.equal(chapter.names(2, { seed: 1 }).length, 2);
  chapter.close();
});

test('filters pick the names vaelgen\'s filters pick, and say when no name can pass', () => {
  const path = join(library, 'elder/woodelves.vel');
  const chapter = open(path);
  const cases = [
    [{ startsWith: 'el', minLength: 6, unique: true }, ['--starts-with', 'el', '--min-length', '6', '--unique']],
    [{ novel: true, excludes: 'th', maxLength: 8 }, ['--novel', '--excludes', 'th', '--max-length', '8']],
    [{ contains: 'ë', clean: true }, ['--contains', 'ë', '--clean']],
  ];
  for (const [filters, args] of cases) {
    const expected = vaelgen(['-n', '100', '--seed', '4', ...args, path]).split('\n').slice(0, -1);
    assert.deepEqual(chapter.names(100, { seed: 4, filters }), expected, JSON.stringify(filters));
  }
  // Words for clean as a list (as Python takes them) or a line each, as a word list holds them.
  const folder = mkdtempSync(join(tmpdir(), 'vael-clean-'));
  try {
    writeFileSync(join(folder, 'words.txt'), '*wen\nael*\n');
    const expected = vaelgen(['-n', '100', '--seed', '4', '--clean-list', join(folder, 'words.txt'), path])
      .split('\n').slice(0, -1);
    assert.deepEqual(chapter.names(100, { seed: 4, filters: { cleanWords: ['*wen', 'ael*'] } }), expected);
    assert.deepEqual(chapter.names(100, { seed: 4, filters: { cleanWords: '*wen\nael*' } }), expected);
    assert.notDeepEqual(expected, chapter.names(100, { seed: 4 }));
  } finally {
    rmSync(folder, { recursive: true });
  }
  assert.throws(() => chapter.names(1, { filters: { startsWith: ['e', 'a'] } }), /filters.startsWith: a list is not text/);
  assert.throws(() => chapter.names(1, { filters: { cleanWords: [3] } }), /filters.cleanWords: a list is not text/);
  // Filters set on a running generator, and kept when its options change.
  const generator = chapter.generator({ seed: 4 });
  generator.setFilters({ endsWith: 'e' });
  generator.setOptions({ initial: 'A' });
  assert.ok(generator.names(30).every((name) => /^A.*e$/i.test(name.normalize('NFD').replace(/\p{M}/gu, ''))));
  generator.setFilters(null);
  generator.close();
  // unique goes on remembering across changed options, as libvael's does:
  // setting the filters anew would forget the names already given.
  const once = chapter.generator({ seed: 4, filters: { unique: true } });
  const given = new Set(once.names(400));
  once.setOptions({ fit: 2 });
  assert.deepEqual(once.names(400).filter((name) => given.has(name)), []);
  once.close();
  assert.throws(() => chapter.names(1, { filters: { startsWith: 'xq' } }), VaelError);
  assert.throws(() => chapter.names(1, { filters: { minLength: -2 } }), VaelError);
  // null asks for nothing, as a filter left out; other values are refused by name.
  assert.deepEqual(chapter.names(20, { seed: 4, filters: { minLength: null, clean: null, unique: null } }),
                   chapter.names(20, { seed: 4 }));
  assert.throws(() => chapter.names(1, { filters: { maxLength: '8' } }), /filters.maxLength: "8" is not a whole number/);
  assert.throws(() => chapter.names(1, { filters: { minLength: 2 ** 32 + 3 } }), /filters.minLength: .* in range/);
  assert.throws(() => chapter.names(1, { filters: { unique: 'no' } }), /filters.unique: "no" is not true or false/);
  assert.throws(() => chapter.names(1, { filters: { shorterThan: 3 } }), /unknown filter/);
  chapter.close();
  const compiled = open(join(library, 'faecourt.qch'));
  assert.throws(() => compiled.names(1, { filters: { novel: true } }), /compiled chapter/);
  compiled.close();
});
