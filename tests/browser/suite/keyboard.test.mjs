// The keyboard per the menubar pattern of the WAI-ARIA Authoring Practices: arrows,
// Home/End, Enter/Space, Escape, type-ahead, Tab, roving tabindex and the focus ring.
import { test, describe, before, after } from 'node:test';
import assert from 'node:assert/strict';
import * as H from '../lib/harness.mjs';

let server, browser;
before(async () => { server = await H.startServer(); browser = await H.launch() });
after(async () => { await browser?.close(); await server?.close() });

// Presses keys in turn and returns the focused text and open path after each.
async function walk(page, keys) {
  const out = [];
  for (const k of keys) {
    await page.keyboard.press(k);
    out.push(`${k}>${await H.focusedText(page)}[${(await H.openPath(page)).join('/')}]`);
  }
  return out;
}

// Opens a design with a button after the menu, and tabs into the menubar.
async function tabIn(t, design, opts) {
  const r = await H.openFor(t, browser, server, design, opts);
  await r.page.evaluate(() => {
    const b = document.createElement('button');
    b.textContent = 'After';
    document.body.append(b);
  });
  await r.page.keyboard.press('Tab');
  return r;
}

describe('horizontal menubar', () => {
  test('Tab enters at one item; Left/Right move with wrap past separators; Home/End', async t => {
    const { page, problems } = await tabIn(t, 'default');
    assert.equal(await H.focusedText(page), 'Home');
    assert.deepEqual(await walk(page, ['ArrowRight', 'ArrowRight', 'ArrowRight', 'ArrowRight', 'ArrowLeft', 'End', 'Home']), [
      'ArrowRight>Products[]', 'ArrowRight>Services[]', 'ArrowRight>Contact[]', 'ArrowRight>Home[]', 'ArrowLeft>Contact[]',
      'End>Contact[]', 'Home>Home[]']);
    await page.keyboard.press('ArrowRight');
    const tabindex = await page.$$eval('div.bnaz-bpAb a', as => as.map(a => `${a.textContent}:${a.tabIndex}`));
    assert.deepEqual(tabindex, ['Home:-1', 'Products:0', 'Services:-1', 'Contact:-1'], 'roving tabindex');
    // Tab leaves the menu, Shift+Tab comes back to the same item
    await page.keyboard.press('Tab');
    assert.equal(await H.focusedText(page), 'After');
    await page.keyboard.press('Shift+Tab');
    assert.equal(await H.focusedText(page), 'Products');
    assert.deepEqual(problems, []);
  });

  test('Down/Up/Enter/Space open a sub-menu and focus its first or last item', async t => {
    const { page } = await tabIn(t, 'default');
    await page.keyboard.press('ArrowRight');
    assert.deepEqual(await walk(page, ['ArrowDown', 'Escape', 'ArrowUp', 'Escape', 'Enter', 'Escape', ' ']), [
      'ArrowDown>Tools[Products]', 'Escape>Products[]', 'ArrowUp>Coming soon[Products]', 'Escape>Products[]',
      'Enter>Tools[Products]', 'Escape>Products[]', ' >Tools[Products]']);
    assert.equal(await H.barItem(page, 'Products').locator('a').getAttribute('aria-expanded'), 'true');
  });

  test('inside pop-ups: Up/Down wrap past separators, Right/Left go deeper and back, Escape closes one level', async t => {
    const { page } = await tabIn(t, 'default');
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowDown');
    assert.deepEqual(await walk(page, ['ArrowDown', 'ArrowUp', 'ArrowUp', 'ArrowDown', 'ArrowRight', 'ArrowDown', 'End',
      'ArrowDown', 'ArrowLeft', 'ArrowRight', 'Escape', 'Escape']), [
      'ArrowDown>Parts[Products]', 'ArrowUp>Tools[Products]', 'ArrowUp>Coming soon[Products]', 'ArrowDown>Tools[Products]',
      'ArrowRight>Hammer[Products/Tools]', 'ArrowDown>Saw[Products/Tools]', 'End>Wrench[Products/Tools]',
      'ArrowDown>Hammer[Products/Tools]', 'ArrowLeft>Tools[Products]', 'ArrowRight>Hammer[Products/Tools]',
      'Escape>Tools[Products]', 'Escape>Products[]']);
  });

  test('Right on an item without sub-menu and Left at the first level move along the bar', async t => {
    const { page } = await tabIn(t, 'default');
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowDown');
    assert.deepEqual(await walk(page, ['End', 'ArrowRight', 'ArrowLeft', 'ArrowLeft', 'ArrowRight']), [
      'End>Coming soon[Products]', 'ArrowRight>Consulting[Services]', 'ArrowLeft>Tools[Products]', 'ArrowLeft>Home[]',
      'ArrowRight>Products[]']);
    // moving along the bar while a pop-up is open keeps a pop-up open
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowLeft');
    await page.keyboard.press('ArrowLeft');
    assert.deepEqual(await H.openPath(page), []);
  });

  test('Home, End and type-ahead on the bar close a pop-up left open by the pointer', async t => {
    const { page } = await tabIn(t, 'default');
    const expanded = () => page.$$eval('div.bnaz-bpAb a[aria-expanded=true]', as => as.map(a => a.textContent));
    for (const key of ['End', 'Home', 's']) {
      await page.mouse.move(700, 500);
      await H.barItem(page, 'Products').hover();
      assert.deepEqual(await H.openPath(page), ['Products']);
      await page.keyboard.press(key);
      assert.deepEqual([await H.openPath(page), await expanded()], [[], []], key);
    }
  });

  test('type-ahead moves to the next item starting with the typed character', async t => {
    const { page } = await tabIn(t, 'default');
    assert.deepEqual(await walk(page, ['s', 'c', 'x', 'h']), ['s>Services[]', 'c>Contact[]', 'x>Contact[]', 'h>Home[]']);
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowDown');
    assert.deepEqual(await walk(page, ['p', 'c', 'C', 'c']),
      ['p>Parts[Products]', 'c>Catalogue[Products]', 'C>Coming soon[Products]', 'c>Catalogue[Products]']);
  });

  test('focus given by a click moves the tab stop, so Shift+Tab leaves the menubar', async t => {
    const { page } = await tabIn(t, 'default');
    await page.evaluate(() => {
      const b = document.createElement('button');
      b.textContent = 'Before';
      document.body.prepend(b);
    });
    await H.barItem(page, 'Products').click();
    assert.equal(await H.focusedText(page), 'Products');
    await page.keyboard.press('Shift+Tab');
    assert.equal(await H.focusedText(page), 'Before');
    await page.keyboard.press('Tab');
    assert.equal(await H.focusedText(page), 'Products');
  });

  test('Tab inside a pop-up closes the menu and moves on from the menubar', async t => {
    const { page } = await tabIn(t, 'default');
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('Tab');
    assert.equal(await H.focusedText(page), 'After');
    assert.deepEqual(await H.openPath(page), []);
    await page.keyboard.press('Shift+Tab');
    assert.equal(await H.focusedText(page), 'Products');
  });

  test('focus ring on keyboard focus only; focus and hover share the item highlight', async t => {
    const { page } = await tabIn(t, 'default');
    await page.keyboard.press('ArrowRight');
    const ring = await H.barItem(page, 'Products').evaluate(td => [getComputedStyle(td).outlineStyle, getComputedStyle(td).outlineWidth]);
    assert.deepEqual(ring, ['dotted', '2px']);
    assert.deepEqual(await H.withClass(page, 'bqAb'), ['Products']);
    const mouse = await H.openFor(t, browser, server, 'click');
    await H.barItem(mouse.page, 'Products').click();
    const noRing = await H.barItem(mouse.page, 'Products').evaluate(td => getComputedStyle(td).outlineStyle);
    assert.equal(noRing, 'none');
  });
});

