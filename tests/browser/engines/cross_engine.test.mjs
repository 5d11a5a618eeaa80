// The cross-engine part of the browser suite: rendering, pointer, keys (both patterns),
// the collapsed mode, right-to-left pages and axe-core in Firefox and WebKit, on pages
// that zarvex-cli published (the menubar design `default` and the site-navigation
// template `dark_bar`). The full suite runs in Chromium (suite/). An engine that cannot
// start here is skipped with the reason.
import { describe, test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import { startServer } from '../lib/harness.mjs';
import { missing, startEngine } from './engines.mjs';

const AXE = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
// the published pages are fragments without a title or language; the checks are the menu's
const PAGE_SKELETON_RULES = ['html-has-lang', 'landmark-one-main', 'page-has-heading-one'];
const MENUBAR = 'default/default.html', NAVIGATION = 'templates/dark_bar/dark_bar.html';

/** Waits until fn (run in the page) gives a true value. */
async function until(engine, what, fn, ...args) {
  for (let i = 0; i < 100; i++) {
    if (await engine.run(fn, ...args)) return;
    await new Promise(ok => setTimeout(ok, 100));
  }
  assert.fail(`${engine.name}: ${what}`);
}

const popupShown = () => [...document.querySelectorAll('div.bnaz-bwAb')].some(p => p.style.display != 'none' && p.getBoundingClientRect().height > 0);

/** Builds the page's menu again after change (run in the page) altered the list or the page. */
function rebuild(engine, change) {
  return engine.run(`() => {
    const list = document.querySelector('ul[id$=_ul]'), name = list.id.slice(0, -3);
    window[name].destroy();
    (${change})(list);
    window[name] = Velmo.construct(list.id, {});
    return true;
  }`);
}

for (const name of ['firefox', 'webkit']) {
  const why = missing(name);
  describe(`${name}`, { skip: why ? `${name} cannot run here: ${why}` : false }, () => {
    let engine, server;
    before(async () => {
      server = await startServer();
      engine = await startEngine(name);
    });
    after(async () => {
      await engine?.close();
      await server?.close();
    });

    test('builds the bar in both patterns', async () => {
      await engine.goto(server.url(MENUBAR), 1024, 700);
      const menubar = await engine.run(() => {
        const list = document.getElementById('MyMenu1_ul'), bar = document.querySelector('div.bnaz-bpAb');
        return [list.style.display, bar.getAttribute('role'), bar.querySelectorAll('[role=menuitem]').length,
          list.querySelectorAll(':scope > li').length, bar.getBoundingClientRect().height > 0];
      });
      assert.deepEqual(menubar.slice(0, 2), ['none', 'menubar']);
      assert.ok(menubar[2] > 0 && menubar[2] <= menubar[3], `bar items ${menubar[2]} of ${menubar[3]} entries`);
      assert.ok(menubar[4], 'the bar has a height');

      await engine.goto(server.url(NAVIGATION), 1024, 700);
      const navigation = await engine.run(() => [
        !!document.querySelector('nav div.bnaz-bpAb'), document.querySelectorAll('[role=menubar],[role=menuitem]').length,
        // each bar parent's caret is drawn, by its cell or by its toggle button
        (cells => cells.length > 0 && cells.every(cell => cell.getBoundingClientRect().width > 0 &&
          !/^(none|normal)$/.test(getComputedStyle(cell.querySelector('button') || cell, '::after').content)))([...document.querySelectorAll('td.velmo-caret')]),
      ]);
      assert.deepEqual(navigation, [true, 0, true]);
    });

    test('a pointer opens a pop-up', async () => {
      await engine.goto(server.url(MENUBAR), 1024, 700);
      await engine.hover('div.bnaz-bpAb a[aria-haspopup]');
      await until(engine, 'a pop-up opens on hover', popupShown);
      assert.equal(await engine.run(() => document.querySelector('div.bnaz-bpAb a[aria-haspopup]').getAttribute('aria-expanded')), 'true');
    });

    test('keys of the menubar and of site navigation', async () => {
      await engine.goto(server.url(MENUBAR), 1024, 700);
      await engine.run(() => document.querySelector('div.bnaz-bpAb a[aria-haspopup]').focus());
      await engine.key('ArrowDown');
      await until(engine, 'Down opens the pop-up and focuses its first item',
        () => !!document.activeElement.closest('div.bnaz-bwAb'));
      await engine.key('Escape');
      await until(engine, 'Escape closes it and goes back to the bar',
        () => !!document.activeElement.closest('div.bnaz-bpAb') && !document.querySelector('div.bnaz-bwAb:not([style*="none"])'));

      await engine.goto(server.url(NAVIGATION), 1024, 700);
      const disclosure = 'div.bnaz-bpAb [aria-expanded]';
      await engine.run(selector => document.querySelector(selector).focus(), disclosure);
      await engine.key('Enter');
      await until(engine, 'Enter opens the disclosure', selector => document.querySelector(selector).getAttribute('aria-expanded') == 'true', disclosure);
      await engine.key('Tab');
      await until(engine, 'Tab goes into the open sub-list', () => !!document.activeElement.closest('div.bnaz-bwAb'));
      await engine.key('Escape');
      await until(engine, 'Escape closes it and gives the focus back to the disclosure',
        selector => document.activeElement == document.querySelector(selector) && document.activeElement.getAttribute('aria-expanded') == 'false', disclosure);
    });

    test('the collapsed mode', async () => {
      await engine.goto(server.url(MENUBAR), 1024, 700);
      // MiniBrowser's window cannot be made phone-narrow: the list's own rule collapses it
      await rebuild(engine, list => list.setAttribute('data-velmo-collapse', '5000'));
      await until(engine, 'the toggle replaces the bar', () => {
        const toggle = document.querySelector('.velmo-toggle');
        return toggle && toggle.getBoundingClientRect().width > 0 && document.querySelector('div.bnaz-bpAb:not(.velmo-panel)').style.display == 'none';
      });
      await engine.click('.velmo-toggle');
      await until(engine, 'the toggle opens the list', () => document.querySelector('.velmo-list').style.display != 'none' && document.querySelectorAll('.velmo-list > li').length > 0);
    });

    test('right to left: the pop-up lines up with its item\'s right edge', async () => {
      await engine.goto(server.url(MENUBAR), 1024, 700);
      await rebuild(engine, () => { document.body.dir = 'rtl' });
      await engine.hover('div.bnaz-bpAb a[aria-haspopup]');
      await until(engine, 'a pop-up opens on hover', popupShown);
      const [popupRight, itemRight, popupLeft, itemLeft] = await engine.run(() => {
        const popup = [...document.querySelectorAll('div.bnaz-bwAb')].find(p => p.style.display != 'none').getBoundingClientRect();
        const item = document.querySelector('div.bnaz-bpAb a[aria-haspopup]').closest('td.bGaz').getBoundingClientRect();
        return [popup.right, item.right, popup.left, item.left];
      });
      assert.ok(Math.abs(popupRight - itemRight) <= 2, `pop-up right ${popupRight}, item right ${itemRight}`);
      assert.ok(popupLeft < itemLeft + 1, 'it opens towards the left');
    });

    test('axe-core finds nothing in either pattern, closed and open', async () => {
      for (const page of [MENUBAR, NAVIGATION]) {
        await engine.goto(server.url(page), 1024, 700);
        const violations = () => engine.run(`async () => {
          if (!window.axe) (0, eval)(${JSON.stringify(AXE)});
          const rules = ${JSON.stringify(PAGE_SKELETON_RULES)};
          const result = await axe.run(document, { rules: Object.fromEntries(rules.map(r => [r, { enabled: false }])) });
          return result.violations.map(v => v.id + ': ' + v.nodes.map(n => n.target.join(' ')).join(', '));
        }`);
        assert.deepEqual(await violations(), [], `${page} closed`);
        await engine.hover('div.bnaz-bpAb td.bGaz:has(td.velmo-caret) a');
        await until(engine, 'a pop-up opens on hover', popupShown);
        assert.deepEqual(await violations(), [], `${page} open`);
      }
    });
  });
}
