// Writes the page's library: the sample library's chapters and book
// descriptions copied, and library.json listing the books and chapters as
// the window lists them (its own listing code, run in the module).
//
//   node library-index.mjs MODULE_FOLDER LIBRARY_FOLDER OUT_FOLDER
import { mkdir, readdir, readFile, stat, writeFile } from 'node:fs/promises';
import { join, relative } from 'node:path';
import { pathToFileURL } from 'node:url';

const [moduleFolder, libraryFolder, outFolder] = process.argv.slice(2);
const { loadVael } = await import(pathToFileURL(join(moduleFolder, 'vael.mjs')));
const vael = await loadVael();

// What the listing reads: chapters, compiled chapters, book descriptions and
// the notes on a book's chapters (these go into library.json).
const wanted = /\.(vel|qch)$|(^|\/)(book\.dat|chapters\.hlp)$/i;
const files = {};
async function gather(folder) {
  for (const entry of await readdir(folder)) {
    const path = join(folder, entry);
    if ((await stat(path)).isDirectory()) await gather(path);
    else if (wanted.test(relative(libraryFolder, path))) files[relative(libraryFolder, path)] = await readFile(path);
  }
}
await gather(libraryFolder);

const books = vael.catalogue(files);
for (const book of books) {
  for (const chapter of book.chapters) {
    const path = book.folder ? `${book.folder}/${chapter.file}` : chapter.file;
    await mkdir(join(outFolder, book.folder), { recursive: true });
    await writeFile(join(outFolder, path), files[path]);
  }
}
await writeFile(join(outFolder, 'library.json'), `${JSON.stringify(books, null, 1)}\n`);
