// Items: the entries of the hidden list, each shown as a bar cell or a pop-up row that
// holds the list's own link and icon until the menu is destroyed.
import { element } from './dom.js';
import { CARET, DRAWN_ARROW, TOGGLE } from './class_names.js';

/**
 * @typedef {object} Level the bar, or one pop-up
 * @property {number} depth_ 0 for the bar
 * @property {HTMLElement} box_
 * @property {Item | null} opener_ the item whose sub-menu this is
 * @property {Item[]} items_ separators included
 * @property {number} side_ 1 when it opened to the right of its opener, -1 to the left
 * @property {HTMLElement} [scrollArea_]
 * @property {HTMLElement} [scrollUp_]
 * @property {HTMLElement} [scrollDown_]
 * @property {HTMLElement | null} [shadow_]
 */

/**
 * @typedef {object} Item
 * @property {Level} level_
 * @property {HTMLElement} listItem_ the <li>
 * @property {HTMLAnchorElement | null} link_ null for a separator
 * @property {HTMLImageElement | null | undefined} icon_
 * @property {HTMLElement | null} subList_ the nested <ul>, when it holds at least one link
 * @property {HTMLElement} cell_ the bar cell or pop-up row
 * @property {HTMLButtonElement | null} [toggleButton_] in site navigation, the button beside a
 *   parent's own link that opens and closes its sub-menu
 * @property {Level} [popup_] built on first opening
 * @property {string | null} [savedTitle_] the link's title while tooltips are off
 * @property {(Node | null | undefined)[]} nextSiblings_ where the link and the icon go back to
 */

/** The attributes that the menu gives a link of the list, taken off when it goes back. */
export const MENU_ATTRIBUTES = ['role', 'tabindex', 'aria-haspopup', 'aria-expanded'];

const JAVASCRIPT_VOID = /^javascript:void\(0\);?$/i;

/**
 * Does the link lead somewhere? The snippet writes "javascript:void(0)" for no link.
 * @param {HTMLAnchorElement | null} link typed as items hold it; only an item that has one is asked
 */
export function leadsSomewhere(link) {
  const href = /** @type {HTMLAnchorElement} */ (link).getAttribute('href');
  return href != null && !JAVASCRIPT_VOID.test(href.replace(/\s/g, ''));
}

/** Which item an <li> of the hidden list became. */
export const itemOfListItem = /** @type {WeakMap<Element, Item>} */ (new WeakMap());

/** @param {Item} item */
export const isSelectable = item => !!item.link_;

/**
 * @typedef {object} EntryParts what a list entry shows
 * @property {HTMLAnchorElement | null} link_ null for a separator
 * @property {HTMLImageElement | null | undefined} icon_
 * @property {HTMLElement | null} subList_ the nested <ul>, when it holds at least one link
 */

/**
 * The first link, icon and sub-list of a list entry, in one pass over it.
 * @param {Element} listItem
 * @returns {EntryParts}
 */
function readEntry(listItem) {
  let link = null, icon = null, subList = null;
  for (let child = listItem.firstElementChild; child; child = child.nextElementSibling) {
    const tag = child.tagName;
    if (tag == 'A') link ||= /** @type {HTMLAnchorElement} */ (child);
    else if (tag == 'IMG') icon ||= /** @type {HTMLImageElement} */ (child);
    else if (tag == 'UL') subList ||= child;
  }
  return { link_: link, icon_: icon, subList_: usableSubList(subList) };
}

/**
 * The parts of a list entry, wherever the menu has moved them.
 * @param {Element} listItem
 * @returns {EntryParts}
 */
export const partsOf = listItem => itemOfListItem.get(listItem) || readEntry(listItem);

/**
 * A sub-list counts when one of its entries is an item; one of separators alone opens nothing.
 * @param {Element | null} list
 */
function usableSubList(list) {
  for (let entry = list?.firstElementChild; entry; entry = entry.nextElementSibling)
    if (entry.tagName == 'LI' && entry.querySelector(':scope>a')) return /** @type {HTMLElement} */ (list);
  return null;
}

// Cell templates, cloned per item: a bar cell (icon cell and text cell), a pop-up row and
// their separators.
const bareCell = element('td', 'bGaz');
const cellRow = element('tr', '', element('table', '', bareCell, 'none'));
element('div', '', element('td', 'BDaz', cellRow));
element('td', '', cellRow);
const popupRow = element('tr', 'bGaz');
element('div', '', element('td', 'BDaz', popupRow));
element('td', 'BJaz', popupRow);
element('td', 'bfAa', popupRow);
const popupSeparator = element('tr', 'BTaz', null, 'separator');
/** @type {HTMLTableCellElement} */ (element('td', '', popupSeparator)).colSpan = 3;
element('div', '', /** @type {Element} */ (popupSeparator.firstElementChild));
const barSeparator = element('td', 'BTaz', null, 'separator');
element('div', '', barSeparator);

