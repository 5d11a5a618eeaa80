// Mouse, touch and pen: hover opening, the close delay, moving toward a pop-up,
// click-to-open, choosing items (blinking, links, targets) and two menus on a page.
import { test, describe, before, after } from 'node:test';
import assert from 'node:assert/strict';
import * as H from '../lib/harness.mjs';
import { composedPages } from '../lib/composed_pages.mjs';

let server, browser;
before(async () => { server = await H.startServer(); browser = await H.launch() });
after(async () => { await browser?.close(); await server?.close() });

const center = b => [b.x + b.width / 2, b.y + b.height / 2];

// Milliseconds between the pointer leaving the menu and the first pop-up closing.
async function leaveAndTime(page) {
  await page.evaluate(() => {
    const pop = document.querySelector('div.bnaz-bwAb');
    window.__closed = new Promise(ok => new MutationObserver(() => {
      if (pop.style.display === 'none') ok(performance.now());
    }).observe(pop, { attributes: true, attributeFilter: ['style'] }));
    document.addEventListener('pointermove', () => { window.__left = performance.now() }, { once: true });
  });
  await page.mouse.move(700, 500);
  return page.evaluate(async () => (await window.__closed) - window.__left);
}

describe('hover', () => {
  test('opens on hover; leaving closes after the close delay; coming back keeps it open', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'default');
    await H.barItem(page, 'Products').hover();
    assert.deepEqual(await H.openPath(page), ['Products']);
    await H.popItem(page, 'Tools').hover();
    assert.deepEqual(await H.openPath(page), ['Products', 'Tools']);
    const waited = await leaveAndTime(page);
    assert.ok(waited >= 95, `closed after ${waited} ms, the delay is 100 ms`);
    assert.deepEqual(await H.openPath(page), []);
    assert.deepEqual(await H.withClass(page, 'bqAb'), []);
    assert.deepEqual(await H.withClass(page, 'brAb'), []);

    // a longer delay: leaving and coming back within it keeps the menu open
    await page.evaluate(() => { MyMenu1.destroy(); window.M = Velmo.construct('MyMenu1_ul', { BLay: 800 }) });
    await H.barItem(page, 'Products').hover();
    await page.mouse.move(700, 500);
    await H.popItem(page, 'Catalogue').hover();
    await H.sleep(900);
    assert.deepEqual(await H.openPath(page), ['Products']);
    assert.ok((await leaveAndTime(page)) >= 790);
    assert.deepEqual(problems, []);
  });

  test('an open delay: crossing the bar opens nothing, resting opens; keys and clicks never wait', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'default');
    await page.evaluate(() => {
      MyMenu1.destroy();
      document.getElementById('MyMenu1_ul').setAttribute('data-velmo-open-delay', '300');
      window.MyMenu1 = Velmo.construct('MyMenu1_ul', {});
    });
    const products = await H.barItem(page, 'Products').boundingBox();
    await page.mouse.move(products.x + 5, products.y + 5);
    await page.mouse.move(products.x + 5, products.y + 200, { steps: 5 });
    await H.sleep(400);
    assert.deepEqual(await H.openPath(page), [], 'passing through opens nothing');
    await H.barItem(page, 'Products').hover();
    assert.deepEqual(await H.openPath(page), [], 'not yet');
    await page.waitForFunction(() => document.querySelector('div.bnaz-bwAb')?.style.display === '');
    // once a pop-up is open, moving to a sibling switches at once
    await H.barItem(page, 'Services').hover();
    assert.deepEqual(await H.openPath(page), ['Services']);
    await page.mouse.move(700, 500);
    await page.waitForFunction(() => ![...document.querySelectorAll('div.bnaz-bwAb')].some(p => p.style.display === ''));
    await H.barItem(page, 'Products').click({ position: { x: 3, y: 3 } });
    assert.deepEqual(await H.openPath(page), ['Products'], 'a click opens at once');
    await page.evaluate(() => MyMenu1.close());
    await H.barItem(page, 'Services').locator('a').focus();
    await page.keyboard.press('ArrowDown');
    assert.deepEqual(await H.openPath(page), ['Services'], 'keys open at once');
    assert.deepEqual(problems, []);
  });

  test('Escape closes pop-ups that the pointer opened while the focus is elsewhere', async t => {
    const { page } = await H.openFor(t, browser, server, 'default');
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Tools').hover();
    assert.equal(await page.evaluate(() => document.activeElement === document.body), true);
    await page.keyboard.press('Escape');
    assert.deepEqual(await H.openPath(page), []);
  });

  test('hovering a sibling switches pop-ups; the path closes behind', async t => {
    const { page } = await H.openFor(t, browser, server, 'default');
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Tools').hover();
    await H.barItem(page, 'Services').hover();
    assert.deepEqual(await H.openPath(page), ['Services']);
    await H.barItem(page, 'Home').hover();
    assert.deepEqual(await H.openPath(page), []);
  });

  test('moving diagonally toward an open pop-up across a sibling keeps it open', async t => {
    const { page } = await H.openFor(t, browser, server, 'default');
    await H.barItem(page, 'Products').hover();
    const tools = await H.popItem(page, 'Tools').boundingBox();
    const from = [tools.x + 8, tools.y + tools.height - 3];
    await page.mouse.move(...from, { steps: 3 });
    const sub = await page.locator('div.bnaz-bwAb').nth(1).boundingBox();
    const to = [sub.x + 6, sub.y + sub.height - 6];
    const parts = await H.popItem(page, 'Parts').boundingBox();
    // the straight line from Tools to the sub-menu's lower corner crosses Parts
    const crosses = Array.from({ length: 20 }, (_, i) => [from[0] + (to[0] - from[0]) * i / 19, from[1] + (to[1] - from[1]) * i / 19])
      .some(([x, y]) => x > parts.x && x < parts.x + parts.width && y > parts.y && y < parts.y + parts.height);
    assert.ok(crosses, 'test geometry');
    await page.mouse.move(...to, { steps: 12 });
    assert.deepEqual(await H.openPath(page), ['Products', 'Tools']);
    assert.deepEqual(await H.withClass(page, 'bqAb'), ['Wrench']);

    // resting on a sibling does switch, after a moment
    await H.popItem(page, 'Tools').hover();
    await page.mouse.move(...center(parts), { steps: 4 });
    await page.waitForFunction(() => [...document.querySelectorAll('div.bnaz-bwAb')].some(p => p.style.display !== 'none' && p.getAttribute('aria-label') === 'Parts'));
    assert.deepEqual(await H.openPath(page), ['Products', 'Parts']);
  });
});

