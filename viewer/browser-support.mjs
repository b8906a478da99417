// What the browser tests share: `fltconvert --view` serving a database,
// headless Chromium (Debian's /usr/bin/chromium), the test cases (the
// example and every sample database, copied first: conversion writes logs
// beside its inputs) and the pixels a drawn frame covers.
import { spawn } from 'node:child_process';
import { cp, mkdtemp, readdir, rm } from 'node:fs/promises';
import { existsSync } from 'node:fs';
import os from 'node:os';
import path from 'node:path';

export const browserPath = '/usr/bin/chromium';

// Exits with 77 (CTest's "skipped") when Chromium or the packages are missing.
export async function loadChromiumOrSkip() {
  if (!existsSync(browserPath)) {
    console.log(`skipped: ${browserPath} is not installed`);
    process.exit(77);
  }
  if (!existsSync(new URL('./node_modules/playwright-core', import.meta.url))) {
    console.log('skipped: run npm ci in viewer/ first');
    process.exit(77);
  }
  return (await import('playwright-core')).chromium;
}

export function launchBrowser(chromium, work) {
  return chromium.launchPersistentContext(path.join(work, 'profile'), {
    executablePath: browserPath,
    headless: true,
    viewport: { width: 800, height: 600 },
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--enable-unsafe-swiftshader'],
  });
}

// Starts `fltconvert --view file` and resolves with the page address it prints.
export function startViewer(fltconvert, file) {
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

// A fresh work folder holding copies of the example and the samples, and the
// databases to open there: the example first, then the samples in order.
export async function copyCases(prefix, example, samplesDir) {
  const work = await mkdtemp(path.join(os.tmpdir(), prefix));
  await cp(path.dirname(example), path.join(work, 'example'), { recursive: true });
  const files = [path.join(work, 'example', path.basename(example))];
  if (samplesDir && existsSync(samplesDir)) {
    await cp(samplesDir, path.join(work, 'samples'), { recursive: true });
    const entries = await readdir(path.join(work, 'samples'), { recursive: true });
    for (const entry of entries.filter((name) => name.endsWith('.flt')).sort())
      files.push(path.join(work, 'samples', entry));
  }
  return { work, files };
}

// Pixels of the drawn frame that differ from the background, counted in the page.
export function coveredPixels(page, canvasSelector) {
  return page.evaluate((selector) => {
    const canvas = document.querySelector(selector);
    const copy = document.createElement('canvas');
    copy.width = canvas.width;
    copy.height = canvas.height;
    const context = copy.getContext('2d');
    context.drawImage(canvas, 0, 0);
    const pixels = context.getImageData(0, 0, copy.width, copy.height).data;
    const background = [0x20, 0x24, 0x2c];
    let covered = 0;
    for (let i = 0; i < pixels.length; i += 4) {
      const off = Math.abs(pixels[i] - background[0]) + Math.abs(pixels[i + 1] - background[1]) +
        Math.abs(pixels[i + 2] - background[2]);
      if (off > 12) covered++;
    }
    return { covered, total: pixels.length / 4 };
  }, canvasSelector);
}

// Runs check(file) on each case, one line each, and exits 1 when any failed.
export async function runCases(context, work, files, check) {
  let passed = 0;
  let failed = 0;
  for (const file of files) {
    const shown = path.relative(work, file);
    try {
      console.log(`ok ${shown}: ${await check(file)}`);
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
}
