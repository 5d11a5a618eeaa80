// Class names of the design's stylesheet that the runtime sets as the menu changes state.

/** an item under the pointer or focus */
export const HOVER = 'bqAb';
/** an item whose sub-menu is open */
export const ACTIVE = 'brAb';
/** a pressed scroll button */
export const PRESSED = 'buAb';
export const SCROLL_UP = 'bnaz-bsAb-btAb';
export const SCROLL_DOWN = 'bnaz-bsAb-Boaz';
