// A static server of the page for the tools that drive it in Chromium.
import { readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize } from 'node:path';

const types = { '.html': 'text/html', '.mjs': 'text/javascript', '.js': 'text/javascript',
                '.css': 'text/css', '.wasm': 'application/wasm', '.json': 'application/json' };

// Serves `site` on 127.0.0.1 at a free port: { origin, close() }; `headers`
// go with every file served.
export async function serve(site, { headers = {} } = {}) {
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    const file = join(site, path.endsWith('/') ? `${path}index.html` : path);
    try {
      if (!file.startsWith(site)) throw new Error('outside the page');
      const body = readFileSync(file);
      response.writeHead(200, { ...headers, 'content-type': types[extname(file)] ?? 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  return { origin: `http://127.0.0.1:${server.address().port}`, close: () => server.close() };
}
