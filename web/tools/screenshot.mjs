// A picture of the page as a person uses it: a book and a chapter chosen, a
// page of names with two of them checked.
//   node screenshot.mjs SITE OUT.png [dark]
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { serve } from './serve.mjs';

const [site, out, scheme = 'light'] = process.argv.slice(2);
const root = resolve(fileURLToPath(import.meta.url), '../../..');
const tools = createRequire(join(root, 'tests/web/package.json'));
const puppeteer = (await import(pathToFileURL(tools.resolve('puppeteer-core')).href)).default;

const http = await serve(resolve(site));
const browser = await puppeteer.launch({ executablePath: process.env.VAEL_CHROMIUM ?? '/usr/bin/chromium',
                                         headless: true, args: ['--no-sandbox', '--hide-scrollbars'] });
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 960, height: 800 });
  await page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: scheme }]);
  await page.goto(`${http.origin}/`);
  await page.waitForSelector('body[data-ready]');
  await page.select('#cmbBook', 'Elder Realms');
  await page.select('#cmbChapter', 'Wood elves');
  await page.waitForFunction(() => document.querySelector('#lblStatus').textContent === 'Chapter loaded');
  await page.$eval('#ebxPageSize', (box) => { box.value = '14'; });
  await page.click('#btnStorePage');
  const boxes = await page.$$('#lbxHistory input');
  await boxes[2].click();
  await boxes[5].click();
  await page.click('#lbxHistory li:nth-child(3) span');
  await page.screenshot({ path: out, fullPage: true });
} finally {
  await browser.close();
  http.close();
}
