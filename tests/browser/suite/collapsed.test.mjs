// Narrow screens and right-to-left pages: the toggle button and the collapsible list that
// replace a bar too wide for its container, the list attribute that governs the switch,
// and pop-ups, keys and the list mirrored for dir="rtl".
import { test, describe, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import * as H from '../lib/harness.mjs';

let server, browser;
before(async () => { server = await H.startServer(); browser = await H.launch() });
after(async () => { await browser?.close(); await server?.close() });

const PHONE = { viewport: { width: 320, height: 640 }, hasTouch: true };

/** What the page shows of the menu: bar or toggle, the list's state and its visible rows. */
const shown = page => page.evaluate(() => {
  const visible = e => !!e && e.getClientRects().length > 0;
  const toggle = document.querySelector('.velmo-toggle'), list = toggle && document.getElementById(toggle.getAttribute('aria-controls'));
  return {
    bar: visible(document.querySelector('[role=menubar]')), toggle: visible(toggle) && toggle.getAttribute('aria-expanded'),
    rows: list ? [...list.querySelectorAll('a')].filter(visible).map(a => a.textContent + (a.hasAttribute('aria-expanded') ? `:${a.getAttribute('aria-expanded')}` : '')) : [],
    scroll: document.documentElement.scrollWidth - innerWidth,
  };
});
const row = (page, text) => page.locator('.velmo-list a', { hasText: new RegExp(`^${text}$`) });

/** Destroys the page's menu and builds it again after `change` ran on the page; the width is checked in the next frame. */
const rebuild = (page, change) => page.evaluate(async change => {
  MyMenu1.destroy();
  new Function(change)();
  window.MyMenu1 = Velmo.construct('MyMenu1_ul', {});
  await new Promise(ok => requestAnimationFrame(() => setTimeout(ok)));
}, change);

describe('collapsed mode', () => {
  test('a bar too wide gives way to a toggle that opens the items as a list in the page flow', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'default', PHONE);
    assert.deepEqual(await shown(page), { bar: false, toggle: 'false', rows: [], scroll: 0 });
    const toggle = page.locator('.velmo-toggle');
    assert.equal(await toggle.getAttribute('aria-label'), 'Main menu');
    await toggle.tap();
    assert.deepEqual(await shown(page), { bar: false, toggle: 'true', rows: ['Home', 'Products:false', 'Services:false', 'Contact'], scroll: 0 });
    // in the flow under the toggle, full rows of at least 44 px, in the design's colours
    const boxes = await page.$$eval('.velmo-list td.bGaz', tds => tds.map(td => td.getBoundingClientRect().toJSON()));
    const under = (await toggle.boundingBox()).y + (await toggle.boundingBox()).height;
    assert.ok(boxes.every(b => b.height >= 44 && b.top >= under - 1 && b.right <= 320), JSON.stringify(boxes));
    assert.equal(await page.$eval('.velmo-panel', e => getComputedStyle(e).position), 'static');
    assert.equal(await row(page, 'Home').evaluate(a => getComputedStyle(a).color), 'rgb(0, 0, 0)');
    // a tap opens a parent in place, indented; a second tap closes one without a link
    await row(page, 'Products').tap();
    await row(page, 'Tools').tap();
    assert.deepEqual((await shown(page)).rows, ['Home', 'Products:true', 'Tools:true', 'Hammer', 'Saw', 'Drill', 'Pliers', 'Wrench',
      'Parts:false', 'Catalogue', 'Coming soon', 'Services:false', 'Contact']);
    const left = text => row(page, text).evaluate(a => a.getBoundingClientRect().left);
    // by the same step at every level, so that deep items keep their room on a phone
    const [first, second] = [await left('Tools') - await left('Products'), await left('Hammer') - await left('Tools')];
    assert.ok(first > 0 && Math.abs(second - first) < 1, `indented by level: ${first}, ${second}`);
    assert.equal((await shown(page)).scroll, 0, 'no horizontal scrolling');
    await row(page, 'Tools').tap();
    assert.ok(!(await shown(page)).rows.includes('Hammer'));
    // back to the bar as soon as it fits
    await page.setViewportSize({ width: 800, height: 640 });
    await page.waitForFunction(() => document.querySelector('[role=menubar]').getClientRects().length > 0);
    assert.deepEqual(await shown(page), { bar: true, toggle: false, rows: [], scroll: 0 });
    await page.setViewportSize({ width: 320, height: 640 });
    await page.waitForFunction(() => !document.querySelector('[role=menubar]').getClientRects().length);
    assert.deepEqual(problems, []);
  });

  test('a parent\'s own link: the first tap opens its list, the second follows it', async t => {
    const { page } = await H.openFor(t, browser, server, 'default', PHONE);
    await page.locator('.velmo-toggle').tap();
    await row(page, 'Services').tap();
    assert.ok((await shown(page)).rows.includes('Consulting'));
    await Promise.all([page.waitForURL(/landing\.html\?services$/), row(page, 'Services').tap()]);
  });

  test('keyboard: Tab reaches the toggle; arrows move, Right and Enter open, Left closes, Escape returns', async t => {
    const { page } = await H.openFor(t, browser, server, 'default', { viewport: { width: 320, height: 640 } });
    const focused = () => page.evaluate(() => document.activeElement.getAttribute('aria-label') || document.activeElement.textContent);
    const walk = async keys => {
      const out = [];
      for (const k of keys) {
        await page.keyboard.press(k);
        out.push(`${k}>${await focused()}`);
      }
      return out;
    };
    await page.keyboard.press('Tab');
    assert.equal(await focused(), 'Main menu');
    assert.deepEqual(await walk(['Enter', 'ArrowDown', 'ArrowDown', 'ArrowRight', 'ArrowDown', 'Enter', 'ArrowDown', 'ArrowLeft',
      'ArrowLeft', 'ArrowUp', 'ArrowUp']), ['Enter>Main menu', 'ArrowDown>Home', 'ArrowDown>Products', 'ArrowRight>Products',
      'ArrowDown>Tools', 'Enter>Tools', 'ArrowDown>Hammer', 'ArrowLeft>Tools', 'ArrowLeft>Products', 'ArrowUp>Home',
      'ArrowUp>Contact']);
    assert.deepEqual((await shown(page)).rows, ['Home', 'Products:false', 'Services:false', 'Contact']);
    assert.deepEqual(await walk(['ArrowUp', 'Enter', 'ArrowDown', 'ArrowUp']), ['ArrowUp>Services', 'Enter>Services',
      'ArrowDown>Consulting', 'ArrowUp>Services']);
    // Enter on an open parent follows its own link
    await Promise.all([page.waitForURL(/landing\.html\?services$/), page.keyboard.press('Enter')]);
    await page.goBack();
    await page.waitForFunction(() => window.MyMenu1);
    await page.locator('.velmo-toggle').click();
    await row(page, 'Home').focus();
    await page.keyboard.press('Escape');
    assert.equal(await focused(), 'Main menu');
    assert.equal((await shown(page)).toggle, 'false');
  });

  test('vertical designs collapse too; data-velmo-collapse turns the mode off or fixes the width', async t => {
    const { page } = await H.openFor(t, browser, server, 'vertical', PHONE);
    assert.equal((await shown(page)).bar, true, 'a vertical bar that fits stays');
    await rebuild(page, "document.body.style.width = '60px'");
    assert.equal((await shown(page)).toggle, 'false', 'collapsed in a container narrower than the bar');
    await rebuild(page, "document.getElementById('MyMenu1_ul').setAttribute('data-velmo-collapse', 'off')");
    assert.equal((await shown(page)).bar, true, 'off: the bar at every width');
    await rebuild(page, "document.body.style.width = ''; document.getElementById('MyMenu1_ul').setAttribute('data-velmo-collapse', '600')");
    assert.equal((await shown(page)).toggle, 'false', 'below 600 px');
    await page.setViewportSize({ width: 700, height: 640 });
    await page.waitForFunction(() => document.querySelector('[role=menubar]').getClientRects().length > 0);
  });
});

