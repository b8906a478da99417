// node stock-e2e.mjs FLTCONVERT EXAMPLE.flt [SAMPLES_DIR]
//
// A second, independent look at the exported files: each database is
// exported and served by `fltconvert --view`, and opened in stock.html,
// which uses nothing but three.js's own GLTFLoader. The model must load,
// cover pixels, and stand upright: the box three.js finds must be the
// scene's box (from `fltconvert --json`) turned Y-up, (x, y, z) at
// (x, z, -y); with levels of detail, where coarser levels are not drawn,
// inside it. Screenshots go to $FLT_E2E_SHOTS (as stock-NAME.png) when set.
import { execFile } from 'node:child_process';
import path from 'node:path';
import { promisify } from 'node:util';
import { copyCases, coveredPixels, launchBrowser, loadChromiumOrSkip, runCases, startViewer } from './browser-support.mjs';

const [fltconvert, example, samplesDir] = process.argv.slice(2);
if (!fltconvert || !example) {
  console.error('usage: node stock-e2e.mjs FLTCONVERT EXAMPLE.flt [SAMPLES_DIR]');
  process.exit(2);
}
const chromium = await loadChromiumOrSkip();
const loadLimitMs = 60000;

// The scene's bounding box, as the converter's bounding-box action gives it, read
// with the record set the export reads.
async function sceneBox(file) {
  const { stdout } = await promisify(execFile)(fltconvert, ['--records', 'extended', '--json', file],
    { maxBuffer: 1 << 26 });
  const [low, high] = JSON.parse(stdout).bbox;
  return { min: [low[0], low[2], -high[1]], max: [high[0], high[2], -low[1]] };
}

function compareBoxes(drawn, upright, inside) {
  const size = Math.hypot(...upright.max.map((v, i) => v - upright.min[i]));
  const slack = 1e-4 * Math.max(size, 1);
  for (let i = 0; i < 3; i++) {
    const ok = inside
      ? drawn.min[i] >= upright.min[i] - slack && drawn.max[i] <= upright.max[i] + slack
      : Math.abs(drawn.min[i] - upright.min[i]) <= slack && Math.abs(drawn.max[i] - upright.max[i]) <= slack;
    if (!ok)
      throw new Error(`three.js draws ${JSON.stringify(drawn)}, the scene turned Y-up is ${JSON.stringify(upright)}`);
  }
}

async function check(context, file) {
  const upright = await sceneBox(file);
  const { child, address } = startViewer(fltconvert, file);
  const page = await context.newPage();
  try {
    const url = new URL(await address);
    await page.goto(`${url.origin}/stock.html?file=model.glb`);
    await page.waitForSelector('body[data-state]', { timeout: loadLimitMs });
    const result = await page.textContent('#result');
    if (await page.getAttribute('body', 'data-state') !== 'ready') throw new Error(`three.js says: ${result}`);
    if (process.env.FLT_E2E_SHOTS)
      await page.screenshot({ path: path.join(process.env.FLT_E2E_SHOTS, `stock-${path.basename(file)}.png`) });
    const drawn = JSON.parse(result);
    compareBoxes(drawn, upright, drawn.extensionsUsed.includes('MSFT_lod'));
    const { covered, total } = await coveredPixels(page, 'canvas');
    if (covered < total / 1000) throw new Error(`the model covers ${covered} of ${total} pixels`);
    return `upright, ${drawn.drawCalls} meshes drawn, ${covered} of ${total} pixels`;
  } finally {
    await page.close();
    child.kill('SIGTERM');
  }
}

const { work, files } = await copyCases('flt-stock-', example, samplesDir);
const context = await launchBrowser(chromium, work);
await runCases(context, work, files, (file) => check(context, file));
