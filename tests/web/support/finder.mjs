// The place finder as the browser tests drive it: the page opened with the birth's date
// and time in the entry lists, and a text typed into the finder until its answer shows.

/// Chooses the birth's date and time in the entry lists, as a person picks them, once the
/// page has filled its lists.
export async function setBirthLists(page, { year, month, day, hour, minute }) {
  await page.waitForFunction(() => document.documentElement.dataset.state);
  await page.evaluate((values) => {
    for (const [id, value] of Object.entries(values)) {
      const list = document.getElementById(id);
      list.selectedIndex = id === 'cboMonth' ? value - 1
        : [...list.options].findIndex((option) => Number(option.text) === value);
      list.dispatchEvent(new Event('change', { bubbles: true }));
    }
  }, { cboYear: year, cboMonth: month, cboDate: day, cboHH: hour, cboMM: minute });
}

/// A new page of the site with the birth's date and time in its lists, and its errors.
export async function openFinder(browser, origin, local) {
  const page = await browser.browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(String(error)));
  await page.goto(origin, { waitUntil: 'load' });
  await setBirthLists(page, local);
  return { page, errors };
}

/// What the finder shows once the search of the typed text has answered.
export async function typed(page, text) {
  await page.$eval('#txtSearch', (search) => { search.value = ''; });
  await page.type('#txtSearch', text);
  await page.waitForFunction((query) => document.getElementById('lblClock').dataset.query === query, {}, text);
  return page.evaluate(() => ({
    rows: [...document.querySelectorAll('#lstPlaces li')].map((li) => li.textContent),
    selected: document.querySelector('#lstPlaces li[aria-selected="true"]')?.id ?? null,
    clock: document.getElementById('lblClock').textContent,
    notes: document.getElementById('lblNotes').textContent,
    occurrences: document.getElementById('fraOccurrence').hidden ? []
      : [0, 1].map((i) => document.getElementById(`lblOccurrence${i}`).textContent),
  }));
}
