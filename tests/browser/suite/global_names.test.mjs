// The menu name becomes a global of the visitor's page. The core refuses the names
// the page's window already holds and the words the script language keeps; both
// lists are checked here against the browser and the script engine themselves, so
// that neither can fall behind unnoticed.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import * as H from '../lib/harness.mjs';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../..');
const source = file => fs.readFileSync(path.join(root, 'src/model', file), 'utf8');
const tableNames = [...source('browser_global_names.cpp').matchAll(/^ {4}"([^"]+)",$/gm)].map(m => m[1]);
const reservedWords = (() => {
  const block = /kWords = \{([^}]*)\}/.exec(source('menu_field_checks.cpp'))[1];
  return [...block.matchAll(/"([a-z]+)"/g)].map(m => m[1]);
})();

let browser;
before(async () => { browser = await H.launch() });
after(async () => { await browser?.close() });

test('the table holds every name of the browser\'s window', async () => {
  const page = await browser.newPage();
  try {
    await page.setContent('<!DOCTYPE html><title>globals</title>');
    // As tools/make_browser_globals.mjs collects them.
    const names = await page.evaluate(() => {
      const found = new Set();
      for (let o = window; o; o = Object.getPrototypeOf(o))
        for (const n of Object.getOwnPropertyNames(o))
          if (/^[A-Za-z_$][A-Za-z0-9_$]*$/.test(n)) found.add(n);
      return [...found];
    });
    const table = new Set(tableNames);
    const missing = names.filter(n => !table.has(n)).sort();
    assert.deepEqual(missing, [], 'regenerate the table: node tools/make_browser_globals.mjs');
    for (const n of ['location', 'name', 'status', 'top', 'parent', 'self', 'opener', 'history', 'document', 'alert', 'close', 'open', 'print', 'stop'])
      assert.ok(table.has(n), n);
    assert.deepEqual([...tableNames].sort(), tableNames, 'sorted for the binary search');
  } finally {
    await page.close();
  }
});

test('every reserved word of the check is one the script engine refuses as a name', () => {
  const refused = w => [`var ${w};`, `'use strict'; var ${w};`, `async function* f() { var ${w}; }`].some(code => {
    try { new Function(code); return false } catch { return true }
  });
  assert.ok(reservedWords.length >= 40);
  assert.deepEqual(reservedWords.filter(w => !refused(w)), []);
  // and ordinary names pass, so the test above can fail
  assert.equal(refused('MyMenu1'), false);
});
