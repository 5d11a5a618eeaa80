// A menu: the bar built from the hidden list, its pop-ups built on first opening, the open
// path, and the page events it answers. Pointer, keyboard, placement and the collapsed
// mode live in modules of their own.
import { acquireBaseStyle, releaseBaseStyle } from './base_style.js';
import { element, isRightToLeft, layoutTable, setShown } from './dom.js';
import { isSelectable, leadsSomewhere, makeCell, readItem, restoreItem } from './items.js';
import { menuName, readListSettings, readSettings } from './options.js';
import { markCurrentPage } from './current_page.js';
import { placePopup } from './placement.js';
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
 * @property {HTMLElement} list_ the hidden <ul>
 * @property {HTMLElement} bar_
 * @property {HTMLElement} root_ the bar's box: a navigation landmark unless the page has one
 * @property {Level} barLevel_
 * @property {boolean} vertical_
 * @property {boolean} rightToLeft_
 * @property {boolean} clickToOpen_
 * @property {boolean} navigation_ the site-navigation pattern rather than the menubar
 * @property {number} closeDelay_
 * @property {boolean} [destroyed_]
 * @property {Item[]} openPath_ openPath[d] is the open item of depth d
 * @property {Item | null} [current_] the item under the pointer or focus
 * @property {Item | null} [pendingHover_] the sibling waiting while the pointer heads for an open pop-up
 * @property {HTMLElement | null} [scrollButton_] the scroll button under the pointer
 * @property {number} [closeTimer_]
 * @property {HTMLAnchorElement | null} [ownClick_] the link of our own click after blinking
 * @property {import('./collapse.js').Collapser} collapser_
 * @property {(item: Item) => Level} open_
 * @property {(depth: number) => void} closeFrom_
 * @property {() => void} close
 * @property {() => void} destroy
 * @property {(node: Node | null | undefined) => boolean} owns_
 * @property {(node: EventTarget | null) => Item | null} itemAt_
 * @property {(item: Item | null) => void} highlight_
 * @property {(item: Item) => void} makeTabStop_
 * @property {(item: Item, target?: HTMLElement) => void} focusItem_
 * @property {(item: Item, last?: boolean) => void} enter_
 * @property {(item: Item, now?: boolean) => void} hover_
 * @property {(item: Item, event: Event, synthetic: boolean) => void} choose_
 * @property {(button: HTMLElement | null, pressed?: boolean) => void} pressScrollButton_
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
  const { vertical_: vertical, tooltips_: tooltips, shadow_: shadow, clickToOpen_: clickToOpen, closeDelay_: closeDelay, blinkCount_: blinkCount } = readSettings(options);
  const { drawnArrows_: drawnArrows, markCurrent_: markCurrent, openDelay_: openDelay, navigation_: navigation } = readListSettings(list);
  const rightToLeft = isRightToLeft(list), name = menuName(list);
  const unmarkCurrent = markCurrent ? markCurrentPage(list) : null;
  /** @type {Item[]} */
  const openPath = [];
  /** @type {Level[]} */
  let popups = [];
  let scrollSpeed = 0, scrollFrame = 0, placeFrame = 0, blinkTimer = 0, growTimer = 0;
  // a pop-up waiting for the open delay, or for the pointer to arrive at its sibling's pop-up
  let hoverTimer = 0;

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

  const menu = /** @type {Menu} */ ({
    list_: list, bar_: bar, root_: root, barLevel_: barLevel, vertical_: vertical, rightToLeft_: rightToLeft, clickToOpen_: clickToOpen, closeDelay_: closeDelay, openPath_: openPath, navigation_: navigation,
    open_: open, closeFrom_: closeFrom, close, destroy, owns_: owns, itemAt_: itemAt, highlight_: highlight, makeTabStop_: makeTabStop, focusItem_: focusItem, enter_: enter, hover_: hover, choose_: choose,
    pressScrollButton_: pressScrollButton, handleEvent,
  });
  const pointer = pointerHandlers(menu);

  /** @type {Element | null} the next <li> of the bar to build */
  let nextToBuild = list.firstElementChild;
  growBar();
  const first = barLevel.items_.find(isSelectable);
  if (!first?.link_) throw Error('holds no menu item');
  first.link_.tabIndex = 0;
  acquireBaseStyle();
  list.before(root);
  // a list shown to pages without scripts goes when the menu takes its place
  const shownWithoutScripts = list.hasAttribute('data-velmo-static') && list.style.display != 'none';
  if (shownWithoutScripts) setShown(list, false);
  menu.collapser_ = collapser(menu);
  listen(true);
  return menu;

  /** Builds the next step of bar cells; a bigger bar gets the rest in later tasks. */
  function growBar() {
    const cells = new DocumentFragment();
    nextToBuild = fillLevel(barLevel, nextToBuild, cells, BAR_STEP);
    (barRow || barBody).append(cells);
    if (nextToBuild) growTimer = setTimeout(growBar);
    else menu.collapser_?.schedule_();
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
   * The pop-up of a parent item, built on its first opening.
   * @param {Item} item
   * @returns {Level}
   */
  function popupOf(item) {
    if (item.popup_) return item.popup_;
    const box = element('div', 'bnaz-bwAb', null, navigation ? '' : 'menu');
    /** @type {Level} */
    const level = item.popup_ = { depth_: item.level_.depth_ + 1, box_: box, opener_: item, items_: [], side_: item.level_.side_ };
    // a menu is vertical unless it says otherwise
    if (!navigation) box.setAttribute('aria-label', item.link_?.textContent?.trim() || '');
    if (rightToLeft) box.dir = 'rtl';
    setShown(box);
    level.scrollUp_ = element('div', SCROLL_UP, box);
    level.scrollArea_ = element('div', 'bnaz-bsAb', box);
    level.scrollDown_ = element('div', SCROLL_DOWN, box);
    for (const part of [level.scrollUp_, level.scrollArea_, level.scrollDown_]) levelOfScrollPart.set(part, level);
    level.scrollArea_.style.cssText = 'overflow-y:auto;scrollbar-width:none;overscroll-behavior:contain';
    const rows = layoutTable(level.scrollArea_);
    fillLevel(level, /** @type {HTMLElement} */ (item.subList_).firstElementChild, rows, Infinity);
    if (shadow) {
      const shade = level.shadow_ = element('div', 'bnaz-bvAb');
      shade.style.cssText = `display:none;pointer-events:none;background:none;border:8px solid transparent;border-image:url("${SHADOW_IMAGE}") 8 fill`;
    }
    const host = popupHost();
    if (level.shadow_) host.append(level.shadow_);
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
    closeFrom(item.level_.depth_);
    openPath[item.level_.depth_] = item;
    showPopup(item, true);
    /** @type {HTMLElement} */ (level.scrollArea_).scrollTop = 0;
    place(level);
    return level;
  }

  /**
   * Shows or hides the item's pop-up, and marks the item open or closed.
   * @param {Item} item
   * @param {boolean} shown
   */
  function showPopup(item, shown) {
    const level = /** @type {Level} */ (item.popup_);
    item.cell_.classList.toggle(ACTIVE, shown);
    (item.toggleButton_ || item.link_)?.setAttribute('aria-expanded', '' + shown);
    setShown(level.box_, shown);
    setShown(level.shadow_, shown);
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
      const item = /** @type {Item} */ (openPath.pop()), level = /** @type {Level} */ (item.popup_);
      if (level.box_.contains(document.activeElement)) focusBackTo = item;
      showPopup(item, false);
      if (menu.scrollButton_ && levelOfScrollPart.get(menu.scrollButton_) == level) pressScrollButton(null);
    }
    if (focusBackTo) focusItem(focusBackTo);
  }

  /** Closes every pop-up of the menu. */
  function close() {
    clearTimeout(menu.closeTimer_);
    clearTimeout(hoverTimer);
    menu.pendingHover_ = null;
    closeFrom(0);
    highlight(null);
  }

  /** Takes the menu off the page and gives the list back its entries; a second call does nothing. */
  function destroy() {
    if (menu.destroyed_) return;
    menu.destroyed_ = true;
    close();
    clearTimeout(blinkTimer);
    clearTimeout(growTimer);
    cancelAnimationFrame(placeFrame);
    pressScrollButton(null);
    listen(false);
    menu.collapser_.destroy();
    root.remove();
    for (const level of [barLevel, ...popups]) {
      level.items_.forEach(restoreItem);
      level.box_.remove();
      level.shadow_?.remove();
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
    if (menu.collapser_.handles_(event)) return;
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
    if (!menu.collapser_.handleKey_(event, key) && item) (navigation ? handleNavigationKey : handleKey)(menu, item, key, event);
  }

  /** @param {Event} event */
  function onViewportChange(event) {
    const level = levelOfScrollPart.get(/** @type {Element} */ (event.target));
    if (event.type == 'resize') menu.collapser_.schedule_();
    if (!level) followLayout();
    else if (popups.includes(level)) updateScrollButtons(level);
  }

  /** Places the open pop-ups again in the next frame, after the page moved or changed size. */
  function followLayout() {
    if (openPath.length && !placeFrame) placeFrame = requestAnimationFrame(() => {
      placeFrame = 0;
      for (const item of openPath) place(/** @type {Level} */ (item.popup_));
    });
  }

  /** @param {Level} level */
  function updateScrollButtons(level) {
    for (const button of [level.scrollUp_, level.scrollDown_])
      /** @type {HTMLElement} */ (button).style.opacity = canScroll(/** @type {HTMLElement} */ (level.scrollArea_), button == level.scrollUp_ ? -1 : 1) ? '' : '.35';
  }

  /**
   * Marks the scroll button under the pointer (or none), pressed or not, and scrolls its
   * pop-up while there is more to scroll that way.
   * @param {HTMLElement | null} button
   * @param {boolean} [pressed]
   */
  function pressScrollButton(button, pressed) {
    // a scroll button's first class names it, a second one tells its state
    const previous = menu.scrollButton_;
    if (previous && previous != button) previous.className = previous.classList[0];
    menu.scrollButton_ = button;
    if (!button) return;
    const base = button.classList[0];
    button.className = `${base} ${base}-${pressed ? PRESSED : HOVER}`;
    scrollSpeed = (base == SCROLL_UP ? -1 : 1) * (pressed ? 10 : 3);
    const step = () => {
      const level = menu.scrollButton_ && levelOfScrollPart.get(menu.scrollButton_);
      const area = level?.scrollArea_;
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
    return !!node && (root.contains(node) || popups.some(level => level.box_.contains(node)));
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
    if (menu.current_ == item) return;
    menu.current_?.cell_.classList.remove(HOVER);
    menu.current_ = item;
    item?.cell_.classList.add(HOVER);
  }

  /**
   * Makes the bar item the one that Tab reaches (a roving tabindex).
   * @param {Item} item
   */
  function makeTabStop(item) {
    if (!navigation) for (const other of barLevel.items_) if (other.link_) other.link_.tabIndex = other == item ? 0 : -1;
  }

  /**
   * Focuses an item (its link, or `target` in its cell), scrolled into view.
   * @param {Item} item
   * @param {HTMLElement | null} [target]
   */
  function focusItem(item, target = item.link_) {
    if (!item.level_.depth_) makeTabStop(item);
    target?.focus({ preventScroll: true });
    highlight(item);
    // (inline is 'nearest' by default)
    item.cell_.scrollIntoView({ block: 'nearest' });
  }

  /**
   * Opens the item's sub-menu and focuses its first (or last) item.
   * @param {Item} item
   * @param {boolean} [last]
   */
  function enter(item, last) {
    const items = open(item).items_.filter(isSelectable);
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
    menu.pendingHover_ = null;
    clearTimeout(hoverTimer);
    if (clickToOpen && !openPath.length) return;
    const depth = item.level_.depth_, opened = openPath[depth];
    if (opened == item) return closeFrom(depth + 1);
    if (openDelay && !now && !opened && item.subList_) {
      hoverTimer = setTimeout(() => menu.current_ == item && hover(item, true), openDelay);
      return;
    }
    if (opened && !now && pointer.isAimingAt_(/** @type {Level} */ (opened.popup_))) {
      menu.pendingHover_ = item;
      hoverTimer = setTimeout(() => menu.pendingHover_ == item && hover(item, true), 250);
      return;
    }
    closeFrom(depth);
    if (item.subList_) open(item);
  }

  /**
   * Follows the item's link, after blinking when the design asks for it. Without blinking
   * the browser follows it, honouring its target.
   * @param {Item} item
   * @param {Event} event
   * @param {boolean} synthetic the click was beside the link, not on it
   */
  function choose(item, event, synthetic) {
    if (!leadsSomewhere(item.link_)) return event.preventDefault();
    const blinks = matchMedia('(prefers-reduced-motion: reduce)').matches ? 0 : blinkCount;
    if (!blinks && !synthetic) return close();
    event.preventDefault();
    if (blinkTimer) return;
    let step = 0;
    const blink = () => {
      if (step < 2 * blinks) {
        item.cell_.classList.toggle(HOVER, step++ % 2 == 1);
        blinkTimer = setTimeout(blink, 80);
        return;
      }
      blinkTimer = 0;
      close();
      menu.ownClick_ = item.link_;
      item.link_?.click();
    };
    highlight(item);
    blink();
  }
}

/** @param {HTMLElement} area @param {number} direction */
function canScroll(area, direction) {
  return direction < 0 ? area.scrollTop > 0 : area.scrollTop + area.clientHeight < area.scrollHeight - 1;
}