describe('click to open', () => {
  test('a click opens and closes; hover switches once open; leaving does not close', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'click');
    await H.barItem(page, 'Products').hover();
    await H.sleep(50);
    assert.deepEqual(await H.openPath(page), []);
    assert.deepEqual(await H.withClass(page, 'bqAb'), ['Products'], 'hover still highlights');
    await H.barItem(page, 'Products').click();
    assert.deepEqual(await H.openPath(page), ['Products']);
    await H.barItem(page, 'Services').hover();
    assert.deepEqual(await H.openPath(page), ['Services']);
    await H.popItem(page, 'Consulting').hover();
    await page.mouse.move(700, 500);
    await H.sleep(250);
    assert.deepEqual(await H.openPath(page), ['Services']);
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Tools').hover();
    assert.deepEqual(await H.openPath(page), ['Products', 'Tools'], 'once open, hover opens deeper levels');
    await H.popItem(page, 'Tools').click();
    assert.deepEqual(await H.openPath(page), ['Products', 'Tools'], 'a click on an open sub-menu parent keeps it');
    await H.barItem(page, 'Products').click();
    assert.deepEqual(await H.openPath(page), [], 'a click on the open bar item closes');
    await H.barItem(page, 'Products').click();
    assert.deepEqual(await H.openPath(page), ['Products']);
    await page.mouse.click(600, 400);
    assert.deepEqual(await H.openPath(page), [], 'a click outside closes');
    assert.deepEqual(problems, []);
  });

  test('a second click on an open parent that has a link follows it', async t => {
    const { page } = await H.openFor(t, browser, server, 'click');
    await H.barItem(page, 'Services').click();
    assert.deepEqual(await H.openPath(page), ['Services']);
    await Promise.all([page.waitForURL(/landing\.html\?services$/), H.barItem(page, 'Services').click()]);
  });
});

