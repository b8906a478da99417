// node e2e.mjs FLTCONVERT EXAMPLE.flt [SAMPLES_DIR]
//
// Opens converted databases in the viewer in headless Chromium (Debian's
// /usr/bin/chromium): `fltconvert --view` converts and serves each one, the
// page loads it, and once the first frame is drawn the test checks that the
// model covers pixels of the view and that the node list names the scene's
// nodes, and that the drawing fills the frame the model's box is expected to
// take. The example must show its town's names, and its tree's controls must
// work: hiding a node, framing one, choosing a level of detail, wireframe and
// the statistics line. Every sample database (copied first: conversion writes
// logs beside its inputs) must show itself. Screenshots go to $FLT_E2E_SHOTS
// when that is set.
import { spawn } from 'node:child_process';
import { cp, mkdtemp, readdir, rm } from 'node:fs/promises';
import { existsSync } from 'node:fs';
import os from 'node:os';
import path from 'node:path';

const [fltconvert, example, samplesDir] = process.argv.slice(2);
const browserPath = '/usr/bin/chromium';
if (!fltconvert || !example) {
  console.error('usage: node e2e.mjs FLTCONVERT EXAMPLE.flt [SAMPLES_DIR]');
  process.exit(2);
}
// 77 tells CTest the test was skipped.
if (!existsSync(browserPath)) {
  console.log(`skipped: ${browserPath} is not installed`);
  process.exit(77);
}
if (!existsSync(new URL('./node_modules/playwright-core', import.meta.url))) {
  console.log('skipped: run npm ci in viewer/ first');
  process.exit(77);
}
const { chromium } = await import('playwright-core');

const exampleNames = ['root', 'town', 'ground', 'houseLOD', 'townHouse', 'lampA', 'lampB', 'fountain', 'bench'];
const loadLimitMs = 60000;

// Starts `fltconvert --view file` and resolves with the page address it prints.
function startViewer(file) {
  const child = spawn(fltconvert, ['--view', file], { stdio: ['ignore', 'pipe', 'pipe'] });
  const address = new Promise((resolve, reject) => {
    let output = '';
    child.stdout.on('data', (chunk) => {
      output += chunk;
      const found = output.match(/viewer: (http:\/\/127\.0\.0\.1:\d+\/\S*)/);
      if (found) resolve(found[1]);
    });
    child.stderr.on('data', () => {});
    child.on('exit', (code) => reject(new Error(`fltconvert --view exited with ${code}`)));
  });
  return { child, address };
}

// Pixels of the drawn frame that differ from the background, counted in the
// page, and the rectangle they lie in.
function coveredPixels(page) {
  return page.evaluate(() => {
    const canvas = document.querySelector('#view canvas');
    const copy = document.createElement('canvas');
    copy.width = canvas.width;
    copy.height = canvas.height;
    const context = copy.getContext('2d');
    context.drawImage(canvas, 0, 0);
    const pixels = context.getImageData(0, 0, copy.width, copy.height).data;
    const background = [0x20, 0x24, 0x2c];
    let covered = 0;
    const area = { left: Infinity, top: Infinity, right: -Infinity, bottom: -Infinity };
    for (let i = 0; i < pixels.length; i += 4) {
      const off = Math.abs(pixels[i] - background[0]) + Math.abs(pixels[i + 1] - background[1]) +
        Math.abs(pixels[i + 2] - background[2]);
      if (off > 12) {
        covered++;
        const x = (i / 4) % copy.width;
        const y = Math.floor(i / 4 / copy.width);
        area.left = Math.min(area.left, x);
        area.right = Math.max(area.right, x + 1);
        area.top = Math.min(area.top, y);
        area.bottom = Math.max(area.bottom, y + 1);
      }
    }
    return { covered, total: pixels.length / 4, area, width: copy.width, height: copy.height };
  });
}

// The page frames a model (or a focused node) so that its box lies in the
// middle of the view and fills it along one side at least by half; what is
// drawn must lie inside that box and span at least half of it on one side.
function checkFraming(drawn, expected, what) {
  const { area, width, height } = drawn;
  const slack = 3;
  if (area.left < expected.left - slack || area.right > expected.right + slack ||
      area.top < expected.top - slack || area.bottom > expected.bottom + slack)
    throw new Error(`${what}: drawn ${JSON.stringify(area)} outside its box ${JSON.stringify(expected)}`);
  const centerX = (expected.left + expected.right) / 2 / width;
  const centerY = (expected.top + expected.bottom) / 2 / height;
  if (Math.abs(centerX - 0.5) > 0.1 || Math.abs(centerY - 0.5) > 0.1)
    throw new Error(`${what}: its box is not in the middle of the view (${centerX}, ${centerY})`);
  const fills = Math.max((expected.right - expected.left) / width, (expected.bottom - expected.top) / height);
  if (fills < 0.5) throw new Error(`${what}: its box fills only ${fills} of the view`);
  const across = Math.max((area.right - area.left) / (expected.right - expected.left),
    (area.bottom - area.top) / (expected.bottom - expected.top));
  if (across < 0.5) throw new Error(`${what}: the drawing spans only ${across} of its box`);
}

