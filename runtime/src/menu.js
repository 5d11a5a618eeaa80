// A menu: the bar built from the hidden list, its pop-ups built on first opening, the open
// path, and the page events it answers. Pointer, keyboard, placement and the collapsed
// mode live in modules of their own.
import { acquireBaseStyle, releaseBaseStyle } from './base_style.js';
import { element, isRightToLeft, setShown } from './dom.js';
import { hasRealLink, isSelectable, makeCell, readItem, restoreItem } from './items.js';
import { menuName, readSettings } from './options.js';
import { placePopup } from './placement.js';
import { handleKey } from './keyboard.js';
import { pointerHandlers } from './pointer.js';
import { Collapser } from './collapse.js';
import { ACTIVE, HOVER, PRESSED, SCROLL_DOWN, SCROLL_UP } from './class_names.js';

/** @typedef {import('./items.js').Item} Item */
/** @typedef {import('./items.js').Level} Level */
/** @typedef {import('./options.js').MenuOptions} MenuOptions */

// published menus keep shadow.png beside this script
const SHADOW_IMAGE = new URL('shadow.png', /** @type {HTMLScriptElement | null} */ (document.currentScript)?.src || document.baseURI).href;
// A big bar is built in steps of this many items, so that it never holds the page up long.
const BAR_STEP = 500;
const DOCUMENT_EVENTS = ['pointerover', 'pointerout', 'pointermove', 'click', 'keydown', 'focusin', 'focusout',
  'pointerdown', 'pointerup', 'pointercancel'];
// answered only when they happen inside the menu
const INSIDE_EVENTS = ['pointerover', 'pointerout', 'pointermove', 'click', 'focusin', 'focusout'];

/** Which level a scroll button or scroll area belongs to. */
export const levelOfScrollPart = /** @type {WeakMap<Element, Level>} */ (new WeakMap());
/** Which item a cell or row shows. */
const itemOfCell = /** @type {WeakMap<Element, Item>} */ (new WeakMap());

/** Is there a navigation landmark around the element? */
const inNavigation = (/** @type {Element} */ target) => !!target.parentElement?.closest('nav,[role=navigation]');

export class Menu {
  /**
   * @param {HTMLElement} list the hidden <ul>
   * @param {MenuOptions | null | undefined} options
   */
  constructor(list, options) {
    this.list = list;
    const settings = readSettings(options);
    this.vertical = settings.vertical;
    this.tooltips = settings.tooltips;
    this.shadow = settings.shadow;
    this.clickToOpen = settings.clickToOpen;
    this.closeDelay = settings.closeDelay;
    this.blinkCount = settings.blinkCount;
    this.destroyed = false;
    /** @type {Item[]} the open path: openPath[d] is the open item of depth d */
    this.openPath = [];
    /** @type {Level[]} */
    this.popups = [];
    /** @type {{ x: number, y: number }[]} the pointer's last two places */
    this.pointerTrail = [];
    /** @type {Item | null} the item under the pointer or focus */
    this.current = null;
    /** @type {Item | null} the sibling waiting while the pointer heads for an open pop-up */
    this.pendingHover = null;
    /** @type {HTMLElement | null} the scroll button under the pointer */
    this.scrollButton = null;
    this.scrollButtonDown = false;
    this.scrollSpeed = 0;
    this.scrollFrame = 0;
    this.placeFrame = 0;
    this.closeTimer = 0;
    this.aimTimer = 0;
    this.blinkTimer = 0;
    this.growTimer = 0;
    this.lastPointerType = '';
    /** @type {HTMLAnchorElement | null} the link of our own click after blinking */
    this.ownClick = null;
    this.rightToLeft = isRightToLeft(list);
    this.pointer = pointerHandlers(this);

    const bar = this.bar = element('div', 'bnaz-bpAb', null, 'menubar');
    bar.setAttribute('aria-orientation', this.vertical ? 'vertical' : 'horizontal');
    bar.setAttribute('aria-label', menuName(list));
    if (this.vertical) bar.style.width = 'max-content';
    /** @type {Level} */
    this.barLevel = { depth: 0, box: bar, opener: null, items: [], side: this.rightToLeft ? -1 : 1 };
    this.barBody = element('tbody', '', element('table', '', bar, 'none'));
    this.barRow = this.vertical ? null : element('tr', '', this.barBody);
    /** @type {Element | null} the next <li> of the bar to build */
    this.nextToBuild = list.firstElementChild;
    this.growBar();
    const first = this.barLevel.items.find(isSelectable);
    if (!first?.link) throw Error('holds no menu item');
    first.link.tabIndex = 0;

    // a navigation landmark around the bar, unless the page has one around the list
    this.root = element(inNavigation(list) ? 'div' : 'nav', 'velmo-nav');
    if (this.root.tagName == 'NAV') this.root.setAttribute('aria-label', menuName(list));
    if (this.rightToLeft) this.root.dir = 'rtl';
    this.root.append(bar);
    acquireBaseStyle();
    list.before(this.root);
    this.collapser = new Collapser(this);
    this.listen(true);
  }

