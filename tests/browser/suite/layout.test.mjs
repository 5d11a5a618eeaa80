// Where pop-ups go: below or beside their item, flipped to stay in the viewport,
// following resizes and scrolling; and the scrolling of pop-ups taller than the viewport.
import { test, describe, before, after } from 'node:test';
import assert from 'node:assert/strict';
import * as H from '../lib/harness.mjs';

let server, browser;
before(async () => { server = await H.startServer(); browser = await H.launch() });
after(async () => { await browser?.close(); await server?.close() });

const pops = page => page.$$eval('div.bnaz-bwAb', els => els.filter(e => e.style.display !== 'none')
  .map(e => e.getBoundingClientRect().toJSON()));
const rect = (page, loc) => loc.evaluate(e => e.getBoundingClientRect().toJSON());
const near = (a, b, msg) => assert.ok(Math.abs(a - b) <= 1.5, `${msg}: ${a} vs ${b}`);
const inside = (r, vw, vh) => r.left >= 0 && r.top >= 0 && r.right <= vw + 0.5 && r.bottom <= vh + 0.5;

describe('placement', () => {
  test('horizontal bar: first level below the item, deeper levels to the right', async t => {
    const { page } = await H.openFor(t, browser, server, 'default');
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Tools').hover();
    const item = await rect(page, H.barItem(page, 'Products'));
    const tools = await rect(page, H.popItem(page, 'Tools'));
    const [p1, p2] = await pops(page);
    near(p1.left, item.left, 'below, left-aligned');
    near(p1.top, item.bottom, 'below');
    near(p2.left, p1.right, 'beside the first pop-up');
    near(p2.top, tools.top - 1, 'level with its item');
  });

  test('vertical bar: first level to the side', async t => {
    const { page } = await H.openFor(t, browser, server, 'vertical');
    await H.barItem(page, 'Services').hover();
    const item = await rect(page, H.barItem(page, 'Services'));
    const bar = await H.box(page, 'div.bnaz-bpAb');
    const [p1] = await pops(page);
    near(p1.left, bar.x + bar.width, 'right of the bar');
    near(p1.top, item.top - 1, 'level with its item');
  });

  // moves the bar's items 200 px to the right, so that there is room on both sides
  const shift = page => page.addStyleTag({ content: 'div.bnaz-bpAb > table { margin-left: 200px }' });

  test('flips to the left at the right edge and stays in the viewport', async t => {
    const { page } = await H.openFor(t, browser, server, 'default', { viewport: { width: 450, height: 400 } });
    await page.evaluate(() => {
      MyMenu1.destroy();
      document.getElementById('MyMenu1_ul').setAttribute('data-velmo-collapse', 'off');
      window.MyMenu1 = Velmo.construct('MyMenu1_ul', {});
    });
    await shift(page);
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Tools').hover();
    const [p1, p2] = await pops(page);
    assert.ok(p2.right <= p1.left + 1, 'second level left of the first');
    assert.ok(inside(p1, 450, 400) && inside(p2, 450, 400));
    // with room for two levels on the right, the third one flips
    await page.setViewportSize({ width: 560, height: 400 });
    await page.evaluate(() => {
      MyMenu1.destroy();
      const ul = document.createElement('ul');
      ul.innerHTML = '<li title=""><a href="#x" target="_self" title="">Claw hammer, large</a></li>';
      document.querySelector('#MyMenu1_ul a[href*=hammer]').parentNode.append(ul);
      window.M = Velmo.construct('MyMenu1_ul', {});
    });
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Tools').hover();
    await H.popItem(page, 'Hammer').hover();
    const [q1, q2, q3] = await pops(page);
    assert.ok(q2.left >= q1.right - 1, 'second level on the right');
    assert.ok(q3.right <= q2.left + 1, 'third level flipped');
    assert.ok([q1, q2, q3].every(r => inside(r, 560, 400)));
  });

  test('a nested pop-up without room beside its parent opens under its item, never over it', async t => {
    const { page } = await H.openFor(t, browser, server, 'default', { viewport: { width: 375, height: 640 }, hasTouch: true });
    await page.evaluate(() => {
      MyMenu1.destroy();
      for (const a of document.querySelectorAll('#MyMenu1_ul a[href*=saw], #MyMenu1_ul a[href*=catalogue]')) a.textContent += ', the whole range in every size';
      window.M = Velmo.construct('MyMenu1_ul', {});
    });
    await H.barItem(page, 'Products').tap();
    await H.popItem(page, 'Tools').tap();
    const tools = await rect(page, H.popItem(page, 'Tools'));
    const [p1, p2] = await pops(page);
    assert.ok(p1.left < p2.width && 375 - p1.right < p2.width, 'test geometry: no room on either side');
    const covers = p2.left < tools.right && p2.right > tools.left && p2.top < tools.bottom && p2.bottom > tools.top;
    assert.ok(!covers, `${JSON.stringify(p2)} covers Tools at ${JSON.stringify(tools)}`);
    assert.ok(inside(p2, 375, 640));
    // so the second tap lands on Tools itself, which closes its sub-menu
    await H.popItem(page, 'Tools').tap();
    assert.deepEqual(await H.openPath(page), ['Products']);
  });

  test('an element around the menu that clips its content does not clip the pop-ups', async t => {
    const { page } = await H.openFor(t, browser, server, 'default');
    await page.evaluate(() => {
      MyMenu1.destroy();
      const clip = document.createElement('div'), ul = document.getElementById('MyMenu1_ul');
      clip.style.cssText = 'overflow: hidden; height: 40px';
      ul.before(clip);
      clip.append(ul);
      window.MyMenu1 = Velmo.construct('MyMenu1_ul', {});
    });
    await H.barItem(page, 'Products').hover();
    const r = await rect(page, H.popItem(page, 'Catalogue'));
    const hit = await page.evaluate(([x, y]) => document.elementFromPoint(x, y)?.closest('tr.bGaz')?.textContent.trim(), [r.left + r.width / 2, r.top + r.height / 2]);
    assert.equal(hit, 'Catalogue');
  });

  test('opens above the bar when there is no room below', async t => {
    const { page } = await H.openFor(t, browser, server, 'default', { viewport: { width: 800, height: 300 } });
    await page.addStyleTag({ content: 'body { margin-top: 250px }' });
    await H.barItem(page, 'Products').hover();
    const item = await rect(page, H.barItem(page, 'Products'));
    const [p1] = await pops(page);
    near(p1.bottom, item.top, 'above the item');
    assert.ok(inside(p1, 800, 300));
  });

  test('follows its item when the window is resized or the page scrolls', async t => {
    const { page } = await H.openFor(t, browser, server, 'default', { viewport: { width: 800, height: 400 } });
    await page.addStyleTag({ content: 'div.bnaz-bpAb { position: fixed; top: 0; left: 0; right: 0 } body { height: 3000px }' });
    await shift(page);
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Tools').hover();
    await page.evaluate(() => window.scrollTo(0, 500));
    await page.waitForFunction(() => document.querySelector('div.bnaz-bwAb').getBoundingClientRect().top < 100);
    const item = await rect(page, H.barItem(page, 'Products'));
    const [p1, p2] = await pops(page);
    near(p1.top, item.bottom, 'still below the fixed bar');
    assert.ok(p2.top < 100);
    assert.ok(p2.left >= p1.right - 1);
    // the shifted bar would not fit 450 px: keep it a bar
    await page.evaluate(() => document.getElementById('MyMenu1_ul').setAttribute('data-velmo-collapse', 'off'));
    await page.setViewportSize({ width: 450, height: 400 });
    await page.waitForFunction(() => {
      const [a, b] = document.querySelectorAll('div.bnaz-bwAb');
      return b.getBoundingClientRect().right <= a.getBoundingClientRect().left + 1;
    });
    const [r1, r2] = await pops(page);
    assert.ok(inside(r1, 450, 400) && inside(r2, 450, 400));
  });
});

