// What construct() builds: the bar, the pop-ups and their markup, roles, tooltips,
// the shadow, the stylesheet's colours, destroy() and bad lists.
import { test, describe, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import * as H from '../lib/harness.mjs';

let server, browser;
before(async () => { server = await H.startServer(); browser = await H.launch() });
after(async () => { await browser?.close(); await server?.close() });

// The list items of a page, read from the hidden list itself.
const listItems = (page, sel) => page.$$eval(`${sel} > li`, lis => lis.map(li => {
  const a = li.querySelector(':scope > a');
  return a ? { text: a.textContent, href: a.getAttribute('href'), target: a.getAttribute('target'), title: a.getAttribute('title') } : 'sep';
}));

describe('the bar', () => {
  test('horizontal bar replaces the hidden list in place, one cell per item', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'default');
    const r = await page.evaluate(() => {
      const ul = document.getElementById('MyMenu1_ul'), nav = ul.previousElementSibling, bar = nav.firstElementChild;
      return { around: `${nav.tagName}.${nav.className}`, barClass: bar.className, ulHidden: getComputedStyle(ul).display,
        bars: document.querySelectorAll('div.bnaz-bpAb').length,
        cells: [...bar.querySelectorAll(':scope > table > tbody > tr > td')].map(td => td.className) };
    });
    assert.equal(r.around, 'NAV.velmo-nav', 'in a navigation landmark of its own');
    assert.equal(r.barClass, 'bnaz-bpAb');
    assert.equal(r.bars, 1);
    assert.equal(r.ulHidden, 'none');
    assert.deepEqual(r.cells, ['bGaz', 'bGaz', 'bGaz', 'BTaz', 'bGaz']);
    const boxes = await Promise.all(['Home', 'Products', 'Services', 'Contact'].map(x => H.barItem(page, x).boundingBox()));
    for (let i = 1; i < boxes.length; i++) {
      assert.equal(Math.round(boxes[i].y), Math.round(boxes[0].y), 'items side by side');
      assert.ok(boxes[i].x > boxes[i - 1].x + boxes[i - 1].width - 1);
    }
    assert.deepEqual(problems, []);
  });

  test('items are the list\'s own links with icon cells; separators hold a div', async t => {
    const { page } = await H.openFor(t, browser, server, 'default');
    const shown = await page.$$eval('div.bnaz-bpAb td.bGaz', tds => tds.map(td => {
      const a = td.querySelector('a');
      return { icon: td.querySelector('td.BDaz > :only-child').tagName, text: a.textContent,
        href: a.getAttribute('href'), target: a.getAttribute('target'), title: a.getAttribute('title') };
    }));
    assert.ok(shown.every(s => s.icon === 'DIV'), 'items without icon keep an empty icon-sized box');
    const sep = await page.$eval('div.bnaz-bpAb td.BTaz', td => td.children.length === 1 && td.firstElementChild.tagName);
    assert.equal(sep, 'DIV');
    // links inherit the menu colours instead of the browser's link colours
    const colours = await page.$eval('div.bnaz-bpAb a', a => [getComputedStyle(a).color, getComputedStyle(a).textDecorationLine]);
    assert.deepEqual(colours, ['rgb(0, 0, 0)', 'none']);
    // the links shown are the list's own elements, which go back into the list on destroy()
    await page.$$eval('div.bnaz-bpAb a', as => { window.__shown = as });
    await page.evaluate(() => MyMenu1.destroy());
    const list = (await listItems(page, '#MyMenu1_ul')).filter(x => x !== 'sep');
    assert.deepEqual(shown.map(({ icon, ...rest }) => rest), list);
    assert.equal(await page.evaluate(() => __shown.every((a, i) => document.querySelectorAll('#MyMenu1_ul > li > a')[i] === a)), true);
  });

  test('vertical bar puts one item per row', async t => {
    const { page } = await H.openFor(t, browser, server, 'vertical');
    const boxes = await Promise.all(['Home', 'Products', 'Services', 'Contact'].map(x => H.barItem(page, x).boundingBox()));
    for (let i = 1; i < boxes.length; i++) {
      assert.equal(Math.round(boxes[i].x), Math.round(boxes[0].x), 'items stacked');
      assert.ok(boxes[i].y >= boxes[i - 1].y + boxes[i - 1].height - 1);
    }
    assert.equal(await page.getAttribute('div.bnaz-bpAb', 'aria-orientation'), 'vertical');
    const bar = await H.box(page, 'div.bnaz-bpAb');
    assert.ok(bar.width < 400, 'a vertical bar is as wide as its items, not the page');
  });
});

