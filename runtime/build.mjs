// Builds the shipped velmo.js from src/: one minified script for the browsers of today,
// behind a one-line header naming the program and its version.
//   node build.mjs <output file> [version]   (default: velmo.js in the current folder;
//                                              the version of package.json)
//
// How the script is bundled and minified: bundle.mjs.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { bundleRuntime } from './bundle.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
// The program's version, given by the build, names the runtime too.
const version =
  process.argv[3] || JSON.parse(fs.readFileSync(path.join(here, 'package.json'), 'utf8')).version;
const output = path.resolve(process.argv[2] || 'velmo.js');
// The short property names are kept in property_names.json so that every build names
// them alike; tune_names.mjs chooses them. A property the table lacks gets a free name.
const namesFile = path.join(here, 'property_names.json');
const { code } = await bundleRuntime(
  JSON.parse(fs.readFileSync(namesFile, 'utf8')),
  // MIT-0: free to use, copy and change without conditions.
  `/* velmo.js ${version}, Zarvex, MIT-0 */`,
);
fs.writeFileSync(output, code);
