// The page: Vael's window for the browser. Books and chapters, the options,
// names one at a time or a page at a time, the history with its check
// marks, copy and save, the log of a name; the user's own chapters kept in
// the browser. Chapter texts reach the page as text only, never as markup.
import { loadVael, VaelError } from './vael.mjs';
import { keepChapter, ownChapters, removeChapter } from './store.mjs';

const $ = (id) => document.getElementById(id);
const UNBOUND = 'Unbound';
// A chapter file larger than this is refused before it is read: the
// largest list the loader takes (100,000 names of at most 100 letters)
// fits well within it.
const MAX_FILE_BYTES = 16 * 1024 * 1024;
const CHAPTER_FILE = /\.(vel|qch|txt)$/i;
const SETTINGS = 'vael.settings';

const ui = {};
for (const id of ['cmbBook', 'cmbChapter', 'fileOpen', 'btnRemove', 'lblInfo1', 'lblInfo2',
  'lblInfo3', 'info', 'lblName', 'btnNext', 'btnStorePage', 'btnLog', 'cmbInitLetter',
  'cbxStatistical', 'cbxStructural', 'cbxPrefix', 'cbxSuffix', 'cbxAutoOptions', 'ebxPageSize',
  'cmbSystem', 'cmbDesc', 'lbxHistory', 'cmbSaveFormat', 'btnSave', 'btnCopy', 'btnClear',
  'btnSelectAll', 'btnInvertSelection', 'btnDeselectAll', 'lblStatus', 'dlgLog', 'logText',
  'dlgHelp', 'btnHelp', 'btnInfo', 'chapterNotes', 'notesTitle', 'notesText']) {
  ui[id] = $(id);
}
const historyButtons = [ui.btnClear, ui.btnSelectAll, ui.btnInvertSelection, ui.btnDeselectAll];

let vael;
let books = []; // { folder, title, info, chapters: [{ file, title, own }], topics }
let book = null;
let chapter = null; // the loaded chapter: { title, engine }
let ownChosen = null; // the user's own chapter chosen, loaded or not: removable either way
let generator = null;
let history = []; // { text, checked }, newest first
let current = -1; // the history entry chosen, -1 for none
let lastLog = '';
// Counts the choices of a book or chapter: a chapter still being read when
// another choice is made is not the one chosen any more.
let choosing = 0;

// --- What the window shows ---

function showInfo(line1, line2, line3) {
  ui.lblInfo1.textContent = line1;
  ui.lblInfo2.textContent = line2;
  ui.lblInfo3.textContent = line3;
  ui.info.classList.toggle('failure', line1 === 'FAILURE');
}

// The status line also shows the hint of the control under the pointer,
// as the window's does; a command's outcome replaces the hint and stays.
let hint = null; // { text, before }: the hint shown and the status it covers

function setStatus(text) {
  hint = null;
  ui.lblStatus.textContent = text;
}

function hintOf(target) {
  const control = target instanceof Element ? target.closest('[data-hint], button[aria-label]') : null;
  if (!control || control.disabled) return null;
  return control.dataset.hint ?? control.getAttribute('aria-label');
}

function showHint(event) {
  // The page button's hint names the list size: the box is read first.
  if (event.target instanceof Element && event.target.closest('#btnStorePage')) pageSizeExit();
  const text = hintOf(event.target);
  if (text === null || text === hint?.text) return;
  const before = hint ? hint.before : ui.lblStatus.textContent;
  ui.lblStatus.textContent = text;
  hint = { text, before };
}

function hideHint(event) {
  if (!hint || hintOf(event.relatedTarget) !== null) return;
  ui.lblStatus.textContent = hint.before;
  hint = null;
}

function showName(text) {
  ui.lblName.textContent = text;
}

function failure(error, action = 'Attempt to open chapter failed.') {
  const lines = error instanceof VaelError && error.lines
    ? error.lines : ['FAILURE', action, `Cause: ${error.message}`];
  showInfo(...lines);
}

// --- Settings kept for the next visit: the window's three and the choice ---

function settings() {
  try {
    return JSON.parse(localStorage.getItem(SETTINGS)) ?? {};
  } catch {
    return {};
  }
}