describe('a bar of thousands of items', () => {
  // A hidden list of n top-level items (a separator after the tenth) after the page's menu.
  const addList = (page, id, n) => page.evaluate(([id, n]) => {
    const ul = document.createElement('ul');
    ul.id = id;
    ul.style.display = 'none';
    ul.innerHTML = Array.from({ length: n }, (_, i) => `<li title=""><a href="#i${i + 1}" target="_self" title="">Item ${i + 1}</a></li>` +
      (i === 9 ? '<li></li>' : '')).join('');
    document.body.append(ul);
    return ul.outerHTML;
  }, [id, n]);
  const cells = (page, id) => page.evaluate(id => [...document.getElementById(id).previousElementSibling
    .querySelectorAll('[role=menubar] td.bGaz, [role=menubar] td.BTaz')].map(td => td.className === 'BTaz' ? '-' : td.textContent.trim()), id);

  test('is built in steps after construct() returns, complete and in list order', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'vertical');
    await addList(page, 'big_ul', 1234);
    const atReturn = await page.evaluate(() => {
      window.big = Velmo.construct('big_ul', { Bxay: 1 });
      return document.querySelectorAll('nav:has(+ #big_ul) [role=menubar] td.bGaz').length;
    });
    assert.ok(atReturn > 0 && atReturn < 1234, `${atReturn} items built by construct()`);
    await page.waitForFunction(() => !document.querySelector('#big_ul a'), null, { timeout: 10000 });
    const shown = await cells(page, 'big_ul');
    assert.deepEqual(shown, Array.from({ length: 1234 }, (_, i) => `Item ${i + 1}`).toSpliced(10, 0, '-'));
    // the whole bar answers the keyboard
    await page.evaluate(() => document.querySelector('#big_ul').previousElementSibling.querySelector('a').focus());
    await page.keyboard.press('End');
    assert.equal(await H.focusedText(page), 'Item 1234');
    const inView = await page.evaluate(() => {
      const r = document.activeElement.getBoundingClientRect();
      return r.top >= 0 && r.bottom <= innerHeight;
    });
    assert.ok(inView, 'the focused item is scrolled into view');
    await page.keyboard.press('i');
    assert.equal(await H.focusedText(page), 'Item 1');
    assert.deepEqual(problems, []);
  });

  test('destroy() before the last step restores the list and stops the building', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'default');
    const before = await addList(page, 'big_ul', 2000);
    const r = await page.evaluate(async () => {
      const m = Velmo.construct('big_ul', {});
      await new Promise(ok => setTimeout(ok));
      const partly = document.querySelectorAll('nav:has(+ #big_ul) [role=menubar] td.bGaz').length;
      m.destroy();
      await new Promise(ok => setTimeout(ok, 200));
      return { partly, after: document.getElementById('big_ul').outerHTML, bars: document.querySelectorAll('div.bnaz-bpAb').length };
    });
    assert.ok(r.partly > 0 && r.partly < 2000, `${r.partly} items built when destroyed`);
    assert.equal(r.after, before);
    assert.equal(r.bars, 1, 'only the page\'s own menu is left');
    assert.deepEqual(problems, []);
  });
});

describe('globals', () => {
  test('the runtime adds no global but Velmo; the page adds its own', async t => {
    const context = await browser.newContext();
    t.after(() => context.close());
    await context.addInitScript(() => { window.__before = new Set(Object.getOwnPropertyNames(window)) });
    const page = await context.newPage();
    await page.goto(server.url(H.pagePath('default')));
    await page.waitForFunction(() => window.MyMenu1);
    const added = await page.evaluate(() => Object.getOwnPropertyNames(window).filter(n => !__before.has(n) && n !== '__before').sort());
    // the configuration script's own names
    assert.deepEqual(added, ['BeAb', 'MyMenu1', 'Velmo', 'initMyMenu1', 'initMyMenu12']);
  });
});

