// Pages that one publish cannot make, composed from published pages whose files stay as
// zarvex-cli wrote them: two menus on one page, as a web author pastes two published
// snippets into one page, and pages whose hidden lists were spoilt after publishing.
import fs from 'node:fs';
import path from 'node:path';

const read = (dir, rel) => {
  const file = path.join(dir, rel);
  if (!fs.existsSync(file)) throw Error(`${file} is missing: tests/browser/run.sh publishes the designs before the tests`);
  return fs.readFileSync(file, 'latin1');
};

// The text from `start` up to (not including) `end`; both must be there.
function part(text, start, end, what) {
  const a = text.indexOf(start), b = text.indexOf(end, a + 1);
  if (a < 0 || b < 0) throw Error(`${what}: the published page has no ${JSON.stringify(start)} ... ${JSON.stringify(end)}`);
  return text.slice(a, b);
}

/** `first` with the head block and the list of `second` added after its own. */
export function twoMenus(first, second) {
  const head = part(second, '<!-- Zarvex 1.0 -->', '</HEAD>', 'head block');
  const body = part(second, '<!-- Please insert following <ul>', '</BODY>', 'list block');
  return first.replace('</HEAD>', () => head + '</HEAD>').replace('</BODY>', () => body + '</BODY>');
}

// Replaces what `re` matches, which must be there.
function spoil(text, re, by, what) {
  if (!re.test(text)) throw Error(`${what}: the published page does not have the expected list`);
  return text.replace(re, by);
}

/** Pages served beside the published files, by their address under the pages folder. */
export function composedPages(pagesDir) {
  const two = twoMenus(read(pagesDir, 'two/default.html'), read(pagesDir, 'two/second.html'));
  return {
    'two/two.html': two,
    // the list the configuration script names is not on the page
    'default/missing.html': spoil(read(pagesDir, 'default/default.html'), /<ul id="MyMenu1_ul"/, '<ul id="Other_ul"', 'missing'),
    // an element that is no list, and a list whose one item is empty
    'two/malformed.html': spoil(spoil(two,
      /<ul id="MyMenu1_ul" style="display: none;">[^]*?\r\n\t<\/ul>\r\n/, '<div id="MyMenu1_ul" style="display: none;">not a list</div>\r\n', 'malformed'),
      /(<ul id="MyMenu2_ul" style="display: none;">)[^]*?\r\n(\t<\/ul>)/, '$1\r\n\t<li>\r\n\t</li>\r\n$2', 'malformed'),
  };
}