describe('the current page', () => {
  // the default design, marking the current page, served as the page that Saw leads to
  const marked = () => fs.readFileSync(`${H.PAGES_DIR}/default/default.html`, 'latin1')
    .replace('<ul id="MyMenu1_ul"', '<ul id="MyMenu1_ul" data-velmo-current');
  const marks = page => page.$$eval('a.velmo-current, a.velmo-current-branch', as => as.map(a => `${a.textContent}:${a.className}:${a.getAttribute('aria-current')}`));

  test('is marked on the bar and in pop-ups, and the collapsed list opens at its branch; a link closes the list', async t => {
    const s = await H.startServer([H.PAGES_DIR], { 'default/landing.html': marked(), 'default/': marked() });
    t.after(() => s.close());
    const { page, problems } = await H.openFor(t, browser, s, 'default', { file: 'landing.html?saw#top', viewport: { width: 1280, height: 500 } });
    assert.deepEqual((await marks(page)).sort(), ['Products:velmo-current-branch:null', 'Saw:velmo-current:page', 'Tools:velmo-current-branch:null']);
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Tools').hover();
    await page.screenshot({ path: H.screenshotPath('current-page-bar.png') });
    await page.evaluate(() => MyMenu1.destroy());
    assert.deepEqual(await marks(page), [], 'destroy() takes the marks off');
    // at 375 px: the list opens with the branch of the current page expanded
    await page.setViewportSize({ width: 375, height: 640 });
    await rebuild(page, "document.getElementById('MyMenu1_ul').setAttribute('data-velmo-collapse', '600')");
    await page.locator('.velmo-toggle').click();
    assert.deepEqual((await shown(page)).rows, ['Home', 'Products:true', 'Tools:true', 'Hammer', 'Saw', 'Drill', 'Pliers', 'Wrench',
      'Parts:false', 'Catalogue', 'Coming soon', 'Services:false', 'Contact']);
    assert.equal(await row(page, 'Saw').getAttribute('aria-current'), 'page');
    await page.screenshot({ path: H.screenshotPath('current-page-collapsed-375.png') });
    // following a link within the page closes the list
    await page.evaluate(() => document.querySelector('.velmo-list a[href*=wrench]').setAttribute('href', '#wrench'));
    await row(page, 'Wrench').click();
    assert.equal((await shown(page)).toggle, 'false');
    // "index.html" and the folder are the same page; a query of its own is another
    const other = await H.openFor(t, browser, s, 'default', { file: '' });
    assert.deepEqual(await marks(other.page), []);
    await other.page.evaluate(() => {
      MyMenu1.destroy();
      document.querySelector('#MyMenu1_ul a[href*=bolts]').href = 'index.html#bolts';
      window.MyMenu1 = Velmo.construct('MyMenu1_ul', {});
    });
    assert.deepEqual((await marks(other.page)).sort(), ['Bolts:velmo-current:page', 'Parts:velmo-current-branch:null', 'Products:velmo-current-branch:null']);
    assert.deepEqual(problems, []);
  });

  test('a vertical menu without room beside it for its pop-ups opens them in place', async t => {
    const { page } = await H.openFor(t, browser, server, 'vertical', { viewport: { width: 200, height: 640 } });
    assert.equal((await shown(page)).toggle, 'false');
    await page.locator('.velmo-toggle').click();
    await row(page, 'Products').click();
    assert.ok((await shown(page)).rows.includes('Tools:false'), JSON.stringify(await shown(page)));
  });

  test('printing shows the list of a collapsed menu and hides the toggle; a wide one prints its bar without pop-ups', async t => {
    const { page } = await H.openFor(t, browser, server, 'default', PHONE);
    await page.evaluate(() => dispatchEvent(new Event('beforeprint')));
    await page.emulateMedia({ media: 'print' });
    assert.deepEqual(await shown(page), { bar: false, toggle: false, rows: ['Home', 'Products:false', 'Services:false', 'Contact'], scroll: 0 });
    await page.emulateMedia({ media: 'screen' });
    await page.setViewportSize({ width: 800, height: 640 });
    await page.waitForFunction(() => document.querySelector('[role=menubar]').getClientRects().length > 0);
    await H.barItem(page, 'Products').hover();
    await page.emulateMedia({ media: 'print' });
    assert.equal(await page.locator('div.bnaz-bwAb:visible').count(), 0);
    assert.equal((await shown(page)).bar, true);
  });
});