describe('pop-ups', () => {
  test('are built on first opening only, and once', async t => {
    const { page } = await H.openFor(t, browser, server, 'default');
    assert.equal(await page.locator('div.bnaz-bwAb').count(), 0);
    await H.barItem(page, 'Products').hover();
    assert.equal(await page.locator('div.bnaz-bwAb').count(), 1);
    await H.popItem(page, 'Tools').hover();
    assert.equal(await page.locator('div.bnaz-bwAb').count(), 2);
    await H.barItem(page, 'Home').hover();
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Tools').hover();
    assert.equal(await page.locator('div.bnaz-bwAb').count(), 2);
    assert.deepEqual(await H.openPath(page), ['Products', 'Tools']);
  });

  test('rows have icon, text and arrow cells; the arrow only where a sub-menu is', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'default');
    await H.barItem(page, 'Products').hover();
    const rows = await page.$$eval('div.bnaz-bwAb tr', trs => trs.map(tr => tr.className === 'BTaz'
      ? { sep: tr.querySelector('td > div') !== null }
      : { cells: [...tr.cells].map(c => c.className).join(' '), text: tr.cells[1].textContent,
        icon: tr.cells[0].firstElementChild.tagName,
        arrow: tr.cells[2].firstElementChild && (s => [s.backgroundImage, s.borderTopColor, s.transform])(getComputedStyle(tr.cells[2].firstElementChild)) }));
    assert.deepEqual(rows.map(r => r.sep ? 'sep' : `${r.text}:${r.icon}:${!!r.arrow}`),
      ['Tools:IMG:true', 'sep', 'Parts:DIV:true', 'Catalogue:IMG:false', 'Coming soon:DIV:false']);
    assert.ok(rows.every(r => r.sep !== false), 'separator rows hold a div');
    assert.ok(rows.filter(r => r.cells).every(r => r.cells === 'BDaz BJaz bfAa'));
    // the arrow is drawn in the row's text colour, pointing to the inline end
    assert.deepEqual(rows[0].arrow, ['none', 'rgb(0, 0, 0)', 'matrix(0.707107, 0.707107, -0.707107, 0.707107, 0, 0)']);
    const src = await page.$eval('div.bnaz-bwAb tr.bGaz img', img => img.getAttribute('src'));
    assert.equal(src, 'tool.gif');
    // under the pointer the row and its arrow change as the stylesheet says
    await H.popItem(page, 'Parts').hover();
    const hovered = await page.$eval('div.bnaz-bwAb tr.bqAb', tr => [tr.cells[1].textContent, getComputedStyle(tr).backgroundColor,
      getComputedStyle(tr).color, getComputedStyle(tr.cells[2].firstElementChild).borderTopColor]);
    assert.deepEqual(hovered, ['Parts', 'rgb(49, 106, 197)', 'rgb(255, 255, 255)', 'rgb(255, 255, 255)']);
    // a design that names its own arrow images keeps them, normal and under the pointer
    await page.evaluate(() => {
      MyMenu1.destroy();
      document.getElementById('MyMenu1_ul').setAttribute('data-velmo-arrows', 'images');
      window.MyMenu1 = Velmo.construct('MyMenu1_ul', {});
    });
    await H.barItem(page, 'Products').hover();
    const image = () => H.popItem(page, 'Parts').locator('td.bfAa div').evaluate(d => getComputedStyle(d).backgroundImage);
    assert.match(await image(), /arrowr\.gif/);
    await H.popItem(page, 'Parts').hover();
    assert.match(await image(), /arrowrh\.gif/);
    assert.deepEqual(problems, []);
  });

  test('hover and open-path classes follow the pointer', async t => {
    const { page } = await H.openFor(t, browser, server, 'default');
    await H.barItem(page, 'Products').hover();
    assert.deepEqual(await H.withClass(page, 'bqAb'), ['Products']);
    assert.deepEqual(await H.withClass(page, 'brAb'), ['Products']);
    await H.popItem(page, 'Tools').hover();
    await H.popItem(page, 'Saw').hover();
    assert.deepEqual(await H.withClass(page, 'bqAb'), ['Saw']);
    assert.deepEqual(await H.withClass(page, 'brAb'), ['Products', 'Tools']);
    const bg = await H.barItem(page, 'Products').evaluate(td => getComputedStyle(td).backgroundColor);
    assert.equal(bg, 'rgb(49, 106, 197)', 'the open path keeps the active colours');
  });
});

