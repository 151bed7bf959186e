// Using the page as a person does: opening it, typing a birth into the form, asking for
// the reading, closing the messages it shows.

/// The worked example as typed into the form.
export const workedExample = {
  name: 'asha rao', month: 'January', day: '1', year: '2000', hour: '12', minute: '0',
  zoneHour: '5', zoneMinute: '30', lonD: '77', lonM: '13', latD: '28', latM: '37',
};

/// A fresh page of the site once it is ready (or says it cannot run), with every request
/// it makes and every error it reports.
export async function openPage(browser, origin, viewport = { width: 1024, height: 800 }) {
  const page = await browser.newPage();
  const requests = [];
  const errors = [];
  page.on('request', (request) => requests.push(request.url()));
  page.on('pageerror', (error) => errors.push(String(error)));
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  await page.setViewport(viewport);
  await page.goto(origin, { waitUntil: 'load' });
  await page.waitForFunction(() => document.documentElement.dataset.state);
  return { page, requests, errors };
}

/// The message shown now ({message, icon}), or null.
const messageShown = (page) => page.evaluate(() => {
  const dialog = document.getElementById('message');
  return dialog.open ? { message: document.getElementById('messageText').textContent, icon: dialog.dataset.icon } : null;
});

/// Closes the message with its OK button; where the focus went then.
async function closeMessage(page) {
  await page.click('#cmdMessageOK');
  return page.evaluate(() => document.activeElement.id);
}

/// Types text key by key into the box; each message a key brings is closed as a person
/// would, with where the focus went after it.
export async function messagesWhileTyping(page, box, text) {
  const said = [];
  await page.focus(`#${box}`);
  for (const key of text) {
    await page.keyboard.type(key);
    const message = await messageShown(page);
    if (message) said.push({ ...message, focusAfter: await closeMessage(page) });
  }
  return said;
}

/// Types a birth into the form: the boxes emptied and typed, the lists chosen, the choices
/// clicked. west, south and dst are choices; the rest texts.
export async function fillForm(page, birth) {
  const boxes = { name: 'txtName', zoneHour: 'txtZoneHour', zoneMinute: 'txtZoneMinute', lonD: 'txtLonD',
    lonM: 'txtLonM', latD: 'txtLatD', latM: 'txtLatM' };
  const lists = { month: 'cboMonth', day: 'cboDate', year: 'cboYear', hour: 'cboHH', minute: 'cboMM' };
  for (const [field, id] of Object.entries(boxes)) {
    await page.$eval(`#${id}`, (input) => { input.value = ''; });
    if (birth[field]) await page.type(`#${id}`, birth[field]);
  }
  for (const [field, id] of Object.entries(lists)) await page.select(`#${id}`, birth[field]);
  await page.click(birth.west ? '#optLong1' : '#optLong0');
  await page.click(birth.south ? '#optLat1' : '#optLat0');
  if (await page.$eval('#chkDST', (box) => box.checked) !== !!birth.dst) await page.click('#chkDST');
}

/// The four texts on show, in the tool's shape.
export const readingShown = (page) => page.evaluate(() => {
  const text = (id) => document.getElementById(id).value;
  return {
    sidereal: { geocentric: text('txtSiderealNonParallax'), topocentric: text('txtSiderealParallax') },
    tropical: { geocentric: text('txtWesternNonParallax'), topocentric: text('txtWesternParallax') },
  };
});

/// Clicks "Get My Parallax Reading": the reading shown, or the message (closed again, with
/// where the focus went).
export async function clickReading(page) {
  await page.click('#cmdRashi');
  const message = await messageShown(page);
  if (message) return { ...message, focusAfter: await closeMessage(page) };
  if (await page.$eval('#frmDisplay', (display) => display.hidden)) throw new Error('neither a reading nor a message');
  return readingShown(page);
}