/**
 * Reads an <li> into an item of `level`; its link becomes a menu item.
 * @param {HTMLElement} listItem
 * @param {Level} level
 * @param {boolean} tooltips
 * @param {boolean} [navigation] site navigation: links stay links, a parent without a link
 *   of its own becomes a disclosure button
 * @returns {Item}
 */
export function readItem(listItem, level, tooltips, navigation) {
  const { link_: link, icon_: icon, subList_: subList } = readEntry(listItem);
  /** @type {Item} */
  const item = { level_: level, listItem_: listItem, link_: link, icon_: icon, subList_: subList, cell_: listItem, nextSiblings_: [link?.nextSibling, icon?.nextSibling] };
  itemOfListItem.set(listItem, item);
  if (!link) return item;
  if (!navigation) {
    link.setAttribute('role', 'menuitem');
    link.tabIndex = -1;
    if (!tooltips && link.hasAttribute('title')) {
      item.savedTitle_ = link.getAttribute('title');
      link.removeAttribute('title');
    }
  }
  // a parent opens its sub-menu: in site navigation only one without a link of its own,
  // which becomes a disclosure button
  if (subList && !(navigation && leadsSomewhere(link))) {
    if (navigation) link.setAttribute('role', 'button');
    else link.setAttribute('aria-haspopup', 'menu');
    link.setAttribute('aria-expanded', 'false');
  }
  return item;
}

/**
 * The cell or row showing the item, with its link and icon moved into it. The collapsed
 * list shows its rows as bar cells.
 * @param {EntryParts & { toggleButton?: HTMLButtonElement | null }} item
 * @param {boolean} onBar
 * @param {boolean} vertical
 * @param {boolean} [drawnArrows] draw pop-up arrows in the text colour rather than show the arrow images
 * @param {boolean} [navigation] a parent with a link of its own gets a toggle button beside it
 */
export function makeCell(item, onBar, vertical, drawnArrows, navigation) {
  if (!item.link_) {
    const separator = /** @type {HTMLElement} */ ((onBar ? barSeparator : popupSeparator).cloneNode(true));
    if (onBar && !vertical) separator.setAttribute('aria-orientation', 'vertical');
    else if (onBar) /** @type {HTMLElement} */ (separator.firstChild).style.cssText = 'border-left:0;border-top:1px solid #C5C2B8;height:0';
    return separator;
  }
  const cell = /** @type {HTMLElement} */ ((onBar ? bareCell : popupRow).cloneNode(true));
  const iconCell = /** @type {HTMLElement} */ ((onBar ? cell.firstChild?.firstChild?.firstChild : cell.firstChild));
  const textCell = /** @type {HTMLElement} */ (iconCell.nextSibling), arrowCell = textCell.nextSibling;
  if (item.icon_) /** @type {ChildNode} */ (iconCell.firstChild).replaceWith(item.icon_);
  textCell.append(item.link_);
  if (!item.subList_) return cell;
  let arrowHolder = onBar ? element('td', CARET, /** @type {Element} */ (textCell.parentNode)) : /** @type {Element} */ (arrowCell);
  if (navigation && leadsSomewhere(item.link_)) {
    const toggle = /** @type {Item} */ (item).toggleButton_ = /** @type {HTMLButtonElement} */ (element('button', TOGGLE, arrowHolder));
    toggle.type = 'button';
    toggle.setAttribute('aria-expanded', 'false');
    toggle.setAttribute('aria-label', /** @type {string} */ (item.link_.textContent).trim());
    arrowHolder = toggle;
  }
  // the bar's caret is the holder's own ::after: one element fewer per parent to build
  if (!onBar) element('div', drawnArrows ? DRAWN_ARROW : '', arrowHolder);
  return cell;
}

/**
 * Gives the link and the icon back to the <li>, with the attributes they came with.
 * @param {Item} item
 */
export function restoreItem(item) {
  const { link_: link, listItem_: listItem, icon_: icon } = item;
  if (!link) return;
  /** @param {Node} node @param {Node | null | undefined} next */
  const putBack = (node, next) => listItem.insertBefore(node, next?.parentNode == listItem ? next : null);
  for (const name of MENU_ATTRIBUTES) link.removeAttribute(name);
  if (item.savedTitle_ != null) link.setAttribute('title', item.savedTitle_);
  putBack(link, item.nextSiblings_[0]);
  if (icon) putBack(icon, item.nextSiblings_[1]);
}
