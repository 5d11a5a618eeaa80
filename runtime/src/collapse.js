// The collapsed mode: when the bar does not fit the width of its container, a toggle
// button takes its place, and opens the items as a list in the page flow whose sub-lists
// open in place, indented by level. The list is built on the first collapse, each
// sub-list on its first opening, from the entries of the hidden list; its links are
// copies of the menu's, so the bar stays as it is for when it fits again.
import { element, isModified, isShown, setShown } from './dom.js';
import { cloneBarCell, firstChild, leadsSomewhere, linkOf, usableSubList } from './items.js';
import { collapseRule, menuName } from './options.js';
import { MIRRORED } from './keyboard.js';

/** @typedef {import('./menu.js').Menu} Menu */

/**
 * @typedef {object} Row an entry of the collapsed list
 * @property {HTMLAnchorElement} link
 * @property {HTMLElement} cell
 * @property {HTMLElement} entry the list's <li>
 * @property {Element} source the hidden list's <li>
 * @property {HTMLElement | null} subList built on first opening
 * @property {Row | null} parent
 * @property {number} depth
 */

const rowOfLink = /** @type {WeakMap<Element, Row>} */ (new WeakMap());
let lists = 0;

export class Collapser {
  /**
   * @param {Menu} menu
   */
  constructor(menu) {
    this.menu = menu;
    this.collapsed = false;
    this.frame = 0;
    /** @type {HTMLElement | null} */
    this.panel = null;
    /** @type {HTMLElement | null} */
    this.toggle = null;
    /** @type {HTMLElement | null} */
    this.list = null;
    this.idPrefix = `${menu.list.id || 'velmo'}-collapsed-${++lists}`;
    this.schedule();
    // the bar's width changes when web fonts arrive
    document.fonts?.ready.then(() => this.schedule());
    document.fonts?.addEventListener('loadingdone', this);
  }

  handleEvent() {
    this.schedule();
  }

  /** Checks the width in the next frame, before it is painted. */
  schedule() {
    if (this.frame || this.menu.destroyed) return;
    this.frame = requestAnimationFrame(() => {
      this.frame = 0;
      this.update();
    });
  }

  /** The last cells of a big bar came in later: the width is known only now. */
  barComplete() {
    this.schedule();
  }

  destroy() {
    cancelAnimationFrame(this.frame);
    document.fonts?.removeEventListener('loadingdone', this);
    this.panel?.remove();
  }

  update() {
    if (this.menu.destroyed) return;
    const collapse = this.shouldCollapse();
    if (collapse != this.collapsed) this.setCollapsed(collapse);
  }

  /** Does the bar need more width than its container gives it (or the list's rule says so)? */
  shouldCollapse() {
    const rule = collapseRule(this.menu.list);
    if (rule == 'off') return false;
    if (typeof rule == 'number') return window.innerWidth < rule;
    const bar = this.menu.bar;
    if (this.collapsed) setShown(bar, true);
    const needed = bar.scrollWidth + bar.offsetWidth - bar.clientWidth;
    const available = this.menu.root.clientWidth;
    if (this.collapsed) setShown(bar, false);
    return needed > available;
  }

  /** @param {boolean} collapse */
  setCollapsed(collapse) {
    const menu = this.menu, focusInside = menu.root.contains(document.activeElement);
    this.collapsed = collapse;
    menu.close();
    if (collapse) this.build();
    else this.setOpen(false);
    setShown(menu.bar, !collapse);
    setShown(this.panel, collapse);
    if (!focusInside) return;
    if (collapse) this.toggle?.focus();
    else menu.barLevel.items.find(item => item.link?.tabIndex == 0)?.link?.focus();
  }

  build() {
    if (this.panel) return;
    const menu = this.menu, name = menuName(menu.list);
    const panel = this.panel = element('div', 'bnaz-bpAb velmo-panel', menu.root);
    const toggle = this.toggle = element('button', 'velmo-toggle', panel);
    toggle.setAttribute('type', 'button');
    toggle.setAttribute('aria-label', name);
    toggle.setAttribute('aria-expanded', 'false');
    toggle.setAttribute('aria-controls', this.idPrefix);
    element('span', '', toggle);
    this.list = element('ul', 'velmo-list', panel);
    this.list.id = this.idPrefix;
    setShown(this.list);
  }

  /**
   * The rows of one level, from the hidden list's entries, into `list`.
   * @param {Element} source
   * @param {Row | null} parent
   */
  buildList(source, parent, list = element('ul')) {
    const depth = parent ? parent.depth + 1 : 0;
    let afterSeparator = false;
    for (let entry = source.firstElementChild; entry; entry = entry.nextElementSibling) {
      if (entry.tagName != 'LI') continue;
      const link = linkOf(entry);
      if (!link) {
        afterSeparator = true;
        continue;
      }
      const row = this.buildRow(entry, link, parent, depth);
      if (afterSeparator) row.entry.classList.add('velmo-after-separator');
      afterSeparator = false;
      list.append(row.entry);
    }
    return list;
  }

  /**
   * @param {Element} source
   * @param {HTMLAnchorElement} original
   * @param {Row | null} parent
   * @param {number} depth
   * @returns {Row}
   */
  buildRow(source, original, parent, depth) {
    const entry = element('li'), cell = cloneBarCell(), link = /** @type {HTMLAnchorElement} */ (original.cloneNode(true));
    entry.style.setProperty('--velmo-level', String(depth));
    element('tr', '', element('tbody', '', element('table', '', entry, 'none'))).append(cell);
    for (const name of ['role', 'tabindex', 'aria-haspopup', 'aria-expanded']) link.removeAttribute(name);
    const icon = original.closest('.bGaz')?.querySelector('img') || firstChild(source, 'IMG');
    const iconCell = /** @type {HTMLElement} */ (cell.querySelector('td'));
    if (icon) iconCell.firstChild?.replaceWith(icon.cloneNode(true));
    /** @type {HTMLElement} */ (iconCell.nextSibling).append(link);
    if (usableSubList(firstChild(source, 'UL'))) link.setAttribute('aria-expanded', 'false');
    /** @type {Row} */
    const row = { link, cell, entry, source, subList: null, parent, depth };
    rowOfLink.set(link, row);
    return row;
  }

