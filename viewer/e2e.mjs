// node e2e.mjs FLTCONVERT EXAMPLE.flt [SAMPLES_DIR [LEVELS.flt]]
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
import { copyFile, mkdir } from 'node:fs/promises';
import path from 'node:path';
import { copyCases, coveredPixels, launchBrowser, loadChromiumOrSkip, runCases, startViewer } from './browser-support.mjs';

const [fltconvert, example, samplesDir, levels] = process.argv.slice(2);
if (!fltconvert || !example) {
  console.error('usage: node e2e.mjs FLTCONVERT EXAMPLE.flt [SAMPLES_DIR [LEVELS.flt]]');
  process.exit(2);
}
const chromium = await loadChromiumOrSkip();

const exampleNames = ['root', 'town', 'ground', 'houseLOD', 'townHouse', 'lampA', 'lampB', 'fountain', 'bench'];
const loadLimitMs = 60000;

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
  const { width, height } = await coveredPixels(page, '#view canvas');
  const benchCenter = [(bench.left + bench.right) / 2 / width, (bench.top + bench.bottom) / 2 / height];
  const benchFills = Math.max((bench.right - bench.left) / width, (bench.bottom - bench.top) / height);
  if (Math.abs(benchCenter[0] - 0.5) > 0.1 || Math.abs(benchCenter[1] - 0.5) > 0.1 || benchFills < 0.5)
    throw new Error(`focusing the bench did not frame it: ${JSON.stringify(bench)}`);

  await page.check('#wireframe');
  await nextFrame(page);
  const wire = await coveredPixels(page, '#view canvas');
  await page.uncheck('#wireframe');
  await nextFrame(page);
  const solid = await coveredPixels(page, '#view canvas');
  if (!(wire.covered < solid.covered)) throw new Error('wireframe covers as much as the solid model');
}

// The tower's two levels of detail: the coarser, listed with MSFT_lod, is
// drawn in the finer one's place when chosen, and the finer one again after.
async function checkLevels(page) {
  const chooser = page.locator('select.levels');
  if (await chooser.count() !== 1) throw new Error('no choice of levels');
  const options = await chooser.locator('option').allTextContents();
  if (options.length !== 2 || !options[1].startsWith('level 1: towerFar'))
    throw new Error(`level choices: ${options.join(', ')}`);
  const near = await statistics(page);
  await chooser.selectOption('1');
  await page.waitForFunction((before) => Number(document.getElementById('stats').dataset.triangles) !== before,
    near.triangles, { timeout: 10000 });
  const far = await statistics(page);
  await chooser.selectOption('0');
  await nextFrame(page);
  await nextFrame(page);
  const again = await statistics(page);
  if (again.triangles !== near.triangles) throw new Error('the finer level did not come back');
  return `levels: ${near.triangles} triangles near, ${far.triangles} far`;
}

async function check(context, file, expectedNames) {
  const { child, address } = startViewer(fltconvert, file);
  const page = await context.newPage();
  try {
    await page.goto(await address);
    await page.waitForSelector('body[data-state]', { timeout: loadLimitMs });
    const state = await page.getAttribute('body', 'data-state');
    if (state !== 'ready') throw new Error(`the viewer says: ${await page.textContent('#status')}`);
    const title = await page.title();
    if (title !== path.basename(file)) throw new Error(`the page's title is ${title}, not the database's name`);
    if (process.env.FLT_E2E_SHOTS)
      await page.screenshot({ path: path.join(process.env.FLT_E2E_SHOTS, path.basename(file) + '.png') });
    const drawn = await coveredPixels(page, '#view canvas');
    const { covered, total } = drawn;
    if (covered < total / 1000) throw new Error(`the model covers ${covered} of ${total} pixels`);
    checkFraming(drawn, await page.evaluate(() => window.screenBoxOf()), 'the model');
    const listed = await page.$$eval('#tree .name', (labels) => labels.map((label) => label.textContent));
    if (listed.length === 0) throw new Error('the node list is empty');
    const missing = expectedNames.filter((name) => !listed.includes(name));
    if (missing.length) throw new Error(`the node list lacks ${missing.join(', ')}`);
    if (expectedNames.length) await checkControls(page);
    if (file === levelsCase) return await checkLevels(page);
    return `${covered} of ${total} pixels, ${listed.length} nodes listed`;
  } finally {
    await page.close();
    child.kill('SIGTERM');
  }
}

const { work, files } = await copyCases('flt-e2e-', example, samplesDir);
// The database with levels of detail to choose from, second.
let levelsCase = null;
if (levels) {
  levelsCase = path.join(work, 'levels', path.basename(levels));
  await mkdir(path.dirname(levelsCase));
  await copyFile(levels, levelsCase);
  files.splice(1, 0, levelsCase);
}
const context = await launchBrowser(chromium, work);
await runCases(context, work, files, (file) => check(context, file, file === files[0] ? exampleNames : []));
