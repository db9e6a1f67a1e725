// The page in a real browser (Chromium, headless), driven as a person
// would drive it: clicks, keys, typed text, files opened and dropped, the
// clipboard and the downloaded files read back.
import assert from 'node:assert/strict';
import { cpSync, existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { serve } from '../../web/tools/serve.mjs';
import { library, loadModule, webDir } from './support.mjs';

const { loadVael } = await loadModule();
const require = createRequire(import.meta.url);
// The browser driver and the checker come from npm (tests/web/package.json,
// installed by scripts/test with npm ci).
let puppeteer;
let axeSource;
try {
  puppeteer = (await import('puppeteer-core')).default;
  axeSource = readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
} catch {
  console.log('puppeteer-core or axe-core is missing: run npm ci in tests/web');
  process.exit(77);
}
const chromium = process.env.VAEL_CHROMIUM ?? '/usr/bin/chromium';
if (!existsSync(chromium)) {
  console.log(`no browser at ${chromium}`);
  process.exit(77);
}

const site = join(webDir, 'site');
let server;
let origin;
let browser;
let downloads;
const vael = await loadVael();

before(async () => {
  server = await serve(site);
  origin = server.origin;
  browser = await puppeteer.launch({ executablePath: chromium, headless: true,
                                     args: ['--no-sandbox', '--disable-gpu'] });
  await browser.defaultBrowserContext().overridePermissions(origin,
    ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  downloads = mkdtempSync(join(tmpdir(), 'vael-downloads-'));
  const session = await browser.target().createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
});

after(async () => {
  await browser?.close();
  server?.close();
  if (downloads) rmSync(downloads, { recursive: true });
});

async function openPage({ width = 1000, height = 900 } = {}) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.errors = errors;
  await page.setViewport({ width, height });
  await page.goto(`${origin}/`);
  await page.waitForSelector('body[data-ready]');
  return page;
}

const text = (page, selector) => page.$eval(selector, (element) => element.textContent);
const info = (page) => page.$$eval('#info p', (lines) => lines.map((line) => line.textContent));
const history = (page) => page.$$eval('#lbxHistory li', (items) => items.map((item) => ({
  text: item.textContent, checked: item.querySelector('input').checked })));

async function choose(page, book, chapter) {
  await page.select('#cmbBook', book);
  await page.select('#cmbChapter', chapter);
  await page.waitForFunction(() => document.querySelector('#lblStatus').textContent === 'Chapter loaded');
}

async function waitForDownload(name) {
  const path = join(downloads, name);
  for (let i = 0; i < 100 && !existsSync(path); ++i) await new Promise((resolve) => setTimeout(resolve, 50));
  await new Promise((resolve) => setTimeout(resolve, 100));
  const bytes = readFileSync(path);
  rmSync(path);
  return bytes;
}

// Files dropped on the page, as the browser hands a drop from the desktop.
async function drop(page, files) {
  await page.evaluate((files) => {
    const transfer = new DataTransfer();
    for (const { name, bytes, size } of files) {
      transfer.items.add(new File([size ? new Uint8Array(size) : Uint8Array.from(bytes)], name));
    }
    for (const type of ['dragenter', 'dragover', 'drop']) {
      document.querySelector('main').dispatchEvent(new DragEvent(type, { dataTransfer: transfer, bubbles: true,
                                                                         cancelable: true }));
    }
  }, files);
}

async function status(page, expected) {
  await page.waitForFunction((expected) => document.querySelector('#lblStatus').textContent === expected,
                             { timeout: 10000 }, expected).catch(async () => {
    assert.fail(`status "${await text(page, "#lblStatus")}" (${(await info(page)).join(" / ")}), expected "${expected}"`);
  });
}

test('opens with a name of the first chapter; books, chapters and options as the window fills them', async () => {
  const page = await openPage();
  assert.equal((await history(page)).length, 1);
  assert.notEqual(await text(page, '#lblName'), '');
  const books = await page.$$eval('#cmbBook option', (options) => options.map((o) => o.textContent));
  assert.ok(books.includes('Unbound') && books.includes('Elder Realms'));
  assert.deepEqual(books, vael.sortTitles(books));
  await page.select('#cmbBook', 'Elder Realms');
  assert.deepEqual(await info(page), ['Invented names of elves, dwarves and water spirits',
                                      'Five fantasy styles for the older peoples', 'Vael sample library']);
  assert.equal(await text(page, '#lblStatus'), 'Book loaded');
  assert.equal(await page.$eval('#btnNext', (b) => b.disabled), true);
  await choose(page, 'Elder Realms', 'Wood elves');
  assert.deepEqual(await info(page), ['Soft, flowing names of the forest folk',
                                      'A sounded final e is written with two dots', 'Vael sample library']);
  // The chapter's own options, with automatic options on.
  assert.equal(await page.$eval('input[name=fit]:checked', (r) => r.value), '1');
  assert.equal(await page.$eval('#cbxStructural', (c) => c.checked), true);
  assert.equal(await page.$eval('#cbxPrefix', (c) => c.checked), false);
  const letters = await page.$$eval('#cmbInitLetter option', (options) => options.map((o) => o.textContent));
  assert.equal(letters[0], '*');
  assert.ok(letters.includes('Y') && !letters.includes('X'));
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('names by click, Enter and page; the list size corrected as the window corrects it', async () => {
  const page = await openPage();
  await choose(page, 'Northlands', 'Finnish given names');
  for (const [typed, corrected] of [['5000', '1000'], ['abc', '50'], [' 3 ', '3'], ['0', '50'], ['-7', '2'],
                                    ['1', '2']]) {
    await page.click('#ebxPageSize', { clickCount: 3 });
    await page.keyboard.press('Backspace');
    await page.type('#ebxPageSize', typed);
    await page.keyboard.press('Tab');
    assert.equal(await page.$eval('#ebxPageSize', (e) => e.value), corrected, `"${typed}"`);
    assert.equal(await page.$eval('#btnStorePage', (b) => b.getAttribute('aria-label')), `Generate ${corrected}`);
  }
  await page.click('#btnStorePage');
  await status(page, 'Generated 2');
  // Hints in the status line while the pointer is on a control; the
  // status comes back when it leaves.
  await page.click('#ebxPageSize', { clickCount: 3 });
  await page.type('#ebxPageSize', '7');
  await page.hover('#btnStorePage');
  await status(page, 'Generate 7');
  await page.hover('#btnNext');
  await status(page, 'Generate next');
  await page.hover('#lblName');
  await status(page, 'Generated 2');
  await page.click('#ebxPageSize', { clickCount: 3 });
  await page.type('#ebxPageSize', '1');
  await page.keyboard.press('Tab');
  await page.click('#btnNext');
  await page.focus('#lblName');
  await page.keyboard.press('Enter');
  const names = await history(page);
  assert.equal(names.length, 4);
  assert.equal(await text(page, '#lblName'), names[0].text);
  // The initial letter holds for every name from the next on.
  await page.select('#cmbInitLetter', 'K');
  await page.click('#ebxPageSize', { clickCount: 3 });
  await page.type('#ebxPageSize', '1000');
  await page.click('#btnStorePage');
  await status(page, 'Generated 1000');
  const page1000 = (await history(page)).slice(0, 1000);
  assert.ok(page1000.every((entry) => entry.text.startsWith('K')));
  assert.equal((await history(page)).length, 1004);
  // The log of the last single name.
  await page.click('#btnLog');
  assert.match(await text(page, '#logText'), /^Vael log file/);
  await page.keyboard.press('Escape');
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('check marks, copy and save: the window\'s commands and bytes', async () => {
  const page = await openPage();
  await choose(page, 'Elder Realms', 'Wood elves');
  await page.$eval('#ebxPageSize', (e) => { e.value = '6'; });
  await page.click('#btnStorePage');
  await status(page, 'Generated 6');
  assert.equal(await page.$eval('#btnSave', (b) => b.disabled), true);
  const boxes = await page.$$('#lbxHistory input');
  await boxes[1].click();
  await boxes[3].click();
  await page.keyboard.press('Space'); // on the focused entry: unchecks it again
  await page.keyboard.press('ArrowDown'); // the next entry, by the keyboard alone
  await page.keyboard.press('Space');
  let entries = await history(page);
  assert.deepEqual(entries.map((e) => e.checked), [false, true, false, false, true, false]);
  await page.click('#btnCopy');
  await status(page, 'Copied');
  const clipboard = () => page.evaluate(() => navigator.clipboard.readText());
  assert.equal(await clipboard(), `${entries[1].text}\r\n${entries[4].text}`);

  await page.click('#btnInvertSelection');
  assert.deepEqual((await history(page)).map((e) => e.checked), [true, false, true, true, false, true]);
  await page.keyboard.down('Control');
  await page.keyboard.press('a');
  await page.keyboard.up('Control');
  assert.ok((await history(page)).every((e) => e.checked));
  await page.click('#btnDeselectAll');
  assert.ok((await history(page)).every((e) => !e.checked));
  // Nothing checked: Ctrl+C copies the chosen entry.
  await page.click('#lbxHistory li:nth-child(3) span');
  assert.equal(await text(page, '#lblName'), entries[2].text);
  await page.keyboard.down('Control');
  await page.keyboard.press('c');
  await page.keyboard.up('Control');
  await status(page, 'Copied');
  assert.equal(await clipboard(), entries[2].text);

  // Saved as Rich Text and as text, with a statistics block and lines.
  await boxes[0].click();
  await boxes[5].click();
  entries = await history(page);
  await page.select('#cmbSystem', '2nd Ed. AD&D');
  await page.select('#cmbDesc', '3');
  for (const format of ['rtf', 'txt']) {
    await page.select('#cmbSaveFormat', format);
    await page.click('#btnSave');
    await status(page, 'Saved');
    const expected = vael.saveDocument({ format, chapterTitle: 'Wood elves',
                                         line1: 'Soft, flowing names of the forest folk',
                                         system: 2, lines: 3, history: entries });
    assert.deepEqual(await waitForDownload(`Wood elves.${format}`), Buffer.from(expected));
  }
  await page.click('#btnClear');
  await status(page, 'Cleared');
  assert.equal((await history(page)).length, 0);
  assert.equal(await page.$eval('#btnSave', (b) => b.disabled), true);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('own chapters opened and dropped, kept for the next visit, removed; bad files told clearly', async () => {
  const page = await openPage();
  const goblins = readFileSync(join(library, 'goblins.vel'));
  const own = goblins.toString('latin1').replace('TITLE "Goblins"', 'TITLE "My goblins"');
  const input = await page.$('#fileOpen');
  const folder = mkdtempSync(join(tmpdir(), 'vael-own-'));
  try {
    const path = join(folder, 'mine.vel');
    writeFileSync(path, Buffer.from(own, 'latin1'));
    await input.uploadFile(path);
    await status(page, 'Chapter added');
  } finally {
    rmSync(folder, { recursive: true });
  }
  assert.equal(await page.$eval('#cmbBook', (s) => s.value), 'Unbound');
  assert.equal(await page.$eval('#cmbChapter', (s) => s.value), 'My goblins');
  assert.equal(await page.$eval('#btnRemove', (b) => b.disabled), false);

  // A list dropped: written as a chapter titled after the file.
  const list = ['Ashby', 'Barrowick', 'Cobham', 'Dunmere', 'Elsworth', 'Farleigh', 'Garrow', 'Hollins',
                'x'.repeat(150)].join('\n');
  await drop(page, [{ name: 'hamlets.txt', bytes: [...Buffer.from(list)] }]);
  await status(page, '1 name left out');
  assert.equal(await page.$eval('#cmbChapter', (s) => s.value), 'hamlets');
  await page.click('#btnNext');

  // Bad files: the window's failure lines, and the page stays usable.
  const bad = [
    [{ name: 'picture.png', bytes: [137, 80, 78, 71] }, 'Not a chapter: only .vel, .qch and .txt files can be added'],
    [{ name: 'empty.vel', bytes: [] }, 'Invalid or missing TITLE tag'],
    [{ name: 'nothing.txt', bytes: [...Buffer.from('123\n!!!\n')] }, 'Fewer than two usable names in the list'],
    [{ name: 'huge.vel', size: 50 * 1048576 }, 'The file is too large for a chapter: 50.0 MB, at most 16 MB'],
  ];
  for (const [file, cause] of bad) {
    await drop(page, [file]);
    await status(page, 'Chapter not added');
    assert.deepEqual(await info(page), ['FAILURE', 'Attempt to open chapter failed.', `Cause: ${cause}`]);
    await page.evaluate(() => { document.querySelector('#lblStatus').textContent = ''; });
  }
  await drop(page, [{ name: 'again.vel', bytes: [...Buffer.from(own, 'latin1')] }]);
  await status(page, 'Title in use');
  // The page open twice: a chapter kept in one tab is not replaced by one of
  // the same file name from the other, nor listed twice under one title.
  const tab = await openPage();
  await drop(tab, [{ name: 'twice.vel', bytes: [...Buffer.from(own.replace('My goblins', 'Tab one'), 'latin1')] }]);
  await status(tab, 'Chapter added');
  await page.bringToFront();
  await drop(page, [{ name: 'twice.vel', bytes: [...Buffer.from(own.replace('My goblins', 'Tab two'), 'latin1')] }]);
  await status(page, 'Chapter added');
  await drop(page, [{ name: 'other.vel', bytes: [...Buffer.from(own.replace('My goblins', 'Tab one'), 'latin1')] }]);
  await status(page, 'Title in use');
  await tab.bringToFront();
  for (const title of ['Tab one', 'Tab two']) {
    await choose(tab, 'Unbound', title);
    await tab.click('#btnRemove');
    await status(tab, 'Chapter removed');
  }
  assert.deepEqual(tab.errors, []);
  await tab.close();
  await page.bringToFront();
  // Nor by one of the same name dropped while the first is still being added.
  await page.evaluate(() => {
    for (const list of ['Arran\nBute\nColl\n', 'Islay\nJura\nMull\n']) {
      const transfer = new DataTransfer();
      transfer.items.add(new File([list], 'same.txt'));
      document.querySelector('main').dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true,
                                                                           cancelable: true }));
    }
  });
  await page.waitForFunction(() => [...document.querySelectorAll('#cmbChapter option')]
    .filter((o) => o.value.startsWith('same')).length === 2, { timeout: 10000 })
    .catch(() => assert.fail('the two lists are not both kept'));
  for (const title of ['same', 'same 2']) {
    await choose(page, 'Unbound', title);
    await page.click('#btnRemove');
    await status(page, 'Chapter removed');
  }

  // Kept for the next visit.
  await page.reload();
  await page.waitForSelector('body[data-ready]');
  await page.select('#cmbBook', 'Unbound');
  const titles = await page.$$eval('#cmbChapter option', (options) => options.map((o) => o.textContent));
  assert.ok(titles.includes('My goblins') && titles.includes('hamlets') && titles.includes('Goblins'));
  await page.select('#cmbChapter', 'hamlets');
  await status(page, 'Chapter loaded');
  await page.click('#btnRemove');
  await status(page, 'Chapter removed');
  await page.select('#cmbChapter', 'My goblins');
  await status(page, 'Chapter loaded');
  await page.click('#btnRemove');
  await status(page, 'Chapter removed');
  await page.reload();
  await page.waitForSelector('body[data-ready]');
  await page.select('#cmbBook', 'Unbound');
  const left = await page.$$eval('#cmbChapter option', (options) => options.map((o) => o.textContent));
  assert.ok(!left.includes('hamlets') && !left.includes('My goblins') && left.includes('Goblins'));
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('Info: the notes on a chapter follow the chapter while it is pressed', async () => {
  const page = await openPage();
  const notes = () => page.$eval('#chapterNotes', (section) => (section.hidden ? null : {
    title: section.querySelector('h2').textContent,
    paragraphs: [...section.querySelectorAll('p')].map((p) => p.textContent),
  }));
  await choose(page, 'Elder Realms', 'Wood elves');
  assert.equal(await page.$eval('#btnInfo', (b) => b.getAttribute('aria-label')), 'Chapter info');
  assert.equal(await notes(), null);
  await page.click('#btnInfo');
  assert.equal(await page.$eval('#btnInfo', (b) => b.getAttribute('aria-pressed')), 'true');
  let shown = await notes();
  assert.equal(shown.title, 'Wood elves');
  assert.equal(shown.paragraphs.length, 2);
  assert.match(shown.paragraphs[0], /^Invented names of the forest elves: soft, flowing/);
  assert.equal(shown.paragraphs[1], 'Try Structural off for shorter, wilder names.');
  // The lines of a paragraph flow together.
  await choose(page, 'Elder Realms', 'Dwarves of the deep halls');
  shown = await notes();
  assert.equal(shown.title, 'Dwarves of the deep halls');
  assert.match(shown.paragraphs[0], /other chapters would reject\.$/);
  await page.addScriptTag({ content: axeSource });
  const results = await page.evaluate(() => window.axe.run(document, { resultTypes: ['violations'] }));
  assert.deepEqual(results.violations.filter((v) => v.impact === 'serious' || v.impact === 'critical')
    .map((v) => v.id), []);
  // "Unbound" has no notes; released, the notes go and stay away.
  await choose(page, 'Unbound', 'Goblins');
  assert.equal(await notes(), null);
  await choose(page, 'Wild Realms', 'Reef islanders');
  assert.equal((await notes()).title, 'Reef islanders');
  await page.focus('#btnInfo');
  await page.keyboard.press('Space');
  assert.equal(await notes(), null);
  await choose(page, 'Wild Realms', 'Orc warbands');
  assert.equal(await notes(), null);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('an engine, a library listing or a chapter that cannot be downloaded is a failure the page says, not a silent one', async () => {
  const broken = mkdtempSync(join(tmpdir(), 'vael-site-'));
  const other = await (async () => {
    cpSync(site, broken, { recursive: true });
    rmSync(join(broken, 'vael-wasm.wasm'));
    rmSync(join(broken, 'sw.js')); // no offline copy to fall back on
    return serve(broken);
  })();
  try {
    const page = await browser.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.goto(`${other.origin}/`);
    await page.waitForSelector('body[data-ready]');
    const [line1, line2, line3] = await info(page);
    assert.deepEqual([line1, line2], ['FAILURE', 'Attempt to start failed.']);
    assert.match(line3, /^Cause: .*vael-wasm\.wasm: 404/);
    assert.deepEqual(errors, []);
    await page.close();
    // Nor is a library without its listing.
    const bare = await browser.newPage();
    bare.errors = [];
    bare.on('pageerror', (error) => bare.errors.push(error.message));
    await bare.setBypassServiceWorker(true);
    await bare.setRequestInterception(true);
    bare.on('request', (request) => (request.url().endsWith('/library.json') ? request.respond({ status: 404 })
      : request.continue()));
    await bare.goto(`${origin}/`);
    await bare.waitForSelector('body[data-ready]');
    assert.deepEqual(await info(bare), ['FAILURE', 'Attempt to start failed.', 'Cause: library/library.json: 404']);
    assert.deepEqual(bare.errors, []);
    await bare.close();
    // A chapter not reached (offline before the page was kept) is a file the
    // window could not open.
    const cut = await openPage();
    await cut.setBypassServiceWorker(true);
    await cut.setRequestInterception(true);
    cut.on('request', (request) => (request.url().endsWith('/woodelves.vel') ? request.abort('internetdisconnected')
      : request.continue()));
    await cut.select('#cmbBook', 'Elder Realms');
    await cut.select('#cmbChapter', 'Wood elves');
    await status(cut, 'No chapter');
    assert.deepEqual(await info(cut), ['FAILURE', 'Attempt to open chapter failed.', "Cause: Couldn't open file"]);
    assert.deepEqual(cut.errors, []);
    await cut.close();
  } finally {
    other.close();
    rmSync(broken, { recursive: true });
  }
});

test('a chapter\'s texts stay text: nothing it holds becomes markup', async () => {
  const page = await openPage();
  const chapter = readFileSync(join(library, 'trolls.vel'), 'latin1')
    .replace(/TITLE "[^"]*"/, 'TITLE "<img src=x onerror=window.hacked=1>"')
    .replace(/LINE1 "[^"]*"/, 'LINE1 "<b id=bold>bold</b>"');
  await drop(page, [{ name: 'tricky.vel', bytes: [...Buffer.from(chapter, 'latin1')] }]);
  await status(page, 'Chapter added');
  assert.equal(await page.$eval('#cmbChapter', (s) => s.value), '<img src=x onerror=window.hacked=1>');
  assert.ok((await info(page)).includes('<b id=bold>bold</b>'));
  assert.equal(await page.evaluate(() => document.querySelector('img, #bold') === null && !window.hacked), true);
  await page.click('#btnRemove');
  await status(page, 'Chapter removed');
  await page.close();
});

test('accessible, usable at a phone\'s width and in dark mode, and offline once loaded', async () => {
  for (const [width, scheme] of [[1000, 'light'], [360, 'dark']]) {
    const page = await openPage({ width, height: 800 });
    await page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: scheme }]);
    await page.click('#btnStorePage');
    await page.addScriptTag({ content: axeSource });
    const results = await page.evaluate(() => window.axe.run(document, { resultTypes: ['violations'] }));
    const serious = results.violations.filter((v) => v.impact === 'serious' || v.impact === 'critical');
    assert.deepEqual(serious.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`), [], `${width} ${scheme}`);
    // Every control has a name a screen reader can say.
    const unnamed = await page.$$eval('button, select, input', (controls) => controls
      .filter((c) => !(c.getAttribute('aria-label') || c.labels?.[0]?.textContent.trim() || c.textContent.trim()))
      .map((c) => c.id));
    assert.deepEqual(unnamed, []);
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth), `${width}`);
    // Nor does a chapter's line of one long word (an address) widen the page.
    const chapter = readFileSync(join(library, 'goblins.vel'), 'latin1').replace('TITLE "Goblins"', 'TITLE "Wide"')
      .replace(/AUTHOR "[^"]*"/, 'AUTHOR "https://names.example.org/collections/goblins/western-marshes"');
    await drop(page, [{ name: 'wide.vel', bytes: [...Buffer.from(chapter, 'latin1')] }]);
    await page.waitForFunction(() => document.querySelector('#lblStatus').textContent === 'Chapter added');
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth), `${width} wide`);
    await page.click('#btnRemove');
    await status(page, 'Chapter removed');
    const background = await page.evaluate(() => getComputedStyle(document.body).backgroundColor);
    assert.equal(background, scheme === 'dark' ? 'rgb(27, 25, 22)' : 'rgb(244, 239, 228)');
    await page.close();
  }

  const page = await openPage();
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.reload(); // now under the service worker
  await page.waitForSelector('body[data-ready]');
  await page.setOfflineMode(true);
  await page.reload();
  await page.waitForSelector('body[data-ready]');
  await page.select('#cmbBook', 'Wild Realms');
  await choose(page, 'Wild Realms', await page.$eval('#cmbChapter option', (o) => o.value));
  await page.click('#btnNext');
  assert.equal((await history(page)).length, 1);
  await page.setOfflineMode(false);
  await page.close();
});

test('what comes while the page is busy: a later choice wins over a chapter still being read; a file waits for the engine', async () => {
  // A chapter dropped while the engine is still on its way is added once it
  // has come.
  const early = await browser.newPage();
  const errors = [];
  early.on('pageerror', (error) => errors.push(error.message));
  await early.setBypassServiceWorker(true);
  await early.setRequestInterception(true);
  early.on('request', (request) => {
    if (request.url().endsWith('.wasm')) setTimeout(() => request.continue(), 700);
    else request.continue();
  });
  await early.goto(`${origin}/`, { waitUntil: 'domcontentloaded' });
  const goblins = readFileSync(join(library, 'goblins.vel'), 'latin1').replace('TITLE "Goblins"', 'TITLE "Early"');
  await drop(early, [{ name: 'early.vel', bytes: [...Buffer.from(goblins, 'latin1')] }]);
  await status(early, 'Chapter added');
  assert.equal(await early.$eval('#cmbChapter', (s) => s.value), 'Early');
  await early.click('#btnRemove');
  await status(early, 'Chapter removed');
  assert.deepEqual(errors, []);
  await early.close();

  const page = await openPage();
  // Reading Wood elves takes a while: Dwarves, chosen after it, is read first.
  await page.setBypassServiceWorker(true);
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    if (request.url().endsWith('/woodelves.vel')) setTimeout(() => request.continue(), 700);
    else request.continue();
  });
  const wood = ['Soft, flowing names of the forest folk', 'A sounded final e is written with two dots',
                'Vael sample library'];
  await page.select('#cmbBook', 'Elder Realms');
  await page.select('#cmbChapter', 'Wood elves');
  await page.select('#cmbChapter', 'Dwarves of the deep halls');
  await status(page, 'Chapter loaded');
  const dwarves = await info(page);
  await new Promise((resolve) => setTimeout(resolve, 1000));
  assert.equal(await page.$eval('#cmbChapter', (s) => s.value), 'Dwarves of the deep halls');
  assert.deepEqual(await info(page), dwarves);
  assert.notDeepEqual(dwarves, wood);
  // A book chosen meanwhile: no chapter of the old book comes back.
  await page.select('#cmbChapter', 'Wood elves');
  await page.select('#cmbBook', 'Northlands');
  await new Promise((resolve) => setTimeout(resolve, 1000));
  assert.equal(await text(page, '#lblStatus'), 'Book loaded');
  assert.equal(await page.$eval('#btnNext', (b) => b.disabled), true);
  assert.notDeepEqual(await info(page), wood);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('a new build replaces the offline copy whole, even where the browser cached the old files', async () => {
  const copy = mkdtempSync(join(tmpdir(), 'vael-site-'));
  cpSync(site, copy, { recursive: true });
  // A server that lets the browser keep what it served for ten minutes.
  const other = await serve(copy, { headers: { 'cache-control': 'max-age=600' } });
  try {
    const page = await browser.newPage();
    await page.goto(`${other.origin}/`);
    await page.waitForSelector('body[data-ready]');
    await page.evaluate(() => navigator.serviceWorker.ready);
    // The next build: another page and so another offline copy.
    const mark = '\n// the next build\n';
    writeFileSync(join(copy, 'page.mjs'), readFileSync(join(copy, 'page.mjs'), 'utf8') + mark);
    writeFileSync(join(copy, 'sw.js'), readFileSync(join(copy, 'sw.js'), 'utf8')
      .replace(/const CACHE = '[^']*'/, "const CACHE = 'vael-next'"));
    await page.reload();
    await page.waitForSelector('body[data-ready]');
    await page.waitForFunction(async () => (await caches.keys()).join() === 'vael-next', { timeout: 10000 });
    const kept = await page.evaluate(async () => (await (await caches.open('vael-next')).match('page.mjs')).text());
    assert.ok(kept.endsWith(mark), 'the offline copy holds the new page');
    await page.close();
  } finally {
    other.close();
    rmSync(copy, { recursive: true });
  }
});

test('kept chapters that are damaged or no longer load, and storage that fails, leave the page usable', async () => {
  const page = await openPage();
  const goblins = readFileSync(join(library, 'goblins.vel'), 'latin1');
  const bytesOf = (title) => [...Buffer.from(goblins.replace('TITLE "Goblins"', `TITLE "${title}"`), 'latin1')];
  // Records as something other than this page may leave them.
  await page.evaluate((good) => new Promise((resolve, reject) => {
    const request = indexedDB.open('vael', 1);
    request.onsuccess = () => {
      const transaction = request.result.transaction('chapters', 'readwrite');
      const store = transaction.objectStore('chapters');
      store.put({ file: 'broken.vel', title: 'Broken', bytes: new TextEncoder().encode('no chapter') });
      store.put({ file: 'untitled.vel', bytes: Uint8Array.from(good) });
      store.put({ file: 7, title: 'Numbered', bytes: Uint8Array.from(good) });
      transaction.oncomplete = () => { request.result.close(); resolve(); };
      transaction.onerror = () => reject(transaction.error);
    };
  }), bytesOf('Kept'));
  await page.reload();
  await page.waitForSelector('body[data-ready]');
  await page.select('#cmbBook', 'Unbound');
  const titles = await page.$$eval('#cmbChapter option', (options) => options.map((o) => o.textContent));
  assert.ok(titles.includes('Broken') && !titles.includes('Numbered') && !titles.includes(''));
  await drop(page, [{ name: 'mine.vel', bytes: bytesOf('Mine') }]);
  await status(page, 'Chapter added');

  // One that does not load can still be removed.
  await page.select('#cmbChapter', 'Broken');
  await status(page, 'No chapter');
  assert.equal((await info(page))[0], 'FAILURE');
  await page.click('#btnRemove');
  await status(page, 'Chapter removed');

  // The storage failing on removal: said so, and the chapter stays.
  await page.select('#cmbChapter', 'Mine');
  await status(page, 'Chapter loaded');
  await page.evaluate(() => {
    indexedDB.open = () => { throw new DOMException('The storage is gone', 'UnknownError'); };
  });
  await page.click('#btnRemove');
  await status(page, 'Chapter not removed');
  assert.deepEqual(await info(page), ['FAILURE', 'Attempt to remove chapter failed.',
                                      "Cause: Couldn't remove the chapter from this browser's storage"]);
  assert.deepEqual(page.errors, []);
  await page.reload();
  await page.waitForSelector('body[data-ready]');
  await page.select('#cmbBook', 'Unbound');
  const left = await page.$$eval('#cmbChapter option', (options) => options.map((o) => o.textContent));
  assert.ok(left.includes('Mine') && !left.includes('Broken'));
  await page.evaluate(() => new Promise((resolve) => { indexedDB.deleteDatabase('vael').onsuccess = resolve; }));
  await page.close();
});

test('by the keyboard alone: the chosen entry and the focus survive clicks beside the list, Copy, Clear and Remove', async () => {
  const page = await openPage();
  await choose(page, 'Elder Realms', 'Wood elves');
  await page.focus('#btnNext');
  for (let i = 0; i < 3; ++i) await page.keyboard.press('Enter');
  await page.click('#lbxHistory li:nth-child(2) span');
  const chosen = await text(page, '#lblName');
  // A click on the list below its entries: the second entry is still the
  // chosen one, and the list is still reached by Tab.
  const below = await page.$eval('#lbxHistory', (list) => {
    const box = list.getBoundingClientRect();
    return [box.x + box.width / 2, box.bottom - 8];
  });
  await page.mouse.click(...below);
  await page.keyboard.down('Control');
  await page.keyboard.press('c');
  await page.keyboard.up('Control');
  await status(page, 'Copied');
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), chosen);
  assert.equal(await page.$$eval('#lbxHistory input', (boxes) => boxes.filter((b) => b.tabIndex === 0).length), 1);
  // Where the browser offers no clipboard (plain http from another
  // machine), Copy still leaves the keyboard on the entry.
  await page.focus('#lbxHistory li.current input');
  await page.evaluate(() => {
    Object.defineProperty(navigator, 'clipboard', { value: undefined, configurable: true });
    document.querySelector('#lblStatus').textContent = '';
  });
  await page.keyboard.press('ArrowDown');
  await page.keyboard.down('Control');
  await page.keyboard.press('c');
  await page.keyboard.up('Control');
  await status(page, 'Copied');
  assert.equal(await page.evaluate(() => document.activeElement.closest('li')?.classList.contains('current')), true);
  await page.evaluate(() => delete navigator.clipboard);
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), await text(page, '#lblName'));

  const focused = () => page.evaluate(() => document.activeElement.id);
  await page.focus('#btnClear');
  await page.keyboard.press('Space');
  await status(page, 'Cleared');
  assert.equal(await focused(), 'btnNext');
  await page.keyboard.press('Enter');
  await page.focus('#lbxHistory input');
  await page.keyboard.down('Control');
  await page.keyboard.press('x');
  await page.keyboard.up('Control');
  await status(page, 'Cleared');
  assert.equal(await focused(), 'btnNext');

  const goblins = readFileSync(join(library, 'goblins.vel'), 'latin1').replace('TITLE "Goblins"', 'TITLE "Keys"');
  await drop(page, [{ name: 'keys.vel', bytes: [...Buffer.from(goblins, 'latin1')] }]);
  await status(page, 'Chapter added');
  await page.focus('#btnRemove');
  await page.keyboard.press('Enter');
  await status(page, 'Chapter removed');
  assert.equal(await focused(), 'cmbChapter');
  assert.deepEqual(page.errors, []);
  await page.close();
});
