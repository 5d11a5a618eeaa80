// The collapsed mode: when the bar does not fit the width of its container, a toggle
// button takes its place, and opens the items as a list in the page flow whose sub-lists
// open in place, indented by level. The list is built on its first opening, each sub-list
// on its own, from the entries of the hidden list; its links are copies of the menu's, so
// the bar stays as it is for when it fits again.
import { element, isModified, isShown, layoutTable, setShown } from './dom.js';
import { MENU_ATTRIBUTES, leadsSomewhere, makeCell, partsOf } from './items.js';
import { collapseWidth, menuName } from './options.js';
import { CURRENT_BRANCH } from './class_names.js';

/** @typedef {import('./menu.js').Menu} Menu */

/**
 * @typedef {object} Row an entry of the collapsed list
 * @property {HTMLAnchorElement} link_
 * @property {HTMLElement} entry_ the list's <li>
 * @property {HTMLElement | null} sourceList_ the hidden list's <ul> of the row's sub-list
 * @property {HTMLElement | null} subList_ built on first opening
 * @property {Row | null} parent_
 */

/**
 * @typedef {object} Collapser
 * @property {() => void} schedule_ checks the width in the next frame, before it is painted
 * @property {() => void} destroy stops answering the page (the panel goes with the menu's landmark)
 * @property {(event: Event) => boolean} handles_ pointer events in the panel; true when the event was the panel's
 * @property {(event: KeyboardEvent, key: string) => boolean} handleKey_ the keys of the list (`key` as the
 *   reading direction makes it); true when the key was theirs
 */

/** Which row a cell of a collapsed list shows. */
const rowOfCell = /** @type {WeakMap<Element, Row>} */ (new WeakMap());
let lists = 0;

/** @param {Row} row */
const isOpen = row => isShown(row.subList_);
/**
 * Does activating the row open or close its sub-list (rather than follow its link)?
 * @param {Row} row
 */
const togglesSubList = row => !!row.sourceList_ && (!isOpen(row) || !leadsSomewhere(row.link_));

/**
 * The collapsed mode of a menu.
 * @param {Menu} menu
 * @returns {Collapser}
 */
