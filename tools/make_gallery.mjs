// Regenerates the three pictures of the README's gallery (docs/images/gallery-*.png)
// from the samples the build publishes into <app>/samples, with the browser suite's
// Chromium and loopback server.
//
//   cmake --build build --target zarvex_samples
//   node tools/make_gallery.mjs [APP_FOLDER]          (default: build/app)
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const ROOT = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
const H = await import(pathToFileURL(path.join(ROOT, 'tests', 'browser', 'lib', 'harness.mjs')).href);
const samples = path.join(path.resolve(process.argv[2] || path.join(ROOT, 'build', 'app')), 'samples');
const out = path.join(ROOT, 'docs', 'images');

// Template, bar item to open, item inside the pop-up to open, picture size.
const shots = [
  ['icon_bar', 'Products', 'Software', { width: 640, height: 200 }],
  ['dark_bar', 'Community', 'Events', { width: 640, height: 200 }],
  ['mega_catalogue', 'Brands', null, { width: 960, height: 420 }],
];

if (!fs.existsSync(samples)) throw new Error(`${samples} is missing: build the zarvex_samples target first`);
fs.mkdirSync(out, { recursive: true });
const server = await H.startServer([samples], {});
const browser = await H.launch();
try {
  for (const [name, barText, innerText, size] of shots) {
    const context = await browser.newContext({ viewport: size });
    const page = await context.newPage();
    await page.goto(server.url(`${name}/${name}.html`), { waitUntil: 'load' });
    await page.locator('div.bnaz-bpAb').waitFor();
    await page.locator('div.bnaz-bpAb td.bGaz', { hasText: barText }).first().hover();
    const popup = page.locator('div.bnaz-bwAb:visible').first();
    await popup.waitFor();
    if (innerText) {
      await popup.locator('tr.bGaz', { hasText: innerText }).first().hover();
      await page.waitForFunction(() => [...document.querySelectorAll('div.bnaz-bwAb')]
        .filter(e => e.style.display !== 'none').length === 2);
    }
    await H.sleep(300);
    const file = path.join(out, `gallery-${name}.png`);
    await page.screenshot({ path: file });
    console.log(`${path.relative(ROOT, file)}: ${fs.statSync(file).size} bytes`);
    await context.close();
  }
} finally {
  await browser.close();
  await server.close();
}