describe('choosing an item', () => {
  // Records every change of the hover class of the row, until the page goes away.
  async function recordBlinks(page, row) {
    const seen = [];
    await page.exposeFunction('__blink', on => seen.push(on));
    await row.evaluate(tr => new MutationObserver(() => window.__blink(tr.classList.contains('bqAb')))
      .observe(tr, { attributes: true, attributeFilter: ['class'] }));
    return seen;
  }

  test('blinks the given number of times, then follows the link', async t => {
    const { page } = await H.openFor(t, browser, server, 'blink');
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Tools').hover();
    const row = H.popItem(page, 'Saw');
    await row.hover();
    const seen = await recordBlinks(page, row);
    await Promise.all([page.waitForURL(/landing\.html\?saw$/), row.click()]);
    assert.deepEqual(seen.slice(0, 4), [false, true, false, true], 'blinks off and on');
    assert.equal(seen.filter(on => on).length, 2, 'exactly two blinks');
  });

  test('no blinking when the visitor asks for reduced motion', async t => {
    const { page } = await H.openFor(t, browser, server, 'blink', { reducedMotion: 'reduce' });
    await H.barItem(page, 'Products').hover();
    const row = H.popItem(page, 'Catalogue');
    await row.hover();
    const seen = await recordBlinks(page, row);
    await Promise.all([page.waitForURL(/landing\.html\?catalogue$/), row.click()]);
    assert.equal(seen.filter(on => on).length, 0);
  });

  test('a blinking _blank item opens its page after the blinks', async t => {
    const { page, context } = await H.openFor(t, browser, server, 'blink');
    const before = page.url();
    const [tab] = await Promise.all([context.waitForEvent('page'), H.barItem(page, 'Contact').click()]);
    await tab.waitForLoadState();
    assert.match(tab.url(), /landing\.html\?contact$/);
    assert.equal(page.url(), before);
  });

  test('a click beside the text (icon cell) follows the link too', async t => {
    const { page } = await H.openFor(t, browser, server, 'default');
    await H.barItem(page, 'Products').hover();
    await Promise.all([page.waitForURL(/landing\.html\?catalogue$/), H.popItem(page, 'Catalogue').locator('td.BDaz').click()]);
  });

  test('an item without link does nothing', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'blink');
    const before = page.url();
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Coming soon').click();
    await H.sleep(500);
    assert.equal(page.url(), before);
    assert.deepEqual(await H.openPath(page), ['Products']);
    assert.deepEqual(problems, []);
  });
});

describe('touch and pen', () => {
  test('first tap opens, second tap on a parent with a link follows it', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'default', { hasTouch: true });
    await H.barItem(page, 'Services').tap();
    await H.sleep(300);
    assert.deepEqual(await H.openPath(page), ['Services'], 'stays open after the tap (no hover-out close)');
    await Promise.all([page.waitForURL(/landing\.html\?services$/), H.barItem(page, 'Services').tap()]);
    assert.deepEqual(problems, []);
  });

  test('a second tap on a parent without link closes it; a tap outside closes; nothing stays highlighted', async t => {
    const { page } = await H.openFor(t, browser, server, 'default', { hasTouch: true });
    await H.barItem(page, 'Products').tap();
    await H.popItem(page, 'Tools').tap();
    await H.sleep(200);
    assert.deepEqual(await H.openPath(page), ['Products', 'Tools']);
    await H.popItem(page, 'Tools').tap();
    assert.deepEqual(await H.openPath(page), ['Products']);
    await page.touchscreen.tap(600, 400);
    assert.deepEqual(await H.openPath(page), []);
    assert.deepEqual(await H.withClass(page, 'bqAb'), []);
    assert.deepEqual(await H.withClass(page, 'brAb'), []);
    await H.barItem(page, 'Products').tap();
    await Promise.all([page.waitForURL(/landing\.html\?catalogue$/), H.popItem(page, 'Catalogue').tap()]);
  });

  test('a pen hovering does not open; a pen press does', async t => {
    const { page } = await H.openFor(t, browser, server, 'default');
    const cdp = await page.context().newCDPSession(page);
    const [x, y] = center(await H.barItem(page, 'Products').boundingBox());
    const pen = (type, extra = {}) => cdp.send('Input.dispatchMouseEvent', { type, x, y, pointerType: 'pen', ...extra });
    await pen('mouseMoved');
    await H.sleep(100);
    assert.deepEqual(await H.openPath(page), []);
    await pen('mousePressed', { button: 'left', clickCount: 1 });
    await pen('mouseReleased', { button: 'left', clickCount: 1 });
    await page.waitForFunction(() => document.querySelector('div.bnaz-bwAb')?.style.display === '');
    assert.deepEqual(await H.openPath(page), ['Products']);
  });
});

