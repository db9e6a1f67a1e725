// The npm package as a user gets it: packed, installed from its tarball into
// an empty project, imported by name.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { library, requireWebBuild, vaelgen, webDir } from './support.mjs';

requireWebBuild();

test('the packed tarball installs into an empty project and makes vaelgen\'s names', () => {
  const folder = mkdtempSync(join(tmpdir(), 'vael-package-'));
  const npm = (args, cwd) => execFileSync('npm', [...args, '--no-audit', '--no-fund', '--offline'],
                                          { cwd, encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] });
  try {
    const packed = JSON.parse(npm(['pack', '--json', '--pack-destination', folder], join(webDir, 'npm')));
    const files = packed[0].files.map((file) => file.path).sort();
    assert.deepEqual(files, ['LICENSE', 'README.md', 'package.json', 'vael-wasm.mjs', 'vael-wasm.wasm',
                             'vael.d.ts', 'vael.mjs']);
    const project = join(folder, 'project');
    execFileSync('mkdir', [project]);
    writeFileSync(join(project, 'package.json'), '{ "name": "user", "private": true, "type": "module" }\n');
    npm(['install', join(folder, packed[0].filename)], project);
    const chapter = join(library, 'isles/welsh.vel');
    writeFileSync(join(project, 'main.js'), `
      import { readFileSync } from 'node:fs';
      import { loadVael, VaelError } from 'vael';
      const vael = await loadVael();
      const chapter = vael.openChapter(readFileSync(${JSON.stringify(chapter)}), 'welsh.vel');
      console.log(chapter.names(25, { seed: 12, fit: 2 }).join('\\n'));
      try { vael.openChapter(new Uint8Array(), 'empty.vel'); } catch (e) { console.log(e instanceof VaelError); }
    `);
    const out = execFileSync('node', ['main.js'], { cwd: project, encoding: 'utf8' });
    assert.equal(out, `${vaelgen(['-n', '25', '--seed', '12', '--fit', '2', chapter])}true\n`);
    assert.ok(readdirSync(join(project, 'node_modules/vael')).includes('vael.d.ts'));
  } finally {
    rmSync(folder, { recursive: true });
  }
});