function keepSettings() {
  try {
    localStorage.setItem(SETTINGS, JSON.stringify({
      system: ui.cmbSystem.selectedIndex, lines: ui.cmbDesc.selectedIndex,
      size: ui.ebxPageSize.value, format: ui.cmbSaveFormat.value,
      book: book?.title, chapter: chapter?.title,
    }));
  } catch {
    // no storage: the settings last for this visit
  }
}

// --- Books and chapters ---

function fillSelect(select, texts) {
  select.replaceChildren(...texts.map((text) => new Option(text, text)));
  select.selectedIndex = -1;
}

// The sample library's listing, asked for at once, while the engine loads.
// Its failure is told by the start, which waits for it, not as a script
// error before that.
const listing = fetch('library/library.json').then((response) => {
  if (!response.ok) throw new VaelError(`library/library.json: ${response.status}`);
  return response.json();
});
listing.catch(() => {});

async function readLibrary() {
  const [sample, own] = await Promise.all([listing, ownChapters()]);
  books = structuredClone(sample);
  if (own.length > 0) {
    let unbound = books.find((entry) => entry.folder === '');
    if (!unbound) {
      unbound = { folder: '', title: UNBOUND, info: ['Unbound Book', '',
        'See Help file to learn how to bind chapters into books.'], chapters: [], topics: [] };
      books.push(unbound);
    }
    for (const record of own) {
      unbound.chapters = unbound.chapters.filter((entry) => entry.file !== record.file);
      unbound.chapters.push({ file: record.file, title: record.title, own: record });
    }
  }
  fillSelect(ui.cmbBook, vael.sortTitles(books.map((entry) => entry.title)));
  ui.cmbBook.disabled = books.length === 0;
}

function chapterTitles(entry) {
  // Titles choose chapters: the first chapter with a title is the one listed.
  const titles = [...new Set(entry.chapters.map((c) => c.title))];
  return vael.sortTitles(titles);
}

function disableForSelection() {
  history = [];
  current = -1;
  renderHistory();
  ownChosen = null;
  for (const control of [ui.btnNext, ui.btnStorePage, ui.btnLog, ui.btnRemove]) control.disabled = true;
}

function chooseBook(title) {
  ++choosing;
  setStatus('Loading book');
  showName('');
  disableForSelection();
  closeChapter();
  book = books.find((entry) => entry.title === title) ?? null;
  if (!book) {
    ui.cmbChapter.replaceChildren();
    ui.cmbChapter.disabled = true;
    return;
  }
  ui.cmbBook.value = book.title;
  showInfo(...book.info);
  fillSelect(ui.cmbChapter, chapterTitles(book));
  ui.cmbChapter.disabled = book.chapters.length === 0;
  setStatus('Book loaded');
}

function closeChapter() {
  generator?.close();
  chapter?.engine.close();
  generator = null;
  chapter = null;
  showNotes();
}

async function chapterBytes(entry) {
  if (entry.own) return entry.own.bytes;
  const path = book.folder ? `${book.folder}/${entry.file}` : entry.file;
  // Not found or not reached (offline before the page was kept): the
  // window's words for a file it cannot open.
  const response = await fetch(`library/${path.split('/').map(encodeURIComponent).join('/')}`)
    .catch(() => null);
  if (!response?.ok) throw new VaelError("Couldn't open file");
  return new Uint8Array(await response.arrayBuffer());
}

async function chooseChapter(title) {
  const choice = ++choosing;
  setStatus('Loading chapter');
  disableForSelection();
  showName('');
  closeChapter();
  const entry = book?.chapters.find((c) => c.title === title);
  if (!entry) return false;
  ui.cmbChapter.value = title;
  ownChosen = entry.own ? entry : null;
  try {
    const bytes = await chapterBytes(entry);
    if (choice !== choosing) return false;
    const engine = vael.openChapter(bytes, entry.file);
    chapter = { title, engine };
  } catch (error) {
    if (choice !== choosing) return false;
    failure(error);
    ui.cmbChapter.selectedIndex = -1;
    // A kept chapter that no longer loads can still be taken away.
    ui.btnRemove.disabled = !ownChosen;
    setStatus('No chapter');
    return false;
  }
  fillOptionsFromChapter();
  generator = chapter.engine.generator(requestedOptions());
  const { line1, line2, author, topic } = chapter.engine.texts;
  showInfo(line1, line2, author);
  const info = topic !== '0' ? 'Chapter info' : 'No chapter info';
  ui.btnInfo.setAttribute('aria-label', info);
  ui.btnInfo.title = info;
  showNotes();
  for (const control of [ui.btnNext, ui.btnStorePage, ui.btnLog]) control.disabled = false;
  ui.btnRemove.disabled = !ownChosen;
  setStatus('Chapter loaded');
  keepSettings();
  return true;
}

