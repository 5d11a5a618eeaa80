// Firefox and WebKit for the cross-engine part of the browser suite: Debian's firefox-esr
// through puppeteer-core (WebDriver BiDi) and WebKitGTK's MiniBrowser through
// WebKitWebDriver and selenium-webdriver (MiniBrowser needs an X display: run.sh starts
// the tests under xvfb-run). Both behind one small interface, so that one test file
// checks both engines alike:
//   goto(url, width, height), run(fn, ...args) (fn runs in the page; a promise is awaited),
//   key(name), hover(selector), click(selector), close()
import fs from 'node:fs';
import net from 'node:net';
import { spawn } from 'node:child_process';

export const FIREFOX = process.env.ZARVEX_FIREFOX || '/usr/bin/firefox-esr';
export const WEBKIT_DRIVER = process.env.ZARVEX_WEBKIT_DRIVER || '/usr/bin/WebKitWebDriver';
export const MINIBROWSER = process.env.ZARVEX_MINIBROWSER || '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

/** Why the engine cannot run here, or null when it can. */
export function missing(name) {
  const needed = name == 'firefox' ? [FIREFOX] : [WEBKIT_DRIVER, MINIBROWSER];
  const absent = needed.filter(file => !fs.existsSync(file));
  if (absent.length) return `${absent.join(' and ')} not installed (apt-get install ${name == 'firefox' ? 'firefox-esr' : 'webkit2gtk-driver'})`;
  if (name == 'webkit' && !process.env.DISPLAY) return 'MiniBrowser needs an X display (run under xvfb-run)';
  return null;
}

/** @param {string} name 'firefox' or 'webkit' */
export async function startEngine(name) {
  return name == 'firefox' ? startFirefox() : startWebKit();
}

async function startFirefox() {
  const { default: puppeteer } = await import('puppeteer-core');
  const browser = await puppeteer.launch({ browser: 'firefox', executablePath: FIREFOX, headless: true,
    extraPrefsFirefox: { 'ui.prefersReducedMotion': 0 } });
  const page = await browser.newPage();
  const keyNames = { ' ': 'Space' };
  return {
    name: 'firefox',
    async goto(url, width, height) {
      await page.setViewport({ width, height });
      await page.goto(url, { waitUntil: 'load' });
    },
    run: (fn, ...args) => page.evaluate(typeof fn == 'string' ? `(${fn})(...${JSON.stringify(args)})` : fn, ...args),
    key: key => page.keyboard.press(keyNames[key] || key),
    hover: selector => page.hover(selector),
    click: selector => page.click(selector),
    close: () => browser.close(),
  };
}

/** A free port on the loopback interface. */
function freePort() {
  return new Promise((ok, fail) => {
    const server = net.createServer().listen(0, '127.0.0.1', () => {
      const { port } = /** @type {net.AddressInfo} */ (server.address());
      server.close(() => ok(port));
    }).on('error', fail);
  });
}

async function startWebKit() {
  const { Builder, By, Key } = await import('selenium-webdriver');
  const port = await freePort();
  const driverProcess = spawn(WEBKIT_DRIVER, [`--port=${port}`], { stdio: 'ignore' });
  let driver;
  for (let attempt = 0; !driver; attempt++) {
    try {
      driver = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities({
        browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': { binary: MINIBROWSER, args: ['--automation'] },
      }).build();
    } catch (error) {
      // the driver takes a moment to listen
      if (attempt > 50) { driverProcess.kill(); throw error; }
      await new Promise(ok => setTimeout(ok, 200));
    }
  }
  const keys = { ArrowDown: Key.ARROW_DOWN, ArrowUp: Key.ARROW_UP, ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT,
    Escape: Key.ESCAPE, Enter: Key.ENTER, Tab: Key.TAB, ' ': Key.SPACE, Home: Key.HOME, End: Key.END };
  return {
    name: 'webkit',
    async goto(url, width, height) {
      // MiniBrowser's window is never narrower than about 447 px
      await driver.manage().window().setRect({ width, height });
      await driver.get(url);
      await driver.wait(() => driver.executeScript('return document.readyState == "complete"'), 10000);
    },
    run: (fn, ...args) => driver.executeAsyncScript(
      `const done = arguments[arguments.length - 1];
       Promise.resolve((${fn}).apply(null, Array.prototype.slice.call(arguments, 0, -1))).then(done, e => done({ pageError: String(e) }));`,
      ...args),
    key: async key => driver.actions().sendKeys(keys[key] || key).perform(),
    hover: async selector => driver.actions().move({ origin: await driver.findElement(By.css(selector)) }).perform(),
    click: async selector => (await driver.findElement(By.css(selector))).click(),
    close: async () => {
      try { await driver.quit(); } finally { driverProcess.kill(); }
    },
  };
}