  /** Builds the next step of bar cells; a bigger bar gets the rest in later tasks. */
  growBar() {
    const cells = new DocumentFragment();
    this.nextToBuild = this.fillLevel(this.barLevel, this.nextToBuild, cells, BAR_STEP);
    (this.barRow || this.barBody).append(cells);
    if (this.nextToBuild) this.growTimer = setTimeout(() => this.growBar());
    else this.collapser?.barComplete();
    this.followLayout();
  }

  /**
   * Reads list entries from `entry` on into items of `level` and their cells into `parent`,
   * until `count` items are made; gives the next entry.
   * @param {Level} level
   * @param {Element | null} entry
   * @param {Node} parent
   * @param {number} count
   */
  fillLevel(level, entry, parent, count) {
    const onBar = !level.depth;
    for (; entry && count; entry = entry.nextElementSibling) {
      if (entry.tagName != 'LI') continue;
      const item = readItem(/** @type {HTMLElement} */ (entry), level, this.tooltips);
      level.items.push(item);
      item.cell = makeCell(item, onBar, this.vertical);
      (onBar && this.vertical ? element('tr', '', /** @type {Element} */ (parent)) : parent).appendChild(item.cell);
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
  popupOf(item) {
    if (item.popup) return item.popup;
    const box = element('div', 'bnaz-bwAb', null, 'menu');
    /** @type {Level} */
    const level = item.popup = { depth: item.level.depth + 1, box, opener: item, items: [], side: item.level.side };
    box.setAttribute('aria-orientation', 'vertical');
    box.setAttribute('aria-label', item.link?.textContent?.trim() || '');
    if (this.rightToLeft) box.dir = 'rtl';
    setShown(box);
    level.scrollUp = element('div', SCROLL_UP, box);
    level.scrollArea = element('div', 'bnaz-bsAb', box);
    level.scrollDown = element('div', SCROLL_DOWN, box);
    for (const part of [level.scrollUp, level.scrollArea, level.scrollDown]) levelOfScrollPart.set(part, level);
    setShown(level.scrollUp);
    setShown(level.scrollDown);
    level.scrollArea.style.cssText = 'overflow-y:auto;scrollbar-width:none;overscroll-behavior:contain';
    const rows = element('tbody', '', element('table', '', level.scrollArea, 'none'));
    this.fillLevel(level, /** @type {HTMLElement} */ (item.subList).firstElementChild, rows, Infinity);
    if (this.shadow) {
      const shadow = level.shadow = element('div', 'bnaz-bvAb');
      shadow.style.cssText = `display:none;background:none;border:8px solid transparent;border-image:url("${SHADOW_IMAGE}") 8 fill`;
      document.body.append(shadow);
    }
    document.body.append(box);
    this.popups.push(level);
    return level;
  }

  /**
   * Opens the item's sub-menu, closing those of its siblings.
   * @param {Item} item
   */
  open(item) {
    const level = this.popupOf(item);
    this.closeFrom(item.level.depth);
    this.openPath[item.level.depth] = item;
    item.cell.classList.add(ACTIVE);
    item.link?.setAttribute('aria-expanded', 'true');
    setShown(level.box, true);
    setShown(level.shadow, true);
    /** @type {HTMLElement} */ (level.scrollArea).scrollTop = 0;
    this.place(level);
    return level;
  }

  /** @param {Level} level */
  place(level) {
    if (placePopup(level, this)) this.updateScrollButtons(level);
  }

  /**
   * Closes the pop-ups of depth `depth` and deeper; focus in them goes back to their opener.
   * @param {number} depth
   */
  closeFrom(depth) {
    let focusBackTo = null;
    while (this.openPath.length > depth) {
      const item = /** @type {Item} */ (this.openPath.pop()), level = /** @type {Level} */ (item.popup);
      if (level.box.contains(document.activeElement)) focusBackTo = item;
      setShown(level.box);
      setShown(level.shadow);
      item.cell.classList.remove(ACTIVE);
      item.link?.setAttribute('aria-expanded', 'false');
      if (this.scrollButton && levelOfScrollPart.get(this.scrollButton) == level) this.pressScrollButton(null);
    }
    if (focusBackTo) this.focusItem(focusBackTo);
  }

  /** Closes every pop-up of the menu. */
  close() {
    clearTimeout(this.closeTimer);
    clearTimeout(this.aimTimer);
    this.pendingHover = null;
    this.closeFrom(0);
    this.highlight(null);
  }

  /** Takes the menu off the page and gives the list back its entries; a second call does nothing. */
  destroy() {
    if (this.destroyed) return;
    this.destroyed = true;
    this.close();
    clearTimeout(this.blinkTimer);
    clearTimeout(this.growTimer);
    cancelAnimationFrame(this.placeFrame);
    this.pressScrollButton(null);
    this.listen(false);
    this.collapser.destroy();
    this.bar.remove();
    this.root.remove();
    for (const level of [this.barLevel, ...this.popups]) level.items.forEach(restoreItem);
    for (const level of this.popups) {
      level.box.remove();
      level.shadow?.remove();
    }
    this.popups = [];
    if (/** @type {any} */ (this.list).$velmo == this) delete (/** @type {any} */ (this.list).$velmo);
    releaseBaseStyle();
  }

  /** @param {boolean} on */
  listen(on) {
    const method = on ? 'addEventListener' : 'removeEventListener';
    for (const type of DOCUMENT_EVENTS) document[method](type, this, true);
    for (const type of ['resize', 'scroll']) window[method](type, this, { capture: true, passive: true });
  }

  /** @param {Event} event */
  handleEvent(event) {
    const type = event.type, target = /** @type {Node | null} */ (event.target);
    if (type == 'resize' || type == 'scroll') return this.onViewportChange(event);
    if (type == 'keydown') return handleKey(this, /** @type {KeyboardEvent} */ (event));
    if (INSIDE_EVENTS.includes(type) && !this.contains(target)) return;
    if (this.collapser.handles(event)) return;
    /** @type {Record<string, (event: any) => void>} */ (this.pointer)[type]?.(event);
  }

  /** @param {Event} event */
  onViewportChange(event) {
    const level = levelOfScrollPart.get(/** @type {Element} */ (event.target));
    if (event.type == 'resize') this.collapser.schedule();
    if (!level) this.followLayout();
    else if (this.popups.includes(level)) this.updateScrollButtons(level);
  }

  /** Places the open pop-ups again in the next frame, after the page moved or changed size. */
  followLayout() {
    if (this.openPath.length && !this.placeFrame) this.placeFrame = requestAnimationFrame(() => {
      this.placeFrame = 0;
      for (const item of this.openPath) this.place(/** @type {Level} */ (item.popup));
    });
  }

  /** @param {Level} level */
  updateScrollButtons(level) {
    const area = /** @type {HTMLElement} */ (level.scrollArea);
    /** @type {HTMLElement} */ (level.scrollUp).style.opacity = this.canScroll(area, -1) ? '' : '.35';
    /** @type {HTMLElement} */ (level.scrollDown).style.opacity = this.canScroll(area, 1) ? '' : '.35';
  }

  /** @param {HTMLElement} area @param {number} direction */
  canScroll(area, direction) {
    return direction < 0 ? area.scrollTop > 0 : area.scrollTop + area.clientHeight < area.scrollHeight - 1;
  }

  /**
   * Marks the scroll button under the pointer (or none), pressed or not, and scrolls its
   * pop-up while there is more to scroll that way.
   * @param {HTMLElement | null} button
   * @param {boolean} [pressed]
   */
  pressScrollButton(button, pressed) {
    const previous = this.scrollButton;
    if (previous && previous != button) previous.className = this.scrollButtonClass(previous);
    this.scrollButton = button;
    if (!button) return;
    const base = this.scrollButtonClass(button);
    button.className = `${base} ${base}-${pressed ? PRESSED : HOVER}`;
    this.scrollSpeed = (base == SCROLL_UP ? -1 : 1) * (pressed ? 10 : 3);
    const step = () => {
      const level = this.scrollButton && levelOfScrollPart.get(this.scrollButton);
      const area = level?.scrollArea;
      this.scrollFrame = 0;
      if (!area || !this.canScroll(area, this.scrollSpeed)) return;
      area.scrollTop += this.scrollSpeed;
      this.scrollFrame = requestAnimationFrame(step);
    };
    if (!this.scrollFrame) this.scrollFrame = requestAnimationFrame(step);
  }

  /** @param {HTMLElement} button */
  scrollButtonClass(button) {
    return button.classList.contains(SCROLL_UP) ? SCROLL_UP : SCROLL_DOWN;
  }

  /**
   * Is the node part of the menu (bar, pop-ups or collapsed list)?
   * @param {Node | null | undefined} node
   */
  contains(node) {
    return !!node && (this.root.contains(node) || this.popups.some(level => level.box.contains(node)));
  }

  /**
   * The item whose cell or row holds the node.
   * @param {EventTarget | null} node
   * @returns {Item | null}
   */
  itemAt(node) {
    const cell = /** @type {Element | null} */ (node)?.closest?.('.bGaz');
    return (cell && this.contains(cell) && itemOfCell.get(cell)) || null;
  }

  /**
   * Highlights the item under the pointer or focus.
   * @param {Item | null} item
   */
  highlight(item) {
    if (this.current == item) return;
    this.current?.cell.classList.remove(HOVER);
    this.current = item;
    item?.cell.classList.add(HOVER);
  }

  /**
   * Makes the bar item the one that Tab reaches (a roving tabindex).
   * @param {Item} item
   */
  makeTabStop(item) {
    for (const other of this.barLevel.items) if (other.link) other.link.tabIndex = other == item ? 0 : -1;
  }

  /**
   * Focuses an item, scrolled into view.
   * @param {Item} item
   */
  focusItem(item) {
    if (!item.level.depth) this.makeTabStop(item);
    item.link?.focus({ preventScroll: true });
    this.highlight(item);
    item.cell.scrollIntoView({ block: 'nearest', inline: 'nearest' });
  }

  /**
   * Opens the item's sub-menu and focuses its first (or last) item.
   * @param {Item} item
   * @param {boolean} [last]
   */
  enter(item, last) {
    const items = this.open(item).items.filter(isSelectable);
    this.focusItem(/** @type {Item} */ (items[last ? items.length - 1 : 0]));
  }

  /**
   * Opens the item's sub-menu and closes its siblings'; waits a moment instead when the
   * pointer is heading for the sibling's open pop-up.
   * @param {Item} item
   * @param {boolean} [now]
   */
  hover(item, now) {
    this.highlight(item);
    this.pendingHover = null;
    clearTimeout(this.aimTimer);
    if (this.clickToOpen && !this.openPath.length) return;
    const depth = item.level.depth, open = this.openPath[depth];
    if (open == item) return this.closeFrom(depth + 1);
    if (open && !now && this.pointer.isAimingAt(/** @type {Level} */ (open.popup))) {
      this.pendingHover = item;
      this.aimTimer = setTimeout(() => this.pendingHover == item && this.hover(item, true), 250);
      return;
    }
    this.closeFrom(depth);
    if (item.subList) this.open(item);
  }

  /**
   * Follows the item's link, after blinking when the design asks for it. Without blinking
   * the browser follows it, honouring its target.
   * @param {Item} item
   * @param {Event} event
   * @param {boolean} synthetic the click was beside the link, not on it
   */
  choose(item, event, synthetic) {
    if (!hasRealLink(item)) return event.preventDefault();
    const blinks = matchMedia('(prefers-reduced-motion: reduce)').matches ? 0 : this.blinkCount;
    if (!blinks && !synthetic) return this.close();
    event.preventDefault();
    if (this.blinkTimer) return;
    let step = 0;
    const blink = () => {
      if (step < 2 * blinks) {
        item.cell.classList.toggle(HOVER, step++ % 2 == 1);
        this.blinkTimer = setTimeout(blink, 80);
        return;
      }
      this.blinkTimer = 0;
      this.close();
      this.ownClick = item.link;
      item.link?.click();
    };
    this.highlight(item);
    blink();
  }
}
