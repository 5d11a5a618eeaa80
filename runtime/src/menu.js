// A menu: the bar built from the hidden list, its pop-ups built on first opening, the open
// path, and the page events it answers. Pointer, keyboard, placement and the collapsed
// mode live in modules of their own.
import { acquireBaseStyle, releaseBaseStyle } from './base_style.js';
import { element, isRightToLeft, layoutTable, setShown } from './dom.js';
import { isSelectable, leadsSomewhere, makeCell, readItem, restoreItem } from './items.js';
import { menuName, readListSettings, readSettings } from './options.js';
import { markCurrentPage } from './current_page.js';
import { placePopup, showScrollButtons } from './placement.js';
import { handleKey } from './keyboard.js';
import { handleNavigationKey } from './navigation_keys.js';
import { pointerHandlers } from './pointer.js';
import { collapser } from './collapse.js';
import { ACTIVE, HOVER, PRESSED, SCROLL_DOWN, SCROLL_UP } from './class_names.js';

/** @typedef {import('./items.js').Item} Item */
/** @typedef {import('./items.js').Level} Level */
/** @typedef {import('./options.js').MenuOptions} MenuOptions */

// published menus keep shadow.png beside this script
const SHADOW_IMAGE = new URL('shadow.png', /** @type {HTMLScriptElement | null} */ (document.currentScript)?.src || document.baseURI).href;
// A big bar is built in steps of this many items, so that it never holds the page up long.
const BAR_STEP = 500;
const MIRRORED = /** @type {Record<string, string>} */ ({ ArrowLeft: 'ArrowRight', ArrowRight: 'ArrowLeft' });
// answered only when they happen inside the menu
const INSIDE_EVENTS = ['pointerover', 'pointerout', 'pointermove', 'click', 'focusin', 'focusout'];
const DOCUMENT_EVENTS = [...INSIDE_EVENTS, 'keydown', 'pointerdown', 'pointerup', 'pointercancel'];

/** Which level a scroll button or scroll area belongs to. */
export const levelOfScrollPart = /** @type {WeakMap<Element, Level>} */ (new WeakMap());
/** Which item a cell or row shows. */
const itemOfCell = /** @type {WeakMap<Element, Item>} */ (new WeakMap());

/** Is there a navigation landmark around the element? */
const inNavigation = (/** @type {Element} */ target) => !!target.parentElement?.closest('nav,[role=navigation]');

/**
 * A menu as its parts see it: the pointer, keyboard and collapsed-mode modules read this
 * state and call these functions. The optional properties are absent until first set.
 * @typedef {object} Menu
 * @property {HTMLElement} list the hidden <ul>
 * @property {HTMLElement} bar
 * @property {HTMLElement} root the bar's box: a navigation landmark unless the page has one
 * @property {Level} barLevel
 * @property {boolean} vertical
 * @property {boolean} rightToLeft
 * @property {boolean} clickToOpen
 * @property {boolean} navigation the site-navigation pattern rather than the menubar
 * @property {number} closeDelay
 * @property {boolean} [destroyed]
 * @property {Item[]} openPath openPath[d] is the open item of depth d
 * @property {Item | null} [current] the item under the pointer or focus
 * @property {Item | null} [pendingHover] the sibling waiting while the pointer heads for an open pop-up
 * @property {HTMLElement | null} [scrollButton] the scroll button under the pointer
 * @property {number} [closeTimer]
 * @property {HTMLAnchorElement | null} [ownClick] the link of our own click after blinking
 * @property {import('./collapse.js').Collapser} collapser
 * @property {(item: Item) => Level} open
 * @property {(depth: number) => void} closeFrom
 * @property {() => void} close
 * @property {() => void} destroy
 * @property {(node: Node | null | undefined) => boolean} owns
 * @property {(node: EventTarget | null) => Item | null} itemAt
 * @property {(item: Item | null) => void} highlight
 * @property {(item: Item) => void} makeTabStop
 * @property {(item: Item, target?: HTMLElement) => void} focusItem
 * @property {(item: Item, last?: boolean) => void} enter
 * @property {(item: Item, now?: boolean) => void} hover
 * @property {(item: Item, event: Event, synthetic: boolean) => void} choose
 * @property {(button: HTMLElement | null, pressed?: boolean) => void} pressScrollButton
 * @property {(event: Event) => void} handleEvent
 */

