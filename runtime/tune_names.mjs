// Chooses the short names of the runtime's own properties for the smallest velmo.js after
// gzip -9, and keeps them in property_names.json for build.mjs. Which property gets which
// name changes how well gzip finds repeats (the locals that terser names use the same
// letters); this tries exchanging the names of two properties at a time and keeps every
// exchange that makes the script smaller.
//   node tune_names.mjs [seconds]   (default 600; stops earlier when no exchange helps)
// Run it after renaming or adding many properties; a property the table lacks gets a
// free name in the build, so the table never has to be current.
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';
import { bundleRuntime } from './bundle.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const namesFile = path.join(here, 'property_names.json');
const deadline = Date.now() + 1000 * Number(process.argv[2] || 600);
// the header the build writes, so that the measure is the shipped size
const preamble = '/* velmo.js 0.0.0, Zarvex, MIT-0 */';

/** @param {Record<string, string | false>} names */
async function measure(names) {
  const { code, names: used } = await bundleRuntime(names, preamble);
  return { size: zlib.gzipSync(code, { level: 9 }).length, used };
}

let { size: best, used: table } = await measure(JSON.parse(fs.readFileSync(namesFile, 'utf8')));
// the properties the sources have now, the most used first (the shortest names)
const properties = Object.keys(table).filter(name => table[name] !== false)
  .sort((a, b) => String(table[a]).length - String(table[b]).length);
console.log(`start: ${best} bytes, ${properties.length} properties`);
let improved = true;
search: while (improved) {
  improved = false;
  for (let i = 0; i < properties.length; i++) {
    for (let j = i + 1; j < properties.length; j++) {
      if (Date.now() > deadline) break search;
      const a = properties[i], b = properties[j], trial = { ...table, [a]: table[b], [b]: table[a] };
      const { size } = await measure(trial);
      if (size >= best) continue;
      best = size;
      table = trial;
      improved = true;
      fs.writeFileSync(namesFile, JSON.stringify(table, null, 1) + '\n');
      console.log(`${best} bytes: ${a} <-> ${b}`);
    }
  }
}
// only the sources' properties, in a stable order
const kept = Object.fromEntries(Object.keys(table).sort().map(name => [name, table[name]]));
fs.writeFileSync(namesFile, JSON.stringify(kept, null, 1) + '\n');
console.log(`kept: ${best} bytes`);