// --- Notes on the chapter ---

// The topic of the chosen chapter in its book's notes ("chapters.hlp"),
// found by the number its TOPIC gives; null when it has none, as a chapter
// of TOPIC "0" and every chapter in "Unbound" have none.
function chapterTopic() {
  if (!chapter || !book || book.title === UNBOUND) return null;
  const { topic } = chapter.engine.texts;
  if (topic === '0') return null;
  const number = /^\s*[+-]?\d+\s*$/.test(topic) ? Number.parseInt(topic, 10) : 0;
  return book.topics?.find((entry) => entry.number === number) ?? null;
}

// While "Chapter info" is pressed the notes follow the chapter, as the
// window's help window does; a chapter without notes hides them. Their
// text only ever enters the page as text.
function showNotes() {
  const topic = ui.btnInfo.getAttribute('aria-pressed') === 'true' ? chapterTopic() : null;
  ui.chapterNotes.hidden = topic === null;
  if (topic === null) return;
  ui.notesTitle.textContent = topic.title || chapter.title;
  ui.notesText.replaceChildren(...topic.paragraphs.map((lines) => {
    const paragraph = document.createElement('p');
    lines.forEach((line, i) => {
      if (i > 0) paragraph.append(document.createElement('br'));
      paragraph.append(line);
    });
    return paragraph;
  }));
}

function toggleNotes() {
  const pressed = ui.btnInfo.getAttribute('aria-pressed') !== 'true';
  ui.btnInfo.setAttribute('aria-pressed', String(pressed));
  showNotes();
}

// --- Options ---

function fillOptionsFromChapter() {
  const letters = ['*', ...new Set(chapter.engine.texts.initials)];
  fillSelect(ui.cmbInitLetter, vael.sortTitles(letters));
  ui.cmbInitLetter.value = '*';
  if (!ui.cbxAutoOptions.checked) return;
  const own = chapter.engine.options;
  ui.cbxStructural.checked = own.structural;
  ui.cbxStatistical.checked = own.statistical;
  ui.cbxPrefix.checked = own.prefixes;
  ui.cbxSuffix.checked = own.suffixes;
  const fit = document.querySelector(`input[name=fit][value="${own.fit}"]`);
  if (fit) fit.checked = true;
}

function requestedOptions() {
  return {
    fit: Number(document.querySelector('input[name=fit]:checked')?.value ?? 0),
    statistical: ui.cbxStatistical.checked,
    structural: ui.cbxStructural.checked,
    prefixes: ui.cbxPrefix.checked,
    suffixes: ui.cbxSuffix.checked,
    initial: ui.cmbInitLetter.value || '*',
  };
}

function optionsChanged() {
  generator?.setOptions(requestedOptions());
}

// The list size as the window corrects it: a number from 2 to 1000, 50 when
// the box holds none (or 0).
function pageSizeExit() {
  const text = ui.ebxPageSize.value.trim();
  let value = /^[+-]?\d{1,10}$/.test(text) ? Number(text) : 0;
  if (value > 2147483647 || value < -2147483648) value = 0;
  if (value === 0) value = 50;
  value = Math.min(Math.max(value, 2), 1000);
  ui.ebxPageSize.value = String(value);
  ui.btnStorePage.setAttribute('aria-label', `Generate ${value}`);
  ui.btnStorePage.title = `Generate ${value}`;
  return value;
}

// --- Generating ---

function generateNext() {
  if (!generator) return;
  const { name, log } = generator.nextLogged();
  lastLog = log;
  showName(name);
  history.unshift({ text: name, checked: false });
  ui.lbxHistory.prepend(historyEntry(name, false));
  chooseEntry(0, false);
  historyChanged();
  if (ui.dlgLog.open) showLog();
}

