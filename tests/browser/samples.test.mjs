// The samples the build publishes from the shipped templates into the program folder
// (<app>/samples, tools/make_samples.sh): the index and every sample page load without
// console errors or failed requests, every menu is built and opens its pop-ups, links
// stay inside their page, non-ASCII captions read right when served over HTTP with no
// character set in the header, and every template is photographed at 1280 and 375 px
// into <screenshots>/templates/.
//   node --test samples.test.mjs
import { test, describe, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const HERE = path.dirname(fileURLToPath(import.meta.url));
const H = await import(pathToFileURL(path.join(HERE, 'lib', 'harness.mjs')).href);
const APP = path.resolve(process.env.ZARVEX_APP_DIR || path.join(HERE, '..', '..', 'build', 'app'));
const SAMPLES = path.join(APP, 'samples');
const SHOTS = path.join(H.SHOT_DIR, 'templates');

// The menu-wide fields a test needs, read from a project file's parameter line.
function design(projectFile) {
  const lines = fs.readFileSync(projectFile, 'utf8').split('\r\n');
  const f = lines[lines.indexOf('<Applet_Parameters>') + 1].split('#$@');
  return { menuName: f[0], vertical: f[2] === '1', click: f[5] === '1', textColor: f[19] };
}

const templateNames = fs.readdirSync(SAMPLES, { withFileTypes: true })
  .filter(e => e.isDirectory()).map(e => e.name).sort();
const hex = rgb => '#' + rgb.match(/\d+/g).slice(0, 3).map(n => (+n).toString(16).padStart(2, '0')).join('').toUpperCase();

// Opens a page and records console errors and warnings, page errors and failed requests.
async function openPage(t, browser, url, viewport = { width: 1280, height: 800 }) {
  const context = await browser.newContext({ viewport });
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

// Opens the first pop-up of the bar, or the one of the named item, and one level below it
// when there is one; returns the open pop-ups.
async function openPopups(page, d, barText) {
  const open = loc => (d.click ? loc.click() : loc.hover());
  const bar = barText ? page.locator('div.bnaz-bpAb td.bGaz', { hasText: barText }).first()
    : page.locator('div.bnaz-bpAb td.bGaz:has(td.velmo-caret)').first();
  await open(bar);
  const first = page.locator('div.bnaz-bwAb:visible').first();
  await first.waitFor();
  const inner = first.locator('tr.bGaz:has(td.bfAa div)');
  if (!barText && await inner.count()) {
    await open(inner.first());
    await page.waitForFunction(() => [...document.querySelectorAll('div.bnaz-bwAb')]
      .filter(e => e.style.display !== 'none').length === 2);
  }
  return first;
}

let server, browser;
before(async () => { server = await H.startServer([SAMPLES], {}); browser = await H.launch(); fs.mkdirSync(SHOTS, { recursive: true }) });
after(async () => { await browser?.close(); await server?.close() });

describe('samples index', () => {
  test('shows every template in a section with its published page', async t => {
    assert.ok(templateNames.length >= 8, `${templateNames.length} samples`);
    const { page, problems } = await openPage(t, browser, server.url('index.html'));
    const sections = await page.$$eval('section', ss => ss.map(s => ({ id: s.id, frame: s.querySelector('iframe')?.getAttribute('src') })));
    assert.deepEqual(sections.map(s => s.id).sort(), templateNames);
    for (const { id, frame } of sections) {
      assert.equal(frame, `${id}/${id}.html`);
      const frameLocator = page.frameLocator(`section#${id} iframe`);
      await frameLocator.locator('nav.velmo-nav div.bnaz-bpAb').first().waitFor({ state: 'attached' });
    }
    const links = await page.$$eval('a[href]', as => as.map(a => a.getAttribute('href')));
    for (const href of links) {
      if (href.startsWith('#')) assert.ok(templateNames.includes(href.slice(1)), `anchor ${href}`);
      else assert.ok(fs.existsSync(path.join(SAMPLES, href)), `link ${href} leads to a file`);
    }
    assert.deepEqual(problems, []);
  });
});

describe('sample pages', () => {
  for (const name of templateNames) {
    test(`${name}: builds its menu, opens its pop-ups and keeps its links on the page`, async t => {
      const d = design(path.join(SAMPLES, name, `${name}.zarvex`));
      const { page, problems } = await openPage(t, browser, server.url(`${name}/${name}.html`));
      await page.waitForFunction(n => n in window && window[n], d.menuName);
      // the templates use the site-navigation pattern: no menubar role, the orientation by class
      assert.deepEqual(await page.$eval('div.bnaz-bpAb', b => [b.getAttribute('role'), b.classList.contains('velmo-vertical')]), [null, d.vertical]);
      const first = await openPopups(page, d);

      const row = first.locator('tr.bGaz:not(.bqAb):not(.brAb) a').first();
      assert.equal(hex(await row.evaluate(a => getComputedStyle(a).color)), `#${d.textColor}`);
      for (const r of await first.locator('tr.bGaz').all())
        assert.ok((await r.boundingBox()).height >= 24, 'pop-up rows are at least 24 px high');
      assert.ok((await page.locator('div.bnaz-bpAb td.bGaz').first().boundingBox()).height >= 24);
      const icons = await page.$$eval('div.bnaz-bpAb img, div.bnaz-bwAb img', imgs => imgs.map(i => [i.getAttribute('src'), i.naturalWidth]));
      for (const [src, width] of icons) assert.ok(width > 0, `icon ${src} loads`);
      const hrefs = await page.$$eval('#' + d.menuName + '_ul a', as => as.map(a => a.getAttribute('href')));
      for (const href of hrefs) assert.match(href, /^(#|javascript:void\(0\)$)/, 'links stay on the page');
      await page.screenshot({ path: path.join(SHOTS, `${name}-1280.png`) });
      assert.deepEqual(problems, []);
    });

    test(`${name}: at 375 px, collapsed where the bar does not fit`, async t => {
      const d = design(path.join(SAMPLES, name, `${name}.zarvex`));
      const { page, problems } = await openPage(t, browser, server.url(`${name}/${name}.html`),
        { width: 375, height: 740 });
      await page.waitForFunction(n => n in window && window[n], d.menuName);
      // A bar too wide for the phone collapses to a toggle that opens the items as a
      // list; one that fits (the sidebar) opens its pop-ups as on the desktop.
      const toggle = page.locator('button.velmo-toggle:visible');
      if (await toggle.count()) {
        await toggle.click();
        const list = page.locator(`[id="${await toggle.getAttribute('aria-controls')}"]`);
        await list.waitFor();
        const parent = list.locator('a[aria-expanded="false"]').first();
        if (await parent.count()) await parent.click();
        const row = await list.locator('a').first().boundingBox();
        assert.ok(row.height >= 44, `collapsed rows are at least 44 px high (${row.height})`);
      } else {
        await openPopups(page, d);
      }
      await page.screenshot({ path: path.join(SHOTS, `${name}-375.png`) });
      assert.deepEqual(problems, []);
    });
  }

  test('non-ASCII captions read right from a server that names no character set', async t => {
    const { page } = await openPage(t, browser, server.url('mega_catalogue/mega_catalogue.html'));
    await page.waitForFunction(() => window.MegaMenu);
    const texts = await page.$$eval('#MegaMenu_ul a', as => as.map(a => a.textContent));
    for (const caption of ['Ångström', 'Café Crème', 'Øresund', 'Zürich']) assert.ok(texts.includes(caption), caption);
    assert.equal(await page.evaluate(() => document.characterSet), 'UTF-8');
  });

  test('a pop-up longer than the window scrolls', async t => {
    const d = design(path.join(SAMPLES, 'mega_catalogue', 'mega_catalogue.zarvex'));
    const { page } = await openPage(t, browser, server.url('mega_catalogue/mega_catalogue.html'));
    await page.waitForFunction(n => window[n], d.menuName);
    const popup = await openPopups(page, d, 'Brands');
    const box = await popup.boundingBox();
    assert.ok(box.y + box.height <= 800, `the pop-up fits the window (${box.y} + ${box.height})`);
    assert.ok(await popup.locator('div.bnaz-bsAb-Boaz').isVisible(), 'a scroll-down button shows');
    await page.screenshot({ path: path.join(SHOTS, 'mega_catalogue-scrolling-1280.png') });
  });
});