describe('long pop-ups', () => {
  const area = page => page.locator('div.bnaz-bwAb div.bnaz-bsAb').first();
  const scrollTop = page => area(page).evaluate(e => e.scrollTop);
  const buttonClass = (page, which) => page.locator(`div.bnaz-bwAb > div`).nth(which === 'up' ? 0 : 2).getAttribute('class');

  test('fit the viewport and scroll with hover and pressed buttons', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'long', { viewport: { width: 800, height: 500 } });
    await H.barItem(page, 'Archive').hover();
    const [p1] = await pops(page);
    assert.ok(inside(p1, 800, 500), JSON.stringify(p1));
    const shown = await page.$$eval('div.bnaz-bwAb > div', ds => ds.map(d => [d.className, getComputedStyle(d).display, getComputedStyle(d).backgroundImage]));
    assert.deepEqual(shown.map(s => s.slice(0, 2)), [['bnaz-bsAb-btAb', 'block'], ['bnaz-bsAb', 'block'], ['bnaz-bsAb-Boaz', 'block']]);
    assert.match(shown[0][2], /scrollu\.gif/);
    assert.match(shown[2][2], /scrolld\.gif/);
    const sizes = await area(page).evaluate(e => [e.clientHeight, e.scrollHeight]);
    assert.ok(sizes[1] > sizes[0] + 500, 'the rows overflow the scroll area');
    assert.equal(await scrollTop(page), 0);

    const down = page.locator('div.bnaz-bwAb > div.bnaz-bsAb-Boaz');
    await down.hover();
    assert.equal(await buttonClass(page, 'down'), 'bnaz-bsAb-Boaz bnaz-bsAb-Boaz-bqAb');
    assert.match(await down.evaluate(d => getComputedStyle(d).backgroundImage), /scrolldh\.gif/);
    await page.waitForFunction(() => document.querySelector('div.bnaz-bsAb').scrollTop > 30);
    await page.mouse.down();
    assert.equal(await buttonClass(page, 'down'), 'bnaz-bsAb-Boaz bnaz-bsAb-Boaz-buAb');
    assert.match(await down.evaluate(d => getComputedStyle(d).backgroundImage), /scrolldd\.gif/);
    const t0 = await scrollTop(page);
    await page.waitForFunction(t0 => document.querySelector('div.bnaz-bsAb').scrollTop > t0 + 100, t0);
    await page.mouse.up();
    assert.equal(await buttonClass(page, 'down'), 'bnaz-bsAb-Boaz bnaz-bsAb-Boaz-bqAb');
    await H.popItem(page, 'Issue 10').hover().catch(() => {});
    await page.mouse.move(400, 300);
    const up = page.locator('div.bnaz-bwAb > div.bnaz-bsAb-btAb');
    await up.hover();
    assert.equal(await buttonClass(page, 'down'), 'bnaz-bsAb-Boaz');
    assert.equal(await buttonClass(page, 'up'), 'bnaz-bsAb-btAb bnaz-bsAb-btAb-bqAb');
    await page.waitForFunction(() => document.querySelector('div.bnaz-bsAb').scrollTop === 0);
    // the scroll event that dims the button comes in the frame after the last step
    await up.evaluate(d => new Promise(done => requestAnimationFrame(() => requestAnimationFrame(done))));
    assert.equal(await up.evaluate(d => d.style.opacity), '0.35', 'the button dims at the end');
    assert.deepEqual(await H.openPath(page), ['Archive']);
    assert.deepEqual(problems, []);
  });

  test('a dimmed scroll button under the pointer asks for no animation frames', async t => {
    const { page } = await H.openFor(t, browser, server, 'long', { viewport: { width: 800, height: 500 } });
    await H.barItem(page, 'Archive').hover();
    await page.locator('div.bnaz-bwAb > div.bnaz-bsAb-btAb').hover();
    const frames = await page.evaluate(async () => {
      let asked = 0;
      const request = window.requestAnimationFrame;
      window.requestAnimationFrame = step => { asked++; return request.call(window, step) };
      await new Promise(ok => setTimeout(ok, 300));
      window.requestAnimationFrame = request;
      return asked;
    });
    assert.ok(frames <= 1, `${frames} frames asked for in 300 ms`);
    assert.equal(await area(page).evaluate(e => e.scrollTop), 0);
  });

  test('scroll with the wheel without scrolling the page', async t => {
    const { page } = await H.openFor(t, browser, server, 'long', { viewport: { width: 800, height: 500 } });
    await page.addStyleTag({ content: 'body { height: 3000px }' });
    await H.barItem(page, 'Archive').hover();
    await H.popItem(page, 'Issue 03').hover();
    for (let i = 0; i < 10; i++) await page.mouse.wheel(0, 120);
    await page.waitForFunction(() => document.querySelector('div.bnaz-bsAb').scrollTop > 200);
    await page.waitForTimeout(100);
    assert.equal(await page.evaluate(() => window.scrollY), 0);
  });

  test('scroll by touch', async t => {
    const { page } = await H.openFor(t, browser, server, 'long', { viewport: { width: 800, height: 500 }, hasTouch: true });
    await H.barItem(page, 'Archive').tap();
    const b = await area(page).boundingBox();
    const cdp = await page.context().newCDPSession(page);
    const x = b.x + b.width / 2;
    let y = b.y + b.height - 40;
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x, y }] });
    for (let i = 0; i < 20; i++) await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: [{ x, y: y -= 12 }] });
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
    await page.waitForTimeout(100);
    assert.ok((await scrollTop(page)) > 100, 'dragged up by a finger');
    assert.deepEqual(await H.openPath(page), ['Archive'], 'a drag is no tap');
  });

  test('keyboard focus always scrolls into view; sub-menus open beside the scrolled row', async t => {
    const { page } = await H.openFor(t, browser, server, 'long', { viewport: { width: 800, height: 500 } });
    await page.keyboard.press('Tab');
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowUp');
    const visible = async text => {
      const a = await area(page).boundingBox(), r = await H.popItem(page, text).boundingBox();
      return r.y >= a.y - 0.5 && r.y + r.height <= a.y + a.height + 0.5;
    };
    assert.equal(await H.focusedText(page), 'Issue 60');
    assert.ok(await visible('Issue 60'));
    await page.keyboard.press('Home');
    assert.ok(await visible('Issue 01'));
    for (let i = 0; i < 44; i++) await page.keyboard.press('ArrowDown'); // past one separator
    assert.equal(await H.focusedText(page), 'Issue 46');
    assert.ok(await visible('Issue 46'));
    await page.keyboard.press('ArrowRight');
    assert.equal(await H.focusedText(page), 'Summary');
    const row = await H.popItem(page, 'Issue 46').boundingBox();
    const [, p2] = await pops(page);
    near(p2.top, Math.min(row.y - 1, 500 - p2.height), 'level with the scrolled row, inside the viewport');
    assert.ok(p2.bottom > row.y && p2.top < row.y + row.height, 'beside its row');
    await page.keyboard.press('ArrowLeft');
    await page.keyboard.press('End');
    assert.ok(await visible('Issue 60'));
  });
});
