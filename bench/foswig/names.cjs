// One run of the comparison generator, as scripts/bench-compare times it:
// order 2, names of 3 to 12 letters, no copies of the samples, written one a
// line like vaelgen's. Usage: node names.cjs SAMPLES COUNT
// SAMPLES is a plain list, one name a line; lines starting with # are notes.
'use strict';
const fs = require('fs');
const Foswig = require('foswig').default;

const [samplesFile, countText] = process.argv.slice(2);
const count = Number(countText);
if (!samplesFile || !Number.isInteger(count) || count < 0) {
  process.stderr.write('usage: node names.cjs SAMPLES COUNT\n');
  process.exit(2);
}
const samples = fs.readFileSync(samplesFile, 'utf8').split(/\r?\n/)
  .map((line) => line.trim()).filter((line) => line !== '' && !line.startsWith('#'));
const chain = new Foswig(2, samples);
const constraints = { minLength: 3, maxLength: 12, allowDuplicates: false };

// Written in chunks, as a buffered stream would, so that the output costs
// what vaelgen's costs.
let chunk = [];
for (let i = 0; i < count; ++i) {
  chunk.push(chain.generate(constraints));
  if (chunk.length === 4096) {
    fs.writeSync(1, chunk.join('\n') + '\n');
    chunk = [];
  }
}
if (chunk.length > 0) fs.writeSync(1, chunk.join('\n') + '\n');
