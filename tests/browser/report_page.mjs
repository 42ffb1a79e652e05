// The HTML report in a real browser: a run with two injected failures shows them in the
// right matrix cells, a click on a cell reveals the failure with its marked difference,
// and the page makes no network request.
// Usage: node report_page.mjs ZQTEST FIXTURE_LIBRARY
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
if (!existsSync(chromiumPath)) skip(`${chromiumPath} is missing (apt-get install chromium)`);

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
  console.log(`report page checks passed in ${((Date.now() - started) / 1000).toFixed(1)} s`);
} finally {
  await context?.close();
  rmSync(work, { recursive: true, force: true });
}