describe('accessibility tree', () => {
  test('menubar, menus, menu items and separators with expanded state', async t => {
    const { page } = await H.openFor(t, browser, server, 'default');
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Tools').hover();
    const snap = await page.locator('body').ariaSnapshot();
    assert.equal(snap, [
      '- navigation "Main menu":', '  - menubar "Main menu":', '    - menuitem "Home"', '    - menuitem "Products" [expanded]',
      '    - menuitem "Services"', '    - separator', '    - menuitem "Contact"', '  - menu "Products":',
      '    - menuitem "Tools" [expanded]', '    - separator', '    - menuitem "Parts"', '    - menuitem "Catalogue"',
      '    - menuitem "Coming soon"', '  - menu "Tools":', '    - menuitem "Hammer"', '    - menuitem "Saw"', '    - menuitem "Drill"',
      '    - menuitem "Pliers"', '    - menuitem "Wrench"'].join('\n'));
    const attrs = await page.$$eval('div.bnaz-bpAb a', as => as.map(a => [a.textContent, a.getAttribute('aria-haspopup'),
      a.getAttribute('aria-expanded'), a.tabIndex]));
    assert.deepEqual(attrs, [['Home', null, null, 0], ['Products', 'menu', 'true', -1], ['Services', 'menu', 'false', -1],
      ['Contact', null, null, -1]]);
    assert.equal(await page.getAttribute('div.bnaz-bpAb', 'aria-orientation'), 'horizontal');
  });
});

