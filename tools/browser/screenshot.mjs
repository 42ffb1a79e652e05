// Photographs an HTML report in the system's Chromium, optionally with one cell's failures open.
// Usage: node tools/browser/screenshot.mjs REPORT.html OUT.png [CELL-ID]
import { mkdtempSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const { chromium } = createRequire(import.meta.url)('playwright-core');
const [report, out, cell] = process.argv.slice(2);
const profile = mkdtempSync(join(tmpdir(), 'zqtest-shot-'));
const context = await chromium.launchPersistentContext(profile, {
  executablePath: '/usr/bin/chromium',
  headless: true,
  viewport: { width: 1200, height: 900 },
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
try {
  const page = context.pages()[0] ?? await context.newPage();
  await page.goto(pathToFileURL(resolve(report)).href + (cell ? `#${cell}` : ''));
  await page.screenshot({ path: out, fullPage: true });
} finally {
  await context.close();
  rmSync(profile, { recursive: true, force: true });
}
