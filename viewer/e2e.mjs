// node e2e.mjs FLTCONVERT EXAMPLE.flt [SAMPLES_DIR]
//
// Opens converted databases in the viewer in headless Chromium (Debian's
// /usr/bin/chromium): `fltconvert --view` converts and serves each one, the
// page loads it, and once the first frame is drawn the test checks that the
// model covers pixels of the view and that the node list names the scene's
// nodes. The example must show its town's names; every sample database
// (copied first: conversion writes logs beside its inputs) must show itself.
// Screenshots go to $FLT_E2E_SHOTS when that is set.
import path from 'node:path';
import { copyCases, coveredPixels, launchBrowser, loadChromiumOrSkip, runCases, startViewer } from './browser-support.mjs';

const [fltconvert, example, samplesDir] = process.argv.slice(2);
if (!fltconvert || !example) {
  console.error('usage: node e2e.mjs FLTCONVERT EXAMPLE.flt [SAMPLES_DIR]');
  process.exit(2);
}
const chromium = await loadChromiumOrSkip();

const exampleNames = ['root', 'town', 'ground', 'houseLOD', 'townHouse', 'lampA', 'lampB', 'fountain', 'bench'];
const loadLimitMs = 60000;

async function check(context, file, expectedNames) {
  const { child, address } = startViewer(fltconvert, file);
  const page = await context.newPage();
  try {
    await page.goto(await address);
    await page.waitForSelector('body[data-state]', { timeout: loadLimitMs });
    const state = await page.getAttribute('body', 'data-state');
    if (state !== 'ready') throw new Error(`the viewer says: ${await page.textContent('#status')}`);
    if (process.env.FLT_E2E_SHOTS)
      await page.screenshot({ path: path.join(process.env.FLT_E2E_SHOTS, path.basename(file) + '.png') });
    const { covered, total } = await coveredPixels(page, '#view canvas');
    if (covered < total / 1000) throw new Error(`the model covers ${covered} of ${total} pixels`);
    const listed = await page.$$eval('#tree .name', (labels) => labels.map((label) => label.textContent));
    if (listed.length === 0) throw new Error('the node list is empty');
    const missing = expectedNames.filter((name) => !listed.includes(name));
    if (missing.length) throw new Error(`the node list lacks ${missing.join(', ')}`);
    return `${covered} of ${total} pixels, ${listed.length} nodes listed`;
  } finally {
    await page.close();
    child.kill('SIGTERM');
  }
}

const { work, files } = await copyCases('flt-e2e-', example, samplesDir);
const context = await launchBrowser(chromium, work);
await runCases(context, work, files, (file) => check(context, file, file === files[0] ? exampleNames : []));