describe('options', () => {
  test('tooltips show the list titles when on and none when off', async t => {
    const on = await H.openFor(t, browser, server, 'default');
    assert.equal(await H.barItem(on.page, 'Home').locator('a').getAttribute('title'), 'Start page');
    await H.barItem(on.page, 'Products').hover();
    assert.equal(await H.popItem(on.page, 'Catalogue').locator('a').getAttribute('title'), 'The whole range');

    const off = await H.openFor(t, browser, server, 'notips');
    await H.barItem(off.page, 'Products').hover();
    const titles = await off.page.$$eval('.bnaz-bpAb [title], .bnaz-bwAb [title]', els => els.length);
    assert.equal(titles, 0);
    await off.page.evaluate(() => MyMenu1.destroy());
    assert.equal(await off.page.getAttribute('#MyMenu1_ul a[href*=home]', 'title'), 'Start page', 'destroy() gives the titles back');
  });

  test('forced colours: hovered, open and focused items keep an outline, arrows take the system colour', async t => {
    const { page } = await H.openFor(t, browser, server, 'default', { forcedColors: 'active' });
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Parts').hover();
    const marks = await page.$$eval('.bGaz.bqAb, .bGaz.brAb', cells => cells.map(c => `${c.textContent.trim()}:${getComputedStyle(c).outlineStyle}`));
    assert.deepEqual(marks, ['Products:solid', 'Parts:solid']);
    const [arrow, text] = await H.popItem(page, 'Tools').evaluate(tr => [getComputedStyle(tr.cells[2].firstElementChild).borderTopColor, getComputedStyle(tr).color]);
    assert.equal(arrow, text);
    const [caret, barText] = await H.barItem(page, 'Products').evaluate(td => {
      const cell = td.querySelector('td.velmo-caret');
      return [getComputedStyle(cell.querySelector('button') || cell, '::after').borderTopColor, getComputedStyle(cell).color];
    });
    assert.equal(caret, barText, 'the bar caret too');
  });

  test('shadow: a soft shadow box behind each open pop-up, none when off', async t => {
    const { page } = await H.openFor(t, browser, server, 'default');
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Tools').hover();
    const shadows = await page.$$eval('div.bnaz-bvAb', els => els.map(s => {
      const cs = getComputedStyle(s);
      return { shown: cs.display !== 'none', z: +cs.zIndex, img: cs.borderImageSource, events: cs.pointerEvents, r: s.getBoundingClientRect().toJSON() };
    }));
    const pops = await page.$$eval('div.bnaz-bwAb', els => els.map(p => ({ z: +getComputedStyle(p).zIndex, r: p.getBoundingClientRect().toJSON() })));
    assert.equal(shadows.length, 2);
    shadows.forEach((s, i) => {
      assert.ok(s.shown);
      assert.ok(s.z < pops[i].z, 'shadow stacks below its pop-up');
      assert.match(s.img, /shadow\.png/);
      assert.equal(s.events, 'none');
      assert.ok(s.r.right > pops[i].r.right && s.r.bottom > pops[i].r.bottom, 'shadow reaches past the lower right edge');
    });
    const loaded = await page.evaluate(async url => (await fetch(url)).headers.get('content-type'), shadows[0].img.slice(5, -2));
    assert.equal(loaded, 'image/png');
    await page.mouse.move(700, 550);
    await page.waitForFunction(() => [...document.querySelectorAll('div.bnaz-bvAb')].every(s => s.style.display === 'none'));

    const off = await H.openFor(t, browser, server, 'noshadow');
    await H.barItem(off.page, 'Products').hover();
    assert.equal(await off.page.locator('div.bnaz-bwAb').count(), 1);
    assert.equal(await off.page.locator('div.bnaz-bvAb').count(), 0);
  });

  test('the design\'s text colour shows in the bar and in pop-ups (quirks-mode page)', async t => {
    const { page } = await H.openFor(t, browser, server, 'noshadow');
    assert.equal(await page.evaluate(() => document.compatMode), 'BackCompat');
    await H.barItem(page, 'Products').hover();
    const colour = loc => loc.locator('a').evaluate(a => getComputedStyle(a).color);
    assert.equal(await colour(H.barItem(page, 'Home')), 'rgb(122, 31, 31)');
    assert.equal(await colour(H.popItem(page, 'Parts')), 'rgb(122, 31, 31)');
    await H.popItem(page, 'Parts').hover();
    assert.equal(await colour(H.popItem(page, 'Parts')), 'rgb(255, 255, 255)', 'hover colour');
    assert.equal(await colour(H.popItem(page, 'Catalogue')), 'rgb(122, 31, 31)');
  });

  test('options as numeric strings, missing keys and out-of-range values', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'default');
    const same = await page.evaluate(() => {
      // named by its title, in a landmark of the page's own, named by aria-label before title
      for (const [id, attrs, around] of [['s_ul', { title: 'Site' }], ['d_ul', {}, 'nav'], ['h_ul', { title: 'T', 'aria-label': 'Shop' }]]) {
        const ul = document.createElement('ul');
        ul.id = id;
        ul.style.display = 'none';
        ul.innerHTML = '<li title="t"><a href="#a" target="_self" title="t">A</a><ul><li title=""><a href="#b" target="_self" title="">B</a></li></ul></li>';
        for (const [name, value] of Object.entries(attrs)) ul.setAttribute(name, value);
        document.body.append(around ? document.createElement(around) : ul);
        if (around) document.body.lastChild.append(ul);
      }
      Velmo.construct('s_ul', { Bxay: '1', bZay: '0', BAay: '0', BKay: '1', BLay: '250', BMay: '3' });
      const d = Velmo.construct('d_ul', {});
      // a close delay past what browser timers hold must not close at once
      Velmo.construct('h_ul', { BLay: '3000000000' });
      const names = ['s_ul', 'd_ul', 'h_ul'].map(id => {
        const around = document.getElementById(id).previousElementSibling;
        return `${around.tagName}:${around.getAttribute('aria-label')}:${around.querySelector('[role=menubar]').getAttribute('aria-label')}`;
      });
      return [Velmo.construct('d_ul') === d, names];
    });
    assert.equal(same[0], true, 'constructing a list twice gives the same menu');
    assert.deepEqual(same[1], ['NAV:Site:Site', 'DIV:null:Main menu', 'NAV:Shop:Shop']);
    const item = id => page.locator(`:has(+ #${id}) td.bGaz`).first();
    const state = id => page.evaluate(id => {
      const bar = document.getElementById(id).previousElementSibling.querySelector('.bnaz-bpAb'), a = bar.querySelector('a');
      const open = [...document.querySelectorAll('div.bnaz-bwAb')].filter(p => p.style.display !== 'none' && p.getAttribute('aria-label') === 'A');
      return [bar.getAttribute('aria-orientation'), a.hasAttribute('title'), open.length, document.querySelectorAll('div.bnaz-bvAb').length];
    }, id);
    // orientation, title, open after hovering, shadows
    await item('s_ul').hover();
    assert.deepEqual(await state('s_ul'), ['vertical', false, 0, 0]);
    await item('s_ul').click();
    assert.deepEqual(await state('s_ul'), ['vertical', false, 1, 0], 'opened by a click, without a shadow');
    await page.evaluate(() => Velmo.construct('s_ul').close());
    await item('d_ul').hover();
    assert.deepEqual(await state('d_ul'), ['horizontal', true, 1, 1]);
    await page.evaluate(() => Velmo.construct('d_ul').close());
    await item('h_ul').hover();
    await page.mouse.move(5, 5);
    await H.sleep(300);
    assert.equal((await state('h_ul'))[2], 1, 'still open');
    assert.deepEqual(problems, []);
  });
});

