// Builds the shipped velmo.js from src/: one minified script for the browsers of today,
// behind a one-line header naming the program and its version. esbuild bundles and
// minifies; terser then compresses the bundle once more and names its local variables by
// how often they occur, which gzip rewards.
//   node build.mjs <output file> [version]   (default: velmo.js in the current folder;
//                                              the version of package.json)
//
// The runtime's own property names (fields, methods, typedef properties) are shortened
// too; they are read from the sources, less the names that the page, the browser or a
// lookup by text must find as written.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { build } from 'esbuild';
import { minify } from 'terser';

const here = path.dirname(fileURLToPath(import.meta.url));
// The program's version, given by the build, names the runtime too.
const version =
  process.argv[3] || JSON.parse(fs.readFileSync(path.join(here, 'package.json'), 'utf8')).version;
const output = path.resolve(process.argv[2] || 'velmo.js');
const sourceFolder = path.join(here, 'src');

const KEPT = new Set([
  // the public surface and the options the configuration script passes
  'construct', 'close', 'destroy', 'Bxay', 'bZay', 'BAay', 'BKay', 'BLay', 'BMay',
  // called by the browser, or looked up by event type
  'constructor', 'handleEvent', 'click', 'focusin', 'focusout', 'pointerover', 'pointerout', 'pointermove',
  'pointerdown', 'pointerup', 'pointercancel',
  // names of the DOM and of built-in objects that the runtime calls as well
  'contains', 'toggle', 'set', 'get', 'width', 'height',
]);

/** The property names the sources define: fields (assigned or declared), methods and typedef properties. */
function ownPropertyNames() {
  const names = new Set();
  const patterns = [/\bthis\.([A-Za-z]\w*)\s*=[^=]/g, /@property\s+\{[^}]*\}\s+\[?([A-Za-z]\w*)/g, /^ {2,4}([A-Za-z]\w*)\([^)]*\)\s*\{$/gm];
  // class fields: the declarations between a class's head and its constructor
  const fieldBlock = /^(?:export )?class \w+ \{\n([\s\S]*?)^ {2}constructor\(/gm, field = /^ {2}([A-Za-z]\w*)(?: = [^;]*)?;$/gm;
  for (const file of fs.readdirSync(sourceFolder).filter(name => name.endsWith('.js'))) {
    const text = fs.readFileSync(path.join(sourceFolder, file), 'utf8');
    for (const pattern of patterns) for (const match of text.matchAll(pattern)) names.add(match[1]);
    for (const block of text.matchAll(fieldBlock)) for (const match of block[1].matchAll(field)) names.add(match[1]);
  }
  return [...names].filter(name => !KEPT.has(name)).sort();
}

const bundle = await build({
  entryPoints: [path.join(sourceFolder, 'index.js')],
  write: false,
  bundle: true,
  minify: true,
  mangleProps: new RegExp(`^(${ownPropertyNames().join('|')})$`),
  format: 'iife',
  target: 'es2022',
  charset: 'utf8',
  legalComments: 'none',
  logLevel: 'warning',
});
const minified = await minify(bundle.outputFiles[0].text, {
  ecma: 2020,
  // Comma sequences hide the repeated `name(` and `name.` openings from gzip; function
  // declarations moved to the head of their scope gzip smaller too (measured on this code).
  // The runtime's functions held in objects are never called with `new`, so they may be
  // written as methods.
  compress: { ecma: 2020, sequences: false, hoist_funs: true, unsafe_methods: true },
  mangle: true,
  // MIT-0: free to use, copy and change without conditions.
  format: { preamble: `/* velmo.js ${version}, Zarvex, MIT-0 */` },
});
fs.writeFileSync(output, /** @type {string} */ (minified.code));