function generatePage() {
  const size = pageSizeExit();
  if (!generator) return;
  const started = performance.now();
  const names = generator.names(size);
  const page = names.reverse().map((text) => ({ text, checked: false }));
  history = page.concat(history);
  const fragment = document.createDocumentFragment();
  for (const entry of page) fragment.append(historyEntry(entry.text, false));
  ui.lbxHistory.prepend(fragment);
  chooseEntry(0, false);
  historyChanged();
  showName(history[0].text);
  setStatus(`Generated ${ui.ebxPageSize.value}`);
  // How long the page took until it was on screen, for the benchmark: the
  // frame that shows it is drawn before a task queued in its first step runs.
  requestAnimationFrame(() => setTimeout(() => {
    document.body.dataset.pageMs = (performance.now() - started).toFixed(1);
  }));
}

// --- The history list ---

// An entry: its check box, named after the name, and the name, which
// chooses the entry without changing its mark, as in the window's list.
// Entries are copies of one made once: cheaper than building each anew
// when a page of a thousand goes in.
const entryPattern = (() => {
  const item = document.createElement('li');
  const box = document.createElement('input');
  box.type = 'checkbox';
  box.tabIndex = -1;
  item.append(box, document.createElement('span'));
  return item;
})();

function historyEntry(text, checked) {
  const item = entryPattern.cloneNode(true);
  const box = item.firstChild;
  box.checked = checked;
  box.setAttribute('aria-label', text);
  item.lastChild.textContent = text;
  return item;
}

function renderHistory() {
  const fragment = document.createDocumentFragment();
  for (const entry of history) fragment.append(historyEntry(entry.text, entry.checked));
  ui.lbxHistory.replaceChildren(fragment);
  historyChanged();
}

function checkedCount() {
  return history.reduce((count, entry) => count + (entry.checked ? 1 : 0), 0);
}

function historyChanged() {
  const any = history.length > 0;
  for (const control of historyButtons) control.disabled = !any;
  const checked = checkedCount() > 0;
  ui.btnSave.disabled = !checked;
  ui.btnCopy.disabled = !checked;
}

function entryIndex(node) {
  const item = node?.closest?.('li');
  return item ? Array.prototype.indexOf.call(ui.lbxHistory.children, item) : -1;
}

// The chosen entry is the list's one stop for Tab; the arrow keys move it.
function chooseEntry(index, show = true) {
  const before = ui.lbxHistory.querySelector('li.current');
  before?.classList.remove('current');
  if (before) before.firstChild.tabIndex = -1;
  current = index;
  if (index < 0 || index >= history.length) return;
  const item = ui.lbxHistory.children[index];
  item.classList.add('current');
  item.firstChild.tabIndex = 0;
  if (show) showName(history[index].text);
}

function moveInHistory(event) {
  const steps = { ArrowUp: -1, ArrowDown: 1, PageUp: -10, PageDown: 10, Home: -Infinity, End: Infinity };
  if (!(event.key in steps) || history.length === 0) return;
  event.preventDefault();
  const index = Math.min(Math.max((current < 0 ? 0 : current) + steps[event.key], 0), history.length - 1);
  chooseEntry(index);
  ui.lbxHistory.children[index].firstChild.focus();
}

function setAllChecks(mark) {
  const boxes = ui.lbxHistory.querySelectorAll('input[type=checkbox]');
  history.forEach((entry, i) => {
    entry.checked = mark(entry.checked);
    boxes[i].checked = entry.checked;
  });
  historyChanged();
}

async function putOnClipboard(text) {
  try {
    await navigator.clipboard.writeText(text);
  } catch {
    // No clipboard to write to (a page served by plain http from another
    // machine has none): the text goes through a text box, and the focus
    // comes back from it to where the keyboard was.
    const focused = document.activeElement;
    const area = document.createElement('textarea');
    area.value = text;
    document.body.append(area);
    area.select();
    document.execCommand('copy');
    area.remove();
    focused?.focus();
  }
}

async function copy() {
  if (checkedCount() === 0 && (current < 0 || current >= history.length)) return;
  await putOnClipboard(vael.copyText(history, current));
  setStatus('Copied');
}

