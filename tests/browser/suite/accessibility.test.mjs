// axe-core on the page of every shipped template as zarvex-cli publishes it: with the
// menu closed, with a pop-up open, and collapsed at 320 px with the list open; reflow at
// 320 px; a right-to-left page; and screenshots of the collapsed mode at 375 px.
import { test, describe, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import * as H from '../lib/harness.mjs';

const AXE = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
// The published page around the snippet is the code generator's fixed skeleton (no lang
// attribute, no main landmark, no heading), which a web author replaces with the site's
// own page: these rules judge that page, not the menu.
const PAGE_SKELETON_RULES = ['html-has-lang', 'landmark-one-main', 'page-has-heading-one'];
const templates = H.publishedTemplates();

let server, browser;
before(async () => { server = await H.startServer(); browser = await H.launch() });
after(async () => { await browser?.close(); await server?.close() });

/** axe's violations on the page as it is now, one line each. */
async function violations(page) {
  if (!await page.evaluate(() => 'axe' in window)) await page.addScriptTag({ path: AXE });
  return page.evaluate(async rules => {
    const result = await axe.run(document, { rules: Object.fromEntries(rules.map(r => [r, { enabled: false }])) });
    return result.violations.map(v => `${v.id}: ${v.nodes.map(n => n.target.join(' ')).join(', ')}`);
  }, PAGE_SKELETON_RULES);
}

/** Opens the first sub-menu of the bar as a visitor would. */
async function openFirstPopup(page, clickToOpen) {
  // a bar item with a sub-menu carries the caret, in either keyboard pattern
  const parent = page.locator('div.bnaz-bpAb td.bGaz:has(td.velmo-caret)').first();
  await parent.hover();
  if (clickToOpen) await parent.click();
  await page.waitForFunction(() => [...document.querySelectorAll('div.bnaz-bwAb')].some(p => p.style.display !== 'none'));
}

const horizontalScroll = page => page.evaluate(() => document.documentElement.scrollWidth - innerWidth);
const collapsed = page => page.locator('.velmo-toggle').isVisible();

describe('every shipped template', () => {
  test('is published for the suite', () => assert.ok(templates.length > 0, 'no template in data/templates'));

  for (const template of templates) {
    test(`${template.name}: no axe violations closed, with a pop-up open, and at 320 px with the list open`, async t => {
      const wide = await H.openTemplate(browser, server, template, { viewport: { width: 1024, height: 700 } });
      t.after(() => wide.context.close());
      assert.deepEqual(await violations(wide.page), [], 'closed');
      await openFirstPopup(wide.page, template.click);
      assert.deepEqual(await violations(wide.page), [], 'with a pop-up open');

      const narrow = await H.openTemplate(browser, server, template, { viewport: { width: 320, height: 640 }, hasTouch: true });
      t.after(() => narrow.context.close());
      assert.equal(await horizontalScroll(narrow.page), 0, 'no horizontal scrolling at 320 px');
      if (await collapsed(narrow.page)) {
        await narrow.page.locator('.velmo-toggle').tap();
        await narrow.page.locator('.velmo-list a[aria-expanded]').first().tap().catch(() => {});
      } else await openFirstPopup(narrow.page, true);
      assert.equal(await horizontalScroll(narrow.page), 0, 'no horizontal scrolling with the menu open');
      assert.deepEqual(await violations(narrow.page), [], 'at 320 px, open');
      assert.deepEqual([...wide.problems, ...narrow.problems], []);
    });
  }
});

describe('the default design', () => {
  test('reflows at 320 px and passes axe on a right-to-left page, closed, open and collapsed', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'default', { viewport: { width: 800, height: 600 } });
    await page.evaluate(() => {
      MyMenu1.destroy();
      document.documentElement.dir = 'rtl';
      window.MyMenu1 = Velmo.construct('MyMenu1_ul', {});
    });
    assert.deepEqual(await violations(page), []);
    await openFirstPopup(page);
    await H.popItem(page, 'Tools').hover();
    assert.deepEqual(await violations(page), []);
    await page.setViewportSize({ width: 320, height: 600 });
    await page.waitForFunction(() => document.querySelector('.velmo-toggle')?.getClientRects().length);
    await page.locator('.velmo-toggle').click();
    assert.equal(await horizontalScroll(page), 0);
    assert.deepEqual(await violations(page), []);
    assert.deepEqual(problems, []);
  });
});

describe('screenshots', () => {
  test('collapsed mode at 375 px, closed and open: the default design and two templates', async t => {
    const pages = [['default', opts => H.open(browser, server, 'default', opts)],
      ...templates.slice(0, 2).map(tpl => [tpl.name, opts => H.openTemplate(browser, server, tpl, opts)])];
    for (const [name, openPage] of pages) {
      const { page, context } = await openPage({ viewport: { width: 375, height: 500 }, hasTouch: true });
      t.after(() => context.close());
      if (!await collapsed(page)) {
        // the bar fits 375 px: the author's switch width collapses it all the same
        await page.evaluate(() => document.querySelector('ul[style*="display: none"]').setAttribute('data-velmo-collapse', '600'));
        await page.setViewportSize({ width: 376, height: 500 });
        await page.setViewportSize({ width: 375, height: 500 });
        await page.waitForFunction(() => document.querySelector('.velmo-toggle')?.getClientRects().length);
      }
      const closed = H.screenshotPath(`collapsed-375-${name}-closed.png`);
      await page.screenshot({ path: closed });
      await page.locator('.velmo-toggle').tap();
      await page.locator('.velmo-list a[aria-expanded]').first().tap();
      const open = H.screenshotPath(`collapsed-375-${name}-open.png`);
      await page.screenshot({ path: open, fullPage: true });
      assert.ok(fs.statSync(closed).size > 1000 && fs.statSync(open).size > fs.statSync(closed).size, name);
      assert.equal(await horizontalScroll(page), 0, name);
    }
  });
});