describe('links', () => {
  test('middle-click opens the item\'s address in a new tab, the page stays', async t => {
    const { page, context } = await H.openFor(t, browser, server, 'default');
    const before = page.url();
    const [tab] = await Promise.all([context.waitForEvent('page'), H.barItem(page, 'Home').locator('a').click({ button: 'middle' })]);
    await tab.waitForLoadState();
    assert.match(tab.url(), /landing\.html\?home$/);
    assert.equal(page.url(), before);
  });

  test('a target="_blank" item opens in a new page', async t => {
    const { page, context } = await H.openFor(t, browser, server, 'default');
    const [tab] = await Promise.all([context.waitForEvent('page'), H.barItem(page, 'Contact').click()]);
    await tab.waitForLoadState();
    assert.match(tab.url(), /landing\.html\?contact$/);
  });
});

describe('destroy', () => {
  test('restores the page as it was and stops listening', async t => {
    // the page as parsed: the menu is built while it is being parsed
    const bare = await browser.newContext({ javaScriptEnabled: false });
    const parsed = await bare.newPage();
    await parsed.goto(server.url(H.pagePath('default')));
    const before = await parsed.evaluate(() => document.documentElement.outerHTML);
    await bare.close();
    const context = await browser.newContext();
    t.after(() => context.close());
    const page = await context.newPage();
    const problems = [];
    page.on('pageerror', e => problems.push(e.message));
    await page.goto(server.url(H.pagePath('default')));
    await page.waitForFunction(() => window.MyMenu1);
    await H.barItem(page, 'Products').hover();
    await H.popItem(page, 'Tools').hover();
    const after = await page.evaluate(() => {
      MyMenu1.destroy();
      return document.documentElement.outerHTML;
    });
    assert.equal(after, before);
    await page.mouse.move(60, 15);
    await page.keyboard.press('Tab');
    await page.setViewportSize({ width: 500, height: 400 });
    assert.equal(await page.locator('[class*=bnaz]').count(), 0);
    // the list can be built again
    await page.evaluate(() => { window.again = Velmo.construct('MyMenu1_ul', { BLay: 100 }) });
    await H.barItem(page, 'Products').hover();
    assert.deepEqual(await H.openPath(page), ['Products']);
    assert.deepEqual(problems, []);
  });

  test('a second destroy(), or one on the handle of a rebuilt menu, leaves the living menus alone', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'two', { menus: ['MyMenu1', 'MyMenu2'] });
    const r = await page.evaluate(() => {
      const old = MyMenu1;
      old.destroy();
      old.destroy();
      const again = Velmo.construct('MyMenu1_ul', {});
      old.destroy();
      const decoration = a => getComputedStyle(a).textDecorationLine;
      return { again: again !== old && document.querySelectorAll('div.bnaz-bpAb td.bGaz').length,
        styled: [...document.querySelectorAll('div.bnaz-bpAb a')].every(a => decoration(a) === 'none') };
    });
    assert.deepEqual(r, { again: 7, styled: true });
    assert.deepEqual(problems, []);
  });
});