function save() {
  if (!chapter || checkedCount() === 0) return;
  const format = ui.cmbSaveFormat.value;
  const bytes = vael.saveDocument({
    format, chapterTitle: chapter.title, line1: chapter.engine.texts.line1,
    system: ui.cmbSystem.selectedIndex, lines: ui.cmbDesc.selectedIndex, history,
  });
  const type = format === 'txt' ? 'text/plain;charset=windows-1252' : 'application/rtf';
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], { type }));
  link.download = `${chapter.title.replace(/[\\/:*?"<>|]+/g, ' ').trim() || 'names'}.${format}`;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  setStatus('Saved');
}

// A command that takes away the control the keyboard is on (a disabled
// button, an entry gone) hands the focus on, not to the page as a whole.
function focusLost(...controls) {
  return controls.some((control) => control.contains(document.activeElement));
}

function clear() {
  const lost = focusLost(ui.btnClear, ui.lbxHistory);
  history = [];
  current = -1;
  renderHistory();
  setStatus('Cleared');
  if (lost) ui.btnNext.focus();
}

function showLog() {
  ui.logText.textContent = lastLog.replaceAll('\r\n', '\n');
  if (!ui.dlgLog.open) ui.dlgLog.showModal();
}

// --- The user's own chapters ---

function freeStem(stem, taken) {
  for (let number = 1; number <= 999; ++number) {
    const base = number === 1 ? stem : `${stem} ${number}`;
    if (!taken.has(`${base}.vel`.toLowerCase()) && !taken.has(`${base}.qch`.toLowerCase())) return base;
  }
  return null;
}

// One file brought in, as a file dropped on the window is: a list is
// written as a chapter first; nothing is kept unless it loads.
async function addFile(file, taken, titles) {
  if (!CHAPTER_FILE.test(file.name)) {
    throw new VaelError('Not a chapter: only .vel, .qch and .txt files can be added');
  }
  if (file.size > MAX_FILE_BYTES) {
    throw new VaelError(`The file is too large for a chapter: ${(file.size / 1048576).toFixed(1)} MB, `
      + `at most ${MAX_FILE_BYTES / 1048576} MB`);
  }
  let bytes = new Uint8Array(await file.arrayBuffer());
  const dot = file.name.lastIndexOf('.');
  const isList = /\.txt$/i.test(file.name);
  const stem = freeStem(file.name.slice(0, dot), taken);
  if (stem === null) throw new VaelError('No free file name for the chapter');
  const name = `${stem}${isList ? '.vel' : file.name.slice(dot).toLowerCase()}`;
  let leftOut = 0;
  if (isList) ({ bytes, leftOut } = vael.listChapter(bytes, file.name, stem));
  const engine = vael.openChapter(bytes, name);
  const title = engine.title;
  engine.close();
  // Titles choose chapters: one whose title is listed already could never
  // be chosen, so it is not kept.
  if (titles.has(title)) return { name, title, leftOut, titleInUse: true };
  titles.add(title);
  await keepChapter(name, bytes, title).catch(() => {
    throw new VaelError("Couldn't keep the chapter in this browser's storage");
  });
  taken.add(name.toLowerCase());
  return { name, title, leftOut };
}

async function addFiles(files) {
  setStatus('Adding chapter');
  // A file brought in while the page is still starting waits for the engine;
  // if that never comes, the failure lines say so already.
  await started;
  if (!vael) return;
  const unbound = books.find((entry) => entry.folder === '');
  // The chapters kept now, not when the page last read them: the page open
  // in another tab may have kept one since, which a new one must not replace.
  const known = [...(unbound?.chapters ?? []), ...await ownChapters()];
  const taken = new Set(known.map((c) => c.file.toLowerCase()));
  const titles = new Set(known.map((c) => c.title));
  let lastAdded = null;
  let leftOut = 0;
  let failed = null;
  for (const file of files) {
    try {
      const added = await addFile(file, taken, titles);
      if (added.titleInUse) continue;
      lastAdded = added;
      leftOut += added.leftOut;
    } catch (error) {
      failed ??= error;
    }
  }
  let chosen = false;
  if (lastAdded) {
    await readLibrary();
    chooseBook(UNBOUND);
    chosen = await chooseChapter(lastAdded.title);
  }
  if (failed) {
    failure(failed);
    setStatus(lastAdded ? 'Not all added' : 'Chapter not added');
  } else if (!chosen) {
    setStatus('Title in use');
  } else if (leftOut > 0) {
    setStatus(leftOut === 1 ? '1 name left out' : `${leftOut} names left out`);
  } else {
    setStatus('Chapter added');
  }
}

