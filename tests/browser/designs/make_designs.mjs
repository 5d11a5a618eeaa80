// Writes the designs of the browser suite as project files, with the item icons beside
// them: run.sh publishes each with zarvex-cli and the tests load the published pages.
//   node designs/make_designs.mjs
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { item, SEPARATOR, projectFile } from './project_file.mjs';

const HERE = path.dirname(fileURLToPath(import.meta.url));

// 16 x 16 item icons.
const ICONS = {
  'page.gif': 'R0lGODlhEAAQAPEAAP///ygoKPrwyAAAACH5BAEAAAAALAAAAAAQABAAAAIohI+pu+EPVRC00iCtxWlCJ3DIpF1ZGWafd5biQbrql3ZoPa4Pw/dMAQA7',
  'tool.gif': 'R0lGODlhEAAQAPEAAP///1paZKpuMgAAACH5BAEAAAAALAAAAAAQABAAAAIghI+py50Bo4Ro2lCvzFGI2XgOIo5GaaKj6rChYJ5w3BQAOw==',
};

// Items link to landing.html, which the test server answers in every folder.
const TREE = [
  item('Home', { link: 'landing.html?home', tip: 'Start page' }),
  item('Products', {}, [
    item('Tools', { icon: 'tool.gif' }, [
      item('Hammer', { link: 'landing.html?hammer', tip: 'A hammer' }),
      item('Saw', { link: 'landing.html?saw' }),
      item('Drill', { link: 'landing.html?drill' }),
      item('Pliers', { link: 'landing.html?pliers' }),
      item('Wrench', { link: 'landing.html?wrench' }),
    ]),
    SEPARATOR,
    item('Parts', {}, [item('Bolts', { link: 'landing.html?bolts' }), item('Nuts', { link: 'landing.html?nuts' })]),
    item('Catalogue', { link: 'landing.html?catalogue', icon: 'page.gif', tip: 'The whole range' }),
    item('Coming soon'),
  ]),
  item('Services', { link: 'landing.html?services' }, [
    item('Consulting', { link: 'landing.html?consulting' }),
    item('Training', { link: 'landing.html?training', target: '_blank' }),
  ]),
  SEPARATOR,
  item('Contact', { link: 'landing.html?contact', target: '_blank', tip: 'Write to us' }),
];
// A pop-up taller than the viewport, with a separator and a sub-menu far down.
const LONG = [
  item('Home', { link: 'landing.html?home' }),
  item('Archive', {}, Array.from({ length: 60 }, (_, i) =>
    i === 30 ? SEPARATOR : item(`Issue ${String(i + 1).padStart(2, '0')}`, { link: `landing.html?issue${i + 1}` }, i === 45 ? [
      item('Summary', { link: 'landing.html?summary' }), item('Letters', { link: 'landing.html?letters' })] : undefined))),
  item('About', { link: 'landing.html?about' }),
];
// The second menu of the two-menus page (published beside `default`).
const TREE2 = [
  item('News', { link: 'landing.html?news' }),
  item('Sport', {}, [item('Football', { link: 'landing.html?football' }), item('Tennis', { link: 'landing.html?tennis' })]),
  item('Weather', { link: 'landing.html?weather' }),
];

const DESIGNS = {
  default: [{}, TREE],
  vertical: [{ Orientation: '1' }, TREE],
  click: [{ ClickToOpen: '1' }, TREE],
  notips: [{ ShowTooltips: '0' }, TREE],
  // also a text colour of its own, which pop-ups of quirks-mode pages must show too
  noshadow: [{ ShowShadow: '0', TextColor: '7A1F1F' }, TREE],
  blink: [{ BlinkTimes: '2' }, TREE],
  long: [{}, LONG],
  second: [{ MenuName: 'MyMenu2', Orientation: '1', BackgroundColorHover: 'C55A31' }, TREE2],
};

for (const [design, [menu, tree]] of Object.entries(DESIGNS))
  fs.writeFileSync(path.join(HERE, `${design}.zarvex`), projectFile(menu, tree), 'latin1');
for (const [file, b64] of Object.entries(ICONS)) fs.writeFileSync(path.join(HERE, file), Buffer.from(b64, 'base64'));
console.log(`${Object.keys(DESIGNS).length} designs written to ${HERE}`);
