// Names per second of the JavaScript module against the native vaelgen and
// against foswig (a Markov-chain name generator from npm) in the same Node
// process, on one chapter with its own options; and the page's figures in
// Chromium: its size, the time to its first name, a 1,000-name page.
//
//   node bench.mjs WEB_DIR VAELGEN CHAPTER [NAMES]
import { execFileSync } from 'node:child_process';
import { readFileSync, readdirSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { createRequire } from 'node:module';
import { basename, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { serve } from './serve.mjs';

const [webDir, vaelgen, chapterPath, count = '1000000', foswigModules] = process.argv.slice(2);
const names = Number(count);
const root = resolve(fileURLToPath(import.meta.url), '../../..');
const tools = createRequire(join(root, 'tests/web/package.json'));
// foswig as scripts/bench-foswig-install puts it in the benchmarks' cache.
const foswigTools = createRequire(join(foswigModules, '..', 'package.json'));
const moduleUrl = pathToFileURL(join(webDir, 'npm/vael.mjs')).href;
const { loadVael } = await import(moduleUrl);
const foswigModule = await import(pathToFileURL(foswigTools.resolve('foswig')).href);
const Foswig = foswigModule.default.default ?? foswigModule.default; // the CommonJS build
const runs = 3;

const best = (times) => Math.min(...times);
const rate = (ms) => Math.round(names / (ms / 1000));
function timed(fn) {
  const start = performance.now();
  fn();
  return performance.now() - start;
}
const row = (label, ms) => console.log(`${label.padEnd(44)} ${ms.toFixed(0).padStart(7)} ms ${
  rate(ms).toLocaleString('en').padStart(12)} names/s`);

const bytes = readFileSync(chapterPath);
const vael = await loadVael();
const chapter = vael.openChapter(bytes, basename(chapterPath));
console.log(`${names.toLocaleString('en')} names of ${basename(chapterPath)} (${chapter.title}), its own options, best of ${runs}\n`);
chapter.names(20000, { seed: 1 });

// Whole processes on both sides: start, load, make the names, write them.
const script = `import { loadVael } from ${JSON.stringify(moduleUrl)};
  import { readFileSync, writeSync } from 'node:fs';
  const vael = await loadVael();
  const chapter = vael.openChapter(readFileSync(${JSON.stringify(chapterPath)}), ${JSON.stringify(basename(chapterPath))});
  const g = chapter.generator({ seed: 1 });
  for (let left = ${names}; left > 0; left -= 65536) writeSync(1, g.names(Math.min(left, 65536)).join('\\n') + '\\n');`;
// Wall time, and processor time (user and system), which a busy machine
// disturbs less: the best wall time of the runs and their mean processor
// time, by hyperfine.
function processTime(command, args) {
  const json = join(tmpdir(), `vael-bench-${process.pid}.json`);
  execFileSync('hyperfine', ['-N', '--runs', String(runs), '--export-json', json, '--style', 'none',
                             [command, ...args].map((arg) => `'${arg.replaceAll("'", "'\\''")}'`).join(' ')],
               { stdio: ['ignore', 'ignore', 'inherit'] });
  const [result] = JSON.parse(readFileSync(json, 'utf8')).results;
  rmSync(json);
  return { wall: 1000 * result.min, cpu: 1000 * (result.user + result.system) };
}
const processRow = (label, time) => console.log(`${label.padEnd(44)} ${time.wall.toFixed(0).padStart(7)} ms ${
  rate(time.wall).toLocaleString('en').padStart(12)} names/s  (processor ${time.cpu.toFixed(0)} ms: ${
  rate(time.cpu).toLocaleString('en')} names/s)`);
const nativeProcess = processTime(vaelgen, ['-n', String(names), '--seed', '1', chapterPath]);
const moduleScript = join(tmpdir(), `vael-bench-${process.pid}.mjs`);
writeFileSync(moduleScript, script);
const moduleProcess = processTime(process.execPath, [moduleScript]);
rmSync(moduleScript);
processRow('vaelgen (native), whole process', nativeProcess);
processRow('module in Node, whole process', moduleProcess);

const moduleInProcess = best(Array.from({ length: runs }, () => timed(() => chapter.names(names, { seed: 1 }))));
const samples = [...new Set(readFileSync(chapterPath, 'utf8').split(/\r?\n/)
  .map((line) => line.trim()).filter((line) => line && !line.startsWith('#')))];
// As scripts/bench-foswig runs it: order 2, names of 3 to 12 letters.
const chain = new Foswig(2, samples);
// foswig as it is mostly used, and as it refuses copies of the samples (and
// of parts of them), which is nearer to what Vael's screening does; a name
// it gives up on after its 25 tries is asked for again.
const foswigRun = (allowDuplicates) => best(Array.from({ length: runs }, () => timed(() => {
  const made = new Array(names);
  for (let i = 0; i < names; ++i) {
    try {
      made[i] = chain.generate({ minLength: 3, maxLength: 12, allowDuplicates });
    } catch {
      --i;
    }
  }
})));
const foswig = foswigRun(true);
const foswigNew = foswigRun(false);
row('module in Node, names(), in process', moduleInProcess);
row('foswig (order 2), same process', foswig);
row('foswig, no copies of the samples', foswigNew);
console.log(`\nmodule / native: ${(nativeProcess.wall / moduleProcess.wall).toFixed(2)}x by wall time, ${
  (nativeProcess.cpu / moduleProcess.cpu).toFixed(2)}x by processor time, whole processes; ${
  (nativeProcess.wall / moduleInProcess).toFixed(2)}x for names() alone (goal at least 0.5x)`);
console.log(`module / foswig: ${(foswig / moduleInProcess).toFixed(2)}x, ${
  (foswigNew / moduleInProcess).toFixed(2)}x against foswig without copies (goal above 1x)`);

// The page.
const site = join(webDir, 'site');
let size = 0;
const walk = (folder) => readdirSync(folder).forEach((entry) => {
  const path = join(folder, entry);
  if (statSync(path).isDirectory()) walk(path);
  else size += statSync(path).size;
});
walk(site);
console.log(`\npage: ${(size / 1024).toFixed(0)} KB uncompressed (goal under 1536 KB)`);
let puppeteer;
try {
  puppeteer = (await import(pathToFileURL(tools.resolve('puppeteer-core')).href)).default;
} catch {
  console.log('page timings: puppeteer-core missing (npm ci in tests/web)');
  process.exit(0);
}
const http = await serve(site);
const browser = await puppeteer.launch({ executablePath: process.env.VAEL_CHROMIUM ?? '/usr/bin/chromium',
                                         headless: true, args: ['--no-sandbox'] });
const first = [];
const pages = [];
for (let i = 0; i < 10; ++i) {
  const context = await browser.createBrowserContext(); // a first visit each time
  const page = await context.newPage();
  await page.goto(`${http.origin}/`);
  await page.waitForSelector('body[data-first-name-ms]');
  first.push(Number(await page.$eval('body', (b) => b.dataset.firstNameMs)));
  await page.$eval('#ebxPageSize', (box) => { box.value = '1000'; });
  // A person reads the first name before asking for a page.
  await new Promise((done) => setTimeout(done, 300));
  await page.click('#btnStorePage');
  await page.waitForSelector('body[data-page-ms]');
  pages.push(Number(await page.$eval('body', (b) => b.dataset.pageMs)));
  await context.close();
}
await browser.close();
http.close();
// The spread and the median: on a shared machine the slowest runs say more
// about the neighbours than about the page.
const span = (list) => {
  const sorted = [...list].sort((a, b) => a - b);
  const median = (sorted[(sorted.length - 1) >> 1] + sorted[sorted.length >> 1]) / 2;
  return `${sorted[0].toFixed(0)}-${sorted.at(-1).toFixed(0)} ms, median ${median.toFixed(0)} ms`;
};
const version = execFileSync(process.env.VAEL_CHROMIUM ?? '/usr/bin/chromium', ['--version'],
  { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] }).trim();
console.log(`first name on screen: ${span(first)} after opening (goal within 1000 ms; ${version})`);
console.log(`1,000-name page listed: ${span(pages)} (goal within 100 ms)`);
