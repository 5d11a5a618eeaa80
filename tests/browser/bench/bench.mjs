// Size and speed figures of velmo.js; run by hand: node bench/bench.mjs
// Budgets: velmo.js at most 7 KB gzipped; construct() of a 1,000-item menu at most
// 10 ms and of a 10,000-item menu at most 50 ms in headless Chromium.
//
// The menus are project files written here and published with zarvex-cli from the
// program folder (ZARVEX_APP_DIR, default <repository>/build/app) into out/bench/, so
// the figures are those of the pages and the runtime that the tool ships.
// construct() builds the bar's first 500 items; a bigger bar gets the rest in later
// tasks, so the bench also reports when the whole bar is built and drawn, and the
// longest frame on the way (the style and layout of a big bar cost more than building it).
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import os from 'node:os';
import { execFileSync } from 'node:child_process';
import * as H from '../lib/harness.mjs';
import { item, projectFile } from '../designs/project_file.mjs';

const RUNS = 9;
const KB = 1024;
const APP = path.resolve(process.env.ZARVEX_APP_DIR || path.join(H.SUITE_DIR, '../../build/app'));
const CLI = path.join(APP, 'zarvex-cli');
const OUT = path.join(H.SUITE_DIR, 'out', 'bench');
if (!fs.existsSync(CLI)) {
  console.error(`bench: ${CLI} is missing; build zarvex-cli and zarvex_app_data, or set ZARVEX_APP_DIR`);
  process.exit(1);
}

// Trees of n items: 'flat' puts all of them in the bar (the worst case for construct,
// which builds only the bar); 'tree' nests them ten to a level.
function tree(n, shape) {
  let made = 0;
  const leaf = () => item(`Item ${++made}`, { link: `landing.html?i${made}` });
  if (shape === 'flat') return Array.from({ length: n }, leaf);
  const level = (count, depth) => Array.from({ length: count }, () => {
    if (made >= n) return null;
    const it = leaf();
    if (depth < 3 && made < n) it.kids = level(10, depth + 1).filter(Boolean);
    return it;
  }).filter(Boolean);
  const top = [];
  while (made < n) top.push(...level(10, 1));
  return top;
}

fs.rmSync(OUT, { recursive: true, force: true });
fs.mkdirSync(OUT, { recursive: true });
const cases = [], extra = {};
for (const n of [1000, 10000]) for (const shape of ['flat', 'tree']) {
  const name = `${shape}${n}`, project = path.join(OUT, `${name}.zarvex`);
  fs.writeFileSync(project, projectFile({}, tree(n, shape)), 'latin1');
  const t0 = performance.now();
  execFileSync(CLI, ['publish', project, '--to', path.join(OUT, name)]);
  const publishMs = performance.now() - t0;
  // the published page, with the menu constructed by the bench instead of on load
  const page = fs.readFileSync(path.join(OUT, name, `${name}.html`), 'latin1');
  const withoutInit = page.replace(/<SCRIPT[^>]*MyMenu1cfg\.js[^>]*><\/SCRIPT>\r\n/, '');
  if (withoutInit === page) throw Error(`${name}.html does not load MyMenu1cfg.js as expected`);
  extra[`${name}/bench.html`] = withoutInit;
  cases.push({ n, shape, name, publishMs });
}

const shipped = fs.readFileSync(path.join(OUT, cases[0].name, 'velmo.js'));
const gz6 = zlib.gzipSync(shipped).length, gz9 = zlib.gzipSync(shipped, { level: 9 }).length;
const same = shipped.equals(fs.readFileSync(path.join(H.RUNTIME_DIR, 'velmo.js')));
console.log(`velmo.js as published: ${shipped.length} bytes, gzipped ${gz6} bytes (level 6) / ${gz9} bytes (level 9); ` +
  `budget ${7 * KB}: ${Math.max(gz6, gz9) <= 7 * KB ? 'ok' : 'OVER'}${same ? '' : ' (differs from runtime/velmo.js: rebuild zarvex_app_data)'}`);

const server = await H.startServer([OUT], extra);
const browser = await H.launch();
const median = a => [...a].sort((x, y) => x - y)[a.length >> 1];
const ms = x => `${x.toFixed(1)} ms`;
console.log(`load average ${os.loadavg().map(x => x.toFixed(2)).join(' ')} on ${os.cpus().length} cores ` +
  '(other work on the machine inflates wall times; "best" is the least disturbed run)');
try {
  for (const c of cases) {
    const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
    const p = await context.newPage();
    await p.goto(server.url(`${c.name}/bench.html`));
    const r = await p.evaluate(async runs => {
      const times = [], whole = [], longest = [], frames = [];
      // frames of 50 ms or more (style and layout of the bar happen in them, not in construct)
      let frame = 0;
      new PerformanceObserver(l => { for (const e of l.getEntries()) frame = Math.max(frame, e.duration) })
        .observe({ type: 'long-animation-frame' });
      const settle = () => new Promise(ok => requestAnimationFrame(() => setTimeout(ok, 50)));
      let m;
      for (let i = 0; i < runs; i++) {
        if (m) m.destroy();
        await settle();
        frame = 0;
        const t0 = performance.now();
        m = Velmo.construct('MyMenu1_ul', { Bxay: 0, bZay: 1, BAay: 1, BKay: 0, BLay: 100, BMay: 0 });
        const t1 = performance.now();
        times.push(t1 - t0);
        // the rest of a big bar is built in later tasks: until then, and the longest of them
        let most = 0;
        const grow = m.grow;
        await new Promise(done => {
          if (!m.nx) return done();
          m.grow = function () {
            const s = performance.now();
            grow.call(this);
            most = Math.max(most, performance.now() - s);
            if (!this.nx) done();
          };
        });
        // and drawn: the frame after the last step has styled and laid out the whole bar
        await new Promise(ok => requestAnimationFrame(() => setTimeout(ok)));
        whole.push(performance.now() - t0);
        longest.push(most);
        await settle();
        frames.push(frame);
      }
      const top = document.querySelectorAll('#MyMenu1_ul > li').length;
      if (m.top.it.length !== top) throw Error(`bar holds ${m.top.it.length} of ${top} items`);
      // first opening of a pop-up (built then) and its placement
      const parent = m.top.it.find(it => it.sub);
      let open = null;
      if (parent) { const t0 = performance.now(); m.open(parent); open = performance.now() - t0 }
      return { times, whole, longest, frames, open, top, rows: parent ? parent.p.it.length : 0, items: document.querySelectorAll('li').length };
    }, RUNS);
    const budget = c.n <= 1000 ? 10 : 50, t = r.times, med = median(t);
    console.log(`${c.shape.padEnd(4)} ${String(r.items).padStart(6)} items (${r.top} in the bar): construct first ${ms(t[0])}, ` +
      `median ${ms(med)}, best ${ms(Math.min(...t))} of ${RUNS} (budget ${budget} ms: ${med <= budget ? 'ok' : 'OVER'}); ` +
      `whole bar built and drawn after ${ms(median(r.whole))}, longest later building task ${ms(median(r.longest))}, ` +
      `longest frame ${median(r.frames) ? ms(median(r.frames)) : 'under 50 ms'} (medians)` +
      (r.open != null ? `; first open of a ${r.rows}-row pop-up ${ms(r.open)}` : '') + `; publish ${ms(c.publishMs)}`);
    await context.close();
  }
} finally {
  await browser.close();
  await server.close();
}