  /** @param {boolean} open */
  setOpen(open) {
    if (!this.toggle || !this.list) return;
    if (open && !this.list.firstChild) this.buildList(this.menu.list, null, this.list);
    this.toggle.setAttribute('aria-expanded', String(open));
    setShown(this.list, open);
  }

  /**
   * Opens or closes a row's sub-list.
   * @param {Row} row
   * @param {boolean} open
   */
  setRowOpen(row, open) {
    if (open && !row.subList) {
      const subList = row.subList = this.buildList(/** @type {Element} */ (firstChild(row.source, 'UL')), row);
      subList.id = `${this.idPrefix}-${++lists}`;
      row.link.setAttribute('aria-controls', subList.id);
      row.entry.append(subList);
    }
    row.link.setAttribute('aria-expanded', String(open));
    setShown(row.subList, open);
  }

  /** @param {Row} row */
  isOpen(row) {
    return row.link.getAttribute('aria-expanded') == 'true';
  }

  /** @param {Row} row */
  hasSubList(row) {
    return row.link.hasAttribute('aria-expanded');
  }

  /** The rows that can be seen now, in order. */
  visibleRows() {
    const rows = [];
    for (const link of /** @type {HTMLElement} */ (this.list).querySelectorAll('a')) {
      const row = rowOfLink.get(link);
      if (row && link.getClientRects().length) rows.push(row);
    }
    return rows;
  }

  /**
   * The row of the node, when it lies in the collapsed list.
   * @param {EventTarget | null} node
   */
  rowAt(node) {
    const cell = /** @type {Element | null} */ (node)?.closest?.('.bGaz');
    const link = cell && this.list?.contains(cell) ? cell.querySelector('a') : null;
    return (link && rowOfLink.get(link)) || null;
  }

  /**
   * Pointer and focus events in the panel; true when the event was the panel's. Rows
   * show focus by their ring, and the pointer by the cursor alone.
   * @param {Event} event
   */
  handles(event) {
    const target = /** @type {Node | null} */ (event.target);
    if (!this.panel || !target || !this.panel.contains(target)) return false;
    if (event.type == 'click') this.click(/** @type {MouseEvent} */ (event), this.rowAt(target));
    return true;
  }

  /**
   * The toggle opens and closes the list; a parent opens its sub-list, and a second
   * activation follows its link or, without one, closes it.
   * @param {MouseEvent} event
   * @param {Row | null} row
   */
  click(event, row) {
    if (this.toggle?.contains(/** @type {Node} */ (event.target))) return this.setOpen(!isShown(this.list));
    if (!row || isModified(event)) return;
    if (this.hasSubList(row) && (!this.isOpen(row) || !leadsSomewhere(row.link))) {
      event.preventDefault();
      this.setRowOpen(row, !this.isOpen(row));
    } else if (!leadsSomewhere(row.link)) event.preventDefault();
    else if (!row.link.contains(/** @type {Node} */ (event.target))) {
      // beside the text: the link, as if it had been clicked
      event.preventDefault();
      row.link.click();
    }
  }

  /**
   * The keys of the toggle and the list; true when the key was theirs.
   * @param {KeyboardEvent} event
   */
  handleKey(event) {
    const target = /** @type {Node} */ (event.target);
    if (!this.panel?.contains(target)) return false;
    const key = this.menu.rightToLeft ? MIRRORED[event.key] || event.key : event.key;
    if (this.toggle?.contains(target)) {
      if (key == 'Escape' && isShown(this.list)) this.setOpen(false);
      else if (key == 'ArrowDown' && isShown(this.list)) this.visibleRows()[0]?.link.focus();
      else return true;
      event.preventDefault();
      return true;
    }
    const row = this.rowAt(target);
    if (row && this.rowKey(row, key)) event.preventDefault();
    return true;
  }

  /**
   * @param {Row} row
   * @param {string} key
   * @returns {boolean} whether the key was used
   */
  rowKey(row, key) {
    const rows = this.visibleRows(), index = rows.indexOf(row);
    /** @param {Row | undefined} target */
    const focus = target => target?.link.focus();
    if (key == 'ArrowDown') focus(rows[(index + 1) % rows.length]);
    else if (key == 'ArrowUp') focus(rows[(index - 1 + rows.length) % rows.length]);
    else if (key == 'ArrowRight' && this.hasSubList(row)) {
      if (this.isOpen(row)) focus(this.visibleRows()[index + 1]);
      else this.setRowOpen(row, true);
    } else if (key == 'ArrowLeft') {
      if (this.hasSubList(row) && this.isOpen(row)) this.setRowOpen(row, false);
      else if (row.parent) {
        this.setRowOpen(row.parent, false);
        focus(row.parent);
      }
    } else if ((key == 'Enter' || key == ' ') && this.hasSubList(row) && (!this.isOpen(row) || !leadsSomewhere(row.link)))
      this.setRowOpen(row, !this.isOpen(row));
    else if (key == ' ') row.link.click();
    else if (key == 'Escape') {
      this.setOpen(false);
      this.toggle?.focus();
    } else return false;
    return true;
  }
}