describe('bad lists', () => {
  test('a missing list is reported once and the page stays as it was', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'default', { file: 'missing.html' });
    assert.deepEqual(problems.length, 1, problems.join('\n'));
    assert.match(problems[0], /^error: .*MyMenu1_ul.*not found/);
    const r = await page.evaluate(() => {
      const again = Velmo.construct('MyMenu1_ul', { Bxay: 0 });
      let threw = false;
      try { Velmo.construct(); Velmo.construct(null, null); Velmo.construct('Other_ul', 'nonsense') } catch { threw = true }
      return { MyMenu1, again, threw, built: document.querySelectorAll('[class*=bnaz]').length };
    });
    assert.deepEqual(r, { MyMenu1: null, again: null, threw: false, built: 1 });
    assert.equal(problems.filter(p => /MyMenu1_ul/.test(p)).length, 1, 'reported once');
  });

  test('an element that is no list, and a list without items, are reported and left alone', async t => {
    const { page, problems } = await H.openFor(t, browser, server, 'two', { file: 'malformed.html', menus: ['MyMenu1', 'MyMenu2'] });
    assert.equal(problems.length, 2, problems.join('\n'));
    assert.match(problems[0], /MyMenu1_ul.*not a <ul>/);
    assert.match(problems[1], /MyMenu2_ul.*no menu item/);
    const r = await page.evaluate(() => ({ m1: MyMenu1, m2: MyMenu2, built: document.querySelectorAll('[class*=bnaz], style').length }));
    assert.deepEqual(r, { m1: null, m2: null, built: 0 });
  });
});

describe('every page', () => {
  test('loads and runs without console errors', async t => {
    for (const [design, menus] of [['default'], ['vertical'], ['click'], ['notips'], ['noshadow'], ['blink'], ['long'],
      ['two', ['MyMenu1', 'MyMenu2']]]) {
      const { page, problems, context } = await H.open(browser, server, design, { menus: menus || ['MyMenu1'] });
      try {
        for (const [i, m] of (menus || ['MyMenu1']).entries()) {
          assert.equal(await page.evaluate(n => typeof window[n].close, m), 'function', `${design}: ${m} built`);
          const first = page.locator('div.bnaz-bpAb').nth(i).locator('td.bGaz').nth(1);
          await first.click();
          await page.keyboard.press('ArrowDown');
          await page.keyboard.press('Escape');
        }
        await page.mouse.move(790, 590);
        assert.deepEqual(problems, [], design);
      } finally { await context.close() }
    }
  });
});