describe('right to left', () => {
  // the default design on a page with dir="rtl", the bar moved off the left edge
  async function rtlPage(t, opts) {
    const r = await H.openFor(t, browser, server, 'default', opts);
    await rebuild(r.page, "document.documentElement.dir = 'rtl'");
    return r;
  }
  const rect = loc => loc.evaluate(e => e.getBoundingClientRect().toJSON());
  const pops = page => page.$$eval('div.bnaz-bwAb', els => els.filter(e => e.style.display !== 'none').map(e => e.getBoundingClientRect().toJSON()));

  test('pop-ups open leftwards and flip at the left edge; the arrow is mirrored', async t => {
    const { page, problems } = await rtlPage(t, { viewport: { width: 800, height: 600 } });
    const home = await rect(H.barItem(page, 'Home')), products = await rect(H.barItem(page, 'Products'));
    assert.ok(home.left > products.left, 'the bar runs from the right');
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Tools').hover();
    const [p1, p2] = await pops(page);
    assert.ok(Math.abs(p1.right - products.right) <= 1.5, 'right edges aligned');
    assert.ok(p2.right <= p1.left + 1, 'the second level to the left');
    assert.match(await H.popItem(page, 'Tools').locator('td.bfAa div').evaluate(d => getComputedStyle(d).transform), /^matrix\(-0\.7/, 'the arrow points left');
    // no room on the left: the second level flips to the right
    await page.evaluate(() => document.getElementById('MyMenu1_ul').setAttribute('data-velmo-collapse', 'off'));
    await page.addStyleTag({ content: 'div.bnaz-bpAb > table { margin-right: 560px }' });
    await H.barItem(page, 'Home').hover();
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Tools').hover();
    const [q1, q2] = await pops(page);
    assert.ok(q1.left < q2.width && q2.left >= q1.right - 1 && q2.right <= 800, `flipped: ${JSON.stringify([q1, q2])}`);
    assert.deepEqual(problems, []);
  });

  test('Left and Right trade places', async t => {
    const { page } = await rtlPage(t);
    await page.locator('[role=menubar] a').first().focus();
    const out = [];
    for (const k of ['ArrowLeft', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'ArrowRight']) {
      await page.keyboard.press(k);
      out.push(`${k}>${await H.focusedText(page)}[${(await H.openPath(page)).join('/')}]`);
    }
    assert.deepEqual(out, ['ArrowLeft>Products[]', 'ArrowDown>Tools[Products]', 'ArrowLeft>Hammer[Products/Tools]',
      'ArrowRight>Tools[Products]', 'ArrowRight>Home[]']);
  });

  test('the collapsed list is right-aligned', async t => {
    const { page } = await rtlPage(t, PHONE);
    await page.locator('.velmo-toggle').tap();
    const toggle = await page.locator('.velmo-toggle').boundingBox();
    const home = await row(page, 'Home').evaluate(a => { const r = document.createRange(); r.selectNodeContents(a); return r.getBoundingClientRect().toJSON() });
    assert.ok(toggle.x + toggle.width > 300, 'toggle on the right');
    assert.ok(home.right > 250 && home.left > 160, `text on the right: ${JSON.stringify(home)}`);
    assert.equal((await shown(page)).scroll, 0);
  });
});