describe('choosing by keyboard', () => {
  test('Enter follows a leaf link', async t => {
    const { page } = await tabIn(t, 'default');
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowDown');
    await Promise.all([page.waitForURL(/landing\.html\?saw$/), page.keyboard.press('Enter')]);
  });

  test('Space follows a leaf link, after blinking', async t => {
    const { page } = await tabIn(t, 'blink');
    await Promise.all([page.waitForURL(/landing\.html\?home$/), page.keyboard.press(' ')]);
  });

  test('Enter follows a parent\'s own link, open or not; Space and Down open its sub-menu', async t => {
    const { page } = await tabIn(t, 'default');
    await page.keyboard.press('s');
    assert.deepEqual(await walk(page, ['ArrowDown', 'Escape', ' ', 'Escape']),
      ['ArrowDown>Consulting[Services]', 'Escape>Services[]', ' >Consulting[Services]', 'Escape>Services[]']);
    await Promise.all([page.waitForURL(/landing\.html\?services$/), page.keyboard.press('Enter')]);
    await page.goBack();
    await page.waitForFunction(() => window.MyMenu1);
    await H.barItem(page, 'Services').hover();
    await H.barItem(page, 'Services').locator('a').focus();
    assert.deepEqual(await H.openPath(page), ['Services']);
    await Promise.all([page.waitForURL(/landing\.html\?services$/), page.keyboard.press('Enter')]);
  });

  test('a sub-menu of separators alone opens nothing and throws nothing', async t => {
    const { page, problems } = await tabIn(t, 'default');
    await page.evaluate(() => {
      MyMenu1.destroy();
      const li = document.createElement('li');
      li.innerHTML = '<a href="javascript:void(0)" target="_self" title="">Empty</a><ul><li></li><li></li></ul>';
      document.getElementById('MyMenu1_ul').append(li);
      window.M = Velmo.construct('MyMenu1_ul', {});
    });
    await page.locator('[role=menubar] a').first().focus();
    await page.keyboard.press('End');
    assert.deepEqual(await walk(page, ['ArrowDown', 'Enter', ' ']), ['ArrowDown>Empty[]', 'Enter>Empty[]', ' >Empty[]']);
    assert.equal(await page.locator('div.bnaz-bwAb').count(), 0);
    assert.equal(await H.barItem(page, 'Empty').locator('a').getAttribute('aria-haspopup'), null);
    assert.deepEqual(problems, []);
  });
});

