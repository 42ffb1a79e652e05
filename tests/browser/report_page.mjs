// The HTML report in a real browser: a run with two injected failures shows them in the
// right matrix cells, a click on a cell reveals the failure with its marked difference,
// the page makes no network request, and a real run's whole matrix can be seen at
// 1366 px wide.
// Usage: node report_page.mjs ZQTEST FIXTURE_LIBRARY (zqtest finds the real library beside it)
// Exits 77 (skipped) when Chromium or playwright-core is missing, unless CI is set.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const [zqtest, fixture] = process.argv.slice(2);
const chromiumPath = '/usr/bin/chromium';
const tools = new URL('../../tools/browser/package.json', import.meta.url);

function skip(reason) {
  console.log(`skipped: ${reason}`);
  process.exit(process.env.CI ? 1 : 77);
}

let chromium;
try {
  ({ chromium } = createRequire(tools)('playwright-core'));
} catch {
  skip('playwright-core is not installed (npm ci --prefix tools/browser)');
}
if (!existsSync(chromiumPath)) {
  skip(`${chromiumPath} is missing: install the Debian package chromium (apt-get install chromium)`);
}

const work = mkdtempSync(join(tmpdir(), 'zqtest-browser-'));
const started = Date.now();
let context;
try {
  const report = join(work, 'report.html');
  let exitCode = 0;
  try {
    execFileSync(zqtest, ['--lib', fixture, '--mask', '0x200', '--perf-routine', 'all', '--out', work,
                          '--html', report], { stdio: 'pipe' });
  } catch (error) {
    exitCode = error.status;
  }
  assert.equal(exitCode, 1, 'two unexpected failures fail the run');

  context = await chromium.launchPersistentContext(mkdtempSync(join(work, 'profile-')), {
    executablePath: chromiumPath,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  const requests = [];
  context.on('request', (request) => requests.push(request.url()));
  const page = context.pages()[0] ?? await context.newPage();
  const pageUrl = pathToFileURL(report).href;
  await page.goto(pageUrl);

  // Every matrix cell as "row/column": class, text.
  const cells = await page.$$eval('table.matrix tbody tr', (rows) => {
    const columns = [...document.querySelectorAll('table.matrix thead th')].map((th) => th.textContent);
    const found = {};
    for (const row of rows) {
      [...row.querySelectorAll('td')].forEach((td, i) => {
        found[`${row.querySelector('th').firstChild.textContent.trim()}/${columns[i + 1]}`] =
            `${td.className}: ${td.textContent.replace(/\s+/g, ' ').trim()}`;
      });
    }
    return found;
  });
  const failing = Object.entries(cells).filter(([, cell]) => cell.startsWith('fail'));
  assert.deepEqual(failing, [['sanity1/de_DE', 'fail: ✗ 5 / 6'], ['sanity1/fr_FR', 'fail: ✗ 4 / 5']]);
  assert.equal(cells['sanity1/en_US'], 'pass: ✓ 5 / 5 passed');
  assert.equal(cells['perf/no locale'], 'pass: ✓ 5 / 5 passed');

  const drill = page.locator('#cell-sanity1-fr_FR');
  assert.equal(await drill.isVisible(), false, 'failures stay hidden until their cell is chosen');
  await page.getByRole('link', { name: /sanity1 in fr_FR: 4 of 5 passed, 1 failed/ }).click();
  assert.equal(await drill.isVisible(), true);
  const failure = drill.locator('article.failure');
  assert.match(await failure.locator('h5').innerText(), /FAIL buffer check &fmtbuf against expected at fixture\/sanity1:50001/);
  const marked = await failure.locator('table.pair td').evaluateAll((tds) =>
    tds.map((td) => [...td.querySelectorAll('mark')].map((m) => m.textContent)));
  assert.deepEqual(marked, [['NNBSP'], ['NBSP']], 'expected and actual mark the one unit that differs');
  await failure.locator('summary', { hasText: 'code points' }).click();
  assert.deepEqual(await failure.locator('table.cp mark').allInnerTexts(), ['U+202F', 'U+00A0']);

  // The value failure shows its journal line, not "expected 0, actual 1".
  await page.getByRole('link', { name: /sanity1 in de_DE: 5 of 6 passed/ }).click();
  assert.match(await page.locator('#cell-sanity1-de_DE').innerText(), /day 71 year 2001, but should have been month 9 day 17/);
  assert.equal(await page.locator('#cell-sanity1-fr_FR').isVisible(), false);
  assert.equal(await page.locator('#perf svg').count(), 5, 'one chart per routine');

  assert.deepEqual(requests.filter((url) => url !== pageUrl), [], 'the page fetches nothing');

  // A real run's matrix (every suite and locale) at 1366 px: the page itself never scrolls
  // sideways; the matrix fits, or its frame scrolls with the suite column kept in view.
  const real = join(work, 'real.html');
  execFileSync(zqtest, ['--suite', 'all', '--out', join(work, 'real'), '--html', real], { stdio: 'pipe' });
  await page.setViewportSize({ width: 1366, height: 900 });
  await page.goto(pathToFileURL(real).href);
  const fit = await page.$eval('table.matrix', (table) => {
    const frame = table.parentElement;
    frame.scrollLeft = frame.scrollWidth;
    const box = (element) => element.getBoundingClientRect();
    const firstColumn = table.querySelector('tbody th');
    const { left, top, width, height } = box(firstColumn);
    const atFirstColumn = document.elementFromPoint(left + width / 2, top + height / 2);
    const lastHeader = [...table.querySelectorAll('thead th')].at(-1);
    return {
      page: document.documentElement.scrollWidth,
      columns: table.querySelectorAll('thead th').length,
      tableRight: box(table).right,
      frameLeft: box(frame).left,
      frameRight: box(frame).right,
      scrolls: frame.scrollWidth > frame.clientWidth,
      lastRight: box(lastHeader).right,
      firstColumnLeft: left,
      firstColumnShown: firstColumn.contains(atFirstColumn),
    };
  });
  assert.ok(fit.columns > 20, `a real run has many locales (${fit.columns} columns)`);
  assert.ok(fit.page <= 1366, `the page is ${fit.page} px wide`);
  assert.ok(fit.frameRight <= 1366, 'the matrix frame ends within the window');
  if (fit.scrolls) {
    assert.ok(fit.lastRight <= fit.frameRight + 1, 'scrolled to its end, the last column shows in the frame');
    assert.ok(Math.abs(fit.firstColumnLeft - fit.frameLeft) <= 1 && fit.firstColumnShown,
              'the suite column stays in view while the frame scrolls');
  } else {
    assert.ok(fit.tableRight <= 1366, 'the matrix fits the window');
  }
  console.log(`report page checks passed in ${((Date.now() - started) / 1000).toFixed(1)} s`);
} finally {
  await context?.close();
  rmSync(work, { recursive: true, force: true });
}