/**
 * What a key does on an item of the menu (`key` as the reading direction makes it).
 * @typedef {(menu: Menu, item: Item, key: string, event: KeyboardEvent) => void} KeyHandler
 */

/**
 * Builds the menu of the hidden list in its place.
 * @param {HTMLElement} list the hidden <ul>
 * @param {MenuOptions | null | undefined} options
 * @returns {Menu}
 */
export function createMenu(list, options) {
  const { vertical, tooltips, shadow, clickToOpen, closeDelay, blinkCount } = readSettings(options);
  const { drawnArrows, markCurrent, openDelay, navigation } = readListSettings(list);
  const rightToLeft = isRightToLeft(list), name = menuName(list);
  const unmarkCurrent = markCurrent ? markCurrentPage(list) : null;
  /** @type {Item[]} */
  const openPath = [];
  /** @type {Level[]} */
  let popups = [];
  let scrollSpeed = 0, scrollFrame = 0, placeFrame = 0, aimTimer = 0, blinkTimer = 0, growTimer = 0, openTimer = 0;

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
  const barLevel = { depth: 0, box: bar, opener: null, items: [], side: rightToLeft ? -1 : 1 };
  const barBody = layoutTable(bar);
  const barRow = vertical ? null : element('tr', '', barBody);
  // a navigation landmark around the bar, unless the page has one around the list
  const landmark = !inNavigation(list);
  const root = element(landmark ? 'nav' : 'div', 'velmo-nav');
  if (landmark) root.setAttribute('aria-label', name);
  if (rightToLeft) root.dir = 'rtl';
  root.append(bar);

  const menu = /** @type {Menu} */ ({
    list, bar, root, barLevel, vertical, rightToLeft, clickToOpen, closeDelay, openPath, navigation,
    open, closeFrom, close, destroy, owns, itemAt, highlight, makeTabStop, focusItem, enter, hover, choose,
    pressScrollButton, handleEvent,
  });
  const pointer = pointerHandlers(menu);

  /** @type {Element | null} the next <li> of the bar to build */
  let nextToBuild = list.firstElementChild;
  growBar();
  const first = barLevel.items.find(isSelectable);
  if (!first?.link) throw Error('holds no menu item');
  first.link.tabIndex = 0;
  acquireBaseStyle();
  list.before(root);
  // a list shown to pages without scripts goes when the menu takes its place
  const shownWithoutScripts = list.hasAttribute('data-velmo-static') && list.style.display != 'none';
  if (shownWithoutScripts) setShown(list, false);
  menu.collapser = collapser(menu);
  listen(true);
  return menu;

  /** Builds the next step of bar cells; a bigger bar gets the rest in later tasks. */
  function growBar() {
    const cells = new DocumentFragment();
    nextToBuild = fillLevel(barLevel, nextToBuild, cells, BAR_STEP);
    (barRow || barBody).append(cells);
    if (nextToBuild) growTimer = setTimeout(growBar);
    else menu.collapser?.schedule();
    followLayout();
  }

  /**
   * Reads list entries from `entry` on into items of `level` and their cells into `parent`,
   * until `count` items are made; gives the next entry.
   * @param {Level} level
   * @param {Element | null} entry
   * @param {Node} parent
   * @param {number} count
   */
  function fillLevel(level, entry, parent, count) {
    const onBar = !level.depth;
    for (; entry && count; entry = entry.nextElementSibling) {
      if (entry.tagName != 'LI') continue;
      const item = readItem(/** @type {HTMLElement} */ (entry), level, tooltips, navigation);
      level.items.push(item);
      item.cell = makeCell(item, onBar, vertical, drawnArrows, navigation);
      (onBar && vertical ? element('tr', '', /** @type {Element} */ (parent)) : parent).appendChild(item.cell);
      if (item.link) {
        itemOfCell.set(item.cell, item);
        count--;
      }
    }
    return entry;
  }

  /**
   * The pop-up of a parent item, built on its first opening.
   * @param {Item} item
   * @returns {Level}
   */
  function popupOf(item) {
    if (item.popup) return item.popup;
    const box = element('div', 'bnaz-bwAb', null, navigation ? '' : 'menu');
    /** @type {Level} */
    const level = item.popup = { depth: item.level.depth + 1, box, opener: item, items: [], side: item.level.side };
    // a menu is vertical unless it says otherwise
    if (!navigation) box.setAttribute('aria-label', item.link?.textContent?.trim() || '');
    if (rightToLeft) box.dir = 'rtl';
    setShown(box);
    level.scrollUp = element('div', SCROLL_UP, box);
    level.scrollArea = element('div', 'bnaz-bsAb', box);
    level.scrollDown = element('div', SCROLL_DOWN, box);
    for (const part of [level.scrollUp, level.scrollArea, level.scrollDown]) levelOfScrollPart.set(part, level);
    showScrollButtons(level, false);
    level.scrollArea.style.cssText = 'overflow-y:auto;scrollbar-width:none;overscroll-behavior:contain';
    const rows = layoutTable(level.scrollArea);
    fillLevel(level, /** @type {HTMLElement} */ (item.subList).firstElementChild, rows, Infinity);
    if (shadow) {
      const shade = level.shadow = element('div', 'bnaz-bvAb');
      shade.style.cssText = `display:none;pointer-events:none;background:none;border:8px solid transparent;border-image:url("${SHADOW_IMAGE}") 8 fill`;
    }
    const host = popupHost();
    if (level.shadow) host.append(level.shadow);
    host.append(box);
    popups.push(level);
    return level;
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

  /**
   * Opens the item's sub-menu, closing those of its siblings.
   * @param {Item} item
   */
  function open(item) {
    const level = popupOf(item);
    closeFrom(item.level.depth);
    openPath[item.level.depth] = item;
    showPopup(item, true);
    /** @type {HTMLElement} */ (level.scrollArea).scrollTop = 0;
    place(level);
    return level;
  }

  /**
   * Shows or hides the item's pop-up, and marks the item open or closed.
   * @param {Item} item
   * @param {boolean} shown
   */
  function showPopup(item, shown) {
    const level = /** @type {Level} */ (item.popup);
    item.cell.classList.toggle(ACTIVE, shown);
    (item.toggleButton || item.link)?.setAttribute('aria-expanded', String(shown));
    setShown(level.box, shown);
    setShown(level.shadow, shown);
  }

  /** @param {Level} level */
  function place(level) {
    if (placePopup(level, menu)) updateScrollButtons(level);
  }

  /**
   * Closes the pop-ups of depth `depth` and deeper; focus in them goes back to their opener.
   * @param {number} depth
   */
  function closeFrom(depth) {
    let focusBackTo = null;
    while (openPath.length > depth) {
      const item = /** @type {Item} */ (openPath.pop()), level = /** @type {Level} */ (item.popup);
      if (level.box.contains(document.activeElement)) focusBackTo = item;
      showPopup(item, false);
      if (menu.scrollButton && levelOfScrollPart.get(menu.scrollButton) == level) pressScrollButton(null);
    }
    if (focusBackTo) focusItem(focusBackTo);
  }

  /** Closes every pop-up of the menu. */
  function close() {
    clearTimeout(menu.closeTimer);
    clearTimeout(aimTimer);
    clearTimeout(openTimer);
    menu.pendingHover = null;
    closeFrom(0);
    highlight(null);
  }

  /** Takes the menu off the page and gives the list back its entries; a second call does nothing. */
  function destroy() {
    if (menu.destroyed) return;
    menu.destroyed = true;
    close();
    clearTimeout(blinkTimer);
    clearTimeout(growTimer);
    cancelAnimationFrame(placeFrame);
    pressScrollButton(null);
    listen(false);
    menu.collapser.destroy();
    root.remove();
    for (const level of [barLevel, ...popups]) {
      level.items.forEach(restoreItem);
      level.box.remove();
      level.shadow?.remove();
    }
    popups = [];
    unmarkCurrent?.();
    if (shownWithoutScripts) setShown(list, true);
    if (/** @type {any} */ (list).$velmo == menu) delete (/** @type {any} */ (list).$velmo);
    releaseBaseStyle();
  }

  /** @param {boolean} on */
  function listen(on) {
    const method = on ? 'addEventListener' : 'removeEventListener';
    for (const type of DOCUMENT_EVENTS) document[method](type, menu, true);
    for (const type of ['resize', 'scroll']) window[method](type, menu, { capture: true, passive: true });
  }

  /** @param {Event} event */
  function handleEvent(event) {
    const type = event.type, target = /** @type {Node | null} */ (event.target);
    if (type == 'resize' || type == 'scroll') return onViewportChange(event);
    if (type == 'keydown') return onKey(/** @type {KeyboardEvent} */ (event));
    if (INSIDE_EVENTS.includes(type) && !owns(target)) return;
    if (menu.collapser.handles(event)) return;
    /** @type {Record<string, (event: any) => void>} */ (pointer)[type]?.(event);
  }

  /**
   * A key pressed anywhere on the page: in the menu, the pattern's keys; elsewhere only
   * Escape, which closes pop-ups the pointer opened.
   * @param {KeyboardEvent} event
   */
  function onKey(event) {
    const target = /** @type {Node | null} */ (event.target);
    if (event.altKey || event.ctrlKey || event.metaKey) return;
    if (!owns(target)) {
      if (event.key == 'Escape' && openPath.length) close();
      return;
    }
    const key = rightToLeft ? MIRRORED[event.key] || event.key : event.key, item = itemAt(target);
    if (!menu.collapser.handleKey(event, key) && item) (navigation ? handleNavigationKey : handleKey)(menu, item, key, event);
  }

  /** @param {Event} event */
  function onViewportChange(event) {
    const level = levelOfScrollPart.get(/** @type {Element} */ (event.target));
    if (event.type == 'resize') menu.collapser.schedule();
    if (!level) followLayout();
    else if (popups.includes(level)) updateScrollButtons(level);
  }

  /** Places the open pop-ups again in the next frame, after the page moved or changed size. */
  function followLayout() {
    if (openPath.length && !placeFrame) placeFrame = requestAnimationFrame(() => {
      placeFrame = 0;
      for (const item of openPath) place(/** @type {Level} */ (item.popup));
    });
  }

  /** @param {Level} level */
  function updateScrollButtons(level) {
    for (const button of [level.scrollUp, level.scrollDown])
      /** @type {HTMLElement} */ (button).style.opacity = canScroll(/** @type {HTMLElement} */ (level.scrollArea), button == level.scrollUp ? -1 : 1) ? '' : '.35';
  }

  /**
   * Marks the scroll button under the pointer (or none), pressed or not, and scrolls its
   * pop-up while there is more to scroll that way.
   * @param {HTMLElement | null} button
   * @param {boolean} [pressed]
   */
  function pressScrollButton(button, pressed) {
    // a scroll button's first class names it, a second one tells its state
    const previous = menu.scrollButton;
    if (previous && previous != button) previous.className = previous.classList[0];
    menu.scrollButton = button;
    if (!button) return;
    const base = button.classList[0];
    button.className = `${base} ${base}-${pressed ? PRESSED : HOVER}`;
    scrollSpeed = (base == SCROLL_UP ? -1 : 1) * (pressed ? 10 : 3);
    const step = () => {
      const level = menu.scrollButton && levelOfScrollPart.get(menu.scrollButton);
      const area = level?.scrollArea;
      scrollFrame = 0;
      if (!area || !canScroll(area, scrollSpeed)) return;
      area.scrollTop += scrollSpeed;
      scrollFrame = requestAnimationFrame(step);
    };
    if (!scrollFrame) scrollFrame = requestAnimationFrame(step);
  }

  /**
   * Is the node part of the menu (bar, pop-ups or collapsed list)?
   * @param {Node | null | undefined} node
   */
  function owns(node) {
    return !!node && (root.contains(node) || popups.some(level => level.box.contains(node)));
  }

  /**
   * The item whose cell or row holds the node.
   * @param {EventTarget | null} node
   * @returns {Item | null}
   */
  function itemAt(node) {
    const cell = /** @type {Element | null} */ (node)?.closest?.('.bGaz');
    return (cell && owns(cell) && itemOfCell.get(cell)) || null;
  }

  /**
   * Highlights the item under the pointer or focus.
   * @param {Item | null} item
   */
  function highlight(item) {
    if (menu.current == item) return;
    menu.current?.cell.classList.remove(HOVER);
    menu.current = item;
    item?.cell.classList.add(HOVER);
  }

  /**
   * Makes the bar item the one that Tab reaches (a roving tabindex).
   * @param {Item} item
   */
  function makeTabStop(item) {
    if (!navigation) for (const other of barLevel.items) if (other.link) other.link.tabIndex = other == item ? 0 : -1;
  }

  /**
   * Focuses an item (its link, or `target` in its cell), scrolled into view.
   * @param {Item} item
   * @param {HTMLElement | null} [target]
   */
  function focusItem(item, target = item.link) {
    if (!item.level.depth) makeTabStop(item);
    target?.focus({ preventScroll: true });
    highlight(item);
    item.cell.scrollIntoView({ block: 'nearest', inline: 'nearest' });
  }

  /**
   * Opens the item's sub-menu and focuses its first (or last) item.
   * @param {Item} item
   * @param {boolean} [last]
   */
  function enter(item, last) {
    const items = open(item).items.filter(isSelectable);
    focusItem(/** @type {Item} */ (items[last ? items.length - 1 : 0]));
  }

  /**
   * Opens the item's sub-menu and closes its siblings'; waits a moment instead when the
   * pointer is heading for the sibling's open pop-up, or, with an open delay, when no
   * pop-up of its level is open yet (a pointer crossing the bar on its way opens nothing).
   * @param {Item} item
   * @param {boolean} [now]
   */
  function hover(item, now) {
    highlight(item);
    menu.pendingHover = null;
    clearTimeout(aimTimer);
    clearTimeout(openTimer);
    if (clickToOpen && !openPath.length) return;
    const depth = item.level.depth, opened = openPath[depth];
    if (opened == item) return closeFrom(depth + 1);
    if (openDelay && !now && !opened && item.subList) {
      openTimer = setTimeout(() => menu.current == item && hover(item, true), openDelay);
      return;
    }
    if (opened && !now && pointer.isAimingAt(/** @type {Level} */ (opened.popup))) {
      menu.pendingHover = item;
      aimTimer = setTimeout(() => menu.pendingHover == item && hover(item, true), 250);
      return;
    }
    closeFrom(depth);
    if (item.subList) open(item);
  }

  /**
   * Follows the item's link, after blinking when the design asks for it. Without blinking
   * the browser follows it, honouring its target.
   * @param {Item} item
   * @param {Event} event
   * @param {boolean} synthetic the click was beside the link, not on it
   */
  function choose(item, event, synthetic) {
    if (!leadsSomewhere(item.link)) return event.preventDefault();
    const blinks = matchMedia('(prefers-reduced-motion: reduce)').matches ? 0 : blinkCount;
    if (!blinks && !synthetic) return close();
    event.preventDefault();
    if (blinkTimer) return;
    let step = 0;
    const blink = () => {
      if (step < 2 * blinks) {
        item.cell.classList.toggle(HOVER, step++ % 2 == 1);
        blinkTimer = setTimeout(blink, 80);
        return;
      }
      blinkTimer = 0;
      close();
      menu.ownClick = item.link;
      item.link?.click();
    };
    highlight(item);
    blink();
  }
}

/** @param {HTMLElement} area @param {number} direction */
function canScroll(area, direction) {
  return direction < 0 ? area.scrollTop > 0 : area.scrollTop + area.clientHeight < area.scrollHeight - 1;
}
