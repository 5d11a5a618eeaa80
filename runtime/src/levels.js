// The bar and the pop-ups, built from the hidden list: the bar in its place (a big one in
// steps), each pop-up on its item's first opening; and which item a node of them shows.
import { element, layoutTable } from './dom.js';
import { makeCell, readItem, restoreItem } from './items.js';
import { levelOfScrollPart } from './scroll_buttons.js';
import { SCROLL_DOWN, SCROLL_UP } from './class_names.js';

/** @typedef {import('./menu.js').Menu} Menu */
/** @typedef {import('./items.js').Item} Item */
/** @typedef {import('./items.js').Level} Level */

// published menus keep shadow.png beside this script
const SHADOW_IMAGE = new URL('shadow.png', /** @type {HTMLScriptElement | null} */ (document.currentScript)?.src || document.baseURI).href;
// A big bar is built in steps of this many items, so that it never holds the page up long.
const BAR_STEP = 500;

/** Which item a cell or row shows. */
const itemOfCell = /** @type {WeakMap<Element, Item>} */ (new WeakMap());

/** Is there a navigation landmark around the element? */
const inNavigation = (/** @type {Element} */ target) => !!target.parentElement?.closest('nav,[role=navigation]');

/**
 * @typedef {object} Levels
 * @property {HTMLElement} bar_
 * @property {HTMLElement} root_ the bar's box: a navigation landmark unless the page has one
 * @property {Level} barLevel_
 * @property {() => void} growBar_ builds the next step of bar cells; a bigger bar gets the
 *   rest in later tasks
 * @property {(item: Item) => Level} popupOf_ the pop-up of a parent item, built on its first opening
 * @property {(node: Node | null | undefined) => boolean} owns_ is the node part of the menu
 *   (bar, pop-ups or collapsed list)?
 * @property {(node: EventTarget | null) => Item | null} itemAt_ the item whose cell or row holds the node
 * @property {() => void} removeLevels_ takes bar and pop-ups off the page and gives the
 *   list back its entries
 */

/**
 * The levels of a menu.
 * @param {Menu} menu its settings
 * @param {string} name the menu's accessible name
 * @returns {Levels}
 */
export function levels(menu, name) {
  const { list_: list, vertical_: vertical, navigation_: navigation, rightToLeft_: rightToLeft, tooltips_: tooltips, shadow_: shadow, drawnArrows_: drawnArrows } = menu;
  /** @type {Level[]} */
  let popups = [];
  let growTimer = 0;
  const bar = element('div', 'bnaz-bpAb', null, navigation ? '' : 'menubar');
  if (!navigation) {
    bar.setAttribute('aria-orientation', vertical ? 'vertical' : 'horizontal');
    bar.setAttribute('aria-label', name);
  }
  if (vertical) {
    bar.style.width = 'max-content';
    bar.classList.add('velmo-vertical');
  }
  /** @type {Level} */
  const barLevel = { depth_: 0, box_: bar, opener_: null, items_: [], side_: rightToLeft ? -1 : 1 };
  const barBody = layoutTable(bar);
  const barRow = vertical ? null : element('tr', '', barBody);
  // a navigation landmark around the bar, unless the page has one around the list
  const landmark = !inNavigation(list);
  const root = element(landmark ? 'nav' : 'div', 'velmo-nav');
  if (landmark) root.setAttribute('aria-label', name);
  if (rightToLeft) root.dir = 'rtl';
  root.append(bar);
  /** @type {Element | null} the next <li> of the bar to build */
  let nextToBuild = list.firstElementChild;

  /**
   * Reads list entries from `entry` on into items of `level` and their cells into `parent`,
   * until `count` items are made; gives the next entry.
   * @param {Level} level
   * @param {Element | null} entry
   * @param {Node} parent
   * @param {number} count
   */
  function fillLevel(level, entry, parent, count) {
    const onBar = !level.depth_;
    for (; entry && count; entry = entry.nextElementSibling) {
      if (entry.tagName != 'LI') continue;
      const item = readItem(/** @type {HTMLElement} */ (entry), level, tooltips, navigation);
      level.items_.push(item);
      item.cell_ = makeCell(item, onBar, vertical, drawnArrows, navigation);
      (onBar && vertical ? element('tr', '', /** @type {Element} */ (parent)) : parent).appendChild(item.cell_);
      if (item.link_) {
        itemOfCell.set(item.cell_, item);
        count--;
      }
    }
    return entry;
  }

  /**
   * Where pop-ups go: inside the menu's landmark, after the bar, for the reading order and
   * the landmark; on the body when an element around the menu would clip them.
   */
  function popupHost() {
    for (let around = root.parentElement; around && around != document.body; around = around.parentElement) {
      const style = getComputedStyle(around);
      if (style.overflowX != 'visible' || style.overflowY != 'visible') return document.body;
    }
    return root;
  }

  /** @param {Node | null | undefined} node */
  function owns(node) {
    return !!node && (root.contains(node) || popups.some(level => level.box_.contains(node)));
  }

  return {
    bar_: bar, root_: root, barLevel_: barLevel, owns_: owns,
    growBar_: function growBar() {
      const cells = new DocumentFragment();
      nextToBuild = fillLevel(barLevel, nextToBuild, cells, BAR_STEP);
      (barRow || barBody).append(cells);
      if (nextToBuild) growTimer = setTimeout(growBar);
      else menu.collapser_?.schedule_();
      menu.followLayout_();
    },
    popupOf_(item) {
      if (item.popup_) return item.popup_;
      const box = element('div', 'bnaz-bwAb', null, navigation ? '' : 'menu');
      /** @type {Level} */
      const level = item.popup_ = { depth_: item.level_.depth_ + 1, box_: box, opener_: item, items_: [], side_: item.level_.side_ };
      // a menu is vertical unless it says otherwise
      if (!navigation) box.setAttribute('aria-label', /** @type {string} */ (/** @type {HTMLAnchorElement} */ (item.link_).textContent).trim());
      if (rightToLeft) box.dir = 'rtl';
      level.scrollUp_ = element('div', SCROLL_UP, box);
      level.scrollArea_ = element('div', 'bnaz-bsAb', box);
      level.scrollDown_ = element('div', SCROLL_DOWN, box);
      for (const part of [level.scrollUp_, level.scrollArea_, level.scrollDown_]) levelOfScrollPart.set(part, level);
      level.scrollArea_.style.cssText = 'overflow-y:auto;scrollbar-width:none;overscroll-behavior:contain';
      const rows = layoutTable(level.scrollArea_);
      fillLevel(level, /** @type {HTMLElement} */ (item.subList_).firstElementChild, rows, Infinity);
      if (shadow) {
        const shade = level.shadow_ = element('div', 'bnaz-bvAb');
        shade.style.cssText = `pointer-events:none;background:none;border:8px solid transparent;border-image:url("${SHADOW_IMAGE}") 8 fill`;
      }
      const host = popupHost();
      if (level.shadow_) host.append(level.shadow_);
      host.append(box);
      popups.push(level);
      return level;
    },
    itemAt_(node) {
      const cell = /** @type {Element | null} */ (node)?.closest?.('.bGaz');
      return (cell && owns(cell) && itemOfCell.get(cell)) || null;
    },
    removeLevels_() {
      clearTimeout(growTimer);
      root.remove();
      for (const level of [barLevel, ...popups]) {
        level.items_.forEach(restoreItem);
        level.box_.remove();
        level.shadow_?.remove();
      }
      popups = [];
    },
  };
}
