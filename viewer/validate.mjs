// node validate.mjs FILE.glb|FILE.gltf...
// Runs the Khronos glTF validator on each file and prints one JSON line per
// file: its error, warning and info counts, the draw calls its default scene
// makes (the validator's own count) and the error messages. Exits 1
// when any file has an error.
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import validator from 'gltf-validator';

let failed = false;
for (const file of process.argv.slice(2)) {
  const report = await validator.validateBytes(new Uint8Array(await readFile(file)), {
    uri: path.basename(file),
    maxIssues: 0,
    externalResourceFunction: (uri) =>
      readFile(path.join(path.dirname(file), decodeURIComponent(uri))).then((b) => new Uint8Array(b)),
  });
  const { numErrors, numWarnings, numInfos, messages } = report.issues;
  const errors = messages.filter((m) => m.severity === 0).map((m) => `${m.code} ${m.pointer ?? ''}: ${m.message}`);
  const warnings = messages.filter((m) => m.severity === 1).map((m) => `${m.code} ${m.pointer ?? ''}: ${m.message}`);
  console.log(JSON.stringify({ file, errors: numErrors, warnings: numWarnings, infos: numInfos,
    drawCalls: report.info?.drawCallCount ?? -1, errorMessages: errors, warningMessages: warnings }));
  failed ||= numErrors > 0;
}
process.exit(failed ? 1 : 0);
