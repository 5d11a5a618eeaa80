// Class names of the design's stylesheet that the runtime sets as the menu changes state.

/** an item under the pointer or focus */
export const HOVER = 'bqAb';
/** an item whose sub-menu is open */
export const ACTIVE = 'brAb';
/** a pressed scroll button */
export const PRESSED = 'buAb';
export const SCROLL_UP = 'bnaz-bsAb-btAb';
export const SCROLL_DOWN = 'bnaz-bsAb-Boaz';

// The runtime's own classes, which pages may style (the help lists them).
/** the link of the item that leads to the page itself */
export const CURRENT = 'velmo-current';
/** the links of the items above it */
export const CURRENT_BRANCH = 'velmo-current-branch';
/** an arrow drawn in the item's text colour, in place of the arrow images */
export const DRAWN_ARROW = 'velmo-arrow';
/** in site navigation, the button beside a parent's own link */
export const TOGGLE = 'velmo-disclosure';
/** the mark of a bar item that opens a sub-menu */
export const CARET = 'velmo-caret';
