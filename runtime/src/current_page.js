// The current page: the item whose link leads to the page itself is marked for assistive
// technology (aria-current) and for the stylesheet (a class on its link, another on the
// links of the items above it), and the collapsed list opens with its branch expanded.
import { CURRENT, CURRENT_BRANCH } from './class_names.js';
import { leadsSomewhere } from './items.js';

/**
 * The address of a page as the menu compares it: origin, path and query, without the
 * fragment, and with a last segment of "index.html" (or "index.htm") taken off. The query
 * counts, as sites that serve every page from one script tell their pages apart by it.
 * @param {string} href
 */
export function pageKey(href) {
  const url = new URL(href, document.baseURI);
  return url.origin + url.pathname.replace(/\/index\.html?$/i, '/') + url.search;
}

/**
 * Marks the list's links that lead to this page and their ancestors' links.
 * @param {HTMLElement} list the hidden <ul>, its links still in place
 * @returns {() => void} takes the marks off again
 */
export function markCurrentPage(list) {
  const here = pageKey(location.href);
  /** @type {HTMLAnchorElement[]} */
  const marked = [];
  for (const link of list.querySelectorAll('a')) {
    // a link to a place within the page ("#part") names a section, not a page
    if (!leadsSomewhere(link) || /** @type {string} */ (link.getAttribute('href')).startsWith('#') || link.hasAttribute('aria-current') || pageKey(link.href) != here) continue;
    link.setAttribute('aria-current', 'page');
    link.classList.add(CURRENT);
    marked.push(link);
    for (let entry = link.parentElement?.parentElement?.closest('li'); entry && list.contains(entry); entry = entry.parentElement?.closest('li')) {
      const above = /** @type {HTMLAnchorElement | null} */ (entry.querySelector(':scope>a'));
      // an ancestor of two marked links is listed twice; taking the marks off twice is harmless
      if (above) {
        above.classList.add(CURRENT_BRANCH);
        marked.push(above);
      }
    }
  }
  return () => {
    for (const link of marked) {
      if (link.classList.contains(CURRENT)) link.removeAttribute('aria-current');
      link.classList.remove(CURRENT, CURRENT_BRANCH);
      if (!link.classList.length) link.removeAttribute('class');
    }
  };
}
