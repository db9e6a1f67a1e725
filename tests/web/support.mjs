// What the web tests share: where the built module, the page and vaelgen
// are, and vaelgen run as the reference the module is held to.
import { execFileSync } from 'node:child_process';
import { existsSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

export const root = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
export const webDir = process.env.VAEL_WEB_DIR ?? join(root, 'build-web');
export const vaelgenPath = process.env.VAEL_VAELGEN ?? join(root, 'build/cli/vaelgen');
export const library = join(root, 'library');
export const testData = join(root, 'tests/data');

// ctest takes exit status 77 as a skipped test: the web build is made by
// scripts/build-web, which a native build alone does not run.
export function requireWebBuild() {
  if (!existsSync(join(webDir, 'npm/vael.mjs'))) {
    console.log(`no web build in ${webDir}: run scripts/build-web`);
    process.exit(77);
  }
}

export async function loadModule() {
  requireWebBuild();
  return import(pathToFileURL(join(webDir, 'npm/vael.mjs')));
}

// vaelgen's output (UTF-8, LF line ends) for these arguments.
export function vaelgen(args, options = {}) {
  return execFileSync(vaelgenPath, args, { encoding: options.encoding ?? 'utf8', cwd: options.cwd,
                                           maxBuffer: 1 << 28 });
}

// The vaelgen arguments that ask for the same options as the module's.
export function vaelgenOptions(options) {
  const args = [];
  if (options.seed !== undefined) args.push('--seed', String(options.seed));
  if (options.fit !== undefined) args.push('--fit', String(options.fit));
  if (options.val !== undefined) args.push('--val', String(options.val));
  if (options.initial !== undefined) args.push('--initial', options.initial);
  for (const name of ['statistical', 'structural', 'prefixes', 'suffixes']) {
    if (options[name] !== undefined) args.push(options[name] ? `--${name}` : `--no-${name}`);
  }
  return args;
}