describe('screenshots', () => {
  test('default design, horizontal and vertical, with pop-ups open', async t => {
    for (const design of ['default', 'vertical']) {
      const { page } = await H.openFor(t, browser, server, design);
      await H.barItem(page, 'Products').hover();
      await H.popItem(page, 'Tools').hover();
      await H.popItem(page, 'Saw').hover();
      const file = H.screenshotPath(`${design === 'default' ? 'default-horizontal' : 'default-vertical'}.png`);
      await page.screenshot({ path: file, clip: { x: 0, y: 0, width: 480, height: 260 } });
      assert.ok(fs.statSync(file).size > 1000);
      // the hovered row is painted in the hover colour
      const b = await H.popItem(page, 'Saw').boundingBox();
      const shot = await page.screenshot({ clip: { x: b.x + b.width - 4, y: b.y + b.height / 2, width: 1, height: 1 } });
      const px = await page.evaluate(async b64 => {
        const img = new Image();
        img.src = `data:image/png;base64,${b64}`;
        await img.decode();
        const c = new OffscreenCanvas(1, 1), g = c.getContext('2d');
        g.drawImage(img, 0, 0);
        return [...g.getImageData(0, 0, 1, 1).data.slice(0, 3)];
      }, shot.toString('base64'));
      assert.deepEqual(px, [0x31, 0x6A, 0xC5]);
    }
  });

  test('every template: arrows reach 3:1 against their row, normal and under the pointer; dark_bar with a pop-up open', async t => {
    for (const template of H.publishedTemplates()) {
      const { page } = await H.openTemplate(browser, server, template, { viewport: { width: 1280, height: 720 } });
      t.after(() => page.context().close());
      const parent = page.locator('div.bnaz-bpAb td.bGaz:has(td.velmo-caret)').first();
      await (template.click ? parent.click() : parent.hover());
      await page.waitForFunction(() => [...document.querySelectorAll('div.bnaz-bwAb')].some(p => p.style.display === ''));
      const ratios = () => page.evaluate(() => {
        const rgb = c => c.match(/[\d.]+/g).map(Number);
        const lum = c => rgb(c).slice(0, 3).map(v => (v /= 255) <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4).reduce((s, v, i) => s + v * [0.2126, 0.7152, 0.0722][i], 0);
        const background = e => { for (; e; e = e.parentElement) { const c = getComputedStyle(e).backgroundColor; if (rgb(c)[3] !== 0) return c } return 'rgb(255, 255, 255)' };
        // pop-up arrows are elements; a bar caret is its cell's or its toggle's ::after
        const arrows = [...document.querySelectorAll('div.bnaz-bwAb:not([style*="none"]) td.bfAa div')].map(d => [d, null])
          .concat([...document.querySelectorAll('div.bnaz-bpAb td.velmo-caret')].map(td => [td.querySelector('button') || td, '::after']));
        return arrows.map(([d, pseudo]) => { const [a, b] = [lum(getComputedStyle(d, pseudo).borderTopColor), lum(background(d))]; return (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05) });
      });
      const normal = await ratios();
      await page.locator('div.bnaz-bwAb:visible tr.bGaz:has(td.bfAa div)').first().hover();
      const hovered = await ratios();
      assert.ok(normal.length > 1 && [...normal, ...hovered].every(r => r >= 3), `${template.name}: ${normal} / ${hovered}`);
      if (template.name === 'dark_bar') await page.screenshot({ path: H.screenshotPath('dark_bar-popup-open.png'), clip: { x: 0, y: 0, width: 640, height: 360 } });
    }
  });

  test('the list shown without scripts: plain nested links in the menu\'s font, replaced without a jump', async t => {
    const folder = path.join(H.PAGES_DIR, 'static');
    fs.mkdirSync(folder, { recursive: true });
    for (const f of ['page.gif', 'tool.gif']) fs.copyFileSync(path.join(H.SUITE_DIR, 'designs', f), path.join(folder, f));
    const project = path.join(folder, 'source.zarvex');
    fs.writeFileSync(project, fs.readFileSync(path.join(H.SUITE_DIR, 'designs', 'default.zarvex'), 'latin1') +
      '<Web_Page>\r\nPattern=navigation\r\nCollapse=fit\r\nCurrentPage=0\r\nWithoutScripts=1\r\nOpenDelay=0\r\n</Web_Page>\r\n', 'latin1');
    execFileSync(path.join(process.env.ZARVEX_APP_DIR || path.join(H.SUITE_DIR, '../../build/app'), 'zarvex-cli'), ['publish', project, '--to', folder, '--name', 'static']);
    const context = await browser.newContext({ javaScriptEnabled: false, viewport: { width: 480, height: 420 } });
    t.after(() => context.close());
    const page = await context.newPage();
    await page.goto(server.url('static/static.html'));
    const links = await page.$$eval('#MyMenu1_ul a', as => as.filter(a => a.getClientRects().length).map(a => a.textContent));
    assert.deepEqual(links.slice(0, 4), ['Home', 'Products', 'Tools', 'Hammer']);
    assert.equal(await page.$eval('#MyMenu1_ul', ul => getComputedStyle(ul).listStyleType), 'none');
    await page.screenshot({ path: H.screenshotPath('without-scripts.png') });
    // with scripts the menu stands in the list's place before the page is first painted
    const { page: live, problems } = await H.openFor(t, browser, server, 'static', { file: 'static.html' });
    assert.deepEqual(await live.evaluate(() => new Promise(ok => {
      let shift = 0;
      new PerformanceObserver(l => { for (const e of l.getEntries()) shift += e.value }).observe({ type: 'layout-shift', buffered: true });
      setTimeout(() => ok([getComputedStyle(document.getElementById('MyMenu1_ul')).display, shift]), 300);
    })), ['none', 0]);
    await live.evaluate(() => MyMenu1.destroy());
    assert.notEqual(await live.$eval('#MyMenu1_ul', ul => getComputedStyle(ul).display), 'none', 'destroy() shows the list again');
    assert.deepEqual(problems, []);
  });
});
