// The shipped samples: data/samples/index.html and every page published there from a
// template load without console errors or failed requests, and every menu is built and
// opens its pop-ups. The files are served exactly as shipped (their own velmo.js and
// images, not the working copy of the runtime), since that is what users open.
//   node --test samples.test.mjs
import { test, describe, before, after } from 'node:test';
import assert from 'node:assert/strict';
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const HERE = path.dirname(fileURLToPath(import.meta.url));

// The file sits beside lib/ or one folder below it (with the suite).
function findUp(rel) {
  for (let dir = HERE; ; dir = path.dirname(dir)) {
    if (fs.existsSync(path.join(dir, rel))) return path.join(dir, rel);
    if (path.dirname(dir) === dir) throw new Error(`${rel} not found above ${HERE}`);
  }
}
const H = await import(pathToFileURL(findUp('lib/harness.mjs')).href);
const SAMPLES = findUp('data/samples');
const TEMPLATES = path.join(path.dirname(SAMPLES), 'templates');

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.gif': 'image/gif',
  '.png': 'image/png', '.txt': 'text/plain', '.zarvex': 'text/plain' };

function startSampleServer() {
  const server = http.createServer((req, res) => {
    const rel = decodeURIComponent(new URL(req.url, 'http://127.0.0.1').pathname).replace(/^\/+/, '');
    if (rel === 'favicon.ico') return res.writeHead(204).end();
    const file = path.resolve(SAMPLES, rel || 'index.html');
    if (!file.startsWith(SAMPLES + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      res.writeHead(404, { 'content-type': 'text/plain' });
      return res.end('not found');
    }
    res.writeHead(200, { 'content-type': TYPES[path.extname(file).toLowerCase()] || 'application/octet-stream',
      'cache-control': 'no-store' });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise(ok => server.listen(0, '127.0.0.1', () => ok({
    url: p => `http://127.0.0.1:${server.address().port}/${p}`,
    close: () => new Promise(done => server.close(done)),
  })));
}

// The menu-wide fields a test needs, read from a project file's parameter line.
function design(projectFile) {
  const lines = fs.readFileSync(projectFile, 'latin1').split('\r\n');
  const f = lines[lines.indexOf('<Applet_Parameters>') + 1].split('#$@');
  return { menuName: f[0], vertical: f[2] === '1', click: f[5] === '1', textColor: f[19] };
}

const templateNames = fs.readdirSync(TEMPLATES).filter(f => f.endsWith('.zarvex')).map(f => f.slice(0, -7)).sort();
const hex = rgb => '#' + rgb.match(/\d+/g).slice(0, 3).map(n => (+n).toString(16).padStart(2, '0')).join('').toUpperCase();

// Opens a page and records console errors and warnings, page errors and failed requests.
async function openPage(t, browser, url) {
  const context = await browser.newContext({ viewport: { width: 900, height: 700 } });
  t.after(() => context.close());
  const page = await context.newPage();
  const problems = [];
  page.on('console', m => { if (m.type() === 'error' || m.type() === 'warning') problems.push(`${m.type()}: ${m.text()}`) });
  page.on('pageerror', e => problems.push(`pageerror: ${e.message}`));
  page.on('response', r => { if (r.status() >= 400) problems.push(`${r.status()}: ${r.url()}`) });
  page.on('requestfailed', r => problems.push(`failed: ${r.url()}`));
  await page.goto(url, { waitUntil: 'load' });
  return { page, problems };
}

let server, browser;
before(async () => { server = await startSampleServer(); browser = await H.launch() });
after(async () => { await browser?.close(); await server?.close() });

describe('samples index', () => {
  test('every template has a published sample and a section with its page', async t => {
    assert.ok(templateNames.length >= 6, `${templateNames.length} templates`);
    const { page, problems } = await openPage(t, browser, server.url('index.html'));
    const sections = await page.$$eval('section', ss => ss.map(s => ({ id: s.id, frame: s.querySelector('iframe')?.getAttribute('src') })));
    assert.deepEqual(sections.map(s => s.id).sort(), templateNames);
    for (const { id, frame } of sections) {
      assert.equal(frame, `menus/${id}.html`);
      assert.ok(fs.existsSync(path.join(SAMPLES, 'menus', `${id}.zarvex`)), `${id}: project file published`);
    }
    // every framed menu is built
    for (const { id } of sections) {
      const frame = page.frameLocator(`section#${id} iframe`);
      await frame.locator('div.bnaz-bpAb').waitFor({ state: 'attached' });
      assert.equal(await frame.locator('div.bnaz-bpAb').count(), 1, id);
    }
    const links = await page.$$eval('section a[href]', as => as.map(a => a.getAttribute('href')));
    for (const href of links) assert.ok(fs.existsSync(path.join(SAMPLES, href)), `link ${href} leads to a file`);
    assert.deepEqual(problems, []);
  });
});

describe('sample runtime', () => {
  // tools/make_samples.sh publishes with the program folder's runtime; an older copy here
  // means the samples were not made again after the runtime changed
  const app = process.env.ZARVEX_APP_DIR;
  test('the samples carry the velmo.js that the program folder ships', { skip: !app && 'ZARVEX_APP_DIR is not set' }, () => {
    const shipped = fs.readFileSync(path.join(app, 'velmo.js'));
    assert.ok(fs.readFileSync(path.join(SAMPLES, 'menus', 'velmo.js')).equals(shipped), 'run tools/make_samples.sh');
  });
});

describe('sample pages', () => {
  for (const name of templateNames) {
    test(`${name}: builds its menu and opens two levels of pop-ups without errors`, async t => {
      const d = design(path.join(SAMPLES, 'menus', `${name}.zarvex`));
      const { page, problems } = await openPage(t, browser, server.url(`menus/${name}.html`));
      await page.waitForFunction(n => n in window && window[n], d.menuName);
      assert.equal(await page.locator('div.bnaz-bpAb').count(), 1);
      assert.equal(await page.getAttribute('div.bnaz-bpAb', 'aria-orientation'), d.vertical ? 'vertical' : 'horizontal');

      const open = loc => (d.click ? loc.click() : loc.hover());
      await open(page.locator('div.bnaz-bpAb td.bGaz:has(a[aria-haspopup])').first());
      const first = page.locator('div.bnaz-bwAb:visible');
      await first.first().waitFor();
      await open(first.first().locator('tr.bGaz:has(a[aria-haspopup])').first());
      await page.waitForFunction(() => [...document.querySelectorAll('div.bnaz-bwAb')]
        .filter(e => e.style.display !== 'none').length === 2);

      // every icon the design names is published and decodes
      const icons = await page.$$eval('div.bnaz-bpAb img, div.bnaz-bwAb img', imgs => imgs.map(i => [i.getAttribute('src'), i.naturalWidth]));
      for (const [src, width] of icons) assert.ok(width > 0, `icon ${src} loads`);
      await page.screenshot({ path: H.screenshotPath(`sample-${name}.png`) });
      assert.deepEqual(problems, []);
    });
  }

  test('pop-up rows show the design\'s text colour', async t => {
    for (const name of templateNames) {
      const d = design(path.join(SAMPLES, 'menus', `${name}.zarvex`));
      const { page } = await openPage(t, browser, server.url(`menus/${name}.html`));
      await page.waitForFunction(n => n in window && window[n], d.menuName);
      const item = page.locator('div.bnaz-bpAb td.bGaz:has(a[aria-haspopup])').first();
      await (d.click ? item.click() : item.hover());
      const row = page.locator('div.bnaz-bwAb:visible tr.bGaz:not(.bqAb):not(.brAb) a').first();
      assert.equal(hex(await row.evaluate(a => getComputedStyle(a).color)), `#${d.textColor}`, name);
    }
  });
});