// Files brought in by one drop after another are added in turn: each takes
// its file name and title against what the one before has kept.
let adding = Promise.resolve();

function addInTurn(files) {
  const turn = adding.then(() => addFiles(files));
  adding = turn.catch(() => {});
  return turn;
}

async function removeOwnChapter() {
  if (!ownChosen) return;
  try {
    await removeChapter(ownChosen.file);
  } catch {
    failure(new VaelError("Couldn't remove the chapter from this browser's storage"),
            'Attempt to remove chapter failed.');
    setStatus('Chapter not removed');
    return;
  }
  const lost = focusLost(ui.btnRemove);
  await readLibrary();
  chooseBook(UNBOUND);
  setStatus('Chapter removed');
  if (lost) (ui.cmbChapter.disabled ? ui.cmbBook : ui.cmbChapter).focus();
}

// --- Keys, as the window takes them ---

function onKey(event) {
  if (document.querySelector('dialog[open]')) return;
  const target = event.target;
  const typing = target instanceof HTMLInputElement && target.type === 'text';
  const ctrl = (event.ctrlKey || event.metaKey) && !event.altKey;
  const act = (command) => {
    event.preventDefault();
    command();
  };
  if (event.key === 'Enter') {
    // Enter on a button or a list is theirs; everywhere else it makes a name.
    if (target instanceof HTMLButtonElement || target instanceof HTMLSelectElement
        || (target instanceof HTMLInputElement && target.type === 'file')) return;
    if (target === ui.ebxPageSize) pageSizeExit();
    act(() => { if (!ui.btnNext.disabled) generateNext(); });
  } else if (event.key === 'F1') {
    act(() => ui.dlgHelp.showModal());
  } else if (ctrl && !typing) {
    const key = event.key.toLowerCase();
    if (key === 'a') {
      act(() => {
        if (event.shiftKey && !ui.btnDeselectAll.disabled) setAllChecks(() => false);
        else if (!event.shiftKey && !ui.btnSelectAll.disabled) setAllChecks(() => true);
      });
    } else if (key === 'c' && !window.getSelection()?.toString()) {
      act(copy);
    } else if (key === 'i') {
      act(() => { if (!ui.btnInvertSelection.disabled) setAllChecks((checked) => !checked); });
    } else if (key === 's') {
      act(() => { if (!ui.btnSave.disabled) save(); });
    } else if (key === 'x') {
      act(() => { if (!ui.btnClear.disabled) clear(); });
    }
  }
}

// --- Start ---

