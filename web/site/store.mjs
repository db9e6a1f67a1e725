// The user's own chapters, kept in the browser (IndexedDB) for the next
// visit: { file, bytes } records by file name.
const DB = 'vael';
const STORE = 'chapters';

function open() {
  return new Promise((resolve, reject) => {
    const request = indexedDB.open(DB, 1);
    request.onupgradeneeded = () => request.result.createObjectStore(STORE, { keyPath: 'file' });
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

async function run(mode, work) {
  const db = await open();
  try {
    return await new Promise((resolve, reject) => {
      const transaction = db.transaction(STORE, mode);
      const request = work(transaction.objectStore(STORE));
      transaction.oncomplete = () => resolve(request?.result);
      transaction.onerror = () => reject(transaction.error);
      transaction.onabort = () => reject(transaction.error);
    });
  } finally {
    db.close();
  }
}

// Records not shaped as this page keeps them (written by something else)
// are passed over: listed, they could be neither chosen nor removed.
export async function ownChapters() {
  try {
    const records = (await run('readonly', (store) => store.getAll())) ?? [];
    return records.filter((record) => typeof record?.file === 'string' && typeof record.title === 'string');
  } catch {
    return []; // no storage (a private window): nothing kept
  }
}

export const keepChapter = (file, bytes, title) =>
  run('readwrite', (store) => store.put({ file, bytes, title }));
export const removeChapter = (file) => run('readwrite', (store) => store.delete(file));