describe('two menus on one page', () => {
  test('both are built and work independently', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'two', { menus: ['MyMenu1', 'MyMenu2'] });
    assert.equal(await page.locator('div.bnaz-bpAb').count(), 2);
    await H.barItem(page, 'Products', 0).hover();
    assert.deepEqual(await H.openPath(page), ['Products']);
    await H.barItem(page, 'Sport', 1).hover();
    assert.ok((await H.openPath(page)).includes('Sport'));
    await page.waitForFunction(() => [...document.querySelectorAll('div.bnaz-bwAb')].filter(p => p.style.display !== 'none').length === 1);
    assert.deepEqual(await H.openPath(page), ['Sport'], 'the first menu closed after its delay; the second stays');
    await page.evaluate(() => MyMenu1.close());
    assert.deepEqual(await H.openPath(page), ['Sport']);
    await H.barItem(page, 'Products', 0).click();
    await page.keyboard.press('ArrowDown');
    assert.equal(await H.focusedText(page), 'Tools');
    await page.evaluate(() => MyMenu2.destroy());
    assert.equal(await page.locator('div.bnaz-bpAb').count(), 1);
    assert.deepEqual(await H.openPath(page), ['Products']);
    assert.deepEqual(problems, []);
  });

  test('window.onload chaining runs every handler once, with one or two copies of velmo.js', async t => {
    // the two-menus page with a handler of the page's own set before the menus' scripts
    const src = composedPages(H.PAGES_DIR)['two/two.html'];
    const own = '<SCRIPT>var ownRuns = 0; window.onload = function () { ownRuns++ };</SCRIPT>\r\n';
    const once = src.replace('<!-- Zarvex 1.0 -->', own + '<!-- Zarvex 1.0 -->')
      .replace(/(<SCRIPT[^>]*velmo\.js[^>]*><\/SCRIPT>\r\n)([^]*?)\1/, '$1$2');
    const twice = src.replace('<!-- Zarvex 1.0 -->', own + '<!-- Zarvex 1.0 -->');
    const s = await H.startServer([H.PAGES_DIR], { 'two/once.html': once, 'two/twice.html': twice });
    t.after(() => s.close());
    for (const file of ['once.html', 'twice.html']) {
      const { page, problems } = await H.openFor(t, browser, s, 'two', { file, menus: ['MyMenu1', 'MyMenu2'] });
      const r = await page.evaluate(() => ({ own: ownRuns, bars: document.querySelectorAll('div.bnaz-bpAb').length,
        velmos: document.querySelectorAll('script[src*=velmo]').length }));
      assert.deepEqual(r, { own: 1, bars: 2, velmos: file === 'once.html' ? 1 : 2 });
      assert.deepEqual(problems, []);
    }
  });

  test('menus are built once the page is parsed, whatever holds its load event up or replaces its handler', async t => {
    // an image that arrives 1.5 s late, after a script that counts the bars built while the
    // page is parsed; the page's own handler set before and after the snippet
    const src = composedPages(H.PAGES_DIR)['two/two.html'].replace('</BODY>',
      '<SCRIPT>var barsWhileParsing = document.querySelectorAll("div.bnaz-bpAb").length</SCRIPT><img src="/stall/photo.gif" alt="">\r\n</BODY>');
    const own = '<SCRIPT>var ownRuns = 0; window.onload = function () { ownRuns++ };</SCRIPT>\r\n';
    const head = src.slice(src.indexOf('<!-- BEGIN -->'), src.indexOf('<!-- END -->'));
    const pages = {
      'two/stalled.html': src.replace('<!-- Zarvex 1.0 -->', own + '<!-- Zarvex 1.0 -->'),
      // the scripts at the end of the body
      'two/at_end.html': src.replace(head, '').replace('</BODY>', () => head + own + '</BODY>'),
      // a page that assigns window.onload after the snippet, dropping the menus' handler
      'two/replaced.html': src.replace('</BODY>', () => own + '</BODY>'),
      // the scripts added by a script after the page has loaded
      'two/late.html': src.replace(head, '').replace('</BODY>', () => `${own}<SCRIPT>onload = () => { ownRuns++; ${
        JSON.stringify([...head.matchAll(/src="([^"]+)"/g)].map(m => m[1]))}.reduce((p, s) => p.then(() => new Promise(ok => {
        const e = document.createElement('script'); e.src = s; e.onload = ok; document.head.append(e) })), Promise.resolve()) }</SCRIPT></BODY>`),
    };
    const s = await H.startServer([H.PAGES_DIR], pages);
    t.after(() => s.close());
    const context = await browser.newContext();
    t.after(() => context.close());
    for (const file of Object.keys(pages)) {
      const page = await context.newPage();
      const problems = [];
      page.on('pageerror', e => problems.push(e.message));
      await page.goto(s.url(file), { waitUntil: 'domcontentloaded' });
      const late = file.endsWith('late.html');
      if (!late) assert.deepEqual(await page.evaluate(() => [document.querySelectorAll('div.bnaz-bpAb').length, document.readyState, ownRuns]),
        [2, 'interactive', 0], `${file}: both menus stand before the image arrives`);
      // with the scripts in the head, each bar stands before what follows its list is parsed
      if (!file.includes('end.') && !late) assert.equal(await page.evaluate(() => barsWhileParsing), 2, `${file}: built while parsing`);
      await page.waitForFunction(() => document.readyState === 'complete' && document.querySelectorAll('div.bnaz-bpAb').length === 2);
      await H.sleep(100);
      assert.deepEqual(await page.evaluate(() => [ownRuns, typeof MyMenu1.close, typeof MyMenu2.close, document.querySelectorAll('div.bnaz-bpAb').length]),
        [1, 'function', 'function', 2], `${file}: the page's handler ran once, both handles are the menus`);
      assert.deepEqual(problems, []);
      await page.close();
    }
  });
});
