// Text of a Zarvex project file (.zarvex) for a menu design: 8-bit text with CR LF
// line ends, the tagged sections, one line of menu fields and one line per item in
// pre-order, every field followed by the separator. Used to keep the browser suite's
// designs as project files and by the benchmark for its large menus.

const SEP = '#$@';

// The menu fields in file order, with the values of a new design.
export const MENU_FIELDS = [
  ['MenuName', 'MyMenu1'], ['ListId', ''], ['Orientation', '0'], ['ShowTooltips', '1'], ['ShowShadow', '1'],
  ['ClickToOpen', '0'], ['DelayClose', '100'], ['BlinkTimes', '0'], ['PaddingTop', '0'], ['PaddingRight', '0'],
  ['PaddingBottom', '0'], ['PaddingLeft', '0'], ['BorderWidth', '1'], ['BorderStyle', '3'],
  ['BorderColorTop', '55A1FF'], ['BorderColorRight', '4086E4'], ['BorderColorBottom', '68ACF8'],
  ['BorderColorLeft', '3882E2'], ['Cursor', '2'], ['TextColor', '000000'], ['BackgroundColor', 'FFFFFF'],
  ['TextColorHover', 'FFFFFF'], ['BackgroundColorHover', '316AC5'], ['TextColorActive', 'FFFFFF'],
  ['BackgroundColorActive', '316AC5'], ['ZIndex', '1000'], ['FontFamily', 'tahoma, verdana, sans-serif'],
  ['FontSize', '11'], ['IconWidth', '16'], ['IconHeight', '16'], ['ArrowImage', 'arrowr.gif'],
  ['ArrowImageHover', 'arrowrh.gif'], ['SeparatorImage', 'sep.gif'], ['ScrollUpImage', 'scrollu.gif'],
  ['ScrollUpImageHover', 'scrolluh.gif'], ['ScrollUpImagePressed', 'scrollud.gif'], ['ScrollDownImage', 'scrolld.gif'],
  ['ScrollDownImageHover', 'scrolldh.gif'], ['ScrollDownImagePressed', 'scrolldd.gif'], ['LocalRootDir', ''],
  ['RemoteRootDir', ''], ['UseLocalPaths', '0'],
];
const MENU_NAMES = new Set(MENU_FIELDS.map(([n]) => n));

/** An item of a design tree: text plus { link, target, tip, icon } and its children. */
export const item = (text, more = {}, kids) => ({ text, ...more, kids });
export const SEPARATOR = item('Separator');

// A field value must stay on its line and between its separators.
function checked(where, value) {
  const v = String(value);
  if (v.includes(SEP) || /[\r\n]/.test(v) || /[^\x00-\xff]/.test(v)) throw Error(`${where}: ${JSON.stringify(v)} cannot be stored`);
  return v;
}

/**
 * The project file for `menu` (menu field names to values; the rest keep the values of
 * a new design) and `tree` (top-level items, children in `kids`).
 */
export function projectFile(menu, tree) {
  for (const k of Object.keys(menu)) if (!MENU_NAMES.has(k)) throw Error(`no menu field ${k}`);
  // a saved design carries the list id of its last build
  const defaults = { ListId: `${menu.MenuName ?? 'MyMenu1'}_ul` };
  const fields = MENU_FIELDS.map(([name, value]) => checked(name, menu[name] ?? defaults[name] ?? value));
  const items = [];
  const walk = (kids, level, parent) => {
    for (const k of kids) {
      const index = items.length;
      items.push([k.text, k.icon || '', k.link || '', k.target || '_self', k.tip || '', '', level, '', '', parent]
        .map((v, i) => checked(`${k.text} field ${i + 1}`, v)));
      walk(k.kids || [], level + 1, index);
    }
  };
  walk(tree, 0, -1);
  const line = values => values.map(v => v + SEP).join('');
  return ['<Warning_Info>', 'Note: This file was created and maintained by Zarvex 1.0.',
    'Do not modify it or script project may not be opened again!', '</Warning_Info>',
    '<Product_Name>', 'Zarvex', '</Product_Name>', '<Product_Version>', '1.0', '</Product_Version>',
    '<Applet_Parameters>', line(fields), '</Applet_Parameters>',
    '<Item_Parameters>', ...items.map(line), '</Item_Parameters>'].map(l => l + '\r\n').join('');
}