export function collapser(menu) {
  let collapsed = false, frame = 0;
  const name = menuName(menu.list_), id = `velmo-list-${++lists}`;
  /** @type {HTMLElement | null} */
  let panel = null;
  /** @type {HTMLElement} */
  let toggle;
  /** @type {HTMLElement} */
  let list;

  /** Does the bar need more width than its container gives it (or the list's rule says so)? */
  function shouldCollapse() {
    const width = collapseWidth(menu.list_), bar = menu.bar_;
    if (width >= 0) return innerWidth < width;
    setShown(bar, true);
    const needed = bar.scrollWidth + bar.offsetWidth - bar.clientWidth;
    // a vertical bar needs room beside it for its pop-ups (taken as wide as the bar);
    // without it they would cover the items below, so its items open in place instead
    const beside = menu.vertical_ ? innerWidth - bar.getBoundingClientRect().right : Infinity;
    setShown(bar, !collapsed);
    return needed > menu.root_.clientWidth || beside < needed;
  }

  /** Shows the bar or the panel, as the width asks; destroy() cancels a pending call. */
  function update() {
    frame = 0;
    const collapse = shouldCollapse();
    if (collapse == collapsed) return;
    const focusInside = menu.root_.contains(document.activeElement);
    collapsed = collapse;
    menu.close();
    // the list starts closed each time the bar collapses
    build();
    setOpen(false);
    setShown(menu.bar_, !collapse);
    setShown(panel, collapse);
    if (focusInside) (collapse ? toggle : menu.barLevel_.items_.find(item => item.link_?.tabIndex == 0)?.link_)?.focus();
  }

  /** The panel in the bar's place (once): the design's bar box around the toggle and the list. */
  function build() {
    if (panel) return;
    panel = element('div', 'bnaz-bpAb velmo-panel', menu.root_);
    toggle = element('button', 'velmo-toggle', panel);
    /** @type {HTMLButtonElement} */ (toggle).type = 'button';
    toggle.setAttribute('aria-label', name);
    toggle.setAttribute('aria-controls', id);
    element('span', '', toggle);
    list = element('ul', 'velmo-list', panel);
    list.id = id;
  }

  /**
   * The rows of one level, from the hidden list's entries, into `target`.
   * @param {Element} source
   * @param {Row | null} parent
   * @param {HTMLElement} target
   */
  function fill(source, parent, target) {
    let afterSeparator = false;
    for (let entry = source.firstElementChild; entry; entry = entry.nextElementSibling) {
      if (entry.tagName != 'LI') continue;
      const parts = partsOf(entry);
      if (parts.link_) target.append(makeRow(parts, parent, afterSeparator));
      afterSeparator = !parts.link_;
    }
    return target;
  }

  /**
   * A row: the design's bar cell in a table of its own, holding copies of the link and icon.
   * @param {import('./items.js').EntryParts} parts
   * @param {Row | null} parent
   * @param {boolean} afterSeparator
   */
  function makeRow(parts, parent, afterSeparator) {
    const entry = element('li', afterSeparator ? 'velmo-after-separator' : '');
    const link = /** @type {HTMLAnchorElement} */ (parts.link_?.cloneNode(true));
    const icon = /** @type {HTMLImageElement | undefined} */ (parts.icon_?.cloneNode(true));
    for (const attribute of MENU_ATTRIBUTES) link.removeAttribute(attribute);
    const cell = makeCell({ link_: link, icon_: icon, subList_: null }, true, false);
    element('tr', '', layoutTable(entry)).append(cell);
    /** @type {Row} */
    const row = { link_: link, entry_: entry, sourceList_: parts.subList_, subList_: null, parent_: parent };
    rowOfCell.set(cell, row);
    if (parts.subList_) setRowOpen(row, link.classList.contains(CURRENT_BRANCH));
    return entry;
  }

  /**
   * Opens or closes the list (which is built by then).
   * @param {boolean} open
   */
  function setOpen(open) {
    if (open && !list.firstChild) fill(menu.list_, null, list);
    toggle.setAttribute('aria-expanded', '' + open);
    setShown(list, open);
  }

  /**
   * Opens or closes a row's sub-list.
   * @param {Row} row
   * @param {boolean} open
   */
  function setRowOpen(row, open) {
    if (open && !row.subList_)
      row.entry_.append(row.subList_ = fill(/** @type {HTMLElement} */ (row.sourceList_), row, element('ul')));
    row.link_.setAttribute('aria-expanded', '' + open);
    setShown(row.subList_, open);
  }

  /** The rows that can be seen now, in order. */
  function visibleRows() {
    return [...list.querySelectorAll('.bGaz')].filter(cell => cell.getClientRects().length).map(cell => /** @type {Row} */ (rowOfCell.get(cell)));
  }

  /**
   * The row of the node, when it lies in the collapsed list.
   * @param {EventTarget | null} node
   */
  function rowAt(node) {
    const cell = /** @type {Element | null} */ (node)?.closest?.('.bGaz');
    return cell && rowOfCell.get(cell);
  }

  /**
   * The toggle opens and closes the list; a parent opens its sub-list, and a second
   * activation follows its link or, without one, closes it.
   * @param {MouseEvent} event
   */
  function click(event) {
    const target = /** @type {Node} */ (event.target), row = rowAt(target);
    if (toggle.contains(target)) return setOpen(!isShown(list));
    if (!row || isModified(event)) return;
    if (togglesSubList(row)) {
      event.preventDefault();
      setRowOpen(row, !isOpen(row));
    } else if (!leadsSomewhere(row.link_)) event.preventDefault();
    else if (!row.link_.contains(target)) {
      // beside the text: the link, as if it had been clicked
      event.preventDefault();
      row.link_.click();
    } else if (row.link_.target != '_blank') {
      // the list has done its job; a link within the page leaves the page in view
      setOpen(false);
    }
  }

  /**
   * @param {Row} row
   * @param {string} key
   * @returns {boolean} whether the key was used
   */
  function rowKey(row, key) {
    const rows = visibleRows(), index = rows.indexOf(row);
    /** @param {Row | undefined} target */
    const focus = target => target?.link_.focus();
    if (key == 'ArrowDown') focus(rows[(index + 1) % rows.length]);
    else if (key == 'ArrowUp') focus(rows.at(index - 1));
    else if (key == 'ArrowRight' && row.sourceList_) {
      if (isOpen(row)) focus(rows[index + 1]);
      else setRowOpen(row, true);
    } else if (key == 'ArrowLeft') {
      if (isOpen(row)) setRowOpen(row, false);
      else if (row.parent_) {
        setRowOpen(row.parent_, false);
        focus(row.parent_);
      }
    } else if (key == ' ') {
      // as a click on the row (Enter clicks the link by itself)
      row.link_.click();
    } else if (key == 'Escape') {
      setOpen(false);
      toggle.focus();
    } else return false;
    return true;
  }

  function schedule() {
    if (!frame && !menu.destroyed_) frame = requestAnimationFrame(update);
  }

  // a collapsed menu prints its list, built by then
  const beforePrint = () => collapsed && !list.firstChild && fill(menu.list_, null, list);
  addEventListener('beforeprint', beforePrint);
  schedule();
  // The bar's width changes when web fonts arrive. (Asking for document.fonts.ready
  // would cost a style update in every construct().)
  document.fonts.addEventListener('loadingdone', schedule);

  return {
    schedule_: schedule,
    destroy() {
      cancelAnimationFrame(frame);
      document.fonts.removeEventListener('loadingdone', schedule);
      // the panel goes with the menu's landmark, which holds it
      removeEventListener('beforeprint', beforePrint);
    },
    handles_(event) {
      const target = /** @type {Node | null} */ (event.target);
      if (!panel?.contains(target)) return false;
      // rows show focus by their ring, and the pointer by the cursor alone
      if (event.type == 'click') click(/** @type {MouseEvent} */ (event));
      return true;
    },
    handleKey_(event, key) {
      if (!panel?.contains(/** @type {Node} */ (event.target))) return false;
      const row = rowAt(event.target);
      // Down from the toggle of an open list goes to its first row
      const first = !row && key == 'ArrowDown' && isShown(list) && visibleRows()[0];
      if (first) first.link_.focus();
      if (first || (row && rowKey(row, key))) event.preventDefault();
      return true;
    },
  };
}
