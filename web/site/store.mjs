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

export async function ownChapters() {
  try {
    return (await run('readonly', (store) => store.getAll())) ?? [];
  } catch {
    return []; // no storage (a private window): nothing kept
  }
}

export const keepChapter = (file, bytes, title) =>
  run('readwrite', (store) => store.put({ file, bytes, title }));
export const removeChapter = (file) => run('readwrite', (store) => store.delete(file));