const nextFrame = (page) => page.evaluate(() => new Promise((done) => requestAnimationFrame(() => done())));
const statistics = (page) => page.$eval('#stats', (line) => ({
  text: line.textContent, triangles: Number(line.dataset.triangles), calls: Number(line.dataset.calls) }));

// The example's tree controls, each through what the view then shows.
async function checkControls(page) {
  const before = await statistics(page);
  if (!/^draw calls \d+, triangles \d+, textures missing 1$/.test(before.text))
    throw new Error(`statistics line: ${before.text}`);
  const shownBox = (name) => page.locator('#tree li', { has: page.locator(`> .name:text-is("${name}")`) })
    .first().locator('> input.shown');

  await shownBox('fountain').uncheck();
  await nextFrame(page);
  const hidden = await statistics(page);
  if (!(hidden.triangles < before.triangles)) throw new Error('hiding the fountain drew as many triangles');
  await shownBox('fountain').check();

  await page.locator('#tree .name', { hasText: /^bench$/ }).first().click();
  await nextFrame(page);
  const bench = await page.evaluate(() => window.screenBoxOf('bench'));
  const { width, height } = await coveredPixels(page);
  const benchCenter = [(bench.left + bench.right) / 2 / width, (bench.top + bench.bottom) / 2 / height];
  const benchFills = Math.max((bench.right - bench.left) / width, (bench.bottom - bench.top) / height);
  if (Math.abs(benchCenter[0] - 0.5) > 0.1 || Math.abs(benchCenter[1] - 0.5) > 0.1 || benchFills < 0.5)
    throw new Error(`focusing the bench did not frame it: ${JSON.stringify(bench)}`);

  const levels = page.locator('select.levels').first();
  const options = await levels.locator('option').allTextContents();
  if (options[0] !== 'all levels' || !options.includes('houseLOD (0 to 500)'))
    throw new Error(`level choices: ${options.join(', ')}`);

  await page.check('#wireframe');
  await nextFrame(page);
  const wire = await coveredPixels(page);
  await page.uncheck('#wireframe');
  await nextFrame(page);
  const solid = await coveredPixels(page);
  if (!(wire.covered < solid.covered)) throw new Error('wireframe covers as much as the solid model');
}

async function check(context, file, expectedNames) {
  const { child, address } = startViewer(file);
  const page = await context.newPage();
  try {
    await page.goto(await address);
    await page.waitForSelector('body[data-state]', { timeout: loadLimitMs });
    const state = await page.getAttribute('body', 'data-state');
    if (state !== 'ready') throw new Error(`the viewer says: ${await page.textContent('#status')}`);
    if (process.env.FLT_E2E_SHOTS)
      await page.screenshot({ path: path.join(process.env.FLT_E2E_SHOTS, path.basename(file) + '.png') });
    const drawn = await coveredPixels(page);
    const { covered, total } = drawn;
    if (covered < total / 1000) throw new Error(`the model covers ${covered} of ${total} pixels`);
    checkFraming(drawn, await page.evaluate(() => window.screenBoxOf()), 'the model');
    const listed = await page.$$eval('#tree .name', (labels) => labels.map((label) => label.textContent));
    if (listed.length === 0) throw new Error('the node list is empty');
    const missing = expectedNames.filter((name) => !listed.includes(name));
    if (missing.length) throw new Error(`the node list lacks ${missing.join(', ')}`);
    if (expectedNames.length) await checkControls(page);
    return `${covered} of ${total} pixels, ${listed.length} nodes listed`;
  } finally {
    await page.close();
    child.kill('SIGTERM');
  }
}

const work = await mkdtemp(path.join(os.tmpdir(), 'flt-e2e-'));
const cases = [];
await cp(path.dirname(example), path.join(work, 'example'), { recursive: true });
cases.push({ file: path.join(work, 'example', path.basename(example)), names: exampleNames });
if (samplesDir && existsSync(samplesDir)) {
  await cp(samplesDir, path.join(work, 'samples'), { recursive: true });
  const entries = await readdir(path.join(work, 'samples'), { recursive: true });
  for (const entry of entries.filter((name) => name.endsWith('.flt')).sort())
    cases.push({ file: path.join(work, 'samples', entry), names: [] });
}

const context = await chromium.launchPersistentContext(path.join(work, 'profile'), {
  executablePath: browserPath,
  headless: true,
  viewport: { width: 800, height: 600 },
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--enable-unsafe-swiftshader'],
});
let passed = 0;
let failed = 0;
for (const { file, names } of cases) {
  const shown = path.relative(work, file);
  try {
    console.log(`ok ${shown}: ${await check(context, file, names)}`);
    passed++;
  } catch (error) {
    console.log(`FAILED ${shown}: ${error.message}`);
    failed++;
  }
}
await context.close();
await rm(work, { recursive: true, force: true });
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