describe('vertical menubar', () => {
  test('Up/Down move along the bar, Right opens, Left closes back', async t => {
    const { page } = await tabIn(t, 'vertical');
    assert.deepEqual(await walk(page, ['ArrowDown', 'ArrowRight', 'ArrowRight', 'ArrowLeft', 'ArrowLeft', 'ArrowDown',
      'ArrowUp', 'ArrowUp', 'ArrowLeft']), [
      'ArrowDown>Products[]', 'ArrowRight>Tools[Products]', 'ArrowRight>Hammer[Products/Tools]', 'ArrowLeft>Tools[Products]',
      'ArrowLeft>Products[]', 'ArrowDown>Services[]', 'ArrowUp>Products[]', 'ArrowUp>Home[]', 'ArrowLeft>Home[]']);
  });
});

describe('site navigation', () => {
  // the default design with data-velmo-pattern="navigation", a button after it, focus before it
  async function navigation(t) {
    const r = await H.openFor(t, browser, server, 'default');
    await r.page.evaluate(() => {
      MyMenu1.destroy();
      document.getElementById('MyMenu1_ul').setAttribute('data-velmo-pattern', 'navigation');
      window.MyMenu1 = Velmo.construct('MyMenu1_ul', {});
      const b = document.createElement('button');
      b.textContent = 'After';
      document.body.append(b);
    });
    return r;
  }
  const state = page => page.evaluate(() => {
    const e = document.activeElement;
    const open = [...document.querySelectorAll('div.bnaz-bwAb')].filter(p => p.style.display !== 'none').length;
    return `${e.getAttribute('aria-label') || e.textContent.trim()}${e.tagName === 'BUTTON' ? '(toggle)' : ''}:${e.getAttribute('aria-expanded') ?? '-'}:${open}`;
  });
  async function keys(page, list) {
    const out = [];
    for (const k of list) {
      await page.keyboard.press(k);
      out.push(`${k}>${await state(page)}`);
    }
    return out;
  }

  test('links and disclosure buttons, no menu roles; Tab goes through the bar and into an open sub-list', async t => {
    const { page, problems } = await navigation(t);
    const roles = await page.evaluate(() => [...document.querySelectorAll('.velmo-nav [role]')].map(e => e.getAttribute('role')));
    assert.ok(!roles.some(r => /^menu/.test(r)), JSON.stringify(roles));
    assert.equal(await page.locator('nav.velmo-nav').count(), 1);
    assert.deepEqual(await keys(page, ['Tab', 'Tab', 'Enter', 'Tab', 'Tab', 'Shift+Tab', 'Shift+Tab', 'Tab', 'Escape']), [
      'Tab>Home:-:0', 'Tab>Products:false:0', 'Enter>Products:true:1', 'Tab>Tools:false:1', 'Tab>Parts:false:1',
      'Shift+Tab>Tools:false:1', 'Shift+Tab>Products:true:1', 'Tab>Tools:false:1', 'Escape>Products:false:0']);
    // a parent with a link of its own: the link, then its toggle button beside it
    assert.deepEqual(await keys(page, ['Tab', 'Tab', ' ', 'Tab', 'Shift+Tab', 'ArrowDown', 'Escape', 'Tab', 'Tab']), [
      'Tab>Services:-:0', 'Tab>Services(toggle):false:0', ' >Services(toggle):true:1', 'Tab>Consulting:-:1',
      'Shift+Tab>Services(toggle):true:1', 'ArrowDown>Consulting:-:1', 'Escape>Services(toggle):false:0', 'Tab>Contact:-:0', 'Tab>After(toggle):-:0']);
    // arrows along the bar and in a sub-list; a click outside closes
    await page.locator('nav a', { hasText: 'Home' }).focus();
    assert.deepEqual(await keys(page, ['ArrowRight', 'ArrowDown', 'ArrowDown', 'ArrowUp', 'End']), [
      'ArrowRight>Products:false:0', 'ArrowDown>Tools:false:1', 'ArrowDown>Parts:false:1', 'ArrowUp>Tools:false:1', 'End>Coming soon:-:1']);
    await page.mouse.click(700, 500);
    assert.match(await state(page), /:0$/);
    // a mouse click on the toggle keeps open what hovering opened; a tap opens and closes
    await page.locator('button.velmo-disclosure').click();
    assert.match(await state(page), /true:1$/);
    await page.keyboard.press('Escape');
    assert.match(await state(page), /false:0$/);
    assert.deepEqual(problems, []);
  });
});
