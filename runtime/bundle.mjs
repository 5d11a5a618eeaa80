// The runtime's bundling and minifying, shared by build.mjs (which writes velmo.js) and
// tune_names.mjs (which picks the short property names).
//
// esbuild bundles src/ and shortens the runtime's own property names: those that end in
// an underscore. No name of the page, the browser or the configuration script ends so,
// so none of them can be renamed by mistake. terser then compresses the bundle once more
// and names its local variables by how often they occur, which gzip rewards.
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { build } from 'esbuild';
import { minify } from 'terser';

const here = path.dirname(fileURLToPath(import.meta.url));

/**
 * The runtime as one minified script.
 * @param {Record<string, string | false>} names the short name of each own property (esbuild's
 *   mangle cache); a property it lacks gets a free name
 * @param {string} [preamble] the comment line at the head
 * @returns {Promise<{ code: string, names: Record<string, string | false> }>}
 */
export async function bundleRuntime(names, preamble) {
  const bundle = await build({
    entryPoints: [path.join(here, 'src', 'index.js')],
    write: false,
    bundle: true,
    // terser names the variables (measured: smaller after gzip than esbuild's names)
    minifySyntax: true,
    minifyWhitespace: true,
    mangleProps: /_$/,
    mangleCache: names,
    format: 'iife',
    target: 'es2022',
    charset: 'utf8',
    legalComments: 'none',
    logLevel: 'warning',
  });
  const minified = await minify(bundle.outputFiles[0].text, {
    ecma: 2020,
    // Comma sequences hide the repeated `name(` and `name.` openings from gzip; so do
    // if-statements kept as they are rather than turned into && and ?: chains; function
    // declarations moved to the head of their scope gzip smaller too (all measured on
    // this code). The runtime's functions held in objects are never called with `new`, so
    // they may be written as methods. Three passes inline what the first pass left single-use.
    compress: { ecma: 2020, sequences: false, conditionals: false, hoist_funs: true, unsafe_methods: true, passes: 3 },
    mangle: true,
    format: preamble ? { preamble } : {},
  });
  return { code: /** @type {string} */ (minified.code), names: /** @type {Record<string, string | false>} */ (bundle.mangleCache) };
}