function wire() {
  ui.cmbBook.addEventListener('change', () => chooseBook(ui.cmbBook.value));
  ui.cmbChapter.addEventListener('change', () => chooseChapter(ui.cmbChapter.value));
  ui.btnNext.addEventListener('click', generateNext);
  ui.btnStorePage.addEventListener('click', generatePage);
  ui.btnLog.addEventListener('click', showLog);
  ui.btnHelp.addEventListener('click', () => ui.dlgHelp.showModal());
  ui.btnInfo.addEventListener('click', toggleNotes);
  ui.ebxPageSize.addEventListener('change', () => { pageSizeExit(); keepSettings(); });
  ui.ebxPageSize.addEventListener('blur', pageSizeExit);
  for (const control of [ui.cmbSystem, ui.cmbDesc, ui.cmbSaveFormat]) {
    control.addEventListener('change', keepSettings);
  }
  for (const control of [ui.cmbInitLetter, ui.cbxStatistical, ui.cbxStructural, ui.cbxPrefix,
    ui.cbxSuffix, ...document.querySelectorAll('input[name=fit]')]) {
    control.addEventListener('change', optionsChanged);
  }
  ui.lbxHistory.addEventListener('change', (event) => {
    const index = entryIndex(event.target);
    if (index < 0) return;
    history[index].checked = event.target.checked;
    historyChanged();
  });
  ui.lbxHistory.addEventListener('keydown', moveInHistory);
  ui.lbxHistory.addEventListener('focusin', (event) => chooseEntry(entryIndex(event.target)));
  // A click beside the entries keeps the chosen one, as the window's list does.
  ui.lbxHistory.addEventListener('click', (event) => {
    const index = entryIndex(event.target);
    if (index >= 0) chooseEntry(index);
  });
  ui.lbxHistory.addEventListener('dblclick', (event) => { event.preventDefault(); copy(); });
  ui.lblName.addEventListener('dblclick', async () => {
    await putOnClipboard(ui.lblName.textContent);
    setStatus('Copied');
  });
  ui.btnSave.addEventListener('click', save);
  ui.btnCopy.addEventListener('click', copy);
  ui.btnClear.addEventListener('click', clear);
  ui.btnSelectAll.addEventListener('click', () => setAllChecks(() => true));
  ui.btnDeselectAll.addEventListener('click', () => setAllChecks(() => false));
  ui.btnInvertSelection.addEventListener('click', () => setAllChecks((checked) => !checked));
  ui.btnRemove.addEventListener('click', removeOwnChapter);
  ui.fileOpen.addEventListener('change', async () => {
    const files = [...ui.fileOpen.files];
    ui.fileOpen.value = '';
    if (files.length > 0) await addInTurn(files);
  });
  document.addEventListener('keydown', onKey);
  document.addEventListener('pointerover', showHint);
  document.addEventListener('pointerout', hideHint);
  document.addEventListener('dragover', (event) => {
    event.preventDefault();
    document.body.classList.add('dropping');
  });
  document.addEventListener('dragleave', () => document.body.classList.remove('dropping'));
  document.addEventListener('drop', async (event) => {
    event.preventDefault();
    document.body.classList.remove('dropping');
    const files = [...(event.dataTransfer?.files ?? [])];
    if (files.length > 0) await addInTurn(files);
  });
}

// The browser first runs the engine's code from a quick translation and
// makes it fast only once that code has run for a while: the first page of
// a thousand names would otherwise take several times as long as the next.
// Once the first name is shown, a few thousand names made aside on a
// generator of their own, never shown, let that happen while the reader is
// still reading. The user's generator and history are left as they were.
function warmUp() {
  const idle = window.requestIdleCallback ?? ((task) => setTimeout(task, 0));
  idle(() => {
    try {
      chapter?.engine.names(3000, requestedOptions());
    } catch {
      // Only a head start: a failure shows when the user generates.
    }
  });
}

async function start() {
  const kept = settings();
  if (kept.system >= 0 && kept.system < ui.cmbSystem.length) ui.cmbSystem.selectedIndex = kept.system;
  if (kept.lines >= 0 && kept.lines < ui.cmbDesc.length) ui.cmbDesc.selectedIndex = kept.lines;
  if (typeof kept.size === 'string') ui.ebxPageSize.value = kept.size;
  if (kept.format === 'txt' || kept.format === 'rtf') ui.cmbSaveFormat.value = kept.format;
  pageSizeExit();
  wire();
  vael = await loadVael();
  showInfo('Vaelorn 3.3', 'New names in the style of your samples', 'Choose a book, then a chapter');
  await readLibrary();
  // The last chapter chosen, else the first of the first book: a name at once.
  const startBook = books.some((entry) => entry.title === kept.book)
    ? kept.book : ui.cmbBook.options[0]?.value;
  if (startBook === undefined) return;
  chooseBook(startBook);
  const startChapter = book.chapters.some((c) => c.title === kept.chapter)
    ? kept.chapter : ui.cmbChapter.options[0]?.value;
  if (startChapter !== undefined && await chooseChapter(startChapter)) {
    generateNext();
    warmUp();
    // Since the page began to load, for the benchmark.
    requestAnimationFrame(() => setTimeout(() => {
      document.body.dataset.firstNameMs = performance.now().toFixed(1);
    }));
  }
  document.body.dataset.ready = 'true';
}

const started = start().catch((error) => {
  failure(error, 'Attempt to start failed.');
  document.body.dataset.ready = 'true';
});
if ('serviceWorker' in navigator && location.protocol !== 'file:') {
  navigator.serviceWorker.register('sw.js').catch(() => {});
}
