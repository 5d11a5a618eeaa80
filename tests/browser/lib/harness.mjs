// Shared pieces of the browser suite: a loopback web server for the pages under test,
// headless Chromium through playwright-core, and page helpers.
//
// Pages are those that run.sh publishes with zarvex-cli from designs/ into out/pages (or
// the folder in ZARVEX_BROWSER_PAGES), one design per sub-folder (<design>/<design>.html),
// served exactly as published: velmo.js and the images are the copies the tool placed
// beside each page. The server adds the pages composed from them (composed_pages.mjs)
// and answers landing.html, the page the designs' links lead to, in every folder.
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { composedPages } from './composed_pages.mjs';

const HERE = path.dirname(fileURLToPath(import.meta.url));
export const SUITE_DIR = path.resolve(HERE, '..');
export const RUNTIME_DIR = path.resolve(SUITE_DIR, '../../runtime');
export const PAGES_DIR = path.resolve(process.env.ZARVEX_BROWSER_PAGES || path.join(SUITE_DIR, 'out', 'pages'));
export const SHOT_DIR = path.resolve(process.env.ZARVEX_SCREENSHOT_DIR || path.join(SUITE_DIR, 'out'));
export const CHROMIUM = process.env.ZARVEX_CHROMIUM || '/usr/bin/chromium';
export const LANDING = '<!DOCTYPE html><title>Landing</title><p>You followed a menu link.</p>\n';

const TYPES = { '.html': 'text/html', '.htm': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
  '.gif': 'image/gif', '.png': 'image/png', '.jpg': 'image/jpeg', '.svg': 'image/svg+xml' };

/**
 * Serves `roots` (tried in order) on 127.0.0.1, with `extra` (address to text) before
 * them; by default the published pages and the pages composed from them. `headers` go
 * with every answer.
 */
export async function startServer(roots = [PAGES_DIR], extra = roots[0] === PAGES_DIR ? composedPages(PAGES_DIR) : {}, headers = {}) {
  const server = http.createServer((req, res) => {
    for (const [name, value] of Object.entries(headers)) res.setHeader(name, value);
    const url = new URL(req.url, 'http://127.0.0.1');
    const rel = decodeURIComponent(url.pathname).replace(/^\/+/, '');
    if (rel === 'favicon.ico') return res.writeHead(204).end();
    // a resource that the server holds back, like a slow image or a stalled third-party script
    if (rel.startsWith('stall/')) return setTimeout(() => res.writeHead(204).end(), 1500);
    const text = extra[rel] ?? (path.basename(rel) === 'landing.html' ? LANDING : null);
    if (text != null) {
      // a folder's address ("dir/") serves its index page
      res.writeHead(200, { 'content-type': TYPES[path.extname(rel) || (rel.endsWith('/') ? '.html' : '')] || 'text/plain', 'cache-control': 'no-store' });
      return res.end(text);
    }
    for (const dir of roots) {
      const file = path.resolve(dir, rel);
      if (!file.startsWith(dir + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) continue;
      res.writeHead(200, { 'content-type': TYPES[path.extname(file).toLowerCase()] || 'application/octet-stream',
        'cache-control': 'no-store' });
      return fs.createReadStream(file).pipe(res);
    }
    res.writeHead(404, { 'content-type': 'text/html' });
    res.end('<!DOCTYPE html><title>Not found</title>');
  });
  await new Promise(ok => server.listen(0, '127.0.0.1', ok));
  const base = `http://127.0.0.1:${server.address().port}/`;
  return { base, url: p => new URL(p, base).href, close: () => new Promise(ok => server.close(ok)) };
}

/** Headless Debian Chromium; playwright gives every launch a fresh profile folder. */
export function launch() {
  return chromium.launch({
    executablePath: CHROMIUM,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
}

/** Address of a design's page: <design>/<design>.html, or another page of its folder. */
export const pagePath = (design, file = `${design}.html`) => `${design}/${file}`;

/**
 * Opens a page in a new context and waits until its load handlers ran.
 * Returns { page, context, problems } where problems collects console errors and
 * warnings and uncaught page errors.
 */
export async function open(browser, server, design, opts = {}) {
  const { file, menus = ['MyMenu1'], ...ctxOpts } = opts;
  const context = await browser.newContext({ viewport: { width: 800, height: 600 }, ...ctxOpts });
  const page = await context.newPage();
  const problems = [];
  page.on('console', m => { if (m.type() === 'error' || m.type() === 'warning') problems.push(`${m.type()}: ${m.text()}`) });
  page.on('pageerror', e => problems.push(`pageerror: ${e.message}`));
  await page.goto(server.url(pagePath(design, file)));
  await page.waitForFunction(names => document.readyState === 'complete' && names.every(n => n in window), menus);
  return { page, context, problems };
}

/** Like open(), for tests that only need the page; the context closes with `t`. */
export async function openFor(t, browser, server, design, opts) {
  const r = await open(browser, server, design, opts);
  t.after(() => r.context.close());
  return r;
}

export const sleep = ms => new Promise(ok => setTimeout(ok, ms));

/** Bounding box of the first element matching selector (null when none is rendered). */
export const box = (page, selector) => page.locator(selector).first().boundingBox();

/** Top-level item of the bar by its text. */
export const barItem = (page, text, menu = 0) =>
  page.locator('div.bnaz-bpAb').nth(menu).locator('td.bGaz', { hasText: new RegExp(`^\\s*${text}\\s*$`) });

/** Visible pop-up row by its text. */
export const popItem = (page, text) =>
  page.locator('div.bnaz-bwAb:visible tr.bGaz', { hasText: new RegExp(`^\\s*${text}\\s*$`) });

/** Classes and visibility of every pop-up, in build order. */
export const popups = page => page.$$eval('div.bnaz-bwAb', els => els.map(e => ({
  visible: e.style.display !== 'none', label: e.getAttribute('aria-label'),
})));

/** The visible pop-ups' labels, outermost first. */
export async function openPath(page) {
  return (await popups(page)).filter(p => p.visible).map(p => p.label);
}

/** Text of the focused element. */
export const focusedText = page => page.evaluate(() => document.activeElement && document.activeElement.textContent.trim());

/** Texts of the items that have a class (bqAb: hover/focus, brAb: open path). */
export const withClass = (page, cls) =>
  page.$$eval(`.bGaz.${cls}`, els => els.map(e => e.textContent.trim()));

export function screenshotPath(name) {
  fs.mkdirSync(SHOT_DIR, { recursive: true });
  return path.join(SHOT_DIR, name);
}

/**
 * The shipped templates that run.sh published into templates/<name>/, with the menu-wide
 * fields a test needs from the parameter line of each project file.
 */
export function publishedTemplates() {
  const dir = path.join(PAGES_DIR, 'templates');
  if (!fs.existsSync(dir)) return [];
  return fs.readdirSync(dir).sort().map(name => {
    const lines = fs.readFileSync(path.join(dir, name, `${name}.zarvex`), 'latin1').split('\r\n');
    const fields = lines[lines.indexOf('<Applet_Parameters>') + 1].split('#$@');
    return { name, menuName: fields[0], vertical: fields[2] === '1', click: fields[5] === '1' };
  });
}

/** Opens a published template's page (see publishedTemplates). */
export const openTemplate = (browser, server, template, opts = {}) =>
  open(browser, server, `templates/${template.name}`, { file: `${template.name}.html`, menus: [template.menuName], ...opts });
